// Registry keys for string values: the install's HKEY_CURRENT_USER entries and
// the uninstall registration below HKEY_LOCAL_MACHINE.
#pragma once

#include <string>

namespace zel::reg {

enum class Root { kCurrentUser, kLocalMachine };

// A key opened for writing, created with its missing parents when needed. One
// leading backslash of path means "from the root" and is dropped. Throws
// zel::Exception "Unable to create registry key <path>" when the platform
// refuses; the native build has no registry and always throws.
// Whether a string value can be written in the key at path (created, with its
// missing parents, when needed): a probe value is written and deleted again,
// and a key that this call created is deleted again. Native: always false.
bool CanWriteKey(Root root, const std::string& path);

class RegistryKey {
 public:
  RegistryKey(Root root, const std::string& path);
  ~RegistryKey();
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Writes a string value (REG_SZ); an empty name is the key's default value.
  // Throws zel::Exception "Unable to write registry value <name> in <path>".
  void WriteString(const std::string& name, const std::string& value);

 private:
  void* handle_ = nullptr;
  std::string path_;
};

}  // namespace zel::reg
