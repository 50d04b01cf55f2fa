#include "wizard/ini_registry.h"

#include <exception>

#include "platform/paths.h"
#include "shell/routines.h"
#include "wizard/entry_tags.h"

namespace zel {
namespace {

// Replaces field's leading tag by folder when the tag is dirTag; true when
// it did.
bool ResolveFieldTag(std::string& field, const std::string& dirTag, const std::string& folder) {
  std::string tag, rest;
  if (!SplitLeadingTag(field, tag, rest) || tag != dirTag) return false;
  field = folder + "\\" + rest;
  return true;
}

}  // namespace

bool IniSetupEntry::IsIni() const { return Contains(UpperCase(file), ".INI"); }

IniSetupEntry SplitIniSetupEntry(std::string value) {
  IniSetupEntry entry;
  SplitAtChar(value, '~', entry.file);
  SplitAtChar(value, '~', entry.section);
  SplitAtChar(value, '~', entry.name);
  entry.value = value;  // the rest, "~" included
  return entry;
}

std::string JoinIniSetupEntry(const IniSetupEntry& entry) {
  return entry.file + "~" + entry.section + "~" + entry.name + "~" + entry.value;
}

void ResolveIniSetupTags(TStringList& entries, const TStringList& dirTags,
                         const TStringList& dirPaths, const std::function<void()>& pump) {
  for (int k = 0; k < entries.Count(); ++k) {
    IniSetupEntry entry = SplitIniSetupEntry(entries[k]);
    // A field takes the first tag that matches; the folder put in its place
    // is never taken for a tag itself.
    bool fileDone = false, valueDone = false;
    for (int t = 0; t < dirTags.Count() && t < dirPaths.Count(); ++t) {
      if (!valueDone) valueDone = ResolveFieldTag(entry.value, dirTags[t], dirPaths[t]);
      if (!fileDone) fileDone = ResolveFieldTag(entry.file, dirTags[t], dirPaths[t]);
      if (pump) pump();
    }
    entries[k] = JoinIniSetupEntry(entry);
  }
}

std::string RegistryValueKey(const std::string& file, const std::string& section) {
  std::string sub = section;
  if (!sub.empty() && sub.back() == '\\') sub.pop_back();
  if (sub.empty() || sub.front() != '\\') sub.insert(0, "\\");
  return "\\" + file + sub;
}

std::string RegistryPathFromRoot(const std::string& keyPath) {
  std::string result;
  for (char c : keyPath) {
    if (c == '\\' && (result.empty() || result.back() == '\\')) continue;
    result += c;
  }
  if (!result.empty() && result.back() == '\\') result.pop_back();
  return result;
}

std::string IniUninstallPath(const std::string& file, const std::string& windowsDir) {
  return file.find('\\') != std::string::npos ? file : windowsDir + "\\" + file;
}

void RunIniRegistryStep(TStringList& entries, const TStringList& dirTags,
                        const TStringList& dirPaths, const std::string& windowsDir,
                        IniRegistryHost& host) {
  host.Status("Processing Registry Entries / INI Creation");
  ResolveIniSetupTags(entries, dirTags, dirPaths, [&host] { host.ProcessMessages(); });
  for (int k = 0; k < entries.Count(); ++k) {
    const IniSetupEntry entry = SplitIniSetupEntry(entries[k]);
    host.StepProgress();
    try {
      if (entry.IsIni()) {
        host.WriteIniValue(entry.file, entry.section, entry.name, entry.value);
        host.Record("UNINS", IniUninstallPath(entry.file, windowsDir));
      } else {
        host.CreateRegistryKey(RegistryPathFromRoot(entry.file));
        // A key that names the root itself is written but never handed to the
        // uninstaller: removing it would remove every key of the user.
        if (!RegistryPathFromRoot(entry.file).empty()) host.Record("Registry", entry.file);
        host.WriteRegistryString(RegistryPathFromRoot(RegistryValueKey(entry.file, entry.section)),
                                 entry.name, entry.value);
      }
    } catch (const std::exception& e) {
      host.Failed(e.what());
    }
  }
}

}  // namespace zel
