// The choices of an install that runs without questions (/S, /PASSIVE): the
// wizard's defaults as the script sets them, with the command line's
// destination, launch and licence answers; and the exit status at the end.
#pragma once

#include <string>

#include "shell/command_line.h"
#include "shell/setup_data.h"
#include "wizard/install_plan.h"

namespace zel {

struct UnattendedInstall {
  // What the wizard's Install button would run with its defaults: the
  // proposed destination (or /D=), the full install, the program folder of
  // the script with every shortcut ticked, launch only with /LAUNCH.
  InstallChoices choices;
  // The final choice is the restart: the script offers it as the default
  // (a "Show Re-Boot" script with nothing to launch) and /LAUNCH is not given.
  bool reboot = false;
  // Not empty when the install must not start: the product has a licence
  // (more than one line) and /ACCEPTLICENSE was not given.
  std::string licenceRefusal;
};

// licenceLines: the line count of TempDir\license.txt (0 when missing).
UnattendedInstall PlanUnattendedInstall(const SetupData& setup, const SetupOptions& options,
                                        int licenceLines);

// The lines of tempDir\license.txt, 0 when it is missing or unreadable.
int LicenceLineCount(const std::string& tempDir);

// The status at the end of the setup: a completed install whose restart was
// held back by /NORESTART is kExitRestartNeeded; everything else keeps code.
SetupExitCode FinalExitCode(SetupExitCode code, bool restartChosen, bool noRestart);

// The log's last line: "Setup ended with status N: <meaning>".
std::string ExitStatusLine(SetupExitCode code);

}  // namespace zel
