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

// A lookup entry is one 16-bit load: for a code that fits the table, its
// symbol and its length; for a longer one, the flag and the first tree node
// of its path. Tree nodes refer to further nodes with the flag, and to the
// code's symbol without it.
constexpr uint32_t kLongCode = 0x8000;
constexpr int kLengthShift = 10;
constexpr uint32_t kSymbolMask = (1u << kLengthShift) - 1;
static_assert(kNC <= kSymbolMask + 1 && kTreeNodes < kLongCode, "entry fields overlap");

[[noreturn]] void BadTable() { RaiseBadDecodeTable(); }

// The bit window: the next bits of the stream at the top of `bits`, `count`
// of them valid (the bits below may already hold the bytes that follow).
// Refill tops it up to 56..63 bits with one unaligned load from `in`, without
// a branch; it needs eight readable bytes at `in`.
struct BitReader {
  const uint8_t* in;
  uint64_t bits;
  int count;

  void Refill() {
    uint64_t next;
    std::memcpy(&next, in, 8);
    bits |= __builtin_bswap64(next) >> count;  // the first byte goes to the top
    in += (63 - count) >> 3;
    count |= 56;
  }
  // The next n (1..32) bits; 32-bit shifts keep this short on 32-bit hosts.
  uint32_t Peek(int n) const { return static_cast<uint32_t>(bits >> 32) >> (32 - n); }
  void Skip(int n) {
    bits <<= n;
    count -= n;
  }
};
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "BitReader::Refill swaps a little-endian load");

struct Lh5Decoder {
  explicit Lh5Decoder(CodecState& state) : s(state) {}

  CodecState& s;
  BitReader r{input, 0, 0};
  // Input window: bytes taken from the codec's source, in[0, filled). The bit
  // window loads from it while r.in <= inLimit; beyond that RefillInput moves
  // the rest to the front and takes more. Past the end of the input (or after
  // the progress handler gave up) it holds zero bytes from inputEnd on: they
  // may be looked at but not consumed.
  static constexpr int32_t kInputSize = CodecState::kBufferSize;
  static constexpr int32_t kMinTake = 16;
  static constexpr int32_t kPadding = 16;
  static constexpr int32_t kOpen = 1 << 27;  // no end seen yet; 8 times it still fits
  const uint8_t* inLimit = input;
  int32_t filled = 0;
  int32_t inputEnd = kOpen;

  uint8_t cLen[kNC];
  uint8_t ptLen[kPTLenEntries];
  uint16_t cTable[1 << kCTableBits];
  uint16_t ptTable[1 << kPTTableBits];
  uint16_t left[kTreeNodes];
  uint16_t right[kTreeNodes];
  uint8_t dict[kDictSize];
  uint8_t input[kInputSize + kPadding];

  // Makes at least 56 bits available: a symbol with its position and extra
  // bits needs at most 44, so one refill per symbol is enough.
  void Need() {
    if (r.in > inLimit) RefillInput();
    r.Refill();
  }
  uint32_t GetBits(int n) {
    Need();
    const uint32_t v = r.Peek(n);
    r.Skip(n);
    return v;
  }
  [[gnu::noinline]] void RefillInput();
  // The bits consumed so far, counted from the front of the input window.
  int32_t Consumed() const { return static_cast<int32_t>(r.in - input) * 8 - r.count; }
  void CheckNotPastEnd() const {
    if (Consumed() > inputEnd * 8) BadTable();
  }

