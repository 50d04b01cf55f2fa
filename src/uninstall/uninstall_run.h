// Carrying out a removal plan, and what the user and the exit status are told
// afterwards.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "uninstall/uninstall_plan.h"

namespace zel {

// The system a plan is carried out on. Files, folders and the registry go
// through it; INI files and autoexec.bat are edited through the platform's
// profile and file functions.
class UninstallSystem : public DiskView {
 public:
  // True when the file is gone afterwards.
  virtual bool DeleteFile(const std::string& path) = 0;
  // Asks for the file to be deleted when Windows restarts; false when this
  // Windows cannot.
  virtual bool DeleteAtRestart(const std::string& path) = 0;
  // Removes an empty folder; false when it is not empty or cannot go.
  virtual bool RemoveFolder(const std::string& path) = 0;
  // Below HKEY_CURRENT_USER; true when the value is gone.
  virtual bool DeleteUserValue(const std::string& key, const std::string& name) = 0;
  // Below HKEY_CURRENT_USER; true when the key is gone (false when not empty).
  virtual bool DeleteEmptyUserKey(const std::string& key) = 0;
  // The uninstall registration below HKEY_LOCAL_MACHINE: its two values, then
  // the key when it is empty. True when the registration is gone.
  virtual bool DeleteRegistration(const std::string& key) = 0;
};

// The system of this platform (fs, profile and registry layers; restart
// deletion through MoveFileExA on NT and wininit.ini on Windows 95/98/ME).
UninstallSystem& PlatformUninstallSystem();

struct UninstallOutcome {
  std::vector<Leftover> leftovers;    // what stays, with why
  int removed = 0;                    // items taken away
  bool failed = false;                // the removal could not start
  std::string error;                  // why, when failed
};

// Runs every action of the plan in order; progress(item, done, total) is
// called before each. What cannot be done joins the plan's leftovers.
UninstallOutcome RunUninstall(const UninstallPlan& plan, UninstallSystem& system,
                              const std::function<void(const std::string&, int, int)>& progress = {});

// Removes the block (its exact lines, the marker lines included, compared
// without regard to blanks at the ends and to case) from the file: every
// copy of it, as a reinstall adds the block again. The file as it was is
// saved as backup first, and the new text replaces the file only when
// complete. removeFileWhenEmpty deletes the file when nothing but blank lines
// is left. Returns "" or why nothing was changed.
std::string RemoveAutoexecBlock(const std::string& file, const std::string& backup,
                                const std::vector<std::string>& block, bool removeFileWhenEmpty);

// Exit status of uninstaller.exe: 0 everything removed, 1 cancelled, 2 failed,
// 3 something was left.
inline constexpr int kUninstallComplete = 0, kUninstallCancelled = 1, kUninstallFailed = 2,
                     kUninstallLeftSomething = 3;
int UninstallExitCode(const UninstallOutcome& outcome);

// The final message: removed, or what was left and why (the first
// kMaxListedLeftovers, then how many more).
inline constexpr size_t kMaxListedLeftovers = 15;
std::string UninstallReport(const std::string& title, const UninstallOutcome& outcome);
// The same as a log: one line per leftover, nothing cut.
std::string UninstallLog(const std::string& title, const UninstallOutcome& outcome);

// The command line of uninstaller.exe (without the program's path):
// "[/S] <title>", and "/Z <path>" for the copy that removes the original.
// Switches are one letter after "/", any case, each followed by a blank or the
// end; the rest, trimmed and without enclosing quotes, is the title or path.
struct UninstallerArguments {
  bool silent = false;
  bool finishSelfRemoval = false;
  std::string title;
};
UninstallerArguments ParseUninstallerCommandLine(const std::string& commandLine);

inline constexpr const char* kReasonAtRestart = "it is in use; it will be removed when Windows restarts";
inline constexpr const char* kReasonCannotDelete = "it could not be deleted";

}  // namespace zel
