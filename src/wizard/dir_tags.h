// Directory tags of the "Directories" section and their folders.
#pragma once

#include <string>

namespace zel {

// The folder of one "Directories" entry. tag is the entry's first field in
// upper case, path its second; windowsDir the Windows folder (no trailing
// backslash unless a root); installDir the destination folder chosen in the
// wizard. The rules are tested in a fixed order (exact base tags first, then
// "<SUB" folders under a base tag, then "<ALT" and anything else under the
// drive root).
std::string ResolveDirectoryTag(const std::string& tag, const std::string& path,
                                const std::string& windowsDir, const std::string& installDir);

}  // namespace zel
