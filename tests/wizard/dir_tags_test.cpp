#include "wizard/dir_tags.h"

#include <gtest/gtest.h>

#include "platform/safe_name.h"

namespace zel {
namespace {

constexpr const char* kWin = "C:\\WINDOWS";
constexpr const char* kDest = "D:\\Apps\\Product";

struct TagCase {
  const char* tag;
  const char* path;
  const char* expected;
};

// One case per rule, in the order the rules are tried; the later cases carry
// texts that an earlier rule would catch if the order were wrong.
TEST(ResolveDirectoryTag, EveryRuleInTableOrder) {
  const TagCase cases[] = {
      {"<WINDOWS>", "ignored", "C:\\WINDOWS"},
      {"<WINDOWS_SYSTEM>", "ignored", "C:\\WINDOWS\\System"},
      {"<PROGRAMFILES>", "ignored", "C:\\Program Files"},
      {"<INSTALLDIR>", "ignored", "D:\\Apps\\Product"},
      {"<SUBFONTS><WINDOWS>", "Fonts", "C:\\WINDOWS\\Fonts"},
      {"<SUBCOMMON><PROGRAMFILES>", "Common\\Zel", "C:\\Program Files\\Common\\Zel"},
      {"<SUBDRV><WINDOWS_SYSTEM>", "Drivers", "C:\\WINDOWS\\System\\Drivers"},
      {"<SUBDATA><INSTALLDIR>", "Data", "D:\\Apps\\Product\\Data"},
      {"<SUBX><OTHER>", "E:\\Elsewhere", "E:\\Elsewhere"},
      {"<SUBHELP>", "Help", "D:\\Apps\\Product\\Help"},
      {"<ALTDATA>", "Data\\Shared", "C:\\Data\\Shared"},
      {"<ANYTHING>", "Misc", "C:\\Misc"},
  };
  for (const TagCase& c : cases)
    EXPECT_EQ(ResolveDirectoryTag(c.tag, c.path, kWin, kDest), c.expected) << c.tag;
}

TEST(ResolveDirectoryTag, OrderDecidesBetweenMatchingRules) {
  // Both base tags after the sub name: <WINDOWS> is tested before <INSTALLDIR>.
  EXPECT_EQ(ResolveDirectoryTag("<SUBA><INSTALLDIR><WINDOWS>", "p", kWin, kDest), "C:\\WINDOWS\\p");
  // <PROGRAMFILES> is tested before <WINDOWS_SYSTEM>.
  EXPECT_EQ(ResolveDirectoryTag("<SUBA><WINDOWS_SYSTEM><PROGRAMFILES>", "p", kWin, kDest),
            "C:\\Program Files\\p");
  // A base tag without "><" is no sub-folder tag: the sub rule without "><" applies.
  EXPECT_EQ(ResolveDirectoryTag("<SUB WINDOWS>", "p", kWin, kDest), "D:\\Apps\\Product\\p");
  // "<ALT" together with "<SUB": the sub rule comes first.
  EXPECT_EQ(ResolveDirectoryTag("<ALT><SUB>", "E:\\p", kWin, kDest), "E:\\p");
  // Exact tags only: a base tag with extra text falls to the last rule.
  EXPECT_EQ(ResolveDirectoryTag("<WINDOWS>X", "p", kWin, kDest), "C:\\p");
}

TEST(ResolveDirectoryTag, LowerCaseTagsMatchAndEmptyInstallDirStaysEmpty) {
  EXPECT_EQ(ResolveDirectoryTag("<windows_system>", "", kWin, kDest), "C:\\WINDOWS\\System");
  EXPECT_EQ(ResolveDirectoryTag("<subx><installdir>", "Data", kWin, kDest), "D:\\Apps\\Product\\Data");
  EXPECT_EQ(ResolveDirectoryTag("<INSTALLDIR>", "", kWin, ""), "");
  EXPECT_EQ(ResolveDirectoryTag("<SUBHELP>", "Help", kWin, ""), "\\Help");
}

TEST(ResolveDirectoryTag, WindowsInADriveRoot) {
  EXPECT_EQ(ResolveDirectoryTag("<WINDOWS>", "", "C:\\", kDest), "C:\\");
  EXPECT_EQ(ResolveDirectoryTag("<PROGRAMFILES>", "", "C:\\", kDest), "C:\\Program Files");
  EXPECT_EQ(ResolveDirectoryTag("<ALT>", "x", "C:\\", kDest), "C:\\x");
}

// A path joined to a base folder stays below it; the one form that takes the
// path as written needs a full path. Either way no part may be unsafe.
TEST(ResolveDirectoryTag, FolderPathsPassTheNameGuard) {
  const TagCase accepted[] = {
      {"<SUBA><INSTALLDIR>", "Data/Sub\\", "D:\\Apps\\Product\\Data\\Sub"},  // slash, trailing separator
      {"<SUBA>", "", "D:\\Apps\\Product\\"},                            // the base itself
      {"<SUBX><OTHER>", "\\\\server\\share\\Zel", "\\\\server\\share\\Zel"},
      {"<SUBX><OTHER>", "e:/Data", "e:/Data"},
  };
  for (const TagCase& c : accepted)
    EXPECT_EQ(ResolveDirectoryTag(c.tag, c.path, kWin, kDest), c.expected) << c.tag << " " << c.path;
  const TagCase refused[] = {
      {"<SUBA><INSTALLDIR>", "..\\..\\Windows", ""},
      {"<SUBA><WINDOWS>", "Fonts/../../x", ""},
      {"<SUBA>", "C:\\Windows", ""},
      {"<SUBA><PROGRAMFILES>", "\\Rooted", ""},
      {"<SUBA><WINDOWS_SYSTEM>", "COM1", ""},
      {"<ALTDATA>", "..", ""},
      {"<SUBA>", "<SUBA>", ""},  // a value without "~" repeats the tag as path
      {"<SUBX><OTHER>", "relative\\folder", ""},
      {"<SUBX><OTHER>", "D:\\Data\\..\\..\\x", ""},
      {"<SUBX><OTHER>", "\\\\server", ""},
  };
  for (const TagCase& c : refused) {
    try {
      ResolveDirectoryTag(c.tag, c.path, kWin, kDest);
      ADD_FAILURE() << c.tag << " " << c.path << " was accepted";
    } catch (const EUnsafeName& e) {
      EXPECT_EQ(e.Message().rfind(std::string("install.cfg names an unsafe folder: \"") + c.path + "\"", 0), 0u)
          << e.Message();
    }
  }
}

// What zelpack make accepts: the four base tags, "<SUB" names alone or with
// one base tag, "<ALT" names; everything else is unknown or malformed.
TEST(ClassifyDirectoryTag, FormsOfTheTagTable) {
  const struct {
    const char* tag;
    TagForm form;
  } cases[] = {
      {"<INSTALLDIR>", TagForm::kBase},         {"<windows>", TagForm::kBase},
      {"<WINDOWS_SYSTEM>", TagForm::kBase},     {"<PROGRAMFILES>", TagForm::kBase},
      {"<SUBDOCS>", TagForm::kSub},             {"<subdata><installdir>", TagForm::kSub},
      {"<SUB>", TagForm::kSub},                 {"<SUBF><WINDOWS_SYSTEM>", TagForm::kSub},
      {"<ALTTOOLS>", TagForm::kAlt},            {"<ALT>", TagForm::kAlt},
      {"<INSTALDIR>", TagForm::kUnknown},       {"INSTALLDIR", TagForm::kUnknown},
      {"", TagForm::kUnknown},                  {"<WINDOWS>X", TagForm::kUnknown},
      {"X<SUBDOCS>", TagForm::kUnknown},        {"<SUBX><OTHER>", TagForm::kMalformed},
      {"<SUBX", TagForm::kMalformed},           {"<SUBX><INSTALLDIR>x", TagForm::kMalformed},
      {"<SUB<X>", TagForm::kMalformed},         {"<SUBX><SUBY>", TagForm::kMalformed},
      {"<ALTX><WINDOWS>", TagForm::kMalformed}, {"<ALTX", TagForm::kMalformed},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyDirectoryTag(c.tag), c.form) << c.tag;
}

}  // namespace
}  // namespace zel
