#include "shell/setup_sequence.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/errors.h"
#include "platform/paths.h"
#include "support/scratch_dir.h"

namespace zel {
namespace {

TEST(SetupSequence, SourceDirGetsOneBackslashUnlessADriveRoot) {
  EXPECT_EQ(MakeSourceDir("A:\\"), "A:\\");
  EXPECT_EQ(MakeSourceDir("C:\\x"), "C:\\x\\");
  EXPECT_EQ(MakeSourceDir("C:\\Setup Files"), "C:\\Setup Files\\");
}

TEST(SetupSequence, RestartNeedsACompletedInstallAndTheChoice) {
  SetupData data;
  EXPECT_FALSE(ShouldRestartWindows(data, true));  // closed before or without installing
  data.InstallCompleted = true;
  EXPECT_TRUE(ShouldRestartWindows(data, true));
  EXPECT_FALSE(ShouldRestartWindows(data, false));
}

TEST(SetupSequence, ClearTempDirRemovesTheWholePrivateFolder) {
  test::ScratchDir dir("clear");
  const std::string temp = dir / "ZEL12345";
  fs::ForceDirectories(temp + "\\sub");
  test::WriteFile(temp + "\\a.txt", "a");
  test::WriteFile(temp + "\\sub\\inner.txt", "i");
  fs::SetAttributes(temp + "\\a.txt", fs::kAttrReadOnly);
  test::WriteFile(dir / "beside.txt", "keep");
  ClearTempDir(temp);
  EXPECT_FALSE(fs::DirectoryExists(temp));
  EXPECT_EQ(test::ReadFile(dir / "beside.txt"), "keep");
  ClearTempDir(temp);  // a missing folder is no error
  ClearTempDir("");    // nor an empty path, which clears nothing
  EXPECT_TRUE(fs::FileExists(dir / "beside.txt"));
}

class SetUpFoldersTest : public ::testing::Test {
 protected:
  SetUpFoldersTest() : dir_("folders"), startDir_(fs::GetCurrentDir()) {
#ifndef _WIN32
    // The native build's Windows folder, kept inside the scratch folder.
    setenv("ZEL_WINDOWS_DIR", (dir_ / "WINDOWS").c_str(), 1);
#endif
  }
  ~SetUpFoldersTest() override { fs::SetCurrentDir(startDir_); }
  test::ScratchDir dir_;
  std::string startDir_;
};

TEST_F(SetUpFoldersTest, ArgumentBecomesCurrentFolderAndSourceDir) {
  fs::ForceDirectories(dir_ / "package");
  SetupData data;
  SetUpFolders(data, {dir_ / "package", "ignored second argument"});
  EXPECT_EQ(data.ArgumentDir, dir_ / "package");
  EXPECT_TRUE(SameText(data.SourceDir, dir_ / "package\\")) << data.SourceDir;
  EXPECT_EQ(data.RootDir.size(), 3u);
  ClearTempDir(data.TempDir);
}

// TempDir is a folder of the run's own below the system's temporary folder,
// made new: a second run gets another one, and what lies beside it (a file
// planted under the product's name, an earlier setup's folder) is not used.
TEST_F(SetUpFoldersTest, TempDirIsNewForEveryRun) {
  const std::string planted = fs::TempFolder() + "\\prog.exe";
  SetupData first, second;
  SetUpFolders(first, {});
  SetUpFolders(second, {});
  for (const SetupData* data : {&first, &second}) {
    EXPECT_EQ(ExtractFilePath(data->TempDir), IncludeTrailingBackslash(fs::TempFolder())) << data->TempDir;
    EXPECT_EQ(ExtractFileName(data->TempDir).substr(0, 3), "ZEL");
    EXPECT_TRUE(fs::DirectoryExists(data->TempDir));
    EXPECT_TRUE(fs::FindFiles(data->TempDir + "\\*.*").size() <= 2u);  // "." and ".." at most
    EXPECT_NE(data->TempDir + "\\prog.exe", planted);
  }
  EXPECT_NE(first.TempDir, second.TempDir);
  ClearTempDir(first.TempDir);
  ClearTempDir(second.TempDir);
  EXPECT_FALSE(fs::DirectoryExists(first.TempDir));
}

TEST_F(SetUpFoldersTest, NoArgumentUsesTheCurrentFolder) {
  fs::SetCurrentDir(dir_.Path());
  SetupData data;
  SetUpFolders(data, {});
  EXPECT_EQ(data.ArgumentDir, "");
  EXPECT_TRUE(SameText(data.SourceDir, dir_.Path() + "\\")) << data.SourceDir;
  ClearTempDir(data.TempDir);
}

TEST_F(SetUpFoldersTest, MissingArgumentFolderIsAnInOutErrorAndSetsNothing) {
  SetupData data;
  data.ArgumentDir = "stale";
  try {
    SetUpFolders(data, {dir_ / "no such folder"});
    FAIL() << "no error raised";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message().rfind("I/O error ", 0), 0u) << e.Message();
  }
  EXPECT_EQ(data.ArgumentDir, "");
  EXPECT_EQ(data.SourceDir, "");
  EXPECT_EQ(data.TempDir, "");
  EXPECT_TRUE(SameText(fs::GetCurrentDir(), startDir_));
}

TEST(EndSetup, ReleasesListsClearsTempDirAndLeavesTheArgumentFolder) {
  test::ScratchDir dir("end");
  SetupData data;
  data.TempDir = dir / "ZEL00001";
  data.ArgumentDir = dir / "user";
  fs::ForceDirectories(data.TempDir);
  fs::ForceDirectories(data.ArgumentDir);
  test::WriteFile(data.TempDir + "\\expanded.exe", "x");
  test::WriteFile(data.ArgumentDir + "\\install.cfg", "[Setup - Main]\r\n");
  test::WriteFile(data.ArgumentDir + "\\my notes.txt", "keep me");
  data.FileEntries.Add("prog.exe~<INSTALLDIR>~");
  data.AutoexecLines.Add("SET TEMP");
  EndSetup(data);
  EXPECT_TRUE(data.FileEntries.Empty());
  EXPECT_TRUE(data.AutoexecLines.Empty());
  EXPECT_FALSE(fs::DirectoryExists(data.TempDir));
  EXPECT_EQ(test::ReadFile(data.ArgumentDir + "\\my notes.txt"), "keep me");
  EXPECT_TRUE(fs::FileExists(data.ArgumentDir + "\\install.cfg"));
}

}  // namespace
}  // namespace zel
