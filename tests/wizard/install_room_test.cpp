#include "wizard/install_room.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/paths.h"

namespace zel {
namespace {

constexpr const char* kWindows = "C:\\WINDOWS";
constexpr const char* kTemp = "C:\\TEMP\\zel";

class FakeProbe : public RoomProbe {
 public:
  std::map<std::string, int64_t> sizes;       // by upper-case path
  std::map<std::string, fs::DiskSpace> drives;  // by root
  std::vector<std::string> asked;
  int64_t FileSize(const std::string& path) override {
    auto it = sizes.find(UpperCase(path));
    return it == sizes.end() ? -1 : it->second;
  }
  fs::DiskSpace DriveSpace(const std::string& root) override {
    asked.push_back(root);
    auto it = drives.find(root);
    return it == drives.end() ? fs::DiskSpace{} : it->second;
  }
  void Size(const std::string& name, int64_t size) { sizes[UpperCase(std::string(kTemp) + "\\" + name)] = size; }
};

SetupData RoomSetup() {
  SetupData setup;
  setup.TempDir = kTemp;
  setup.DirectoryEntries.Add("<INSTALLDIR>~");
  setup.DirectoryEntries.Add("<SUBSYS><WINDOWS>~zel");
  setup.DirectoryEntries.Add("<SUBNET><ANY>~\\\\server\\share\\zel");
  setup.DirectoryEntries.Add("<SUBLOW><ANY>~d:\\Shared");
  setup.FileEntries.Add("a.bin~<INSTALLDIR>~");
  setup.FileEntries.Add("b.dll~<SUBSYS><WINDOWS>~");
  setup.FileEntries.Add("missing.txt~<INSTALLDIR>~");
  setup.FileEntries.Add("n.dat~<SUBNET><ANY>~");
  setup.FileEntries.Add("s.dat~<SUBLOW><ANY>~");
  return setup;
}

InstallChoices Dest() {
  InstallChoices choices;
  choices.destination = "D:\\Prod";
  return choices;
}

TEST(DriveRoot, DrivesAndNetworkShares) {
  const std::pair<const char*, const char*> cases[] = {
      {"c:\\Apps\\Prod", "C:\\"}, {"D:", "D:\\"}, {"\\\\srv\\share\\x\\y", "\\\\srv\\share\\"},
      {"\\\\srv\\share", "\\\\srv\\share\\"}, {"\\\\srv", ""}, {"\\\\\\x", ""}, {"\\\\srv\\\\x", ""},
      {"relative\\x", ""}, {"", ""}, {"1:\\x", ""},
  };
  for (const auto& [path, root] : cases) EXPECT_EQ(DriveRoot(path), root) << path;
}

TEST(FindShortfalls, FilesAreSummedPerDriveInWholeClusters) {
  FakeProbe probe;
  probe.Size("install.exe", 200000);
  probe.Size("install.cfg", 500);
  probe.Size("a.bin", 1000000);
  probe.Size("b.dll", 10);
  probe.Size("n.dat", 5000);
  probe.Size("s.dat", 1);
  // D: 4 KB clusters; C: a cluster over 64 KB counts as 64 KB; the share's
  // free space cannot be read.
  probe.drives["D:\\"] = {1000000, 4096};
  probe.drives["C:\\"] = {65535, 1 << 20};
  const SetupData setup = RoomSetup();
  const InstallPlan plan = PlanInstall(setup, Dest(), kWindows);
  const std::vector<RoomShortfall> shortfalls = FindShortfalls(plan, kTemp, probe);
  ASSERT_EQ(shortfalls.size(), 2u);
  EXPECT_EQ(shortfalls[0].drive, "D:\\");
  // 200,704 + 4,096 + 1,003,520 (+ 0 for the missing file) + 4,096 for s.dat on "d:".
  EXPECT_EQ(shortfalls[0].needed, 200704 + 4096 + 1003520 + 4096);
  EXPECT_EQ(shortfalls[0].free, 1000000);
  EXPECT_EQ(shortfalls[1].drive, "C:\\");
  EXPECT_EQ(shortfalls[1].needed, 65536);
  EXPECT_EQ(shortfalls[1].free, 65535);
  EXPECT_EQ(probe.asked, (std::vector<std::string>{"D:\\", "C:\\", "\\\\server\\share\\"}))
      << "one question per drive, drive letters in any case";
}

TEST(FindShortfalls, ExactFitUnknownSpaceAndUnknownClusterPass) {
  FakeProbe probe;
  probe.Size("install.exe", 8192);
  probe.Size("a.bin", 8192);
  probe.drives["D:\\"] = {16384, 0};  // no cluster size: bytes as they are
  const InstallPlan plan = PlanInstall(RoomSetup(), Dest(), kWindows);
  EXPECT_TRUE(FindShortfalls(plan, kTemp, probe).empty());
  probe.drives["D:\\"] = {16383, 0};
  EXPECT_EQ(FindShortfalls(plan, kTemp, probe).size(), 1u);
  probe.drives["D:\\"] = {-1, 4096};
  EXPECT_TRUE(FindShortfalls(plan, kTemp, probe).empty()) << "unknown free space is not checked";
}

TEST(RoomMessage, NamesDriveNeededAndFree) {
  EXPECT_EQ(RoomMessage({{"R:\\", 1208320, 1000000}, {"\\\\srv\\share\\", 1, 1234567890}}),
            "There is not enough free space on drive R:\\ for this installation.\n"
            "Space needed: 1180 KB\nSpace free: 976 KB\n\n"
            "There is not enough free space on drive \\\\srv\\share\\ for this installation.\n"
            "Space needed: 1 KB\nSpace free: 1205632 KB\n\n"
            "Free some space on the drive, or click Back and choose another folder.");
}

TEST(CheckInstallRoom, MessageOnlyWhenShortAndNeverForAPlanThatFails) {
  FakeProbe probe;
  probe.Size("a.bin", 5000);
  probe.drives["D:\\"] = {4096, 512};
  const SetupData setup = RoomSetup();
  const std::string message = CheckInstallRoom(setup, Dest(), kWindows, probe);
  EXPECT_EQ(message.rfind("There is not enough free space on drive D:\\ ", 0), 0u) << message;
  probe.drives["D:\\"] = {5120, 512};
  EXPECT_EQ(CheckInstallRoom(setup, Dest(), kWindows, probe), "");

  probe.drives["D:\\"] = {0, 512};
  SetupData unsafe = setup;
  unsafe.FileEntries.Add("../x~<INSTALLDIR>~");
  EXPECT_EQ(CheckInstallRoom(unsafe, Dest(), kWindows, probe), "") << "the install reports the name";
  SetupData noDestination = setup;
  noDestination.DirectoryEntries.Delete(0);
  noDestination.FileEntries.Clear();
  EXPECT_EQ(CheckInstallRoom(noDestination, Dest(), kWindows, probe), "");
}

}  // namespace
}  // namespace zel
