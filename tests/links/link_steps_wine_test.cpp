// A whole engine run with the link, INI/registry and autoexec.bat steps
// against the real platform (under Wine): shell links in the Windows folder's
// Desktop and Start Menu, private-profile files, HKEY_CURRENT_USER, files.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/shell_link.h"
#include "platform/string_list.h"
#include "shell/window_routines.h"
#include "wizard/link_steps.h"

namespace zel {
namespace {

constexpr char kRegKey[] = "Software\\ZelLinksTest";

using fs::RemoveTree;

// The engine's platform side with real files and profiles; the window side
// only counts.
class RealOps : public InstallOps {
 public:
  int progress = 0;
  std::vector<std::string> statuses;
  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  void ShowTarget(const std::string&) override {}
  void SetProgressMax(int) override {}
  void StepProgress() override { ++progress; }
  void ProcessMessages() override {}
  bool AskYesNo(const std::string&) override { return true; }
  void ForceDirectories(const std::string& folder) override { fs::ForceDirectories(folder); }
  bool FileExists(const std::string& path) override { return fs::FileExists(path); }
  void CopyFileTo(const std::string&, const std::string&) override {}  // no package here
  void RemoveFile(const std::string& path) override { fs::DeleteFile(path); }
  void LaunchFile(const std::string&, const std::string&, const std::string&, int) override {}
  void RegisterUninstall(const UninstallRegistration&) override {}
  void WriteString(const std::string& file, const char* section, const char* key,
                   const char* value) override {
    if (!WritePrivateProfileStringA(section, key, value, file.c_str()))
      throw Exception("Unable to write to " + file);
  }
};

std::vector<std::string> SectionNames(const std::string& file, const char* section) {
  std::vector<char> buffer(32768, '\0');
  const DWORD n = GetPrivateProfileStringA(section, nullptr, "", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file.c_str());
  std::vector<std::string> names;
  for (DWORD i = 0; i < n;) {
    std::string name(buffer.data() + i);
    i += static_cast<DWORD>(name.size()) + 1;
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

bool Holds(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameText(n, name); });
}

std::string IniValue(const std::string& file, const char* section, const char* key) {
  char buffer[1024] = {};
  GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof buffer, file.c_str());
  return buffer;
}

std::string RegValue(const std::string& key, const char* name) {
  HKEY h = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "<no key>";
  char buffer[1024] = {};
  DWORD size = sizeof buffer - 1, type = 0;
  const LONG rc = RegQueryValueExA(h, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(h);
  if (rc != ERROR_SUCCESS) return "<no value>";
  return type == REG_SZ ? std::string(buffer) : "<not a string>";
}

class EngineRunWine : public ::testing::Test {
 protected:
  void SetUp() override {
    w_ = WindowsFolder();
    desktopExisted_ = fs::DirectoryExists(w_ + "\\Desktop");
    startMenuExisted_ = fs::DirectoryExists(w_ + "\\Start Menu");
    programsExisted_ = fs::DirectoryExists(w_ + "\\Start Menu\\Programs");
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    scratch_ = IncludeTrailingBackslash(temp) + "zel_linksteps";
    Clean();
    fs::ForceDirectories(scratch_);
    setup_.RootDir = scratch_ + "\\";  // autoexec.bat of a pretend drive root
    setup_.TempDir = scratch_ + "\\q";
    setup_.DirectoryEntries.Add("<INSTALLDIR>~");
    setup_.ShortcutEntries.Add("ZelApp~<INSTALLDIR>app.exe~X~X~<INSTALLDIR>app.ico~ZelLinksTest");
    setup_.ShortcutEntries.Add("ZelHelp~<INSTALLDIR>help.exe~X~~<INSTALLDIR>help.ico~ZelLinksTest");
    setup_.IniSetupEntries.Add("zellinks.ini~Prod~Dir~<INSTALLDIR>");
    setup_.IniSetupEntries.Add("<INSTALLDIR>prod.ini~Main~Data~<INSTALLDIR>data");
    setup_.IniSetupEntries.Add(std::string(kRegKey) + "~Settings\\~Path~<INSTALLDIR>bin");
    setup_.AutoexecLines.Add("copy <INSTALLDIR>\\drv.sys <ROOT>");
    choices_.destination = scratch_ + "\\Program Files\\Product";
    choices_.desktopTicked = {"ZelApp"};  // ZelHelp's desktop link unticked
    choices_.startMenuTicked = {"ZelApp"};
  }
  void TearDown() override {
    Clean();
    // Folders the run made in the Windows folder go again (only when empty).
    if (!desktopExisted_) fs::RemoveDir(w_ + "\\Desktop");
    if (!programsExisted_) fs::RemoveDir(w_ + "\\Start Menu\\Programs");
    if (!startMenuExisted_) fs::RemoveDir(w_ + "\\Start Menu");
  }
  // Single links go only into a desktop folder that exists (a fresh Wine
  // Windows folder has none); make one for the tests that want them.
  void EnsureDesktop() { fs::CreateDir(w_ + "\\Desktop"); }
  void Clean() {
    RemoveTree(scratch_);
    RemoveTree(w_ + "\\Desktop\\ZelLinksTest");
    RemoveTree(w_ + "\\Start Menu\\ZelLinksTest");
    RemoveTree(w_ + "\\Start Menu\\Programs\\ZelLinksTest");
    for (const char* f : {"\\Desktop\\ZelApp.lnk", "\\Desktop\\ZelHelp.lnk",
                          "\\Start Menu\\ZelApp.lnk", "\\Start Menu\\ZelHelp.lnk", "\\zellinks.ini"})
      fs::DeleteFile(w_ + f);
    RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kRegKey) + "\\Settings").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kRegKey);
  }
  InstallOutcome Run() {
    TShortcuts shortcuts(WindowsFolderLinkFolders(w_));
    LinkInstallHooks hooks(shortcuts);
    return RunInstall(setup_, choices_, w_, "Zel Links Test", ops_, hooks);
  }
  void ExpectLink(const std::string& path, const std::string& exe, const std::string& icon) {
    ASSERT_TRUE(fs::FileExists(path)) << path;
    TShellLink link;
    ASSERT_TRUE(link.Load(path)) << path;
    const ShellLinkInfo info = link.Info();
    EXPECT_TRUE(SameText(info.path, choices_.destination + "\\" + exe)) << info.path;
    EXPECT_TRUE(SameText(info.workingDirectory, choices_.destination + "\\")) << info.workingDirectory;
    EXPECT_TRUE(SameText(info.iconFile, choices_.destination + "\\" + icon))
        << info.iconFile;
  }

  std::string w_, scratch_;
  bool desktopExisted_ = false, startMenuExisted_ = false, programsExisted_ = false;
  SetupData setup_;
  InstallChoices choices_;
  RealOps ops_;
};

