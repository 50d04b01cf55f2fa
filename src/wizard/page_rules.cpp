#include "wizard/page_rules.h"

#include "platform/paths.h"
#include "shell/routines.h"

namespace zel {
namespace {

void RebuildSummary(WizardState& state, const SetupData& setup) {
  state.summary = {"Install to:", "  " + state.destination, "", "File / Folder : ",
                   "  " + state.createFolder};
  state.desktopList.clear();
  state.startMenuList.clear();
  const TStringList& entries = setup.ShortcutEntries;
  for (int i = 0; i < entries.Count(); ++i) {
    std::string rest = entries[i];
    std::string title, target, deskMark, menuMark, icon, folder;
    SplitAtChar(rest, '~', title);
    SplitAtChar(rest, '~', target);
    SplitAtChar(rest, '~', deskMark);
    SplitAtChar(rest, '~', menuMark);
    SplitAtChar(rest, '~', icon);
    SplitAtChar(rest, '~', folder);
    std::string line = TextAfterFirstTag(target) + " / " + folder;
    if (deskMark == "X") {
      state.desktopList.push_back({title, true});
      line += " / Desktop";
    }
    if (menuMark == "X") {
      state.startMenuList.push_back({title, true});
      line += " / Start Meuu";
    }
    state.summary.push_back("  " + line);
  }
}

void PageChanged(WizardState& state, const SetupData& setup) {
  state.backEnabled = state.page != kPageWarning;
  if (state.page == kPageFolders) RebuildSummary(state, setup);
  if (state.page == kPageReady) state.launchLabel = TextAfterFirstTag(setup.LaunchProgram);
}

void ShowInstallButton(WizardState& state) {
  state.installVisible = true;
  state.nextEnabled = false;
}

void EnableNavigation(WizardState& state) {
  state.backEnabled = true;
  state.nextEnabled = true;
  state.installVisible = false;
}

void CloseWizard(WizardState& state) {
  state.rebootChecked = false;
  state.closed = true;
}

}  // namespace

std::string TextAfterFirstTag(const std::string& value) {
  size_t close = value.find('>');
  return close == std::string::npos ? value : value.substr(close + 1);
}

void CheckFinalChoice(WizardState& state, FinalChoice choice) {
  state.launchChecked = choice == FinalChoice::kLaunch;
  state.returnChecked = choice == FinalChoice::kReturn;
  state.rebootChecked = choice == FinalChoice::kReboot;
}

void WizardFormShow(WizardState& state, const SetupData& setup, int licenceLines) {
  state.createFolder = setup.ProgramFolder;
  state.launchLabel = state.launchEnabled ? setup.LaunchProgram : std::string();
  state.licenceLines = licenceLines;
  state.fullInstall = !setup.WorkStationPrompt;
  state.destination = setup.AddToProgramFiles
                          ? setup.RootDir + "Program Files\\" + setup.InstallDir
                          : setup.RootDir + setup.InstallDir;
}

void SetWizardPage(WizardState& state, const SetupData& setup, int page) {
  if (page < 0 || page >= kPageCount || page == state.page) return;
  state.page = page;
  PageChanged(state, setup);
}

void NextClick(WizardState& state, const SetupData& setup) {
  SetWizardPage(state, setup, state.page + 1);
  EnableNavigation(state);
  switch (state.page) {
    case kPageLicence:
      if (state.licenceLines <= 1) {
        SetWizardPage(state, setup, kPageDest);
      } else {
        state.nextEnabled = false;  // Accept or Decline
      }
      break;
    case kPageFolders:
      if (!setup.ProgramFolder.empty()) break;
      if (setup.WorkStationPrompt) {
        SetWizardPage(state, setup, kPageInstallType);
      } else {
        SetWizardPage(state, setup, kPageReady);
        ShowInstallButton(state);
      }
      break;
    case kPageInstallType:
      if (setup.WorkStationPrompt) break;
      SetWizardPage(state, setup, kPageReady);
      ShowInstallButton(state);
      break;
    case kPageReady:
      ShowInstallButton(state);
      break;
    default:
      break;
  }
}

void BackClick(WizardState& state, const SetupData& setup) {
  SetWizardPage(state, setup, state.page - 1);
  EnableNavigation(state);
  switch (state.page) {
    case kPageLicence:
      if (state.licenceLines <= 1) {
        SetWizardPage(state, setup, kPageWarning);
      } else {
        state.nextEnabled = false;
      }
      break;
    case kPageFolders:
      if (setup.ProgramFolder.empty()) SetWizardPage(state, setup, kPageDest);
      break;
    case kPageInstallType:
      if (!setup.WorkStationPrompt)
        SetWizardPage(state, setup, setup.ProgramFolder.empty() ? kPageDest : kPageFolders);
      break;
    default:
      break;
  }
  // The first page has nothing to go back to, however it was reached.
  if (state.page == kPageWarning) state.backEnabled = false;
}

void AcceptClick(WizardState& state, const SetupData& setup) {
  state.backEnabled = true;
  state.nextEnabled = true;
  SetWizardPage(state, setup, state.page + 1);
}

void DeclineClick(WizardState& state) { CloseWizard(state); }

void CancelClick(WizardState& state) { CloseWizard(state); }

void CloseBoxClick(WizardState& state) {
  if (state.installing) return;
  CloseWizard(state);
}

}  // namespace zel
