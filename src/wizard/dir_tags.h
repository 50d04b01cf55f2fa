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
//
// A path joined to a base folder must stay below it: it passes the name guard
// (no "..", drive, root, device...); an empty path names the base folder. The
// one form that takes the path as it stands (a "<SUB" name followed by a tag
// that is none of the four base tags) needs a full path with a drive or a
// network share, again without unsafe parts. Otherwise throws EUnsafeName
// "install.cfg names an unsafe folder: ...".
std::string ResolveDirectoryTag(const std::string& tag, const std::string& path,
                                const std::string& windowsDir, const std::string& installDir);

// The form of a "Directories" tag, for checking a script before it ships
// (the setup itself resolves any text by the rules above).
enum class TagForm {
  kBase,       // "<INSTALLDIR>", "<WINDOWS>", "<WINDOWS_SYSTEM>" or "<PROGRAMFILES>"
  kSub,        // a "<SUB" name ("<SUBDOCS>"), alone or followed by one base tag
  kAlt,        // an "<ALT" name ("<ALTDATA>"): a folder below the drive's root
  kUnknown,    // none of these: the setup would put its files below the drive's root
  kMalformed,  // begins with "<SUB" or "<ALT" but is not one of their forms
};
// The form of tag (any case). Lives in a file of its own: install.exe does
// not need it.
TagForm ClassifyDirectoryTag(const std::string& tag);

}  // namespace zel
