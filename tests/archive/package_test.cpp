#include "archive/package.h"

#include <gtest/gtest.h>

#include "archive_test_util.h"
#include "platform/fs.h"

namespace zel {
namespace {

using test::ReadBytes;
using test::ScratchDir;

TEST(Package, BuildListTestExtract) {
  ScratchDir product, out, tmp, dest;
  fs::ForceDirectories(product / "app\\bin");
  test::WriteBytes(product / "app\\bin\\prog.exe", test::NoiseData(50000, 1));
  test::WriteBytes(product / "app\\empty.ini", {});
  test::WriteBytes(product / "app\\readme.txt", test::SampleData(30000, 2));
  BuildRequest b;
  b.folders = {product / "app"};
  b.set.outDir = out.Path();
  b.set.segmentSize = 16384;
  b.set.archive.key = 99;
  const auto paths = BuildPackage(b);
  ASSERT_GE(paths.size(), 2u);
  ReadRequest r;
  r.segDir = out.Path();
  r.tmpDir = tmp.Path();
  r.key = 99;
  const auto listed = ListPackage(r);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].templateText, "app\\*.*");
  EXPECT_EQ(listed[0].files, (std::vector<std::string>{"bin\\prog.exe", "empty.ini", "readme.txt"}));
  EXPECT_EQ(TestPackage(r), 3);
  EXPECT_FALSE(fs::FileExists("app\\bin\\prog.exe"));  // testing writes nothing
  const auto written = ExtractPackage(r, dest.Path());
  EXPECT_EQ(written.size(), 3u);
  EXPECT_EQ(ReadBytes(dest / "app\\bin\\prog.exe"), ReadBytes(product / "app\\bin\\prog.exe"));
  EXPECT_EQ(fs::FileSize(dest / "app\\empty.ini"), 0);
  // Stored (incompressible) entries are not protected by the key; the
  // compressed ones are.
  r.key = 98;
  EXPECT_THROW(TestPackage(r), EInvalidKey);
}

TEST(Package, ExtractRefusesNamesLeavingTheDestination) {
  ScratchDir out, tmp, dest;
  SegArchiveSpec spec{"x\\", {{"..\\..\\escaped.txt", "", test::Text("e"), 0, 0}}};
  SegmentSetOptions o;
  o.outDir = out.Path();
  o.archive.method = coNone;
  WriteSegmentSet({spec}, o);
  ReadRequest r;
  r.segDir = out.Path();
  r.tmpDir = tmp.Path();
  EXPECT_THROW(ExtractPackage(r, dest.Path()), Exception);
  EXPECT_FALSE(fs::FileExists(dest.Path() + "\\..\\escaped.txt"));
}

TEST(Package, BuildRejectsMissingOrEmptyFolders) {
  ScratchDir out, empty;
  BuildRequest b;
  b.set.outDir = out.Path();
  b.folders = {empty / "nothere"};
  EXPECT_THROW(BuildPackage(b), std::invalid_argument);
  b.folders = {empty.Path()};
  EXPECT_THROW(BuildPackage(b), std::invalid_argument);
}

}  // namespace
}  // namespace zel
