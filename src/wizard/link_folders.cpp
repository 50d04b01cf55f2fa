#include "wizard/link_folders.h"

namespace zel {

LinkFolders WindowsFolderLinkFolders(const std::string& windowsDir) {
  return {windowsDir + "\\Desktop", windowsDir + "\\Start Menu", windowsDir + "\\Start Menu\\Programs"};
}

LinkFolders ChooseLinkFolders(ShellFolderQuery query, bool allUsers,
                              const std::string& windowsDir) {
  LinkFolders folders = WindowsFolderLinkFolders(windowsDir);
  auto choose = [&](sys::ShellFolder kind, std::string& folder) {
    std::string found = allUsers ? query(kind, true) : std::string();
    if (found.empty()) found = query(kind, false);
    // The link paths add their own backslash.
    if (!found.empty() && found.back() == '\\') found.pop_back();
    if (!found.empty()) folder = found;
  };
  choose(sys::ShellFolder::kDesktop, folders.desktop);
  choose(sys::ShellFolder::kStartMenu, folders.startMenu);
  choose(sys::ShellFolder::kPrograms, folders.programs);
  return folders;
}

LinkFolders ShellLinkFolders(const std::string& windowsDir) {
  const bool allUsers = sys::IsNtPlatform() && sys::HasAdministratorRights();
  return ChooseLinkFolders(sys::ShellFolderPath, allUsers, windowsDir);
}

}  // namespace zel
