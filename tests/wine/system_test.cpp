#include <windows.h>

#include <gtest/gtest.h>

#include "platform/system.h"
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
