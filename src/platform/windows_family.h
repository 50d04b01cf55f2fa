// What kind of Windows the setup runs on, where its shell keeps the desktop
// and the Start Menu, and whether the process may write the places an
// install writes. The native build has no shell: it answers "not NT", "no
// rights", "no folder", and its probes report what the host file system
// allows.
#pragma once

#include <string>

namespace zel::sys {

// True on the NT family (NT 4.0, 2000, XP and later); false on Windows
// 95, 98 and ME.
bool IsNtPlatform();

// True when the process runs with the Administrators group enabled in its
// token (NT family only; always false on Windows 95, 98 and ME, which have
// no rights to ask for).
bool HasAdministratorRights();

enum class ShellFolder { kDesktop, kStartMenu, kPrograms };

// The shell's folder of that kind (SHGetSpecialFolderLocation with
// SHGetPathFromIDListA): the all-users folder when allUsers, else the
// current user's. Empty when the shell has no such folder (Windows 95, 98
// and ME have no all-users folders).
std::string ShellFolderPath(ShellFolder kind, bool allUsers);

// The full path of the running program, whatever its name; empty when the
// platform cannot tell.
std::string ProgramFile();

}  // namespace zel::sys
