#include "platform/windows_family.h"

#include <climits>

#include <unistd.h>

namespace zel::sys {

bool IsNtPlatform() { return false; }
bool HasAdministratorRights() { return false; }
std::string ShellFolderPath(ShellFolder, bool) { return std::string(); }
std::string ProgramFile() {
  // In the layers' Windows form, as the other paths are.
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return std::string();
  std::string path(buffer, static_cast<size_t>(n));
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

}  // namespace zel::sys
