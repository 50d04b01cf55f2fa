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

namespace {

// The key opened with the given rights, or null.
HKEY OpenKey(Root root, const std::string& path, REGSAM rights) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(RootKey(root), SubKey(path).c_str(), 0, rights, &key) != ERROR_SUCCESS) return nullptr;
  return key;
}

}  // namespace

bool KeyExists(Root root, const std::string& path) {
  HKEY key = OpenKey(root, path, KEY_READ);
  if (!key) return false;
  RegCloseKey(key);
  return true;
}

bool ValueExists(Root root, const std::string& path, const std::string& name) {
  HKEY key = OpenKey(root, path, KEY_READ);
  if (!key) return false;
  const bool found = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return found;
}

bool DeleteValue(Root root, const std::string& path, const std::string& name) {
  HKEY key = OpenKey(root, path, KEY_READ | KEY_WRITE);
  if (!key) return !KeyExists(root, path);
  const LONG status = RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool DeleteEmptyKey(Root root, const std::string& path) {
  if (SubKey(path).empty()) return false;  // never a root
  HKEY key = OpenKey(root, path, KEY_READ);
  if (!key) return !KeyExists(root, path);
  char name[260];
  DWORD nameSize = sizeof name;
  const bool hasSubKey = RegEnumKeyExA(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_NO_MORE_ITEMS;
  nameSize = sizeof name;
  const bool hasValue = RegEnumValueA(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_NO_MORE_ITEMS;
  RegCloseKey(key);
  if (hasSubKey || hasValue) return false;
  return RegDeleteKeyA(RootKey(root), SubKey(path).c_str()) == ERROR_SUCCESS;
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
