// Expands arbitrary bytes as the logical stream of a segment set. The bytes
// are cut into segment files of 200 bytes so that segment changes are covered.
#include <cstddef>
#include <algorithm>
#include <cstdint>

#include "archive/seg_compress.h"
#include "fuzz_scratch.h"

namespace {

void WriteSegments(const std::string& dir, const uint8_t* data, size_t size) {
  constexpr size_t kSlice = 200;
  uint16_t number = 1;
  size_t offset = 0;
  do {
    zel::TFileStream file(dir + "\\disk." + zel::ZeroPad(number, 3), zel::FileMode::kCreate);
    const uint8_t id[8] = {'S', 'S', 'e', 'g', 0, 0, static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8)};
    file.WriteBuffer(id, sizeof id);
    const size_t n = std::min(kSlice, size - offset);
    if (n > 0) file.WriteBuffer(data + offset, static_cast<int32_t>(n));
    offset += n;
    ++number;
  } while (offset < size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zel;
  const std::string dir = fuzz::FreshScratch("segment");
  const std::string out = dir + "\\out";
  fs::ForceDirectories(out);
  WriteSegments(dir, data, size);
  TSegCompEZ seg;
  seg.MaxEntrySize = 1 << 20;  // garbage may claim gigabytes
  seg.SegPopUp = false;  // no prompter: a missing segment is answered Cancel
  seg.SetSegDir(dir);
  seg.SetSegBaseName("disk");
  seg.SetSegTmpDir(dir + "\\tmp");
  seg.OnSegBeforeExpand = [&](TSegArcList& list) {
    for (int i = 0; i < list.Count(); ++i) list[i].TargetDir = out + "\\";
  };
  seg.OnCheckFile = [&](std::string& path, TCProcessMode) { fuzz::Confine(path, out); };
  try {
    seg.ExpandAll();
  } catch (const Exception&) {
  }
  fuzz::RemoveTree(dir);
  return 0;
}
