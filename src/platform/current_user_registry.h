// String values below HKEY_CURRENT_USER. Key paths are from the root of
// HKEY_CURRENT_USER, without a leading backslash; missing keys are created.
// Off Windows there is no registry: every call fails with kRegistryUnavailable.
#pragma once

#include <cstdint>
#include <string>

namespace zel::hkcu {

constexpr uint32_t kRegistryUnavailable = 0xFFFFFFFFu;

// Each returns 0 on success, otherwise the platform's error code.
uint32_t CreateKey(const std::string& keyPath);
uint32_t WriteString(const std::string& keyPath, const std::string& name, const std::string& value);

}  // namespace zel::hkcu
