// The install engine: carries out an install plan through InstallOps, the
// small set of platform operations and window updates it needs, so that the
// same steps run against Win32 in install.exe and against a recording fake in
// the tests.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "shell/install_log.h"
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
  // An existing folder (the platform's answer by default).
  virtual bool DirectoryExists(const std::string& path);
  // Copies source into the folder destFolder under the source's file name.
  virtual void CopyFileTo(const std::string& source, const std::string& destFolder) = 0;
  virtual void RemoveFile(const std::string& path) = 0;
  virtual void LaunchFile(const std::string& file, const std::string& params,
                          const std::string& folder, int showCmd) = 0;
  // HKEY_LOCAL_MACHINE\key, created when missing, with two string values; throws.
  virtual void RegisterUninstall(const UninstallRegistration& registration) = 0;
};

// What the later steps of a run see. The hooks may read everything and use
// ops and record; an item they cannot do (a link, a value, autoexec.bat) goes
// to Fail and the run goes on; only a failure that leaves nothing sensible to
// do is thrown as zel::Exception (the run then stops, see RunInstall).
struct InstallContext {
  const SetupData& setup;
  const InstallChoices& choices;
  const InstallPlan& plan;
  InstallOps& ops;
  UninstallRecord& record;
  std::string windowsDir;
  std::vector<std::string> dirTags;   // upper-case tags, "Directories" order
  std::vector<std::string> dirPaths;  // their folders, same positions
  std::vector<std::string> failures;  // what could not be done, each with why
  std::vector<std::string> created;   // upper-case paths of the files this run created
  InstallLog* log = nullptr;          // the install log; none when null

  // Adds one line, made of parts, to the install log.
  void Log(std::initializer_list<std::string_view> parts);
  // Notes an item that could not be done (and logs it); the same text is
  // noted once.
  void Fail(const std::string& what);
  // Adds one uninstall record; a record that cannot be written is noted as a
  // failure.
  void Record(const char* section, const std::string& item);
  // Runs one write of the record (what names the item for the failure text);
  // a write that fails is noted as a failure.
  template <typename Write>
  void RecordWith(const std::string& what, Write write) {
    try {
      write(record);
    } catch (const std::exception& e) {
      Fail(std::string(e.what()) + " (the record of " + what + ")");
    }
  }
  // Records a file the run put in place: created, or found there before.
  void RecordFileState(const std::string& path, bool existedBefore, bool kept);
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
  bool completed = false;  // every step ran to its end
  std::string error;       // why the run stopped, for a message box
  // Items that could not be done (folders, files, links, INI and registry
  // values, autoexec.bat, the uninstall record and registration). A run that
  // completed with failures is incomplete: nothing was launched.
  std::vector<std::string> failures;
};

// Runs the whole install. The plan is made first: an unsafe name or a script
// without destination stops the run before anything is done. Each item that
// cannot be done is noted in the outcome and the run goes on; a file that was
// not installed is not recorded in uninstall.cfg (a file the user chose to
// keep is). The setup's own copies, the start of the uninstall record or a
// hook's exception stop the run. The program is launched only after a run
// without failures. windowsDir is the Windows folder; title the product title.
// Each action goes to log with its result, when there is one; the log moves
// to Setup.log in the destination as soon as that folder is made.
InstallOutcome RunInstall(const SetupData& setup, const InstallChoices& choices,
                          const std::string& windowsDir, const std::string& title,
                          InstallOps& ops, InstallHooks& hooks, InstallLog* log = nullptr);

// install.exe's status after a run: installed, incomplete or failed.
SetupExitCode InstallExitCode(const InstallOutcome& outcome);

// The one message after a run that stopped or is incomplete: why it stopped,
// and the list of failures (the first kMaxListedFailures of them, then how
// many more). Empty after a complete install.
inline constexpr size_t kMaxListedFailures = 12;
std::string InstallReport(const InstallOutcome& outcome);

// The message shown when "Directories" holds no "<INSTALLDIR>" entry.
inline constexpr const char* kNoInstallDirMessage =
    "This setup does not name its destination folder (no <INSTALLDIR> entry in the "
    "Directories section of install.cfg). Nothing has been installed.";

}  // namespace zel
