// fs.h first: once <windows.h> is in, its DeleteFile macro would rename fs::DeleteFile.
#include "platform/fs.h"
#include "ui/install_ops.h"

#include <windows.h>

#include "platform/errors.h"
#include "platform/messages.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "shell/file_utils.h"
#include "ui/zel_wizard.h"
#include "wizard/install_rights.h"

#undef DeleteFile

namespace zel::ui {

bool ConfirmInstallRights(const SetupData& setup, const std::string& destination, bool minInstall) {
  InstallChoices choices;
  choices.destination = destination;
  choices.minInstall = minInstall;
  const std::string problem =
      CheckInstallRights(setup, choices, sys::WindowsDirectory(MAX_PATH), setup.Header.text);
  if (problem.empty()) return true;
  sys::MsgBox(problem, sys::kMbOk | sys::kMbIconError);
  return false;
}

void Win32InstallOps::ShowStatus(const std::string& text) {
  wizard_.SetSourceText(text);
  zel::ProcessMessages();
}

void Win32InstallOps::ShowTarget(const std::string& text) {
  wizard_.SetDestText(text);
  zel::ProcessMessages();
}

void Win32InstallOps::SetProgressMax(int max) { wizard_.SetProgressMax(max); }

void Win32InstallOps::StepProgress() {
  wizard_.StepProgress();
  zel::ProcessMessages();
}

void Win32InstallOps::ProcessMessages() { zel::ProcessMessages(); }

bool Win32InstallOps::AskYesNo(const std::string& question) {
  return sys::MsgBox(question, sys::kMbYesNo | sys::kMbIconQuestion) == sys::kIdYes;
}

void Win32InstallOps::ForceDirectories(const std::string& folder) { fs::ForceDirectories(folder); }

bool Win32InstallOps::FileExists(const std::string& path) { return fs::FileExists(path); }

void Win32InstallOps::CopyFileTo(const std::string& source, const std::string& destFolder) {
  zel::CopyFileTo(source, destFolder);
}

void Win32InstallOps::RemoveFile(const std::string& path) { fs::DeleteFile(path); }

void Win32InstallOps::LaunchFile(const std::string& file, const std::string& params,
                                 const std::string& folder, int showCmd) {
  zel::LaunchFile(file, params, folder, showCmd);
}

void Win32InstallOps::RegisterUninstall(const UninstallRegistration& registration) {
  reg::RegistryKey key(reg::Root::kLocalMachine, registration.key);
  key.WriteString("DisplayName", registration.displayName);
  key.WriteString("UninstallString", registration.uninstallString);
}

void Win32InstallOps::WriteString(const std::string& file, const char* section, const char* key,
                                  const char* value) {
  const BOOL ok = WritePrivateProfileStringA(section, key, value, file.c_str());
  if (!ok && key) throw Exception("Unable to write to " + file);
}

}  // namespace zel::ui
