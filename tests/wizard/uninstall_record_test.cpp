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
