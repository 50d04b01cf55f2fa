// How uninstaller.exe removes itself. A running program cannot delete its own
// file, so at the end the uninstaller copies itself into a new private folder
// below the system's temporary folder and starts the copy with "/Z <path of
// the original>", then ends. The copy waits until the original can be
// deleted (up to a minute), deletes it and its folder when that folder is
// empty, and asks Windows to delete the copy and its private folder at the
// next restart. When no copy can be started, the original is itself marked
// for deletion at the next restart. Win32 only.
#pragma once

#include <string>

namespace zel::uninstaller {

// Run by the original at its end; self is its own path. True when the copy
// was started or the original was marked for deletion at restart.
bool StartSelfRemoval(const std::string& self);

// The copy's work, for "/Z <original>". Deletes only a file named
// uninstaller.exe whose folder holds no uninstall.cfg any more, so that the
// switch cannot be used to delete anything else. Returns the exit status.
int FinishSelfRemoval(const std::string& original, const std::string& self);

}  // namespace zel::uninstaller
