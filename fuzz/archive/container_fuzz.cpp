// Lists and expands arbitrary bytes as a compressed archive.
#include <cstddef>
#include <cstdint>

#include "archive/compress.h"
#include "fuzz_scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zel;
  const std::string dir = fuzz::FreshScratch("container");
  TMemoryStream source(std::vector<uint8_t>(data, data + size));
  TCompress c;
  c.MaxEntrySize = 1 << 20;  // garbage may claim gigabytes
  c.SetTargetPath(dir);
  c.MakeDirectories = true;
  c.Key = size > 0 ? data[0] : 0;
  c.OnCheckFile = [&](std::string& path, TCProcessMode) { fuzz::Confine(path, dir); };
  TStringList list;
  try {
    c.ListStreamContents(source, list);
  } catch (const Exception&) {
  }
  FreeListObjects(list);
  for (bool testOnly : {true, false}) {
    source.Seek(0, SeekOrigin::kBegin);
    c.TestOnly = testOnly;
    try {
      c.ExpandStreamFiles(source, nullptr);
    } catch (const Exception&) {
    }
  }
  fuzz::RemoveTree(dir);
  return 0;
}
