#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/system.h"

namespace zel::fs {

void ForceDirectories(const std::string& path) {
  if (path.empty()) throw Exception("Unable to create directory");
  const std::string dir = ExcludeTrailingBackslash(path);
  if (dir.size() < 3 || DirectoryExists(dir)) return;
  const std::string parent = ExtractFilePath(dir);
  if (!parent.empty() && parent != dir) ForceDirectories(parent);
  if (CreateDir(dir)) return;
  const uint32_t error = sys::LastErrorCode();
  if (!DirectoryExists(dir)) throw EInOutError("Unable to create directory " + dir + ": " + ErrorReason(error));
}

bool RenameFileByMoves(const std::string& from, const std::string& to) {
  const uint32_t attributes = GetAttributes(to);
  if (attributes == kInvalidAttributes) return RenameNoReplace(from, to);
  // Only a file that may be written is replaced, as MoveFileExA does.
  if (attributes & (kAttrDirectory | kAttrReadOnly)) return false;
  const std::string aside = from + "~";
  if (!RenameNoReplace(to, aside)) return false;
  if (RenameNoReplace(from, to)) {
    DeleteFile(aside);
    return true;
  }
  RenameNoReplace(aside, to);
  return false;
}

}  // namespace zel::fs
