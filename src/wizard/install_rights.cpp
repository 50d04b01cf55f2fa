#include "wizard/install_rights.h"

#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "wizard/uninstall_record.h"

namespace zel {
namespace {

constexpr int kProbeNames = 8;

class PlatformProbe : public RightsProbe {
 public:
  bool CanWriteFolder(const std::string& folder) override { return FolderWritable(folder); }
  bool CanWriteMachineKey(const std::string& key) override {
    return reg::CanWriteKey(reg::Root::kLocalMachine, key);
  }
  bool FileExists(const std::string& path) override { return fs::FileExists(path); }
};

bool WillRegister(const InstallPlan& plan, const std::string& title, RightsProbe& probe) {
  if (title.empty()) return false;
  for (const PlannedFile& file : plan.files)
    if (SameText(file.name, "uninstaller.exe") && SameText(file.folder, plan.installPath)) return true;
  return probe.FileExists(plan.installPath + "\\uninstaller.exe");
}

}  // namespace

RightsProbe& PlatformRightsProbe() {
  static PlatformProbe probe;
  return probe;
}

bool FolderWritable(const std::string& folder) {
  // The levels that do not exist yet, deepest first; a drive root is taken
  // as it is.
  std::vector<std::string> missing;
  for (std::string dir = ExcludeTrailingBackslash(folder); dir.size() > 3 && !fs::DirectoryExists(dir);) {
    missing.push_back(dir);
    const std::string parent = ExcludeTrailingBackslash(ExtractFilePath(dir));
    if (parent.size() >= dir.size()) break;
    dir = parent;
  }
  size_t made = 0;
  while (made < missing.size() && fs::CreateDir(missing[missing.size() - 1 - made])) ++made;
  bool writable = false;
  if (made == missing.size()) {
    const std::string base = IncludeTrailingBackslash(folder) + "~zelprb";
    for (int i = 0; i < kProbeNames && !writable; ++i) {
      const std::string probe = base + static_cast<char>('0' + i) + ".tmp";
      writable = fs::CreateNewFile(probe);
      if (writable) fs::DeleteFile(probe);
      else if (fs::GetAttributes(probe) == fs::kInvalidAttributes) break;  // refused, not taken
    }
  }
  // Deepest first: each folder made here is empty again.
  for (size_t i = missing.size() - made; i < missing.size(); ++i) fs::RemoveDir(missing[i]);
  return writable;
}

std::vector<std::string> UnwritablePlaces(const InstallPlan& plan, const std::string& title, RightsProbe& probe) {
  std::vector<std::string> places;
  if (!plan.hasInstallDir) return places;
  const std::vector<PlannedDirectory>& dirs = plan.directories;
  for (size_t i = 0; i < dirs.size(); ++i) {
    // A folder named by two tags is probed once.
    bool seen = dirs[i].folder.empty();
    for (size_t j = 0; j < i && !seen; ++j) seen = SameText(dirs[j].folder, dirs[i].folder);
    if (!seen && !probe.CanWriteFolder(dirs[i].folder)) places.push_back(dirs[i].folder);
  }
  if (WillRegister(plan, title, probe)) {
    const std::string key = MakeUninstallRegistration(plan.installPath, title).key;
    if (!probe.CanWriteMachineKey(key)) places.push_back("HKEY_LOCAL_MACHINE\\" + key);
  }
  return places;
}

std::string NoRightsMessage(const std::vector<std::string>& places) {
  if (places.empty()) return std::string();
  std::string message = "Setup cannot write to:\n\n";
  for (const std::string& place : places) message += place + "\n";
  message +=
      "\nInstalling needs the rights to write there. Run Setup as an administrator, or choose "
      "another destination folder.\n\nNothing has been installed.";
  return message;
}

std::string CheckInstallRights(const SetupData& setup, const InstallChoices& choices,
                               const std::string& windowsDir, const std::string& title,
                               RightsProbe& probe) {
  return NoRightsMessage(UnwritablePlaces(PlanInstall(setup, choices, windowsDir), title, probe));
}

}  // namespace zel
