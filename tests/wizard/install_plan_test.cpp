#include "wizard/install_plan.h"

#include <gtest/gtest.h>

#include "platform/safe_name.h"

namespace zel {
namespace {

constexpr const char* kWindows = "C:\\WINDOWS";

SetupData MakeSetup(std::initializer_list<const char*> dirs, std::initializer_list<const char*> files) {
  SetupData setup;
  setup.TempDir = "C:\\WINDOWS\\Temp\\q";
  for (const char* d : dirs) setup.DirectoryEntries.Add(d);
  for (const char* f : files) setup.FileEntries.Add(f);
  return setup;
}

InstallChoices Dest(const char* destination) {
  InstallChoices choices;
  choices.destination = destination;
  return choices;
}

TEST(InstallPlan, SubFolderBeforeInstallDirResolvesUnderDestination) {
  const SetupData setup = MakeSetup({"<SUB1>~data", "<sub2><windows_system>~drivers", "<INSTALLDIR>~"},
                                {"d.dat~<SUB1>~", "x.sys~<SUB2><WINDOWS_SYSTEM>~", "p.exe~<installdir>~"});
  const InstallPlan plan = PlanInstall(setup, Dest("C:\\Apps\\Prod"), kWindows);
  ASSERT_TRUE(plan.hasInstallDir);
  ASSERT_EQ(plan.directories.size(), 3u);
  EXPECT_EQ(plan.directories[0].folder, "C:\\Apps\\Prod\\data");
  EXPECT_EQ(plan.directories[1].tag, "<SUB2><WINDOWS_SYSTEM>");
  EXPECT_EQ(plan.directories[1].folder, "C:\\WINDOWS\\System\\drivers");
  EXPECT_TRUE(plan.directories[2].isInstallDir);
  EXPECT_EQ(plan.directories[2].folder, "C:\\Apps\\Prod");
  // Folders in "Directories" order, lower-case tags matched in upper case.
  ASSERT_EQ(plan.files.size(), 3u);
  EXPECT_EQ(plan.files[0].folder, "C:\\Apps\\Prod\\data");
  EXPECT_EQ(plan.files[1].folder, "C:\\WINDOWS\\System\\drivers");
  EXPECT_EQ(plan.files[2].name, "p.exe");
  EXPECT_EQ(plan.files[2].directory, 2);
}

TEST(InstallPlan, FilesOfOneFolderKeepListOrderAndUnmatchedTagsAreNeverCopied) {
  const SetupData setup = MakeSetup({"<INSTALLDIR>~", "<PROGRAMFILES>~"},
                                {"b.txt~<PROGRAMFILES>~", "a.txt~<INSTALLDIR>~X", "lost.txt~<NOWHERE>~",
                                 "sub\\c.txt~<INSTALLDIR>~"});
  const InstallPlan plan = PlanInstall(setup, Dest("D:\\P"), kWindows);
  ASSERT_EQ(plan.files.size(), 3u);
  EXPECT_EQ(plan.files[0].name, "a.txt");
  EXPECT_TRUE(plan.files[0].askOverwrite);
  EXPECT_EQ(plan.files[1].name, "c.txt") << "only the part after the last backslash";
  EXPECT_EQ(plan.files[1].listIndex, 3);
  EXPECT_FALSE(plan.files[1].askOverwrite);
  EXPECT_EQ(plan.files[2].name, "b.txt");
  EXPECT_EQ(plan.files[2].folder, "C:\\Program Files");
  EXPECT_EQ(plan.progressMax, 4);
}

TEST(InstallPlan, SourceStaysWhenAnotherValueNamesIt) {
  const SetupData setup =
      MakeSetup({"<INSTALLDIR>~", "<WINDOWS>~"},
            {"shared.dll~<INSTALLDIR>~", "shared.dll~<WINDOWS>~", "a.dll~<INSTALLDIR>~", "data.dll~<INSTALLDIR>~"});
  const InstallPlan plan = PlanInstall(setup, Dest("C:\\P"), kWindows);
  ASSERT_EQ(plan.files.size(), 4u);
  for (const PlannedFile& f : plan.files) {
    const bool kept = f.name == "shared.dll" || f.name == "a.dll";  // named by another value
    EXPECT_EQ(f.deleteSource, !kept) << f.name;
  }
  EXPECT_TRUE(FileNeededElsewhere(setup.FileEntries, "A.DLL", 2));
  EXPECT_FALSE(FileNeededElsewhere(setup.FileEntries, "data.dll", 3));
}

TEST(InstallPlan, NetworkInstallUsesOnlyWorkStationValues) {
  SetupData setup = MakeSetup({"<INSTALLDIR>~"}, {"full.exe~<INSTALLDIR>~X"});
  setup.WorkStationEntries.Add("client.exe~<INSTALLDIR>~X");
  setup.WorkStationEntries.Add("client.ini~<INSTALLDIR>");
  InstallChoices choices = Dest("C:\\P");
  choices.minInstall = true;
  const InstallPlan plan = PlanInstall(setup, choices, kWindows);
  ASSERT_EQ(plan.files.size(), 2u);
  EXPECT_EQ(plan.files[0].name, "client.exe");
  EXPECT_TRUE(plan.files[0].askOverwrite);
  EXPECT_EQ(plan.files[1].name, "client.ini");
  EXPECT_FALSE(plan.files[1].askOverwrite) << "no third field: overwrite silently";
  EXPECT_TRUE(plan.files[1].deleteSource) << "judged against the workstation list only";
  EXPECT_EQ(plan.progressMax, 3) << "both lists count towards the maximum";
}

TEST(InstallPlan, LaunchValueIsRewrittenToItsFolder) {
  SetupData setup = MakeSetup({"<INSTALLDIR>~", "<SUB1><INSTALLDIR>~bin"}, {});
  setup.LaunchProgram = "<INSTALLDIR>prog.exe";
  InstallPlan plan = PlanInstall(setup, Dest("C:\\Apps\\Prod"), kWindows);
  EXPECT_EQ(plan.launchProgram, "C:\\Apps\\Prod\\prog.exe");
  EXPECT_FALSE(plan.launch.run) << "launch not chosen";
  EXPECT_EQ(plan.launch.file, "prog.exe");
  EXPECT_EQ(plan.launch.folder, "C:\\Apps\\Prod\\");

  // A two-part tag is not cut by the "<INSTALLDIR>" entry resolved before it.
  setup.LaunchProgram = "<sub1><INSTALLDIR>tool.exe";
  plan = PlanInstall(setup, Dest("C:\\Apps\\Prod"), kWindows);
  EXPECT_EQ(plan.launchProgram, "C:\\Apps\\Prod\\bin\\tool.exe");
}

TEST(InstallPlan, LaunchRunsWhenChosenOrWhenChainingASetup) {
  struct Case {
    const char* launch;
    bool checked;
    bool run;
  } cases[] = {
      {"C:\\P\\prog.exe", true, true},
      {"C:\\P\\prog.exe", false, false},
      {"C:\\P\\disk2\\Setup.exe", false, true},
      {"C:\\P\\INSTALL.EXE", false, true},
      {"", true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlanLaunch(c.launch, c.checked).run, c.run) << c.launch << " " << c.checked;
  }
  EXPECT_EQ(PlanLaunch("C:\\P\\disk2\\Setup.exe", false).folder, "C:\\P\\disk2\\");
}

TEST(InstallPlan, WithoutInstallDirNothingIsPlannedToLandInTheDestination) {
  const SetupData setup = MakeSetup({"<WINDOWS>~"}, {"a.txt~<WINDOWS>~"});
  const InstallPlan plan = PlanInstall(setup, Dest("C:\\P"), kWindows);
  EXPECT_FALSE(plan.hasInstallDir);
  EXPECT_EQ(plan.installPath, "");
}

// Only the names that become paths are checked: a value whose tag names no
// folder is never copied, and the list not in use is never read.
TEST(InstallPlan, FileNamesThatBecomePathsPassTheGuard) {
  SetupData setup = MakeSetup({"<INSTALLDIR>~"}, {"sub/c.txt~<INSTALLDIR>~", "../x.txt~<NOWHERE>~"});
  setup.WorkStationEntries.Add("..\\..\\victim.ini~<INSTALLDIR>");
  const InstallPlan plan = PlanInstall(setup, Dest("C:\\P"), kWindows);
  ASSERT_EQ(plan.files.size(), 1u);
  EXPECT_EQ(plan.files[0].name, "c.txt") << "a slash separates folders too";

  for (const char* bad : {"../../victim.ini~<INSTALLDIR>~", "a\\..\\..\\b~<installdir>~", "\\root.txt~<INSTALLDIR>~",
                          "\\\\server\\share\\f~<INSTALLDIR>~", "C:x.txt~<INSTALLDIR>~", "aux.dat~<INSTALLDIR>~",
                          "~<INSTALLDIR>~", "dots...~<INSTALLDIR>~"}) {
    const SetupData hostile = MakeSetup({"<INSTALLDIR>~"}, {bad});
    EXPECT_THROW(PlanInstall(hostile, Dest("C:\\P"), kWindows), EUnsafeName) << bad;
  }
  InstallChoices network = Dest("C:\\P");
  network.minInstall = true;
  EXPECT_THROW(PlanInstall(setup, network, kWindows), EUnsafeName) << "the list in use is checked";
}

}  // namespace
}  // namespace zel
