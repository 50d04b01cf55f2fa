#include "wizard/install_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "fake_install_ops.h"

namespace zel {
namespace {

using testing::FakeInstallOps;

constexpr const char* kWindows = "C:\\WINDOWS";
constexpr const char* kTemp = "C:\\WINDOWS\\Temp\\q";

struct RecordingHooks : InstallHooks {
  std::vector<std::string>* log;
  bool throwInIni = false;
  explicit RecordingHooks(std::vector<std::string>* l) : log(l) {}
  void CreateShortcuts(InstallContext& ctx) override {
    log->push_back("hook shortcuts " + std::to_string(ctx.dirTags.size()));
  }
  void ProcessIniEntries(InstallContext&) override {
    if (throwInIni) throw Exception("Unable to write to C:\\WINDOWS\\prod.ini");
    log->push_back("hook ini");
  }
  void UpdateAutoexec(InstallContext&) override { log->push_back("hook autoexec"); }
};

SetupData BasicSetup() {
  SetupData setup;
  setup.TempDir = kTemp;
  setup.DirectoryEntries.Add("<SUB1>~docs");
  setup.DirectoryEntries.Add("<INSTALLDIR>~");
  setup.FileEntries.Add("readme.txt~<SUB1>~");
  setup.FileEntries.Add("prog.exe~<INSTALLDIR>~X");
  setup.LaunchProgram = "<INSTALLDIR>prog.exe";
  return setup;
}

InstallChoices Choices() {
  InstallChoices c;
  c.destination = "C:\\Apps\\Prod";
  c.launchChecked = true;
  return c;
}

TEST(InstallEngine, StepsRunInOrder) {
  SetupData setup = BasicSetup();
  setup.IniSetupEntries.Add("prod.ini~Main~Path~<INSTALLDIR>");
  setup.AutoexecLines.Add("SET PROD");
  FakeInstallOps ops;
  RecordingHooks hooks(&ops.log);
  const InstallOutcome outcome = RunInstall(setup, Choices(), kWindows, "Prod", ops, hooks);
  ASSERT_TRUE(outcome.completed) << outcome.error;
  const std::vector<std::string> expected{
      "status Preparing Directory Structure",
      "mkdir C:\\Apps\\Prod\\docs",
      "mkdir C:\\Apps\\Prod",  // the destination, before its record starts
      "erase UNINS",
      "erase Folders",
      "erase Registry",
      "erase Created",
      "erase Existed",
      "erase Kept",
      "erase Links",
      "erase ProgramFolders",
      "erase CreatedFolders",
      "erase RegKeys",
      "erase IniValues",
      "erase RegValues",
      "erase Autoexec",
      "mkdir C:\\Apps\\Prod",
      "copy C:\\WINDOWS\\Temp\\q\\install.exe -> C:\\Apps\\Prod",
      "copy C:\\WINDOWS\\Temp\\q\\install.cfg -> C:\\Apps\\Prod",
      "status Ready to Install",
      "status readme.txt",
      "target C:\\Apps\\Prod\\docs",
      "copy C:\\WINDOWS\\Temp\\q\\readme.txt -> C:\\Apps\\Prod\\docs",
      "delete C:\\WINDOWS\\Temp\\q\\readme.txt",
      "status Ready to Install",
      "status prog.exe",
      "target C:\\Apps\\Prod",
      "copy C:\\WINDOWS\\Temp\\q\\prog.exe -> C:\\Apps\\Prod",
      "delete C:\\WINDOWS\\Temp\\q\\prog.exe",
      "status Creating Icons and Folders",
      "hook shortcuts 2",
      "status Processing Registry Entries / INI Creation",
      "hook ini",
      "status Copying Old Autoexec.bat to Autoexec.zel",
      "hook autoexec",
      "status Creating Uninstall Information",
      "launch prog.exe [] in C:\\Apps\\Prod\\ show 5",
  };
  EXPECT_EQ(ops.log, expected);
  EXPECT_EQ(ops.progress, 2);
  EXPECT_EQ(ops.progressMax, 3);
  const std::vector<std::string> unins{"C:\\Apps\\Prod\\*.*", "C:\\Apps\\Prod\\Setup\\*.*",
                                       "C:\\Apps\\Prod\\docs\\readme.txt", "C:\\Apps\\Prod\\prog.exe"};
  EXPECT_EQ(ops.Section("C:\\Apps\\Prod\\uninstall.cfg", kUninsSection), unins);
  EXPECT_EQ(ops.programTitle[UpperCase("C:\\Apps\\Prod\\uninstall.cfg")], "Prod");
}

TEST(InstallEngine, OverwriteQuestionOnlyForMarkedExistingFiles) {
  for (bool yes : {true, false}) {
    SetupData setup = BasicSetup();
    setup.FileEntries.Add("plain.dll~<INSTALLDIR>~");
    FakeInstallOps ops;
    ops.files = {UpperCase("C:\\Apps\\Prod\\prog.exe"), UpperCase("C:\\Apps\\Prod\\plain.dll")};
    ops.answers = {yes};
    InstallHooks hooks;
    const InstallOutcome outcome = RunInstall(setup, Choices(), kWindows, "Prod", ops, hooks);
    ASSERT_TRUE(outcome.completed);
    ASSERT_EQ(ops.questions, std::vector<std::string>{"File Already Exists (prog.exe). Overwrite?"});
    const bool copied = std::count(ops.log.begin(), ops.log.end(),
                                   "copy C:\\WINDOWS\\Temp\\q\\prog.exe -> C:\\Apps\\Prod") == 1;
    EXPECT_EQ(copied, yes);
    EXPECT_EQ(std::count(ops.log.begin(), ops.log.end(),
                         "copy C:\\WINDOWS\\Temp\\q\\plain.dll -> C:\\Apps\\Prod"),
              1)
        << "unmarked files are replaced silently";
    const auto& unins = ops.Section("C:\\Apps\\Prod\\uninstall.cfg", kUninsSection);
    EXPECT_NE(std::find(unins.begin(), unins.end(), "C:\\Apps\\Prod\\prog.exe"), unins.end())
        << "recorded even when kept";
    EXPECT_TRUE(outcome.failures.empty()) << "keeping a file is the user's choice, not a failure";
    EXPECT_EQ(InstallExitCode(outcome), kExitInstalled);
  }
}

bool Logged(const FakeInstallOps& ops, const std::string& line) {
  return std::find(ops.log.begin(), ops.log.end(), line) != ops.log.end();
}

bool Launched(const FakeInstallOps& ops) {
  return std::any_of(ops.log.begin(), ops.log.end(),
                     [](const std::string& l) { return l.rfind("launch", 0) == 0; });
}

TEST(InstallEngine, FailedFileIsCollectedNotRecordedAndKeepsItsSource) {
  SetupData setup = BasicSetup();
  FakeInstallOps ops;
  ops.failingCopies = {std::string(kTemp) + "\\readme.txt"};
  InstallHooks hooks;
  const InstallOutcome outcome = RunInstall(setup, Choices(), kWindows, "Prod", ops, hooks);
  EXPECT_TRUE(outcome.completed);
  EXPECT_EQ(outcome.failures,
            std::vector<std::string>{"Cannot write file C:\\WINDOWS\\Temp\\q\\readme.txt: the disk is full"});
  EXPECT_FALSE(Logged(ops, "delete C:\\WINDOWS\\Temp\\q\\readme.txt")) << "a failed copy keeps its source";
  EXPECT_TRUE(Logged(ops, "copy C:\\WINDOWS\\Temp\\q\\prog.exe -> C:\\Apps\\Prod")) << "the run goes on";
  const std::vector<std::string> unins{"C:\\Apps\\Prod\\*.*", "C:\\Apps\\Prod\\Setup\\*.*",
                                       "C:\\Apps\\Prod\\prog.exe"};
  EXPECT_EQ(ops.Section("C:\\Apps\\Prod\\uninstall.cfg", kUninsSection), unins);
  EXPECT_FALSE(Launched(ops)) << "an incomplete product is not started";
  EXPECT_EQ(InstallExitCode(outcome), kExitIncomplete);
}

TEST(InstallEngine, FolderRecordAndRegistrationFailuresAreCollectedOnce) {
  SetupData setup = BasicSetup();
  setup.FileEntries.Add("uninstaller.exe~<INSTALLDIR>~");
  FakeInstallOps ops;
  // The destination fails twice (as the destination and as its entry's
  // folder): one line. Record start takes sixteen writes, the folder it
  // created one, the setup's two copies two and readme.txt two more; the
  // records of prog.exe and uninstaller.exe fail.
  ops.failingFolders = {"C:\\Apps\\Prod"};
  ops.failRecordAfter = 21;
  ops.failRegistration = true;
  InstallHooks hooks;
  const InstallOutcome outcome = RunInstall(setup, Choices(), kWindows, "Prod", ops, hooks);
  EXPECT_TRUE(outcome.completed) << outcome.error;
  const std::vector<std::string> expected{
      "Unable to create directory C:\\Apps\\Prod",
      "Unable to write to C:\\Apps\\Prod\\uninstall.cfg (the record of C:\\Apps\\Prod\\prog.exe)",
      "Unable to write to C:\\Apps\\Prod\\uninstall.cfg (the record of C:\\Apps\\Prod\\uninstaller.exe)",
      "Unable to create registry key Software\\Microsoft\\Windows\\currentversion\\uninstall\\Prod",
  };
  EXPECT_EQ(outcome.failures, expected);
  EXPECT_FALSE(Launched(ops));
  EXPECT_EQ(InstallExitCode(outcome), kExitIncomplete);
}

TEST(InstallEngine, UnsafeNamesStopTheRunBeforeAnythingIsDone) {
  struct Case {
    const char* directory;  // added to "Directories"
    const char* file;       // added to "Files"
    const char* message;
  } cases[] = {
      {nullptr, "../../victim.ini~<INSTALLDIR>~",
       "install.cfg names an unsafe file: \"../../victim.ini\" has a \".\" or \"..\" part"},
      {nullptr, "C:\\WINDOWS\\win.ini~<SUB1>~", "install.cfg names an unsafe file: \"C:\\WINDOWS\\win.ini\""},
      {nullptr, "sub/NUL.txt~<INSTALLDIR>~", "install.cfg names an unsafe file: \"sub/NUL.txt\" names a device"},
      {"<SUB2><WINDOWS>~..\\..\\Elsewhere", nullptr, "install.cfg names an unsafe folder: \"..\\..\\Elsewhere\""},
      {"<SUB3>~D:\\Data", nullptr, "install.cfg names an unsafe folder: \"D:\\Data\""},
      {"<SUB4><ABSOLUTE>~relative", nullptr, "install.cfg names an unsafe folder: \"relative\" is not a full path"},
  };
  for (const Case& c : cases) {
    SetupData setup = BasicSetup();
    if (c.directory) setup.DirectoryEntries.Add(c.directory);
    if (c.file) setup.FileEntries.Add(c.file);
    FakeInstallOps ops;
    InstallHooks hooks;
    const InstallOutcome outcome = RunInstall(setup, Choices(), kWindows, "Prod", ops, hooks);
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(outcome.error.rfind(c.message, 0), 0u) << outcome.error;
    EXPECT_TRUE(ops.log.empty()) << c.message << ": nothing created, copied or shown";
    EXPECT_TRUE(ops.profile.empty()) << c.message;
    EXPECT_EQ(InstallExitCode(outcome), kExitFailed);
  }
}

TEST(InstallEngine, ReportListsTheFailuresOnce) {
  InstallOutcome complete;
  complete.completed = true;
  EXPECT_EQ(InstallReport(complete), "");

  InstallOutcome incomplete = complete;
  incomplete.failures = {"Cannot replace C:\\P\\a.dll: the file is in use by another program",
                         "Unable to write to win.ini"};
  EXPECT_EQ(InstallReport(incomplete),
            "The installation is incomplete. These items could not be installed:\n"
            "\nCannot replace C:\\P\\a.dll: the file is in use by another program"
            "\nUnable to write to win.ini"
            "\n\nThe program was not started and Windows will not be restarted. Correct the problems "
            "and run Setup again.");

  InstallOutcome stopped;
  stopped.error = "Unable to write to C:\\P\\uninstall.cfg";
  EXPECT_EQ(InstallReport(stopped), stopped.error);
  EXPECT_EQ(InstallExitCode(stopped), kExitFailed);
  for (int i = 0; i < 15; ++i) stopped.failures.push_back("item " + std::to_string(i));
  const std::string report = InstallReport(stopped);
  EXPECT_EQ(report.rfind(stopped.error + "\n\nBefore it stopped, these items could not be installed:\n", 0), 0u);
  EXPECT_NE(report.find("\nitem 11\n... and 3 more."), std::string::npos) << report;
  EXPECT_EQ(report.find("item 12"), std::string::npos);
}

TEST(InstallEngine, UnguardedFailuresStopTheRunAndReportTheFile) {
  struct Case {
    const char* name;
    void (*arrange)(FakeInstallOps&, RecordingHooks&);
    const char* message;
  } cases[] = {
      {"setup copy", [](FakeInstallOps& o, RecordingHooks&) { o.failingCopies = {std::string(kTemp) + "\\install.cfg"}; },
       "Cannot write file C:\\WINDOWS\\Temp\\q\\install.cfg: the disk is full"},
      {"record", [](FakeInstallOps& o, RecordingHooks&) { o.failProfileWrites = true; },
       "Unable to write to C:\\Apps\\Prod\\uninstall.cfg"},
      {"ini hook", [](FakeInstallOps&, RecordingHooks& h) { h.throwInIni = true; },
       "Unable to write to C:\\WINDOWS\\prod.ini"},
  };
  for (const Case& c : cases) {
    SetupData setup = BasicSetup();
    setup.IniSetupEntries.Add("prod.ini~Main~Path~x");
    FakeInstallOps ops;
    RecordingHooks hooks(&ops.log);
    c.arrange(ops, hooks);
    const InstallOutcome outcome = RunInstall(setup, Choices(), kWindows, "Prod", ops, hooks);
    EXPECT_FALSE(outcome.completed) << c.name;
    EXPECT_EQ(outcome.error, c.message) << c.name;
    EXPECT_TRUE(std::none_of(ops.log.begin(), ops.log.end(),
                             [](const std::string& l) { return l.rfind("launch", 0) == 0; }))
        << c.name << ": nothing is launched after a failure";
  }
}

TEST(InstallEngine, WithoutInstallDirNothingIsTouched) {
  SetupData setup = BasicSetup();
  setup.DirectoryEntries.Delete(1);
  FakeInstallOps ops;
  InstallHooks hooks;
  const InstallOutcome outcome = RunInstall(setup, Choices(), kWindows, "Prod", ops, hooks);
  EXPECT_FALSE(outcome.completed);
  EXPECT_EQ(outcome.error, kNoInstallDirMessage);
  EXPECT_TRUE(ops.log.empty());
  EXPECT_TRUE(ops.profile.empty());
}

TEST(InstallEngine, RegistersOnlyWithUninstallerInDestination) {
  for (bool present : {false, true}) {
    SetupData setup = BasicSetup();
    if (present) setup.FileEntries.Add("uninstaller.exe~<INSTALLDIR>~");
    FakeInstallOps ops;
    InstallHooks hooks;
    ASSERT_TRUE(RunInstall(setup, Choices(), kWindows, "My Prod", ops, hooks).completed);
    ASSERT_EQ(ops.registrations.size(), present ? 1u : 0u);
    if (present) {
      EXPECT_EQ(ops.registrations[0].key, "Software\\Microsoft\\Windows\\currentversion\\uninstall\\My Prod");
      EXPECT_EQ(ops.registrations[0].displayName, "My Prod");
      EXPECT_EQ(ops.registrations[0].uninstallString, "C:\\Apps\\Prod\\uninstaller.exe My Prod");
    }
  }
}

TEST(InstallEngine, NetworkInstallCopiesWorkStationFilesAndChainsSetup) {
  SetupData setup = BasicSetup();
  setup.WorkStationEntries.Add("client.exe~<INSTALLDIR>~X");
  setup.LaunchProgram = "<INSTALLDIR>setup.exe";
  InstallChoices choices = Choices();
  choices.minInstall = true;
  choices.launchChecked = false;
  FakeInstallOps ops;
  ops.files = {UpperCase("C:\\Apps\\Prod\\client.exe")};
  ops.answers = {true};
  InstallHooks hooks;
  ASSERT_TRUE(RunInstall(setup, choices, kWindows, "Prod", ops, hooks).completed);
  EXPECT_EQ(ops.questions.size(), 1u);
  EXPECT_EQ(std::count(ops.log.begin(), ops.log.end(), "copy C:\\WINDOWS\\Temp\\q\\client.exe -> C:\\Apps\\Prod"), 1);
  EXPECT_EQ(std::count(ops.log.begin(), ops.log.end(), "copy C:\\WINDOWS\\Temp\\q\\prog.exe -> C:\\Apps\\Prod"), 0);
  EXPECT_EQ(ops.log.back(), "launch setup.exe [] in C:\\Apps\\Prod\\ show 5");
}

}  // namespace
}  // namespace zel

