// hostile_sets OUTDIR: writes every hostile package of the test suite into
// OUTDIR\<case> and prints one line per case: its name, whether listing
// alone fails (1/0) and whether the setup program fails on it (1/0). Cases
// this build's decoder cannot end yet are left out, with a "skipped:" line
// on the error output.
#include <cstdio>
#include <exception>

#include "hostile_sets.h"
#include "platform/fs.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: hostile_sets OUTDIR\n");
    return 2;
  }
  using namespace zel;
  try {
    const std::string out = fs::ExpandFileName(argv[1]);
    const std::string scratch = out + "\\scratch";
    const bool decoderRule = test::DecoderStopsAtEndOfInput();
    for (const test::HostileCase& c : test::HostileCases()) {
      if (c.needsDecoderRule && !decoderRule) {
        std::fprintf(stderr, "skipped: %s needs the decoder's end-of-input rule\n", c.name.c_str());
        continue;
      }
      test::WriteHostileSet(c.name, out + "\\" + c.name, scratch + "\\" + c.name);
      std::printf("%s %d %d\n", c.name.c_str(), c.listFails ? 1 : 0, c.installFails ? 1 : 0);
    }
    fs::RemoveTree(scratch);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "hostile_sets: %s\n", e.what());
    return 1;
  }
  return 0;
}
