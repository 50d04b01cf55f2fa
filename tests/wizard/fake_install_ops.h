// A recording stand-in for the platform side of the install engine: files live
// in a set, profile writes in an ordered map, and every call is logged in order.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/paths.h"
#include "wizard/install_engine.h"

namespace zel::testing {

class FakeInstallOps : public InstallOps {
 public:
  std::vector<std::string> log;
  std::set<std::string> files;          // upper-case full paths that exist
  std::set<std::string> folders;        // upper-case folders that exist
  std::set<std::string> failingCopies;  // sources whose copy throws
  std::set<std::string> failingFolders; // folders that cannot be made
  bool failRegistration = false;
  int failRecordAfter = -1;  // profile writes that succeed before they fail; -1 never
  std::vector<bool> answers;            // Yes/No answers, in order
  std::vector<std::string> questions;
  bool failProfileWrites = false;
  // profile[file][section] = entry names in first-written order
  std::map<std::string, std::map<std::string, std::vector<std::string>>> profile;
  std::map<std::string, std::string> programTitle;  // file -> "Program"/"Title"
  // values[file][section][name] for entries written with a value
  std::map<std::string, std::map<std::string, std::map<std::string, std::string>>> values;
  std::vector<UninstallRegistration> registrations;
  int progress = 0;
  int progressMax = -1;

  void ShowStatus(const std::string& text) override { log.push_back("status " + text); }
  void ShowTarget(const std::string& text) override { log.push_back("target " + text); }
  void SetProgressMax(int max) override { progressMax = max; }
  void StepProgress() override { ++progress; }
  void ProcessMessages() override {}
  bool AskYesNo(const std::string& question) override {
    questions.push_back(question);
    bool yes = !answers.empty() && answers.front();
    if (!answers.empty()) answers.erase(answers.begin());
    log.push_back(std::string("ask ") + (yes ? "yes" : "no"));
    return yes;
  }
  void ForceDirectories(const std::string& folder) override {
    if (failingFolders.count(folder)) throw EInOutError("Unable to create directory " + folder);
    log.push_back("mkdir " + folder);
    folders.insert(UpperCase(folder));
  }
  bool DirectoryExists(const std::string& path) override { return folders.count(UpperCase(path)) != 0; }
  bool FileExists(const std::string& path) override { return files.count(UpperCase(path)) != 0; }
  void CopyFileTo(const std::string& source, const std::string& destFolder) override {
    if (failingCopies.count(source)) throw EWriteError("Cannot write file " + source + ": the disk is full");
    log.push_back("copy " + source + " -> " + destFolder);
    files.insert(UpperCase(destFolder + "\\" + ExtractAfterBackslash(source)));
  }
  void RemoveFile(const std::string& path) override {
    log.push_back("delete " + path);
    files.erase(UpperCase(path));
  }
  void LaunchFile(const std::string& file, const std::string& params, const std::string& folder,
                  int showCmd) override {
    log.push_back("launch " + file + " [" + params + "] in " + folder + " show " + std::to_string(showCmd));
  }
  void RegisterUninstall(const UninstallRegistration& r) override {
    if (failRegistration) throw Exception("Unable to create registry key " + r.key);
    log.push_back("register " + r.key);
    registrations.push_back(r);
  }
  void WriteString(const std::string& file, const char* section, const char* key,
                   const char* value) override {
    if (failProfileWrites || failRecordAfter == 0) throw Exception("Unable to write to " + file);
    if (failRecordAfter > 0) --failRecordAfter;
    auto& sections = profile[UpperCase(file)];
    const std::string s = UpperCase(section);
    if (!key) {
      log.push_back("erase " + std::string(section));
      sections.erase(s);
      return;
    }
    if (s == "PROGRAM") {
      programTitle[UpperCase(file)] = value ? value : "";
      return;
    }
    if (value && *value) values[UpperCase(file)][s][key] = value;
    auto& names = sections[s];
    for (const std::string& n : names)
      if (SameText(n, key)) return;
    names.push_back(key);
  }
  std::string ReadString(const std::string& file, const char* section, const char* key) override {
    const std::string f = UpperCase(file), s = UpperCase(section);
    if (s == "PROGRAM") return SameText(key, "Title") ? programTitle[f] : std::string();
    for (const std::string& n : profile[f][s])
      if (SameText(n, key)) return values[f][s][n];
    return std::string();
  }
  const std::vector<std::string>& Section(const std::string& file, const char* section) {
    return profile[UpperCase(file)][UpperCase(section)];
  }
};

}  // namespace zel::testing
