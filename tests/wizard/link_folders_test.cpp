#include "wizard/link_folders.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace zel {
namespace {

using sys::ShellFolder;

// What the pretend shell knows: (kind, all users) -> folder.
std::map<std::pair<ShellFolder, bool>, std::string> shell;
std::string AskShell(ShellFolder kind, bool allUsers) {
  const auto found = shell.find({kind, allUsers});
  return found == shell.end() ? std::string() : found->second;
}

const std::string W = "C:\\WINDOWS";

TEST(LinkFolders, WindowsFolderLayout) {
  EXPECT_EQ(WindowsFolderLinkFolders(W),
            (LinkFolders{W + "\\Desktop", W + "\\Start Menu", W + "\\Start Menu\\Programs"}));
}

TEST(ChooseLinkFolders, AllUsersOnlyWhenAskedAndKnownThenUserThenWindowsFolder) {
  shell = {{{ShellFolder::kDesktop, true}, "C:\\Users\\Public\\Desktop"},
           {{ShellFolder::kDesktop, false}, "C:\\Users\\me\\Desktop"},
           {{ShellFolder::kStartMenu, false}, "C:\\Users\\me\\Start Menu\\"},  // trailing backslash
           {{ShellFolder::kPrograms, true}, "C:\\ProgramData\\Programs"}};
  // An administrator on the NT family: the all-users folder of each kind the
  // shell has, else the user's.
  EXPECT_EQ(ChooseLinkFolders(AskShell, true, W),
            (LinkFolders{"C:\\Users\\Public\\Desktop", "C:\\Users\\me\\Start Menu", "C:\\ProgramData\\Programs"}));
  // Anyone else: the user's; a kind the shell does not know keeps the
  // Windows-folder layout.
  EXPECT_EQ(ChooseLinkFolders(AskShell, false, W),
            (LinkFolders{"C:\\Users\\me\\Desktop", "C:\\Users\\me\\Start Menu", W + "\\Start Menu\\Programs"}));
  shell.clear();
  EXPECT_EQ(ChooseLinkFolders(AskShell, true, W), WindowsFolderLinkFolders(W));
}

TEST(ShellLinkFolders, WithoutAShellTheWindowsFolderLayout) {
  // The native build has no shell and is no NT system.
  EXPECT_EQ(ShellLinkFolders(W), WindowsFolderLinkFolders(W));
}

}  // namespace
}  // namespace zel
