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
  data.TempDir = windows + "\\Temp\\q";
  try {
    fs::ForceDirectories(data.TempDir);
  } catch (const Exception&) {
    // The preparation stage tries again and reports there.
  }
}

void ClearTempDir(const std::string& dir) {
  if (dir.empty()) return;
  for (const fs::FindEntry& entry : fs::FindFiles(dir + "\\*.*")) fs::DeleteFile(dir + "\\" + entry.name);
  fs::RemoveDir(dir);
}

void EndSetup(SetupData& data) {
  data.ClearEntryLists();
  ClearTempDir(data.TempDir);
}

bool ShouldRestartWindows(const SetupData& data, bool rebootChecked) { return rebootChecked && data.InstallCompleted; }

}  // namespace zel
