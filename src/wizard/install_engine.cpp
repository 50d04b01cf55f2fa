#include "wizard/install_engine.h"

#include <algorithm>
#include <exception>

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/paths.h"

namespace zel {
namespace {

constexpr int kShowNormal = 5;

void MakeFolder(InstallContext& ctx, const std::string& folder) {
  try {
    ctx.ops.ForceDirectories(folder);
    ctx.Log({"Folder ", folder, ": in place"});
  } catch (const std::exception& e) {
    ctx.Fail(e.what());
  }
}

// The log follows the install into its destination once that folder exists;
// true when it is there now.
bool MoveLog(InstallContext& ctx, const std::string& path) {
  if (!ctx.log || ctx.log->Fixed()) return false;
  if (ctx.log->MoveTo(path)) return true;
  ctx.Log({"The log cannot be written to ", path, "; it stays at ", ctx.log->Path()});
  return false;
}

// The folders that making folder creates: folder and its missing parents,
// outermost first (a drive or root is never one of them).
void AddMissingFolders(InstallOps& ops, std::string folder, std::vector<std::string>& missing) {
  while (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
  std::vector<std::string> chain;
  while (!folder.empty() && !ops.DirectoryExists(folder)) {
    chain.push_back(folder);
    const size_t slash = folder.rfind('\\');
    if (slash == std::string::npos || slash == 0 || (slash == 2 && folder[1] == ':')) break;
    folder.resize(slash);
  }
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    if (std::find(missing.begin(), missing.end(), *it) == missing.end()) missing.push_back(*it);
}

void ResolveDirectories(InstallContext& ctx, const std::string& title) {
  // Which folders this run creates is recorded once the record is open.
  std::vector<std::string> createdFolders;
  for (const PlannedDirectory& dir : ctx.plan.directories) {
    if (dir.isInstallDir) {
      AddMissingFolders(ctx.ops, ctx.plan.installPath, createdFolders);
      MakeFolder(ctx, ctx.plan.installPath);
      // The log in the destination is the install's file too: a removal
      // takes it away with the product.
      const std::string log = ctx.plan.installPath + "\\" + kLogFileName;
      const bool logExisted = ctx.ops.FileExists(log);
      const bool logMoved = MoveLog(ctx, log);
      ctx.record.Start(title);
      if (logMoved) ctx.RecordFileState(log, logExisted, false);
      ctx.Log({"Uninstall record ", ctx.record.FileName(), ": started"});
    }
    ctx.dirTags.push_back(dir.tag);
    ctx.dirPaths.push_back(dir.folder);
    AddMissingFolders(ctx.ops, dir.folder, createdFolders);
    MakeFolder(ctx, dir.folder);
  }
  for (const std::string& folder : createdFolders)
    if (ctx.ops.DirectoryExists(folder)) ctx.Record(kCreatedFoldersSection, folder);
}

// Copies one of the setup's own files into the destination and records it.
void CopySetupFile(InstallContext& ctx, const std::string& name) {
  const std::string target = ctx.plan.installPath + "\\" + name;
  const bool existed = ctx.ops.FileExists(target);
  ctx.ops.CopyFileTo(ctx.setup.TempDir + "\\" + name, ctx.plan.installPath);
  ctx.RecordFileState(target, existed, false);
}

// True when the file is in place. Its expanded source goes only then (and
// only when no other value needs it); a source that cannot be deleted is no
// failure of the install, the temporary folder is removed at the end.
bool CopyOneFile(InstallContext& ctx, const PlannedFile& file) {
  InstallOps& ops = ctx.ops;
  const std::string source = ctx.setup.TempDir + "\\" + file.name;
  try {
    ops.CopyFileTo(source, file.folder);
  } catch (const std::exception& e) {
    ctx.Fail(e.what());
    return false;
  }
  ctx.Log({"File ", file.folder, "\\", file.name, ": copied"});
  try {
    if (file.deleteSource) ops.RemoveFile(source);
  } catch (const std::exception&) {
  }
  return true;
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
      // A file the user keeps (No) stays listed: it belongs to the product.
      bool inPlace = true;
      const bool existed = ops.FileExists(target);
      const bool copy = !file.askOverwrite || !existed ||
                        ops.AskYesNo("File Already Exists (" + file.name + "). Overwrite?");
      if (copy) inPlace = CopyOneFile(ctx, file);
      if (!copy) ctx.Log({"File ", target, ": kept (it exists and was not overwritten)"});
      ops.ProcessMessages();
      if (inPlace) {
        ctx.Record(kUninsSection, target);
        ctx.RecordFileState(target, existed, !copy);
      }
    }
  }
}

void Register(InstallContext& ctx, const std::string& title) {
  const std::string& installPath = ctx.plan.installPath;
  if (title.empty() || !ctx.ops.FileExists(installPath + "\\uninstaller.exe")) {
    ctx.Log({"Uninstall registration: none (no title or no uninstaller.exe)"});
    return;
  }
  const UninstallRegistration registration = MakeUninstallRegistration(installPath, title);
  try {
    ctx.ops.RegisterUninstall(registration);
    ctx.Log({"Uninstall registration HKEY_LOCAL_MACHINE\\", registration.key, ": written"});
  } catch (const std::exception& e) {
    ctx.Fail(e.what());
  }
}

void RunSteps(InstallContext& ctx, const std::string& title, InstallHooks& hooks) {
  InstallOps& ops = ctx.ops;
  const SetupData& setup = ctx.setup;
  ops.SetProgressMax(ctx.plan.progressMax);
  ops.ShowStatus(kStatusPreparing);
  ResolveDirectories(ctx, title);
  for (const char* own : {"install.exe", "install.cfg"}) {
    CopySetupFile(ctx, own);
    ctx.Log({"File ", ctx.plan.installPath, "\\", own, ": copied"});
  }
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
  Register(ctx, title);
  // An incomplete product is not started: the user reads the list first.
  const PlannedLaunch& launch = ctx.plan.launch;
  const std::string launchPath = launch.folder + launch.file;
  if (launch.run && ctx.failures.empty()) {
    // A program that does not start leaves the install as it is: logged only.
    try {
      ops.LaunchFile(launch.file, "", launch.folder, kShowNormal);
      ctx.Log({"Launch ", launchPath, ": started"});
    } catch (const std::exception& e) {
      ctx.Log({"Launch ", launchPath, ": failed: ", e.what()});
    }
  } else if (launch.run) {
    ctx.Log({"Launch ", launchPath, ": not started, the installation is incomplete"});
  }
  ops.ProcessMessages();
}

}  // namespace

