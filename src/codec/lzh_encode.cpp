// Adaptive-Huffman LZH encoder.
//
// Match finder: binary search trees of ring positions ordered by their
// 60-byte strings, one tree per root. There are 4096 roots (first byte and a
// 4-bit hash of the next two), and every position stores how many leading
// bytes its string shares with its parent's, so most steps of a search are
// decided from the stored lengths without comparing bytes.
#include <cstring>
#include <memory>

#include "codec/codec_state.h"
#include "codec/lzh_tree.h"

namespace zel {
namespace {

using namespace lzh;

constexpr int kNil = kRingSize;  // empty link
constexpr int kRoots = 4096;

struct LzhEncoder {
  explicit LzhEncoder(CodecState& state) : s(state) {}
  CodecState& s;
  AdaptiveTree tree;

  // The ring, its first kLookahead - 1 bytes repeated after the end.
  uint8_t text[kRingSize + kLookahead - 1];
  uint16_t lson[kRingSize + 1];
  uint16_t rson[kRingSize + 1 + kRoots];
  uint16_t dad[kRingSize + 1];
  uint8_t same[kRingSize + 1];
  int matchLength = 0;
  int matchPosition = 0;

  // Bit writer: pending bits at the top of a 32-bit word.
  uint32_t putBuf = 0;
  int putLen = 0;

  void PutCode(int l, uint32_t code) {  // code left-aligned in 16 bits, l <= 16
    putBuf |= (code << 16) >> putLen;
    putLen += l;
    while (putLen >= 8) {
      s.CodecWriteByte(static_cast<uint8_t>(putBuf >> 24));
      putBuf <<= 8;
      putLen -= 8;
    }
  }
  void Flush() {
    if (putLen > 0) s.CodecWriteByte(static_cast<uint8_t>(putBuf >> 24));
    putBuf = 0;
    putLen = 0;
  }

  void EncodeSymbol(int symbol) {
    // Collect the path root-first; codes may be longer than 16 bits.
    int length = 0;
    const uint64_t bits = tree.Code(symbol, length);
    while (length > 16) {
      length -= 16;
      PutCode(16, static_cast<uint32_t>(bits >> length) & 0xFFFF);
    }
    if (length > 0) PutCode(length, static_cast<uint32_t>(bits << (16 - length)) & 0xFFFF);
    tree.Update(symbol);
  }

  void EncodePosition(int p) {
    const int upper = p >> 6;
    PutCode(kPositionCode.length[upper], static_cast<uint32_t>(kPositionCode.code[upper]) << 8);
    PutCode(6, static_cast<uint32_t>(p & 0x3F) << 10);
  }

  static int RootOf(const uint8_t* key) {
    const int x = key[1] ^ key[2];
    const int h = (x ^ (x >> 4)) & 15;
    return kRingSize + 1 + key[0] + 256 * h;
  }

  // Shared prefix of the strings at y and n, counted from byte k.
  int Recompute(int y, int n, int k) const {
    if (n >= kNil) return 1;  // a root or no node
    const uint8_t* a = &text[y];
    const uint8_t* b = &text[n];
    while (k < kLookahead && a[k] == b[k]) ++k;
    return k;
  }

  // y moves up into the place of its parent x, under x's parent.
  void Adjust(int y, int x) {
    if (same[x] == same[y]) {
      same[y] = static_cast<uint8_t>(Recompute(y, dad[x], same[x]));
    } else if (same[x] < same[y]) {
      same[y] = same[x];
    }
  }

