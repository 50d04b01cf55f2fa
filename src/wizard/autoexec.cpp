#include "wizard/autoexec.h"

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/paths.h"

namespace zel {
namespace {

constexpr char kRootTag[] = "<ROOT>";
// A line that has grown this long stops being resolved: only a folder that
// reintroduces its own tag can get here.
constexpr size_t kMaxResolvedLine = 64 * 1024;

bool ReplaceFirst(std::string& text, const std::string& needle, const std::string& replacement) {
  if (needle.empty()) return false;
  const size_t at = text.find(needle);
  if (at == std::string::npos) return false;
  text.replace(at, needle.size(), replacement);
  return true;
}

// Inserts "/Y" after the first "COPY" that is followed by a blank: a "COPY"
// inside another word ("COPYRIGHT") is left alone.
void AddOverwriteSwitch(std::string& line) {
  const size_t at = line.find("COPY ");
  if (at != std::string::npos) line.insert(at + 4, "/Y");
}

}  // namespace

std::string ResolveAutoexecLine(const std::string& line, const TStringList& dirTags,
                                const TStringList& dirPaths, const std::string& rootDir,
                                const ShortPathFunction& shortPath) {
  std::string result = UpperCase(line);
  AddOverwriteSwitch(result);
  if (result.find('<') == std::string::npos) return result;

  // Each pass replaces at least one occurrence when it changes anything, and a
  // line cannot hold more occurrences than characters: this many passes finish
  // every line whose folders do not bring their tags back.
  const size_t maxPasses = result.size() + 1;
  for (size_t pass = 0; pass < maxPasses && result.size() <= kMaxResolvedLine; ++pass) {
    const std::string before = result;
    ReplaceFirst(result, kRootTag, rootDir);
    for (int i = 0; i < dirTags.Count() && i < dirPaths.Count(); ++i) {
      const std::string& tag = dirTags[i];
      if (tag.empty() || result.find(tag) == std::string::npos) continue;
      ReplaceFirst(result, tag, shortPath ? shortPath(dirPaths[i]) : dirPaths[i]);
    }
    if (result == before) break;
  }
  return result;
}

void UpdateAutoexec(TStringList& buffer, const TStringList& autoexecLines,
                    const TStringList& dirTags, const TStringList& dirPaths,
                    const std::string& rootDir, const ShortPathFunction& shortPath) {
  buffer.Add(kAutoexecStartMarker);
  for (int i = 0; i < autoexecLines.Count(); ++i)
    buffer.Add(ResolveAutoexecLine(autoexecLines[i], dirTags, dirPaths, rootDir, shortPath));
  buffer.Add(kAutoexecEndMarker);
}

AutoexecResult UpdateAutoexecFile(const std::string& rootDir, const TStringList& autoexecLines,
                                  const TStringList& dirTags, const TStringList& dirPaths,
                                  const ShortPathFunction& shortPath,
                                  const std::function<void(const std::string&)>& status) {
  AutoexecResult result;
  const std::string batPath = rootDir + "autoexec.bat";
  const std::string backupPath = rootDir + "autoexec.zel";
  const std::string tempPath = rootDir + "autoexec.$zl";
  if (status) status("Copying Old Autoexec.bat to Autoexec.zel");

  TStringList buffer;
  const bool exists = fs::GetAttributes(batPath) != fs::kInvalidAttributes;
  if (exists) {
    try {
      if (!fs::FileExists(batPath)) throw Exception(batPath + " is not a file");
      buffer.LoadFromFile(batPath);
    } catch (const Exception& e) {
      result.error = "Cannot read " + batPath + ": " + e.Message();
      return result;
    }
    try {
      buffer.SaveToFile(backupPath);
    } catch (const Exception& e) {
      result.error = "Cannot back up " + batPath + " to " + backupPath + ": " + e.Message();
      return result;
    }
    result.backedUp = true;
  }

  result.batPath = batPath;
  result.backupPath = backupPath;
  const int firstAdded = buffer.Count();
  UpdateAutoexec(buffer, autoexecLines, dirTags, dirPaths, rootDir, shortPath);
  for (int i = firstAdded; i < buffer.Count(); ++i) result.block.push_back(buffer[i]);
  if (status) status("Updating Autoexec.bat file");

  // The new text goes to a scratch file first: autoexec.bat is only replaced
  // by a complete file, never left truncated half-way.
  try {
    buffer.SaveToFile(tempPath);
  } catch (const Exception& e) {
    fs::DeleteFile(tempPath);
    result.error = "Cannot write " + batPath + ": " + e.Message();
    return result;
  }
  if (!fs::RenameFile(tempPath, batPath)) {
    fs::DeleteFile(tempPath);
    result.error = "Cannot replace " + batPath + " with its updated copy";
    return result;
  }
  result.updated = true;
  result.createdNew = !exists;
  return result;
}

}  // namespace zel
