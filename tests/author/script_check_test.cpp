// Runs in both builds: natively with the native profile reader, under Wine
// with GetPrivateProfileStringA, so the line numbers are checked against the
// reader install.exe uses.
#include "author/script_check.h"

#include <gtest/gtest.h>

#include "platform/fs.h"
#include "support/scratch_dir.h"
#include "wizard/config_loader.h"

namespace zel {
namespace {

// A script that installs cleanly: every case below changes one thing.
const char kGoodScript[] =
    "[Setup - Main]\r\n"                                       // 1
    "Install Dir=Product\r\n"                                  // 2
    "Launch=<INSTALLDIR>prog.exe\r\n"                          // 3
    "[Directories]\r\n"                                        // 4
    "Main=<INSTALLDIR>~\r\n"                                   // 5
    "Docs=<SUBDOCS><INSTALLDIR>~docs\r\n"                      // 6
    "[Files]\r\n"                                              // 7
    "F0=prog.exe~<INSTALLDIR>\r\n"                             // 8
    "F1=readme.txt~<SUBDOCS><INSTALLDIR>\r\n"                  // 9
    "[Desktop]\r\n"                                            // 10
    "S=Prog~<INSTALLDIR>prog.exe~X~X~<INSTALLDIR>prog.exe~Product\r\n";  // 11

class ScriptCheckTest : public ::testing::Test {
 protected:
  ScriptCheckTest() : product_("product"), scratch_("scratch") {
    test::WriteFile(product_ / "prog.exe", "program");
    test::WriteFile(product_ / "readme.txt", "read me");
  }
  ScriptCheck Check(const std::string& script, const std::string& name = "install.cfg") {
    test::WriteFile(product_ / name, script);
    return CheckInstallScript(product_ / name, product_.Path(), scratch_.Path());
  }
  static std::string Describe(const ScriptCheck& c) {
    std::string text;
    for (const Diagnostic& d : c.diagnostics)
      text += std::to_string(d.line) + (d.error ? ": error: " : ": warning: ") + d.message + "\n";
    return text;
  }
  test::ScratchDir product_, scratch_;
};

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST_F(ScriptCheckTest, GoodScriptHasNoDiagnosticsAndPacksItsFiles) {
  const ScriptCheck c = Check(kGoodScript);
  EXPECT_EQ(Describe(c), "");
  ASSERT_EQ(c.files.size(), 2u);
  EXPECT_EQ(c.files[0].storedName, "prog.exe");
  EXPECT_EQ(c.files[1].storedName, "readme.txt");
  EXPECT_EQ(c.files[0].sourcePath, product_ / "prog.exe");
  EXPECT_EQ(c.data.InstallDir, "Product");  // loaded by the setup's own loader
}

struct DiagnosticCase {
  const char* name;
  std::string script;
  int line;
  bool error;
  const char* text;  // part of the message
};

// Each fault of the script, alone, with the line and the kind it must be
// reported with.
TEST_F(ScriptCheckTest, EveryFaultWithItsLine) {
  const std::string good = kGoodScript;
  const DiagnosticCase cases[] = {
      {"file not in the product folder", Replace(good, "F1=readme.txt", "F1=missing.txt"), 9, true,
       "\"missing.txt\" is not in the product folder"},
      {"workstation file not in the product folder", good + "[WorkStation]\r\nW=gone.exe~<INSTALLDIR>~X\r\n", 13,
       true, "\"gone.exe\" is not in the product folder"},
      {"no <INSTALLDIR>", "[Directories]\r\nWin=<WINDOWS>\r\n[Files]\r\nF=prog.exe~<WINDOWS>\r\n", 1, true,
       "no \"<INSTALLDIR>\" directory"},
      {"unknown tag", Replace(good, "[Files]", "Bad=<INSTALDIR>~x\r\n[Files]"), 7, true,
       "unknown directory tag \"<INSTALDIR>\""},
      {"malformed sub tag", Replace(good, "[Files]", "Bad=<SUBDOCS><HOME>~docs\r\n[Files]"), 7, true,
       "malformed directory tag"},
      {"alt tag with more after it", Replace(good, "[Files]", "Bad=<ALTX><INSTALLDIR>~x\r\n[Files]"), 7, true,
       "malformed directory tag"},
      {"sub tag without folder", Replace(good, "<SUBDOCS><INSTALLDIR>~docs", "<SUBDOCS><INSTALLDIR>"), 6, true,
       "the folder \"<SUBDOCS><INSTALLDIR>\" of <SUBDOCS><INSTALLDIR>"},
      {"alt folder leaving the root", Replace(good, "[Files]", "Alt=<ALTDATA>~..\\data\r\n[Files]"), 7, true,
       "the folder \"..\\data\" of <ALTDATA>"},
      {"file tag not in Directories", Replace(good, "F0=prog.exe~<INSTALLDIR>", "F0=prog.exe~<SUBBIN>"), 8, true,
       "\"<SUBBIN>\" is not one of [Directories]"},
      {"desktop with four fields", Replace(good, "~<INSTALLDIR>prog.exe~Product", ""), 11, true,
       "has 4 fields; it needs six"},
      {"desktop with a two-part tag", Replace(good, "~X~X~<INSTALLDIR>prog.exe", "~X~X~<SUBDOCS><INSTALLDIR>r.ico"),
       11, true, "does not begin with a tag of [Directories]"},
      {"value over the limit", Replace(good, "Install Dir=Product", "Install Dir=" + std::string(1024, 'x')), 2,
       true, "1024 characters long; the setup reads only the first 1023"},
      {"launch not among the files", Replace(good, "<INSTALLDIR>prog.exe\r\n[Dir", "<INSTALLDIR>other.exe\r\n[Dir"),
       3, true, "\"other.exe\" is not among the files"},
      {"launch program named but missing: one error, for the file",
       Replace(Replace(good, "Launch=<INSTALLDIR>prog.exe", "Launch=<INSTALLDIR>gone.exe"), "F1=readme.txt",
               "F1=gone.exe"),
       9, true, "\"gone.exe\" is not in the product folder"},
      {"launch without a tag", Replace(good, "Launch=<INSTALLDIR>prog.exe", "Launch=prog.exe"), 3, true,
       "does not begin with a tag"},
      {"unsafe file name", Replace(good, "F1=readme.txt", "F1=..\\readme.txt"), 9, true, "\"..\\readme.txt\" has a"},
      {"device name", Replace(good, "F1=readme.txt", "F1=aux.txt"), 9, true, "names a device"},
      {"slash in a file name", Replace(good, "F1=readme.txt", "F1=docs/readme.txt"), 9, true, "holds \"/\""},
      {"unknown key", Replace(good, "Install Dir=", "Instal Dir="), 2, false,
       "unknown key \"Instal Dir\" in [Setup - Main] (did you mean \"Install Dir\"?)"},
      {"second value for a key", Replace(good, "[Directories]", "Install Dir=Other\r\n[Directories]"), 4, false,
       "a second value for \"Install Dir\" (the first is on line 2)"},
      {"entry name used again", good + "S=Other~<INSTALLDIR>prog.exe~X~~<INSTALLDIR>prog.exe~Product\r\n", 12,
       false, "the entry name \"S\" is used again (first on line 11)"},
      {"second section", good + "[Files]\r\nF9=readme.txt~<INSTALLDIR>\r\n", 12, false,
       "a second [Files] section (the first is on line 7)"},
      {"unknown section", good + "[Directory]\r\n", 12, false, "unknown section [Directory]"},
      {"licence referred to but missing", good + "[INI - Setup]\r\nI=app.ini~Doc~Licence~<INSTALLDIR>license.txt\r\n",
       13, false, "refers to \"license.txt\""},
      {"picture missing", Replace(good, "Install Dir=Product", "Install Dir=Product\r\nBitmap File=logo.gif"), 3,
       false, "the background picture \"logo.gif\" is not in the product folder"},
      {"picture with a folder part", Replace(good, "Install Dir=Product", "Install Dir=Product\r\nBitmap File=img\\logo.gif"),
       3, true, "the picture name \"img\\logo.gif\" has a folder part"},
      {"autoexec line without =", good + "[AUTOEXEC.BAT]\r\nREM installed by the sample\r\n", 13, false,
       "a line without \"=\""},
      {"overwrite entry beyond the files", good + "[Files - OverWrite]\r\nFile #5=1\r\n", 13, false,
       "\"File #5\" names no entry of [Files], which has 2"},
  };
  for (const DiagnosticCase& c : cases) {
    const ScriptCheck result = Check(c.script);
    const std::string all = Describe(result);
    EXPECT_EQ(result.diagnostics.size(), 1u) << c.name << "\n" << all;
    if (result.diagnostics.empty()) continue;
    EXPECT_EQ(result.diagnostics[0].line, c.line) << c.name << "\n" << all;
    EXPECT_EQ(result.diagnostics[0].error, c.error) << c.name << "\n" << all;
    EXPECT_NE(result.diagnostics[0].message.find(c.text), std::string::npos) << c.name << "\n" << all;
  }
}

TEST_F(ScriptCheckTest, TwoFilesOfOneNameFromDifferentFoldersAreAnError) {
  fs::ForceDirectories(product_ / "sub");
  test::WriteFile(product_ / "sub\\readme.txt", "another");
  const ScriptCheck c = Check(std::string(kGoodScript) + "[WorkStation]\r\nW=sub\\readme.txt~<INSTALLDIR>\r\n");
  ASSERT_EQ(c.Errors(), 1) << Describe(c);
  EXPECT_EQ(c.diagnostics[0].line, 13);
  EXPECT_NE(c.diagnostics[0].message.find("two files named \"readme.txt\""), std::string::npos);
  EXPECT_EQ(c.files.size(), 2u);  // the second one is not packed
}

TEST_F(ScriptCheckTest, FileNamedTwiceForOneFolderIsPackedOnce) {
  const ScriptCheck c = Check(Replace(kGoodScript, "[Desktop]", "F2=prog.exe~<INSTALLDIR>\r\n"
                                                                "F3=prog.exe~<SUBDOCS><INSTALLDIR>\r\n[Desktop]"));
  ASSERT_EQ(c.diagnostics.size(), 1u) << Describe(c);
  EXPECT_EQ(c.diagnostics[0].line, 10);
  EXPECT_FALSE(c.diagnostics[0].error);
  EXPECT_NE(c.diagnostics[0].message.find("\"prog.exe\" is named twice for <INSTALLDIR> (first on line 8)"),
            std::string::npos);
  // Named for two folders (and three times), packed once.
  EXPECT_EQ(c.files.size(), 2u);
}

TEST_F(ScriptCheckTest, OptionalFilesArePackedWhenThere) {
  test::WriteFile(product_ / "LICENSE.TXT", "terms");
  test::WriteFile(product_ / "logo.gif", "GIF89a");
  test::WriteFile(product_ / "uninstaller.exe", "MZ");
  test::WriteFile(product_ / "unrelated.dat", "not named");
  const ScriptCheck c = Check(Replace(kGoodScript, "Install Dir=Product", "Install Dir=Product\r\nBitmap File=logo.gif"));
  EXPECT_EQ(Describe(c), "");
  std::vector<std::string> names;
  for (const ProductFile& f : c.files) names.push_back(f.storedName);
  // The names as the folder writes them; nothing the script does not look for.
  EXPECT_EQ(names, (std::vector<std::string>{"prog.exe", "readme.txt", "logo.gif", "LICENSE.TXT", "uninstaller.exe"}));
}

TEST_F(ScriptCheckTest, NamesMatchTheProductFolderWithoutRegardToCase) {
  const ScriptCheck c = Check(Replace(kGoodScript, "F1=readme.txt", "F1=README.TXT"));
  EXPECT_EQ(Describe(c), "");
  ASSERT_EQ(c.files.size(), 2u);
  EXPECT_EQ(c.files[1].storedName, "readme.txt");
}

TEST_F(ScriptCheckTest, ScriptOfAnotherNameIsReadToo) {
  const ScriptCheck c = Check(Replace(kGoodScript, "F1=readme.txt", "F1=missing.txt"), "product.cfg");
  ASSERT_EQ(c.diagnostics.size(), 1u) << Describe(c);
  EXPECT_EQ(c.diagnostics[0].line, 9);
  EXPECT_EQ(c.data.InstallDir, "Product");
  EXPECT_FALSE(fs::FileExists(scratch_ / "install.cfg"));  // the loader's copy is gone
}

TEST_F(ScriptCheckTest, EntryNamesBeyondTheListBufferAreAnError) {
  std::string script = kGoodScript;
  script += "[AUTOEXEC.BAT]\r\n";  // line 12
  // 100 lines of 99 characters: about 9,900 bytes of names.
  for (int i = 0; i < 100; ++i) script += "REM " + std::string(90, 'a') + std::to_string(1000 + i) + "=\r\n";
  const ScriptCheck c = Check(script);
  ASSERT_EQ(c.diagnostics.size(), 1u) << Describe(c);
  EXPECT_TRUE(c.diagnostics[0].error);
  // Names of 98 characters, each with its terminator, after the list's final
  // terminator: 82 fit 8,192 bytes, the 83rd does not.
  EXPECT_EQ(c.diagnostics[0].line, 12 + 83);
  EXPECT_NE(c.diagnostics[0].message.find("8192 bytes"), std::string::npos);
}

bool SameData(const SetupData& a, const SetupData& b) {
  auto same = [](const HeaderStyle& x, const HeaderStyle& y) {
    return x.text == y.text && x.fontName == y.fontName && x.fontSize == y.fontSize && x.color == y.color &&
           x.shadow == y.shadow;
  };
  return a.InstallDisks == b.InstallDisks && a.InstallDir == b.InstallDir && a.LaunchProgram == b.LaunchProgram &&
         a.ProgramFolder == b.ProgramFolder && a.BitmapFile == b.BitmapFile &&
         a.AddToProgramFiles == b.AddToProgramFiles && a.WorkStationPrompt == b.WorkStationPrompt &&
         a.ShowWarningScreen == b.ShowWarningScreen && a.ShowReBoot == b.ShowReBoot &&
         a.AlignCenter == b.AlignCenter && a.AlignLeft == b.AlignLeft && a.AlignRight == b.AlignRight &&
         a.DitherFrom == b.DitherFrom && a.DitherTo == b.DitherTo && same(a.Header, b.Header) &&
         same(a.Header2, b.Header2);
}

// The keys the check knows are the loader's: setting each one changes what
// the loader reads (with 0 or with 7, whatever its default).
TEST_F(ScriptCheckTest, EveryKnownKeyIsReadByTheLoader) {
  const SetupData defaults;
  for (const std::string& key : MainSectionKeys()) {
    bool changed = false;
    for (const char* value : {"0", "7"}) {
      test::WriteFile(product_ / "install.cfg", "[Setup - Main]\r\n" + key + "=" + value + "\r\n");
      SetupData data;
      data.SourceDir = product_.Path() + "\\";
      LoadInstallConfig(data);
      changed = changed || !SameData(data, defaults);
    }
    EXPECT_TRUE(changed) << key;
  }
}

}  // namespace
}  // namespace zel
