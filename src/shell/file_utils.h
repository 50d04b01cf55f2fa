// Copying and launching files.
#pragma once

#include <cstdint>
#include <string>

namespace zel {

// Copies source to destination in 8,192-byte blocks. destination is made
// absolute; when it is a folder - or does not exist at all, since a missing
// path reports every attribute - the file name of source is appended (with a
// backslash unless destination ends in one); an existing file is replaced.
// The copy gets the time of copying and normal attributes.
// Throws EFOpenError "Cannot open file <source>" when source cannot be opened
// (nothing is created then) and EFCreateError "Cannot create file <path>"
// with the completed destination path. A read failure ends the copy early
// without an error.
void CopyFileTo(const std::string& source, const std::string& destination);

// Copies source to the file target (replaced when it exists), whatever the
// two names; throws as CopyFileTo.
void CopyFileAs(const std::string& source, const std::string& target);

// True when every bit of attributes is set in the path's attribute word; a
// missing path reports all bits, so the result is then true for any mask.
bool FileHasAttributes(const std::string& path, uint16_t attributes);

// Opens fileName with its default action through the shell (ShellExecuteA),
// owned by the main window, in folder, with params; returns the shell's
// result code. Texts are passed whole, whatever their length.
intptr_t LaunchFile(const std::string& fileName, const std::string& params, const std::string& folder,
                    int showCmd);

}  // namespace zel
