#include "platform/registry.h"

#include "platform/errors.h"

namespace zel::reg {

bool CanWriteKey(Root, const std::string&) { return false; }

RegistryKey::RegistryKey(Root, const std::string& path) : path_(path) {
  throw Exception("Unable to create registry key " + path);
}

RegistryKey::~RegistryKey() = default;

void RegistryKey::WriteString(const std::string& name, const std::string&) {
  throw Exception("Unable to write registry value " + name + " in " + path_);
}

}  // namespace zel::reg
