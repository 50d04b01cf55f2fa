// The drive type, on its own: only the tools that choose how to read a set
// link it.
#include <windows.h>

#include "platform/fs.h"
#include "platform/paths.h"

namespace zel::fs {

bool OnRemovableMedia(const std::string& folder) {
  // The root of the drive or share; a relative folder: the current drive.
  const std::string drive = ExtractFileDrive(folder);
  const UINT type = GetDriveTypeA(drive.empty() ? nullptr : (drive + "\\").c_str());
  return type == DRIVE_REMOVABLE || type == DRIVE_CDROM;
}

}  // namespace zel::fs