  void MakeTable(int nchar, const uint8_t* bitLen, int tableBits, uint16_t* table);
  [[gnu::noinline]] uint32_t WalkTree(uint32_t node, uint32_t code) const;
  // Decodes one symbol from the bits at the top of b and consumes its code.
  uint32_t DecodeSymbol(BitReader& b, const uint16_t* table, int tableBits, const uint8_t* lengths) const {
    const uint32_t next = b.Peek(32);  // a code has at most 16 bits
    const uint32_t entry = table[next >> (32 - tableBits)];
    if (entry & kLongCode) {
      const uint32_t symbol = WalkTree(entry, next << tableBits);
      b.Skip(lengths[symbol]);
      return symbol;
    }
    b.Skip(static_cast<int>(entry >> kLengthShift));
    return entry & kSymbolMask;
  }
  void ReadPtLen(int nn, int nbit, int special);
  void ReadCLen();
  uint16_t ReadBlockHeader();
  [[gnu::noinline]] uint32_t CopyAcrossWrap(uint32_t pos, uint32_t from, uint32_t len);
  // Hands the full dictionary to the sink; returns the write position, 0.
  [[gnu::noinline]] uint32_t FlushDictionary() {
    s.CodecWriteBlock(dict, kDictSize);
    return 0;
  }
  void Run(int32_t count);
};

// Takes what the codec holds of the current chunk, and at least 16 bytes, so
// the source is asked for its next chunk about when the bits reach the end of
// this one, as they would be byte by byte.
void Lh5Decoder::RefillInput() {
  const int32_t used = static_cast<int32_t>(r.in - input);
  const int32_t keep = filled - used;
  std::memmove(input, r.in, static_cast<size_t>(keep));
  r.in = input;
  filled = keep;
  if (inputEnd == kOpen) {
    int32_t ask = s.BufferedInput();
    if (ask < kMinTake) ask = kMinTake;
    if (ask > kInputSize - keep) ask = kInputSize - keep;
    const int32_t got = s.CodecReadBytes(input + keep, ask);
    filled += got;
    if (got < ask) inputEnd = filled;
  } else {
    inputEnd -= used;
  }
  if (inputEnd != kOpen) {
    CheckNotPastEnd();
    std::memset(input + filled, 0, kPadding);
    filled += kPadding;
  }
  inLimit = input + filled - 8;
}

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
      const auto entry = static_cast<uint16_t>(sym | len << kLengthShift);
      for (uint32_t k = 0; k < n; ++k) table[first + k] = entry;
      continue;
    }
    uint16_t* slot = &table[code >> (16 - tableBits)];
    for (int bit = 15 - tableBits; bit > 15 - len; --bit) {
      if (*slot == 0) {
        if (avail >= kTreeNodes) BadTable();
        left[avail] = right[avail] = 0;
        *slot = static_cast<uint16_t>(kLongCode | avail++);
      }
      // A complete code never routes a long code through a leaf; this keeps a
      // broken table from indexing outside the node arrays all the same.
      if (!(*slot & kLongCode)) BadTable();
      const uint32_t node = *slot & ~kLongCode;
      slot = ((code >> bit) & 1) ? &right[node] : &left[node];
    }
    *slot = static_cast<uint16_t>(sym);
  }
}

// Follows a code longer than its table's index through the tree nodes, from
// the node the table gave; code holds the bits after the index, the next one
// at the top. A complete code never leads a walk beyond its 16 bits.
uint32_t Lh5Decoder::WalkTree(uint32_t node, uint32_t code) const {
  do {
    node &= ~kLongCode;
    node = (code & 0x80000000u) ? right[node] : left[node];
    code <<= 1;
  } while (node & kLongCode);
  return node;
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
    Need();
    uint32_t next = r.Peek(32);
    int len = static_cast<int>(next >> 29);
    if (len == 7) {
      // Unary extension: one more for every further 1 bit, at most 13 of them.
      next <<= 3;
      while (len < 20 && (next & 0x80000000u)) {
        next <<= 1;
        ++len;
      }
    }
    r.Skip(len < 7 ? 3 : len - 3);
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
    Need();
    const uint32_t t = DecodeSymbol(r, ptTable, kPTTableBits, ptLen);
    if (t <= 2) {
      // A run of zero lengths: one, 3 plus 4 bits, or 20 plus 9 bits.
      static constexpr uint8_t kRunBits[] = {0, 4, kCBits};
      static constexpr uint8_t kRunBase[] = {1, 3, 20};
      int zeros = kRunBase[t];
      if (t > 0) zeros += static_cast<int>(GetBits(kRunBits[t]));
      if (i + zeros > kNC) BadTable();
      std::memset(cLen + i, 0, static_cast<size_t>(zeros));
      i += zeros;
    } else {
      cLen[i++] = static_cast<uint8_t>(t - 2);
    }
  }
  std::memset(cLen + i, 0, static_cast<size_t>(kNC - i));
  MakeTable(kNC, cLen, kCTableBits, cTable);
}

