#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/paths.h"

namespace zel::fs {

void ForceDirectories(const std::string& path) {
  if (path.empty()) throw Exception("Unable to create directory");
  const std::string dir = ExcludeTrailingBackslash(path);
  if (dir.size() < 3 || DirectoryExists(dir)) return;
  const std::string parent = ExtractFilePath(dir);
  if (!parent.empty() && parent != dir) ForceDirectories(parent);
  if (!CreateDir(dir) && !DirectoryExists(dir)) throw EInOutError("Unable to create directory " + dir);
}

}  // namespace zel::fs
