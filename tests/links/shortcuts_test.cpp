#include "wizard/shortcuts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/fs.h"
#include "support/string_lists.h"

namespace zel {
namespace {

const std::string W = "C:\\WINDOWS";
const LinkFolders L = WindowsFolderLinkFolders(W);

using test::Lines;

std::vector<std::string> LinkPaths(const std::vector<LinkLocation>& plan) {
  std::vector<std::string> paths;
  for (const LinkLocation& place : plan) paths.push_back(place.linkPath);
  return paths;
}

// Every combination of the four switches: desktop, start menu, desktop
// folder, Start Menu folder (bit 0 to 3 of the case number).
TEST(PlanLinkLocations, EveryCombinationOfTheFourSwitches) {
  const std::string programs = W + "\\Start Menu\\Programs\\Prod\\App.lnk";
  const std::string deskFolder = W + "\\Desktop\\Prod\\App.lnk";
  const std::string menuFolder = W + "\\Start Menu\\Prod\\App.lnk";
  const std::string desk = W + "\\Desktop\\App.lnk";
  const std::string menu = W + "\\Start Menu\\App.lnk";
  for (int bits = 0; bits < 16; ++bits) {
    const bool desktop = bits & 1, startMenu = bits & 2, folderDesktop = bits & 4,
               folderStartMenu = bits & 8;
    std::vector<std::string> expected;
    if (folderDesktop) {
      expected.push_back(deskFolder);
      expected.push_back(programs);
    }
    if (folderStartMenu) expected.push_back(menuFolder);
    if (!folderDesktop && !folderStartMenu) expected.push_back(programs);
    if (desktop) expected.push_back(desk);
    if (startMenu) expected.push_back(menu);
    const std::vector<LinkLocation> plan =
        PlanLinkLocations(L, "Prod", "App", desktop, startMenu, folderDesktop, folderStartMenu);
    EXPECT_EQ(LinkPaths(plan), expected) << "case " << bits;
    for (const LinkLocation& place : plan) {
      // Folder links create their program folder; single links the desktop
      // or Start Menu itself when it is missing.
      if (place.linkPath == desk)
        EXPECT_EQ(place.folder, L.desktop);
      else if (place.linkPath == menu)
        EXPECT_EQ(place.folder, L.startMenu);
      else
        EXPECT_EQ(place.folder + "App.lnk", place.linkPath);
    }
  }
}

TEST(PlanLinkLocations, NestedAndEmptyFolder) {
  EXPECT_EQ(PlanLinkLocations(L, "Prod\\Tools", "App", false, false, false, false),
            (std::vector<LinkLocation>{{W + "\\Start Menu\\Programs\\Prod\\Tools\\",
                                        W + "\\Start Menu\\Programs\\Prod\\Tools\\App.lnk"}}));
  // An empty folder field: the link lies directly in the parent folder.
  EXPECT_EQ(PlanLinkLocations(L, "", "App", false, false, false, true),
            (std::vector<LinkLocation>{{W + "\\Start Menu\\\\", W + "\\Start Menu\\\\App.lnk"}}));
}

// On the NT family the shell's folders lie apart from the Windows folder (and
// the Programs folder need not be below the Start Menu): each place and each
// record follows the folder of its kind.
TEST(PlanLinkLocations, FoldersOfTheShellWhereverTheyLie) {
  const LinkFolders nt{"D:\\Users\\Public\\Desktop", "E:\\Menu", "F:\\Progs"};
  EXPECT_EQ(PlanLinkLocations(nt, "Prod", "App", true, true, true, true),
            (std::vector<LinkLocation>{{"D:\\Users\\Public\\Desktop\\Prod\\", "D:\\Users\\Public\\Desktop\\Prod\\App.lnk"},
                                       {"F:\\Progs\\Prod\\", "F:\\Progs\\Prod\\App.lnk"},
                                       {"E:\\Menu\\Prod\\", "E:\\Menu\\Prod\\App.lnk"},
                                       {"D:\\Users\\Public\\Desktop", "D:\\Users\\Public\\Desktop\\App.lnk"},
                                       {"E:\\Menu", "E:\\Menu\\App.lnk"}}));
  EXPECT_EQ(LinkUninstallItems(nt, "Prod", "App", true, true, true, true),
            (std::vector<UninstallItem>{{"Folders", "D:\\Users\\Public\\Desktop\\Prod"},
                                        {"UNINS", "D:\\Users\\Public\\Desktop\\Prod\\App.*"},
                                        {"UNINS", "D:\\Users\\Public\\Desktop\\App.*"},
                                        {"UNINS", "E:\\Menu\\App.*"},
                                        {"Folders", "E:\\Menu\\Prod"},
                                        {"UNINS", "E:\\Menu\\Prod\\App.*"},
                                        {"Folders", "F:\\Progs\\Prod"},
                                        {"UNINS", "F:\\Progs\\Prod\\App.*"}}));
}

TEST(LinkUninstallItems, TableOrderForEverySwitch) {
  const std::vector<UninstallItem> all = LinkUninstallItems(L, "Prod", "App", true, true, true, true);
  const std::vector<UninstallItem> expected = {
      {"Folders", W + "\\Desktop\\Prod"},
      {"UNINS", W + "\\Desktop\\Prod\\App.*"},
      {"UNINS", W + "\\Desktop\\App.*"},
      {"UNINS", W + "\\Start Menu\\App.*"},
      {"Folders", W + "\\Start Menu\\Prod"},
      {"UNINS", W + "\\Start Menu\\Prod\\App.*"},
      {"Folders", W + "\\Start Menu\\Programs\\Prod"},
      {"UNINS", W + "\\Start Menu\\Programs\\Prod\\App.*"},
  };
  EXPECT_EQ(all, expected);
  // The Programs folder is always recorded, even when no link goes there.
  const std::vector<UninstallItem> none = LinkUninstallItems(L, "Prod", "App", false, false, false, false);
  EXPECT_EQ(none, (std::vector<UninstallItem>{expected[6], expected[7]}));
}

TEST(LinkUninstallItems, EmptyFolderNeverRecordsParentFolderForRemoval) {
  for (const UninstallItem& item : LinkUninstallItems(L, "", "App", true, true, true, true))
    EXPECT_EQ(item.section, "UNINS") << item.name;
}

TEST(SplitShortcutEntry, FieldsMarksAndRepeatedLastField) {
  ShortcutEntry e = SplitShortcutEntry("App~<INSTALLDIR>app.exe~X~~<INSTALLDIR>app.ico~Prod");
  EXPECT_EQ(e.title, "App");
  EXPECT_EQ(e.target, "<INSTALLDIR>app.exe");
  EXPECT_TRUE(e.desktop);
  EXPECT_FALSE(e.startMenu);
  EXPECT_EQ(e.icon, "<INSTALLDIR>app.ico");
  EXPECT_EQ(e.folder, "Prod");
  e = SplitShortcutEntry("App~<INSTALLDIR>app.exe~x~X~icon.ico");  // five fields
  EXPECT_FALSE(e.desktop);  // the mark is an upper-case X
  EXPECT_TRUE(e.startMenu);
  EXPECT_EQ(e.folder, "icon.ico");
}

// Scratch Windows folder on the host file system.
class ShortcutsFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zel_links_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    host_ = pattern;
    windows_ = host_;
    for (char& c : windows_)
      if (c == '/') c = '\\';
  }
  void TearDown() override { std::system(("rm -rf '" + host_ + "'").c_str()); }
  std::string host_, windows_;
};

