// The install engine's shortcut, registry/INI and autoexec.bat steps, plugged
// into the engine's hooks. The platform services they use are injectable so
// that the steps run against fakes in the native tests.
#pragma once

#include <functional>
#include <string>

#include "wizard/autoexec.h"
#include "wizard/install_engine.h"
#include "wizard/shortcuts.h"

namespace zel {

// String values below HKEY_CURRENT_USER; key paths are from its root, without
// a leading backslash. Both throw zel::Exception naming the key on failure.
class UserRegistryWriter {
 public:
  virtual ~UserRegistryWriter() = default;
  virtual void CreateKey(const std::string& keyPath) = 0;
  virtual void WriteString(const std::string& keyPath, const std::string& name,
                           const std::string& value) = 0;
  // Whether the key, or the value in it, is there. A writer that cannot tell
  // says yes: the uninstaller then leaves the key or value alone.
  virtual bool KeyExists(const std::string& /*keyPath*/) { return true; }
  virtual bool ValueExists(const std::string& /*keyPath*/, const std::string& /*name*/) {
    return true;
  }
};

// The platform's HKEY_CURRENT_USER.
UserRegistryWriter& CurrentUserRegistry();

struct LinkStepServices {
  // Makes the links of the component's current properties; empty: the
  // shell's link object (TShortcuts::CreateLinks).
  std::function<void(TShortcuts&)> createLinks;
  // Writes one INI value; false when the platform refused. Empty: the
  // private-profile functions.
  std::function<bool(const std::string& file, const std::string& section,
                     const std::string& name, const std::string& value)>
      writeIni;
  UserRegistryWriter* registry = nullptr;  // null: CurrentUserRegistry()
  ShortPathFunction shortPath;             // empty: ShortPathName
};

class LinkInstallHooks : public InstallHooks {
 public:
  // shortcuts is the wizard's link component; its folder switches are set
  // from the run's choices.
  explicit LinkInstallHooks(TShortcuts& shortcuts, LinkStepServices services = {});

  // Links for every "Desktop" entry whose tag names a folder of the run; a
  // link that cannot be made is noted as a failure of the run.
  void CreateShortcuts(InstallContext& context) override;
  // Every "INI - Setup" entry; a value that cannot be written is noted as a
  // failure naming the file or key.
  void ProcessIniEntries(InstallContext& context) override;
  // The block at the end of autoexec.bat. A file that cannot be read or
  // written is left as it was and noted as a failure.
  void UpdateAutoexec(InstallContext& context) override;

 private:
  TShortcuts& shortcuts_;
  LinkStepServices services_;
};

}  // namespace zel
