// On-disk layouts of the compressed archive and of the segment set, shared by
// the readers (install.exe) and the writers (zelpack). All integers are
// little-endian; every record is parsed from and written to plain byte arrays
// so that no struct padding or host byte order can leak into a file.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace zel::format {

inline uint16_t GetU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t GetU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t GetI32(const uint8_t* p) { return static_cast<int32_t>(GetU32(p)); }
inline void PutU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// ---- Compressed archive ---------------------------------------------------

// Archive header, 21 bytes, at the start of every archive.
namespace archive_header {
constexpr int kSize = 21;
constexpr int kMagic = 0;        // 5: "SPIS" 1A
constexpr int kCompressId = 5;   // 3: method ID of the archive ("NON", "LH5", ...)
constexpr int kTotalSize = 8;    // 4: sum of every entry's ExpandedSize
constexpr int kArchiveType = 12; // 1: 1 = caMulti, the only accepted value
constexpr int kReserved = 13;    // 4: 0 when written, not interpreted
constexpr int kLockFlag = 17;    // 4: 2 when written with a key, not interpreted
constexpr uint8_t kMagicBytes[5] = {'S', 'P', 'I', 'S', 0x1A};
constexpr uint8_t kCaMulti = 1;
}  // namespace archive_header

// Entry header, 25 bytes, followed by NameLength name bytes and then
// CompressedSize bytes of stored data.
namespace entry_header {
constexpr int kSize = 25;
constexpr int kNameLength = 0;      // 2: signed 16-bit
constexpr int kFileDate = 2;        // 4: MS-DOS date (high word) and time (low word)
constexpr int kAttributes = 6;      // 2: Windows attribute bits
constexpr int kExpandedSize = 8;    // 4
constexpr int kCompressedSize = 12; // 4
constexpr int kMethod = 16;         // 1: TCompressionMethod ordinal
constexpr int kChecksum = 17;       // 4: byte sum (+ Key when locked)
constexpr int kLockFlag = 21;       // 4: 0 open, >0 locked, 2 locked and scrambled
}  // namespace entry_header

// Both headers together: the least a listable archive holds.
constexpr int kMinListableSize = archive_header::kSize + entry_header::kSize;

struct EntryHeader {
  int16_t NameLength = 0;
  uint32_t FileDate = 0;
  uint16_t Attributes = 0;
  int32_t ExpandedSize = 0;
  int32_t CompressedSize = 0;
  uint8_t Method = 0;
  uint32_t Checksum = 0;
  int32_t LockFlag = 0;

  static EntryHeader Parse(const uint8_t* p) {
    using namespace entry_header;
    EntryHeader h;
    h.NameLength = static_cast<int16_t>(GetU16(p + kNameLength));
    h.FileDate = GetU32(p + kFileDate);
    h.Attributes = GetU16(p + kAttributes);
    h.ExpandedSize = GetI32(p + kExpandedSize);
    h.CompressedSize = GetI32(p + kCompressedSize);
    h.Method = p[kMethod];
    h.Checksum = GetU32(p + kChecksum);
    h.LockFlag = GetI32(p + kLockFlag);
    return h;
  }
  void Write(uint8_t* p) const {
    using namespace entry_header;
    std::memset(p, 0, kSize);
    PutU16(p + kNameLength, static_cast<uint16_t>(NameLength));
    PutU32(p + kFileDate, FileDate);
    PutU16(p + kAttributes, Attributes);
    PutU32(p + kExpandedSize, static_cast<uint32_t>(ExpandedSize));
    PutU32(p + kCompressedSize, static_cast<uint32_t>(CompressedSize));
    p[kMethod] = Method;
    PutU32(p + kChecksum, Checksum);
    PutU32(p + kLockFlag, static_cast<uint32_t>(LockFlag));
  }
};

// ---- Segment set ------------------------------------------------------------

// Identification header, 8 bytes, at offset 0 of every segment file.
namespace segment_id {
constexpr int kSize = 8;
constexpr int kId = 0;        // 4: "SSeg"
constexpr int kSetId = 4;     // 2: the set's identity, the same in every file of
                              //    a set (never 0 when written; 0 in older sets:
                              //    not checked)
constexpr int kNumber = 6;    // 2: segment number, 1 for the first file
}  // namespace segment_id

// Set header, 21 bytes, at the start of the logical stream.
namespace set_header {
constexpr int kSize = 21;
constexpr int kId = 0;        // 4: "SHdr"
constexpr int kReserved = 4;  // 2: 0 when written
constexpr int kArcCount = 6;  // 2: number of archives and Scan sections
constexpr int kTail = 8;      // 13: 0 when written, not interpreted
}  // namespace set_header

// Scan record, 17 bytes, then NameLength bytes of template text, then
// ListArchiveSize bytes of list archive.
namespace scan_record {
constexpr int kSize = 17;
constexpr int kId = 0;               // 4: "Scan"
constexpr int kReserved = 4;         // 2: 0 when written
constexpr int kNameLength = 6;       // 2: template length, below kMaxTextLength
constexpr int kScanByte = 8;         // 1: carried, not interpreted
constexpr int kRecordWidth = 9;      // 4: list-file record width, 1 .. kMaxTextLength-1
constexpr int kListArchiveSize = 13; // 4
// Template lengths and record widths must stay below this (the work buffer).
constexpr int kMaxTextLength = 8192;
}  // namespace scan_record

// Archive record, 16 bytes, followed by ArchiveSize bytes of archive.
namespace arc_record {
constexpr int kSize = 16;
constexpr int kId = 0;           // 4: "SArc"
constexpr int kReserved = 4;     // 2: 0 when written
constexpr int kSequence = 6;     // 2: archive number, matches its Scan section
constexpr int kReserved2 = 8;    // 4: 0 when written
constexpr int kArchiveSize = 12; // 4
}  // namespace arc_record

inline bool HasId(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }
inline void PutId(uint8_t* p, const char* id) { std::memcpy(p, id, 4); }

}  // namespace zel::format
