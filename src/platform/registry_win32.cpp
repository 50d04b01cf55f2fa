#include "platform/registry.h"

#include <windows.h>

#include "platform/errors.h"

namespace zel::reg {

RegistryKey::RegistryKey(Root root, const std::string& path) : path_(path) {
  const std::string subKey = !path.empty() && path[0] == '\\' ? path.substr(1) : path;
  HKEY rootKey = root == Root::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  HKEY key = nullptr;
  if (RegCreateKeyExA(rootKey, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    throw Exception("Unable to create registry key " + path);
  handle_ = key;
}

RegistryKey::~RegistryKey() {
  if (handle_) RegCloseKey(static_cast<HKEY>(handle_));
}

void RegistryKey::WriteString(const std::string& name, const std::string& value) {
  if (RegSetValueExA(static_cast<HKEY>(handle_), name.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
    throw Exception("Unable to write registry value " + name + " in " + path_);
}

}  // namespace zel::reg
