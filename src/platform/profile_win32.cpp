#include <windows.h>

#include "platform/profile.h"

namespace zel::profile {

std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& defaultValue) {
  char buffer[kValueBufferSize];
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                           sizeof buffer, file.c_str());
  return std::string(buffer, n < sizeof buffer ? n : sizeof buffer - 1);
}

std::vector<std::string> ReadKeyNames(const std::string& file, const std::string& section) {
  // The names come back as a list of terminated strings ending in an empty
  // one; when the buffer is too small the last name is cut and the list ends
  // with two terminators at the end of the buffer.
  std::vector<char> buffer(kKeyListBufferSize, '\0');
  const DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), file.c_str());
  std::vector<std::string> names;
  const DWORD end = n < buffer.size() ? n : static_cast<DWORD>(buffer.size()) - 1;
  DWORD start = 0;
  for (DWORD i = 0; i < end; ++i) {
    if (buffer[i] != '\0') continue;
    if (i > start) names.emplace_back(buffer.data() + start, i - start);
    start = i + 1;
  }
  if (end > start) names.emplace_back(buffer.data() + start, end - start);
  return names;
}

bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

bool DeleteKey(const std::string& file, const std::string& section, const std::string& key) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, file.c_str()) != 0;
}

bool DeleteSection(const std::string& file, const std::string& section) {
  return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str()) != 0;
}

}  // namespace zel::profile
