#include "wizard/link_steps.h"

#include <algorithm>

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "shell/window_routines.h"
#include "wizard/ini_registry.h"

namespace zel {
namespace {

TStringList ToList(const std::vector<std::string>& lines) {
  TStringList list;
  for (const std::string& line : lines) list.Add(line);
  return list;
}

bool Holds(const std::vector<std::string>& titles, const std::string& title) {
  return std::find(titles.begin(), titles.end(), title) != titles.end();
}

class EngineShortcutHost : public ShortcutStepHost {
 public:
  explicit EngineShortcutHost(InstallContext& context) : ctx_(context) {}
  void ShowDest(const std::string& text) override { ctx_.ops.ShowTarget(text); }
  void StepProgress() override { ctx_.ops.StepProgress(); }
  void ProcessMessages() override { ctx_.ops.ProcessMessages(); }
  bool DesktopTicked(const std::string& title) override {
    return Holds(ctx_.choices.desktopTicked, title);
  }
  bool StartMenuTicked(const std::string& title) override {
    return Holds(ctx_.choices.startMenuTicked, title);
  }
  void Record(const std::string& section, const std::string& name) override {
    ctx_.Record(section.c_str(), name);
  }
  void LinkFailed(const std::string& what) override { ctx_.Fail(what); }
  void LinkMade(const std::string& linkPath) override { ctx_.Log({"Link ", linkPath, ": made"}); }

 private:
  InstallContext& ctx_;
};

class EngineIniHost : public IniRegistryHost {
 public:
  EngineIniHost(InstallContext& context, const LinkStepServices& services)
      : ctx_(context), services_(services) {}
  // The engine has shown the step's status already.
  void Status(const std::string&) override {}
  void StepProgress() override { ctx_.ops.StepProgress(); }
  void ProcessMessages() override { ctx_.ops.ProcessMessages(); }
  void Record(const std::string& section, const std::string& name) override {
    ctx_.Record(section.c_str(), name);
  }
  void Failed(const std::string& what) override { ctx_.Fail(what); }
  void WriteIniValue(const std::string& file, const std::string& section, const std::string& name,
                     const std::string& value) override {
    // What was there before decides what the uninstaller may take away.
    IniValueRecord before{IniUninstallPath(file, ctx_.windowsDir), section, name};
    before.fileExisted = fs::FileExists(before.file);
    if (before.fileExisted) {
      before.sectionExisted = !profile::ReadKeyNames(before.file, section).empty();
      static const char kMissing[] = "\x01zel: no such key\x01";
      before.keyExisted = profile::ReadString(before.file, section, name, kMissing) != kMissing;
    }
    const bool written = services_.writeIni ? services_.writeIni(file, section, name, value)
                                            : profile::WriteString(file, section, name, value);
    if (!written) throw Exception("Unable to write to " + file);
    ctx_.Log({"INI value ", file, " [", section, "] ", name, "=", value, ": written"});
    ctx_.RecordWith(before.file, [&](UninstallRecord& r) { r.AddIniValue(before); });
  }
  void CreateRegistryKey(const std::string& keyPath) override {
    const std::vector<std::string> missing = MissingKeys(keyPath);
    Registry().CreateKey(keyPath);
    RecordKeys(missing);
  }
  void WriteRegistryString(const std::string& keyPath, const std::string& name,
                           const std::string& value) override {
    const std::vector<std::string> missing = MissingKeys(keyPath);
    const bool existed = missing.empty() && Registry().ValueExists(keyPath, name);
    Registry().WriteString(keyPath, name, value);
    RecordKeys(missing);
    ctx_.RecordWith(keyPath, [&](UninstallRecord& r) { r.AddRegValue({keyPath, name, existed}); });
    ctx_.Log({"Registry value HKEY_CURRENT_USER\\", keyPath, " ", name, "=", value, ": written"});
  }

