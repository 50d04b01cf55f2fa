// Static-Huffman LZH (-lh5-): hand-built streams for the decoder's corner
// cases, damaged tables, and round trips through the encoder.
#include <gtest/gtest.h>

#include "codec_test_util.h"

namespace zel::test {
namespace {

// Builds a bit stream most significant bit first.
class Bits {
 public:
  Bits& Put(int n, uint32_t v) {
    for (int i = n - 1; i >= 0; --i) {
      acc_ = (acc_ << 1) | ((v >> i) & 1);
      if (++count_ == 8) {
        out_.push_back(static_cast<uint8_t>(acc_));
        acc_ = 0;
        count_ = 0;
      }
    }
    return *this;
  }
  Bytes Done() {
    Bytes b = out_;
    if (count_) b.push_back(static_cast<uint8_t>(acc_ << (8 - count_)));
    return b;
  }
  size_t BitCount() const { return out_.size() * 8 + count_; }

 private:
  Bytes out_;
  uint32_t acc_ = 0;
  int count_ = 0;
};

// Block header whose three codes each have one symbol.
Bits& SingleSymbolBlock(Bits& b, uint16_t size, uint32_t symbol, uint32_t position = 0) {
  return b.Put(16, size).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, symbol).Put(4, 0).Put(4, position);
}

// One length of a code-length or position list: 3 bits below 7, else unary.
void PutLength(Bits& b, int len) {
  if (len < 7) {
    b.Put(3, len);
  } else {
    b.Put(len - 3, (1u << (len - 3)) - 2);
  }
}

// Code-length code with symbols 2 and 3 at one bit each ("0" = zero run of
// 20+, "1" = length 1), announced with `count` entries; entries beyond the
// 19-symbol alphabet get length `extraLength`.
void TwoSymbolLengthCode(Bits& b, int count = 4, int extraLength = 0) {
  b.Put(5, count).Put(3, 0).Put(3, 0).Put(3, 1).Put(2, 0).Put(3, 1);
  for (int i = 4; i < count; ++i) {
    PutLength(b, i < 19 ? 0 : extraLength);
  }
}

// Character code: 'x' and the match of length 10 (symbol 263), one bit each.
void LiteralXAndLength10(Bits& b) {
  b.Put(9, 264).Put(1, 0).Put(9, 120 - 20).Put(1, 1).Put(1, 0).Put(9, 142 - 20).Put(1, 1);
}

Bytes Lh5(const Bytes& stored, int32_t count) { return Decode(coLZH5, stored, count); }

TEST(Lh5Decode, SingleSymbolBlockRepeatsWithoutReadingBits) {
  Bits b;
  SingleSymbolBlock(b, 5, 'A');
  EXPECT_EQ(Lh5(b.Done(), 5), Bytes(5, 'A'));
}

TEST(Lh5Decode, FirstMatchCopiesInitialSpaces) {
  Bits b;
  SingleSymbolBlock(b, 1, 256);  // length 3, position 0
  EXPECT_EQ(Lh5(b.Done(), 3), FromString("   "));
}

TEST(Lh5Decode, ShortDistanceRepeatsLastByte) {
  Bits b;
  b.Put(16, 2);
  TwoSymbolLengthCode(b);
  LiteralXAndLength10(b);
  b.Put(4, 0).Put(4, 0);  // position code: only value 0 (distance 1)
  b.Put(1, 0).Put(1, 1);  // 'x', then length 10
  EXPECT_EQ(Lh5(b.Done(), 11), Bytes(11, 'x'));
}

TEST(Lh5Decode, ListsLongerThanTheirAlphabetIgnoreTheExtraLengths) {
  Bits b;
  b.Put(16, 3);
  TwoSymbolLengthCode(b, 31, 7);
  LiteralXAndLength10(b);
  // Position code announced with 15 entries: values 0 and 1 at one bit each,
  // the 15th length (beyond the 14 symbols) is ignored.
  b.Put(4, 15).Put(3, 1).Put(3, 1);
  for (int i = 2; i < 14; ++i) b.Put(3, 0);
  b.Put(3, 5);
  b.Put(1, 0);            // 'x'
  b.Put(1, 1).Put(1, 0);  // length 10, distance 1
  b.Put(1, 1).Put(1, 1);  // length 10, distance 2
  EXPECT_EQ(Lh5(b.Done(), 21), Bytes(21, 'x'));
}

TEST(Lh5Decode, NewHeaderAfterBlockOfOneSymbol) {
  Bits b;
  SingleSymbolBlock(b, 1, 'A');
  SingleSymbolBlock(b, 2, 'B');
  EXPECT_EQ(Lh5(b.Done(), 3), FromString("ABB"));
}

TEST(Lh5Decode, CountIsTestedBetweenSymbolsOnly) {
  Bits b;
  b.Put(16, 2);
  TwoSymbolLengthCode(b);
  LiteralXAndLength10(b);
  b.Put(4, 0).Put(4, 0).Put(1, 0).Put(1, 1);
  // Asked for 5 bytes, the match still runs to its end.
  EXPECT_EQ(Lh5(b.Done(), 5), Bytes(11, 'x'));
}

TEST(Lh5Decode, HeaderReadFromPastTheEndRaises) {
  Bits b;
  SingleSymbolBlock(b, 1, 'A');
  // The next header would be all zero bits past the end: a block of 65536
  // zero bytes made out of nothing.
  EXPECT_THROW(Lh5(b.Done(), 4), ELZHBadDecodeTable);
  // Seven of the eight bits of the last byte are padding; the header ends
  // one bit into it, so a count the block covers decodes.
  EXPECT_EQ(Lh5(b.Done(), 1), Bytes{'A'});
}

TEST(Lh5Decode, InvalidTablesRaiseBadDecodeTable) {
  std::vector<Bytes> streams;
  {  // character code with one length-1 symbol: incomplete
    Bits b;
    b.Put(16, 1);
    TwoSymbolLengthCode(b);
    b.Put(9, 121).Put(1, 0).Put(9, 100).Put(1, 1);
    b.Put(4, 0).Put(4, 0);
    streams.push_back(b.Done());
  }
  {  // zero runs carrying the character list past 510 entries
    Bits b;
    b.Put(16, 1);
    TwoSymbolLengthCode(b);
    b.Put(9, 509).Put(1, 0).Put(9, 400).Put(1, 0).Put(9, 400);
    streams.push_back(b.Done());
  }
  {  // character count 511
    Bits b;
    b.Put(16, 1);
    TwoSymbolLengthCode(b);
    b.Put(9, 511);
    streams.push_back(b.Done());
  }
  {  // single character symbol outside the alphabet
    Bits b;
    SingleSymbolBlock(b, 1, 510);
    streams.push_back(b.Done());
  }
  {  // single position symbol outside the alphabet
    Bits b;
    SingleSymbolBlock(b, 1, 'A', 14);
    streams.push_back(b.Done());
  }
  {  // single code-length symbol outside the alphabet
    Bits b;
    b.Put(16, 1).Put(5, 0).Put(5, 19);
    streams.push_back(b.Done());
  }
  {  // code-length code with a length of 17 inside the alphabet
    Bits b;
    b.Put(16, 1).Put(5, 2).Put(14, 0x3FFE).Put(3, 1);
    streams.push_back(b.Done());
  }
  {  // all zero bits except a count: every length 0 -> no code at all
    Bits b;
    b.Put(16, 1).Put(5, 3).Put(9, 0).Put(9, 0);
    streams.push_back(b.Done());
  }
  for (size_t i = 0; i < streams.size(); ++i) {
    try {
      Lh5(streams[i], 10);
      ADD_FAILURE() << "stream " << i << " decoded";
    } catch (const ELZHBadDecodeTable& e) {
      EXPECT_STREQ(e.what(), "Bad decode table in archive!") << i;
    }
  }
}

// A block whose character code is a ladder of 17 literals: 'A' + k - 1 has
// k bits for k = 1..15 (k - 1 one bits, then a zero), 'P' and 'Q' 16 bits.
// The code-length code gives t = 0..12 four bits (code t) and t = 13..18
// five bits (codes 26..31).
class LadderBlock {
 public:
  static int Length(uint8_t c) { return c == 'Q' ? 16 : c - 'A' + 1; }
  static void Header(Bits& b, uint16_t size) {
    b.Put(16, size).Put(5, 19);
    for (int t = 0; t < 19; ++t) {
      b.Put(3, t < 13 ? 4 : 5);
      if (t == 2) b.Put(2, 0);  // no zero lengths after the third
    }
    b.Put(9, 'Q' + 1);
    PutT(b, 2).Put(9, 'A' - 20);  // a run of 65 zero lengths
    for (uint8_t c = 'A'; c <= 'Q'; ++c) PutT(b, Length(c) + 2);
    b.Put(4, 0).Put(4, 0);  // position code: one symbol, never used
  }
  static void Symbol(Bits& b, uint8_t c) {
    const int k = Length(c);
    b.Put(k, c == 'Q' ? 0xFFFF : (1u << k) - 2);
  }

