// The install engine's operations on the real system: files through the
// platform layer, uninstall.cfg through WritePrivateProfileStringA, the
// registration through the registry, and the wizard's page 6 for progress.
#pragma once

#include "wizard/install_engine.h"

namespace zel::ui {

class TZEL;

// Before the install step: whether this process can write every place the
// chosen install writes. When it cannot, a message box says plainly which
// places, and the result is false (the install must not start).
bool ConfirmInstallRights(const SetupData& setup, const std::string& destination, bool minInstall);

class Win32InstallOps : public InstallOps {
 public:
  explicit Win32InstallOps(TZEL& wizard) : wizard_(wizard) {}

  void ShowStatus(const std::string& text) override;
  void ShowTarget(const std::string& text) override;
  void SetProgressMax(int max) override;
  void StepProgress() override;
  void ProcessMessages() override;
  bool AskYesNo(const std::string& question) override;
  void ForceDirectories(const std::string& folder) override;
  bool FileExists(const std::string& path) override;
  void CopyFileTo(const std::string& source, const std::string& destFolder) override;
  void RemoveFile(const std::string& path) override;
  void LaunchFile(const std::string& file, const std::string& params, const std::string& folder,
                  int showCmd) override;
  void RegisterUninstall(const UninstallRegistration& registration) override;
  // A failed write of a value throws "Unable to write to <file>"; erasing a
  // section of a file that does not exist yet is not a failure.
  void WriteString(const std::string& file, const char* section, const char* key,
                   const char* value) override;

 private:
  TZEL& wizard_;
};

}  // namespace zel::ui
