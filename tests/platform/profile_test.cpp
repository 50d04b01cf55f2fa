#include "platform/profile.h"
#include "platform/profile_text.h"

#include <gtest/gtest.h>

#include <map>

#include "support/scratch_dir.h"

namespace zel {
namespace {

TEST(ProfileInteger, DecimalHexAndRejectedTexts) {
  struct Case {
    const char* text;
    int32_t expected;
  };
  const Case cases[] = {
      {"16", 16},           {"0", 0},
      {"-5", -5},           {"+7", 7},
      {"0x10", 16},         {"0X1f", 31},
      {"0xFFFFFFFF", -1},   {"0x00FF0000", 0x00FF0000},
      {"0x000000010", 16},  // leading zeros do not count as digits
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      // Everything below gives the default.
      {"", 99},             {"0x", 99},
      {"0x1FFFFFFFF", 99},  {"0xG1", 99},
      {"12abc", 99},        {"1 2", 99},
      {"-", 99},            {"$10", 99},
      {"2147483648", 99},   {"-2147483649", 99},
      {"99999999999999999999", 99},
  };
  for (const Case& c : cases) EXPECT_EQ(profile::ParseInteger(c.text, 99), c.expected) << '"' << c.text << '"';
}

class ProfileFile : public ::testing::Test {
 protected:
  ProfileFile() : dir_("profile") {}
  std::string Write(const std::string& text) {
    const std::string path = dir_ / "test.ini";
    test::WriteFile(path, text);
    return path;
  }
  test::ScratchDir dir_;
};

TEST_F(ProfileFile, NamesMatchWithoutCaseAndBlanksAndQuotesAreDropped) {
  const std::string ini = Write(
      "[Setup - Main]\r\n"
      "  Header  =  My Product  \r\n"
      "Quoted=\"in quotes\"\r\n"
      "Single='single'\r\n"
      "Empty=\r\n"
      "[Other]\r\n"
      "Header=other\r\n");
  EXPECT_EQ(profile::ReadString(ini, "SETUP - MAIN", "header", "x"), "My Product");
  EXPECT_EQ(profile::ReadString(ini, "Setup - Main", "Quoted", "x"), "in quotes");
  EXPECT_EQ(profile::ReadString(ini, "Setup - Main", "Single", "x"), "single");
  EXPECT_EQ(profile::ReadString(ini, "Setup - Main", "Empty", "x"), "");
  EXPECT_EQ(profile::ReadString(ini, "Setup - Main", "Missing", "dflt"), "dflt");
  EXPECT_EQ(profile::ReadString(ini, "No Such", "Header", "dflt"), "dflt");
  EXPECT_EQ(profile::ReadString(ini, "Other", "Header", "x"), "other");
  EXPECT_EQ(profile::ReadString(dir_ / "missing.ini", "Other", "Header", "dflt"), "dflt");
}

TEST_F(ProfileFile, LongValueIsCutTo1023Characters) {
  const std::string ini = Write("[S]\r\nK=" + std::string(1500, 'v') + "\r\n");
  EXPECT_EQ(profile::ReadString(ini, "S", "K", ""), std::string(1023, 'v'));
}

TEST_F(ProfileFile, KeyNamesComeInFileOrderAndStopAtTheListBuffer) {
  const std::string ini = Write("[S]\r\nZeta=1\r\nalpha=2\r\nSET TEMP=C:\\TEMP\r\n[T]\r\nx=1\r\n");
  EXPECT_EQ(profile::ReadKeyNames(ini, "s"), (std::vector<std::string>{"Zeta", "alpha", "SET TEMP"}));
  EXPECT_TRUE(profile::ReadKeyNames(ini, "none").empty());

  // 1000 names of 9 characters + terminator need 10,001 bytes: only the names
  // that fit the 8,192-byte list come back, in order.
  std::string many = "[Many]\r\n";
  for (int i = 0; i < 1000; ++i) many += "name" + ZeroPad(static_cast<unsigned>(i), 5) + "=1\r\n";
  const std::vector<std::string> names = profile::ReadKeyNames(Write(many), "Many");
  ASSERT_GE(names.size(), 800u);
  EXPECT_LE(names.size(), 819u);
  EXPECT_EQ(names.front(), "name00000");
  EXPECT_EQ(names[800], "name00800");
}

// The lines of the entries come in the order of ReadKeyNames: comments,
// blank lines, entries without a name and a second section of the same name
// do not shift them.
TEST_F(ProfileFile, KeyLinesMatchTheListedNames) {
  const std::string ini = Write(
      "[S]\r\n"          // 1
      "; remark\r\n"     // 2
      "a=1\r\n"          // 3
      "\r\n"             // 4
      "=nameless\r\n"    // 5
      "  B = 2\r\n"      // 6
      "line only\r\n"    // 7
      "[T]\r\n"          // 8
      "c=3\r\n"          // 9
      "[s]\r\n"          // 10
      "d=4\r\n");        // 11
  // Whether a line without "=" is an entry is the platform reader's rule
  // (the native reader lists it, Wine's does not); the lines follow the names.
  const std::vector<std::string> names = profile::ReadKeyNames(ini, "S");
  const std::vector<int> lines = profile::ReadKeyLines(ini, "S");
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[0], "a");
  EXPECT_EQ(names[1], "B");
  ASSERT_EQ(lines.size(), names.size());
  const std::map<std::string, int> lineOf = {{"a", 3}, {"B", 6}, {"line only", 7}};
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(lines[i], lineOf.at(names[i])) << names[i];
  EXPECT_EQ(profile::ReadKeyLines(ini, "t"), (std::vector<int>{9}));
  EXPECT_TRUE(profile::ReadKeyLines(ini, "none").empty());
  EXPECT_TRUE(profile::ReadKeyLines(dir_ / "missing.ini", "S").empty());
}

TEST_F(ProfileFile, IntegersAndBooleansFallBackToTheirDefaults) {
  const std::string ini = Write("[S]\r\nSize=0x10\r\nOn=1\r\nOff=0\r\nBad=yes\r\nNeg=-1\r\n");
  EXPECT_EQ(profile::ReadInteger(ini, "S", "Size", 3), 16);
  EXPECT_EQ(profile::ReadInteger(ini, "S", "Bad", 3), 3);
  EXPECT_EQ(profile::ReadInteger(ini, "S", "Missing", 3), 3);
  EXPECT_TRUE(profile::ReadBool(ini, "S", "On", false));
  EXPECT_FALSE(profile::ReadBool(ini, "S", "Off", true));
  EXPECT_TRUE(profile::ReadBool(ini, "S", "Neg", false));
  EXPECT_TRUE(profile::ReadBool(ini, "S", "Bad", true));
  EXPECT_FALSE(profile::ReadBool(ini, "S", "Missing", false));
}

TEST_F(ProfileFile, WrittenValuesReadBackAndReplaceEarlierOnes) {
  const std::string ini = dir_ / "written.ini";
  ASSERT_TRUE(profile::WriteString(ini, "First", "a", "1"));
  ASSERT_TRUE(profile::WriteString(ini, "Second", "b", "2"));
  ASSERT_TRUE(profile::WriteString(ini, "First", "c", "3"));
  ASSERT_TRUE(profile::WriteString(ini, "first", "A", "one"));
  EXPECT_EQ(profile::ReadString(ini, "First", "a", ""), "one");
  EXPECT_EQ(profile::ReadString(ini, "First", "c", ""), "3");
  EXPECT_EQ(profile::ReadString(ini, "Second", "b", ""), "2");
  EXPECT_EQ(profile::ReadKeyNames(ini, "First").size(), 2u);
}

}  // namespace
}  // namespace zel