void InstallContext::Log(std::initializer_list<std::string_view> parts) {
  if (log) log->Line(parts);
}

void InstallContext::Fail(const std::string& what) {
  Log({"Failed: ", what});
  if (std::find(failures.begin(), failures.end(), what) == failures.end()) failures.push_back(what);
}

void InstallContext::Record(const char* section, const std::string& item) {
  try {
    record.Add(section, item);
  } catch (const std::exception& e) {
    Fail(std::string(e.what()) + " (the record of " + item + ")");
  }
}

InstallOutcome RunInstall(const SetupData& setup, const InstallChoices& choices,
                          const std::string& windowsDir, const std::string& title,
                          InstallOps& ops, InstallHooks& hooks, InstallLog* log) {
  InstallOutcome outcome;
  try {
    const InstallPlan plan = PlanInstall(setup, choices, windowsDir);
    if (!plan.hasInstallDir) {
      outcome.error = kNoInstallDirMessage;
      if (log) log->Line({"The installation stopped: ", outcome.error});
      return outcome;
    }
    UninstallRecord record(ops, plan.installPath);
    InstallContext ctx{setup, choices, plan, ops, record, windowsDir, {}, {}, {}, {}, log};
    ctx.Log({"Installing into ", plan.installPath, choices.minInstall ? " (network install)" : " (full install)"});
    try {
      RunSteps(ctx, title, hooks);
      outcome.completed = true;
    } catch (const std::exception& e) {
      outcome.error = e.what();
    }
    outcome.failures = std::move(ctx.failures);
  } catch (const std::exception& e) {
    outcome.error = e.what();
  } catch (...) {
    outcome.error = "Unexpected error during the installation.";
  }
  if (log && !outcome.completed) log->Line({"The installation stopped: ", outcome.error});
  return outcome;
}

bool InstallOps::DirectoryExists(const std::string& path) { return fs::DirectoryExists(path); }

void InstallContext::RecordFileState(const std::string& path, bool existedBefore, bool kept) {
  const std::string key = UpperCase(path);
  // A file this run created stays created when a later value replaces it.
  const bool ours = std::find(created.begin(), created.end(), key) != created.end();
  if (!existedBefore) created.push_back(key);
  const FileState state = !existedBefore || ours ? FileState::kCreated
                          : kept                 ? FileState::kKept
                                                 : FileState::kReplaced;
  RecordWith(path, [&](UninstallRecord& r) { r.AddFileState(path, state); });
}

SetupExitCode InstallExitCode(const InstallOutcome& outcome) {
  if (!outcome.completed) return kExitFailed;
  return outcome.failures.empty() ? kExitInstalled : kExitIncomplete;
}

std::string InstallReport(const InstallOutcome& outcome) {
  if (outcome.completed && outcome.failures.empty()) return std::string();
  std::string text;
  if (!outcome.completed) {
    text = outcome.error;
    if (outcome.failures.empty()) return text;
    text += "\n\nBefore it stopped, these items could not be installed:\n";
  } else {
    text = "The installation is incomplete. These items could not be installed:\n";
  }
  const size_t listed = std::min(outcome.failures.size(), kMaxListedFailures);
  for (size_t i = 0; i < listed; ++i) text += "\n" + outcome.failures[i];
  if (outcome.failures.size() > listed)
    text += "\n... and " + std::to_string(outcome.failures.size() - listed) + " more.";
  if (outcome.completed)
    text += "\n\nThe program was not started and Windows will not be restarted. Correct the problems "
            "and run Setup again.";
  return text;
}

}  // namespace zel
