// The platform's side of a removal: files and folders through the fs layer,
// registry values and keys through the registry layer, and deletion at the
// next restart the way each Windows family offers it.
#include "platform/fs.h"
#include "platform/registry.h"
#include "platform/windows_family.h"
#include "shell/window_routines.h"
#include "uninstall/restart_delete.h"
#include "uninstall/uninstall_run.h"

namespace zel {
namespace {

class PlatformSystem : public UninstallSystem {
 public:
  bool FileExists(const std::string& path) override { return fs::FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return fs::DirectoryExists(path); }
  std::vector<std::string> ListFolder(const std::string& folder) override {
    std::vector<std::string> names;
    for (const fs::FindEntry& e : fs::FindFiles(folder + "\\*.*"))
      if (e.name != "." && e.name != "..") names.push_back(e.name);
    return names;
  }
  bool DeleteFile(const std::string& path) override {
    if (!fs::FileExists(path)) return true;
    // A read-only file is the product's too.
    const uint32_t attributes = fs::GetAttributes(path);
    if (attributes != fs::kInvalidAttributes && (attributes & fs::kAttrReadOnly))
      fs::SetAttributes(path, attributes & ~fs::kAttrReadOnly);
    return fs::DeleteFile(path) || !fs::FileExists(path);
  }
  bool DeleteAtRestart(const std::string& path) override {
    if (sys::IsNtPlatform()) return fs::DeleteAtRestart(path);
    return AddWininitDelete(WindowsFolder() + "\\wininit.ini", ShortPathName(path));
  }
  bool RemoveFolder(const std::string& path) override { return fs::RemoveDir(path); }
  bool DeleteUserValue(const std::string& key, const std::string& name) override {
    return reg::DeleteValue(reg::Root::kCurrentUser, key, name);
  }
  bool DeleteEmptyUserKey(const std::string& key) override {
    return reg::DeleteEmptyKey(reg::Root::kCurrentUser, key);
  }
  bool DeleteRegistration(const std::string& key) override {
    reg::DeleteValue(reg::Root::kLocalMachine, key, "DisplayName");
    reg::DeleteValue(reg::Root::kLocalMachine, key, "UninstallString");
    return reg::DeleteEmptyKey(reg::Root::kLocalMachine, key) ||
           !reg::KeyExists(reg::Root::kLocalMachine, key);
  }
};

}  // namespace

UninstallSystem& PlatformUninstallSystem() {
  static PlatformSystem system;
  return system;
}

}  // namespace zel
