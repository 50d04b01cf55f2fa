#include "uninstall/uninstall_plan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fake_system.h"
#include "uninstall/uninstall_run.h"

namespace zel {
namespace {

using testing::FakeSystem;
using Lines = std::vector<std::string>;

constexpr const char* kInstall = "C:\\Apps\\Prod";
const Lines kLinkRoots = {"C:\\WINDOWS\\Desktop", "C:\\WINDOWS\\Start Menu",
                          "C:\\WINDOWS\\Start Menu\\Programs"};

// The record an install of Prod writes into C:\Apps\Prod: two product files,
// a system DLL that was there (replaced), one the user kept, a link in a
// program folder it made, and the folders it made.
Lines ProdRecord() {
  return {"[UNINS]", "C:\\Apps\\Prod\\*.*=", "C:\\Apps\\Prod\\Setup\\*.*=", "C:\\Apps\\Prod\\prod.exe=",
          "C:\\Apps\\Prod\\data\\prod.dat=", "C:\\WINDOWS\\SYSTEM\\shared.dll=",
          "C:\\WINDOWS\\SYSTEM\\kept.dll=", "C:\\WINDOWS\\SYSTEM\\new.dll=",
          "C:\\WINDOWS\\Start Menu\\Programs\\Games\\Prod.*=",
          "[Folders]", "C:\\WINDOWS\\Start Menu\\Programs\\Games=",
          "[Program]", "Title=Prod",
          "[Created]", "C:\\Apps\\Prod\\install.exe=", "C:\\Apps\\Prod\\install.cfg=",
          "C:\\Apps\\Prod\\prod.exe=", "C:\\Apps\\Prod\\uninstaller.exe=",
          "C:\\Apps\\Prod\\data\\prod.dat=", "C:\\WINDOWS\\SYSTEM\\new.dll=",
          "C:\\WINDOWS\\Start Menu\\Programs\\Games\\Prod.lnk=",
          "[Existed]", "C:\\WINDOWS\\SYSTEM\\shared.dll=",
          "[Kept]", "C:\\WINDOWS\\SYSTEM\\kept.dll=",
          "[Links]", "C:\\WINDOWS\\Start Menu\\Programs\\Games\\Prod.lnk=",
          "[ProgramFolders]", "C:\\WINDOWS\\Start Menu\\Programs\\Games=",
          "[CreatedFolders]", "C:\\Apps\\Prod=", "C:\\Apps\\Prod\\data="};
}

void InstallProd(FakeSystem& disk) {
  for (const char* f : {"C:\\Apps\\Prod\\install.exe", "C:\\Apps\\Prod\\install.cfg",
                        "C:\\Apps\\Prod\\prod.exe", "C:\\Apps\\Prod\\uninstaller.exe",
                        "C:\\Apps\\Prod\\uninstall.cfg", "C:\\Apps\\Prod\\data\\prod.dat",
                        "C:\\WINDOWS\\SYSTEM\\new.dll", "C:\\WINDOWS\\SYSTEM\\shared.dll",
                        "C:\\WINDOWS\\SYSTEM\\kept.dll", "C:\\WINDOWS\\SYSTEM\\user32.dll",
                        "C:\\WINDOWS\\Start Menu\\Programs\\Games\\Prod.lnk", "C:\\sentinel.txt",
                        "C:\\Apps\\sentinel.txt"})
    disk.AddFile(f);
}

UninstallOutcome Remove(const Lines& record, FakeSystem& disk, const std::string& self = "") {
  const UninstallPlan plan =
      PlanUninstall(ParseUninstallRecord(record), {kInstall, kLinkRoots, self}, disk);
  return RunUninstall(plan, disk);
}

bool LeftWith(const UninstallOutcome& out, const std::string& item, const std::string& reason) {
  return std::any_of(out.leftovers.begin(), out.leftovers.end(), [&](const Leftover& left) {
    return SameText(left.item, item) && left.reason == reason;
  });
}

TEST(UninstallPlan, RemovesWhatTheInstallCreatedAndKeepsWhatWasThere) {
  FakeSystem disk;
  InstallProd(disk);
  disk.registrations.insert("Software\\Microsoft\\Windows\\currentversion\\uninstall\\Prod");
  const UninstallOutcome out = Remove(ProdRecord(), disk);
  for (const char* gone : {"C:\\Apps\\Prod\\prod.exe", "C:\\Apps\\Prod\\install.exe",
                           "C:\\Apps\\Prod\\uninstaller.exe", "C:\\Apps\\Prod\\uninstall.cfg",
                           "C:\\Apps\\Prod\\data\\prod.dat", "C:\\WINDOWS\\SYSTEM\\new.dll",
                           "C:\\WINDOWS\\Start Menu\\Programs\\Games\\Prod.lnk"})
    EXPECT_FALSE(disk.Has(gone)) << gone;
  for (const char* stays : {"C:\\WINDOWS\\SYSTEM\\shared.dll", "C:\\WINDOWS\\SYSTEM\\kept.dll",
                            "C:\\WINDOWS\\SYSTEM\\user32.dll", "C:\\sentinel.txt", "C:\\Apps\\sentinel.txt"})
    EXPECT_TRUE(disk.Has(stays)) << stays;
  EXPECT_FALSE(disk.DirectoryExists("C:\\Apps\\Prod"));
  EXPECT_FALSE(disk.DirectoryExists("C:\\WINDOWS\\Start Menu\\Programs\\Games"));
  EXPECT_TRUE(disk.DirectoryExists("C:\\WINDOWS\\Start Menu\\Programs")) << "a link folder never goes";
  EXPECT_TRUE(disk.DirectoryExists("C:\\Apps"));
  EXPECT_TRUE(disk.registrations.empty());
  EXPECT_EQ(out.leftovers, (std::vector<Leftover>{{"C:\\WINDOWS\\SYSTEM\\shared.dll", kReasonExisted},
                                                  {"C:\\WINDOWS\\SYSTEM\\kept.dll", kReasonKept}}));
  EXPECT_EQ(UninstallExitCode(out), kUninstallLeftSomething);
}

// A reinstall of Prod into the same folder finds the first install's files
// and link there: the record it adds lists them as existing, or as kept where
// the user answered No. What some install of Prod created still goes.
TEST(UninstallPlan, AfterAReinstallWhatTheFirstInstallCreatedStillGoes) {
  Lines record = ProdRecord();
  auto addTo = [&record](const std::string& section, const std::string& entry) {
    record.insert(std::find(record.begin(), record.end(), section) + 1, entry);
  };
  for (const char* again : {"C:\\Apps\\Prod\\prod.exe=", "C:\\WINDOWS\\SYSTEM\\new.dll=",
                            "C:\\WINDOWS\\Start Menu\\Programs\\Games\\Prod.lnk="})
    addTo("[Existed]", again);
  addTo("[Kept]", "C:\\Apps\\Prod\\data\\prod.dat=");
  FakeSystem disk;
  InstallProd(disk);
  const UninstallOutcome out = Remove(record, disk);
  for (const char* gone : {"C:\\Apps\\Prod\\prod.exe", "C:\\Apps\\Prod\\data\\prod.dat",
                           "C:\\WINDOWS\\SYSTEM\\new.dll",
                           "C:\\WINDOWS\\Start Menu\\Programs\\Games\\Prod.lnk"})
    EXPECT_FALSE(disk.Has(gone)) << gone;
  EXPECT_FALSE(disk.DirectoryExists("C:\\Apps\\Prod"));
  // What was there before the first install stays, and only that is listed.
  EXPECT_TRUE(disk.Has("C:\\WINDOWS\\SYSTEM\\shared.dll"));
  EXPECT_TRUE(disk.Has("C:\\WINDOWS\\SYSTEM\\kept.dll"));
  EXPECT_EQ(out.leftovers, (std::vector<Leftover>{{"C:\\WINDOWS\\SYSTEM\\shared.dll", kReasonExisted},
                                                  {"C:\\WINDOWS\\SYSTEM\\kept.dll", kReasonKept}}));
}

TEST(UninstallPlan, UserFilesInTheInstallFolderStayWithTheFolder) {
  FakeSystem disk;
  InstallProd(disk);
  disk.AddFile("C:\\Apps\\Prod\\data\\my notes.txt");
  const UninstallOutcome out = Remove(ProdRecord(), disk);
  EXPECT_TRUE(disk.Has("C:\\Apps\\Prod\\data\\my notes.txt"));
  EXPECT_FALSE(disk.Has("C:\\Apps\\Prod\\data\\prod.dat"));
  EXPECT_TRUE(LeftWith(out, "C:\\Apps\\Prod\\data\\my notes.txt", kReasonUserFile));
  EXPECT_TRUE(LeftWith(out, "C:\\Apps\\Prod\\data", kReasonNotEmpty));
  EXPECT_TRUE(LeftWith(out, "C:\\Apps\\Prod", kReasonNotEmpty));
}

TEST(UninstallPlan, RemovingTwiceOrWithFilesGoneEndsCleanly) {
  FakeSystem disk;
  InstallProd(disk);
  disk.files.erase(UpperCase("C:\\Apps\\Prod\\prod.exe"));  // deleted by hand
  const UninstallOutcome first = Remove(ProdRecord(), disk);
  EXPECT_EQ(first.leftovers.size(), 2u);  // the two files that were there before
  // The second time the record itself is gone: nothing is planned at all.
  const UninstallPlan again = PlanUninstall(ParseUninstallRecord(ProdRecord()),
                                            {kInstall, kLinkRoots, ""}, disk);
  for (const UninstallAction& a : again.actions)
    EXPECT_EQ(a.kind, ActionKind::kDeleteRegistration) << a.path;
  const UninstallOutcome second = RunUninstall(again, disk);
  EXPECT_EQ(second.leftovers, first.leftovers);
}

TEST(UninstallPlan, TheRunningUninstallerIsLeftToItself) {
  FakeSystem disk;
  InstallProd(disk);
  const UninstallPlan plan = PlanUninstall(ParseUninstallRecord(ProdRecord()),
                                           {kInstall, kLinkRoots, "C:\\Apps\\Prod\\UNINSTALLER.EXE"}, disk);
  EXPECT_TRUE(plan.removeSelf);
  // Neither the running file nor its folder: the copy removes both.
  for (const UninstallAction& a : plan.actions) {
    EXPECT_FALSE(SameText(a.path, "C:\\Apps\\Prod\\uninstaller.exe"));
    EXPECT_FALSE(a.kind == ActionKind::kRemoveFolder && SameText(a.path, kInstall));
  }
  const UninstallOutcome out = RunUninstall(plan, disk);
  EXPECT_EQ(out.leftovers.size(), 2u) << "only the two files that were there before";
  EXPECT_TRUE(disk.Has("C:\\Apps\\Prod\\uninstaller.exe"));
  EXPECT_FALSE(disk.DirectoryExists("C:\\Apps\\Prod\\data"));

  // A user's file keeps the folder for the copy too, and the message says so.
  FakeSystem kept;
  InstallProd(kept);
  kept.AddFile("C:\\Apps\\Prod\\data\\my notes.txt");
  const UninstallOutcome left = Remove(ProdRecord(), kept, "C:\\Apps\\Prod\\uninstaller.exe");
  EXPECT_TRUE(LeftWith(left, "C:\\Apps\\Prod\\data", kReasonNotEmpty));
  EXPECT_TRUE(LeftWith(left, "C:\\Apps\\Prod", kReasonNotEmpty));
}

TEST(UninstallPlan, ATitleWithEmptyKeyPartsNeverNamesTheUninstallKey) {
  FakeSystem disk;
  for (const char* title : {"Prod\\", "\\", "A\\\\B"}) {
    const UninstallPlan plan = PlanUninstall(
        ParseUninstallRecord({"[Program]", std::string("Title=") + title}), {kInstall, kLinkRoots, ""}, disk);
    for (const UninstallAction& a : plan.actions)
      EXPECT_NE(a.kind, ActionKind::kDeleteRegistration) << title;
  }
}

TEST(UninstallPlan, AFileInUseIsScheduledForTheRestart) {
  FakeSystem disk;
  InstallProd(disk);
  disk.locked.insert(UpperCase("C:\\Apps\\Prod\\prod.exe"));
  disk.locked.insert(UpperCase("C:\\WINDOWS\\SYSTEM\\new.dll"));
  disk.restartWorks = true;
  UninstallOutcome out = Remove(ProdRecord(), disk);
  EXPECT_TRUE(LeftWith(out, "C:\\Apps\\Prod\\prod.exe", kReasonAtRestart));
  EXPECT_EQ(disk.atRestart, (Lines{"C:\\Apps\\Prod\\prod.exe", "C:\\WINDOWS\\SYSTEM\\new.dll"}));
  EXPECT_TRUE(LeftWith(out, "C:\\Apps\\Prod", kReasonNotEmpty));
  FakeSystem old;
  InstallProd(old);
  old.locked.insert(UpperCase("C:\\Apps\\Prod\\prod.exe"));
  old.restartWorks = false;
  out = Remove(ProdRecord(), old);
  EXPECT_TRUE(LeftWith(out, "C:\\Apps\\Prod\\prod.exe", kReasonCannotDelete));
  EXPECT_EQ(UninstallExitCode(out), kUninstallLeftSomething);
}

// Two products in different folders share the program folder "Games": the
// first made it, the second found it.
TEST(UninstallPlan, TwoProductsSharingAProgramFolder) {
  FakeSystem disk;
  InstallProd(disk);
  disk.AddFile("C:\\Other\\other.exe");
  disk.AddFile("C:\\Other\\uninstall.cfg");
  disk.AddFile("C:\\WINDOWS\\Start Menu\\Programs\\Games\\Other.lnk");
  const Lines other = {"[UNINS]", "C:\\Other\\*.*=", "C:\\Other\\other.exe=",
                       "C:\\WINDOWS\\Start Menu\\Programs\\Games\\Other.*=",
                       "[Folders]", "C:\\WINDOWS\\Start Menu\\Programs\\Games=",
                       "[Program]", "Title=Other",
                       "[Created]", "C:\\Other\\other.exe=", "C:\\WINDOWS\\Start Menu\\Programs\\Games\\Other.lnk=",
                       "[CreatedFolders]", "C:\\Other="};
  const UninstallOutcome first = Remove(ProdRecord(), disk);
  EXPECT_FALSE(disk.Has("C:\\WINDOWS\\Start Menu\\Programs\\Games\\Prod.lnk"));
  EXPECT_TRUE(disk.Has("C:\\WINDOWS\\Start Menu\\Programs\\Games\\Other.lnk"));
  EXPECT_TRUE(LeftWith(first, "C:\\WINDOWS\\Start Menu\\Programs\\Games", kReasonNotEmpty));
  const UninstallPlan plan = PlanUninstall(ParseUninstallRecord(other), {"C:\\Other", kLinkRoots, ""}, disk);
  const UninstallOutcome second = RunUninstall(plan, disk);
  EXPECT_TRUE(second.leftovers.empty()) << second.leftovers.front().item;
  EXPECT_FALSE(disk.DirectoryExists("C:\\WINDOWS\\Start Menu\\Programs\\Games"));
  EXPECT_FALSE(disk.DirectoryExists("C:\\Other"));
}

// A record without the exact sections: only exact names inside the install
// folder, and link patterns in the link folders (link files only).
TEST(UninstallPlan, BasicRecordFollowsPatternsOnlyInLinkFolders) {
  FakeSystem disk;
  InstallProd(disk);
  disk.AddFile("C:\\WINDOWS\\Start Menu\\Programs\\Games\\Prod.txt");  // the user's
  disk.AddFile("C:\\Apps\\Prod\\user.doc");
  disk.AddFile("C:\\WINDOWS\\win.ini");
  const Lines basic = {"[UNINS]", "C:\\Apps\\Prod\\*.*=", "C:\\Apps\\Prod\\prod.exe=",
                       "C:\\WINDOWS\\SYSTEM\\new.dll=", "C:\\WINDOWS\\win.ini=", "C:\\*.*=",
                       "C:\\WINDOWS\\*.*=",
                       "C:\\WINDOWS\\Start Menu\\Programs\\Games\\Prod.*=",
                       "[Folders]", "C:\\WINDOWS\\Start Menu\\Programs\\Games=",
                       "[Registry]", "Software\\Prod=", "[Program]", "Title=Prod"};
  const UninstallOutcome out = Remove(basic, disk);
  EXPECT_FALSE(disk.Has("C:\\Apps\\Prod\\prod.exe"));
  EXPECT_FALSE(disk.Has("C:\\Apps\\Prod\\install.exe"));
  EXPECT_FALSE(disk.Has("C:\\WINDOWS\\Start Menu\\Programs\\Games\\Prod.lnk"));
  for (const char* stays : {"C:\\WINDOWS\\Start Menu\\Programs\\Games\\Prod.txt", "C:\\Apps\\Prod\\user.doc",
                            "C:\\WINDOWS\\win.ini", "C:\\WINDOWS\\SYSTEM\\new.dll", "C:\\sentinel.txt"})
    EXPECT_TRUE(disk.Has(stays)) << stays;
  EXPECT_TRUE(LeftWith(out, "C:\\WINDOWS\\win.ini", kReasonOutside));
  EXPECT_TRUE(LeftWith(out, "C:\\WINDOWS\\*.*", kReasonPattern));
  EXPECT_TRUE(LeftWith(out, "C:\\*.*", kReasonUnsafe));
  EXPECT_TRUE(LeftWith(out, "C:\\Apps\\Prod\\user.doc", kReasonUserFile));
  EXPECT_TRUE(LeftWith(out, "HKEY_CURRENT_USER\\Software\\Prod", kReasonBasicRegistry));
}

// An edited or hostile record never reaches outside: the sentinels beside the
// install folder and at the root survive every line.
TEST(UninstallPlan, HostileRecordLinesTouchNothingOutside) {
  const Lines hostile = {
      "[UNINS]", "C:\\Apps\\Prod\\..\\sentinel.txt=", "C:\\Apps\\Prod\\..\\*.*=", "C:\\*.*=",
      "C:\\sentinel.txt=", "\\\\?\\C:\\sentinel.txt=", "C:\\Apps\\Prod\\CON=", "sentinel.txt=",
      "C:\\Apps\\Prod/../sentinel.txt=",
      "[Folders]", "C:\\Apps=", "C:\\WINDOWS\\Start Menu\\..\\..\\Apps=",
      "[Created]", "C:\\Apps\\Prod\\..\\sentinel.txt=", "C:\\Apps\\sentinel.txt=",
      "C:\\Apps\\Prod\\data\\..\\..\\sentinel.txt=", "C:\\Apps\\Prod\\NUL.txt=",
      "C:\\Apps\\Prod\\a:b=", "C:\\Apps\\Prod\\ ..\\sentinel.txt=", "C:\\WINDOWS\\Desktop\\..\\..\\sentinel.txt=",
      "[CreatedFolders]", "C:\\Apps=", "C:\\=",
      "[ProgramFolders]", "C:\\WINDOWS\\Start Menu\\Programs\\..\\..\\..\\Apps=",
      "[IniValues]", "1=000|C:\\Apps\\Prod\\..\\sentinel.txt|a|b", "2=000|sentinel.txt|a|b",
      "[RegValues]", "1=0|\\Software|x", "2=0||x",
      "[RegKeys]", "\\=", "Software\\\\=",
      "[Autoexec]", "File=C:\\Apps\\..\\autoexec.bat", "Lines=2", "Line1=REM - Starting Zelwright Update",
      "Line2=REM - End of Zelwright",
      "[Program]", "Title=..\\..\\Run"};
  FakeSystem disk;
  InstallProd(disk);
  disk.userKeys = {"SOFTWARE"};
  const std::set<std::string> before = disk.files;
  const UninstallPlan plan =
      PlanUninstall(ParseUninstallRecord(hostile), {kInstall, kLinkRoots, ""}, disk);
  for (const UninstallAction& a : plan.actions) {
    EXPECT_TRUE(a.kind == ActionKind::kDeleteFile || a.kind == ActionKind::kRemoveFolder ||
                a.kind == ActionKind::kDeleteRegistration)
        << a.path;
    if (a.kind == ActionKind::kDeleteRegistration) continue;
    EXPECT_TRUE(SameText(a.path, kInstall) || PathInside(a.path, kInstall)) << a.path;
  }
  RunUninstall(plan, disk);
  EXPECT_TRUE(disk.Has("C:\\sentinel.txt"));
  EXPECT_TRUE(disk.Has("C:\\Apps\\sentinel.txt"));
  EXPECT_TRUE(disk.DirectoryExists("C:\\Apps"));
  EXPECT_TRUE(disk.userKeys.count("SOFTWARE"));
  for (const std::string& f : before) {
    if (f.rfind("C:\\APPS\\PROD\\", 0) == 0) continue;
    EXPECT_TRUE(disk.files.count(f)) << f;
  }
}

TEST(CheckedRecordPath, AcceptsAbsoluteSafePathsOnly) {
  struct Case {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\Apps\\Prod", "C:\\Apps\\Prod"},
      {"C:\\Apps\\Prod\\", "C:\\Apps\\Prod"},
      {"\\\\server\\share\\Prod", "\\\\server\\share\\Prod"},
      {"C:\\", ""},
      {"C:Apps", ""},
      {"Apps\\Prod", ""},
      {"C:\\Apps\\..\\Windows", ""},
      {"C:\\Apps\\.", ""},
      {"C:\\Apps\\COM1.txt", ""},
      {"C:\\Apps/Prod", ""},
      {"C:\\Apps\\x:y", ""},
      {"C:\\Apps\\\\Prod", ""},
      {"\\\\server", ""},
      {"\\\\?\\C:\\x", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckedRecordPath(c.path), c.expected) << c.path;
}

TEST(ParseUninstallRecord, ReadsEverySectionAndSkipsDamagedValues) {
  const RecordContents r = ParseUninstallRecord(
      {"[program]\r", " Title = Prod ", "[IniValues]", "1=110|C:\\W\\win.ini|Prod|Dir", "2=1|bad",
       "3=abc|C:\\x.ini|s|k", "[RegValues]", "1=0|Software\\Zel|Path", "2=x|k|n", "[Autoexec]",
       "File=C:\\autoexec.bat", "Created=1", "Lines=2", "Line1=A", "Line2=B", "[unins]", "C:\\a=",
       "c:\\A="});
  EXPECT_EQ(r.title, "Prod");
  EXPECT_EQ(r.unins, (Lines{"C:\\a"}));
  EXPECT_EQ(r.iniValues, (std::vector<IniValueRecord>{{"C:\\W\\win.ini", "Prod", "Dir", true, true, false}}));
  EXPECT_EQ(r.regValues, (std::vector<RegValueRecord>{{"Software\\Zel", "Path", false}}));
  EXPECT_TRUE(r.autoexecCreated);
  EXPECT_EQ(r.autoexecBlock, (Lines{"A", "B"}));
  EXPECT_FALSE(r.exact);
  EXPECT_TRUE(ParseUninstallRecord({"[Autoexec]", "Lines=3", "Line1=A", "Line3=C"}).autoexecBlock.empty());
}

TEST(UninstallPlan, RegistryValuesAndKeysTheInstallMade) {
  const Lines record = {"[Program]", "Title=Prod", "[Created]", "C:\\Apps\\Prod\\install.exe=",
                        "[RegValues]", "1=0|Software\\Zel\\Prod\\Settings|Path",
                        "2=1|Software\\Existing|Val", "3=0|Software\\Zel\\Prod\\Settings|Path",
                        "[RegKeys]", "Software\\Zel=", "Software\\Zel\\Prod=", "Software\\Zel\\Prod\\Settings=",
                        "Software\\Zel\\Busy="};
  FakeSystem disk;
  disk.userKeys = {"SOFTWARE", "SOFTWARE\\ZEL", "SOFTWARE\\ZEL\\PROD", "SOFTWARE\\ZEL\\PROD\\SETTINGS",
                   "SOFTWARE\\ZEL\\BUSY", "SOFTWARE\\EXISTING"};
  disk.userValues = {"SOFTWARE\\ZEL\\PROD\\SETTINGS|PATH", "SOFTWARE\\EXISTING|VAL",
                     "SOFTWARE\\ZEL\\BUSY|SOMEONE ELSE'S"};
  const UninstallOutcome out = Remove(record, disk);
  EXPECT_EQ(disk.userKeys, (std::set<std::string>{"SOFTWARE", "SOFTWARE\\ZEL", "SOFTWARE\\ZEL\\BUSY",
                                                  "SOFTWARE\\EXISTING"}));
  EXPECT_EQ(disk.userValues, (std::set<std::string>{"SOFTWARE\\EXISTING|VAL", "SOFTWARE\\ZEL\\BUSY|SOMEONE ELSE'S"}));
  EXPECT_TRUE(LeftWith(out, "HKEY_CURRENT_USER\\Software\\Existing Val", kReasonValueExisted));
}

}  // namespace
}  // namespace zel
