// install.exe: restricts where DLLs come from, creates the setup's four
// windows in order and runs the message loop until the background closes.
#include <windows.h>
#include <corecrt_startup.h>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/system.h"
#include "ui/chg_dir.h"
#include "ui/globals.h"
#include "ui/main_setup.h"
#include "ui/system_ui.h"
#include "ui/unzip.h"
#include "ui/window.h"
#include "ui/zel_wizard.h"
#include "shell/command_line.h"
#include "shell/window_routines.h"
#include "wizard/unattended.h"
#include "wizard/link_folders.h"
#include "wizard/link_steps.h"
#include "wizard/shortcuts.h"

namespace {

// The command line as the C runtime keeps it (the whole line, program name
// first): /D= may hold blanks that the runtime's own splitting would lose.
std::string WholeCommandLine() {
  const char* line = _acmdln;
  return line ? std::string(line) : std::string();
}

int RunSetup() {
  using namespace zel::ui;
  zel::sys::SetApplicationTitle("ZEL - Setup");
  const std::string commandLine = WholeCommandLine();
  TMainSetup mainSetup;
  zel::SetupOptions& options = mainSetup.options;
  options = zel::ParseCommandLine(zel::CommandLineArguments(commandLine));
  mainSetup.Log({"ZEL Setup: ", commandLine});
  if (options.error.empty() && !options.logFile.empty() && !mainSetup.log.UseFixedFile(options.logFile))
    options.error = "The log file " + options.logFile + " cannot be written";
  if (!options.error.empty()) {
    // Said in the log file the line names (if it can be written) and, unless
    // silent, in a message box that lists the switches.
    mainSetup.Log({options.error});
    mainSetup.Log({zel::ExitStatusLine(zel::kExitBadCommandLine)});
    if (!options.logFile.empty()) mainSetup.log.UseFixedFile(options.logFile);
    if (!options.silent)
      zel::sys::MsgBox(zel::CommandLineHelp(options.error), zel::sys::kMbOk | zel::sys::kMbIconError);
    return zel::kExitBadCommandLine;
  }
  InitCommonControlsForSetup();
  MainSetup = &mainSetup;
  std::vector<std::string> arguments;
  if (!options.folder.empty()) arguments.push_back(options.folder);
  if (!mainSetup.CreateForm(arguments)) return zel::kExitFailed;
  TForm3 form3;
  Form3 = &form3;
  TZEL wizard;
  ZEL = &wizard;
  // The wizard's link component and the install's link, INI/registry and
  // autoexec.bat steps.
  zel::TShortcuts shortcuts1(zel::ShellLinkFolders(zel::WindowsFolder()));
  zel::LinkInstallHooks linkHooks(shortcuts1);
  wizard.SetInstallHooks(&linkHooks);
  Unzip = new TUnzip;  // released by the background after its stage

  if (options.silent)
    mainSetup.StartHidden();
  else
    mainSetup.ShowMaximized();
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  delete Unzip;
  Unzip = nullptr;
  ZEL = nullptr;
  Form3 = nullptr;
  MainSetup = nullptr;
  int status = static_cast<int>(msg.wParam);
  // An error the user was shown outside the install's own report: the
  // product is not known to be complete.
  if (zel::ui::UnexpectedErrorSeen() && status == zel::kExitInstalled) status = zel::kExitIncomplete;
  return status;
}

}  // namespace

// The runtime's default handler for an uncaught exception prints the
// demangled type name, which links a whole demangler into the program. The
// setup catches everything at its edges, so a plain abort is enough here.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  zel::sys::RestrictDllSearch();
  try {
    return RunSetup();
  } catch (...) {
    return zel::kExitFailed;
  }
}
