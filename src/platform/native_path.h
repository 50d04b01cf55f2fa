// Paths as the user of the host writes them: the layers below keep every path
// in Windows form (backslashes); the native build of a tool shows them with
// the host's "/" separator and takes them with it, the Windows build keeps
// them unchanged.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace zel {

// path with every from made a to on a POSIX host; unchanged on Windows.
inline std::string HostSeparators(std::string_view path, [[maybe_unused]] char from, [[maybe_unused]] char to) {
  std::string result(path);
#ifndef _WIN32
  std::replace(result.begin(), result.end(), from, to);
#endif
  return result;
}

// A path for a message.
inline std::string NativePath(std::string_view path) { return HostSeparators(path, '\\', '/'); }
// A path given on the host's command line, in the layers' Windows form.
inline std::string WindowsPath(std::string_view path) { return HostSeparators(path, '/', '\\'); }

}  // namespace zel
