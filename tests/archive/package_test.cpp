#include "archive/package.h"

#include <gtest/gtest.h>

#include "archive_test_util.h"
#include "platform/fs.h"
#include "platform/safe_name.h"

#ifndef _WIN32
#include <unistd.h>
#endif

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
  // Every entry, stored ones included, needs the right key.
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

// Writes a one-archive set into out and returns the request that reads it.
ReadRequest OneArchiveSet(const SegArchiveSpec& spec, const ScratchDir& out, const ScratchDir& tmp) {
  SegmentSetOptions o;
  o.outDir = out.Path();
  WriteSegmentSet({spec}, o);
  ReadRequest r;
  r.segDir = out.Path();
  r.tmpDir = tmp.Path();
  return r;
}

TEST(Package, TemplateFolderDecidesWhereAnArchiveGoes) {
  const std::string dest = "D:\\dest";
  EXPECT_EQ(ExtractFolder(dest, "app\\"), "D:\\dest\\app\\");
  EXPECT_EQ(ExtractFolder(dest, "app/sub/"), "D:\\dest\\app\\sub\\");
  EXPECT_EQ(ExtractFolder(dest + "\\", ""), "D:\\dest\\");
  // An absolute template folder names the author's machine: its files go
  // straight into the destination.
  for (const char* absolute : {"C:\\Program Files\\App\\", "\\root\\", "/root/", "\\\\server\\share\\", "a:"})
    EXPECT_EQ(ExtractFolder(dest, absolute), "D:\\dest\\") << absolute;
  for (const char* unsafe : {"..\\..\\tpl\\", "app\\..\\..\\", "q2/../../", "x\\a:b\\", "CON\\", "app.\\"}) {
    try {
      ExtractFolder(dest, unsafe);
      ADD_FAILURE() << unsafe;
    } catch (const EUnsafeName& e) {
      EXPECT_EQ(std::string(e.what()).rfind("damaged or unsafe package: the template folder: \"", 0), 0u) << e.what();
    }
  }
}

TEST(Package, UnsafeTemplateFailsListingVerifyingAndExtracting) {
  ScratchDir out, tmp, dest;
  const ReadRequest r = OneArchiveSet({"..\\..\\tpl\\*.*", {{"a.txt", "", test::Text("a"), 0, 0}}}, out, tmp);
  EXPECT_THROW(ListPackage(r), EUnsafeName);
  EXPECT_THROW(TestPackage(r), EUnsafeName);
  EXPECT_THROW(ExtractPackage(r, dest / "x\\y"), EUnsafeName);
  EXPECT_FALSE(fs::DirectoryExists(dest / "tpl"));
  EXPECT_FALSE(fs::DirectoryExists(dest / "x\\tpl"));
}

#ifndef _WIN32
// A link planted in the destination is not written through, whether it
// stands for a folder on the way or for the file itself.
TEST(Package, LinkInTheDestinationIsNotFollowed) {
  ScratchDir out, tmp, dest, outside;
  const ReadRequest r = OneArchiveSet({"app\\*.*", {{"readme.txt", "", test::Text("new"), 0, 0}}}, out, tmp);
  auto host = [](const std::string& path) {
    std::string p = path;
    for (char& c : p)
      if (c == '\\') c = '/';
    return p;
  };
  ASSERT_EQ(::symlink(host(outside.Path()).c_str(), host(dest / "app").c_str()), 0);
  EXPECT_THROW(ExtractPackage(r, dest.Path()), Exception);
  EXPECT_FALSE(fs::FileExists(outside / "readme.txt"));
  fs::DeleteFile(dest / "app");
  fs::ForceDirectories(dest / "app");
  test::WriteBytes(outside / "victim.txt", test::Text("old"));
  ASSERT_EQ(::symlink(host(outside / "victim.txt").c_str(), host(dest / "app\\readme.txt").c_str()), 0);
  EXPECT_THROW(ExtractPackage(r, dest.Path()), Exception);
  EXPECT_EQ(ReadBytes(outside / "victim.txt"), test::Text("old"));
  // Removing the destination removes the link, not what it points to.
  test::RemoveTree(dest.Path());
  EXPECT_EQ(ReadBytes(outside / "victim.txt"), test::Text("old"));
}
#endif

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
