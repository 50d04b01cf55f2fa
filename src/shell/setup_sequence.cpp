#include "shell/setup_sequence.h"

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/system.h"
#include "shell/window_routines.h"

namespace zel {

std::string MakeSourceDir(const std::string& currentDir) {
  return currentDir.size() > 3 ? currentDir + "\\" : currentDir;
}

void SetUpFolders(SetupData& data, const std::vector<std::string>& arguments) {
  data.ArgumentDir.clear();
  if (!arguments.empty()) {
    if (!fs::SetCurrentDir(arguments[0])) throw EInOutError("I/O error " + std::to_string(sys::LastErrorCode()));
    data.ArgumentDir = arguments[0];
  }
  data.SourceDir = MakeSourceDir(fs::GetCurrentDir());
  const std::string windows = WindowsFolder();
  data.RootDir = windows.substr(0, 3);
  data.TempDir = MakePrivateTempDir(fs::TempFolder());
  if (data.TempDir.empty()) {
    // A temporary folder that cannot be written: the Windows folder's.
    const std::string fallback = windows + "\\Temp";
    try {
      fs::ForceDirectories(fallback);
    } catch (const Exception&) {
    }
    data.TempDir = MakePrivateTempDir(fallback);
  }
  // Still none: the preparation stage reports it.
}

std::string MakePrivateTempDir(const std::string& parent) {
  return parent.empty() ? std::string() : fs::CreateUniqueDir(parent, kTempDirPrefix);
}

void ClearTempDir(const std::string& dir) {
  if (!dir.empty()) fs::RemoveTree(dir);
}

void EndSetup(SetupData& data) {
  data.ClearEntryLists();
  ClearTempDir(data.TempDir);
}

bool ShouldRestartWindows(const SetupData& data, bool rebootChecked) { return rebootChecked && data.InstallCompleted; }

}  // namespace zel
