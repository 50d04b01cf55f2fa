// Prints the speed (MB/s of plain bytes) and compressed size of every codec
// method in both directions, with zlib (deflate level 6, inflate) on the same
// data as a reference. The corpus is built here, deterministically.
#include <algorithm>
#include <ctime>
#include <cstdint>
#include <cstdio>
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

void Report(const char* corpus, const char* method, size_t plain, size_t packed, uint32_t digest,
            double encS, double decS, bool ok) {
  std::printf("%-16s %-10s %10zu %10zu %7.2f%% %9.1f %9.1f %08x %s\n", corpus, method, plain, packed,
              100.0 * packed / plain, MBps(plain, encS), MBps(plain, decS), digest, ok ? "ok" : "MISMATCH");
}

}  // namespace

int main(int argc, char** argv) {
  const int reps = argc > 1 ? std::atoi(argv[1]) : 3;
  if (argc > 2 || reps < 1) {
    std::fprintf(stderr, "usage: codec_bench [runs]   (runs >= 1, default 3)\n");
    return 2;
  }
  struct Corpus {
    const char* name;
    Bytes data;
  } corpora[] = {{"text-like", TextLike(4 << 20)},
                 {"binary-like", BinaryLike(3 << 20)},
                 {"compressed-like", CompressedLike(2 << 20)}};
  struct Row {
    Row(const char* n, int o) : name(n), ordinal(o) {}
    const char* name;
    int ordinal;  // -1: zlib
    Bytes packed, back;
    double enc = 1e30, dec = 1e30;
  };

  std::printf("best of %d runs, taken in turns so every method sees the same load on the machine;\n", reps);
  std::printf("MB/s of plain bytes per second of thread CPU time\n");
  std::printf("%-16s %-10s %10s %10s %8s %9s %9s\n", "corpus", "method", "plain", "packed", "ratio",
              "enc MB/s", "dec MB/s");
  std::printf("%-16s %-10s %10s %10s %8s %9s %9s %8s\n", "", "", "", "", "", "", "", "digest");
  for (const Corpus& c : corpora) {
    const auto plain = static_cast<int32_t>(c.data.size());
    std::vector<Row> rows;
    rows.emplace_back("LH5", zel::coLZH5);
    rows.emplace_back("LZH", zel::coLZH);
    rows.emplace_back("RLE", zel::coRLE);
#ifdef ZEL_BENCH_ZLIB
    rows.emplace_back("zlib-6", -1);
#endif
    for (int r = 0; r < reps; ++r) {
      for (Row& row : rows) {
        double enc, dec;
        if (row.ordinal >= 0) {
          enc = TimeCodec(row.ordinal, zel::CodecDirection::kCompress, c.data, 0, row.packed);
          dec = TimeCodec(row.ordinal, zel::CodecDirection::kExpand, row.packed, plain, row.back);
        } else {
#ifdef ZEL_BENCH_ZLIB
          row.packed.resize(compressBound(c.data.size()));
          uLongf packedSize = row.packed.size();
          enc = Time([&] { compress2(row.packed.data(), &packedSize, c.data.data(), c.data.size(), 6); });
          row.packed.resize(packedSize);
          row.back.resize(c.data.size());
          uLongf backSize = row.back.size();
          dec = Time([&] { uncompress(row.back.data(), &backSize, row.packed.data(), row.packed.size()); });
          row.back.resize(backSize);
#else
          enc = dec = 0;
#endif
        }
        row.enc = std::min(row.enc, enc);
        row.dec = std::min(row.dec, dec);
      }
    }
    for (const Row& row : rows) {
      Report(c.name, row.name, c.data.size(), row.packed.size(), Digest(row.packed.data(), row.packed.size()),
             row.enc, row.dec, row.back == c.data);
    }
  }
  return 0;
}
