#include "archive/compress_writer.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <stdexcept>

#include "archive/archive_format.h"
#include "platform/fs.h"

namespace zel {

namespace {

std::unique_ptr<TStream> OpenSource(const PackEntry& entry) {
  if (entry.sourcePath.empty()) return std::make_unique<TMemoryStream>(entry.data);
  return std::make_unique<TFileStream>(entry.sourcePath, FileMode::kOpenReadShared);
}

int64_t SourceSize(const PackEntry& entry) {
  if (entry.sourcePath.empty()) return static_cast<int64_t>(entry.data.size());
  return fs::FileSize(entry.sourcePath);
}

// Copies size bytes and returns their byte sum.
uint32_t CopySummed(TStream& dest, TStream& source, int32_t size) {
  uint8_t buffer[8192];
  uint32_t sum = 0;
  int32_t left = size;
  while (left > 0) {
    const int32_t n = std::min<int32_t>(left, sizeof buffer);
    source.ReadBuffer(buffer, n);
    for (int32_t i = 0; i < n; ++i) sum += buffer[i];
    dest.WriteBuffer(buffer, n);
    left -= n;
  }
  return sum;
}

}  // namespace

const char* MethodId(TCompressionMethod method) {
  static const char* const kIds[] = {"NON", "RLE", "LZH", "CUS", "LH5"};
  return method <= coLZH5 ? kIds[method] : "NON";
}

void WriteArchive(TStream& dest, std::vector<PackEntry> entries, const ArchiveWriteOptions& options) {
  namespace ah = format::archive_header;
  if (options.method != coNone && options.method != coRLE && options.method != coLZH &&
      options.method != coLZH5)
    throw std::invalid_argument("unsupported compression method");
  std::vector<int32_t> sizes;
  int64_t total = 0;
  std::stable_partition(entries.begin(), entries.end(),
                        [](const PackEntry& e) { return SourceSize(e) == 0; });
  for (const PackEntry& e : entries) {
    const int64_t size = SourceSize(e);
    if (size < 0) throw EFOpenError(FormatOpenError(e.sourcePath));
    if (e.storedName.size() > 32767) throw std::invalid_argument("name too long: " + e.storedName);
    total += size;
    if (total > INT32_MAX) throw std::invalid_argument("archive larger than 2 GB");
    sizes.push_back(static_cast<int32_t>(size));
  }
  const bool withKey = options.key > 0;
  uint8_t header[ah::kSize] = {};
  std::memcpy(header + ah::kMagic, ah::kMagicBytes, 5);
  std::memcpy(header + ah::kCompressId, MethodId(options.method), 3);
  format::PutU32(header + ah::kTotalSize, static_cast<uint32_t>(total));
  header[ah::kArchiveType] = ah::kCaMulti;
  format::PutU32(header + ah::kLockFlag, withKey ? 2 : 0);
  dest.WriteBuffer(header, ah::kSize);

  for (size_t i = 0; i < entries.size(); ++i) {
    const PackEntry& e = entries[i];
    format::EntryHeader entry;
    entry.NameLength = static_cast<int16_t>(e.storedName.size());
    entry.FileDate = e.fileDate;
    entry.Attributes = e.attributes;
    entry.ExpandedSize = sizes[i];
    const int64_t headerPos = dest.Position();
    uint8_t raw[format::entry_header::kSize];
    entry.Write(raw);
    dest.WriteBuffer(raw, sizeof raw);
    if (!e.storedName.empty()) dest.WriteBuffer(e.storedName.data(), entry.NameLength);
    const int64_t dataStart = dest.Position();

    auto source = OpenSource(e);
    bool stored = options.method == coNone || sizes[i] == 0;
    uint32_t sum = 0;
    if (!stored) {
      CodecOwner owner;
      owner.Key = withKey ? options.key : 0;
      try {
        RunCodec(owner, dest, *source, sizes[i], sizes[i], options.method, sum,
                 CodecDirection::kCompress, false);
        entry.Method = options.method;
        entry.LockFlag = withKey ? 2 : 0;
      } catch (const EUnableToCompress&) {
        // Everything the codec wrote lies below dataStart + size, so the
        // stored copy below overwrites it completely.
        stored = true;
        source->Seek(0, SeekOrigin::kBegin);
        dest.Seek(dataStart, SeekOrigin::kBegin);
      }
    }
    if (stored) {
      sum = CopySummed(dest, *source, sizes[i]);
      entry.Method = coNone;
      entry.LockFlag = withKey ? 1 : 0;
    }
    const int64_t dataEnd = dest.Position();
    entry.CompressedSize = static_cast<int32_t>(dataEnd - dataStart);
    entry.Checksum = sum + (withKey ? static_cast<uint32_t>(options.key) : 0u);
    entry.Write(raw);
    dest.Seek(headerPos, SeekOrigin::kBegin);
    dest.WriteBuffer(raw, sizeof raw);
    dest.Seek(dataEnd, SeekOrigin::kBegin);
    if (options.onEntry) options.onEntry(e.storedName, sizes[i], entry.CompressedSize);
  }
}

}  // namespace zel
