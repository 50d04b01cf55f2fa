// Whole engine runs against the disk: real copies and a real uninstall.cfg,
// with the faults an install meets (a disk that fills up, a file that cannot
// be replaced, a folder in the way) and install.cfg names that try to leave
// their folders. A sentinel lies beside the destination and beside the
// temporary folder; it must keep its bytes whatever the package says.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/profile.h"
#include "platform/stream.h"
#include "shell/file_utils.h"
#include "support/disk_install_ops.h"
#include "support/immutable.h"
#include "support/scratch_dir.h"
#include "wizard/install_engine.h"

namespace zel {
namespace {

constexpr const char* kWindows = "C:\\WINDOWS";
constexpr const char* kSentinel = "sentinel: not to be touched";

// A package expanded into root\tmp\q, installed into root\dest\Prod.
class InstallDiskTest : public ::testing::Test {
 protected:
  InstallDiskTest() : root_("install_disk") {
    fs::ForceDirectories(Temp());
    fs::ForceDirectories(root_ / "dest");
    test::WriteFile(root_ / "tmp\\sentinel.txt", kSentinel);
    test::WriteFile(root_ / "dest\\sentinel.txt", kSentinel);
    Source("install.exe", "setup program");
    Source("install.cfg", "setup script");
    setup_.TempDir = Temp();
    setup_.DirectoryEntries.Add("<INSTALLDIR>~");
    setup_.LaunchProgram = "<INSTALLDIR>ok.txt";
    choices_.destination = Dest();
    choices_.launchChecked = true;
  }
  ~InstallDiskTest() override { SetFileWriteLimitForTests(-1); }

  std::string Temp() const { return root_ / "tmp\\q"; }
  std::string Dest() const { return root_ / "dest\\Prod"; }
  void Source(const std::string& name, const std::string& bytes) { test::WriteFile(Temp() + "\\" + name, bytes); }
  InstallOutcome Run() {
    InstallHooks hooks;
    return RunInstall(setup_, choices_, kWindows, "Prod", ops_, hooks);
  }
  bool SentinelsKept() const {
    return test::ReadFile(root_ / "tmp\\sentinel.txt") == kSentinel &&
           test::ReadFile(root_ / "dest\\sentinel.txt") == kSentinel;
  }
  std::vector<std::string> Recorded() const {
    return profile::ReadKeyNames(Dest() + "\\uninstall.cfg", kUninsSection);
  }
  bool IsRecorded(const std::string& name) const {
    const std::vector<std::string> names = Recorded();
    return std::find(names.begin(), names.end(), Dest() + "\\" + name) != names.end();
  }
  // Names in folder other than the given ones.
  static std::vector<std::string> Others(const std::string& folder, std::vector<std::string> known) {
    std::vector<std::string> others;
    for (const fs::FindEntry& entry : fs::FindFiles(folder + "\\*"))
      if (entry.name != "." && entry.name != ".." && std::find(known.begin(), known.end(), entry.name) == known.end())
        others.push_back(entry.name);
    return others;
  }

