#include "wizard/uninstall_record.h"

#include <gtest/gtest.h>

#include "fake_install_ops.h"

namespace zel {
namespace {

using testing::FakeInstallOps;
using Names = std::vector<std::string>;
constexpr const char* kFile = "C:\\P\\uninstall.cfg";

TEST(UninstallRecord, SecondInstallLeavesOnlyItsOwnRecord) {
  FakeInstallOps ops;
  {
    UninstallRecord first(ops, "C:\\P");
    first.Start("Old");
    first.AddFile("C:\\P\\old.exe");
    first.AddRegistryRecord("Software\\Old");
    first.AddLinkRecords(WindowsFolderLinkFolders("C:\\WINDOWS"), "Old", "Old", false, false, false, false);
  }
  UninstallRecord second(ops, "C:\\P");
  second.Start("New");
  second.AddFile("C:\\P\\new.exe");
  second.AddFile("c:\\p\\NEW.EXE");  // same entry, any case
  EXPECT_EQ(ops.Section(kFile, kUninsSection), (Names{"C:\\P\\*.*", "C:\\P\\Setup\\*.*", "C:\\P\\new.exe"}));
  EXPECT_TRUE(ops.Section(kFile, kFoldersSection).empty());
  EXPECT_TRUE(ops.Section(kFile, kRegistrySection).empty());
  EXPECT_EQ(ops.programTitle[UpperCase(kFile)], "New");
}

// A reinstall of the same title keeps what the earlier install made on
// record; another title's record is replaced whole.
TEST(UninstallRecord, ReinstallOfTheSameTitleAddsToTheExactRecord) {
  FakeInstallOps ops;
  const IniValueRecord winIni{"C:\\WINDOWS\\win.ini", "Prod", "Dir", true, false, false};
  const RegValueRecord path{"Software\\Prod", "Path", false};
  {
    UninstallRecord first(ops, "C:\\P");
    first.Start("Prod");
    first.AddFileState("C:\\P\\prod.exe", FileState::kCreated);
    first.AddIniValue(winIni);
    first.AddRegValue(path);
    first.AddAutoexecBlock("C:\\autoexec.bat", "", true, {"REM start", "SET P=1", "REM end"});
    first.Add(kCreatedFoldersSection, "C:\\P");
  }
  UninstallRecord again(ops, "C:\\P");
  again.Start("prod");  // the title in any case
  again.AddFileState("C:\\P\\prod.exe", FileState::kReplaced);
  again.AddIniValue({"C:\\WINDOWS\\win.ini", "Prod", "Dir", true, true, true});
  again.AddRegValue({"Software\\Prod", "Path", true});
  again.AddAutoexecBlock("C:\\autoexec.bat", "C:\\autoexec.zel", false, {"REM start", "SET P=1", "REM end"});
  EXPECT_EQ(ops.Section(kFile, kCreatedSection), (Names{"C:\\P\\prod.exe"}));
  EXPECT_EQ(ops.Section(kFile, kExistedSection), (Names{"C:\\P\\prod.exe"}));
  EXPECT_EQ(ops.Section(kFile, kCreatedFoldersSection), (Names{"C:\\P"}));
  // The numbers go on: the first record of each value is still there.
  EXPECT_EQ(ops.ReadString(kFile, kIniValuesSection, "1"), FormatIniValueRecord(winIni));
  EXPECT_EQ(ops.ReadString(kFile, kIniValuesSection, "2"), "111|C:\\WINDOWS\\win.ini|Prod|Dir");
  EXPECT_EQ(ops.ReadString(kFile, kRegValuesSection, "1"), FormatRegValueRecord(path));
  EXPECT_EQ(ops.ReadString(kFile, kRegValuesSection, "2"), "1|Software\\Prod|Path");
  EXPECT_EQ(ops.ReadString(kFile, kAutoexecSection, "Created"), "1") << "the first install made the file";

  UninstallRecord other(ops, "C:\\P");
  other.Start("Other");
  for (const char* section : {kCreatedSection, kExistedSection, kCreatedFoldersSection,
                              kIniValuesSection, kRegValuesSection, kAutoexecSection})
    EXPECT_TRUE(ops.Section(kFile, section).empty()) << section;
  other.AddIniValue(winIni);
  EXPECT_EQ(ops.ReadString(kFile, kIniValuesSection, "1"), FormatIniValueRecord(winIni));
}

TEST(UninstallRecord, NothingIsWrittenBeforeStart) {
  FakeInstallOps ops;
  UninstallRecord record(ops, "C:\\P");
  record.AddFile("C:\\P\\x.exe");
  EXPECT_FALSE(record.Open());
  EXPECT_TRUE(ops.profile.empty());
}

TEST(UninstallRecord, LinkRecordsFollowTheChosenPlaces) {
  struct Case {
    bool folderDesktop, desktop, startMenu, folderStartMenu;
    Names unins, folders;
  } cases[] = {
      {false, true, true, false,
       {"W\\Desktop\\N.*", "W\\Start Menu\\N.*", "W\\Start Menu\\Programs\\F\\N.*"},
       {"W\\Start Menu\\Programs\\F"}},
      {true, false, false, true,
       {"W\\Desktop\\F\\N.*", "W\\Start Menu\\F\\N.*", "W\\Start Menu\\Programs\\F\\N.*"},
       {"W\\Desktop\\F", "W\\Start Menu\\F", "W\\Start Menu\\Programs\\F"}},
  };
  for (const Case& c : cases) {
    FakeInstallOps ops;
    UninstallRecord record(ops, "C:\\P");
    record.Start("T");
    record.AddLinkRecords(WindowsFolderLinkFolders("W"), "F", "N", c.folderDesktop, c.desktop, c.startMenu, c.folderStartMenu);
    Names unins = ops.Section(kFile, kUninsSection);
    unins.erase(unins.begin(), unins.begin() + 2);  // the record-start patterns
    EXPECT_EQ(unins, c.unins);
    EXPECT_EQ(ops.Section(kFile, kFoldersSection), c.folders);
  }
}

TEST(UninstallRecord, IniFileWithoutFolderIsTheWindowsFolder) {
  FakeInstallOps ops;
  UninstallRecord record(ops, "C:\\P");
  record.Start("T");
  record.AddIniRecord("C:\\WINDOWS", "prod.ini");
  record.AddIniRecord("C:\\WINDOWS", "C:\\P\\own.ini");
  const Names& unins = ops.Section(kFile, kUninsSection);
  ASSERT_EQ(unins.size(), 4u);
  EXPECT_EQ(unins[2], "C:\\WINDOWS\\prod.ini");
  EXPECT_EQ(unins[3], "C:\\P\\own.ini");
}

TEST(UninstallRecord, TitleWithBackslashNestsTheRegistrationKey) {
  const UninstallRegistration r = MakeUninstallRegistration("C:\\P", "Vendor\\Prod");
  EXPECT_EQ(r.key, "Software\\Microsoft\\Windows\\currentversion\\uninstall\\Vendor\\Prod");
  EXPECT_EQ(r.uninstallString, "C:\\P\\uninstaller.exe Vendor\\Prod");
}

}  // namespace
}  // namespace zel
