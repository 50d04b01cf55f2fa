#include "wizard/page_rules.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "wizard/config_loader.h"

namespace zel {
namespace {

SetupData MakeSetup(bool folder, bool workStation) {
  SetupData setup;
  setup.RootDir = "C:\\";
  setup.InstallDir = "Product";
  setup.ProgramFolder = folder ? "Product Tools" : "";
  setup.WorkStationPrompt = workStation;
  return setup;
}

WizardState Open(const SetupData& setup, int licenceLines) {
  WizardState state;
  ApplyWizardDefaults(setup, state);
  WizardFormShow(state, setup, licenceLines);
  return state;
}

// Presses Next (Accept on the licence page) until Install shows, collecting
// the pages seen.
std::vector<int> WalkForward(WizardState& state, const SetupData& setup) {
  std::vector<int> pages{state.page};
  for (int guard = 0; guard < 10 && !state.installVisible; ++guard) {
    if (state.page == kPageLicence) {
      EXPECT_FALSE(state.nextEnabled) << "the licence must be accepted or declined";
      AcceptClick(state, setup);
    } else {
      EXPECT_TRUE(state.nextEnabled) << "page " << state.page;
      NextClick(state, setup);
    }
    pages.push_back(state.page);
  }
  return pages;
}

class Navigation : public ::testing::TestWithParam<std::tuple<bool, bool, bool>> {};

TEST_P(Navigation, NextAndBackVisitExactlyTheShownPages) {
  const auto [licence, folder, workStation] = GetParam();
  const SetupData setup = MakeSetup(folder, workStation);
  WizardState state = Open(setup, licence ? 40 : 0);
  ASSERT_EQ(state.page, kPageWarning);
  EXPECT_FALSE(state.backEnabled);

  std::vector<int> expected{kPageWarning};
  if (licence) expected.push_back(kPageLicence);
  expected.push_back(kPageDest);
  if (folder) expected.push_back(kPageFolders);
  if (workStation) expected.push_back(kPageInstallType);
  expected.push_back(kPageReady);

  EXPECT_EQ(WalkForward(state, setup), expected);
  EXPECT_EQ(state.page, kPageReady);
  EXPECT_TRUE(state.installVisible);
  EXPECT_FALSE(state.nextEnabled);
  EXPECT_TRUE(state.backEnabled);

  std::vector<int> back{state.page};
  for (int guard = 0; guard < 10 && state.page != kPageWarning; ++guard) {
    BackClick(state, setup);
    back.push_back(state.page);
    EXPECT_FALSE(state.installVisible);
    EXPECT_EQ(state.nextEnabled, state.page != kPageLicence) << "page " << state.page;
  }
  EXPECT_EQ(back, std::vector<int>(expected.rbegin(), expected.rend()));
  EXPECT_FALSE(state.backEnabled) << "Back stays off on the first page";
}

INSTANTIATE_TEST_SUITE_P(AllCombinations, Navigation,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool(), ::testing::Bool()));

TEST(PageRules, WithoutWarningScreenOpensOnLicenceWithNextDisabled) {
  for (int licenceLines : {0, 1, 30}) {
    SetupData setup = MakeSetup(true, false);
    setup.ShowWarningScreen = false;
    WizardState state = Open(setup, licenceLines);
    EXPECT_EQ(state.page, kPageLicence) << licenceLines;
    EXPECT_FALSE(state.nextEnabled);
    EXPECT_TRUE(state.backEnabled);
    AcceptClick(state, setup);
    EXPECT_EQ(state.page, kPageDest);
    EXPECT_TRUE(state.nextEnabled);
    EXPECT_TRUE(state.backEnabled);
  }
}

TEST(PageRules, BackFromReadyNeverLandsOnInstallTypeWithoutWorkStationPrompt) {
  for (bool folder : {true, false}) {
    const SetupData setup = MakeSetup(folder, false);
    WizardState state = Open(setup, 0);
    SetWizardPage(state, setup, kPageReady);
    BackClick(state, setup);
    EXPECT_EQ(state.page, folder ? kPageFolders : kPageDest);
  }
}

TEST(PageRules, EmptyFolderWithoutPromptJumpsFromDestinationToReady) {
  const SetupData setup = MakeSetup(false, false);
  WizardState state = Open(setup, 0);
  SetWizardPage(state, setup, kPageDest);
  NextClick(state, setup);
  EXPECT_EQ(state.page, kPageReady);
  EXPECT_TRUE(state.installVisible);
  EXPECT_FALSE(state.nextEnabled);
}

TEST(PageRules, FormShowProposesDestinationAndInstallType) {
  SetupData setup = MakeSetup(true, true);
  setup.LaunchProgram = "<INSTALLDIR>prog.exe";
  WizardState state = Open(setup, 5);
  EXPECT_EQ(state.destination, "C:\\Product");
  EXPECT_FALSE(state.fullInstall);
  EXPECT_EQ(state.createFolder, "Product Tools");
  EXPECT_EQ(state.launchLabel, "<INSTALLDIR>prog.exe");
  EXPECT_TRUE(state.launchChecked);
  EXPECT_FALSE(state.rebootChecked);

  setup.AddToProgramFiles = true;
  setup.WorkStationPrompt = false;
  setup.LaunchProgram = "";
  state = Open(setup, 5);
  EXPECT_EQ(state.destination, "C:\\Program Files\\Product");
  EXPECT_TRUE(state.fullInstall);
  EXPECT_EQ(state.launchLabel, "") << "no launch label when the launch choice is disabled";
  EXPECT_FALSE(state.launchEnabled);
  EXPECT_TRUE(state.rebootChecked);
}

TEST(PageRules, FoldersPageBuildsSummaryAndTicksEveryListItem) {
  SetupData setup = MakeSetup(true, false);
  setup.ShortcutEntries.Add("Prog~<INSTALLDIR>prog.exe~X~X~<INSTALLDIR>prog.ico~Product");
  setup.ShortcutEntries.Add("Help~<INSTALLDIR>help.hlp~~X~<INSTALLDIR>help.ico");  // five fields
  setup.ShortcutEntries.Add("Bare~bare.exe~X~~x~Tools");  // target without a tag
  WizardState state = Open(setup, 0);
  SetWizardPage(state, setup, kPageDest);
  NextClick(state, setup);
  ASSERT_EQ(state.page, kPageFolders);
  const std::vector<std::string> summary{"Install to:",
                                         "  C:\\Product",
                                         "",
                                         "File / Folder : ",
                                         "  Product Tools",
                                         "  prog.exe / Product / Desktop / Start Meuu",
                                         "  help.hlp / <INSTALLDIR>help.ico / Start Meuu",
                                         "  bare.exe / Tools / Desktop"};
  EXPECT_EQ(state.summary, summary);
  ASSERT_EQ(state.desktopList.size(), 2u);
  EXPECT_EQ(state.desktopList[0].title, "Prog");
  EXPECT_EQ(state.desktopList[1].title, "Bare");
  ASSERT_EQ(state.startMenuList.size(), 2u);
  EXPECT_EQ(state.startMenuList[1].title, "Help");

  // Unticked items are ticked again when the page is entered anew.
  state.desktopList[0].checked = false;
  state.startMenuList[1].checked = false;
  NextClick(state, setup);
  BackClick(state, setup);
  ASSERT_EQ(state.page, kPageFolders);
  EXPECT_TRUE(state.desktopList[0].checked);
  EXPECT_TRUE(state.startMenuList[1].checked);
}

TEST(PageRules, ReadyPageShowsLaunchTextAfterItsTag) {
  SetupData setup = MakeSetup(false, false);
  setup.LaunchProgram = "<INSTALLDIR>bin\\prog.exe";
  WizardState state = Open(setup, 0);
  SetWizardPage(state, setup, kPageReady);
  EXPECT_EQ(state.launchLabel, "bin\\prog.exe");
}

TEST(PageRules, EveryWayOutClearsTheRestartChoice) {
  using Close = void (*)(WizardState&);
  for (Close close : {Close(&DeclineClick), Close(&CancelClick), Close(&CloseBoxClick)}) {
    WizardState state;
    ASSERT_TRUE(state.rebootChecked);
    close(state);
    EXPECT_TRUE(state.closed);
    EXPECT_FALSE(state.rebootChecked);
  }
  WizardState running;
  running.installing = true;
  CloseBoxClick(running);
  EXPECT_FALSE(running.closed) << "the close box is off while the install runs";
  EXPECT_TRUE(running.rebootChecked);
}

TEST(PageRules, FinalChoicesFormOneGroup) {
  WizardState state;
  CheckFinalChoice(state, FinalChoice::kLaunch);
  EXPECT_TRUE(state.launchChecked);
  EXPECT_FALSE(state.returnChecked || state.rebootChecked);
  CheckFinalChoice(state, FinalChoice::kReturn);
  EXPECT_TRUE(state.returnChecked);
  EXPECT_FALSE(state.launchChecked || state.rebootChecked);
}

}  // namespace
}  // namespace zel