 private:
  static Bits& PutT(Bits& b, int t) { return t < 13 ? b.Put(4, t) : b.Put(5, 26 + t - 13); }
};

// The bit window is refilled once per symbol, eight bytes at a time, from an
// input window that ends where the codec's 8192-byte chunk ends. Codes of
// every length, long ones (beyond the 12-bit table) right after short ones,
// are made to end at every bit from 70 before to 70 after the end of the
// first chunk (offset 0: on its last bit), and the streams' own ends move bit
// by bit with them. The one-bit codes before them step the refills through
// every byte up to the end of the input window, so one lands exactly on it.
TEST(Lh5Decode, CodesAroundTheEndOfAChunkAtEveryBit) {
  const Bytes pattern = {'A', 'Q', 'B', 'N', 'A', 'P', 'C', 'M', 'A', 'O', 'L'};
  constexpr int kChunkBits = 8192 * 8;
  for (int offset = -70; offset <= 70; ++offset) {
    Bytes plain;
    Bits probe;
    LadderBlock::Header(probe, 0);
    const size_t headerBits = probe.BitCount();
    // Bytes of eight bits to near the chunk's end, then one-bit codes so that
    // the first long code ('Q', after 'A') ends `offset` bits from it.
    const size_t wide = (kChunkBits - headerBits - 100) / 8;
    const size_t narrow = kChunkBits + offset - headerBits - 8 * wide - 1 - 16;
    plain.insert(plain.end(), wide, 'H');
    plain.insert(plain.end(), narrow, 'A');
    for (int k = 0; k < 6; ++k) plain.insert(plain.end(), pattern.begin(), pattern.end());
    plain.insert(plain.end(), 5, 'A');
    Bits b;
    LadderBlock::Header(b, static_cast<uint16_t>(plain.size()));
    for (uint8_t c : plain) LadderBlock::Symbol(b, c);
    const size_t firstLongEnd = headerBits + 8 * wide + narrow + 1 + 16;
    ASSERT_EQ(firstLongEnd, static_cast<size_t>(kChunkBits + offset));
    const Bytes stored = b.Done();
    ASSERT_EQ(Lh5(stored, static_cast<int32_t>(plain.size())), plain) << "offset " << offset;
  }
}

// The widest symbols a block can hold: a match of 256 bytes with a 16-bit
// code, the 13-bit position code of j = 13 and its 12 extra bits, 41 bits in
// all, one refill each. Runs of them cross the end of the first 8192-byte
// chunk at every bit of a 64-bit stretch, so that every refill position up
// to the end of the input window meets one: a window that handed out bytes
// it does not hold would show here. The character code: 'x' in one bit,
// 'a'..'n' in 2..15, 'o' and the match (symbol 509) in 16.
TEST(Lh5Decode, WidestSymbolsAcrossTheEndOfAChunk) {
  auto putT = [](Bits& b, int t) { t < 13 ? b.Put(4, t) : b.Put(5, 26 + t - 13); };
  for (int shift = 0; shift < 64; ++shift) {
    Bits b;
    Bytes plain;
    std::vector<int> symbols;  // 'o', 'x' or 509
    // 16-bit literals to about 1000 bits before the chunk's end, `shift`
    // one-bit ones, then the wide matches, a few one-bit literals among them.
    constexpr size_t kHeaderBits = 279;
    constexpr size_t kChunkBits = 8192 * 8;
    const size_t wide = (kChunkBits - kHeaderBits - 1000) / 16;
    for (size_t i = 0; i < wide; ++i) symbols.push_back('o');
    for (int i = 0; i < shift; ++i) symbols.push_back('x');
    for (int i = 0; i < 48; ++i) {
      symbols.push_back(509);
      if (i % 5 == 4) symbols.push_back('x');
    }
    b.Put(16, static_cast<uint32_t>(symbols.size()));
    // Code-length code: t 0..12 in four bits, 13..18 in five.
    b.Put(5, 19);
    for (int t = 0; t < 19; ++t) {
      b.Put(3, t < 13 ? 4 : 5);
      if (t == 2) b.Put(2, 0);
    }
    b.Put(9, 510);
    putT(b, 2), b.Put(9, 'a' - 20);
    for (int len = 2; len <= 16; ++len) putT(b, len + 2);  // 'a'..'o'
    putT(b, 1), b.Put(4, 'x' - 'o' - 1 - 3);
    putT(b, 3);  // 'x'
    putT(b, 2), b.Put(9, 509 - 'x' - 1 - 20);
    putT(b, 18);  // 509
    // Position code: j has j + 1 bits, 12 and 13 have 13.
    b.Put(4, 14);
    for (int j = 0; j < 14; ++j) PutLength(b, j < 12 ? j + 1 : 13);
    ASSERT_EQ(b.BitCount(), kHeaderBits);
    uint32_t extra = 0x5A3;
    for (int c : symbols) {
      if (c == 'x') {
        b.Put(1, 0);
        plain.push_back('x');
      } else if (c == 'o') {
        b.Put(16, 0xFFFE);
        plain.push_back('o');
      } else {
        b.Put(16, 0xFFFF).Put(13, 0x1FFF).Put(12, extra);
        const size_t distance = (1u << 12) + extra;
        for (int k = 0; k < 256; ++k) {
          const size_t at = plain.size();
          plain.push_back(at > distance ? plain[at - distance - 1] : ' ');
        }
        extra = (extra * 5 + 1) & 0xFFF;
      }
    }
    ASSERT_GT(b.BitCount(), kChunkBits + 500);
    ASSERT_EQ(Lh5(b.Done(), static_cast<int32_t>(plain.size())), plain) << "shift " << shift;
  }
}

// Position codes of 1 to 13 bits (j has j + 1 bits, the last two 13), past
// the 8-bit table, each with its extra bits, after literals that fill the
// dictionary with a known text. The character code: the match of length 3 in
// one bit ("0"), literals 'a'..'p' in five ("1" and four bits).
TEST(Lh5Decode, LongPositionCodesWalkTheTree) {
  Bits b;
  Bytes plain;
  const Bytes text = RandomBytes(8192, 77, 16);
  std::vector<uint32_t> positions;
  for (uint32_t j = 0; j < 14; ++j) {
    const uint32_t base = j == 0 ? 0 : 1u << (j - 1);
    positions.push_back(base);
    if (j > 1) positions.push_back(2 * base - 1);  // the largest with this code
  }
  b.Put(16, static_cast<uint32_t>(text.size() + positions.size()));
  // Code-length code: t2 "0", t3 "10", t7 "11" (runs of 20+ zeros, lengths 1 and 5).
  b.Put(5, 8).Put(3, 0).Put(3, 0).Put(3, 1).Put(2, 0).Put(3, 2).Put(3, 0).Put(3, 0).Put(3, 0).Put(3, 2);
  b.Put(9, 257);
  b.Put(1, 0).Put(9, 'a' - 20);
  for (int c = 'a'; c <= 'p'; ++c) b.Put(2, 3);
  b.Put(1, 0).Put(9, 256 - 'q' - 20);
  b.Put(2, 2);  // symbol 256, length 1
  b.Put(4, 14);
  for (int j = 0; j < 14; ++j) PutLength(b, j < 12 ? j + 1 : 13);
  for (uint8_t t : text) {
    b.Put(5, 16 + t);
    plain.push_back(static_cast<uint8_t>('a' + t));
  }
  for (uint32_t p : positions) {
    b.Put(1, 0);
    const uint32_t j = p == 0 ? 0 : 32 - __builtin_clz(p);
    b.Put(j < 13 ? j + 1 : 13, j < 13 ? (1u << (j + 1)) - 2 : 0x1FFF);
    if (j > 1) b.Put(static_cast<int>(j) - 1, p - (1u << (j - 1)));
    for (int k = 0; k < 3; ++k) plain.push_back(plain[plain.size() - p - 1]);
  }
  EXPECT_EQ(Lh5(b.Done(), static_cast<int32_t>(plain.size())), plain);
}

TEST(Lh5Decode, CountZeroReadsNothing) {
  CodecOwner owner;
  int calls = 0;
  owner.OnShowProgress = [&](int32_t&) { ++calls; };
  const CodecResult r = RunStream(coLZH5, CodecDirection::kExpand, Bytes{1, 2, 3}, 0, owner);
  EXPECT_TRUE(r.out.empty());
  EXPECT_EQ(calls, 0);
}

TEST(Lh5Encode, SmallInputsGiveKnownStreams) {
  EXPECT_TRUE(Encode(coLZH5, {}).empty());
  // One literal: single-symbol codes everywhere, no symbol bits, then padding.
  Bits one;
  SingleSymbolBlock(one, 1, 'A');
  EXPECT_EQ(Encode(coLZH5, FromString("A")), one.Done());
  // The encoder only matches text it has read (the initial spaces are not in
  // its tree), so three spaces are three literals of one single-symbol block.
  Bits spaces;
  SingleSymbolBlock(spaces, 3, ' ');
  EXPECT_EQ(Encode(coLZH5, FromString("   ")), spaces.Done());
}

// Data whose byte frequencies halve from one value to the next: the natural
// code would be far longer than 16 bits, so the length limit must act and the
// decoder must walk its tree nodes.
Bytes SkewedBytes(size_t n) {
  Bytes b(n);
  uint32_t x = 12345;
  for (auto& c : b) {
    x = x * 1664525u + 1013904223u;
    uint32_t v = x | 1;
    int k = 0;
    while (!(v & 0x80000000u) && k < 24) {
      v <<= 1;
      ++k;
    }
    c = static_cast<uint8_t>(k * 7 + 1);
  }
  return b;
}

TEST(Lh5RoundTrip, AllKindsOfInput) {
  std::vector<Bytes> inputs = {
      Bytes{0x00},          Bytes{0x94},
      Bytes(1000, 0x94),    Bytes(300, ' '),
      Bytes(70000, 'q'),    RandomBytes(8191, 1),
      RandomBytes(8192, 2), RandomBytes(8193, 3),
      TextBytes(16384, 4),  TextBytes(150000, 5),
      RandomBytes(40000, 6, 4), SkewedBytes(200000),
  };
  Bytes mixed = TextBytes(30000, 9);
  const Bytes noise = RandomBytes(30000, 10);
  mixed.insert(mixed.end(), noise.begin(), noise.end());
  mixed.insert(mixed.end(), mixed.begin(), mixed.begin() + 20000);
  inputs.push_back(mixed);
  for (const Bytes& plain : inputs) {
    for (int32_t key : {0, -0x12345679}) {
      CodecOwner owner;
      owner.Key = key;
      owner.OutputReserve = -static_cast<int32_t>(plain.size()) - 64;
      const CodecResult enc = RunStream(coLZH5, CodecDirection::kCompress, plain, 0, owner);
      EXPECT_EQ(enc.checksum, Sum(plain));
      const CodecResult dec = RunStream(coLZH5, CodecDirection::kExpand, enc.out,
                                        static_cast<int32_t>(plain.size()), owner, key != 0);
      ASSERT_EQ(dec.out, plain) << plain.size() << " key " << key;
      EXPECT_EQ(dec.checksum, Sum(plain));
    }
  }
}

// Data repeating with every period from 1 to 40 makes the encoder send
// matches whose source overlaps their destination at every distance, short
// and long, and across the dictionary's wrap: each must repeat exactly.
TEST(Lh5RoundTrip, OverlappingMatchesAtEveryDistance) {
  Bytes plain;
  for (int period = 1; period <= 40; ++period) {
    const Bytes unit = RandomBytes(period, 100 + period);
    for (int i = 0; i < 700; ++i) plain.push_back(unit[i % period]);
    const Bytes gap = RandomBytes(13, 200 + period);  // ends the run with literals
    plain.insert(plain.end(), gap.begin(), gap.end());
  }
  // Short runs too: matches of 3 to 20 bytes at distances 1 to 20.
  for (int len = 3; len <= 20; ++len) {
    for (int dist = 1; dist <= 20; ++dist) {
      const Bytes unit = RandomBytes(dist, 7 * len + dist);
      for (int i = 0; i < dist + len; ++i) plain.push_back(unit[i % dist]);
      plain.push_back(static_cast<uint8_t>(len * 11 + dist));
    }
  }
  ASSERT_GT(plain.size(), 2u * 8192);
  const Bytes packed = Encode(coLZH5, plain);
  EXPECT_LT(packed.size(), plain.size() / 2);
  EXPECT_EQ(Lh5(packed, static_cast<int32_t>(plain.size())), plain);
  // Distances just under the dictionary size: in the ring the source lies a
  // few bytes ahead of the destination, so the copy must read the old bytes
  // before it overwrites them.
  for (int dist : {8180, 8186, 8190, 8191}) {
    for (int tail = 1; tail < 8; tail += 2) {  // the last match is not a multiple of 8 bytes
      Bytes far = RandomBytes(dist, 300 + dist);
      far.insert(far.end(), far.begin(), far.begin() + 2 * 256 + 16 + tail);
      const Bytes farPacked = Encode(coLZH5, far);
      EXPECT_LT(farPacked.size(), far.size() - 400) << dist;
      EXPECT_EQ(Lh5(farPacked, static_cast<int32_t>(far.size())), far) << dist << "+" << tail;
    }
  }
}


TEST(Lh5RoundTrip, CompressesRepetitiveData) {
  const Bytes text = TextBytes(100000, 3);
  EXPECT_LT(Encode(coLZH5, text).size(), text.size() / 3);
  EXPECT_LT(Encode(coLZH5, Bytes(100000, 'q')).size(), 1000u);
}

}  // namespace
}  // namespace zel::test

