// Streams that run on past their input. The LZH decoders may look at zero
// bits beyond the last byte but must not consume them: a cut or empty stream
// with a large count ends in ELZHBadDecodeTable instead of writing its count
// of bytes out of nothing. Valid streams of every size must never trip it.
#include <gtest/gtest.h>

#include <set>

#include "codec_test_util.h"

namespace zel::test {
namespace {

constexpr int32_t kHugeCount = 500000000;

struct Overrun {
  bool raised = false;
  Bytes written;  // what reached the destination
};

Overrun DecodeInto(int method, const Bytes& stored, int32_t count) {
  TMemoryStream source(stored);
  TMemoryStream dest;
  uint32_t checksum = 0;
  Overrun r;
  try {
    RunCodec({}, dest, source, static_cast<int32_t>(stored.size()), count, method, checksum,
             CodecDirection::kExpand, false);
  } catch (const ELZHBadDecodeTable& e) {
    EXPECT_STREQ(e.what(), "Bad decode table in archive!");
    r.raised = true;
  }
  r.written = dest.Data();
  return r;
}

Bytes Mixed(size_t textSize, size_t noiseSize, uint32_t seed) {
  Bytes b = TextBytes(textSize, seed);
  const Bytes noise = RandomBytes(noiseSize, seed + 1);
  b.insert(b.end(), noise.begin(), noise.end());
  return b;
}

const int kLzhMethods[] = {coLZH5, coLZH};

TEST(DecodeOverrun, EmptyStreamWithHugeCountRaisesWithoutWriting) {
  for (int method : kLzhMethods) {
    const Overrun r = DecodeInto(method, {}, kHugeCount);
    EXPECT_TRUE(r.raised) << method;
    EXPECT_TRUE(r.written.empty()) << method;
  }
  // Zero bits that are really there do decode: as static-Huffman blocks of
  // 65536 zero bytes, 52 header bits each, or as adaptive symbols of at least
  // one bit and 60 bytes at most. Once they are used up, the stream stops.
  const Bytes zeros(40, 0);
  const Overrun lh5 = DecodeInto(coLZH5, zeros, kHugeCount);
  EXPECT_TRUE(lh5.raised);
  EXPECT_LE(lh5.written.size(), 40u * 8 / 52 * 65536);
  EXPECT_EQ(lh5.written, Bytes(lh5.written.size(), 0));
  const Overrun lzh = DecodeInto(coLZH, zeros, kHugeCount);
  EXPECT_TRUE(lzh.raised);
  EXPECT_LE(lzh.written.size(), 40u * 8 * 60);
}

// A stream asked for far more than it holds writes at most what it encodes:
// the check comes before the bytes decoded from beyond the input are flushed.
TEST(DecodeOverrun, ValidStreamWithHugeCountWritesOnlyWhatItHolds) {
  const Bytes plain = Mixed(90000, 20000, 3);
  for (int method : kLzhMethods) {
    const Overrun r = DecodeInto(method, Encode(method, plain), kHugeCount);
    EXPECT_TRUE(r.raised) << method;
    ASSERT_LE(r.written.size(), plain.size()) << method;
    EXPECT_TRUE(std::equal(r.written.begin(), r.written.end(), plain.begin())) << method;
  }
}

// Cut anywhere, a valid stream must consume a bit it no longer has before it
// completes its count: up to the cut it decodes exactly as before.
TEST(DecodeOverrun, EveryCutOfAValidStreamRaises) {
  const Bytes plain = Mixed(2500, 300, 5);
  for (int method : kLzhMethods) {
    const Bytes packed = Encode(method, plain);
    ASSERT_GT(packed.size(), 500u);
    const auto count = static_cast<int32_t>(plain.size());
    for (size_t cut = 0; cut < packed.size(); ++cut) {
      const Overrun r = DecodeInto(method, Bytes(packed.begin(), packed.begin() + cut), count);
      ASSERT_TRUE(r.raised) << method << " cut at " << cut;
    }
    EXPECT_FALSE(DecodeInto(method, packed, count).raised) << method;
  }
  // A longer one, cut around the refills of the input.
  const Bytes big = Mixed(30000, 30000, 6);
  for (int method : kLzhMethods) {
    const Bytes packed = Encode(method, big);
    ASSERT_GT(packed.size(), 16384u + 8);
    for (size_t cut : {size_t{8191}, size_t{8192}, size_t{8193}, size_t{16384}, packed.size() - 1}) {
      const Overrun r =
          DecodeInto(method, Bytes(packed.begin(), packed.begin() + cut), static_cast<int32_t>(big.size()));
      EXPECT_TRUE(r.raised) << method << " cut at " << cut;
    }
  }
}

// Every valid stream ends within its last byte, whatever its size: tiny ones,
// ones whose stored size lands on or beside a refill of the input, and (for
// the static-Huffman method) ones whose last block holds one or a few symbols.
TEST(DecodeOverrun, ValidStreamsOfEverySizeDecode) {
  for (int method : kLzhMethods) {
    std::set<size_t> packedSizes;
    auto check = [&](const Bytes& plain) {
      const Bytes packed = Encode(method, plain);
      packedSizes.insert(packed.size());
      const Overrun r = DecodeInto(method, packed, static_cast<int32_t>(plain.size()));
      ASSERT_FALSE(r.raised) << method << " size " << plain.size();
      ASSERT_EQ(r.written, plain) << method << " size " << plain.size();
    };
    for (size_t n = 0; n <= 70; ++n) {
      check(RandomBytes(n, 40 + static_cast<uint32_t>(n)));
      check(TextBytes(n, 41));
    }
    // Noise packs to a little more than its size, so one step in the plain
    // size is about one in the stored size; find the sizes that store to
    // about one and two input chunks.
    // The code changes with every added byte, so a few noises are needed to
    // land on each size.
    for (uint32_t seed : {42u, 43u, 44u}) {
      const Bytes noise = RandomBytes(20000, seed);
      for (size_t chunks : {1u, 2u}) {
        const size_t target = chunks * 8192;
        const size_t packed = Encode(method, Bytes(noise.begin(), noise.begin() + target)).size();
        const size_t middle = target * target / packed;
        for (size_t n = middle - 40; n <= middle + 40; ++n) check(Bytes(noise.begin(), noise.begin() + n));
      }
    }
    for (size_t stored : {8191u, 8192u, 8193u, 16383u, 16384u, 16385u})
      EXPECT_TRUE(packedSizes.count(stored)) << method << " " << stored;
    if (method == coLZH5) {
      // About 14545 literals fill one block of noise: end just before, on and after it.
      const Bytes noise = RandomBytes(15000, 45);
      for (size_t n = 14530; n <= 14560; ++n) check(Bytes(noise.begin(), noise.begin() + n));
    }
  }
}

// The run-length decoder ignores the count: it stops where its input ends.
TEST(DecodeOverrun, RunLengthStopsAtTheEndOfItsInput) {
  EXPECT_TRUE(DecodeInto(coRLE, {}, kHugeCount).written.empty());
  const Bytes plain = Mixed(20000, 5000, 7);
  const Bytes packed = Encode(coRLE, plain);
  const Overrun whole = DecodeInto(coRLE, packed, kHugeCount);
  EXPECT_FALSE(whole.raised);
  EXPECT_EQ(whole.written, plain);
  // Cut in the middle of a run token: the marker reads its count as 0.
  const Bytes cut = {0x41, 0x94};
  EXPECT_EQ(DecodeInto(coRLE, cut, kHugeCount).written, (Bytes{0x41, 0x94}));
}

}  // namespace
}  // namespace zel::test
