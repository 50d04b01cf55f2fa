// The codec driver: buffers, progress, checksums, key scrambling, output limit.
#include <gtest/gtest.h>

#include <vector>

#include "codec/codec_state.h"
#include "codec_test_util.h"

namespace zel::test {
namespace {

// A memory stream that records the sizes of reads and writes and may cut writes short.
class RecordingStream : public TMemoryStream {
 public:
  using TMemoryStream::TMemoryStream;
  int32_t Read(void* buffer, int32_t count) override {
    reads.push_back(count);
    return TMemoryStream::Read(buffer, count);
  }
  int32_t Write(const void* buffer, int32_t count) override {
    writes.push_back(count);
    if (shortWrites) return TMemoryStream::Write(buffer, count / 2);
    return TMemoryStream::Write(buffer, count);
  }
  std::vector<int32_t> reads, writes;
  bool shortWrites = false;
};

TEST(CodecDriver, MethodsWithoutCodecWriteNothingAndSumZero) {
  const Bytes data = TextBytes(1000, 1);
  for (int method : {0, 3, 5, 200}) {
    for (auto dir : {CodecDirection::kExpand, CodecDirection::kCompress}) {
      const CodecResult r = RunStream(method, dir, data, 1000);
      EXPECT_TRUE(r.out.empty()) << method;
      EXPECT_EQ(r.checksum, 0u) << method;
    }
  }
}

TEST(CodecDriver, EmptyInputNeverAsksTheSource) {
  for (int method : {coRLE, coLZH, coLZH5}) {
    for (auto dir : {CodecDirection::kExpand, CodecDirection::kCompress}) {
      RecordingStream source(Bytes{1, 2, 3});
      RecordingStream dest;
      uint32_t checksum = 99;
      RunCodec({}, dest, source, 0, 0, method, checksum, dir, false);
      EXPECT_TRUE(source.reads.empty()) << method;
      EXPECT_TRUE(dest.Data().empty()) << method;
      EXPECT_EQ(checksum, 0u) << method;
    }
  }
}

TEST(CodecDriver, ReadsInChunksOfAtMost8192) {
  RecordingStream source(RandomBytes(20000, 3));
  RecordingStream dest;
  uint32_t checksum = 0;
  RunCodec({}, dest, source, 20000, 0, coRLE, checksum, CodecDirection::kExpand, false);
  EXPECT_EQ(source.reads, (std::vector<int32_t>{8192, 8192, 3616}));
}

TEST(CodecDriver, ExactMultipleOf8192IsWrittenInFullBlocks) {
  // Plain bytes without the marker pass through the run-length decoder unchanged.
  Bytes data = RandomBytes(16384, 5, 0x90);
  for (size_t i = 1; i < data.size(); ++i)
    if (data[i] == data[i - 1]) data[i] = static_cast<uint8_t>(data[i] ^ 1);
  RecordingStream source(data);
  RecordingStream dest;
  uint32_t checksum = 0;
  RunCodec({}, dest, source, 16384, 0, coRLE, checksum, CodecDirection::kExpand, false);
  EXPECT_EQ(dest.writes, (std::vector<int32_t>{8192, 8192}));
  EXPECT_EQ(dest.Data(), data);
  EXPECT_EQ(checksum, Sum(data));
}

TEST(CodecDriver, LzhDecodersWriteFullBlocksToo) {
  const Bytes data = TextBytes(16384, 8);
  for (int method : {coLZH, coLZH5}) {
    const Bytes packed = Encode(method, data);
    RecordingStream source(packed);
    RecordingStream dest;
    uint32_t checksum = 0;
    RunCodec({}, dest, source, static_cast<int32_t>(packed.size()), 16384, method, checksum,
             CodecDirection::kExpand, false);
    EXPECT_EQ(dest.writes, (std::vector<int32_t>{8192, 8192})) << method;
    EXPECT_EQ(dest.Data(), data) << method;
    EXPECT_EQ(checksum, Sum(data)) << method;
  }
}

TEST(CodecDriver, ShortWriteRaisesAndChecksumIsNotSet) {
  const Bytes data(9000, 0x41);
  RecordingStream source(RandomBytes(9000, 9, 0x90));
  RecordingStream dest;
  dest.shortWrites = true;
  uint32_t checksum = 77;
  EXPECT_THROW(RunCodec({}, dest, source, 9000, 0, coRLE, checksum, CodecDirection::kExpand, false),
               EWriteError);
  EXPECT_EQ(checksum, 77u);
}

// Percentage after the first 8192-byte chunk, for several input sizes. Above
// 100000 the total is divided by 100 first (102401 gives 8 where 7 would be
// the multiply-first answer).
TEST(CodecDriver, ProgressFormulaDependsOnTotal) {
  struct Case {
    int32_t size;
    int32_t first;
    int32_t last;
  } cases[] = {{100000, 8, 100}, {100001, 8, 100}, {102401, 8, 100}, {150000, 5, 100},
               {4096, 100, 100}, {30000000, 0, 100}};
  for (const Case& c : cases) {
    std::vector<int32_t> seen;
    CodecOwner owner;
    owner.OnShowProgress = [&](int32_t& p) { seen.push_back(p); };
    TMemoryStream source(Bytes(static_cast<size_t>(c.size), 0x41));
    TMemoryStream dest;
    uint32_t checksum = 0;
    RunCodec(owner, dest, source, c.size, 0, coRLE, checksum, CodecDirection::kExpand, false);
    ASSERT_EQ(seen.size(), static_cast<size_t>((c.size + 8191) / 8192)) << c.size;
    EXPECT_EQ(seen.front(), c.first) << c.size;
    EXPECT_EQ(seen.back(), c.last) << c.size;
  }
}

TEST(CodecDriver, AbandonKeepsFlagUntilALaterRefillSucceeds) {
  const Bytes data = RandomBytes(20000, 11);
  TMemoryStream source(data);
  TMemoryStream dest;
  int calls = 0;
  CodecOwner owner;
  owner.OnShowProgress = [&](int32_t& p) {
    if (++calls == 1) p = -1;
  };
  CodecState s(owner, dest, source, 20000, CodecDirection::kExpand, false);
  EXPECT_EQ(s.CodecReadByte(), 0);
  EXPECT_TRUE(s.EndOfInput());
  // The abandoned chunk is still handed out, with the flag left set.
  for (size_t i = 0; i < 8192; ++i) {
    ASSERT_EQ(s.CodecReadByte(), data[i]);
    ASSERT_TRUE(s.EndOfInput());
  }
  EXPECT_EQ(calls, 1);
  // The next refill asks the handler again; it accepts, so the flag clears.
  EXPECT_EQ(s.CodecReadByte(), data[8192]);
  EXPECT_FALSE(s.EndOfInput());
  EXPECT_EQ(calls, 2);
}

// The bulk read must hand out the same bytes, stop at the same place and leave
// the same checksum, key position and flag as the byte-at-a-time loop it
// stands for: across refills, with a key, and with a handler that abandons.
TEST(CodecDriver, BulkReadMatchesTheByteLoop) {
  struct Case {
    int32_t size, request;
    int32_t key;
    int abandonAt;  // 1-based progress call answered -1; 0: never
  };
  const Case cases[] = {{20000, 5000, 0, 0},     {20000, 8192, 0x1234567, 0}, {20000, 30000, 0, 0},
                        {20000, 3000, 0x55, 2},  {8192, 8192, 0, 1},          {100, 7, 0x0A0B0C0D, 0}};
  for (const Case& c : cases) {
    const Bytes data = RandomBytes(c.size, 21);
    // Each state keeps a reference to its owner, so each gets its own.
    int callsA = 0, callsB = 0;
    CodecOwner ownerA, ownerB;
    ownerA.Key = ownerB.Key = c.key;
    ownerA.OnShowProgress = [&](int32_t& p) {
      if (++callsA == c.abandonAt) p = -1;
    };
    ownerB.OnShowProgress = [&](int32_t& p) {
      if (++callsB == c.abandonAt) p = -1;
    };
    TMemoryStream srcA(data), srcB(data), dest;
    CodecState a(ownerA, dest, srcA, c.size, CodecDirection::kExpand, true);
    CodecState b(ownerB, dest, srcB, c.size, CodecDirection::kExpand, true);
    for (int round = 0; round < 4; ++round) {
      Bytes viaLoop, viaBulk(c.request);
      while (static_cast<int32_t>(viaLoop.size()) < c.request) {
        const uint8_t byte = a.CodecReadByte();
        if (a.EndOfInput()) break;
        viaLoop.push_back(byte);
      }
      viaBulk.resize(b.CodecReadBytes(viaBulk.data(), c.request));
      ASSERT_EQ(viaBulk, viaLoop) << c.size << "/" << c.request << " round " << round;
      ASSERT_EQ(b.EndOfInput(), a.EndOfInput());
      ASSERT_EQ(b.ReadChecksum(), a.ReadChecksum());
      ASSERT_EQ(callsB, callsA);
    }
    // Same key position: the next byte unscrambles alike.
    EXPECT_EQ(b.CodecReadByte(), a.CodecReadByte());
  }
}

// A block write must leave the destination, the checksum and the key position
// as the byte loop it stands for: straight from the caller's bytes when the
// buffer is empty, through the buffer when it holds bytes or when they are
// scrambled.
TEST(CodecDriver, BlockWriteMatchesTheByteLoop) {
  struct Case {
    CodecDirection direction;
    int32_t key;
    int32_t before;               // bytes written one by one first
    std::vector<int32_t> blocks;  // then these block sizes
  };
  const Case cases[] = {{CodecDirection::kExpand, 0, 0, {8192, 8192, 100}},
                        {CodecDirection::kExpand, 0, 0, {8192, 0}},
                        {CodecDirection::kExpand, 0, 5, {8192, 8192}},
                        {CodecDirection::kCompress, 0x01020304, 0, {8192, 3000}}};
  for (const Case& c : cases) {
    RecordingStream destA, destB;
    TMemoryStream srcA, srcB;
    CodecOwner owner;
    owner.Key = c.key;
    owner.OutputReserve = -100000;
    CodecState a(owner, destA, srcA, 0, c.direction, false);
    CodecState b(owner, destB, srcB, 0, c.direction, false);
    const Bytes data = RandomBytes(40000, 31);
    size_t at = 0;
    for (; at < static_cast<size_t>(c.before); ++at) {
      a.CodecWriteByte(data[at]);
      b.CodecWriteByte(data[at]);
    }
    for (int32_t n : c.blocks) {
      for (int32_t i = 0; i < n; ++i) a.CodecWriteByte(data[at + i]);
      b.CodecWriteBlock(data.data() + at, n);
      at += n;
    }
    a.FlushRest();
    b.FlushRest();
    EXPECT_EQ(destB.Data(), destA.Data()) << c.before;
    EXPECT_EQ(destB.writes, destA.writes) << c.before;
    EXPECT_EQ(b.WriteChecksum(), a.WriteChecksum()) << c.before;
  }
}

TEST(CodecDriver, AbandonStopsRunLengthDecoding) {
  CodecOwner owner;
  owner.OnShowProgress = [](int32_t& p) { p = -1; };
  const CodecResult r = RunStream(coRLE, CodecDirection::kExpand, Bytes(100, 0x41), 0, owner);
  EXPECT_TRUE(r.out.empty());
  EXPECT_EQ(r.checksum, 0u);
}

// After the handler gives up, the LZH decoders see the end of their input:
// they read no further chunk and end in an error at the first bit they would
// take from past it, whichever refill the handler gave up on.
TEST(CodecDriver, AbandonedLzhStreamsReadNoFurtherAndRaise) {
  for (int method : {coLZH5, coLZH}) {
    const Bytes packed = Encode(method, RandomBytes(40000, 4));
    ASSERT_GT(packed.size(), 4 * 8192u);
    for (int abandonAt : {1, 2, 4}) {
      RecordingStream source(packed);
      RecordingStream dest;
      int calls = 0;
      CodecOwner owner;
      owner.OnShowProgress = [&](int32_t& p) {
        if (++calls == abandonAt) p = -1;
      };
      uint32_t checksum = 1;
      try {
        RunCodec(owner, dest, source, static_cast<int32_t>(packed.size()), 40000, method, checksum,
                 CodecDirection::kExpand, false);
        ADD_FAILURE() << method << " abandoned at " << abandonAt << " did not raise";
      } catch (const ELZHBadDecodeTable& e) {
        EXPECT_STREQ(e.what(), "Bad decode table in archive!");
      }
      EXPECT_EQ(source.reads.size(), static_cast<size_t>(abandonAt)) << method;
      EXPECT_EQ(calls, abandonAt) << method;
      EXPECT_EQ(checksum, 1u) << method;
      // Only whole blocks decoded from the chunks before went out.
      EXPECT_LE(dest.Data().size(), 8192u * (abandonAt - 1)) << method;
    }
  }
}

TEST(CodecDriver, KeyScramblesStoredBytesFromTheLowestKeyByte) {
  const Bytes plain = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
  CodecOwner owner;
  owner.Key = 0x04030201;
  const CodecResult r = RunStream(coRLE, CodecDirection::kCompress, plain, 0, owner);
  EXPECT_EQ(r.out, (Bytes{0x11, 0x22, 0x33, 0x44, 0x51, 0x62}));
  EXPECT_EQ(r.checksum, Sum(plain));  // compressing sums the plain input
  // A second stream starts at the lowest key byte again.
  EXPECT_EQ(RunStream(coRLE, CodecDirection::kCompress, plain, 0, owner).out, r.out);
  // Expanding unscrambles only when the stream says it is scrambled.
  const CodecResult back = RunStream(coRLE, CodecDirection::kExpand, r.out, 0, owner, true);
  EXPECT_EQ(back.out, plain);
  EXPECT_EQ(back.checksum, Sum(plain));
  EXPECT_EQ(RunStream(coRLE, CodecDirection::kExpand, r.out, 0, owner, false).out, r.out);
  // Key 0 never scrambles, whatever the flag says.
  EXPECT_EQ(RunStream(coRLE, CodecDirection::kExpand, plain, 0, CodecOwner{}, true).out, plain);
}

TEST(CodecDriver, OutputLimitIsInputSizeMinusReserve) {
  const Bytes five(5, 0x41);  // compresses to 41 94 05
  CodecOwner owner;
  owner.OutputReserve = 2;
  EXPECT_EQ(RunStream(coRLE, CodecDirection::kCompress, five, 0, owner).out, (Bytes{0x41, 0x94, 0x05}));
  owner.OutputReserve = 3;
  EXPECT_THROW(RunStream(coRLE, CodecDirection::kCompress, five, 0, owner), EUnableToCompress);
}

TEST(CodecDriver, GrowingOutputRaisesUnableToCompressWithoutWriting) {
  TMemoryStream source(Bytes(20000, 0x94));
  TMemoryStream dest;
  uint32_t checksum = 5;
  try {
    RunCodec({}, dest, source, 20000, 0, coRLE, checksum, CodecDirection::kCompress, false);
    FAIL() << "no exception";
  } catch (const EUnableToCompress& e) {
    EXPECT_STREQ(e.what(), "Could not compress data");
  }
  EXPECT_EQ(checksum, 5u);
  // Full blocks went out before the limit was hit; the partial one did not.
  EXPECT_EQ(dest.Data().size() % 8192, 0u);
  EXPECT_LE(dest.Data().size(), 20000u);
}

}  // namespace
}  // namespace zel::test
