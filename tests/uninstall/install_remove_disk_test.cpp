// The install engine and the uninstaller together on the disk: what an
// install records, and a reinstall over it adds, is what a removal takes
// away, and nothing else. A sentinel lies beside the destination and in the
// Windows folder.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/string_list.h"
#include "support/disk_install_ops.h"
#include "support/scratch_dir.h"
#include "uninstall/uninstall_plan.h"
#include "uninstall/uninstall_run.h"

namespace zel {

void PrintTo(const Leftover& left, std::ostream* out) { *out << left.item << ": " << left.reason; }

namespace {

constexpr const char* kSentinel = "sentinel: not to be touched";

class InstallRemoveTest : public ::testing::Test {
 protected:
  InstallRemoveTest() : dir_("install_remove"), root_("C:" + dir_.Path()) {
    fs::ForceDirectories(Temp());
    fs::ForceDirectories(Windows() + "\\System");
    fs::ForceDirectories(root_ + "\\dest");
    test::WriteFile(root_ + "\\dest\\sentinel.txt", kSentinel);
    test::WriteFile(Windows() + "\\sentinel.txt", kSentinel);
    test::WriteFile(Windows() + "\\System\\shared.dll", "the user's shared.dll");
    setup_.TempDir = Temp();
    setup_.DirectoryEntries.Add("<INSTALLDIR>~");
    setup_.DirectoryEntries.Add("<SUB1>~docs");
    setup_.DirectoryEntries.Add("<WINDOWS_SYSTEM>~");
    setup_.FileEntries.Add("prog.exe~<INSTALLDIR>~X");
    setup_.FileEntries.Add("readme.txt~<SUB1>~");
    setup_.FileEntries.Add("shared.dll~<WINDOWS_SYSTEM>~X");  // there before: the user says Yes
    choices_.destination = Dest();
  }

  std::string Temp() const { return root_ + "\\tmp\\q"; }
  std::string Windows() const { return root_ + "\\WINDOWS"; }
  std::string Dest() const { return root_ + "\\dest\\Prod"; }

  // Each install expands the package afresh (the engine takes its files).
  void Install() {
    for (const char* name : {"install.exe", "install.cfg", "prog.exe", "readme.txt", "shared.dll"})
      test::WriteFile(Temp() + "\\" + name, std::string("product's ") + name);
    InstallHooks hooks;
    const InstallOutcome outcome = RunInstall(setup_, choices_, Windows(), "Prod", ops_, hooks);
    ASSERT_TRUE(outcome.completed) << outcome.error;
    ASSERT_EQ(outcome.failures, std::vector<std::string>());
  }
  UninstallOutcome Remove() {
    TStringList lines;
    lines.LoadFromFile(Dest() + "\\uninstall.cfg");
    std::vector<std::string> text;
    for (int i = 0; i < lines.Count(); ++i) text.push_back(lines[i]);
    UninstallSystem& system = PlatformUninstallSystem();
    return RunUninstall(PlanUninstall(ParseUninstallRecord(text), {Dest(), {}, ""}, system), system);
  }
  bool SentinelsKept() const {
    return test::ReadFile(root_ + "\\dest\\sentinel.txt") == kSentinel &&
           test::ReadFile(Windows() + "\\sentinel.txt") == kSentinel;
  }
  static std::vector<Leftover> Sorted(std::vector<Leftover> list) {
    std::sort(list.begin(), list.end(),
              [](const Leftover& a, const Leftover& b) { return a.item < b.item; });
    return list;
  }

  test::ScratchDir dir_;
  std::string root_;
  SetupData setup_;
  InstallChoices choices_;
  test::DiskInstallOps ops_;
};

TEST_F(InstallRemoveTest, WhatTheInstallMadeGoesAndWhatWasThereStays) {
  Install();
  const UninstallOutcome out = Remove();
  EXPECT_FALSE(fs::DirectoryExists(Dest())) << "every file of the product and its folders";
  EXPECT_EQ(test::ReadFile(Windows() + "\\System\\shared.dll"), "product's shared.dll");
  EXPECT_EQ(out.leftovers, (std::vector<Leftover>{{Windows() + "\\System\\shared.dll", kReasonExisted}}));
  EXPECT_TRUE(SentinelsKept());
}

// A repair: the same product installed again over itself finds all of its
// files there (and the user answers Yes to each question again).
TEST_F(InstallRemoveTest, AReinstallIsRemovedWholeAndTheUsersFileStays) {
  Install();
  Install();
  test::WriteFile(Dest() + "\\docs\\my notes.txt", "mine");
  const UninstallOutcome out = Remove();
  for (const char* gone : {"prog.exe", "install.exe", "install.cfg", "uninstall.cfg", "docs\\readme.txt"})
    EXPECT_FALSE(fs::FileExists(Dest() + "\\" + gone)) << gone;
  EXPECT_EQ(test::ReadFile(Dest() + "\\docs\\my notes.txt"), "mine");
  EXPECT_EQ(Sorted(out.leftovers),
            Sorted({{Windows() + "\\System\\shared.dll", kReasonExisted},
                    {Dest() + "\\docs\\my notes.txt", kReasonUserFile},
                    {Dest() + "\\docs", kReasonNotEmpty},
                    {Dest(), kReasonNotEmpty}}));
  EXPECT_EQ(UninstallExitCode(out), kUninstallLeftSomething);
  EXPECT_TRUE(SentinelsKept());
}

}  // namespace
}  // namespace zel
