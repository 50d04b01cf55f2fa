// The three folders that receive the product's shell links: the desktop, the
// Start Menu and its Programs folder, as the shell names them. On Windows 95,
// 98 and ME they lie below the Windows folder; on the NT family they are the
// all-users folders when the setup runs with administrator rights, else the
// current user's.
#pragma once

#include <string>

#include "platform/windows_family.h"

namespace zel {

struct LinkFolders {
  std::string desktop;    // no trailing backslash
  std::string startMenu;
  std::string programs;
  bool operator==(const LinkFolders&) const = default;
};

// W\Desktop, W\Start Menu and W\Start Menu\Programs for the Windows folder W:
// the layout of Windows 95, 98 and ME, and the answer when the shell has none.
LinkFolders WindowsFolderLinkFolders(const std::string& windowsDir);

// The shell's folder of a kind (all users or the current user's); empty
// when it has none.
using ShellFolderQuery = std::string (*)(sys::ShellFolder kind, bool allUsers);

// Each folder from the shell: the all-users one when allUsers and the shell
// has it, else the current user's, else the Windows-folder layout.
LinkFolders ChooseLinkFolders(ShellFolderQuery query, bool allUsers,
                              const std::string& windowsDir);

// ChooseLinkFolders with the platform's shell, all users on the NT family with
// administrator rights.
LinkFolders ShellLinkFolders(const std::string& windowsDir);

}  // namespace zel
