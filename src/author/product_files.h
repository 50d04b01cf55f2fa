// Finding the files an install script names in the product folder.
#pragma once

#include <string>

namespace zel {

struct ProductLookup {
  std::string storedName;  // the path below the folder as written there ("docs\readme.txt"); "" when missing
  bool ambiguous = false;  // several names differ only in case and none matches exactly
};

// The file named by name (a safe relative path, "\" or "/" separators) below
// folder. Names match without regard to case, as they do where the setup
// runs; a name written in the same case is preferred.
ProductLookup FindProductFile(const std::string& folder, const std::string& name);

}  // namespace zel
