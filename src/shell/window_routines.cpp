#include "shell/window_routines.h"

#include "platform/system.h"

namespace zel {

std::string WindowsFolder() { return sys::WindowsDirectory(144); }

std::string ShortPathName(const std::string& longPath) {
  std::string shortPath;
  return sys::ShortPath(longPath, 255, shortPath) ? shortPath : longPath;
}

}  // namespace zel
