// The one codec entry: runs a compression method over one stored stream with
// buffered byte source and sink, progress, checksum, key scrambling and the
// output limit.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/errors.h"
#include "platform/stream.h"

namespace zel {

// Stored as the entry's method ordinal.
enum TCompressionMethod : uint8_t { coNone = 0, coRLE = 1, coLZH = 2, coCustom = 3, coLZH5 = 4 };

// Progress of one stream; a handler that sets PercentageDone to -1 abandons it.
using TShowProgressEvent = std::function<void(int32_t& PercentageDone)>;

// "Bad decode table in archive!"
ZEL_DECLARE_EXCEPTION(ELZHBadDecodeTable, Exception);
// "Could not compress data"
ZEL_DECLARE_EXCEPTION(EUnableToCompress, Exception);

enum class CodecDirection { kExpand, kCompress };

// What the codec takes from the container that runs it.
struct CodecOwner {
  TShowProgressEvent OnShowProgress;  // may be empty
  int32_t Key = 0;                    // 0: no key
  int32_t OutputReserve = 0;          // compressing: output limit = input size - reserve
};

// Runs method (an ordinal of TCompressionMethod; anything but coRLE, coLZH and
// coLZH5 writes nothing and yields checksum 0) over inputSize bytes of source
// into dest. uncompressedSize is what the expanding LZH methods must produce.
// checksum receives the byte sum of the plain bytes; it is not set when an
// exception is raised. scrambled (expanding only): the stored bytes were XORed
// with the key. Throws ELZHBadDecodeTable, EUnableToCompress and the streams' errors.
void RunCodec(const CodecOwner& owner, TStream& dest, TStream& source, int32_t inputSize,
              int32_t uncompressedSize, int method, uint32_t& checksum, CodecDirection direction,
              bool scrambled);

// RunCodec's expanding direction alone. A program that only reads stored
// streams calls this one, and the compressing methods stay out of it.
void ExpandCodec(const CodecOwner& owner, TStream& dest, TStream& source, int32_t inputSize,
                 int32_t uncompressedSize, int method, uint32_t& checksum, bool scrambled);

}  // namespace zel
