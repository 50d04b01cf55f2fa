// The install engine: carries out an install plan through InstallOps, the
// small set of platform operations and window updates it needs, so that the
// same steps run against Win32 in install.exe and against a recording fake in
// the tests.
#pragma once

#include <string>
#include <vector>

#include "shell/setup_data.h"
#include "wizard/install_plan.h"
#include "wizard/uninstall_record.h"

namespace zel {

inline constexpr const char* kStatusPreparing = "Preparing Directory Structure";
inline constexpr const char* kStatusReady = "Ready to Install";
inline constexpr const char* kStatusIcons = "Creating Icons and Folders";
inline constexpr const char* kStatusRegistry = "Processing Registry Entries / INI Creation";
inline constexpr const char* kStatusAutoexecBackup = "Copying Old Autoexec.bat to Autoexec.zel";
inline constexpr const char* kStatusAutoexecUpdate = "Updating Autoexec.bat file";
inline constexpr const char* kStatusUninstall = "Creating Uninstall Information";

// Everything the engine does to the outside world. Operations marked "throws"
// report failure with a zel::Exception whose message names the file.
class InstallOps : public ProfileWriter {
 public:
  // Window side: the `source` status label, the `Dest` label, the progress bar.
  // Each call also lets pending window messages run.
  virtual void ShowStatus(const std::string& text) = 0;
  virtual void ShowTarget(const std::string& text) = 0;
  virtual void SetProgressMax(int max) = 0;
  virtual void StepProgress() = 0;
  virtual void ProcessMessages() = 0;
  virtual bool AskYesNo(const std::string& question) = 0;

  // Files: ForceDirectories, CopyFileTo and RemoveFile throw.
  virtual void ForceDirectories(const std::string& folder) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Copies source into the folder destFolder under the source's file name.
  virtual void CopyFileTo(const std::string& source, const std::string& destFolder) = 0;
  virtual void RemoveFile(const std::string& path) = 0;
  virtual void LaunchFile(const std::string& file, const std::string& params,
                          const std::string& folder, int showCmd) = 0;
  // HKEY_LOCAL_MACHINE\key, created when missing, with two string values; throws.
  virtual void RegisterUninstall(const UninstallRegistration& registration) = 0;
};

// What the later steps of a run see. The hooks may read everything and use
// ops and record; they report an unrecoverable failure by throwing
// zel::Exception (the run then stops and is reported, see RunInstall).
struct InstallContext {
  const SetupData& setup;
  const InstallChoices& choices;
  const InstallPlan& plan;
  InstallOps& ops;
  UninstallRecord& record;
  std::string windowsDir;
  std::vector<std::string> dirTags;   // upper-case tags, "Directories" order
  std::vector<std::string> dirPaths;  // their folders, same positions
};

// The steps owned by the shortcut, registry/INI and startup-file code. The
// engine shows the opening status of each step before calling it:
// CreateShortcuts after kStatusIcons (always), ProcessIniEntries after
// kStatusRegistry (only with INI - Setup entries), UpdateAutoexec after
// kStatusAutoexecBackup (only with AUTOEXEC.BAT lines; it shows
// kStatusAutoexecUpdate itself before writing autoexec.bat).
class InstallHooks {
 public:
  virtual ~InstallHooks() = default;
  virtual void CreateShortcuts(InstallContext& /*context*/) {}
  virtual void ProcessIniEntries(InstallContext& /*context*/) {}
  virtual void UpdateAutoexec(InstallContext& /*context*/) {}
};

struct InstallOutcome {
  bool completed = false;  // every step ran; only then may a restart follow
  std::string error;       // why the run stopped, for a message box
};

// Runs the whole install. Errors of single folders, files and deletions are
// ignored; a destination-less script installs nothing; any other failure (the
// setup copies, the uninstall record, a hook) stops the run and comes back in
// the outcome. windowsDir is the Windows folder; title the product title.
InstallOutcome RunInstall(const SetupData& setup, const InstallChoices& choices,
                          const std::string& windowsDir, const std::string& title,
                          InstallOps& ops, InstallHooks& hooks);

// The message shown when "Directories" holds no "<INSTALLDIR>" entry.
inline constexpr const char* kNoInstallDirMessage =
    "This setup does not name its destination folder (no <INSTALLDIR> entry in the "
    "Directories section of install.cfg). Nothing has been installed.";

}  // namespace zel
