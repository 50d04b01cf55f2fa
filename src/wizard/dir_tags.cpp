#include "wizard/dir_tags.h"

#include "platform/paths.h"

namespace zel {

std::string ResolveDirectoryTag(const std::string& tag, const std::string& path,
                                const std::string& windowsDir, const std::string& installDir) {
  const std::string t = UpperCase(tag);
  const std::string root = windowsDir.substr(0, 3);
  if (t == "<WINDOWS>") return windowsDir;
  if (t == "<WINDOWS_SYSTEM>") return windowsDir + "\\System";
  if (t == "<PROGRAMFILES>") return root + "Program Files";
  if (t == "<INSTALLDIR>") return installDir;
  if (Contains(t, "<SUB") && Contains(t, "><")) {
    // A sub-folder under the base tag written right after the "<SUB" name.
    if (Contains(t, "<WINDOWS>")) return windowsDir + "\\" + path;
    if (Contains(t, "<PROGRAMFILES>")) return root + "Program Files\\" + path;
    if (Contains(t, "<WINDOWS_SYSTEM>")) return windowsDir + "\\System\\" + path;
    if (Contains(t, "<INSTALLDIR>")) return installDir + "\\" + path;
    return path;
  }
  if (Contains(t, "<SUB")) return installDir + "\\" + path;
  return root + path;
}

}  // namespace zel