// Reads the next block's header and returns its size field.
uint16_t Lh5Decoder::ReadBlockHeader() {
  const auto size = static_cast<uint16_t>(GetBits(16));
  ReadPtLen(kNT, kTBits, 3);
  ReadCLen();
  ReadPtLen(kNP, kPBits, -1);
  // A header read from past the end would make a block of up to 65536
  // symbols out of nothing.
  CheckNotPastEnd();
  return size;
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
// len, so nothing beyond the match is touched. A build for size (install.exe)
// leaves out the shortcuts for matches of 8..16 bytes and for ranges apart:
// the word loop copies those too.
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
#ifndef __OPTIMIZE_SIZE__
  if (len <= 16) {
    Copy8(dst, src);
    Copy8(dst + len - 8, src + len - 8);
    return;
  }
  if (src + len <= dst || dst + len <= src) {
    std::memcpy(dst, src, len);
    return;
  }
#endif
  uint32_t k = 0;
  do {
    Copy8(dst + k, src + k);
    k += 8;
  } while (k + 8 <= len);
  Copy8(dst + len - 8, src + len - 8);  // the last word again when len is a multiple of 8
}

// A match whose source or destination runs over the end of the dictionary,
// byte by byte; returns the new write position.
uint32_t Lh5Decoder::CopyAcrossWrap(uint32_t pos, uint32_t from, uint32_t len) {
  for (uint32_t k = 0; k < len; ++k) {
    dict[pos] = dict[from];
    from = (from + 1) & (kDictSize - 1);
    if (++pos == kDictSize) pos = FlushDictionary();
  }
  return pos;
}

// The dictionary doubles as the output buffer: bytes are decoded into it and
// handed to the sink whole, each time the write position wraps, and the rest
// at the end. The sink writes them to the destination from here, without a
// copy of its own.
//
// The bit window, the input and the output positions live in locals here, so
// they stay in registers; they go back to the members around the calls that
// need them there (block headers and input refills) and at the end.
void Lh5Decoder::Run(int32_t count) {
  std::memset(dict, ' ', sizeof dict);
  RefillInput();
  BitReader bits = r;
  uint32_t pos = 0;
  uint16_t blockLeft = 0;
  // Stays below 2^32: count is at most 2^31 - 1, and the last match may pass it by 255.
  uint32_t produced = 0;
  while (produced < static_cast<uint32_t>(count)) {
    if (blockLeft == 0) {
      r = bits;
      blockLeft = ReadBlockHeader();
      bits = r;
    }
    --blockLeft;  // a block size of 0 stands for 65536 symbols
    if (bits.in > inLimit) {
      r = bits;
      RefillInput();
      bits = r;
    }
    bits.Refill();
    const uint32_t c = DecodeSymbol(bits, cTable, kCTableBits, cLen);
    if (c < 256) {
      dict[pos] = static_cast<uint8_t>(c);
      if (++pos == kDictSize) pos = FlushDictionary();
      ++produced;
      continue;
    }
    const uint32_t len = c - (256 - kThreshold);
    const uint32_t j = DecodeSymbol(bits, ptTable, kPTTableBits, ptLen);
    uint32_t distance = j;  // position value, 0..8191
    if (j > 1) {
      distance = (1u << (j - 1)) + bits.Peek(static_cast<int>(j) - 1);
      bits.Skip(static_cast<int>(j) - 1);
    }
    uint32_t from = (pos - distance - 1) & (kDictSize - 1);
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
      if (pos == kDictSize) pos = FlushDictionary();
    } else {
      pos = CopyAcrossWrap(pos, from, len);
    }
    produced += len;
  }
  r = bits;
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
