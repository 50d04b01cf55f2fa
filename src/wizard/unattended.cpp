#include "wizard/unattended.h"

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/string_list.h"
#include "wizard/config_loader.h"
#include "wizard/page_rules.h"

namespace zel {

UnattendedInstall PlanUnattendedInstall(const SetupData& setup, const SetupOptions& options,
                                        int licenceLines) {
  WizardState state;
  ApplyWizardDefaults(setup, state);
  WizardFormShow(state, setup, licenceLines);
  // Entering the folders page fills the shortcut lists, every item ticked.
  SetWizardPage(state, setup, kPageFolders);

  UnattendedInstall run;
  InstallChoices& choices = run.choices;
  choices.destination = options.destination.empty() ? state.destination : options.destination;
  choices.minInstall = false;
  choices.launchChecked = options.launch && state.launchEnabled;
  for (const CheckItem& item : state.desktopList)
    if (item.checked) choices.desktopTicked.push_back(item.title);
  for (const CheckItem& item : state.startMenuList)
    if (item.checked) choices.startMenuTicked.push_back(item.title);
  run.reboot = state.rebootChecked && !choices.launchChecked;
  if (licenceLines > 1 && !options.acceptLicence)
    run.licenceRefusal =
        "The licence was not accepted: this product has a licence (license.txt) and the command line does "
        "not hold /ACCEPTLICENSE. Nothing has been installed.";
  return run;
}

int LicenceLineCount(const std::string& tempDir) {
  const std::string file = tempDir + "\\license.txt";
  if (!fs::FileExists(file)) return 0;
  TStringList licence;
  try {
    licence.LoadFromFile(file);
  } catch (const Exception&) {
    return 0;
  }
  return licence.Count();
}

SetupExitCode FinalExitCode(SetupExitCode code, bool restartChosen, bool noRestart) {
  return code == kExitInstalled && restartChosen && noRestart ? kExitRestartNeeded : code;
}

std::string ExitStatusLine(SetupExitCode code) {
  const char* meaning = "unknown";
  switch (code) {
    case kExitInstalled: meaning = "installed completely"; break;
    case kExitCancelled: meaning = "cancelled by the user"; break;
    case kExitFailed: meaning = "failed"; break;
    case kExitIncomplete: meaning = "installed, but some items failed (listed above)"; break;
    case kExitLicenceDeclined: meaning = "the licence was not accepted"; break;
    case kExitBadCommandLine: meaning = "bad command line"; break;
    case kExitRestartNeeded: meaning = "installed, restart needed"; break;
  }
  return "Setup ended with status " + std::to_string(static_cast<int>(code)) + ": " + meaning;
}

}  // namespace zel