TEST_F(ShortcutsFolderTest, ScanSkipsDotNamesAndLinks) {
  fs::ForceDirectories(windows_ + "\\Start Menu\\Programs\\Accessories");
  fs::ForceDirectories(windows_ + "\\Start Menu\\Programs\\.hidden");
  fs::ForceDirectories(windows_ + "\\Start Menu\\Programs\\Games");
  std::ofstream(host_ + "/Start Menu/Programs/Notes.LNK") << "x";
  std::ofstream(host_ + "/Start Menu/Programs/a.lnkx") << "x";  // holds ".LNK" too
  std::ofstream(host_ + "/Start Menu/Programs/readme.txt") << "x";
  TShortcuts shortcuts(WindowsFolderLinkFolders(windows_));
  std::vector<std::string> names;
  for (int i = 0; i < shortcuts.FolderList.Count(); ++i) names.push_back(shortcuts.FolderList[i]);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Accessories", "Games", "readme.txt"}));
}

TEST_F(ShortcutsFolderTest, CreateLinksMakesFoldersAndSkipsFailures) {
  TShortcuts shortcuts(WindowsFolderLinkFolders(windows_));  // no Start Menu yet: an empty list
  EXPECT_EQ(shortcuts.FolderList.Count(), 0);
  shortcuts.Folder = "Prod";
  shortcuts.ProgramName = "App";
  shortcuts.FolderDesktop = true;
  shortcuts.FolderStartMenu = true;
  shortcuts.Desktop = true;
  // A file where the desktop program folder should be: that place fails.
  fs::ForceDirectories(windows_ + "\\Desktop");
  std::ofstream(host_ + "/Desktop/Prod") << "in the way";
  std::vector<std::string> saved;
  shortcuts.CreateLinks([&saved](const std::string& path) {
    saved.push_back(path);
    return path.find("Programs") == std::string::npos;  // that save fails; the rest go on
  });
  EXPECT_EQ(saved, (std::vector<std::string>{windows_ + "\\Start Menu\\Programs\\Prod\\App.lnk",
                                             windows_ + "\\Start Menu\\Prod\\App.lnk",
                                             windows_ + "\\Desktop\\App.lnk"}));
  EXPECT_TRUE(fs::DirectoryExists(windows_ + "\\Start Menu\\Programs\\Prod"));
  EXPECT_TRUE(fs::DirectoryExists(windows_ + "\\Start Menu\\Prod"));
}

