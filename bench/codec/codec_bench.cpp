// Prints the speed (MB/s of plain bytes) and compressed size of every codec
// method in both directions, with zlib (deflate level 6, inflate) on the same
// data as a reference. The corpus is built here, deterministically. The
// methods and zlib run in turns, round after round, and each method's speed
// is also given as the median of its per-round ratios to zlib: on a shared
// machine the best-of-N figures wander by 15 %, the paired ratio does not.
#include <algorithm>
#include <ctime>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "codec/codec.h"
#include "platform/stream.h"
#ifdef ZEL_BENCH_ZLIB
#include <zlib.h>
#endif

namespace {

using Bytes = std::vector<uint8_t>;

// Thread CPU time: other work on a shared machine distorts it far less than
// wall-clock time does.
double CpuNow() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

uint32_t Next(uint32_t& x) {
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  return x;
}

// Words of varying frequency, punctuation and line breaks.
Bytes TextLike(size_t n) {
  static const char* const kWords[] = {
      "the", "of", "and", "to", "in", "is", "that", "for", "it", "as", "with", "was", "on",
      "setup", "install", "folder", "registry", "value", "program", "shortcut", "Windows",
      "archive", "segment", "disk", "license", "destination", "directory", "system", "file"};
  constexpr size_t kCount = sizeof kWords / sizeof kWords[0];
  Bytes b;
  b.reserve(n);
  uint32_t x = 2463534242u;
  while (b.size() < n) {
    const uint32_t r = Next(x);
    const size_t pick = (r % 7 < 4) ? r % 13 : r % kCount;  // common words more often
    for (const char* w = kWords[pick]; *w; ++w) b.push_back(static_cast<uint8_t>(*w));
    const uint32_t p = (r >> 20) % 16;
    b.push_back(p == 0 ? '.' : (p == 1 ? ',' : ' '));
    if (p == 0) b.push_back('\n');
  }
  b.resize(n);
  return b;
}

// Records of small integers, offsets and flags, like program code and tables.
Bytes BinaryLike(size_t n) {
  Bytes b;
  b.reserve(n);
  uint32_t x = 88172645u;
  uint32_t offset = 0x401000;
  while (b.size() < n) {
    const uint32_t r = Next(x);
    offset += (r & 0x3F) + 4;
    const uint8_t rec[16] = {0x8B, static_cast<uint8_t>(0x45 + (r >> 30)), static_cast<uint8_t>(r >> 8 & 0x1F),
                             0xE8, static_cast<uint8_t>(offset), static_cast<uint8_t>(offset >> 8),
                             static_cast<uint8_t>(offset >> 16), 0x00, 0x00, 0x00, 0x00,
                             static_cast<uint8_t>(r >> 16 & 3), 0x94, 0xC3, 0x90, 0x90};
    const size_t take = 8 + (r >> 24) % 9;
    b.insert(b.end(), rec, rec + take);
  }
  b.resize(n);
  return b;
}

// Uniform random bytes, like data that is compressed already.
Bytes CompressedLike(size_t n) {
  Bytes b(n);
  uint32_t x = 1234567u;
  for (auto& c : b) c = static_cast<uint8_t>(Next(x) >> 11);
  return b;
}

double MBps(size_t bytes, double seconds) { return seconds > 0 ? bytes / seconds / 1e6 : 0; }

// Thread CPU seconds of one call of f.
template <typename F>
double Time(F&& f) {
  const double t0 = CpuNow();
  f();
  return CpuNow() - t0;
}

// One run of a method over in; only the codec itself is timed. out receives
// what it wrote.
double TimeCodec(int method, zel::CodecDirection dir, const Bytes& in, int32_t plainSize, Bytes& out) {
  zel::TMemoryStream source(in);
  zel::TMemoryStream dest;
  dest.Data().reserve(plainSize > 0 ? plainSize : in.size() * 2);
  zel::CodecOwner owner;
  owner.OutputReserve = -static_cast<int32_t>(in.size());  // never give up on incompressible data
  uint32_t checksum = 0;
  const double seconds = Time([&] {
    zel::RunCodec(owner, dest, source, static_cast<int32_t>(in.size()), plainSize, method, checksum, dir,
                  false);
  });
  out = dest.Data();
  return seconds;
}

// FNV-1a of the packed stream: a changed digest means a changed bit stream.
uint32_t Digest(const uint8_t* p, size_t n) {
  uint32_t h = 2166136261u;
  for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 16777619u;
  return h;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t mid = v.size() / 2;
  return v.size() % 2 ? v[mid] : (v[mid - 1] + v[mid]) / 2;
}

// Per round, how many times faster than zlib the method was (zlib's time over
// the method's); the median of those. Both ran in the same round, so a change
// of load on the machine between rounds falls out of the ratio.
double MedianSpeedup(const std::vector<double>& method, const std::vector<double>& zlib) {
  std::vector<double> ratios;
  for (size_t r = 0; r < method.size() && r < zlib.size(); ++r) {
    if (method[r] > 0) ratios.push_back(zlib[r] / method[r]);
  }
  return Median(ratios);
}

struct Row {
  Row(const char* n, int o) : name(n), ordinal(o) {}
  const char* name;
  int ordinal;  // -1: zlib
  Bytes packed, back;
  std::vector<double> enc, dec;  // thread CPU seconds, one per round
};

// Packs the corpus once (timed when timeEncode) and unpacks it once, into the row.
void RunOnce(Row& row, const Bytes& data, bool timeEncode) {
  const auto plain = static_cast<int32_t>(data.size());
  if (row.ordinal >= 0) {
    if (timeEncode || row.packed.empty()) {
      const double enc = TimeCodec(row.ordinal, zel::CodecDirection::kCompress, data, 0, row.packed);
      if (timeEncode) row.enc.push_back(enc);
    }
    row.dec.push_back(TimeCodec(row.ordinal, zel::CodecDirection::kExpand, row.packed, plain, row.back));
    return;
  }
#ifdef ZEL_BENCH_ZLIB
  if (timeEncode || row.packed.empty()) {
    row.packed.resize(compressBound(data.size()));
    uLongf packedSize = row.packed.size();
    const double enc = Time([&] { compress2(row.packed.data(), &packedSize, data.data(), data.size(), 6); });
    row.packed.resize(packedSize);
    if (timeEncode) row.enc.push_back(enc);
  }
  row.back.resize(data.size());
  uLongf backSize = row.back.size();
  row.dec.push_back(
      Time([&] { uncompress(row.back.data(), &backSize, row.packed.data(), row.packed.size()); }));
  row.back.resize(backSize);
#else
  (void)data;
#endif
}

void PrintSpeed(const std::vector<double>& seconds, const std::vector<double>& zlib, size_t plain,
                bool haveZlib) {
  if (seconds.empty()) {
    std::printf(" %9s %7s", "-", "-");
    return;
  }
  std::printf(" %9.1f", MBps(plain, Median(seconds)));
  if (haveZlib) {
    std::printf(" %6.2fx", MedianSpeedup(seconds, zlib));
  } else {
    std::printf(" %7s", "-");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 30;
  const bool decodeOnly = argc > 2 && std::string(argv[2]) == "decode";
  if (argc > 3 || rounds < 1 || (argc > 2 && !decodeOnly)) {
    std::fprintf(stderr,
                 "usage: codec_bench [rounds [decode]]   (rounds >= 1, default 30;\n"
                 "       decode: time only the expanding direction)\n");
    return 2;
  }
  struct Corpus {
    const char* name;
    Bytes data;
  } corpora[] = {{"text-like", TextLike(4 << 20)},
                 {"binary-like", BinaryLike(3 << 20)},
                 {"compressed-like", CompressedLike(2 << 20)}};
#ifdef ZEL_BENCH_ZLIB
  const bool haveZlib = true;
#else
  const bool haveZlib = false;
#endif

  std::printf("%d paired rounds: each round runs every method and zlib (deflate 6, inflate) in turn\n",
              rounds);
  std::printf("on the same data. MB/s: median over the rounds of plain bytes per second of thread CPU\n");
  std::printf("time. x zlib: median over the rounds of zlib's time over the method's in the same round.\n");
  std::printf("%-16s %-8s %9s %9s %7s %9s %7s %9s %7s %8s\n", "corpus", "method", "plain", "packed", "ratio",
              "enc MB/s", "x zlib", "dec MB/s", "x zlib", "digest");
  for (const Corpus& c : corpora) {
    // zlib runs right after LH5, and the order turns round every round, so
    // neither of the two always runs on a warmer cache.
    std::vector<Row> rows;
    rows.emplace_back("LH5", zel::coLZH5);
    if (haveZlib) rows.emplace_back("zlib-6", -1);
    rows.emplace_back("LZH", zel::coLZH);
    rows.emplace_back("RLE", zel::coRLE);
    for (int r = 0; r < rounds; ++r) {
      for (size_t i = 0; i < rows.size(); ++i) {
        RunOnce(rows[r % 2 ? rows.size() - 1 - i : i], c.data, !decodeOnly);
      }
    }
    const Row* zlib = haveZlib ? &rows[1] : nullptr;
    for (const Row& row : rows) {
      const size_t packed = row.packed.size();
      std::printf("%-16s %-8s %9zu %9zu %6.2f%%", c.name, row.name, c.data.size(), packed,
                  100.0 * packed / c.data.size());
      PrintSpeed(row.enc, zlib ? zlib->enc : row.enc, c.data.size(), haveZlib);
      PrintSpeed(row.dec, zlib ? zlib->dec : row.dec, c.data.size(), haveZlib);
      std::printf(" %08x %s\n", Digest(row.packed.data(), packed), row.back == c.data ? "ok" : "MISMATCH");
    }
  }
  return 0;
}
