// A disk and registry in memory for the removal plan and its run: files and
// folders as upper-case paths, with files that refuse to go.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "uninstall/uninstall_run.h"

namespace zel::testing {

class FakeSystem : public UninstallSystem {
 public:
  std::set<std::string> files, folders;  // upper case
  std::set<std::string> locked;           // files that cannot be deleted
  std::set<std::string> userValues;       // "KEY|NAME", upper case
  std::set<std::string> userKeys;         // upper case
  std::set<std::string> registrations;
  std::vector<std::string> atRestart;
  bool restartWorks = true;

  // Adds a file and its folders.
  void AddFile(const std::string& path) {
    files.insert(UpperCase(path));
    for (size_t at = path.rfind('\\'); at != std::string::npos && at > 2; at = path.rfind('\\', at - 1))
      folders.insert(UpperCase(path.substr(0, at)));
  }
  bool Has(const std::string& path) const { return files.count(UpperCase(path)) != 0; }

  bool FileExists(const std::string& path) override { return Has(path); }
  bool DirectoryExists(const std::string& path) override { return folders.count(UpperCase(path)) != 0; }
  std::vector<std::string> ListFolder(const std::string& folder) override {
    std::vector<std::string> names;
    const std::string prefix = UpperCase(folder) + "\\";
    for (const std::set<std::string>* set : {&files, &folders})
      for (const std::string& p : *set)
        if (p.compare(0, prefix.size(), prefix) == 0 && p.find('\\', prefix.size()) == std::string::npos)
          names.push_back(p.substr(prefix.size()));
    return names;
  }
  bool DeleteFile(const std::string& path) override {
    if (locked.count(UpperCase(path))) return false;
    files.erase(UpperCase(path));
    return true;
  }
  bool DeleteAtRestart(const std::string& path) override {
    if (restartWorks) atRestart.push_back(path);
    return restartWorks;
  }
  bool RemoveFolder(const std::string& path) override {
    if (!ListFolder(path).empty()) return false;
    folders.erase(UpperCase(path));
    return true;
  }
  bool DeleteUserValue(const std::string& key, const std::string& name) override {
    userValues.erase(UpperCase(key + "|" + name));
    return true;
  }
  bool DeleteEmptyUserKey(const std::string& key) override {
    const std::string k = UpperCase(key);
    for (const std::string& v : userValues)
      if (v.compare(0, k.size() + 1, k + "|") == 0) return false;
    for (const std::string& sub : userKeys)
      if (sub.size() > k.size() && sub.compare(0, k.size() + 1, k + "\\") == 0) return false;
    userKeys.erase(k);
    return true;
  }
  bool DeleteRegistration(const std::string& key) override {
    registrations.erase(key);
    return true;
  }
};

}  // namespace zel::testing
