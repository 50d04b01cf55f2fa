// The three steps inside a whole engine run, with the platform faked: links,
// INI values and registry values are recorded, autoexec.bat lives in a host
// scratch folder.
#include "wizard/link_steps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/paths.h"

namespace zel {
namespace {

class RecordingOps : public InstallOps {
 public:
  std::vector<std::string> statuses, targets;
  int progress = 0;
  // file -> section -> entry names in written order
  std::map<std::string, std::map<std::string, std::vector<std::string>>> profile;

  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  void ShowTarget(const std::string& text) override { targets.push_back(text); }
  void SetProgressMax(int) override {}
  void StepProgress() override { ++progress; }
  void ProcessMessages() override {}
  bool AskYesNo(const std::string&) override { return true; }
  void ForceDirectories(const std::string&) override {}
  bool FileExists(const std::string&) override { return false; }
  void CopyFileTo(const std::string&, const std::string&) override {}
  void RemoveFile(const std::string&) override {}
  void LaunchFile(const std::string&, const std::string&, const std::string&, int) override {}
  void RegisterUninstall(const UninstallRegistration&) override {}
  void WriteString(const std::string& file, const char* section, const char* key,
                   const char* /*value*/) override {
    auto& sections = profile[UpperCase(file)];
    if (!key) {
      sections.erase(section);
      return;
    }
    if (std::string(section) == "Program") return;
    auto& names = sections[section];
    for (const std::string& n : names)
      if (SameText(n, key)) return;
    names.push_back(key);
  }
};

class RecordingRegistry : public UserRegistryWriter {
 public:
  void CreateKey(const std::string& keyPath) override { keys.push_back(keyPath); }
  void WriteString(const std::string& keyPath, const std::string& name,
                   const std::string& value) override {
    if (fail) throw Exception("Unable to write the registry value \"" + name + "\"");
    values[keyPath + "|" + name] = value;
  }
  std::vector<std::string> keys;
  std::map<std::string, std::string> values;
  bool fail = false;
};

struct Link {
  std::string path, run, icon;
};

class LinkStepsRun : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zel_linksteps_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    host_ = pattern;
    setup_.RootDir = host_ + "/";
    for (char& c : setup_.RootDir)
      if (c == '/') c = '\\';
    setup_.TempDir = "C:\\WINDOWS\\Temp\\q";
    setup_.DirectoryEntries.Add("<INSTALLDIR>~");
    setup_.DirectoryEntries.Add("<SUBDATA><INSTALLDIR>~data");
    setup_.ShortcutEntries.Add("App~<INSTALLDIR>app.exe~X~X~<INSTALLDIR>app.ico~Prod");
    setup_.ShortcutEntries.Add("Help~<INSTALLDIR>help.exe~X~~<INSTALLDIR>help.ico~Prod");
    setup_.ShortcutEntries.Add("Nowhere~<OTHER>x.exe~X~X~x.ico~Prod");
    setup_.IniSetupEntries.Add("win.ini~Prod~Dir~<INSTALLDIR>");
    setup_.IniSetupEntries.Add("<INSTALLDIR>prod.ini~Main~Data~<INSTALLDIR>data");
    setup_.IniSetupEntries.Add("Software\\Zel\\Prod~Settings\\~Path~<INSTALLDIR>");
    setup_.AutoexecLines.Add("set prod=<installdir>");
    choices_.destination = "C:\\Apps\\Prod";
    choices_.folderDesktop = true;
    choices_.desktopTicked = {"App"};  // "Help" was unticked
    choices_.startMenuTicked = {"App"};
    services_.createLinks = [this](TShortcuts& s) {
      for (const LinkLocation& place :
           PlanLinkLocations(s.Links(), s.Folder, s.ProgramName, s.Desktop, s.StartMenu,
                             s.FolderDesktop, s.FolderStartMenu))
        links_.push_back({place.linkPath, s.RunProgram, s.IconFile});
    };
    services_.writeIni = [this](const std::string& f, const std::string& s, const std::string& n,
                                const std::string& v) {
      ini_.push_back(f + "|" + s + "|" + n + "=" + v);
      return !failIni_;
    };
    services_.registry = &registry_;
    services_.shortPath = [](const std::string& p) { return p == "C:\\Apps\\Prod" ? "C:\\APPS\\PROD" : p; };
    services_.report = [this](const std::string& m) { reports_.push_back(m); };
  }
  void TearDown() override { std::system(("rm -rf '" + host_ + "'").c_str()); }

