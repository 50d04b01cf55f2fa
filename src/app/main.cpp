// install.exe: restricts where DLLs come from, creates the setup's four
// windows in order and runs the message loop until the background closes.
#include <windows.h>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/system.h"
#include "ui/chg_dir.h"
#include "ui/globals.h"
#include "ui/main_setup.h"
#include "ui/system_ui.h"
#include "ui/unzip.h"
#include "ui/zel_wizard.h"
#include "shell/window_routines.h"
#include "wizard/link_folders.h"
#include "wizard/link_steps.h"
#include "wizard/shortcuts.h"

namespace {

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> arguments;
  for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
  return arguments;
}

int RunSetup() {
  using namespace zel::ui;
  zel::sys::SetApplicationTitle("ZEL - Setup");
  InitCommonControlsForSetup();

  TMainSetup mainSetup;
  MainSetup = &mainSetup;
  if (!mainSetup.CreateForm(CommandLineArguments())) return zel::kExitFailed;
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
  return static_cast<int>(msg.wParam);
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