TEST_F(EngineRunWine, SingleDesktopLinkMakesMissingDesktopFolder) {
  if (fs::DirectoryExists(w_ + "\\Desktop")) GTEST_SKIP() << "this Windows folder has a Desktop";
  ASSERT_TRUE(Run().completed);
  ExpectLink(w_ + "\\Desktop\\ZelApp.lnk", "app.exe", "app.ico");  // the folder is made for it
  ExpectLink(w_ + "\\Start Menu\\ZelApp.lnk", "app.exe", "app.ico");
}

TEST_F(EngineRunWine, LinksIniRegistryAutoexecAndRecord) {
  EnsureDesktop();
  const InstallOutcome outcome = Run();
  ASSERT_TRUE(outcome.completed) << outcome.error;
  const std::string dest = choices_.destination;

  // No folder box: the Programs folder, plus the ticked single links.
  ExpectLink(w_ + "\\Start Menu\\Programs\\ZelLinksTest\\ZelApp.lnk", "app.exe", "app.ico");
  ExpectLink(w_ + "\\Desktop\\ZelApp.lnk", "app.exe", "app.ico");
  ExpectLink(w_ + "\\Start Menu\\ZelApp.lnk", "app.exe", "app.ico");
  ExpectLink(w_ + "\\Start Menu\\Programs\\ZelLinksTest\\ZelHelp.lnk", "help.exe", "help.ico");
  EXPECT_FALSE(fs::FileExists(w_ + "\\Desktop\\ZelHelp.lnk"));  // unticked in DK
  EXPECT_FALSE(fs::DirectoryExists(w_ + "\\Desktop\\ZelLinksTest"));
  EXPECT_FALSE(fs::DirectoryExists(w_ + "\\Start Menu\\ZelLinksTest"));

  EXPECT_EQ(IniValue(w_ + "\\zellinks.ini", "Prod", "Dir"), dest + "\\");  // bare name: Windows folder
  EXPECT_EQ(IniValue(dest + "\\prod.ini", "Main", "Data"), dest + "\\data");
  EXPECT_EQ(RegValue(std::string(kRegKey) + "\\Settings", "Path"), dest + "\\bin");

  TStringList bat;
  bat.LoadFromFile(setup_.RootDir + "autoexec.bat");
  ASSERT_EQ(bat.Count(), 3);
  EXPECT_EQ(bat[1], "COPY/Y " + ShortPathName(dest) + "\\DRV.SYS " + setup_.RootDir);
  EXPECT_FALSE(fs::FileExists(setup_.RootDir + "autoexec.zel"));  // there was nothing to back up

  const std::string record = dest + "\\uninstall.cfg";
  const std::vector<std::string> unins = SectionNames(record, "UNINS");
  for (const std::string& item :
       {w_ + "\\Desktop\\ZelApp.*", w_ + "\\Start Menu\\ZelApp.*",
        w_ + "\\Start Menu\\Programs\\ZelLinksTest\\ZelApp.*",
        w_ + "\\Start Menu\\Programs\\ZelLinksTest\\ZelHelp.*", w_ + "\\zellinks.ini",
        dest + "\\prod.ini"})
    EXPECT_TRUE(Holds(unins, item)) << item;
  EXPECT_FALSE(Holds(unins, w_ + "\\Desktop\\ZelHelp.*"));
  const std::vector<std::string> folders = SectionNames(record, "Folders");
  EXPECT_EQ(folders.size(), 1u);
  EXPECT_TRUE(Holds(folders, w_ + "\\Start Menu\\Programs\\ZelLinksTest"));
  const std::vector<std::string> keys = SectionNames(record, "Registry");
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0], kRegKey);
}

