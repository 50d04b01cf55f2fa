// The three steps inside a whole engine run, with the platform faked: links,
// INI values and registry values are recorded, autoexec.bat lives in a host
// scratch folder.
#include "wizard/link_steps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <algorithm>
#include <map>
#include <set>
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
  // file -> section -> entry -> value, for entries written with a value
  std::map<std::string, std::map<std::string, std::map<std::string, std::string>>> values;
  void WriteString(const std::string& file, const char* section, const char* key,
                   const char* value) override {
    if (key && value && *value) values[UpperCase(file)][section][key] = value;
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
  bool KeyExists(const std::string& keyPath) override {
    return existingKeys.count(keyPath) || std::find(keys.begin(), keys.end(), keyPath) != keys.end();
  }
  bool ValueExists(const std::string& keyPath, const std::string& name) override {
    return values.count(keyPath + "|" + name) != 0;
  }
  std::vector<std::string> keys;
  std::map<std::string, std::string> values;
  std::set<std::string> existingKeys{"Software"};
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
  }
  void TearDown() override { std::system(("rm -rf '" + host_ + "'").c_str()); }

  InstallOutcome Run(const std::string& windows = "C:\\WINDOWS") {
    TShortcuts shortcuts(WindowsFolderLinkFolders(windows));
    LinkInstallHooks hooks(shortcuts, services_);
    return RunInstall(setup_, choices_, windows, "Prod", ops_, hooks, &log_);
  }
  std::map<std::string, std::string> Values(const std::string& section) {
    return ops_.values["C:\\APPS\\PROD\\UNINSTALL.CFG"][section];
  }
  // The scratch folder in the engine's form (backslashes).
  std::string HostWindowsForm() {
    std::string path = host_;
    for (char& c : path)
      if (c == '/') c = '\\';
    return path;
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
  std::vector<std::string> ini_;
  bool failIni_ = false;
  struct TextLog : LogFile {
    std::string text;
    bool Append(const std::string&, const std::string& added) override {
      text += added;
      return true;
    }
    std::string Now() override { return "T"; }
  } logFile_;
  std::string& logText_ = logFile_.text;
  InstallLog log_{logFile_};
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
  EXPECT_TRUE(outcome.failures.empty());
  // Two entries whose tag matched, three INI - Setup entries written.
  EXPECT_EQ(ops_.progress, 5);
  const std::vector<std::string>& st = ops_.statuses;
  EXPECT_NE(std::find(st.begin(), st.end(), "Updating Autoexec.bat file"), st.end());
}

TEST_F(LinkStepsRun, RecordSaysWhatTheRunAddedAndWhatWasThereBefore) {
  // The Windows folder is the scratch folder: its win.ini has the section
  // [Prod] with another value, and the desktop already has an App link.
  std::ofstream(host_ + "/win.ini") << "[Prod]\r\nOther=1\r\n[Fonts]\r\nA=b\r\n";
  std::system(("mkdir -p '" + host_ + "/Desktop' && touch '" + host_ + "/Desktop/App.lnk'").c_str());
  const std::string w = HostWindowsForm();
  const InstallOutcome outcome = Run(w);
  ASSERT_TRUE(outcome.completed) << outcome.error;
  EXPECT_TRUE(outcome.failures.empty());

  // Today's sections are as before.
  EXPECT_EQ(Section("Registry"), (std::vector<std::string>{"Software\\Zel\\Prod"}));
  EXPECT_EQ(Section("Folders"), (std::vector<std::string>{w + "\\Desktop\\Prod",
                                                          w + "\\Start Menu\\Programs\\Prod"}));

  EXPECT_EQ(Values("IniValues"),
            (std::map<std::string, std::string>{
                {"1", "110|" + w + "\\win.ini|Prod|Dir"},
                {"2", "000|C:\\Apps\\Prod\\prod.ini|Main|Data"},
            }));
  // "Software" was there; the rest of the value's key is the install's.
  EXPECT_EQ(Section("RegKeys"), (std::vector<std::string>{"Software\\Zel", "Software\\Zel\\Prod",
                                                          "Software\\Zel\\Prod\\Settings"}));
  EXPECT_EQ(Values("RegValues"),
            (std::map<std::string, std::string>{{"1", "0|Software\\Zel\\Prod\\Settings|Path"}}));

  const std::vector<std::string> links = Section("Links");
  EXPECT_EQ(links.size(), 6u);
  EXPECT_NE(std::find(links.begin(), links.end(), w + "\\Desktop\\App.lnk"), links.end());
  EXPECT_EQ(Section("Existed"), (std::vector<std::string>{w + "\\Desktop\\App.lnk"}));
  const std::vector<std::string> created = Section("Created");
  EXPECT_NE(std::find(created.begin(), created.end(), w + "\\Desktop\\Prod\\App.lnk"), created.end());
  EXPECT_EQ(std::find(created.begin(), created.end(), w + "\\Desktop\\App.lnk"), created.end());
  // The program folders below the link folders; never the desktop or the
  // Start Menu themselves, even where the run had to make them.
  EXPECT_EQ(Section("ProgramFolders"),
            (std::vector<std::string>{w + "\\Desktop\\Prod", w + "\\Start Menu\\Programs\\Prod"}));

  const std::map<std::string, std::string> autoexec = Values("Autoexec");
  EXPECT_EQ(autoexec.at("File"), setup_.RootDir + "autoexec.bat");
  EXPECT_EQ(autoexec.count("Backup"), 0u) << "there was no autoexec.bat to back up";
  EXPECT_EQ(autoexec.at("Created"), "1");
  EXPECT_EQ(autoexec.at("Lines"), "3");
  EXPECT_EQ(autoexec.at("Line1"), "REM - Starting Zelwright Update");
  EXPECT_EQ(autoexec.at("Line2"), "SET PROD=C:\\APPS\\PROD");
  EXPECT_EQ(autoexec.at("Line3"), "REM - End of Zelwright");
}

