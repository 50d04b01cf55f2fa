#include "wizard/install_engine.h"

#include <exception>

#include "platform/errors.h"

namespace zel {
namespace {

constexpr int kShowNormal = 5;

// Errors of single install items are not reported; the run goes on.
template <typename F>
void Ignoring(F&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

void ResolveDirectories(InstallContext& ctx, const std::string& title) {
  InstallOps& ops = ctx.ops;
  for (const PlannedDirectory& dir : ctx.plan.directories) {
    if (dir.isInstallDir) {
      Ignoring([&] { ops.ForceDirectories(ctx.plan.installPath); });
      ctx.record.Start(title);
    }
    ctx.dirTags.push_back(dir.tag);
    ctx.dirPaths.push_back(dir.folder);
    Ignoring([&] { ops.ForceDirectories(dir.folder); });
  }
}

void CopyOneFile(InstallContext& ctx, const PlannedFile& file) {
  InstallOps& ops = ctx.ops;
  const std::string source = ctx.setup.TempDir + "\\" + file.name;
  Ignoring([&] {
    ops.CopyFileTo(source, file.folder);
    if (file.deleteSource) ops.RemoveFile(source);
  });
}

void CopyFiles(InstallContext& ctx) {
  InstallOps& ops = ctx.ops;
  size_t next = 0;
  const std::vector<PlannedFile>& files = ctx.plan.files;
  for (int t = 0; t < static_cast<int>(ctx.plan.directories.size()); ++t) {
    ops.ShowStatus(kStatusReady);
    for (; next < files.size() && files[next].directory == t; ++next) {
      const PlannedFile& file = files[next];
      ops.StepProgress();
      ops.ShowStatus(file.name);
      ops.ShowTarget(file.folder);
      const std::string target = file.folder + "\\" + file.name;
      if (file.askOverwrite && ops.FileExists(target)) {
        if (ops.AskYesNo("File Already Exists (" + file.name + "). Overwrite?"))
          CopyOneFile(ctx, file);
      } else {
        CopyOneFile(ctx, file);
      }
      ops.ProcessMessages();
      ctx.record.AddFile(target);
    }
  }
}

void RunSteps(InstallContext& ctx, const std::string& title, InstallHooks& hooks) {
  InstallOps& ops = ctx.ops;
  const SetupData& setup = ctx.setup;
  ops.SetProgressMax(ctx.plan.progressMax);
  ops.ShowStatus(kStatusPreparing);
  ResolveDirectories(ctx, title);
  const std::string& installPath = ctx.plan.installPath;
  ops.CopyFileTo(setup.TempDir + "\\install.exe", installPath);
  ops.CopyFileTo(setup.TempDir + "\\install.cfg", installPath);
  CopyFiles(ctx);
  ops.ShowStatus(kStatusIcons);
  hooks.CreateShortcuts(ctx);
  if (!setup.IniSetupEntries.Empty()) {
    ops.ShowStatus(kStatusRegistry);
    hooks.ProcessIniEntries(ctx);
  }
  if (!setup.AutoexecLines.Empty()) {
    ops.ShowStatus(kStatusAutoexecBackup);
    hooks.UpdateAutoexec(ctx);
  }
  ops.ShowStatus(kStatusUninstall);
  if (!title.empty() && ops.FileExists(installPath + "\\uninstaller.exe"))
    ops.RegisterUninstall(MakeUninstallRegistration(installPath, title));
  const PlannedLaunch& launch = ctx.plan.launch;
  if (launch.run) Ignoring([&] { ops.LaunchFile(launch.file, "", launch.folder, kShowNormal); });
  ops.ProcessMessages();
}

}  // namespace

InstallOutcome RunInstall(const SetupData& setup, const InstallChoices& choices,
                          const std::string& windowsDir, const std::string& title,
                          InstallOps& ops, InstallHooks& hooks) {
  InstallOutcome outcome;
  try {
    const InstallPlan plan = PlanInstall(setup, choices, windowsDir);
    if (!plan.hasInstallDir) {
      outcome.error = kNoInstallDirMessage;
      return outcome;
    }
    UninstallRecord record(ops, plan.installPath);
    InstallContext ctx{setup, choices, plan, ops, record, windowsDir, {}, {}};
    RunSteps(ctx, title, hooks);
    outcome.completed = true;
  } catch (const std::exception& e) {
    outcome.error = e.what();
  } catch (...) {
    outcome.error = "Unexpected error during the installation.";
  }
  return outcome;
}

}  // namespace zel
