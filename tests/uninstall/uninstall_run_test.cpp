// The edits a removal makes in files: INI values, the autoexec.bat block and
// the restart list of Windows 95, 98 and ME, on real files in a scratch folder.
#include "uninstall/uninstall_run.h"

#include <gtest/gtest.h>

#include "platform/profile.h"
#include "support/scratch_dir.h"
#include "uninstall/restart_delete.h"

namespace zel {
namespace {

using test::ReadFile;
using test::ScratchDir;
using test::WriteFile;

const std::vector<std::string> kBlock = {"REM - Starting Zelwright Update", "SET PROD=C:\\PROD",
                                         "REM - End of Zelwright"};

TEST(RemoveAutoexecBlock, TakesOutItsOwnBlockAndKeepsABackup) {
  ScratchDir dir("autoexec");
  const std::string bat = dir / "autoexec.bat", backup = dir / "autoexec.zel";
  // The user's lines, another product's identical-looking block, ours last.
  const std::string before =
      "@ECHO OFF\r\nPATH C:\\DOS\r\nREM - Starting Zelwright Update\r\nSET OTHER=1\r\n"
      "REM - End of Zelwright\r\n";
  WriteFile(bat, before + "rem - starting zelwright update\r\n  SET PROD=C:\\PROD \r\nREM - End of Zelwright\r\n");
  EXPECT_EQ(RemoveAutoexecBlock(bat, backup, kBlock, false), "");
  EXPECT_EQ(ReadFile(bat), before);
  EXPECT_NE(ReadFile(backup).find("SET PROD"), std::string::npos);
  // A reinstall added the block twice: both copies go, the user's lines stay.
  WriteFile(bat, before + "REM - Starting Zelwright Update\r\nSET PROD=C:\\PROD\r\nREM - End of Zelwright\r\n"
                          "SET USER=1\r\n"
                          "REM - Starting Zelwright Update\r\nSET PROD=C:\\PROD\r\nREM - End of Zelwright\r\n");
  EXPECT_EQ(RemoveAutoexecBlock(bat, backup, kBlock, false), "");
  EXPECT_EQ(ReadFile(bat), before + "SET USER=1\r\n");
  WriteFile(bat, before);
  // A second removal finds nothing and changes nothing.
  EXPECT_NE(RemoveAutoexecBlock(bat, backup, kBlock, false), "");
  EXPECT_EQ(ReadFile(bat), before);
}

TEST(RemoveAutoexecBlock, AFileTheInstallCreatedGoesWhenNothingElseIsLeft) {
  ScratchDir dir("autoexec");
  const std::string bat = dir / "autoexec.bat";
  WriteFile(bat, "REM - Starting Zelwright Update\r\nSET PROD=C:\\PROD\r\nREM - End of Zelwright\r\n\r\n");
  EXPECT_EQ(RemoveAutoexecBlock(bat, dir / "autoexec.zel", kBlock, true), "");
  EXPECT_FALSE(fs::FileExists(bat));
  EXPECT_NE(RemoveAutoexecBlock(bat, dir / "autoexec.zel", kBlock, true), "") << "gone already";
}

class NoRegistry : public UninstallSystem {
 public:
  bool FileExists(const std::string& p) override { return fs::FileExists(p); }
  bool DirectoryExists(const std::string& p) override { return fs::DirectoryExists(p); }
  std::vector<std::string> ListFolder(const std::string&) override { return {}; }
  bool DeleteFile(const std::string& p) override { return fs::DeleteFile(p); }
  bool DeleteAtRestart(const std::string&) override { return false; }
  bool RemoveFolder(const std::string& p) override { return fs::RemoveDir(p); }
  bool DeleteUserValue(const std::string&, const std::string&) override { return false; }
  bool DeleteEmptyUserKey(const std::string&) override { return false; }
  bool DeleteRegistration(const std::string&) override { return false; }
};

// win.ini was there with the section; prod.ini was made by the install.
TEST(RunUninstall, IniValuesGoAndAnIniFileOnlyWhenTheInstallMadeItAndItIsEmpty) {
  ScratchDir dir("ini");
  const std::string win = dir / "win.ini", prod = dir / "prod.ini", shared = dir / "shared.ini";
  WriteFile(win, "[windows]\r\nload=\r\n[Prod]\r\nOther=1\r\nDir=C:\\Prod\r\n[New]\r\nKey=1\r\n");
  WriteFile(prod, "[Main]\r\nData=C:\\Prod\\data\r\n");
  // Made by the install, but another program has written into it since.
  WriteFile(shared, "[Main]\r\nData=1\r\n[Theirs]\r\nX=1\r\n");
  UninstallPlan plan;
  auto value = [](const std::string& file, const char* section, const char* key, bool removeSection,
                  bool removeFile) {
    UninstallAction a = MakeAction(ActionKind::kRemoveIniValue, file, section, key);
    a.removeSection = removeSection;
    a.removeFile = removeFile;
    return a;
  };
  plan.actions = {value(win, "Prod", "Dir", false, false), value(win, "New", "Key", true, false),
                  value(prod, "Main", "Data", true, true), value(shared, "Main", "Data", true, true)};
  NoRegistry system;
  const UninstallOutcome out = RunUninstall(plan, system);
  EXPECT_TRUE(out.leftovers.empty());
  EXPECT_EQ(profile::ReadString(win, "Prod", "Other", "-"), "1");
  EXPECT_EQ(profile::ReadString(win, "Prod", "Dir", "-"), "-");
  EXPECT_EQ(profile::ReadString(win, "windows", "load", "-"), "");
  EXPECT_EQ(ReadFile(win).find("[New]"), std::string::npos) << "the section it made is gone";
  EXPECT_FALSE(fs::FileExists(prod));
  EXPECT_TRUE(fs::FileExists(shared));
  EXPECT_EQ(profile::ReadString(shared, "Theirs", "X", "-"), "1");
}

TEST(AddWininitDelete, AddsALineEachTimeIntoTheRenameSection) {
  ScratchDir dir("wininit");
  const std::string ini = dir / "wininit.ini";
  ASSERT_TRUE(AddWininitDelete(ini, "C:\\PROD\\A.DLL"));
  ASSERT_TRUE(AddWininitDelete(ini, "C:\\PROD\\UNINST~1.EXE"));
  EXPECT_EQ(ReadFile(ini), "[rename]\r\nNUL=C:\\PROD\\UNINST~1.EXE\r\nNUL=C:\\PROD\\A.DLL\r\n");
  WriteFile(ini, "[other]\r\nx=1\r\n");
  ASSERT_TRUE(AddWininitDelete(ini, "C:\\B"));
  EXPECT_EQ(ReadFile(ini), "[other]\r\nx=1\r\n[rename]\r\nNUL=C:\\B\r\n");
  EXPECT_FALSE(AddWininitDelete(ini, ""));
}

TEST(UninstallReport, SaysWhatWasLeftAndWhy) {
  UninstallOutcome out;
  EXPECT_EQ(UninstallReport("Prod", out), "Prod has been removed from your computer.");
  EXPECT_EQ(UninstallExitCode(out), kUninstallComplete);
  for (int i = 0; i < 17; ++i) out.leftovers.push_back({"C:\\f" + std::to_string(i), kReasonUserFile});
  const std::string text = UninstallReport("Prod", out);
  EXPECT_NE(text.find("C:\\f0: " + std::string(kReasonUserFile)), std::string::npos);
  EXPECT_EQ(text.find("C:\\f15"), std::string::npos);
  EXPECT_NE(text.find("... and 2 more."), std::string::npos);
  EXPECT_NE(UninstallLog("Prod", out).find("left: C:\\f16: "), std::string::npos);
  EXPECT_EQ(UninstallExitCode(out), kUninstallLeftSomething);
  out.failed = true;
  EXPECT_EQ(UninstallExitCode(out), kUninstallFailed);
}

TEST(ParseUninstallerCommandLine, TitleIsTheRestAfterTheSwitches) {
  struct Case {
    const char* line;
    bool silent, finish;
    const char* title;
  } cases[] = {
      {"Sample Product", false, false, "Sample Product"},
      {"  /S Sample Product ", true, false, "Sample Product"},
      {"/s \"Sample Product\"", true, false, "Sample Product"},
      {"/S", true, false, ""},
      {"/Sample", false, false, "/Sample"},  // a title that begins with a slash
      {"/X Prod", false, false, "/X Prod"},
      {"/Z \"C:\\Prod\\uninstaller.exe\"", false, true, "C:\\Prod\\uninstaller.exe"},
      {"", false, false, ""},
  };
  for (const Case& c : cases) {
    const UninstallerArguments args = ParseUninstallerCommandLine(c.line);
    EXPECT_EQ(args.silent, c.silent) << c.line;
    EXPECT_EQ(args.finishSelfRemoval, c.finish) << c.line;
    EXPECT_EQ(args.title, c.title) << c.line;
  }
}

}  // namespace
}  // namespace zel
