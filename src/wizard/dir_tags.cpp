#include "wizard/dir_tags.h"

#include "platform/paths.h"
#include "platform/safe_name.h"

namespace zel {
namespace {

constexpr const char* kUnsafeFolder = "install.cfg names an unsafe folder";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string WithoutTrailingSeparators(const std::string& path) {
  size_t end = path.size();
  while (end > 0 && IsSeparator(path[end - 1])) --end;
  return path.substr(0, end);
}

// A path below a base folder stays below it: no "..", drive or root (the
// guard's rules). An empty path names the base folder itself.
std::string Relative(const std::string& path) {
  const std::string relative = WithoutTrailingSeparators(path);
  return relative.empty() ? relative : SafeRelativePath(relative, kUnsafeFolder);
}

std::string Below(const std::string& base, const std::string& path) { return base + "\\" + Relative(path); }

// A folder the author names in full: a drive ("D:\Data") or a network path
// ("\\server\share\Data"), with no "..", device or other unsafe part after
// it. A relative path would land in whatever folder happens to be current.
std::string AbsoluteFolder(const std::string& path) {
  size_t restAt = 0;
  if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2]) &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')))
    restAt = 3;
  else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
           path.find_first_of("\\/", 2) != std::string::npos)
    restAt = 2;  // server and share are checked as the first parts
  const std::string rest = WithoutTrailingSeparators(path.substr(restAt));
  const char* problem = "is not a full path with a drive or a network share";
  if (restAt != 0) {
    const NameProblem found = rest.empty() ? NameProblem::kNone : CheckRelativeName(rest);
    if (found == NameProblem::kNone) return path;
    problem = NameProblemText(found);
  }
  throw EUnsafeName(std::string(kUnsafeFolder) + ": \"" + path + "\" " + problem);
}

}  // namespace

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
    if (Contains(t, "<WINDOWS>")) return Below(windowsDir, path);
    if (Contains(t, "<PROGRAMFILES>")) return Below(root + "Program Files", path);
    if (Contains(t, "<WINDOWS_SYSTEM>")) return Below(windowsDir + "\\System", path);
    if (Contains(t, "<INSTALLDIR>")) return Below(installDir, path);
    return AbsoluteFolder(path);
  }
  if (Contains(t, "<SUB")) return Below(installDir, path);
  return root + Relative(path);  // the root ends in a backslash
}

}  // namespace zel
