#include "platform/paths.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

TEST(Paths, FolderAndNameSplitAtLastBackslashOrColon) {
  EXPECT_EQ(ExtractFilePath("C:\\app\\sub\\a.txt"), "C:\\app\\sub\\");
  EXPECT_EQ(ExtractFileName("C:\\app\\sub\\a.txt"), "a.txt");
  EXPECT_EQ(ExtractFilePath("A:file"), "A:");
  EXPECT_EQ(ExtractFileName("A:file"), "file");
  EXPECT_EQ(ExtractFilePath("plain"), "");
  EXPECT_EQ(ExtractFileName("plain"), "plain");
  EXPECT_EQ(ExtractAfterBackslash("A:x\\y:z"), "y:z");
}

TEST(Paths, TrailingBackslashHelpersTouchOnlyOne) {
  EXPECT_EQ(IncludeTrailingBackslash("C:\\x"), "C:\\x\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\x\\"), "C:\\x\\");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\x\\\\"), "C:\\x\\");
  EXPECT_EQ(ExcludeTrailingBackslash(""), "");
}

TEST(Paths, DriveOfAPath) {
  EXPECT_EQ(ExtractFileDrive("C:\\Windows\\Temp"), "C:");
  EXPECT_EQ(ExtractFileDrive("a:file"), "a:");
  EXPECT_EQ(ExtractFileDrive("\\\\server\\share\\dir\\f"), "\\\\server\\share");
  EXPECT_EQ(ExtractFileDrive("\\\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(ExtractFileDrive("\\\\server"), "\\\\server");
  EXPECT_EQ(ExtractFileDrive("\\root\\dir"), "");
  EXPECT_EQ(ExtractFileDrive("relative"), "");
}

TEST(Paths, CaseFoldingIsAsciiOnly) {
  EXPECT_EQ(UpperCase("<installdir>\xe9"), "<INSTALLDIR>\xe9");
  EXPECT_TRUE(SameText("Setup - Main", "SETUP - MAIN"));
  EXPECT_FALSE(SameText("abc", "abcd"));
}

TEST(Paths, ZeroPadKeepsAllDigitsOfLargeNumbers) {
  EXPECT_EQ(ZeroPad(1, 3), "001");
  EXPECT_EQ(ZeroPad(12, 3), "012");
  EXPECT_EQ(ZeroPad(1234, 3), "1234");
  EXPECT_EQ(ZeroPad(65535, 3), "65535");
}

}  // namespace
}  // namespace zel
