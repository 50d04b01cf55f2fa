#include "wizard/link_steps.h"

#include <algorithm>

#include "platform/errors.h"
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
    const bool written = services_.writeIni ? services_.writeIni(file, section, name, value)
                                            : profile::WriteString(file, section, name, value);
    if (!written) throw Exception("Unable to write to " + file);
    ctx_.Log({"INI value ", file, " [", section, "] ", name, "=", value, ": written"});
  }
  void CreateRegistryKey(const std::string& keyPath) override { Registry().CreateKey(keyPath); }
  void WriteRegistryString(const std::string& keyPath, const std::string& name,
                           const std::string& value) override {
    Registry().WriteString(keyPath, name, value);
    ctx_.Log({"Registry value HKEY_CURRENT_USER\\", keyPath, " ", name, "=", value, ": written"});
  }

 private:
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
}

}  // namespace zel
