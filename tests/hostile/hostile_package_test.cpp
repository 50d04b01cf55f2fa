// Every hostile package ends in its clear error when listed, verified or
// extracted, and nothing outside the private folders is created, changed or
// deleted: sentinel files stand beside the scratch folder, beside the
// destination and further up, and the names the packages aim at exist there.
#include <gtest/gtest.h>

#include <chrono>
#include <map>

#include "archive/package.h"
#include "archive/archive_test_util.h"
#include "hostile_sets.h"
#include "platform/fs.h"
#include "platform/paths.h"

namespace zel {
namespace {

// Path -> content of every file below folder, leaving out the given folders.
void Snapshot(const std::string& folder, const std::vector<std::string>& skip, std::map<std::string, std::string>& out) {
  for (const fs::FindEntry& e : fs::FindFiles(folder + "\\*")) {
    if (e.name == "." || e.name == "..") continue;
    const std::string path = folder + "\\" + e.name;
    if (std::find(skip.begin(), skip.end(), path) != skip.end()) continue;
    if (e.attributes & fs::kAttrDirectory) {
      Snapshot(path, skip, out);
    } else {
      const auto bytes = test::ReadBytes(path);
      out[path] = std::string(bytes.begin(), bytes.end());
    }
  }
}

// base\sentinel.txt, base\win.ini, base\a\evil.txt ... the set in base\a\b\set,
// the scratch folder base\a\b\tmp\mine, the destination base\a\b\dest.
struct Layout {
  test::ScratchDir base;
  std::string deep, set, tmp, scratch, dest, writer;
  Layout() {
    deep = base / "a\\b";
    set = deep + "\\set";
    tmp = deep + "\\tmp";
    scratch = tmp + "\\mine";
    dest = deep + "\\dest";
    writer = base / "writer";
    for (const std::string& dir : {scratch, dest, writer}) fs::ForceDirectories(dir);
    for (const std::string& dir : {base.Path(), base / "a", deep, tmp})
      for (const char* name : {"sentinel.txt", "win.ini", "evil.txt", "evil.lst"})
        test::WriteBytes(dir + "\\" + name, test::Text(std::string("keep ") + name));
  }
  std::map<std::string, std::string> Outside() {
    std::map<std::string, std::string> files;
    Snapshot(base.Path(), {set, scratch, dest, writer}, files);
    return files;
  }
  ReadRequest Request() const {
    ReadRequest r;
    r.segDir = set;
    r.tmpDir = scratch;
    return r;
  }
};

void ExpectError(const test::HostileCase& c, const std::function<void()>& run) {
  try {
    run();
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
  }
}

class HostilePackage : public ::testing::TestWithParam<test::HostileCase> {};

TEST_P(HostilePackage, EndsInItsErrorAndTouchesNothingOutside) {
  const test::HostileCase& c = GetParam();
  if (c.needsDecoderRule && !test::DecoderStopsAtEndOfInput())
    GTEST_SKIP() << "skipped: needs the decoder's end-of-input rule";
  Layout at;
  test::WriteHostileSet(c.name, at.set, at.writer);
  const auto before = at.Outside();
  const auto started = std::chrono::steady_clock::now();
  if (c.listFails) ExpectError(c, [&] { ListPackage(at.Request()); });
  else EXPECT_NO_THROW(ListPackage(at.Request()));
  ExpectError(c, [&] { TestPackage(at.Request()); });
  ExpectError(c, [&] { ExtractPackage(at.Request(), at.dest); });
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
  EXPECT_EQ(at.Outside(), before);
  std::map<std::string, std::string> left;
  Snapshot(at.scratch, {}, left);
  EXPECT_TRUE(left.empty()) << left.begin()->first;
  // Whatever arrived stayed in the destination and is small.
  std::map<std::string, std::string> written;
  Snapshot(at.dest, {}, written);
  for (const auto& [path, bytes] : written) EXPECT_LT(bytes.size(), 100000u) << path;
  if (c.listFails) {
    EXPECT_TRUE(written.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, HostilePackage, ::testing::ValuesIn(test::HostileCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zel
