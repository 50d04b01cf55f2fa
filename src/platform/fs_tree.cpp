#include "platform/fs.h"
#include "platform/paths.h"

namespace zel::fs {

void RemoveTree(const std::string& path) {
  const std::string dir = ExcludeTrailingBackslash(path);
  // Whatever a caller passes, never a whole drive.
  if (dir.size() < 2 || (dir.size() == 2 && dir[1] == ':')) return;
  for (const FindEntry& entry : FindFiles(dir + "\\*")) {
    if (entry.name == "." || entry.name == "..") continue;
    const std::string child = dir + "\\" + entry.name;
    if (entry.attributes & kAttrReparsePoint) {
      // The link goes; what it points to is not ours.
      if (!RemoveDir(child)) DeleteFile(child);
    } else if (entry.attributes & kAttrDirectory) {
      RemoveTree(child);
    } else {
      SetAttributes(child, kAttrNormal);
      DeleteFile(child);
    }
  }
  RemoveDir(dir);
}

}  // namespace zel::fs
