#include "uninstall/restart_delete.h"

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/string_list.h"

namespace zel {

bool AddWininitDelete(const std::string& wininitPath, const std::string& shortPath) {
  if (shortPath.empty()) return false;
  TStringList lines;
  try {
    if (fs::FileExists(wininitPath)) lines.LoadFromFile(wininitPath);
  } catch (const Exception&) {
    return false;
  }
  int header = -1;
  for (int i = 0; i < lines.Count() && header < 0; ++i)
    if (SameText(lines[i], "[rename]")) header = i;
  TStringList updated;
  if (header < 0) {
    updated = lines;
    updated.Add("[rename]");
    updated.Add("NUL=" + shortPath);
  } else {
    for (int i = 0; i < lines.Count(); ++i) {
      updated.Add(lines[i]);
      if (i == header) updated.Add("NUL=" + shortPath);
    }
  }
  const std::string temp = wininitPath + ".$zu";
  try {
    updated.SaveToFile(temp);
  } catch (const Exception&) {
    fs::DeleteFile(temp);
    return false;
  }
  if (fs::RenameFile(temp, wininitPath)) return true;
  fs::DeleteFile(temp);
  return false;
}

}  // namespace zel
