#include "wizard/install_rights.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/fs.h"
#include "support/scratch_dir.h"

namespace zel {
namespace {

constexpr const char* kWindows = "C:\\WINDOWS";
constexpr const char* kKey = "Software\\Microsoft\\Windows\\currentversion\\uninstall\\Prod";

// Refuses what it is told to and records what it was asked.
class FakeProbe : public RightsProbe {
 public:
  std::set<std::string> refused, existing;
  std::vector<std::string> asked;
  bool CanWriteFolder(const std::string& folder) override {
    asked.push_back(folder);
    return !refused.count(folder);
  }
  bool CanWriteMachineKey(const std::string& key) override {
    asked.push_back("HKLM " + key);
    return !refused.count(key);
  }
  bool FileExists(const std::string& path) override { return existing.count(path) > 0; }
};

SetupData MakeSetup(std::initializer_list<const char*> dirs, std::initializer_list<const char*> files) {
  SetupData setup;
  for (const char* d : dirs) setup.DirectoryEntries.Add(d);
  for (const char* f : files) setup.FileEntries.Add(f);
  return setup;
}

InstallPlan Plan(const SetupData& setup, const char* destination = "C:\\Apps\\Prod") {
  InstallChoices choices;
  choices.destination = destination;
  return PlanInstall(setup, choices, kWindows);
}

TEST(UnwritablePlaces, EveryFolderOnceThenTheRegistrationKey) {
  const SetupData setup = MakeSetup({"<SUB1>~docs", "<INSTALLDIR>~", "<WINDOWS_SYSTEM>~", "<SUB2><INSTALLDIR>~docs"},
                                {"a.txt~<SUB1>", "uninstaller.exe~<INSTALLDIR>", "x.dll~<WINDOWS_SYSTEM>"});
  FakeProbe probe;
  EXPECT_TRUE(UnwritablePlaces(Plan(setup), "Prod", probe).empty());
  // The same folder named by two tags is probed once.
  EXPECT_EQ(probe.asked, (std::vector<std::string>{"C:\\Apps\\Prod\\docs", "C:\\Apps\\Prod", "C:\\WINDOWS\\System",
                                                   std::string("HKLM ") + kKey}));

  probe.refused = {"C:\\Apps\\Prod", "C:\\WINDOWS\\System", kKey};
  EXPECT_EQ(UnwritablePlaces(Plan(setup), "Prod", probe),
            (std::vector<std::string>{"C:\\Apps\\Prod", "C:\\WINDOWS\\System", std::string("HKEY_LOCAL_MACHINE\\") + kKey}));
}

TEST(UnwritablePlaces, RegistrationKeyOnlyWhenTheInstallRegisters) {
  const SetupData noUninstaller = MakeSetup({"<INSTALLDIR>~"}, {"a.exe~<INSTALLDIR>", "uninstaller.exe~<WINDOWS>"});
  FakeProbe probe;
  probe.refused = {kKey};
  // No uninstaller.exe for the destination: nothing is registered.
  EXPECT_TRUE(UnwritablePlaces(Plan(noUninstaller), "Prod", probe).empty());
  // One left there by an earlier install is registered again.
  probe.existing = {"C:\\Apps\\Prod\\uninstaller.exe"};
  EXPECT_EQ(UnwritablePlaces(Plan(noUninstaller), "Prod", probe).size(), 1u);
  // Without a title nothing is registered either.
  EXPECT_TRUE(UnwritablePlaces(Plan(noUninstaller), "", probe).empty());
}

TEST(UnwritablePlaces, ScriptWithoutDestinationProbesNothing) {
  FakeProbe probe;
  probe.refused = {"C:\\WINDOWS"};
  EXPECT_TRUE(UnwritablePlaces(Plan(MakeSetup({"<WINDOWS>~"}, {"a.txt~<WINDOWS>"})), "Prod", probe).empty());
  EXPECT_TRUE(probe.asked.empty());
}

TEST(NoRightsMessage, NamesEveryPlaceAndSaysNothingWasInstalled) {
  EXPECT_EQ(NoRightsMessage({}), "");
  EXPECT_EQ(NoRightsMessage({"C:\\Program Files\\Prod", "HKEY_LOCAL_MACHINE\\Software\\X"}),
            "Setup cannot write to:\n\nC:\\Program Files\\Prod\nHKEY_LOCAL_MACHINE\\Software\\X\n\n"
            "Installing needs the rights to write there. Run Setup as an administrator, or choose another "
            "destination folder.\n\nNothing has been installed.");
}

TEST(CheckInstallRights, TheChosenDestinationAndFileList) {
  SetupData setup = MakeSetup({"<INSTALLDIR>~", "<WINDOWS_SYSTEM>~"}, {"x.dll~<WINDOWS_SYSTEM>"});
  setup.WorkStationEntries.Add("client.exe~<INSTALLDIR>");
  FakeProbe probe;
  probe.refused = {"D:\\Locked"};
  InstallChoices choices;
  choices.destination = "D:\\Locked";
  EXPECT_NE(CheckInstallRights(setup, choices, kWindows, "Prod", probe).find("\nD:\\Locked\n"), std::string::npos);
  choices.destination = "D:\\Open";
  EXPECT_EQ(CheckInstallRights(setup, choices, kWindows, "Prod", probe), "");
}

// The real probe on the disk: it makes what is missing, writes, and leaves
// everything as it found it.
TEST(FolderWritable, MakesAndRemovesWhatWasMissingAndKeepsWhatWasThere) {
  test::ScratchDir dir("rights");
  const std::string deep = dir / "new\\deeper\\deepest";
  EXPECT_TRUE(FolderWritable(deep));
  EXPECT_FALSE(fs::DirectoryExists(dir / "new"));
  EXPECT_TRUE(fs::FindFiles(dir / "*").size() <= 2u);  // "." and ".." at most

  // A file already named like the probe stays as it was.
  test::WriteFile(dir / "~zelprb0.tmp", "user data");
  EXPECT_TRUE(FolderWritable(dir.Path()));
  EXPECT_EQ(test::ReadFile(dir / "~zelprb0.tmp"), "user data");
  EXPECT_FALSE(fs::FileExists(dir / "~zelprb1.tmp"));
}

TEST(FolderWritable, FolderThatCannotBeMadeIsNotWritableAndLeavesNothing) {
  test::ScratchDir dir("rights");
  test::WriteFile(dir / "afile", "x");
  EXPECT_FALSE(FolderWritable(dir / "afile\\sub\\deeper"));
  EXPECT_EQ(test::ReadFile(dir / "afile"), "x");
  EXPECT_FALSE(FolderWritable(dir / "afile"));  // a file, not a folder
}

}  // namespace
}  // namespace zel
