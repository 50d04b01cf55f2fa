// Builds and expands a whole segment set of a deterministic multi-megabyte
// product tree for every method, and runs the raw codec over the same bytes,
// printing MB/s for each (the difference is the cost of the container and of
// the segment files).
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "archive/seg_compress.h"
#include "archive/seg_writer.h"
#include "platform/fs.h"
#include "platform/paths.h"

namespace {

using namespace zel;
using Clock = std::chrono::steady_clock;

std::vector<uint8_t> Corpus(size_t size, uint32_t seed, int kind) {
  static const char* const kWords[] = {"setup ", "archive ", "segment ", "floppy ", "install\r\n", "folder "};
  std::vector<uint8_t> d;
  d.reserve(size);
  uint32_t x = seed * 2654435761u + 7;
  auto next = [&] {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return x;
  };
  while (d.size() < size) {
    const uint32_t r = next();
    if (kind == 0) {  // text-like
      const char* w = kWords[r % 6];
      d.insert(d.end(), w, w + std::char_traits<char>::length(w));
    } else if (kind == 1) {  // program-like: short runs, small numbers, some noise
      if (r % 4 == 0) d.insert(d.end(), r % 20 + 1, 0);
      else d.push_back(static_cast<uint8_t>(r % 4 == 1 ? r >> 8 : r % 16));
    } else {
      d.push_back(static_cast<uint8_t>(r >> 11));  // incompressible
    }
  }
  d.resize(size);
  return d;
}

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

void RemoveTree(const std::string& path) {
  for (const fs::FindEntry& e : fs::FindFiles(path + "\\*")) {
    if (e.name == "." || e.name == "..") continue;
    const std::string child = path + "\\" + e.name;
    if (e.attributes & fs::kAttrDirectory) RemoveTree(child);
    else fs::DeleteFile(child);
  }
  fs::RemoveDir(path);
}

}  // namespace

int main() {
  const std::string root = LowerCase(fs::GetCurrentDir()) + "\\zel_archive_bench";
  RemoveTree(root);
  std::vector<PackEntry> files;
  std::vector<uint8_t> all;
  for (int i = 0; i < 24; ++i) {
    PackEntry e;
    e.storedName = "dir" + std::to_string(i % 4) + "\\file" + std::to_string(i) + ".bin";
    e.data = Corpus(static_cast<size_t>(80000 + i * 15000), static_cast<uint32_t>(i + 1), i % 6 == 5 ? 2 : i % 2);
    e.fileDate = 0x2C210000;
    all.insert(all.end(), e.data.begin(), e.data.end());
    files.push_back(std::move(e));
  }
  const double mb = static_cast<double>(all.size()) / 1e6;
  std::printf("corpus: %zu files, %.2f MB; segment files of %d bytes\n\n", files.size(), mb, kFloppySegmentSize);
  std::printf("%-6s %12s %14s %14s %14s %14s\n", "method", "set size", "set build MB/s", "set expand MB/s",
              "codec pack MB/s", "codec unpack MB/s");
  for (TCompressionMethod method : {coNone, coRLE, coLZH, coLZH5}) {
    const std::string out = root + "\\" + LowerCase(MethodId(method));  // the reader lower-cases folders
    SegmentSetOptions o;
    o.outDir = out + "\\set";
    o.archive.method = method;
    auto t = Clock::now();
    const auto paths = WriteSegmentSet({{out + "\\x\\*.*", files}}, o);
    const double build = Seconds(t);
    int64_t setSize = 0;
    for (const auto& p : paths) setSize += fs::FileSize(p);

    TSegCompEZ seg;
    seg.SegPopUp = false;
    seg.SetSegDir(o.outDir);
    seg.SetSegBaseName("disk");
    seg.SetSegTmpDir(out + "\\tmp");
    t = Clock::now();
    seg.ExpandAll();
    const double expand = Seconds(t);

    double pack = 0, unpack = 0;
    if (method != coNone) try {
      TMemoryStream plain(all), packed, back;
      uint32_t sum = 0;
      t = Clock::now();
      RunCodec({}, packed, plain, static_cast<int32_t>(all.size()), 0, method, sum, CodecDirection::kCompress, false);
      pack = Seconds(t);
      packed.Seek(0, SeekOrigin::kBegin);
      t = Clock::now();
      RunCodec({}, back, packed, static_cast<int32_t>(packed.Size()), static_cast<int32_t>(all.size()), method, sum,
               CodecDirection::kExpand, false);
      unpack = Seconds(t);
      if (back.Data() != all) std::printf("codec round trip differs for %s\n", MethodId(method));
    } catch (const Exception& e) {
      std::printf("%s codec: %s\n", MethodId(method), e.what());
    }
    auto rate = [&](double s) { return s > 0 ? mb / s : 0.0; };
    std::printf("%-6s %12lld %14.1f %14.1f", MethodId(method), static_cast<long long>(setSize), rate(build),
                rate(expand));
    if (method == coNone) std::printf(" %14s %14s\n", "-", "-");  // stored: no codec run
    else std::printf(" %14.1f %14.1f\n", rate(pack), rate(unpack));
    RemoveTree(out);
  }
  RemoveTree(root);
  return 0;
}
