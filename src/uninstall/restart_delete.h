// Deleting a file at the next start of Windows 95, 98 or ME: wininit.ini in
// the Windows folder holds a [rename] section whose lines "NUL=<short path>"
// delete the file before Windows starts. Several such lines may stand there,
// so the line is added, never written over an existing one.
#pragma once

#include <string>

namespace zel {

// Adds "NUL=" + shortPath to the [rename] section of the file (created when
// missing), through a complete new copy. False when it cannot be written or
// the path is empty.
bool AddWininitDelete(const std::string& wininitPath, const std::string& shortPath);

}  // namespace zel