 private:
  // The levels of keyPath that are not there yet, outermost first.
  std::vector<std::string> MissingKeys(const std::string& keyPath) {
    std::vector<std::string> missing;
    size_t end = 0;
    while (end != std::string::npos) {
      end = keyPath.find('\\', end + 1);
      const std::string level = keyPath.substr(0, end);
      if (!level.empty() && (!missing.empty() || !Registry().KeyExists(level)))
        missing.push_back(level);
    }
    return missing;
  }
  void RecordKeys(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) ctx_.Record(kRegKeysSection, key);
  }

  UserRegistryWriter& Registry() {
    return services_.registry ? *services_.registry : CurrentUserRegistry();
  }
  InstallContext& ctx_;
  const LinkStepServices& services_;
};

// HKEY_CURRENT_USER through the platform's registry keys, whose errors name
// the key and the value.
class PlatformUserRegistry : public UserRegistryWriter {
 public:
  void CreateKey(const std::string& keyPath) override {
    reg::RegistryKey key(reg::Root::kCurrentUser, keyPath);
  }
  void WriteString(const std::string& keyPath, const std::string& name,
                   const std::string& value) override {
    reg::RegistryKey(reg::Root::kCurrentUser, keyPath).WriteString(name, value);
  }
  bool KeyExists(const std::string& keyPath) override {
    return reg::KeyExists(reg::Root::kCurrentUser, keyPath);
  }
  bool ValueExists(const std::string& keyPath, const std::string& name) override {
    return reg::ValueExists(reg::Root::kCurrentUser, keyPath, name);
  }
};

}  // namespace

UserRegistryWriter& CurrentUserRegistry() {
  static PlatformUserRegistry registry;
  return registry;
}

LinkInstallHooks::LinkInstallHooks(TShortcuts& shortcuts, LinkStepServices services)
    : shortcuts_(shortcuts), services_(std::move(services)) {}

void LinkInstallHooks::CreateShortcuts(InstallContext& context) {
  shortcuts_.FolderDesktop = context.choices.folderDesktop;
  shortcuts_.FolderStartMenu = context.choices.folderStartMenu;
  EngineShortcutHost host(context);
  RunShortcutStep(context.setup.ShortcutEntries, ToList(context.dirTags), ToList(context.dirPaths),
                  shortcuts_, host, services_.createLinks);
}

void LinkInstallHooks::ProcessIniEntries(InstallContext& context) {
  TStringList entries = context.setup.IniSetupEntries;  // resolved in this copy
  EngineIniHost host(context, services_);
  RunIniRegistryStep(entries, ToList(context.dirTags), ToList(context.dirPaths),
                     context.windowsDir, host);
}

void LinkInstallHooks::UpdateAutoexec(InstallContext& context) {
  const ShortPathFunction shortPath =
      services_.shortPath ? services_.shortPath
                          : ShortPathFunction([](const std::string& p) { return ShortPathName(p); });
  // The engine shows the backup status itself before this step.
  const AutoexecResult result = UpdateAutoexecFile(
      context.setup.RootDir, context.setup.AutoexecLines, ToList(context.dirTags),
      ToList(context.dirPaths), shortPath, [&context](const std::string& status) {
        if (status == kStatusAutoexecUpdate) context.ops.ShowStatus(status);
      });
  if (result.updated)
    context.Log({"autoexec.bat ", context.setup.RootDir, "autoexec.bat: ",
                 std::to_string(context.setup.AutoexecLines.Count()), " line(s) added",
                 result.backedUp ? ", the old file saved as autoexec.zel" : ", a new file"});
  if (!result.error.empty())
    context.Fail(result.error + " (the lines for autoexec.bat were not added; it is unchanged)");
  if (result.updated)
    context.RecordWith(result.batPath, [&](UninstallRecord& r) {
      r.AddAutoexecBlock(result.batPath, result.backedUp ? result.backupPath : std::string(),
                         result.createdNew, result.block);
    });
}

}  // namespace zel
