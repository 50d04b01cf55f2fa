// Static-Huffman LZH decoder (-lh5-).
//
// Codes of up to 12 bits (character/length) or 8 bits (code-length and
// position) decode with one table lookup; longer codes continue through tree
// nodes, one bit per level. Every table is checked to be a complete prefix
// code of lengths 1..16 before it is used, which is what keeps every walk
// short and every index inside its table.
#include <cstring>
#include <memory>

#include "codec/codec_state.h"
#include "codec/lh5_format.h"

namespace zel {
namespace {

using namespace lh5;

constexpr int kCTableBits = 12;
constexpr int kPTTableBits = 8;
constexpr int kTreeNodes = 2 * kNC - 1;
// The code-length list may announce up to 31 entries; the zero run after the
// third one can carry the index to 6.
constexpr int kPTLenEntries = 32;

[[noreturn]] void BadTable() { RaiseBadDecodeTable(); }

struct Lh5Decoder {
  explicit Lh5Decoder(CodecState& state) : s(state) {}

  CodecState& s;
  // Bit window: the next bits of the stream, first bit in the top place.
  uint64_t bitBuf = 0;
  int bitCount = 0;
  // Zero bits standing in for input past its end, at the bottom of the
  // window. Fewer bits held than that means some were consumed: the stream
  // ran on past its input (a valid one never does; its last byte is padded).
  int padBits = 0;

  uint8_t cLen[kNC];
  uint8_t ptLen[kPTLenEntries];
  uint16_t cTable[1 << kCTableBits];
  uint16_t ptTable[1 << kPTTableBits];
  uint16_t left[kTreeNodes];
  uint16_t right[kTreeNodes];
  uint8_t dict[kDictSize];

  // Makes at least n (<= 56) bits available; a symbol with its position and
  // extra bits needs at most 44, so one refill per symbol is enough. Past the
  // end of the input, and after the progress handler gave up, the window is
  // topped up with zero bits, which may be looked at but not consumed.
  void Need(int n) {
    if (bitCount < n) Fill();
  }
  // Tops the window up with as many whole bytes as fit.
  [[gnu::noinline]] void Fill() {
    const int room = (64 - bitCount) >> 3;  // whole bytes that fit
    uint8_t bytes[8];
    const int got = s.EndOfInput() ? 0 : s.CodecReadBytes(bytes, room);
    for (int i = 0; i < got; ++i) {
      bitBuf |= uint64_t{bytes[i]} << (56 - bitCount);
      bitCount += 8;
    }
    if (got < room) {
      CheckNotPastEnd();
      padBits += 8 * (room - got);
      bitCount += 8 * (room - got);
    }
  }
  void CheckNotPastEnd() const {
    if (bitCount < padBits) BadTable();
  }
  uint32_t Peek(int n) const { return static_cast<uint32_t>(bitBuf >> (64 - n)); }
  void Skip(int n) {
    bitBuf <<= n;
    bitCount -= n;
  }
  uint32_t GetBits(int n) {
    Need(n);
    uint32_t v = Peek(n);
    Skip(n);
    return v;
  }

