// Writes compressed archives in the layout TCompress reads.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "codec/codec.h"
#include "platform/stream.h"

namespace zel {

// One file to pack: its stored name (relative, backslashes) and either a file
// on disk (sourcePath) or bytes in memory (data, used when sourcePath is "").
struct PackEntry {
  std::string storedName;
  std::string sourcePath;
  std::vector<uint8_t> data;
  uint32_t fileDate = 0;     // packed MS-DOS date and time
  uint16_t attributes = 0;   // Windows attribute bits
};

struct ArchiveWriteOptions {
  TCompressionMethod method = coLZH5;  // coNone, coRLE, coLZH or coLZH5
  // Greater than 0: compressed entries are scrambled with the key (LockFlag 2),
  // stored entries are marked locked (LockFlag 1; their bytes stay plain), and
  // every checksum is the byte sum plus Key.
  int32_t key = 0;
  // Called after each entry with its stored name, its size and the size of
  // its stored data.
  std::function<void(const std::string& storedName, int64_t size, int64_t storedSize)> onEntry;
};

// Writes a complete archive to dest from its current position. Entries are
// written in the given order except that empty files go first (a reader that
// stops at TotalSize then still meets them). An entry the method cannot make
// smaller is stored as coNone. Throws std::invalid_argument for a method other
// than the four above, a name longer than 32,767 bytes or a set larger than
// 2 GB, and the streams' and codec's errors.
void WriteArchive(TStream& dest, std::vector<PackEntry> entries, const ArchiveWriteOptions& options);

// The 3-letter method ID for a method ("NON", "RLE", "LZH", "CUS", "LH5").
const char* MethodId(TCompressionMethod method);

}  // namespace zel
