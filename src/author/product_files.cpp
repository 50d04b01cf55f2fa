#include "author/product_files.h"

#include <vector>

#include "platform/fs.h"
#include "platform/paths.h"

namespace zel {

ProductLookup FindProductFile(const std::string& folder, const std::string& name) {
  std::vector<std::string> parts(1);
  for (char c : name) {
    if (c == '\\' || c == '/')
      parts.emplace_back();
    else
      parts.back() += c;
  }
  ProductLookup result;
  std::string here = ExcludeTrailingBackslash(folder);
  std::string stored;
  for (size_t i = 0; i < parts.size(); ++i) {
    const bool last = i + 1 == parts.size();
    std::string match;
    int caseMatches = 0;
    for (const fs::FindEntry& e : fs::FindFiles(here + "\\*")) {
      const bool isFolder = (e.attributes & fs::kAttrDirectory) != 0;
      if (e.name == "." || e.name == ".." || isFolder == last || !SameText(e.name, parts[i])) continue;
      if (e.name == parts[i]) {
        match = e.name;
        caseMatches = 1;
        break;
      }
      match = e.name;
      ++caseMatches;
    }
    if (caseMatches == 0) return {};
    if (caseMatches > 1) {
      result.ambiguous = true;
      return result;
    }
    here += "\\" + match;
    stored += (stored.empty() ? "" : "\\") + match;
  }
  result.storedName = stored;
  return result;
}

}  // namespace zel