TEST_F(EngineRunWine, BothFolderBoxesAndSecondInstall) {
  choices_.folderDesktop = true;
  choices_.folderStartMenu = true;
  choices_.desktopTicked.clear();
  choices_.startMenuTicked.clear();
  TStringList original;
  original.Add("@ECHO OFF");
  original.SaveToFile(setup_.RootDir + "autoexec.bat");
  ASSERT_TRUE(Run().completed);
  for (const char* folder : {"\\Desktop\\", "\\Start Menu\\Programs\\", "\\Start Menu\\"})
    ExpectLink(w_ + folder + "ZelLinksTest\\ZelApp.lnk", "app.exe", "app.ico");
  EXPECT_FALSE(fs::FileExists(w_ + "\\Desktop\\ZelApp.lnk"));
  const std::vector<std::string> folders =
      SectionNames(choices_.destination + "\\uninstall.cfg", "Folders");
  EXPECT_EQ(folders.size(), 3u);

  TStringList backup;
  backup.LoadFromFile(setup_.RootDir + "autoexec.zel");
  EXPECT_EQ(backup.Text(), original.Text());

  TStringList afterFirst;
  afterFirst.LoadFromFile(setup_.RootDir + "autoexec.bat");
  ASSERT_TRUE(Run().completed);
  TStringList afterSecond;
  afterSecond.LoadFromFile(setup_.RootDir + "autoexec.bat");
  backup.LoadFromFile(setup_.RootDir + "autoexec.zel");
  EXPECT_EQ(backup.Text(), afterFirst.Text());
  ASSERT_EQ(afterSecond.Count(), 7);
  EXPECT_EQ(afterSecond[0], "@ECHO OFF");
  EXPECT_EQ(afterSecond[1], "REM - Starting Zelwright Update");
  EXPECT_EQ(afterSecond[4], "REM - Starting Zelwright Update");
  EXPECT_EQ(afterSecond[6], "REM - End of Zelwright");
}

TEST_F(EngineRunWine, IniFileThatCannotBeWrittenStopsRunNamingIt) {
  setup_.IniSetupEntries.Clear();
  setup_.IniSetupEntries.Add(scratch_ + "\\no such folder\\x.ini~S~N~V");
  const InstallOutcome outcome = Run();
  EXPECT_FALSE(outcome.completed);
  EXPECT_EQ(outcome.error, "Unable to write to " + scratch_ + "\\no such folder\\x.ini");
  EXPECT_FALSE(fs::FileExists(setup_.RootDir + "autoexec.bat"));  // the run stopped there
}

}  // namespace
}  // namespace zel