namespace zel::test {
namespace {

uint32_t Fnv1a(const Bytes& b) {
  uint32_t h = 2166136261u;
  for (uint8_t c : b) h = (h ^ c) * 16777619u;
  return h;
}

// Golden digests of encoder output. The match finder's internals (its child
// lookup in particular) may be tuned for speed, but the bit stream must not
// move: these values were taken with the plain (node + 16 x byte) child hash.
TEST(Lh5Encode, StreamsMatchGoldenDigests) {
  Bytes mixed = TextBytes(60000, 31);
  const Bytes noise = RandomBytes(20000, 32, 16);
  mixed.insert(mixed.end(), noise.begin(), noise.end());
  mixed.insert(mixed.end(), mixed.begin() + 1000, mixed.begin() + 41000);
  const struct {
    Bytes plain;
    uint32_t digest;
  } cases[] = {
      {TextBytes(200000, 21), 0x7b0f1affu},
      {mixed, 0x4ed4242du},
      {RandomBytes(50000, 23), 0xa03605e1u},
  };
  for (const auto& c : cases) {
    const Bytes packed = Encode(coLZH5, c.plain);
    EXPECT_EQ(Fnv1a(packed), c.digest) << std::hex << Fnv1a(packed) << " size " << std::dec << packed.size();
  }
}

}  // namespace
}  // namespace zel::test
