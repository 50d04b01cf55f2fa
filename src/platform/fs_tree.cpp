#include "platform/fs.h"

namespace zel::fs {

void RemoveTree(const std::string& path) {
  for (const FindEntry& entry : FindFiles(path + "\\*")) {
    if (entry.name == "." || entry.name == "..") continue;
    const std::string child = path + "\\" + entry.name;
    if (entry.attributes & kAttrReparsePoint) {
      // The link goes; what it names stays as it is.
      if (!RemoveDir(child)) DeleteFile(child);
    } else if (entry.attributes & kAttrDirectory) {
      RemoveTree(child);
    } else {
      SetAttributes(child, kAttrNormal);
      DeleteFile(child);
    }
  }
  RemoveDir(path);
}

}  // namespace zel::fs