  void InsertNode(int r);
  void DeleteNode(int p);
  void Run();
};

void LzhEncoder::InsertNode(int r) {
  const uint8_t* key = &text[r];
  lson[r] = rson[r] = kNil;
  matchLength = 0;
  int known = 1;
  int cmp = 1;
  int p = RootOf(key);
  for (;;) {
    if (cmp >= 0) {
      if (rson[p] == kNil) {
        rson[p] = static_cast<uint16_t>(r);
        break;
      }
      p = rson[p];
    } else {
      if (lson[p] == kNil) {
        lson[p] = static_cast<uint16_t>(r);
        break;
      }
      p = lson[p];
    }
    const int sp = same[p];
    if (sp < known) {
      known = sp;
      cmp = key[sp] - text[p + sp];
    } else if (sp == known) {
      const uint8_t* other = &text[p];
      int i = known;
      cmp = 0;
      while (i < kLookahead && (cmp = key[i] - other[i]) == 0) ++i;
      known = i;
    }
    if (known > kThreshold) {
      const int value = ((r - p) & (kRingSize - 1)) - 1;
      if (known > matchLength) {
        matchPosition = value;
        matchLength = known;
        if (known >= kLookahead) {
          // r takes p's place: same string, newer position.
          same[r] = same[p];
          dad[r] = dad[p];
          lson[r] = lson[p];
          rson[r] = rson[p];
          dad[lson[p]] = static_cast<uint16_t>(r);
          dad[rson[p]] = static_cast<uint16_t>(r);
          if (rson[dad[p]] == p) {
            rson[dad[p]] = static_cast<uint16_t>(r);
          } else {
            lson[dad[p]] = static_cast<uint16_t>(r);
          }
          dad[p] = kNil;
          return;
        }
      } else if (known == matchLength && value < matchPosition) {
        matchPosition = value;  // the nearer of equal matches wins
      }
    }
  }
  dad[r] = static_cast<uint16_t>(p);
  same[r] = static_cast<uint8_t>(known);
}

void LzhEncoder::DeleteNode(int p) {
  if (dad[p] == kNil) return;
  int q;
  if (rson[p] == kNil) {
    q = lson[p];
    if (q != kNil) Adjust(q, p);
  } else if (lson[p] == kNil) {
    q = rson[p];
    Adjust(q, p);
  } else {
    q = lson[p];
    if (rson[q] != kNil) {
      do {
        q = rson[q];
      } while (rson[q] != kNil);
      if (lson[q] != kNil) Adjust(lson[q], q);
      same[lson[p]] = static_cast<uint8_t>(Recompute(lson[p], q, 1));
      rson[dad[q]] = lson[q];
      dad[lson[q]] = dad[q];
      lson[q] = lson[p];
      dad[lson[p]] = static_cast<uint16_t>(q);
    }
    same[q] = static_cast<uint8_t>(Recompute(q, dad[p], 1));
    same[rson[p]] = static_cast<uint8_t>(Recompute(rson[p], q, 1));
    rson[q] = rson[p];
    dad[rson[p]] = static_cast<uint16_t>(q);
  }
  dad[q] = dad[p];
  if (rson[dad[p]] == p) {
    rson[dad[p]] = static_cast<uint16_t>(q);
  } else {
    lson[dad[p]] = static_cast<uint16_t>(q);
  }
  dad[p] = kNil;
}

void LzhEncoder::Run() {
  tree.Start();
  for (int i = kRingSize + 1; i < kRingSize + 1 + kRoots; ++i) rson[i] = kNil;
  for (int i = 0; i <= kRingSize; ++i) dad[i] = kNil;
  std::memset(text, ' ', sizeof text);
  std::memset(same, 1, sizeof same);
  int sPos = 0;
  int r = kRingSize - kLookahead;
  int len = 0;
  while (len < kLookahead) {
    const uint8_t c = s.CodecReadByte();
    if (s.EndOfInput()) break;
    text[r + len++] = c;
  }
  if (len == 0) return;
  for (int i = 1; i <= kLookahead; ++i) InsertNode(r - i);
  InsertNode(r);
  do {
    if (matchLength > len) matchLength = len;
    if (matchLength <= kThreshold) {
      matchLength = 1;
      EncodeSymbol(text[r]);
    } else {
      EncodeSymbol(255 - kThreshold + matchLength);
      EncodePosition(matchPosition);
    }
    const int lastMatchLength = matchLength;
    int i = 0;
    for (; i < lastMatchLength; ++i) {
      const uint8_t c = s.CodecReadByte();
      if (s.EndOfInput()) break;
      DeleteNode(sPos);
      text[sPos] = c;
      if (sPos < kLookahead - 1) text[sPos + kRingSize] = c;
      sPos = (sPos + 1) & (kRingSize - 1);
      r = (r + 1) & (kRingSize - 1);
      InsertNode(r);
    }
    for (; i < lastMatchLength; ++i) {
      DeleteNode(sPos);
      sPos = (sPos + 1) & (kRingSize - 1);
      r = (r + 1) & (kRingSize - 1);
      if (--len > 0) InsertNode(r);
    }
  } while (len > 0);
  Flush();
}

}  // namespace

void LzhEncode(CodecState& s) {
  auto encoder = std::make_unique<LzhEncoder>(s);
  encoder->Run();
}

}  // namespace zel
