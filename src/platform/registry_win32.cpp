#include "platform/registry.h"

#include <windows.h>

#include "platform/errors.h"

namespace zel::reg {

namespace {

HKEY RootKey(Root root) { return root == Root::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
std::string SubKey(const std::string& path) { return !path.empty() && path[0] == '\\' ? path.substr(1) : path; }

}  // namespace

bool CanWriteKey(Root root, const std::string& path) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  const std::string subKey = SubKey(path);
  if (RegCreateKeyExA(RootKey(root), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                      &key, &disposition) != ERROR_SUCCESS)
    return false;
  static const char kProbe[] = "ZEL Setup write test";
  const bool written = RegSetValueExA(key, kProbe, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1) == ERROR_SUCCESS;
  if (written) RegDeleteValueA(key, kProbe);
  RegCloseKey(key);
  if (disposition == REG_CREATED_NEW_KEY) RegDeleteKeyA(RootKey(root), subKey.c_str());
  return written;
}

RegistryKey::RegistryKey(Root root, const std::string& path) : path_(path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(RootKey(root), SubKey(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
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
