// The Windows folder and short path names.
#pragma once

#include <string>

namespace zel {

// The Windows folder (GetWindowsDirectoryA through a 144-character buffer);
// no trailing backslash unless Windows lives in a drive root. A folder too
// long for that buffer is returned in full, never cut.
std::string WindowsFolder();

// The short (8.3) form of longPath (GetShortPathNameA through a 255-character
// buffer), or longPath unchanged when the platform has none (a missing path).
// A short form too long for the buffer is returned in full, never cut.
std::string ShortPathName(const std::string& longPath);

}  // namespace zel
