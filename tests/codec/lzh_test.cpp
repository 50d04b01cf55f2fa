// Adaptive-Huffman LZH: exact small outputs, tree behaviour, round trips.
#include <gtest/gtest.h>

#include <algorithm>

#include "codec/lzh_tree.h"
#include "codec_test_util.h"

namespace zel::test {
namespace {

int CodeLength(const lzh::AdaptiveTree& tree, int symbol) {
  int length = 0;
  for (int k = tree.parent[symbol + lzh::kTableSize]; k != lzh::kRoot; k = tree.parent[k]) ++length;
  return length;
}

TEST(LzhTree, InitialCodesAreNineBitsUpTo115AndEightBitsAfter) {
  lzh::AdaptiveTree tree;
  tree.Start();
  for (int sym = 0; sym < lzh::kSymbols; ++sym) EXPECT_EQ(CodeLength(tree, sym), sym < 116 ? 9 : 8) << sym;
}

TEST(LzhTree, FrequenciesStayOrderedThroughRebuilds) {
  lzh::AdaptiveTree tree;
  tree.Start();
  int rebuilds = 0;
  uint32_t x = 99;
  for (int n = 0; n < 100000; ++n) {
    x = x * 1103515245u + 12345u;
    if (tree.freq[lzh::kRoot] == lzh::kMaxFreq) ++rebuilds;
    tree.Update(static_cast<int>((x >> 16) % 40));  // a few frequent symbols
  }
  EXPECT_GE(rebuilds, 2);
  for (int i = 0; i + 1 < lzh::kTableSize; ++i) ASSERT_LE(tree.freq[i], tree.freq[i + 1]) << i;
  // Every node's children point back at it, and every symbol has its leaf.
  for (int i = 0; i < lzh::kTableSize; ++i) {
    const int k = tree.son[i];
    if (k >= lzh::kTableSize) {
      ASSERT_EQ(tree.parent[k], i);
    } else {
      ASSERT_EQ(tree.parent[k], i);
      ASSERT_EQ(tree.parent[k + 1], i);
    }
  }
}

TEST(LzhTree, SkewedFrequenciesGiveCodesLongerThan16Bits) {
  lzh::AdaptiveTree tree;
  tree.Start();
  // Counts growing like Fibonacci numbers on top of the 305 untouched leaves
  // make the deepest tree that fits below the rebuild limit.
  const int counts[] = {320, 320, 640, 960, 1600, 2560, 4160, 6720, 10880};
  for (int sym = 0; sym < 9; ++sym) {
    for (int k = 0; k < counts[sym]; ++k) tree.Update(sym);
  }
  ASSERT_LT(tree.freq[lzh::kRoot], lzh::kMaxFreq);
  int longest = 0;
  for (int sym = 0; sym < lzh::kSymbols; ++sym) {
    int length = 0;
    const uint64_t bits = tree.Code(sym, length);
    longest = std::max(longest, length);
    // Walking from the root with the code's bits, first bit first, ends at the symbol.
    int v = tree.son[lzh::kRoot];
    for (int i = length - 1; i >= 0; --i) {
      ASSERT_LT(v, lzh::kTableSize) << sym;
      v = tree.son[v + ((bits >> i) & 1)];
    }
    ASSERT_EQ(v, sym + lzh::kTableSize) << sym;
  }
  EXPECT_GT(longest, 16);
}

TEST(LzhEncode, SmallInputsGiveKnownBytes) {
  EXPECT_TRUE(Encode(coLZH, {}).empty());
  EXPECT_EQ(Encode(coLZH, {0x80}), (Bytes{0x0C}));        // 8-bit code 00001100
  EXPECT_EQ(Encode(coLZH, {0x41}), (Bytes{0xE6, 0x80}));  // 9-bit code 111001101
  // Leading spaces match the ring's initial spaces at once: one length symbol
  // and one position instead of ten literals.
  EXPECT_LE(Encode(coLZH, Bytes(10, ' ')).size(), 3u);
  // A long run: a literal, then matches at distance 1.
  EXPECT_LE(Encode(coLZH, Bytes(600, 'A')).size(), 25u);
}

TEST(LzhDecode, CountZeroReadsNothingAndDamageStaysInBounds) {
  CodecOwner owner;
  int calls = 0;
  owner.OnShowProgress = [&](int32_t&) { ++calls; };
  EXPECT_TRUE(RunStream(coLZH, CodecDirection::kExpand, Bytes{1, 2, 3}, 0, owner).out.empty());
  EXPECT_EQ(calls, 0);
  // Any bits decode to something; a match may run past the count by up to 59.
  // Junk too short for the count runs past its end instead.
  for (uint32_t seed = 1; seed < 20; ++seed) {
    const Bytes junk = RandomBytes(2000 + seed * 37, seed);
    const size_t out = Decode(coLZH, junk, 5000).size();
    EXPECT_GE(out, 5000u);
    EXPECT_LT(out, 5060u);
    EXPECT_THROW(Decode(coLZH, Bytes(junk.begin(), junk.begin() + 300), 5000), ELZHBadDecodeTable);
  }
}

// Bytes with Fibonacci-like frequencies, shuffled, so literal codes grow long.
Bytes FibonacciBytes() {
  Bytes b;
  uint32_t a = 1, c = 1;
  for (int sym = 0; sym < 21; ++sym) {
    b.insert(b.end(), a, static_cast<uint8_t>(sym * 11 + 3));
    const uint32_t n = a + c;
    a = c;
    c = n;
  }
  uint32_t x = 5;
  for (size_t i = b.size() - 1; i > 0; --i) {
    x = x * 1664525u + 1013904223u;
    std::swap(b[i], b[(x >> 8) % (i + 1)]);
  }
  return b;
}

TEST(LzhRoundTrip, AllKindsOfInput) {
  Bytes mixed = TextBytes(20000, 9);
  const Bytes noise = RandomBytes(20000, 10);
  mixed.insert(mixed.end(), noise.begin(), noise.end());
  mixed.insert(mixed.end(), mixed.begin(), mixed.begin() + 15000);
  const std::vector<Bytes> inputs = {
      Bytes{0x00}, Bytes{0x94}, Bytes(59, 'z'), Bytes(60, 'z'), Bytes(61, 'z'), Bytes(5000, ' '),
      Bytes(1000, 0x94), RandomBytes(4095, 1), RandomBytes(4097, 2), RandomBytes(8192, 3),
      TextBytes(50000, 4),
      RandomBytes(120000, 6),  // far more than 32455 symbols: many rebuilds
      RandomBytes(30000, 7, 3), FibonacciBytes(), mixed,
  };
  for (const Bytes& plain : inputs) {
    for (int32_t key : {0, 0x7F000081}) {
      CodecOwner owner;
      owner.Key = key;
      owner.OutputReserve = -static_cast<int32_t>(plain.size()) - 64;
      const CodecResult enc = RunStream(coLZH, CodecDirection::kCompress, plain, 0, owner);
      EXPECT_EQ(enc.checksum, Sum(plain));
      const CodecResult dec = RunStream(coLZH, CodecDirection::kExpand, enc.out,
                                        static_cast<int32_t>(plain.size()), owner, key != 0);
      ASSERT_EQ(dec.out, plain) << plain.size() << " key " << key;
      EXPECT_EQ(dec.checksum, Sum(plain));
    }
  }
}

// A stream written by hand from the shared tree: literals with skewed
// counts that push the unused symbols' codes past 16 bits, then two of those
// symbols. The decoder must follow codes of any length.
TEST(LzhDecode, FollowsCodesLongerThan16Bits) {
  const int counts[] = {320, 320, 640, 960, 1600, 2560, 4160, 6720, 10880};
  Bytes plain;
  for (int sym = 0; sym < 9; ++sym) plain.insert(plain.end(), counts[sym], static_cast<uint8_t>(sym));
  plain.push_back(200);
  plain.push_back(201);
  lzh::AdaptiveTree tree;
  tree.Start();
  Bytes stream;
  int used = 0;
  int longest = 0;
  for (uint8_t symbol : plain) {
    int length = 0;
    const uint64_t bits = tree.Code(symbol, length);
    longest = std::max(longest, length);
    for (int i = length - 1; i >= 0; --i) {
      if (used % 8 == 0) stream.push_back(0);
      stream.back() |= static_cast<uint8_t>(((bits >> i) & 1) << (7 - used % 8));
      ++used;
    }
    tree.Update(symbol);
  }
  ASSERT_GT(longest, 16);
  EXPECT_EQ(Decode(coLZH, stream, static_cast<int32_t>(plain.size())), plain);
}

TEST(LzhRoundTrip, CompressesRepetitiveData) {
  const Bytes text = TextBytes(100000, 3);
  EXPECT_LT(Encode(coLZH, text).size(), text.size() / 3);
}

}  // namespace
}  // namespace zel::test
