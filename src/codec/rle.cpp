// Run-length method: one marker byte, 0x94, introduces a repeat count.
#include "codec/codec_state.h"

namespace zel {
namespace {

constexpr uint8_t kRleMarker = 0x94;

// A count of 0 (the escaped marker) or above 2 is sent as marker + count;
// shorter runs are cheaper as plain copies of the byte.
void WriteRun(CodecState& s, int32_t count, uint8_t b) {
  if (count == 0 || count > 2) {
    s.CodecWriteByte(kRleMarker);
    s.CodecWriteByte(static_cast<uint8_t>(count));
  } else {
    for (int32_t i = 1; i < count; ++i) s.CodecWriteByte(b);
  }
}

void WriteLiteral(CodecState& s, uint8_t b) {
  if (b == kRleMarker) {
    WriteRun(s, 0, b);
  } else {
    s.CodecWriteByte(b);
  }
}

}  // namespace

void RleEncode(CodecState& s) {
  for (;;) {
    const uint8_t b = s.CodecReadByte();
    if (s.EndOfInput()) {
      if (s.rleInRun) WriteRun(s, s.rleRunCount, s.rleLastByte);
      return;
    }
    if (s.rleInRun) {
      if (b == s.rleLastByte && s.rleRunCount < 255) {
        ++s.rleRunCount;
      } else {
        WriteRun(s, s.rleRunCount, s.rleLastByte);
        s.rleLastByte = b;
        WriteLiteral(s, b);
        s.rleInRun = false;
      }
    } else {
      if (b == kRleMarker) {
        WriteRun(s, 0, b);
      } else if (b == s.rleLastByte && !s.rleFirstByte) {
        s.rleInRun = true;
        s.rleRunCount = 2;
      } else {
        s.CodecWriteByte(b);
      }
      s.rleLastByte = b;
    }
    s.rleFirstByte = false;
  }
}

void RleDecode(CodecState& s) {
  for (;;) {
    const uint8_t b = s.CodecReadByte();
    if (s.EndOfInput()) return;
    if (b != kRleMarker) {
      s.CodecWriteByte(b);
    } else {
      // A marker at the very end reads its count as 0: a literal marker.
      const uint8_t n = s.CodecReadByte();
      if (n == 0) {
        s.CodecWriteByte(kRleMarker);
      } else {
        for (int i = 1; i < n; ++i) s.CodecWriteByte(s.rleLastByte);
      }
    }
    s.rleLastByte = b;
  }
}

}  // namespace zel