TEST_F(LinkStepsRun, ValueFailuresAreCollectedAndLaterStepsStillRun) {
  failIni_ = true;
  registry_.fail = true;
  const InstallOutcome outcome = Run();
  EXPECT_TRUE(outcome.completed) << outcome.error;
  ASSERT_EQ(outcome.failures.size(), 3u);
  EXPECT_EQ(outcome.failures[0], "Unable to write to win.ini");
  EXPECT_EQ(outcome.failures[1], "Unable to write to C:\\Apps\\Prod\\prod.ini");
  EXPECT_NE(outcome.failures[2].find("\"Path\""), std::string::npos) << outcome.failures[2];
  // Nothing that was not written is recorded; the key itself was made.
  const std::vector<std::string> unins = Section("UNINS");
  EXPECT_EQ(std::find(unins.begin(), unins.end(), "C:\\WINDOWS\\win.ini"), unins.end());
  EXPECT_EQ(Section("Registry"), (std::vector<std::string>{"Software\\Zel\\Prod"}));
  EXPECT_EQ(ReadHost("autoexec.bat"),
            "REM - Starting Zelwright Update\r\nSET PROD=C:\\APPS\\PROD\r\nREM - End of Zelwright\r\n");
  EXPECT_EQ(InstallExitCode(outcome), kExitIncomplete);
}

TEST_F(LinkStepsRun, UnwritableAutoexecAndFailedLinksAreCollected) {
  ASSERT_EQ(std::system(("mkdir '" + host_ + "/autoexec.bat'").c_str()), 0);
  services_.createLinks = [](TShortcuts& s) { s.LinkFailures.push_back("Cannot save the link " + s.ProgramName); };
  const InstallOutcome outcome = Run();
  EXPECT_TRUE(outcome.completed) << outcome.error;
  ASSERT_EQ(outcome.failures.size(), 3u);
  EXPECT_EQ(outcome.failures[0], "Cannot save the link App");
  EXPECT_EQ(outcome.failures[1], "Cannot save the link Help");
  EXPECT_NE(outcome.failures[2].find("autoexec.bat"), std::string::npos) << outcome.failures[2];
}

TEST_F(LinkStepsRun, LogNamesLinksValuesAndTheAutoexecChange) {
  ASSERT_TRUE(log_.UseFixedFile("C:\\admin.log"));
  services_.createLinks = [](TShortcuts& s) {
    s.LinksMade.push_back("C:\\WINDOWS\\Desktop\\" + s.ProgramName + ".lnk");
    if (s.ProgramName == "Help") s.LinkFailures.push_back("Cannot save the link Help");
  };
  registry_.fail = true;
  Run();
  for (const char* line : {
           "Link C:\\WINDOWS\\Desktop\\App.lnk: made",
           "Link C:\\WINDOWS\\Desktop\\Help.lnk: made",
           "Failed: Cannot save the link Help",
           "INI value win.ini [Prod] Dir=C:\\Apps\\Prod\\: written",
           "INI value C:\\Apps\\Prod\\prod.ini [Main] Data=C:\\Apps\\Prod\\data: written",
           "Failed: Unable to write the registry value \"Path\"",
       })
    EXPECT_NE(logText_.find(std::string("T  ") + line + "\r\n"), std::string::npos) << line << "\n" << logText_;
  EXPECT_NE(logText_.find("autoexec.bat: 1 line(s) added, a new file"), std::string::npos) << logText_;
  EXPECT_EQ(logText_.find("Registry value"), std::string::npos);  // nothing was written
}

}  // namespace
}  // namespace zel
