#include <cerrno>
#include <cstdlib>
#include <ctime>

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

std::string LocalTimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

// errno in the codes of the Windows build, for the errors the portable layers
// tell apart; any other errno is passed on as it is.
uint32_t LastErrorCode() {
  switch (errno) {
    case ENOENT:
    case ENOTDIR: return 3u;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return 5u;
    case EBUSY:
    case ETXTBSY: return 32u;
    case ENOSPC:
    case EDQUOT: return 112u;
    case EEXIST: return 80u;
    case ENAMETOOLONG: return 206u;
    default: return static_cast<uint32_t>(errno);
  }
}

int PlatformMessageBox(const std::string&, const std::string&, unsigned flags) {
  return (flags & 0xF) == kMbOk ? kIdOk : kIdCancel;
}

}  // namespace zel::sys
