#include "platform/current_user_registry.h"

namespace zel::hkcu {

uint32_t CreateKey(const std::string&) { return kRegistryUnavailable; }
uint32_t WriteString(const std::string&, const std::string&, const std::string&) {
  return kRegistryUnavailable;
}

}  // namespace zel::hkcu