  void MakeTable(int nchar, const uint8_t* bitLen, int tableBits, uint16_t* table);
  void ReadPtLen(int nn, int nbit, int special);
  void ReadCLen();
  uint32_t DecodeC();
  uint32_t DecodeP();
  void Run(int32_t count);
};

void Lh5Decoder::MakeTable(int nchar, const uint8_t* bitLen, int tableBits, uint16_t* table) {
  uint32_t count[kMaxCodeLength + 1] = {};
  for (int i = 0; i < nchar; ++i) {
    if (bitLen[i] > kMaxCodeLength) BadTable();
    count[bitLen[i]]++;
  }
  // The code must be complete: the weights of its lengths fill 16 bits exactly.
  uint32_t start[kMaxCodeLength + 2];
  start[1] = 0;
  for (int len = 1; len <= kMaxCodeLength; ++len) start[len + 1] = start[len] + (count[len] << (16 - len));
  if (start[kMaxCodeLength + 1] != 0x10000) BadTable();

  const int tableSize = 1 << tableBits;
  // Entries past the last short code are the roots of the longer codes' paths.
  const uint32_t shortEnd = start[tableBits + 1] >> (16 - tableBits);
  for (uint32_t i = shortEnd; i < static_cast<uint32_t>(tableSize); ++i) table[i] = 0;

  int avail = nchar;
  for (int sym = 0; sym < nchar; ++sym) {
    const int len = bitLen[sym];
    if (len == 0) continue;
    const uint32_t code = start[len];  // left-aligned in 16 bits
    start[len] += 1u << (16 - len);
    if (len <= tableBits) {
      const uint32_t first = code >> (16 - tableBits);
      const uint32_t n = 1u << (tableBits - len);
      for (uint32_t k = 0; k < n; ++k) table[first + k] = static_cast<uint16_t>(sym);
      continue;
    }
    uint16_t* slot = &table[code >> (16 - tableBits)];
    for (int bit = 15 - tableBits; bit > 15 - len; --bit) {
      if (*slot == 0) {
        if (avail >= kTreeNodes) BadTable();
        left[avail] = right[avail] = 0;
        *slot = static_cast<uint16_t>(avail++);
      }
      // A complete code never routes a long code through a leaf; this keeps a
      // broken table from indexing outside the node arrays all the same.
      if (*slot < nchar) BadTable();
      slot = ((code >> bit) & 1) ? &right[*slot] : &left[*slot];
    }
    *slot = static_cast<uint16_t>(sym);
  }
}

void Lh5Decoder::ReadPtLen(int nn, int nbit, int special) {
  const int n = static_cast<int>(GetBits(nbit));
  if (n == 0) {
    const uint32_t only = GetBits(nbit);
    if (only >= static_cast<uint32_t>(nn)) BadTable();
    std::memset(ptLen, 0, sizeof ptLen);
    for (auto& e : ptTable) e = static_cast<uint16_t>(only);
    return;
  }
  int i = 0;
  while (i < n) {
    Need(20);
    int len = static_cast<int>(Peek(3));
    if (len == 7) {
      // Unary extension: one more for every further 1 bit, at most 13 of them.
      uint64_t mask = uint64_t{1} << 60;
      while (len < 20 && (bitBuf & mask)) {
        mask >>= 1;
        ++len;
      }
    }
    Skip(len < 7 ? 3 : len - 3);
    ptLen[i++] = static_cast<uint8_t>(len);
    if (i == special) {
      int zeros = static_cast<int>(GetBits(2));
      while (zeros-- > 0) ptLen[i++] = 0;
    }
  }
  while (i < nn) ptLen[i++] = 0;
  MakeTable(nn, ptLen, kPTTableBits, ptTable);
}

void Lh5Decoder::ReadCLen() {
  const int n = static_cast<int>(GetBits(kCBits));
  if (n == 0) {
    const uint32_t only = GetBits(kCBits);
    if (only >= static_cast<uint32_t>(kNC)) BadTable();
    std::memset(cLen, 0, sizeof cLen);
    for (auto& e : cTable) e = static_cast<uint16_t>(only);
    return;
  }
  if (n > kNC) BadTable();
  int i = 0;
  while (i < n) {
    Need(16);
    uint32_t t = ptTable[Peek(kPTTableBits)];
    if (t >= kNT) {
      uint64_t mask = uint64_t{1} << (63 - kPTTableBits);
      do {
        t = (bitBuf & mask) ? right[t] : left[t];
        mask >>= 1;
      } while (t >= kNT);
    }
    Skip(ptLen[t]);
    if (t <= 2) {
      int zeros = t == 0 ? 1 : (t == 1 ? static_cast<int>(GetBits(4)) + 3 : static_cast<int>(GetBits(kCBits)) + 20);
      if (i + zeros > kNC) BadTable();
      while (zeros-- > 0) cLen[i++] = 0;
    } else {
      cLen[i++] = static_cast<uint8_t>(t - 2);
    }
  }
  while (i < kNC) cLen[i++] = 0;
  MakeTable(kNC, cLen, kCTableBits, cTable);
}

inline uint32_t Lh5Decoder::DecodeC() {
  Need(16);
  uint32_t c = cTable[Peek(kCTableBits)];
  if (c >= static_cast<uint32_t>(kNC)) {
    uint64_t mask = uint64_t{1} << (63 - kCTableBits);
    do {
      c = (bitBuf & mask) ? right[c] : left[c];
      mask >>= 1;
    } while (c >= static_cast<uint32_t>(kNC));
  }
  Skip(cLen[c]);
  return c;
}

inline uint32_t Lh5Decoder::DecodeP() {
  Need(16);
  uint32_t j = ptTable[Peek(kPTTableBits)];
  if (j >= static_cast<uint32_t>(kNP)) {
    uint64_t mask = uint64_t{1} << (63 - kPTTableBits);
    do {
      j = (bitBuf & mask) ? right[j] : left[j];
      mask >>= 1;
    } while (j >= static_cast<uint32_t>(kNP));
  }
  Skip(ptLen[j]);
  if (j <= 1) return j;
  return (1u << (j - 1)) + GetBits(static_cast<int>(j) - 1);
}

inline void Copy8(uint8_t* dst, const uint8_t* src) {
  uint64_t v;
  std::memcpy(&v, src, 8);
  std::memcpy(dst, &v, 8);
}

// Copies a match of len (3..256) bytes forward, a word at a time: right when
// the two ranges are apart, and also when the source runs at least eight bytes
// behind the destination, since every word it reads is then written already.
// Short matches take two overlapping words; the last word ends exactly at
// len, so nothing beyond the match is touched.
inline void CopyMatch(uint8_t* dst, const uint8_t* src, uint32_t len) {
  if (len < 8) {
    if (len >= 4) {
      uint32_t a, b;
      std::memcpy(&a, src, 4);
      std::memcpy(&b, src + len - 4, 4);
      std::memcpy(dst, &a, 4);
      std::memcpy(dst + len - 4, &b, 4);
    } else {
      dst[0] = src[0];
      dst[1] = src[1];
      dst[2] = src[2];
    }
    return;
  }
  if (len <= 16) {
    Copy8(dst, src);
    Copy8(dst + len - 8, src + len - 8);
    return;
  }
  if (src + len <= dst || dst + len <= src) {
    std::memcpy(dst, src, len);
    return;
  }
  uint32_t k = 0;
  for (; k + 8 <= len; k += 8) Copy8(dst + k, src + k);
  if (k < len) Copy8(dst + len - 8, src + len - 8);
}

// The dictionary doubles as the output buffer: bytes are decoded into it and
// handed to the sink whole, each time the write position wraps, and the rest
// at the end. The sink writes them to the destination from here, without a
// copy of its own.
void Lh5Decoder::Run(int32_t count) {
  std::memset(dict, ' ', sizeof dict);
  Need(16);
  uint32_t pos = 0;
  auto wrap = [&] {
    s.CodecWriteBlock(dict, kDictSize);
    pos = 0;
  };
  uint16_t blockLeft = 0;
  int64_t produced = 0;
  while (produced < count) {
    if (blockLeft == 0) {
      blockLeft = static_cast<uint16_t>(GetBits(16));
      ReadPtLen(kNT, kTBits, 3);
      ReadCLen();
      ReadPtLen(kNP, kPBits, -1);
      // A header read from past the end would make a block of up to 65536
      // symbols out of nothing.
      CheckNotPastEnd();
    }
    --blockLeft;  // a block size of 0 stands for 65536 symbols
    const uint32_t c = DecodeC();
    if (c < 256) {
      dict[pos] = static_cast<uint8_t>(c);
      if (++pos == kDictSize) wrap();
      ++produced;
      continue;
    }
    const uint32_t len = c - (256 - kThreshold);
    uint32_t from = (pos - DecodeP() - 1) & (kDictSize - 1);
    if (from + len <= kDictSize && pos + len <= kDictSize) {
      // No wrap: one copy inside the dictionary, forward, so that overlapping
      // matches repeat their bytes.
      uint8_t* dst = dict + pos;
      const uint8_t* src = dict + from;
      if (from + len <= pos || pos + len <= from || (from < pos && pos - from >= 8)) {
        CopyMatch(dst, src, len);
      } else {
        for (uint32_t k = 0; k < len; ++k) dst[k] = src[k];
      }
      pos += len;
      if (pos == kDictSize) wrap();
    } else {
      for (uint32_t k = 0; k < len; ++k) {
        dict[pos] = dict[from];
        from = (from + 1) & (kDictSize - 1);
        if (++pos == kDictSize) wrap();
      }
    }
    produced += len;
  }
  CheckNotPastEnd();
  s.CodecWriteBlock(dict, static_cast<int32_t>(pos));
}

}  // namespace

void Lzh5Decode(CodecState& s, int32_t count) {
  if (count <= 0) return;
  auto decoder = std::make_unique<Lh5Decoder>(s);
  decoder->Run(count);
}

}  // namespace zel
