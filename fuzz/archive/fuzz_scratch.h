// A private scratch folder for one fuzz process, emptied before every input.
#pragma once

#include <string>

#include "platform/fs.h"
#include "platform/paths.h"

namespace zel::fuzz {

using fs::RemoveTree;

// Lower-case path (the segment reader lower-cases its folders).
inline const std::string& ScratchRoot(const char* name) {
  static const std::string root = LowerCase(ExcludeTrailingBackslash(fs::GetCurrentDir())) +
                                  "\\zel_fuzz_" + name;
  return root;
}

inline std::string FreshScratch(const char* name) {
  const std::string& root = ScratchRoot(name);
  RemoveTree(root);
  fs::ForceDirectories(root);
  return root;
}

// Keeps every output of a hostile archive flat inside the scratch folder.
inline void Confine(std::string& path, const std::string& folder) {
  const std::string file = ExtractFileName(path);
  path = (file.empty() || file == "." || file == "..") ? std::string() : folder + "\\f_" + file;
}

}  // namespace zel::fuzz