  test::ScratchDir root_;
  SetupData setup_;
  InstallChoices choices_;
  test::DiskInstallOps ops_;
};

TEST_F(InstallDiskTest, FaultsAreListedOldFilesKeptAndOnlyWhatArrivedIsRecorded) {
  fs::ForceDirectories(Dest() + "\\inway.txt");
  test::WriteFile(Dest() + "\\inway.txt\\inside.txt", "inside");
  test::WriteFile(Dest() + "\\readonly.dat", "old read-only");
  test::WriteFile(Dest() + "\\big.bin", "old big");
  const std::string big(20000, 'b');
  for (const char* name : {"ok.txt", "readonly.dat", "inway.txt", "after.txt"}) Source(name, std::string("new ") + name);
  Source("big.bin", big);
  for (const char* entry : {"ok.txt~<INSTALLDIR>~", "readonly.dat~<INSTALLDIR>~", "inway.txt~<INSTALLDIR>~",
                            "after.txt~<INSTALLDIR>~", "big.bin~<INSTALLDIR>~X"})
    setup_.FileEntries.Add(entry);
  // The disk fills up while the user answers the question about big.bin, the
  // last file: 4 KB are left.
  ops_.onQuestion = [] { SetFileWriteLimitForTests(4096); };
  test::Immutable fixed(Dest() + "\\readonly.dat");
  if (!fixed.Set()) std::printf("skipped: the file that cannot be replaced (no chattr +i here)\n");

  const InstallOutcome outcome = Run();
  SetFileWriteLimitForTests(-1);

  ASSERT_TRUE(outcome.completed) << outcome.error;
  std::vector<std::string> expected;
  if (fixed.Set())
    expected.push_back("Cannot replace " + Dest() +
                       "\\readonly.dat: access is denied (the file or folder is read-only or protected)");
  expected.push_back("Cannot create file " + Dest() + "\\inway.txt: a folder of that name is in the way");
  expected.push_back("Cannot write file " + Dest() + "\\big.bin: the disk is full");
  EXPECT_EQ(outcome.failures, expected);
  EXPECT_EQ(InstallExitCode(outcome), kExitIncomplete);
  EXPECT_NE(InstallReport(outcome).find(expected.back()), std::string::npos);
  EXPECT_TRUE(ops_.launched.empty()) << "an incomplete product is not started";

  if (fixed.Set()) {
    EXPECT_EQ(test::ReadFile(Dest() + "\\readonly.dat"), "old read-only");
  }
  EXPECT_EQ(test::ReadFile(Dest() + "\\big.bin"), "old big");
  EXPECT_EQ(test::ReadFile(Dest() + "\\inway.txt\\inside.txt"), "inside");
  EXPECT_EQ(test::ReadFile(Dest() + "\\ok.txt"), "new ok.txt");
  EXPECT_EQ(test::ReadFile(Dest() + "\\after.txt"), "new after.txt") << "the files after a failure arrive";
  EXPECT_EQ(test::ReadFile(Dest() + "\\install.exe"), "setup program");
  EXPECT_EQ(Others(Dest(), {"ok.txt", "after.txt", "readonly.dat", "big.bin", "inway.txt", "install.exe",
                            "install.cfg", "uninstall.cfg"}),
            std::vector<std::string>{})
      << "no scratch file is left";

  EXPECT_TRUE(IsRecorded("ok.txt"));
  EXPECT_TRUE(IsRecorded("after.txt"));
  for (const char* name : {"readonly.dat", "inway.txt", "big.bin"}) EXPECT_FALSE(IsRecorded(name)) << name;

  // A source goes only with its file in place: the failed ones stay for the
  // end of the run to clear.
  EXPECT_FALSE(fs::FileExists(Temp() + "\\ok.txt"));
  EXPECT_TRUE(fs::FileExists(Temp() + "\\big.bin"));
  EXPECT_TRUE(fs::FileExists(Temp() + "\\inway.txt"));
  EXPECT_TRUE(SentinelsKept());
}

TEST_F(InstallDiskTest, CompleteRunIsInstalledAndLaunched) {
  Source("ok.txt", "new ok.txt");
  setup_.FileEntries.Add("ok.txt~<INSTALLDIR>~");
  const InstallOutcome outcome = Run();
  EXPECT_TRUE(outcome.completed);
  EXPECT_TRUE(outcome.failures.empty());
  EXPECT_EQ(InstallExitCode(outcome), kExitInstalled);
  EXPECT_EQ(test::ReadFile(Dest() + "\\ok.txt"), "new ok.txt");
  EXPECT_TRUE(IsRecorded("ok.txt"));
  EXPECT_EQ(ops_.launched, std::vector<std::string>{"ok.txt"});
  EXPECT_TRUE(SentinelsKept());
}

// A hostile install.cfg: every name that would reach outside the folders of
// the install stops the run before anything is made, copied or deleted.
TEST_F(InstallDiskTest, HostileNamesStopTheRunAndTouchNothing) {
  Source("ok.txt", "new ok.txt");
  const std::string destSentinel = root_ / "dest\\sentinel.txt";
  const std::vector<std::string> files{
      "..\\sentinel.txt~<INSTALLDIR>~",   // the file beside the temporary folder
      "../sentinel.txt~<INSTALLDIR>~",    // the same with a slash
      "q\\..\\..\\sentinel.txt~<INSTALLDIR>~",
      "ok.txt/../../sentinel.txt~<INSTALLDIR>~",
      destSentinel + "~<INSTALLDIR>~",    // a full path
      "C:sentinel.txt~<INSTALLDIR>~",     // a drive
      "\\sentinel.txt~<INSTALLDIR>~",     // the root
      "\\\\server\\share\\sentinel.txt~<INSTALLDIR>~",
      "NUL~<INSTALLDIR>~", "con.txt~<INSTALLDIR>~", "COM1.ini~<INSTALLDIR>~", "lpt9~<INSTALLDIR>~",
      "sub/aux~<INSTALLDIR>~",
  };
  const std::vector<std::string> folders{"<SUB1><INSTALLDIR>~..", "<SUB1><INSTALLDIR>~..\\..\\dest",
                                         "<SUB1><INSTALLDIR>~sub/../..", "<SUB1>~" + root_ / "dest"};
  std::vector<std::pair<std::string, bool>> cases;  // entry, is a folder
  for (const std::string& f : files) cases.emplace_back(f, false);
  for (const std::string& d : folders) cases.emplace_back(d, true);
  for (const auto& [entry, isFolder] : cases) {
    SetupData hostile = setup_;
    hostile.FileEntries.Add("ok.txt~<INSTALLDIR>~");
    if (isFolder) {
      hostile.DirectoryEntries.Add(entry);
      hostile.FileEntries.Add("ok.txt~<SUB1>~");
    } else {
      hostile.FileEntries.Add(entry);
    }
    InstallHooks hooks;
    const InstallOutcome outcome = RunInstall(hostile, choices_, kWindows, "Prod", ops_, hooks);
    EXPECT_FALSE(outcome.completed) << entry;
    EXPECT_EQ(outcome.error.rfind(isFolder ? "install.cfg names an unsafe folder: \"" : "install.cfg names an unsafe file: \"", 0), 0u)
        << entry << ": " << outcome.error;
    EXPECT_EQ(InstallExitCode(outcome), kExitFailed) << entry;
    EXPECT_FALSE(fs::FileExists(Dest()) || fs::DirectoryExists(Dest())) << entry << ": nothing is made";
    EXPECT_EQ(Others(root_ / "dest", {"sentinel.txt"}), std::vector<std::string>{}) << entry;
    EXPECT_TRUE(fs::FileExists(Temp() + "\\ok.txt")) << entry << ": no source is deleted";
    EXPECT_TRUE(SentinelsKept()) << entry;
  }
  EXPECT_TRUE(ops_.launched.empty());
}

}  // namespace
}  // namespace zel
