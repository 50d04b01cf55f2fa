// The install engine's platform side on the disk, for tests that install
// for real: files, folders and uninstall.cfg; the window side only counts.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/profile.h"
#include "shell/file_utils.h"
#include "wizard/install_engine.h"

namespace zel::test {

// A question is answered Yes after onQuestion has run (what happens while
// the user reads it).
class DiskInstallOps : public InstallOps {
 public:
  std::function<void()> onQuestion;
  std::vector<std::string> launched;
  void ShowStatus(const std::string&) override {}
  void ShowTarget(const std::string&) override {}
  void SetProgressMax(int) override {}
  void StepProgress() override {}
  void ProcessMessages() override {}
  bool AskYesNo(const std::string&) override {
    if (onQuestion) onQuestion();
    return true;
  }
  void ForceDirectories(const std::string& folder) override { fs::ForceDirectories(folder); }
  bool FileExists(const std::string& path) override { return fs::FileExists(path); }
  void CopyFileTo(const std::string& source, const std::string& destFolder) override {
    zel::CopyFileTo(source, destFolder);
  }
  void RemoveFile(const std::string& path) override { fs::DeleteFile(path); }
  void LaunchFile(const std::string& file, const std::string&, const std::string&, int) override {
    launched.push_back(file);
  }
  void RegisterUninstall(const UninstallRegistration&) override {}
  void WriteString(const std::string& file, const char* section, const char* key, const char* value) override {
    if (!key) {
      if (fs::FileExists(file)) profile::DeleteSection(file, section);
      return;
    }
    if (!profile::WriteString(file, section, key, value ? value : ""))
      throw Exception("Unable to write to " + file);
  }
};

}  // namespace zel::test
