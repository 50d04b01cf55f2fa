#include <cerrno>
#include <cstdlib>

#include "platform/system.h"

namespace zel::sys {

std::string WindowsDirectory(unsigned /*bufferChars*/) {
  const char* dir = std::getenv("ZEL_WINDOWS_DIR");
  return dir && *dir ? std::string(dir) : std::string("C:\\WINDOWS");
}

bool ShortPath(const std::string&, unsigned, std::string&) { return false; }

intptr_t ShellOpen(const std::string&, const std::string&, const std::string&, int) { return 0; }

bool AdjustPrivilege(const std::string&, bool) { return false; }
bool RequestWindowsExit(uint32_t) { return false; }
bool RestrictDllSearch() { return false; }

uint32_t LastErrorCode() { return errno == ENOENT || errno == ENOTDIR ? 3u : static_cast<uint32_t>(errno); }

int PlatformMessageBox(const std::string&, const std::string&, unsigned flags) {
  return (flags & 0xF) == kMbOk ? kIdOk : kIdCancel;
}

}  // namespace zel::sys
