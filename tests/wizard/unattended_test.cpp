#include "wizard/unattended.h"

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace zel {
namespace {

SetupData SampleSetup() {
  SetupData setup;
  setup.RootDir = "C:\\";
  setup.InstallDir = "Sample Product";
  setup.AddToProgramFiles = true;
  setup.ProgramFolder = "Sample Product";
  setup.LaunchProgram = "<INSTALLDIR>hello.exe";
  setup.ShowReBoot = true;
  setup.ShortcutEntries.Add("Sample Hello~<INSTALLDIR>hello.exe~X~X~<INSTALLDIR>hello.exe~Sample Product");
  setup.ShortcutEntries.Add("Sample Readme~<INSTALLDIR>license.txt~~X~<INSTALLDIR>license.txt~Sample Product");
  return setup;
}

TEST(Unattended, TheWizardDefaultsWithEveryShortcutTicked) {
  SetupData setup = SampleSetup();
  setup.WorkStationPrompt = true;  // the wizard would propose the network install
  setup.ShowWarningScreen = false;
  const UnattendedInstall run = PlanUnattendedInstall(setup, SetupOptions{}, 0);
  EXPECT_EQ(run.choices.destination, "C:\\Program Files\\Sample Product");
  EXPECT_FALSE(run.choices.minInstall);
  EXPECT_FALSE(run.choices.launchChecked);  // "Return to Windows" without /LAUNCH
  EXPECT_FALSE(run.choices.folderDesktop || run.choices.folderStartMenu);  // the check boxes start empty
  EXPECT_EQ(run.choices.desktopTicked, (std::vector<std::string>{"Sample Hello"}));
  EXPECT_EQ(run.choices.startMenuTicked, (std::vector<std::string>{"Sample Hello", "Sample Readme"}));
  EXPECT_FALSE(run.reboot);
  EXPECT_EQ(run.licenceRefusal, "");
}

TEST(Unattended, CommandLineChoices) {
  SetupOptions options;
  options.destination = "D:\\Two Words\\Prod";
  options.launch = true;
  const UnattendedInstall run = PlanUnattendedInstall(SampleSetup(), options, 0);
  EXPECT_EQ(run.choices.destination, "D:\\Two Words\\Prod");
  EXPECT_TRUE(run.choices.launchChecked);
  EXPECT_FALSE(run.reboot);
}

TEST(Unattended, TheRestartIsChosenOnlyWhereTheScriptMakesItTheDefault) {
  const struct {
    const char* launch;
    bool showReBoot;
    bool launchSwitch;
    bool reboot;
    bool launchChecked;
  } cases[] = {
      {"", true, false, true, false},          // nothing to launch: the restart is the default
      {"", true, true, true, false},           // /LAUNCH has nothing to start
      {"", false, false, false, false},        // "Return to Windows"
      {"<INSTALLDIR>SETUP.EXE", true, false, true, false},  // a chained setup counts as nothing
      {"<INSTALLDIR>a.exe", true, false, false, false},
      {"<INSTALLDIR>a.exe", true, true, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.launch) + (c.showReBoot ? " reboot" : "") + (c.launchSwitch ? " /LAUNCH" : ""));
    SetupData setup = SampleSetup();
    setup.LaunchProgram = c.launch;
    setup.ShowReBoot = c.showReBoot;
    SetupOptions options;
    options.launch = c.launchSwitch;
    const UnattendedInstall run = PlanUnattendedInstall(setup, options, 0);
    EXPECT_EQ(run.reboot, c.reboot);
    EXPECT_EQ(run.choices.launchChecked, c.launchChecked);
  }
}

TEST(Unattended, ALicenceNeedsTheSwitch) {
  SetupOptions options;
  EXPECT_EQ(PlanUnattendedInstall(SampleSetup(), options, 1).licenceRefusal, "");  // one line is no licence
  const std::string refusal = PlanUnattendedInstall(SampleSetup(), options, 12).licenceRefusal;
  EXPECT_NE(refusal.find("/ACCEPTLICENSE"), std::string::npos);
  options.acceptLicence = true;
  EXPECT_EQ(PlanUnattendedInstall(SampleSetup(), options, 12).licenceRefusal, "");
}

TEST(Unattended, LicenceLinesAreCountedFromTheTemporaryFolder) {
  test::ScratchDir dir("licence");
  EXPECT_EQ(LicenceLineCount(dir.Path()), 0);
  test::WriteFile(dir / "license.txt", "Terms\r\n\r\nMore terms\r\n");
  EXPECT_EQ(LicenceLineCount(dir.Path()), 3);
}

TEST(Unattended, RestartHeldBackIsStatus3010) {
  EXPECT_EQ(FinalExitCode(kExitInstalled, true, true), kExitRestartNeeded);
  EXPECT_EQ(FinalExitCode(kExitInstalled, true, false), kExitInstalled);  // restarted
  EXPECT_EQ(FinalExitCode(kExitInstalled, false, true), kExitInstalled);
  EXPECT_EQ(FinalExitCode(kExitIncomplete, true, true), kExitIncomplete);  // no restart after failures
  EXPECT_EQ(FinalExitCode(kExitFailed, true, true), kExitFailed);
  EXPECT_EQ(ExitStatusLine(kExitRestartNeeded), "Setup ended with status 3010: installed, restart needed");
  EXPECT_EQ(ExitStatusLine(kExitLicenceDeclined), "Setup ended with status 4: the licence was not accepted");
}

}  // namespace
}  // namespace zel
