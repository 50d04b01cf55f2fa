#include "platform/safe_name.h"

#include <gtest/gtest.h>

#include <string>

namespace zel {
namespace {

struct NameCase {
  const char* name;
  NameProblem problem;
};

TEST(SafeName, RefusesEveryWayOutOfItsFolder) {
  const NameCase cases[] = {
      {"../win.ini", NameProblem::kDotPart},
      {"..\\win.ini", NameProblem::kDotPart},
      {"q2/../../../../evil.txt", NameProblem::kDotPart},
      {"a\\..", NameProblem::kDotPart},
      {"..", NameProblem::kDotPart},
      {"./a", NameProblem::kDotPart},
      {"a/.../b", NameProblem::kDotPart},   // Windows drops the dots: "..."
      {"a/.. /b", NameProblem::kDotPart},   // and the trailing space: ".. "
      {"readme.", NameProblem::kDotPart},
      {"readme ", NameProblem::kDotPart},
      {"\\windows\\win.ini", NameProblem::kAbsolute},
      {"/etc/passwd", NameProblem::kAbsolute},
      {"\\\\server\\share\\x", NameProblem::kAbsolute},
      {"//server/share/x", NameProblem::kAbsolute},
      {"C:\\x.txt", NameProblem::kAbsolute},
      {"c:x.txt", NameProblem::kAbsolute},
      {"a\\b:stream", NameProblem::kColon},
      {"a:", NameProblem::kAbsolute},
      {"", NameProblem::kEmpty},
      {"a\\\\b", NameProblem::kEmpty},
      {"a/", NameProblem::kEmpty},
      {"a\tb", NameProblem::kBadCharacter},
      {"a*.txt", NameProblem::kBadCharacter},
      {"what?", NameProblem::kBadCharacter},
      {"a|b", NameProblem::kBadCharacter},
      {"\"q\"", NameProblem::kBadCharacter},
      {"x<y>", NameProblem::kBadCharacter},
  };
  for (const NameCase& c : cases) EXPECT_EQ(CheckRelativeName(c.name), c.problem) << c.name;
}

TEST(SafeName, RefusesDevicesWithAnyExtensionAndCase) {
  for (const char* name : {"CON", "con", "PRN", "AUX", "NUL", "nul.txt", "COM1", "COM2.txt", "com9.tar.gz",
                           "LPT1", "lpt9.doc", "CONIN$", "conout$", "CLOCK$", "sub\\AUX", "sub/aux.c",
                           "NUL .txt", "COM\xB9"}) {
    EXPECT_EQ(CheckRelativeName(name), NameProblem::kDevice) << name;
  }
  for (const char* name : {"CONFIG.SYS", "console.txt", "COM10", "COM0", "LPT", "nullify", "aux_file.c",
                           "prn2.txt", "xcon"}) {
    EXPECT_EQ(CheckRelativeName(name), NameProblem::kNone) << name;
  }
}

TEST(SafeName, AcceptsOrdinaryNamesAndLengthsUpToTheLimit) {
  for (const char* name : {"a", "readme.txt", "sub\\prog.exe", "q2/data/file.bin", ".profile", "a..b",
                           "Program Files\\Product\\x.dll", "disk.$A$", "\xE9t\xE9.txt", "~tmp"}) {
    EXPECT_EQ(CheckRelativeName(name), NameProblem::kNone) << name;
  }
  const std::string part(kMaxSafePartLength, 'p');
  EXPECT_EQ(CheckRelativeName(part), NameProblem::kNone);
  EXPECT_EQ(CheckRelativeName(part + "p"), NameProblem::kTooLong);
  const std::string path = part + "\\" + std::string(kMaxSafeNameLength - part.size() - 1, 'q');
  EXPECT_EQ(CheckRelativeName(path), NameProblem::kNone);
  EXPECT_EQ(CheckRelativeName(path + "q"), NameProblem::kTooLong);
}

TEST(SafeName, SinglePartRefusesSeparators) {
  EXPECT_EQ(CheckPartName("disk"), NameProblem::kNone);
  EXPECT_EQ(CheckPartName("a\\disk"), NameProblem::kFolderPart);
  EXPECT_EQ(CheckPartName("a/disk"), NameProblem::kFolderPart);
  EXPECT_EQ(CheckPartName("../disk"), NameProblem::kDotPart);
  EXPECT_EQ(CheckPartName("nul"), NameProblem::kDevice);
}

TEST(SafeName, JoinsInWindowsFormAndThrowsNamingTheEntry) {
  EXPECT_EQ(SafeRelativePath("q2/data/a.txt"), "q2\\data\\a.txt");
  EXPECT_EQ(SafeJoin("C:\\Temp\\zel", "sub/a.txt"), "C:\\Temp\\zel\\sub\\a.txt");
  EXPECT_EQ(SafeJoin("C:\\", "a.txt"), "C:\\a.txt");
  EXPECT_EQ(SafeFileName("sub/dir\\prog.exe"), "prog.exe");
  EXPECT_EQ(SafeFileName("prog.exe"), "prog.exe");
  try {
    SafeJoin("C:\\Temp\\zel", "../win.ini");
    FAIL() << "no exception";
  } catch (const EUnsafeName& e) {
    EXPECT_EQ(e.Message(), std::string("damaged or unsafe package: \"../win.ini\" ") +
                               NameProblemText(NameProblem::kDotPart));
  }
  try {
    SafeFileName("../../victim.ini", "install.cfg names an unsafe file");
    FAIL() << "no exception";
  } catch (const EUnsafeName& e) {
    EXPECT_EQ(e.Message().rfind("install.cfg names an unsafe file: \"../../victim.ini\"", 0), 0u) << e.Message();
  }
  EXPECT_THROW(SafeFileName("COM2.txt"), EUnsafeName);
}

}  // namespace
}  // namespace zel
