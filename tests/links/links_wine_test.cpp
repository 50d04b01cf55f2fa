// The link, autoexec and folder steps against the real Windows API (run
// under Wine): links are saved through the shell's link object and read back
// through it.
#include <windows.h>
#undef DeleteFile  // fs::DeleteFile is ours

#include <gtest/gtest.h>

#include <string>

#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/shell_link.h"
#include "platform/string_list.h"
#include "wizard/autoexec.h"
#include "wizard/shortcuts.h"

namespace zel {
namespace {

std::string ScratchFolder(const char* name) {
  char temp[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(MAX_PATH, temp);
  std::string dir = (n > 0 && n < MAX_PATH) ? std::string(temp, n) : std::string("C:\\");
  if (dir.back() != '\\') dir += '\\';
  dir += name;
  return dir;
}

using fs::RemoveTree;

class WineScratch : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = ScratchFolder("zel_links_test");
    RemoveTree(dir_);
    fs::ForceDirectories(dir_);
  }
  void TearDown() override { RemoveTree(dir_); }

  ShellLinkInfo ReadLink(const std::string& path) {
    TShellLink link;
    EXPECT_TRUE(link.Load(path)) << path;
    return link.Info();
  }
  std::string dir_;
};

TEST_F(WineScratch, ShellLinkRoundTrip) {
  const std::string target = dir_ + "\\Prod\\prog.exe";
  fs::ForceDirectories(dir_ + "\\Prod");
  {
    TShellLink link;
    link.SetPath(target);
    link.SetWorkingDirectory(dir_ + "\\Prod\\");
    link.SetIconLocation(dir_ + "\\Prod\\prog.ico", 0);
    ASSERT_TRUE(link.Save(dir_ + "\\App.lnk"));
    EXPECT_FALSE(link.Save(dir_ + "\\missing folder\\App.lnk"));
  }
  ASSERT_TRUE(fs::FileExists(dir_ + "\\App.lnk"));
  const ShellLinkInfo info = ReadLink(dir_ + "\\App.lnk");
  EXPECT_TRUE(SameText(info.path, target)) << info.path;
  EXPECT_TRUE(SameText(info.workingDirectory, dir_ + "\\Prod\\")) << info.workingDirectory;
  EXPECT_TRUE(SameText(info.iconFile, dir_ + "\\Prod\\prog.ico")) << info.iconFile;
  EXPECT_EQ(info.iconIndex, 0);
  TShellLink other;
  EXPECT_FALSE(other.Load(dir_ + "\\no such.lnk"));
}

TEST_F(WineScratch, CreateLinksPutsLinksWhereTheSwitchesSay) {
  const std::string w = dir_ + "\\WIN";
  fs::ForceDirectories(w + "\\Desktop");
  fs::ForceDirectories(w + "\\Start Menu\\Programs\\Existing");
  TShortcuts shortcuts(WindowsFolderLinkFolders(w));
  ASSERT_EQ(shortcuts.FolderList.Count(), 1);
  EXPECT_EQ(shortcuts.FolderList[0], "Existing");

  shortcuts.RunProgram = dir_ + "\\Prod\\app.exe";
  shortcuts.IconFile = dir_ + "\\Prod\\app.ico";
  shortcuts.Folder = "Prod\\Tools";
  shortcuts.ProgramName = "My App";
  shortcuts.FolderDesktop = true;
  shortcuts.FolderStartMenu = true;
  shortcuts.CreateLinks();
  // Both folder boxes: three links, and no single links.
  const std::string links[] = {w + "\\Desktop\\Prod\\Tools\\My App.lnk",
                               w + "\\Start Menu\\Programs\\Prod\\Tools\\My App.lnk",
                               w + "\\Start Menu\\Prod\\Tools\\My App.lnk"};
  for (const std::string& link : links) {
    ASSERT_TRUE(fs::FileExists(link)) << link;
    const ShellLinkInfo info = ReadLink(link);
    EXPECT_TRUE(SameText(info.path, shortcuts.RunProgram)) << info.path;
    EXPECT_TRUE(SameText(info.workingDirectory, dir_ + "\\Prod\\")) << info.workingDirectory;
    EXPECT_TRUE(SameText(info.iconFile, shortcuts.IconFile)) << info.iconFile;
  }
  EXPECT_FALSE(fs::FileExists(w + "\\Desktop\\My App.lnk"));
  EXPECT_FALSE(fs::FileExists(w + "\\Start Menu\\My App.lnk"));

  // Single links, no folder options: Programs folder plus desktop and menu.
  shortcuts.ProgramName = "Single";
  shortcuts.Folder = "";
  shortcuts.FolderDesktop = shortcuts.FolderStartMenu = false;
  shortcuts.Desktop = shortcuts.StartMenu = true;
  shortcuts.CreateLinks();
  EXPECT_TRUE(fs::FileExists(w + "\\Start Menu\\Programs\\Single.lnk"));  // doubled backslash
  EXPECT_TRUE(fs::FileExists(w + "\\Desktop\\Single.lnk"));
  EXPECT_TRUE(fs::FileExists(w + "\\Start Menu\\Single.lnk"));
}

TEST_F(WineScratch, AutoexecFileKeepsBackupAndAddsBlocks) {
  const std::string root = dir_ + "\\";
  const auto shortPath = [](const std::string& p) {
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = GetShortPathNameA(p.c_str(), buffer, MAX_PATH);
    return (n > 0 && n < MAX_PATH) ? std::string(buffer, n) : p;
  };
  const std::string product = dir_ + "\\Program Files\\Product";
  fs::ForceDirectories(product);
  TStringList tags, paths, lines;
  tags.Add("<INSTALLDIR>");
  paths.Add(product);
  lines.Add("copy <INSTALLDIR>\\drv.sys <ROOT>");

  // No autoexec.bat: created with the block, nothing backed up.
  AutoexecResult result = UpdateAutoexecFile(root, lines, tags, paths, shortPath, nullptr);
  EXPECT_TRUE(result.updated) << result.error;
  EXPECT_TRUE(result.createdNew);
  EXPECT_FALSE(fs::FileExists(root + "autoexec.zel"));
  TStringList first;
  first.LoadFromFile(root + "autoexec.bat");
  ASSERT_EQ(first.Count(), 3);
  EXPECT_EQ(first[0], "REM - Starting Zelwright Update");
  EXPECT_EQ(first[1], "COPY/Y " + shortPath(product) + "\\DRV.SYS " + root);
  EXPECT_EQ(first[2], "REM - End of Zelwright");
  EXPECT_EQ(first[1].find(' ', 7), 7 + shortPath(product).size() + 8);  // short form has no blank

  // Second install: the backup holds the first result, a second block follows.
  result = UpdateAutoexecFile(root, lines, tags, paths, shortPath, nullptr);
  EXPECT_TRUE(result.updated && result.backedUp) << result.error;
  TStringList backup, second;
  backup.LoadFromFile(root + "autoexec.zel");
  second.LoadFromFile(root + "autoexec.bat");
  EXPECT_EQ(backup.Text(), first.Text());
  EXPECT_EQ(second.Count(), 6);
  EXPECT_EQ(second[3], "REM - Starting Zelwright Update");
}

TEST_F(WineScratch, LockedAutoexecIsReportedAndKept) {
  const std::string root = dir_ + "\\";
  TStringList original;
  original.Add("REM keep");
  original.SaveToFile(root + "autoexec.bat");
  // Another program holds the file open without sharing it.
  HANDLE lock = CreateFileA((root + "autoexec.bat").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  TStringList lines;
  lines.Add("set x=1");
  const AutoexecResult result =
      UpdateAutoexecFile(root, lines, TStringList(), TStringList(), nullptr, nullptr);
  CloseHandle(lock);
  EXPECT_FALSE(result.updated);
  EXPECT_NE(result.error.find("autoexec.bat"), std::string::npos) << result.error;
  TStringList after;
  after.LoadFromFile(root + "autoexec.bat");
  EXPECT_EQ(after.Text(), original.Text());
}

}  // namespace
}  // namespace zel
