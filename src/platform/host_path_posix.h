// Mapping of Windows paths onto the native host's file system.
#pragma once

#include <string>

namespace zel {

// "C:\a\b" -> "/a/b", "a\b" -> "a/b".
inline std::string HostPath(const std::string& path) {
  std::string result = path;
  if (result.size() >= 2 && result[1] == ':') result.erase(0, 2);
  for (char& c : result)
    if (c == '\\') c = '/';
  return result;
}

}  // namespace zel
