// uninstaller.exe: removes a product installed by ZEL Setup.
//
//   uninstaller.exe <title>      asks "Remove <title> and all of its
//                                components?", shows its progress and a final
//                                message listing what was left and why
//   uninstaller.exe /S <title>   the same without any window; exit status 0
//                                everything removed, 1 cancelled, 2 failed, 3
//                                something was left
//
// It reads uninstall.cfg beside itself. Each run writes its log to
// ZEL-uninstall.log in the system's temporary folder. The title is the rest
// of the command line, as the registration's UninstallString gives it.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/string_list.h"
#include "platform/system.h"
#include "platform/windows_family.h"
#include "progress_window.h"
#include "self_removal.h"
#include "shell/window_routines.h"
#include "uninstall/uninstall_plan.h"
#include "uninstall/uninstall_run.h"
#include "wizard/link_folders.h"

namespace {

using namespace zel;

constexpr char kCaption[] = "ZEL - Uninstall";

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The link folders of every kind this Windows has: the install may have put
// the links in the all-users or in the user's folders.
std::vector<std::string> AllLinkRoots() {
  const std::string windows = WindowsFolder();
  std::vector<std::string> roots;
  for (const LinkFolders& set : {ChooseLinkFolders(sys::ShellFolderPath, true, windows),
                                 ChooseLinkFolders(sys::ShellFolderPath, false, windows),
                                 WindowsFolderLinkFolders(windows)})
    for (const std::string& root : {set.desktop, set.startMenu, set.programs})
      if (!root.empty()) roots.push_back(root);
  return roots;
}

void WriteLog(const std::string& text) {
  const std::string temp = fs::TempFolder();
  if (temp.empty()) return;
  TStringList lines;
  lines.SetText(text);
  try {
    lines.SaveToFile(IncludeTrailingBackslash(temp) + "ZEL-uninstall.log");
  } catch (const std::exception&) {
  }
}

int Finish(const std::string& title, const UninstallOutcome& outcome, bool silent) {
  WriteLog(UninstallLog(title, outcome));
  if (!silent)
    MessageBoxA(nullptr, UninstallReport(title, outcome).c_str(), kCaption,
                MB_OK | (outcome.failed ? MB_ICONERROR
                                        : outcome.leftovers.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
  return UninstallExitCode(outcome);
}

int Uninstall(const UninstallerArguments& args) {
  const std::string self = sys::ProgramFile();
  std::string installPath = FolderOf(self);
  const std::string cfg = installPath + "\\uninstall.cfg";
  std::string title = args.title;
  UninstallOutcome outcome;
  TStringList lines;
  bool read = false;
  if (fs::FileExists(cfg)) {
    try {
      lines.LoadFromFile(cfg);
      read = true;
    } catch (const std::exception&) {
    }
  }
  std::vector<std::string> text;
  for (int i = 0; i < lines.Count(); ++i) text.push_back(lines[i]);
  const RecordContents record = ParseUninstallRecord(text);
  if (title.empty()) title = record.title.empty() ? std::string("this product") : record.title;
  // Started by a short (8.3) path, the folder is named as the record names it.
  if (!record.unins.empty()) {
    const std::string& first = record.unins.front();
    const std::string recorded = first.size() > 4 && first.compare(first.size() - 4, 4, "\\*.*") == 0
                                     ? first.substr(0, first.size() - 4) : std::string();
    if (!recorded.empty() && !SameText(recorded, installPath) &&
        SameText(ShortPathName(recorded), ShortPathName(installPath)))
      installPath = recorded;
  }
  if (!read) {
    outcome.failed = true;
    outcome.error = "The uninstall information of " + title + " (uninstall.cfg) was not found in " +
                    installPath + ". It may have been removed already; nothing was changed.";
    return Finish(title, outcome, args.silent);
  }
  if (!args.silent &&
      MessageBoxA(nullptr, ("Remove " + title + " and all of its components?").c_str(), kCaption,
                  MB_YESNO | MB_ICONQUESTION) != IDYES)
    return kUninstallCancelled;

  UninstallSystem& system = PlatformUninstallSystem();
  const UninstallPlan plan = PlanUninstall(record, {installPath, AllLinkRoots(), self}, system);
  if (args.silent) {
    outcome = RunUninstall(plan, system);
  } else {
    uninstaller::ProgressWindow progress(kCaption);
    outcome = RunUninstall(plan, system, [&progress](const std::string& item, int done, int total) {
      progress.Show(item, done, total);
    });
  }
  const int status = Finish(title, outcome, args.silent);
  // After the message: the copy that deletes this file waits for its end.
  if (plan.removeSelf) uninstaller::StartSelfRemoval(self);
  return status;
}

}  // namespace

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  using namespace zel;
  zel::sys::RestrictDllSearch();
  zel::sys::SetApplicationTitle(kCaption);
  try {
    const UninstallerArguments args = ParseUninstallerCommandLine(commandLine ? commandLine : "");
    if (args.finishSelfRemoval)
      return uninstaller::FinishSelfRemoval(args.title, sys::ProgramFile());
    InitCommonControls();
    return Uninstall(args);
  } catch (...) {
    return kUninstallFailed;
  }
}
