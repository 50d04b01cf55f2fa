// Run-length method: exact stored bytes and round trips.
#include <gtest/gtest.h>

#include "codec_test_util.h"

namespace zel::test {
namespace {

Bytes Repeat(size_t n, uint8_t b) { return Bytes(n, b); }

TEST(RunLength, EncodesExactBytes) {
  struct Case {
    Bytes plain;
    Bytes stored;
  } cases[] = {
      {{0x41, 0x41, 0x41, 0x41, 0x41}, {0x41, 0x94, 0x05}},
      {{0x41, 0x41}, {0x41, 0x41}},
      {{0x41}, {0x41}},
      {{0x41, 0x41, 0x41}, {0x41, 0x94, 0x03}},
      {{0x94}, {0x94, 0x00}},
      {{0x94, 0x94, 0x94}, {0x94, 0x00, 0x94, 0x00, 0x94, 0x00}},
      {Repeat(300, 0x41), {0x41, 0x94, 0xFF, 0x41, 0x94, 0x2D}},
      {Repeat(255, 0x41), {0x41, 0x94, 0xFF}},
      {Repeat(256, 0x41), {0x41, 0x94, 0xFF, 0x41}},
      {Repeat(257, 0x41), {0x41, 0x94, 0xFF, 0x41, 0x41}},
      // The remembered byte starts as 0, but a first 0 is still a literal.
      {{0x00, 0x00, 0x00}, {0x00, 0x94, 0x03}},
      {{0x00}, {0x00}},
      // A run ending in a marker: run first, then the escaped marker.
      {{0x41, 0x41, 0x41, 0x94, 0x41}, {0x41, 0x94, 0x03, 0x94, 0x00, 0x41}},
      {{0x41, 0x94, 0x41, 0x41}, {0x41, 0x94, 0x00, 0x41, 0x41}},
      {{}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Encode(coRLE, c.plain), c.stored) << c.plain.size();
    EXPECT_EQ(Decode(coRLE, c.stored, 0), c.plain) << c.plain.size();
  }
}

TEST(RunLength, DecodesTokensTheEncoderNeverWrites) {
  struct Case {
    Bytes stored;
    Bytes plain;
  } cases[] = {
      {{0x41, 0x94, 0x01}, {0x41}},              // 94 01 writes nothing
      {{0x41, 0x94, 0x02}, {0x41, 0x41}},        // 94 02 one copy
      {{0x41, 0x94}, {0x41, 0x94}},              // marker at the end is a literal
      {{0x94, 0x05}, {0, 0, 0, 0}},              // repeats the initial 0
      {{0x94, 0x00, 0x94, 0x03}, {0x94, 0x94, 0x94}},  // after a marker token, 0x94 repeats
  };
  for (const Case& c : cases) EXPECT_EQ(Decode(coRLE, c.stored, 0), c.plain);
}

TEST(RunLength, RoundTripsAndSumsPlainBytes) {
  const Bytes inputs[] = {RandomBytes(50000, 1), TextBytes(40000, 2), Repeat(20000, 0x94),
                          Repeat(8192 * 3, 0x00), RandomBytes(8193, 4, 3)};
  for (const Bytes& plain : inputs) {
    for (int32_t key : {0, 0x5A3C1F77}) {
      CodecOwner owner;
      owner.Key = key;
      // All-marker data doubles; give it room with a negative reserve.
      owner.OutputReserve = -static_cast<int32_t>(plain.size()) - 16;
      const CodecResult enc = RunStream(coRLE, CodecDirection::kCompress, plain, 0, owner);
      EXPECT_EQ(enc.checksum, Sum(plain));
      const CodecResult dec = RunStream(coRLE, CodecDirection::kExpand, enc.out, 0, owner, key != 0);
      EXPECT_EQ(dec.out, plain);
      EXPECT_EQ(dec.checksum, Sum(plain));
    }
  }
}

}  // namespace
}  // namespace zel::test
