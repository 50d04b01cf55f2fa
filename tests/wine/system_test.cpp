#include <windows.h>

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "platform/system.h"
#include "platform/windows_family.h"
#include "shell/window_routines.h"
#include "shell/win_reboot.h"
#include "support/scratch_dir.h"

namespace zel {
namespace {

TEST(WindowsFolder, MatchesThePlatformWithoutTrailingBackslash) {
  char expected[MAX_PATH];
  const UINT n = GetWindowsDirectoryA(expected, MAX_PATH);
  ASSERT_GT(n, 0u);
  const std::string folder = WindowsFolder();
  EXPECT_EQ(folder, std::string(expected, n));
  EXPECT_GE(folder.size(), 3u);
  if (folder.size() > 3) {
    EXPECT_NE(folder.back(), '\\');
  }
}

TEST(ShortPathName, MissingPathComesBackUnchanged) {
  const std::string missing = "C:\\No Such Folder At All\\with a long name.text";
  EXPECT_EQ(ShortPathName(missing), missing);
  EXPECT_EQ(ShortPathName(""), "");
}

TEST(ShortPathName, ExistingLongNameGetsItsShortForm) {
  test::ScratchDir dir("short");
  const std::string longName = dir / "A rather long folder name";
  fs::ForceDirectories(longName);
  const std::string shortName = ShortPathName(longName);
  EXPECT_EQ(GetFileAttributesA(shortName.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD{FILE_ATTRIBUTE_DIRECTORY});
  EXPECT_EQ(shortName.find(' ', shortName.size() - 12), std::string::npos) << shortName;
}

TEST(WinReboot, UnknownPrivilegeIsNotAdjusted) {
  TWinReboot reboot;
  EXPECT_FALSE(reboot.EnablePrivilege("SeNoSuchPrivilegeAtAll", true));
}

TEST(WindowsFamily, ShellFoldersAndTheProgramsOwnFile) {
  EXPECT_TRUE(sys::IsNtPlatform());  // the prefix reports an NT-family Windows unless told otherwise
  for (sys::ShellFolder kind : {sys::ShellFolder::kDesktop, sys::ShellFolder::kStartMenu, sys::ShellFolder::kPrograms})
    for (bool allUsers : {false, true}) {
      const std::string folder = sys::ShellFolderPath(kind, allUsers);
      EXPECT_GE(folder.size(), 3u) << static_cast<int>(kind) << allUsers;
      EXPECT_NE(folder.back(), '\\') << folder;
    }
  EXPECT_NE(sys::ShellFolderPath(sys::ShellFolder::kDesktop, false),
            sys::ShellFolderPath(sys::ShellFolder::kDesktop, true));
  const std::string program = sys::ProgramFile();
  EXPECT_EQ(program.substr(program.size() - 4), ".exe") << program;
  EXPECT_NE(GetFileAttributesA(program.c_str()), INVALID_FILE_ATTRIBUTES) << program;
}

TEST(CanWriteKey, ProbesAndLeavesNoKeyOrValueBehind) {
  const char* key = "Software\\ZelWriteProbeTest";
  RegDeleteKeyA(HKEY_CURRENT_USER, key);
  EXPECT_TRUE(reg::CanWriteKey(reg::Root::kCurrentUser, key));
  HKEY opened = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened), ERROR_SUCCESS);  // made, then taken away
  // An existing key keeps its values and gains none.
  RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr);
  RegSetValueExA(opened, "kept", 0, REG_SZ, reinterpret_cast<const BYTE*>("v"), 2);
  RegCloseKey(opened);
  EXPECT_TRUE(reg::CanWriteKey(reg::Root::kCurrentUser, key));
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened), ERROR_SUCCESS);
  DWORD values = 0;
  RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(opened);
  EXPECT_EQ(values, 1u);
  RegDeleteKeyA(HKEY_CURRENT_USER, key);
}

TEST(MessageBoxHook, AnswersInsteadOfTheBoxWithTheApplicationTitle) {
  sys::SetApplicationTitle("ZEL - Setup");
  std::string seenText, seenCaption;
  sys::SetMessageBoxHook([&](const std::string& text, const std::string& caption, unsigned) {
    seenText = text;
    seenCaption = caption;
    return sys::kIdNo;
  });
  EXPECT_EQ(sys::MsgBox("Question ?", sys::kMbYesNo), sys::kIdNo);
  sys::SetMessageBoxHook(nullptr);
  EXPECT_EQ(seenText, "Question ?");
  EXPECT_EQ(seenCaption, "ZEL - Setup");
}

}  // namespace
}  // namespace zel
