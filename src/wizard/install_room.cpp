#include "wizard/install_room.h"

#include <exception>

#include "platform/paths.h"

namespace zel {
namespace {

constexpr int64_t kLargestCluster = 64 * 1024;

class FileSystemProbe : public RoomProbe {
 public:
  int64_t FileSize(const std::string& path) override { return fs::FileSize(path); }
  fs::DiskSpace DriveSpace(const std::string& root) override { return fs::DriveSpace(root); }
};

struct DriveNeed {
  std::string root;
  fs::DiskSpace space;
  int64_t bytes = 0;
};

std::string Kilobytes(int64_t bytes, bool roundUp) {
  return std::to_string(roundUp ? (bytes + 1023) / 1024 : bytes / 1024) + " KB";
}

}  // namespace

RoomProbe& DiskRoomProbe() {
  static FileSystemProbe probe;
  return probe;
}

std::string DriveRoot(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') {
    const char letter = static_cast<char>(path[0] & ~0x20);  // upper case
    return letter >= 'A' && letter <= 'Z' ? std::string(1, letter) + ":\\" : std::string();
  }
  if (path.rfind("\\\\", 0) != 0) return std::string();
  const size_t server = path.find('\\', 2);
  if (server == std::string::npos || server == 2) return std::string();
  const size_t share = path.find('\\', server + 1);
  if (share == server + 1) return std::string();
  return path.substr(0, share) + "\\";
}

std::vector<RoomShortfall> FindShortfalls(const InstallPlan& plan, const std::string& tempDir,
                                          RoomProbe& probe) {
  std::vector<DriveNeed> needs;
  auto count = [&](const std::string& folder, const std::string& name) {
    const std::string root = DriveRoot(folder);
    if (root.empty()) return;
    DriveNeed* need = nullptr;
    for (DriveNeed& n : needs)
      if (SameText(n.root, root)) need = &n;
    if (!need) need = &needs.emplace_back(DriveNeed{root, probe.DriveSpace(root), 0});
    const int64_t size = probe.FileSize(tempDir + "\\" + name);
    const int64_t cluster = need->space.clusterBytes < kLargestCluster ? need->space.clusterBytes : kLargestCluster;
    if (size > 0) need->bytes += cluster > 0 ? (size + cluster - 1) / cluster * cluster : size;
  };
  count(plan.installPath, "install.exe");
  count(plan.installPath, "install.cfg");
  for (const PlannedFile& file : plan.files) count(file.folder, file.name);
  std::vector<RoomShortfall> shortfalls;
  for (const DriveNeed& need : needs)
    if (need.space.freeBytes >= 0 && need.bytes > need.space.freeBytes)
      shortfalls.push_back({need.root, need.bytes, need.space.freeBytes});
  return shortfalls;
}

std::string RoomMessage(const std::vector<RoomShortfall>& shortfalls) {
  std::string text;
  for (const RoomShortfall& s : shortfalls) {
    text += "There is not enough free space on drive ";
    text += s.drive;
    text += " for this installation.\nSpace needed: ";
    text += Kilobytes(s.needed, true);
    text += "\nSpace free: ";
    text += Kilobytes(s.free, false);
    text += "\n\n";
  }
  return text + "Free some space on the drive, or click Back and choose another folder.";
}

std::string CheckInstallRoom(const SetupData& setup, const InstallChoices& choices,
                             const std::string& windowsDir, RoomProbe& probe) {
  InstallPlan plan;
  try {
    plan = PlanInstall(setup, choices, windowsDir);
  } catch (const std::exception&) {
    return std::string();
  }
  if (!plan.hasInstallDir) return std::string();
  const std::vector<RoomShortfall> shortfalls = FindShortfalls(plan, setup.TempDir, probe);
  return shortfalls.empty() ? std::string() : RoomMessage(shortfalls);
}

}  // namespace zel
