// Runs in both builds: natively against the profile reader of the native
// build, under Wine against GetPrivateProfileStringA itself.
#include "wizard/config_loader.h"

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace zel {
namespace {

std::vector<std::string> Lines(const TStringList& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

class LoadInstallConfigTest : public ::testing::Test {
 protected:
  LoadInstallConfigTest() : dir_("config") { data_.SourceDir = dir_.Path() + "\\"; }
  void Load(const std::string& cfg) {
    test::WriteFile(dir_ / "install.cfg", cfg);
    LoadInstallConfig(data_);
  }
  test::ScratchDir dir_;
  SetupData data_;
};

TEST_F(LoadInstallConfigTest, EveryKeyAndSection) {
  Load(
      "[Setup - Main]\r\n"
      "Install Disks=3\r\n"
      "Install Dir=Zel\\Product\r\n"
      "Launch=<INSTALLDIR>prog.exe\r\n"
      "Folder=Zel Tools\r\n"
      "Add to Program Files=1\r\n"
      "Show Warning Screen=0\r\n"
      "Show Re-Boot=0\r\n"
      "Work Station Prompt=1\r\n"
      "Bitmap File=logo.gif\r\n"
      "Align Center=1\r\n"
      "Align Left=0\r\n"
      "Align Right=1\r\n"
      "Dither From=0x00800000\r\n"
      "Dither To=255\r\n"
      "Header=My Product 2.0\r\n"
      "Header Font Name=Arial\r\n"
      "Header Font Size=0x10\r\n"
      "Header Font Color=0x0000FF00\r\n"
      "Header Font Shadow=-2147483633\r\n"
      "Header2=Second line\r\n"
      "Header2 Font Name=Courier New\r\n"
      "Header2 Font Size=12\r\n"
      "Header2 Font Color=0x00FFFFFF\r\n"
      "Header2 Font Shadow=0\r\n"
      "[Directories]\r\n"
      "d1=<installdir>~\r\n"
      "d2=<SUBDATA><INSTALLDIR>~Data\r\n"
      "d3=<WINDOWS>\r\n"
      "[Files]\r\n"
      "f1=prog.exe~<INSTALLDIR>\r\n"
      "f2=data.dat~<subdata><installdir>\r\n"
      "f3=readme.txt~<INSTALLDIR>\r\n"
      "[Files - OverWrite]\r\n"
      "File #1=1\r\n"
      "[Desktop]\r\n"
      "s1=Product~<INSTALLDIR>prog.exe~X~X~<INSTALLDIR>prog.exe\r\n"
      "[INI - Setup]\r\n"
      "i1=win.ini~Product~Path~<INSTALLDIR>\r\n"
      "i2=Software\\Zel~Product~Version~2.0\r\n"
      "[WorkStation]\r\n"
      "w1=prog.exe~<INSTALLDIR>~X\r\n"
      "[AUTOEXEC.BAT]\r\n"
      "SET TEMP=C:\\TEMP\r\n"
      "PATH <INSTALLDIR>;%PATH%=\r\n");
  EXPECT_EQ(data_.InstallDisks, 3);
  EXPECT_EQ(data_.InstallDir, "Zel\\Product");
  EXPECT_EQ(data_.LaunchProgram, "<INSTALLDIR>prog.exe");
  EXPECT_EQ(data_.ProgramFolder, "Zel Tools");
  EXPECT_TRUE(data_.AddToProgramFiles);
  EXPECT_FALSE(data_.ShowWarningScreen);
  EXPECT_FALSE(data_.ShowReBoot);
  EXPECT_TRUE(data_.WorkStationPrompt);
  EXPECT_EQ(data_.BitmapFile, "logo.gif");
  EXPECT_TRUE(data_.AlignCenter);
  EXPECT_FALSE(data_.AlignLeft);
  EXPECT_TRUE(data_.AlignRight);
  EXPECT_EQ(data_.DitherFrom, 0x00800000);
  EXPECT_EQ(data_.DitherTo, 255);
  EXPECT_EQ(data_.Header.text, "My Product 2.0");
  EXPECT_EQ(data_.Header.fontName, "Arial");
  EXPECT_EQ(data_.Header.fontSize, 16);
  EXPECT_EQ(data_.Header.color, 0x0000FF00);
  EXPECT_EQ(data_.Header.shadow, static_cast<TColor>(0x8000000F));  // a system colour
  EXPECT_EQ(data_.Header2.text, "Second line");
  EXPECT_EQ(data_.Header2.fontName, "Courier New");
  EXPECT_EQ(data_.Header2.fontSize, 12);
  EXPECT_EQ(data_.Header2.color, 0x00FFFFFF);
  EXPECT_EQ(data_.Header2.shadow, 0);

  EXPECT_EQ(Lines(data_.DirectoryEntries),
            (std::vector<std::string>{"<installdir>~", "<SUBDATA><INSTALLDIR>~Data", "<WINDOWS>"}));
  EXPECT_EQ(Lines(data_.FileEntries),
            (std::vector<std::string>{"prog.exe~<INSTALLDIR>~", "data.dat~<subdata><installdir>~X",
                                      "readme.txt~<INSTALLDIR>~"}));
  EXPECT_EQ(Lines(data_.ShortcutEntries),
            (std::vector<std::string>{"Product~<INSTALLDIR>prog.exe~X~X~<INSTALLDIR>prog.exe"}));
  EXPECT_EQ(Lines(data_.IniSetupEntries),
            (std::vector<std::string>{"win.ini~Product~Path~<INSTALLDIR>", "Software\\Zel~Product~Version~2.0"}));
  EXPECT_EQ(Lines(data_.WorkStationEntries), (std::vector<std::string>{"prog.exe~<INSTALLDIR>~X"}));
  // A line is its entry's name, then "=" and the value when there is one.
  EXPECT_EQ(Lines(data_.AutoexecLines), (std::vector<std::string>{"SET TEMP=C:\\TEMP", "PATH <INSTALLDIR>;%PATH%"}));
}

TEST_F(LoadInstallConfigTest, MissingFileKeepsEveryDefaultAndEmptyLists) {
  data_.FileEntries.Add("left over from an earlier load");
  LoadInstallConfig(data_);
  const SetupData defaults;
  EXPECT_EQ(data_.InstallDisks, 0);
  EXPECT_EQ(data_.InstallDir, "");
  EXPECT_EQ(data_.LaunchProgram, "");
  EXPECT_EQ(data_.ProgramFolder, "Accessories");
  EXPECT_FALSE(data_.AddToProgramFiles);
  EXPECT_TRUE(data_.ShowWarningScreen);
  EXPECT_TRUE(data_.ShowReBoot);
  EXPECT_FALSE(data_.WorkStationPrompt);
  EXPECT_EQ(data_.BitmapFile, "");
  EXPECT_FALSE(data_.AlignCenter);
  EXPECT_TRUE(data_.AlignLeft);
  EXPECT_FALSE(data_.AlignRight);
  EXPECT_EQ(data_.DitherFrom, clBlue);
  EXPECT_EQ(data_.DitherTo, clBlack);
  EXPECT_EQ(data_.Header.text, "ZEL - Zelwright 32Bit");
  EXPECT_EQ(data_.Header.fontName, defaults.Header.fontName);
  EXPECT_EQ(data_.Header.fontSize, defaults.Header.fontSize);
  EXPECT_EQ(data_.Header2.text, defaults.Header2.text);
  EXPECT_TRUE(data_.DirectoryEntries.Empty());
  EXPECT_TRUE(data_.FileEntries.Empty());
  EXPECT_TRUE(data_.ShortcutEntries.Empty());
  EXPECT_TRUE(data_.IniSetupEntries.Empty());
  EXPECT_TRUE(data_.WorkStationEntries.Empty());
  EXPECT_TRUE(data_.AutoexecLines.Empty());
}

TEST_F(LoadInstallConfigTest, EmptyFolderIsKeptEmptyAndBadNumbersKeepDefaults) {
  Load(
      "[setup - main]\r\n"
      "folder=\r\n"
      "Header Font Size=big\r\n"
      "Show Re-Boot=no\r\n"
      "Dither From=0x\r\n"
      "Header=\"  quoted title  \"\r\n");
  EXPECT_EQ(data_.ProgramFolder, "");
  EXPECT_EQ(data_.Header.fontSize, SetupData().Header.fontSize);
  EXPECT_TRUE(data_.ShowReBoot);
  EXPECT_EQ(data_.DitherFrom, clBlue);
  EXPECT_EQ(data_.Header.text, "  quoted title  ");
}

TEST_F(LoadInstallConfigTest, OverwriteMarksFollowFilePositionsNotNames) {
  Load(
      "[Files]\r\n"
      "File #2=a.txt~<INSTALLDIR>\r\n"
      "x=b.txt~<INSTALLDIR>\r\n"
      "y=c.txt~<INSTALLDIR>\r\n"
      "[Files - OverWrite]\r\n"
      "File #0=0\r\n"
      "File #2=1\r\n"
      "File #3=1\r\n");
  EXPECT_EQ(Lines(data_.FileEntries),
            (std::vector<std::string>{"a.txt~<INSTALLDIR>~", "b.txt~<INSTALLDIR>~", "c.txt~<INSTALLDIR>~X"}));
}

TEST_F(LoadInstallConfigTest, LongValuesAreCutTo1023Characters) {
  Load("[Setup - Main]\r\nInstall Dir=" + std::string(2000, 'd') + "\r\n");
  EXPECT_EQ(data_.InstallDir, std::string(1023, 'd'));
}

TEST(ApplyWizardDefaults, LaunchSelectedWhenAProgramIsNamed) {
  SetupData data;
  data.LaunchProgram = "<INSTALLDIR>prog.exe";
  data.ShowReBoot = true;
  WizardState wizard;
  ApplyWizardDefaults(data, wizard);
  EXPECT_TRUE(wizard.launchChecked && wizard.launchEnabled);
  EXPECT_FALSE(wizard.returnChecked);
  EXPECT_FALSE(wizard.rebootChecked);
  EXPECT_TRUE(wizard.rebootVisible);
  EXPECT_EQ(wizard.page, kPageWarning);
}

TEST(ApplyWizardDefaults, EmptyOrSetupLaunchOffersReturnOrRestart) {
  for (const char* launch : {"", "<INSTALLDIR>setup.exe", "<INSTALLDIR>MySetup.Exe"}) {
    for (const bool showReBoot : {true, false}) {
      SetupData data;
      data.LaunchProgram = launch;
      data.ShowReBoot = showReBoot;
      WizardState wizard;
      ApplyWizardDefaults(data, wizard);
      EXPECT_FALSE(wizard.launchEnabled) << launch;
      EXPECT_FALSE(wizard.launchChecked) << launch;
      EXPECT_EQ(wizard.rebootChecked, showReBoot) << launch;
      EXPECT_EQ(wizard.returnChecked, !showReBoot) << launch;
      EXPECT_EQ(wizard.rebootVisible, showReBoot) << launch;
    }
  }
}

TEST(ApplyWizardDefaults, NoWarningScreenOpensOnTheLicenceWithNextDisabled) {
  SetupData data;
  data.ShowWarningScreen = false;
  WizardState wizard;  // the licence box still holds its stored text
  ApplyWizardDefaults(data, wizard);
  EXPECT_EQ(wizard.page, kPageLicence);
  EXPECT_TRUE(wizard.backEnabled);
  EXPECT_FALSE(wizard.nextEnabled);
  EXPECT_FALSE(wizard.installVisible);

  WizardState shortLicence;
  shortLicence.licenceLines = 1;
  ApplyWizardDefaults(data, shortLicence);
  EXPECT_EQ(shortLicence.page, kPageDest);
  EXPECT_TRUE(shortLicence.nextEnabled);
}

}  // namespace
}  // namespace zel
