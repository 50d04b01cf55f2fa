#include <windows.h>

#include "platform/current_user_registry.h"

namespace zel::hkcu {
namespace {

// Opens or creates keyPath for writing; the handle is closed by the owner.
class Key {
 public:
  explicit Key(const std::string& keyPath) {
    status_ = static_cast<uint32_t>(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr,
                                                    REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                                    &key_, nullptr));
  }
  ~Key() {
    if (status_ == ERROR_SUCCESS) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  uint32_t Status() const { return status_; }
  HKEY Handle() const { return key_; }

 private:
  HKEY key_ = nullptr;
  uint32_t status_ = 0;
};

}  // namespace

uint32_t CreateKey(const std::string& keyPath) { return Key(keyPath).Status(); }

uint32_t WriteString(const std::string& keyPath, const std::string& name, const std::string& value) {
  Key key(keyPath);
  if (key.Status() != ERROR_SUCCESS) return key.Status();
  return static_cast<uint32_t>(RegSetValueExA(key.Handle(), name.c_str(), 0, REG_SZ,
                                              reinterpret_cast<const BYTE*>(value.c_str()),
                                              static_cast<DWORD>(value.size() + 1)));
}

}  // namespace zel::hkcu
