#include <windows.h>

#include "platform/fs.h"
#include "platform/paths.h"
#include "self_removal.h"
#include "uninstall/uninstall_run.h"

namespace zel::uninstaller {
namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

bool StartSelfRemoval(const std::string& self) {
  UninstallSystem& system = PlatformUninstallSystem();
  const std::string temp = fs::CreateUniqueDir(fs::TempFolder(), "ZEL");
  if (!temp.empty()) {
    const std::string copy = temp + "\\uninstaller.exe";
    if (CopyFileA(self.c_str(), copy.c_str(), FALSE)) {
      std::string command = "\"" + copy + "\" /Z \"" + self + "\"";
      STARTUPINFOA startup{};
      startup.cb = sizeof startup;
      PROCESS_INFORMATION process{};
      if (CreateProcessA(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         temp.c_str(), &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
      }
      fs::DeleteFile(copy);
    }
    fs::RemoveDir(temp);
  }
  return system.DeleteAtRestart(self);
}

int FinishSelfRemoval(const std::string& original, const std::string& self) {
  UninstallSystem& system = PlatformUninstallSystem();
  const std::string folder = FolderOf(original);
  const size_t nameAt = original.rfind('\\');
  if (folder.empty() || !SameText(original.substr(nameAt + 1), "uninstaller.exe") ||
      fs::FileExists(folder + "\\uninstall.cfg"))
    return kUninstallFailed;
  bool deleted = false;
  for (int attempt = 0; attempt < 300 && !deleted; ++attempt) {
    deleted = system.DeleteFile(original);
    if (!deleted) Sleep(200);
  }
  if (!deleted) system.DeleteAtRestart(original);
  if (deleted) system.RemoveFolder(folder);  // only when empty
  // The copy cannot delete itself either: Windows does at the next restart.
  system.DeleteAtRestart(self);
  system.DeleteAtRestart(FolderOf(self));  // NT removes the emptied folder too
  return deleted ? kUninstallComplete : kUninstallLeftSomething;
}

}  // namespace zel::uninstaller
