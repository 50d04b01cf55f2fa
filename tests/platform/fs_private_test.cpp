// The private folders of a run: made new below the temporary folder, never
// an existing one, and removed whole without following the links inside.
#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/stream.h"
#include "support/scratch_dir.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace zel {
namespace {

TEST(PrivateFolders, EveryUniqueFolderIsNew) {
  test::ScratchDir parent("unique");
  const std::string a = fs::CreateUniqueDir(parent.Path(), "ZEL");
  const std::string b = fs::CreateUniqueDir(parent.Path(), "ZEL");
  ASSERT_FALSE(a.empty());
  ASSERT_FALSE(b.empty());
  EXPECT_NE(a, b);
  EXPECT_EQ(ExtractFilePath(a), parent.Path() + "\\");
  EXPECT_EQ(ExtractFileName(a).substr(0, 3), "ZEL");
  EXPECT_TRUE(fs::DirectoryExists(a));
  EXPECT_TRUE(fs::FindFiles(a + "\\*.txt").empty());
  EXPECT_EQ(fs::CreateUniqueDir(parent / "missing", "ZEL"), "");
}

TEST(PrivateFolders, TheSystemTemporaryFolderExists) {
  const std::string temp = fs::TempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_TRUE(fs::DirectoryExists(temp)) << temp;
  EXPECT_NE(temp.back(), '\\');
}

TEST(PrivateFolders, RemoveTreeTakesReadOnlyFilesAndSubFolders) {
  test::ScratchDir parent("remove");
  const std::string dir = parent / "ZELtest";
  fs::ForceDirectories(dir + "\\sub\\deeper");
  test::WriteFile(dir + "\\a.txt", "a");
  test::WriteFile(dir + "\\sub\\deeper\\b.txt", "b");
  fs::SetAttributes(dir + "\\a.txt", fs::kAttrReadOnly);
  fs::RemoveTree(dir);
  EXPECT_FALSE(fs::DirectoryExists(dir));
}

#ifndef _WIN32
std::string Host(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

TEST(PrivateFolders, LinksAreRemovedNotFollowed) {
  test::ScratchDir parent("links");
  const std::string outside = parent / "outside";
  const std::string dir = parent / "ZELlinks";
  fs::ForceDirectories(outside);
  fs::ForceDirectories(dir);
  test::WriteFile(outside + "\\keep.txt", "keep");
  ASSERT_EQ(::symlink(Host(outside).c_str(), Host(dir + "\\folder").c_str()), 0);
  ASSERT_EQ(::symlink(Host(outside + "\\keep.txt").c_str(), Host(dir + "\\file").c_str()), 0);
  EXPECT_TRUE(fs::IsLink(dir + "\\folder"));
  EXPECT_TRUE(fs::IsLink(dir + "\\file"));
  EXPECT_FALSE(fs::IsLink(outside));
  bool sawLink = false;
  for (const auto& e : fs::FindFiles(dir + "\\*"))
    if (e.name == "folder") sawLink = (e.attributes & fs::kAttrReparsePoint) && (e.attributes & fs::kAttrDirectory);
  EXPECT_TRUE(sawLink);
  fs::RemoveTree(dir);
  EXPECT_FALSE(fs::DirectoryExists(dir));
  EXPECT_EQ(test::ReadFile(outside + "\\keep.txt"), "keep");
  // A file is never created through a link in its place.
  ASSERT_EQ(::symlink(Host(outside + "\\keep.txt").c_str(), Host(parent / "trap").c_str()), 0);
  EXPECT_THROW(TFileStream(parent / "trap", FileMode::kCreate), EFCreateError);
  EXPECT_EQ(test::ReadFile(outside + "\\keep.txt"), "keep");
}
#endif

}  // namespace
}  // namespace zel