TEST_F(ShortcutsFolderTest, SingleLinksMakeAMissingDesktopAndStartMenu) {
  TShortcuts shortcuts(WindowsFolderLinkFolders(windows_));
  shortcuts.Folder = "Prod";
  shortcuts.ProgramName = "App";
  shortcuts.Desktop = shortcuts.StartMenu = true;
  std::vector<std::string> saved;
  shortcuts.CreateLinks([&saved](const std::string& path) {
    saved.push_back(path);
    return true;
  });
  EXPECT_EQ(saved, (std::vector<std::string>{windows_ + "\\Start Menu\\Programs\\Prod\\App.lnk",
                                             windows_ + "\\Desktop\\App.lnk",
                                             windows_ + "\\Start Menu\\App.lnk"}));
  EXPECT_TRUE(fs::DirectoryExists(windows_ + "\\Desktop"));
  EXPECT_TRUE(fs::DirectoryExists(windows_ + "\\Start Menu"));
}

TEST(TShortcuts, WorkingDirectoryKeepsTrailingBackslash) {
  TShortcuts shortcuts(WindowsFolderLinkFolders("\\nonexistent_zel_windows"));
  shortcuts.RunProgram = "C:\\Apps\\Prod\\prog.exe";
  EXPECT_EQ(shortcuts.WorkingDirectory(), "C:\\Apps\\Prod\\");
  shortcuts.RunProgram = "prog.exe";
  EXPECT_EQ(shortcuts.WorkingDirectory(), "");
}

class FakeStepHost : public ShortcutStepHost {
 public:
  void ShowDest(const std::string& text) override { dest.push_back(text); }
  void StepProgress() override { ++progress; }
  void ProcessMessages() override {}
  bool DesktopTicked(const std::string& title) override { return dk[title]; }
  bool StartMenuTicked(const std::string& title) override { return sm[title]; }
  void Record(const std::string& section, const std::string& name) override {
    records.push_back({section, name});
  }
  std::vector<std::string> dest;
  int progress = 0;
  std::map<std::string, bool> dk, sm;
  std::vector<UninstallItem> records;
};

struct MadeLink {
  std::string run, icon, folder, name;
  bool desktop, startMenu;
};

