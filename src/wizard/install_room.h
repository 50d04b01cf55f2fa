// Room on the destination drives, checked when Install is pressed and before
// anything is created: the files of the plan are summed per drive and compared
// with what each drive has free, so that a full disk is found while the user
// can still choose another folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fs.h"
#include "shell/setup_data.h"
#include "wizard/install_plan.h"

namespace zel {

struct RoomShortfall {
  std::string drive;  // "C:\", "\\server\share\"
  int64_t needed = 0;
  int64_t free = 0;
};

// What the check asks the platform.
class RoomProbe {
 public:
  virtual ~RoomProbe() = default;
  virtual int64_t FileSize(const std::string& path) = 0;  // -1 when missing
  virtual fs::DiskSpace DriveSpace(const std::string& root) = 0;
};
// The probe of the real file system.
RoomProbe& DiskRoomProbe();

// The root of the drive a path lies on: "C:\" for "c:\Apps" (the letter in
// upper case), "\\server\share\" for a network path, "" for a path with
// neither.
std::string DriveRoot(const std::string& path);

// Every drive that lacks room: the setup's own two files (install.exe and
// install.cfg, into the destination) and every planned file, each at the size
// of its source in tempDir rounded up to whole clusters (at most 64 KB, the
// largest cluster of the era), summed per drive. A file planned twice counts
// twice; the files being replaced are not counted as free, since the old
// version stays until the new one is complete. Drives whose free space cannot
// be read, and folders without a drive, are not checked: a copy that then
// fails is reported with the install's other failures.
std::vector<RoomShortfall> FindShortfalls(const InstallPlan& plan, const std::string& tempDir,
                                          RoomProbe& probe);

// One paragraph per drive naming it, the space needed and the space free (in
// KB, needed rounded up and free rounded down), then how to go on.
std::string RoomMessage(const std::vector<RoomShortfall>& shortfalls);

// The Install button's check: plans the install for the choices and returns
// the message, or "" when every drive has room. A plan that cannot be made
// (an unsafe name, no destination) gives "" too: the install reports it.
std::string CheckInstallRoom(const SetupData& setup, const InstallChoices& choices,
                             const std::string& windowsDir, RoomProbe& probe);

}  // namespace zel
