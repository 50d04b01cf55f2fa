// The "INI - Setup" entries: values written into INI files or as string
// values below HKEY_CURRENT_USER, each recorded for the uninstaller.
#pragma once

#include <functional>
#include <string>

#include "platform/string_list.h"

namespace zel {

// The four fields of an entry: file or key, section or sub-key, value name,
// value. Fewer fields repeat the last one, as every entry value does.
struct IniSetupEntry {
  std::string file;     // f1: INI file, or registry key below HKEY_CURRENT_USER
  std::string section;  // f2: INI section, or sub-key below f1
  std::string name;     // f3
  std::string value;    // f4

  // An INI entry names a file with ".INI" (any case) in it; anything else is
  // a registry entry.
  bool IsIni() const;
};

IniSetupEntry SplitIniSetupEntry(std::string value);
std::string JoinIniSetupEntry(const IniSetupEntry& entry);

// Replaces a leading tag of f1 and of f4 by its folder: each field takes the
// first dirTags position whose tag leads it, and the folder put in its place
// is not looked at again. dirPaths has the positions of dirTags. pump runs
// once per entry and tag position (may be empty).
void ResolveIniSetupTags(TStringList& entries, const TStringList& dirTags,
                         const TStringList& dirPaths, const std::function<void()>& pump = {});

// The key a registry entry writes its value into: "\" + f1 + f2', where f2'
// is f2 without one trailing backslash and with a leading one added when
// missing. The leading backslash means: from the root.
std::string RegistryValueKey(const std::string& file, const std::string& section);

// A key path as the registry API takes it below a root: no leading, trailing
// or doubled backslashes ("\\A\\B\" -> "A\B").
std::string RegistryPathFromRoot(const std::string& keyPath);

// The path the uninstall record lists for an INI file: f1 itself when it
// holds a backslash, otherwise the Windows folder + "\" + f1 (where the
// profile functions put a bare name).
std::string IniUninstallPath(const std::string& file, const std::string& windowsDir);

// What the step needs around it. The write operations throw zel::Exception
// with a message naming the file or key and the problem when a value cannot
// be written; the step hands that message to Failed and goes on.
class IniRegistryHost {
 public:
  virtual ~IniRegistryHost() = default;
  virtual void Status(const std::string& text) = 0;
  virtual void StepProgress() = 0;  // progress + 1 and pending messages
  virtual void ProcessMessages() = 0;
  virtual void Record(const std::string& section, const std::string& name) = 0;
  virtual void WriteIniValue(const std::string& file, const std::string& section,
                             const std::string& name, const std::string& value) = 0;
  // Opens or creates keyPath (from the root of HKEY_CURRENT_USER).
  virtual void CreateRegistryKey(const std::string& keyPath) = 0;
  virtual void WriteRegistryString(const std::string& keyPath, const std::string& name,
                                   const std::string& value) = 0;
  // An entry that could not be written, with why.
  virtual void Failed(const std::string& what) = 0;
};

// The engine's registry and INI step, run when entries is not empty: resolves
// the tags in place, then writes every entry in order. Only what was written
// is recorded: an INI file in "UNINS" once its value is in it, a registry key
// f1 in "Registry" once the key exists (before its value is written). An
// entry that fails goes to Failed and the next one is written.
void RunIniRegistryStep(TStringList& entries, const TStringList& dirTags,
                        const TStringList& dirPaths, const std::string& windowsDir,
                        IniRegistryHost& host);

}  // namespace zel