  InstallOutcome Run() {
    TShortcuts shortcuts(WindowsFolderLinkFolders("C:\\WINDOWS"));
    LinkInstallHooks hooks(shortcuts, services_);
    return RunInstall(setup_, choices_, "C:\\WINDOWS", "Prod", ops_, hooks);
  }
  std::vector<std::string> Section(const std::string& name) {
    return ops_.profile["C:\\APPS\\PROD\\UNINSTALL.CFG"][name];
  }
  std::string ReadHost(const std::string& name) {
    std::ifstream in(host_ + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::string host_;
  SetupData setup_;
  InstallChoices choices_;
  LinkStepServices services_;
  RecordingOps ops_;
  RecordingRegistry registry_;
  std::vector<Link> links_;
  std::vector<std::string> ini_, reports_;
  bool failIni_ = false;
};

TEST_F(LinkStepsRun, LinksIniRegistryAndAutoexecInOneRun) {
  const InstallOutcome outcome = Run();
  ASSERT_TRUE(outcome.completed) << outcome.error;

  // App: desktop folder + Programs + single desktop + single menu; Help: its
  // desktop link was unticked; Nowhere: no folder of that tag.
  std::vector<std::string> paths;
  for (const Link& l : links_) paths.push_back(l.path);
  EXPECT_EQ(paths, (std::vector<std::string>{
                       "C:\\WINDOWS\\Desktop\\Prod\\App.lnk",
                       "C:\\WINDOWS\\Start Menu\\Programs\\Prod\\App.lnk",
                       "C:\\WINDOWS\\Desktop\\App.lnk",
                       "C:\\WINDOWS\\Start Menu\\App.lnk",
                       "C:\\WINDOWS\\Desktop\\Prod\\Help.lnk",
                       "C:\\WINDOWS\\Start Menu\\Programs\\Prod\\Help.lnk",
                   }));
  EXPECT_EQ(links_[0].run, "C:\\Apps\\Prod\\app.exe");
  EXPECT_EQ(links_[0].icon, "C:\\Apps\\Prod\\app.ico");

  EXPECT_EQ(ini_, (std::vector<std::string>{
                      "win.ini|Prod|Dir=C:\\Apps\\Prod\\",
                      "C:\\Apps\\Prod\\prod.ini|Main|Data=C:\\Apps\\Prod\\data",
                  }));
  EXPECT_EQ(registry_.keys, (std::vector<std::string>{"Software\\Zel\\Prod"}));
  EXPECT_EQ(registry_.values["Software\\Zel\\Prod\\Settings|Path"], "C:\\Apps\\Prod\\");

  EXPECT_EQ(Section("Folders"), (std::vector<std::string>{
                                    "C:\\WINDOWS\\Desktop\\Prod",
                                    "C:\\WINDOWS\\Start Menu\\Programs\\Prod",
                                }));
  const std::vector<std::string> unins = Section("UNINS");
  for (const char* item : {"C:\\WINDOWS\\Desktop\\Prod\\App.*", "C:\\WINDOWS\\Desktop\\App.*",
                           "C:\\WINDOWS\\Start Menu\\App.*",
                           "C:\\WINDOWS\\Start Menu\\Programs\\Prod\\Help.*",
                           "C:\\WINDOWS\\win.ini", "C:\\Apps\\Prod\\prod.ini"})
    EXPECT_NE(std::find(unins.begin(), unins.end(), item), unins.end()) << item;
  EXPECT_EQ(std::find(unins.begin(), unins.end(), "C:\\WINDOWS\\Desktop\\Help.*"), unins.end());
  EXPECT_EQ(Section("Registry"), (std::vector<std::string>{"Software\\Zel\\Prod"}));

  EXPECT_EQ(ReadHost("autoexec.bat"),
            "REM - Starting Zelwright Update\r\nSET PROD=C:\\APPS\\PROD\r\nREM - End of Zelwright\r\n");
  EXPECT_TRUE(reports_.empty());
  // Two entries whose tag matched, three INI - Setup entries written.
  EXPECT_EQ(ops_.progress, 5);
  const std::vector<std::string>& st = ops_.statuses;
  EXPECT_NE(std::find(st.begin(), st.end(), "Updating Autoexec.bat file"), st.end());
}

TEST_F(LinkStepsRun, IniFailureStopsRunNamingTheFile) {
  failIni_ = true;
  const InstallOutcome outcome = Run();
  EXPECT_FALSE(outcome.completed);
  EXPECT_EQ(outcome.error, "Unable to write to win.ini");
  EXPECT_EQ(ReadHost("autoexec.bat"), "");  // later steps did not run
}

TEST_F(LinkStepsRun, RegistryFailureStopsRunNamingTheValue) {
  registry_.fail = true;
  const InstallOutcome outcome = Run();
  EXPECT_FALSE(outcome.completed);
  EXPECT_NE(outcome.error.find("\"Path\""), std::string::npos) << outcome.error;
}

TEST_F(LinkStepsRun, UnwritableAutoexecIsReportedAndRunCompletes) {
  ASSERT_EQ(std::system(("mkdir '" + host_ + "/autoexec.bat'").c_str()), 0);
  const InstallOutcome outcome = Run();
  EXPECT_TRUE(outcome.completed) << outcome.error;
  ASSERT_EQ(reports_.size(), 1u);
  EXPECT_NE(reports_[0].find("autoexec.bat"), std::string::npos) << reports_[0];
}

}  // namespace
}  // namespace zel
