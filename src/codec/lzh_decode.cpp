// Adaptive-Huffman LZH decoder.
#include <cstring>
#include <memory>

#include "codec/codec_state.h"
#include "codec/lzh_tree.h"

namespace zel {
namespace {

using namespace lzh;

struct LzhDecoder {
  explicit LzhDecoder(CodecState& state) : s(state) {}
  CodecState& s;
  AdaptiveTree tree;
  uint8_t ring[kRingSize];
  // The next bits at the top of a 16-bit window.
  uint32_t bitBuf = 0;
  int bitCount = 0;
  // Zero bits standing in for input past its end, at the bottom of the
  // window; holding fewer bits than that means some of them were consumed.
  int padBits = 0;

  // No call takes more than 8 bits, so one byte per call keeps the window fed.
  // Bytes taken while the end-of-input flag is set count as 0; they may be
  // looked at, but a stream that consumes them has run on past its input.
  void Fill() {
    if (bitCount <= 8) {
      uint32_t b = s.CodecReadByte();
      if (s.EndOfInput()) {
        CheckNotPastEnd();
        b = 0;
        padBits += 8;
      }
      bitBuf |= b << (8 - bitCount);
      bitCount += 8;
    }
  }
  void CheckNotPastEnd() const {
    if (bitCount < padBits) RaiseBadDecodeTable();
  }
  uint32_t Bits(int n) {
    Fill();
    const uint32_t v = (bitBuf & 0xFFFF) >> (16 - n);
    bitBuf = (bitBuf << n) & 0xFFFF;
    bitCount -= n;
    return v;
  }

  int DecodeSymbol() {
    uint32_t c = tree.son[kRoot];
    while (c < static_cast<uint32_t>(kTableSize)) c = tree.son[c + Bits(1)];
    const int symbol = static_cast<int>(c) - kTableSize;
    tree.Update(symbol);
    return symbol;
  }

  uint32_t DecodePosition() {
    uint32_t b = Bits(8);
    const uint32_t upper = kPositionCode.decodeValue[b];
    int extra = kPositionCode.decodeLength[b] - 2;
    b = (b << extra) | Bits(extra);
    return (upper << 6) | (b & 0x3F);
  }

  void Run(int32_t count) {
    tree.Start();
    std::memset(ring, ' ', sizeof ring);
    uint32_t r = kRingSize - kLookahead;
    int64_t produced = 0;
    while (produced < count) {
      const int c = DecodeSymbol();
      if (c < 256) {
        s.CodecWriteByte(static_cast<uint8_t>(c));
        ring[r] = static_cast<uint8_t>(c);
        r = (r + 1) & (kRingSize - 1);
        ++produced;
        continue;
      }
      const int len = c - (255 - kThreshold);
      uint32_t from = (r - DecodePosition() - 1) & (kRingSize - 1);
      for (int k = 0; k < len; ++k) {
        const uint8_t b = ring[from];
        s.CodecWriteByte(b);
        ring[r] = b;
        r = (r + 1) & (kRingSize - 1);
        from = (from + 1) & (kRingSize - 1);
      }
      produced += len;
    }
    CheckNotPastEnd();
  }
};

}  // namespace

void LzhDecode(CodecState& s, int32_t count) {
  if (count <= 0) return;
  auto decoder = std::make_unique<LzhDecoder>(s);
  decoder->Run(count);
}

}  // namespace zel
