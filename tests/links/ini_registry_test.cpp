#include "wizard/ini_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "support/string_lists.h"

namespace zel {
namespace {

using test::Lines;

TEST(RegistryValueKey, SubKeyBackslashesNormalised) {
  EXPECT_EQ(RegistryValueKey("Software\\Prod", "Settings\\"), "\\Software\\Prod\\Settings");
  EXPECT_EQ(RegistryValueKey("Software\\Prod", "\\Settings"), "\\Software\\Prod\\Settings");
  EXPECT_EQ(RegistryValueKey("Software\\Prod", "Settings"), "\\Software\\Prod\\Settings");
  EXPECT_EQ(RegistryValueKey("Software\\Prod", "\\Settings\\"), "\\Software\\Prod\\Settings");
  // Only one trailing backslash goes.
  EXPECT_EQ(RegistryValueKey("Software\\Prod", "A\\B\\\\"), "\\Software\\Prod\\A\\B\\");
  EXPECT_EQ(RegistryValueKey("Software\\Prod", ""), "\\Software\\Prod\\");
}

TEST(RegistryPathFromRoot, DropsLeadingTrailingAndDoubledSeparators) {
  EXPECT_EQ(RegistryPathFromRoot("\\Software\\Prod\\Settings"), "Software\\Prod\\Settings");
  EXPECT_EQ(RegistryPathFromRoot("\\\\Software\\\\Prod\\"), "Software\\Prod");
  EXPECT_EQ(RegistryPathFromRoot("\\"), "");
  EXPECT_EQ(RegistryPathFromRoot(RegistryValueKey("Software\\Prod\\", "")), "Software\\Prod");
}

TEST(IniSetupEntry, KindAndFields) {
  IniSetupEntry e = SplitIniSetupEntry("win.ini~Section~Name~a~b");
  EXPECT_TRUE(e.IsIni());
  EXPECT_EQ(e.file, "win.ini");
  EXPECT_EQ(e.section, "Section");
  EXPECT_EQ(e.name, "Name");
  EXPECT_EQ(e.value, "a~b");  // the rest, delimiters and all
  EXPECT_TRUE(SplitIniSetupEntry("C:\\X\\PROD.Ini~s~n~v").IsIni());
  EXPECT_FALSE(SplitIniSetupEntry("Software\\Prod~s~n~v").IsIni());
  e = SplitIniSetupEntry("Software\\Prod~Only");
  EXPECT_EQ(e.name, "Only");
  EXPECT_EQ(e.value, "Only");
}

TEST(IniUninstallPath, BareNameLiesInWindowsFolder) {
  EXPECT_EQ(IniUninstallPath("win.ini", "C:\\WINDOWS"), "C:\\WINDOWS\\win.ini");
  EXPECT_EQ(IniUninstallPath("C:\\Prod\\prod.ini", "C:\\WINDOWS"), "C:\\Prod\\prod.ini");
}

TEST(ResolveIniSetupTags, FirstAndFourthFieldOnly) {
  TStringList entries = Lines({"<INSTALLDIR>prod.ini~<INSTALLDIR>s~<INSTALLDIR>n~<installdir>data",
                               "Software\\P~S~Path~<WINDOWS>",
                               "Software\\P~S~Other~x<INSTALLDIR>y",
                               "<UNKNOWN>a.ini~S~N~<UNKNOWN>v"});
  int pumps = 0;
  ResolveIniSetupTags(entries, Lines({"<INSTALLDIR>", "<WINDOWS>"}),
                      Lines({"C:\\Prod", "C:\\WINDOWS"}), [&pumps] { ++pumps; });
  EXPECT_EQ(entries[0], "C:\\Prod\\prod.ini~<INSTALLDIR>s~<INSTALLDIR>n~C:\\Prod\\data");
  EXPECT_EQ(entries[1], "Software\\P~S~Path~C:\\WINDOWS\\");
  EXPECT_EQ(entries[2], "Software\\P~S~Other~x<INSTALLDIR>y");  // the tag must lead the field
  EXPECT_EQ(entries[3], "<UNKNOWN>a.ini~S~N~<UNKNOWN>v");
  EXPECT_EQ(pumps, 8);
}

TEST(ResolveIniSetupTags, ResolvedFolderNotResolvedAgainByLaterTag) {
  // The first folder itself starts with the second tag's text.
  TStringList entries = Lines({"f.ini~s~n~<A>x"});
  ResolveIniSetupTags(entries, Lines({"<A>", "<B>"}), Lines({"<B>", "C:\\B"}));
  EXPECT_EQ(entries[0], "f.ini~s~n~<B>\\x");
}

TEST(ResolveIniSetupTags, EmptyTagNeverMatchesFieldWithoutBracket) {
  TStringList entries = Lines({"win.ini~s~n~value"});
  ResolveIniSetupTags(entries, Lines({""}), Lines({"C:\\Somewhere"}));
  EXPECT_EQ(entries[0], "win.ini~s~n~value");
}

// Records every call in order; writes can be made to fail.
class FakeHost : public IniRegistryHost {
 public:
  void Status(const std::string& text) override { log.push_back("status " + text); }
  void StepProgress() override { ++progress; }
  void ProcessMessages() override {}
  void Record(const std::string& section, const std::string& name) override {
    log.push_back("record " + section + " " + name);
  }
  void WriteIniValue(const std::string& file, const std::string& section, const std::string& name,
                     const std::string& value) override {
    if (failIni) throw Exception("Unable to write to " + file);
    log.push_back("ini " + file + " [" + section + "] " + name + "=" + value);
  }
  void CreateRegistryKey(const std::string& keyPath) override { log.push_back("key " + keyPath); }
  void WriteRegistryString(const std::string& keyPath, const std::string& name,
                           const std::string& value) override {
    log.push_back("reg " + keyPath + " " + name + "=" + value);
  }
  void Failed(const std::string& what) override { log.push_back("failed " + what); }
  std::vector<std::string> log;
  int progress = 0;
  bool failIni = false;
};

TEST(RunIniRegistryStep, WritesRecordsAndCountsInOrder) {
  TStringList entries = Lines({"win.ini~Prod~Dir~<INSTALLDIR>", "<INSTALLDIR>prod.ini~Main~A~1",
                               "Software\\Prod~Settings\\~Path~<INSTALLDIR>bin"});
  FakeHost host;
  RunIniRegistryStep(entries, Lines({"<INSTALLDIR>"}), Lines({"C:\\Prod"}), "C:\\WINDOWS", host);
  const std::vector<std::string> expected = {
      "status Processing Registry Entries / INI Creation",
      "ini win.ini [Prod] Dir=C:\\Prod\\",
      "record UNINS C:\\WINDOWS\\win.ini",
      "ini C:\\Prod\\prod.ini [Main] A=1",
      "record UNINS C:\\Prod\\prod.ini",
      "key Software\\Prod",
      "record Registry Software\\Prod",  // f1 only, not the sub-key
      "reg Software\\Prod\\Settings Path=C:\\Prod\\bin",
  };
  EXPECT_EQ(host.log, expected);
  EXPECT_EQ(host.progress, 3);
}

TEST(RunIniRegistryStep, WriteFailuresAreNotedNotRecordedAndTheStepGoesOn) {
  TStringList entries = Lines({"a.ini~s~n~v", "b.ini~s~n~v", "Software\\P~s~n~v"});
  FakeHost host;
  host.failIni = true;
  RunIniRegistryStep(entries, TStringList(), TStringList(), "C:\\W", host);
  const std::vector<std::string> expected = {
      "status Processing Registry Entries / INI Creation",
      "failed Unable to write to a.ini",
      "failed Unable to write to b.ini",
      "key Software\\P",
      "record Registry Software\\P",
      "reg Software\\P\\s n=v",
  };
  EXPECT_EQ(host.log, expected);
  EXPECT_EQ(host.progress, 3);
}

TEST(RunIniRegistryStep, RootKeyIsWrittenButNotRecorded) {
  TStringList entries = Lines({"\\~Settings~N~V"});
  FakeHost host;
  RunIniRegistryStep(entries, TStringList(), TStringList(), "C:\\W", host);
  const std::vector<std::string> expected = {
      "status Processing Registry Entries / INI Creation", "key ", "reg Settings N=V"};
  EXPECT_EQ(host.log, expected);
}

}  // namespace
}  // namespace zel