TEST(RunShortcutStep, MatchesTagsAndAppliesTicks) {
  const TStringList entries = Lines({
      "App~<INSTALLDIR>bin\\app.exe~X~X~<INSTALLDIR>app.ico~Prod",
      "Tool~<installdir>tool.exe~X~X~<WINDOWS>tool.ico~Prod\\Tools",  // lower-case tag
      "Sys~<WINDOWS>sys.exe~~~sys.ico~Prod",
      "Lost~<NOWHERE>x.exe~X~X~x.ico~Prod",   // names no folder
      "Bare~bare.exe~X~X~bare.ico~Prod",      // no tag at all
  });
  TShortcuts shortcuts(WindowsFolderLinkFolders("\\nonexistent_zel_windows"));
  shortcuts.FolderDesktop = false;
  shortcuts.FolderStartMenu = true;
  FakeStepHost host;
  host.dk = {{"App", true}, {"Tool", false}};
  host.sm = {{"App", false}, {"Tool", true}};
  std::vector<MadeLink> made;
  RunShortcutStep(entries, Lines({"<WINDOWS>", "<INSTALLDIR>", ""}),
                  Lines({"C:\\WIN", "C:\\Prod", "C:\\Empty"}), shortcuts, host,
                  [&made](TShortcuts& s) {
                    made.push_back({s.RunProgram, s.IconFile, s.Folder, s.ProgramName, s.Desktop,
                                    s.StartMenu});
                  });
  ASSERT_EQ(made.size(), 3u);
  // Folders in Directories order, entries in file order within one folder.
  EXPECT_EQ(made[0].name, "Sys");
  EXPECT_EQ(made[0].run, "C:\\WIN\\sys.exe");
  EXPECT_EQ(made[0].icon, "C:\\WIN\\sys.ico");  // icon without tag: whole field
  EXPECT_FALSE(made[0].desktop);
  EXPECT_EQ(made[1].name, "App");
  EXPECT_EQ(made[1].run, "C:\\Prod\\bin\\app.exe");
  EXPECT_EQ(made[1].icon, "C:\\Prod\\app.ico");
  EXPECT_TRUE(made[1].desktop);
  EXPECT_FALSE(made[1].startMenu);  // unticked in SM
  EXPECT_EQ(made[2].name, "Tool");
  EXPECT_EQ(made[2].icon, "C:\\Prod\\tool.ico");  // the icon's tag is only stripped
  EXPECT_EQ(made[2].folder, "Prod\\Tools");
  EXPECT_FALSE(made[2].desktop);  // unticked in DK
  EXPECT_TRUE(made[2].startMenu);
  EXPECT_EQ(host.progress, 3);
  EXPECT_EQ(host.dest, (std::vector<std::string>{"Prod", "Prod", "Prod\\Tools"}));
  EXPECT_FALSE(shortcuts.FolderDesktop);  // the folder choices stay as the caller set them
  EXPECT_TRUE(shortcuts.FolderStartMenu);
  // Records come before each link, with the ticks applied.
  const std::string w = "\\nonexistent_zel_windows";
  const std::vector<UninstallItem> firstLink = {
      {"Folders", w + "\\Start Menu\\Prod"},
      {"UNINS", w + "\\Start Menu\\Prod\\Sys.*"},
      {"Folders", w + "\\Start Menu\\Programs\\Prod"},
      {"UNINS", w + "\\Start Menu\\Programs\\Prod\\Sys.*"},
  };
  ASSERT_GE(host.records.size(), 5u);
  EXPECT_EQ(std::vector<UninstallItem>(host.records.begin(), host.records.begin() + 4), firstLink);
  EXPECT_EQ(host.records[4], (UninstallItem{"UNINS", w + "\\Desktop\\App.*"}));
}

TEST(RunShortcutStep, LinkErrorsIgnoredRecordErrorsPropagate) {
  const TStringList entries = Lines({"A~<I>a.exe~~~a.ico~P", "B~<I>b.exe~~~b.ico~P"});
  TShortcuts shortcuts(WindowsFolderLinkFolders("\\nonexistent_zel_windows"));
  FakeStepHost host;
  int calls = 0;
  RunShortcutStep(entries, Lines({"<I>"}), Lines({"C:\\I"}), shortcuts, host,
                  [&calls](TShortcuts&) {
                    ++calls;
                    throw Exception("Cannot create the shell link object");
                  });
  EXPECT_EQ(calls, 2);  // the second entry is still tried

  class FailingRecords : public FakeStepHost {
    void Record(const std::string&, const std::string& name) override {
      throw Exception("Unable to write to " + name);
    }
  } failing;
  calls = 0;
  EXPECT_THROW(RunShortcutStep(entries, Lines({"<I>"}), Lines({"C:\\I"}), shortcuts, failing,
                               [&calls](TShortcuts&) { ++calls; }),
               Exception);
  EXPECT_EQ(calls, 0);  // no link without its record
}

TEST(TShortcuts, RealLinkObjectUnavailableOffWindows) {
  TShortcuts shortcuts(WindowsFolderLinkFolders("\\nonexistent_zel_windows"));
  EXPECT_THROW(shortcuts.CreateLinks(), Exception);
}

}  // namespace
}  // namespace zel
