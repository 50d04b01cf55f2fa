#include "platform/fs.h"

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace zel {
namespace {

TEST(CreateNewFile, OnlyANameThatIsFree) {
  test::ScratchDir dir("newfile");
  EXPECT_TRUE(fs::CreateNewFile(dir / "a.tmp"));
  EXPECT_EQ(fs::FileSize(dir / "a.tmp"), 0);
  test::WriteFile(dir / "a.tmp", "kept");
  EXPECT_FALSE(fs::CreateNewFile(dir / "a.tmp"));
  EXPECT_EQ(test::ReadFile(dir / "a.tmp"), "kept");
  EXPECT_FALSE(fs::CreateNewFile(dir / "missing\\a.tmp"));
}

// The route of systems without MoveFileExA, taken here directly.
TEST(RenameFileByMoves, ReplacesAFileAndLeavesNothingAside) {
  test::ScratchDir dir("bymoves");
  test::WriteFile(dir / "new.tmp", "new");
  test::WriteFile(dir / "target.dll", "old");
  ASSERT_TRUE(fs::RenameFileByMoves(dir / "new.tmp", dir / "target.dll"));
  EXPECT_EQ(test::ReadFile(dir / "target.dll"), "new");
  EXPECT_FALSE(fs::FileExists(dir / "new.tmp"));
  EXPECT_FALSE(fs::FileExists(dir / "new.tmp~"));

  test::WriteFile(dir / "new.tmp", "first");
  ASSERT_TRUE(fs::RenameFileByMoves(dir / "new.tmp", dir / "fresh.dll"));
  EXPECT_EQ(test::ReadFile(dir / "fresh.dll"), "first");
}

TEST(RenameFileByMoves, NeverReplacesAFolderOrAReadOnlyFile) {
  test::ScratchDir dir("bymoves_refused");
  test::WriteFile(dir / "new.tmp", "new");
  fs::ForceDirectories(dir / "folder.dll");
  EXPECT_FALSE(fs::RenameFileByMoves(dir / "new.tmp", dir / "folder.dll"));
  EXPECT_TRUE(fs::DirectoryExists(dir / "folder.dll"));
  test::WriteFile(dir / "locked.dll", "old");
  ASSERT_TRUE(fs::SetAttributes(dir / "locked.dll", fs::kAttrReadOnly));
  EXPECT_FALSE(fs::RenameFileByMoves(dir / "new.tmp", dir / "locked.dll"));
  fs::SetAttributes(dir / "locked.dll", fs::kAttrNormal);
  EXPECT_EQ(test::ReadFile(dir / "locked.dll"), "old");
  EXPECT_EQ(test::ReadFile(dir / "new.tmp"), "new");
  EXPECT_FALSE(fs::RenameNoReplace(dir / "new.tmp", dir / "locked.dll"));
}

TEST(RenameFile, ReplacesAnExistingFile) {
  test::ScratchDir dir("rename");
  test::WriteFile(dir / "new.tmp", "new");
  test::WriteFile(dir / "target.dll", "old");
  ASSERT_TRUE(fs::RenameFile(dir / "new.tmp", dir / "target.dll"));
  EXPECT_EQ(test::ReadFile(dir / "target.dll"), "new");
}

TEST(DriveSpace, TheCurrentDriveHasAnAnswer) {
  const std::string current = fs::GetCurrentDir();
  const fs::DiskSpace space = fs::DriveSpace(current.size() > 2 && current[1] == ':' ? current.substr(0, 3) : "");
  EXPECT_GE(space.freeBytes, 0);
  EXPECT_GT(space.clusterBytes, 0);
  EXPECT_EQ(fs::DiskFree(0), fs::DriveSpace("").freeBytes);
}

}  // namespace
}  // namespace zel