namespace zel {
namespace {

// The install log in memory: every file's text by path.
struct MemoryLog : LogFile {
  std::map<std::string, std::string> files;
  InstallLog log{*this};
  bool Append(const std::string& path, const std::string& text) override {
    files[path] += text;
    return true;
  }
  std::string Now() override { return "T"; }
};

bool HasLine(const std::string& text, const std::string& line) {
  return text.find("T  " + line + "\r\n") != std::string::npos;
}

TEST(InstallEngine, LogNamesEveryActionWithItsResultInTheDestination) {
  SetupData setup = BasicSetup();
  setup.FileEntries.Add("gone.dat~<INSTALLDIR>~");
  setup.FileEntries.Add("uninstaller.exe~<INSTALLDIR>~");
  FakeInstallOps ops;
  ops.files.insert("C:\\APPS\\PROD\\PROG.EXE");  // kept: the question is answered No
  ops.answers = {false};
  ops.failingCopies.insert(std::string(kTemp) + "\\gone.dat");
  ops.failingFolders.insert("C:\\Apps\\Prod\\docs");
  RecordingHooks hooks(&ops.log);
  MemoryLog memory;
  memory.log.Line({"Setup started"});
  ASSERT_TRUE(memory.log.MoveTo("C:\\Temp\\ZEL1\\Setup.log"));
  const InstallOutcome outcome = RunInstall(setup, Choices(), kWindows, "Prod", ops, hooks, &memory.log);
  ASSERT_TRUE(outcome.completed) << outcome.error;
  EXPECT_EQ(memory.log.Path(), "C:\\Apps\\Prod\\Setup.log");
  const std::string& text = memory.files["C:\\Apps\\Prod\\Setup.log"];
  // Carried over from the temporary folder, then the actions in order.
  const std::vector<std::string> lines{
      "Setup started",
      "Installing into C:\\Apps\\Prod (full install)",
      "Failed: Unable to create directory C:\\Apps\\Prod\\docs",
      "Folder C:\\Apps\\Prod: in place",
      "Uninstall record C:\\Apps\\Prod\\uninstall.cfg: started",
      "File C:\\Apps\\Prod\\install.exe: copied",
      "File C:\\Apps\\Prod\\install.cfg: copied",
      "File C:\\Apps\\Prod\\docs\\readme.txt: copied",
      "File C:\\Apps\\Prod\\prog.exe: kept (it exists and was not overwritten)",
      "Failed: Cannot write file C:\\WINDOWS\\Temp\\q\\gone.dat: the disk is full",
      "File C:\\Apps\\Prod\\uninstaller.exe: copied",
      "Uninstall registration HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\currentversion\\uninstall\\Prod: written",
      "Launch C:\\Apps\\Prod\\prog.exe: not started, the installation is incomplete",
  };
  size_t at = 0;
  for (const std::string& line : lines) {
    const size_t found = text.find("T  " + line + "\r\n", at);
    EXPECT_NE(found, std::string::npos) << line << "\n" << text;
    if (found != std::string::npos) at = found;
  }
  // The log is the install's own file: a removal takes it away.
  const auto& created = ops.Section("C:\\Apps\\Prod\\uninstall.cfg", kCreatedSection);
  EXPECT_NE(std::find(created.begin(), created.end(), "C:\\Apps\\Prod\\Setup.log"), created.end());
}

TEST(InstallEngine, LogTellsWhyARunStoppedAndWhatWasLaunched) {
  MemoryLog stopped;
  ASSERT_TRUE(stopped.log.UseFixedFile("C:\\admin.log"));
  SetupData noDest = BasicSetup();
  noDest.DirectoryEntries.Clear();
  noDest.DirectoryEntries.Add("<SUB1>~docs");
  FakeInstallOps ops;
  InstallHooks none;
  RunInstall(noDest, Choices(), kWindows, "Prod", ops, none, &stopped.log);
  EXPECT_TRUE(HasLine(stopped.files["C:\\admin.log"], std::string("The installation stopped: ") + kNoInstallDirMessage));

  MemoryLog done;
  ASSERT_TRUE(done.log.UseFixedFile("C:\\admin.log"));
  FakeInstallOps ok;
  ASSERT_TRUE(RunInstall(BasicSetup(), Choices(), kWindows, "Prod", ok, none, &done.log).completed);
  const std::string& text = done.files["C:\\admin.log"];
  EXPECT_EQ(done.files.count("C:\\Apps\\Prod\\Setup.log"), 0u);  // the chosen file keeps the log
  EXPECT_TRUE(HasLine(text, "Launch C:\\Apps\\Prod\\prog.exe: started")) << text;
  EXPECT_TRUE(HasLine(text, "Uninstall registration: none (no title or no uninstaller.exe)")) << text;
}

// The record says which files the run created, which were there and were
// replaced, which the user kept, and which folders it made.
TEST(InstallEngine, RecordSaysWhichFilesAndFoldersTheRunCreated) {
  SetupData setup;
  setup.TempDir = kTemp;
  setup.DirectoryEntries.Add("<INSTALLDIR>~");
  setup.DirectoryEntries.Add("<SUB1>~docs");
  setup.DirectoryEntries.Add("<WINDOWS_SYSTEM>~");
  setup.FileEntries.Add("prog.exe~<INSTALLDIR>~");
  setup.FileEntries.Add("shared.dll~<WINDOWS_SYSTEM>~X");   // there before, user says Yes
  setup.FileEntries.Add("kept.dll~<WINDOWS_SYSTEM>~X");     // there before, user says No
  setup.FileEntries.Add("plain.dll~<WINDOWS_SYSTEM>~");     // there before, replaced without asking
  setup.FileEntries.Add("prog.exe~<SUB1>~");
  setup.FileEntries.Add("prog.exe~<SUB1>~");        // twice: still the run's own file
  FakeInstallOps ops;
  ops.folders = {"C:\\APPS", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM"};
  for (const char* f : {"C:\\WINDOWS\\System\\shared.dll", "C:\\WINDOWS\\System\\kept.dll",
                        "C:\\WINDOWS\\System\\plain.dll"})
    ops.files.insert(UpperCase(f));
  ops.answers = {true, false};
  InstallChoices choices;
  choices.destination = "C:\\Apps\\Prod\\Main";
  InstallHooks hooks;
  const InstallOutcome outcome = RunInstall(setup, choices, kWindows, "Prod", ops, hooks);
  ASSERT_TRUE(outcome.completed) << outcome.error;
  const std::string cfg = "C:\\Apps\\Prod\\Main\\uninstall.cfg";
  using Names = std::vector<std::string>;
  EXPECT_EQ(ops.Section(cfg, kCreatedSection),
            (Names{"C:\\Apps\\Prod\\Main\\install.exe", "C:\\Apps\\Prod\\Main\\install.cfg",
                   "C:\\Apps\\Prod\\Main\\prog.exe", "C:\\Apps\\Prod\\Main\\docs\\prog.exe"}));
  EXPECT_EQ(ops.Section(cfg, kExistedSection),
            (Names{"C:\\WINDOWS\\System\\shared.dll", "C:\\WINDOWS\\System\\plain.dll"}));
  EXPECT_EQ(ops.Section(cfg, kKeptSection), (Names{"C:\\WINDOWS\\System\\kept.dll"}));
  // Outermost first; C:\Apps was there. (The fake makes only the folder it
  // is given, so C:\Apps\Prod, a parent it did not make, is not listed.)
  EXPECT_EQ(ops.Section(cfg, kCreatedFoldersSection),
            (Names{"C:\\Apps\\Prod\\Main", "C:\\Apps\\Prod\\Main\\docs"}));
  // Today's file list is unchanged: every handled file, the kept one too.
  EXPECT_EQ(ops.Section(cfg, kUninsSection),
            (Names{"C:\\Apps\\Prod\\Main\\*.*", "C:\\Apps\\Prod\\Main\\Setup\\*.*",
                   "C:\\Apps\\Prod\\Main\\prog.exe", "C:\\Apps\\Prod\\Main\\docs\\prog.exe",
                   "C:\\WINDOWS\\System\\shared.dll", "C:\\WINDOWS\\System\\kept.dll",
                   "C:\\WINDOWS\\System\\plain.dll"}));
}

}  // namespace
}  // namespace zel
