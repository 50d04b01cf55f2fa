// The one check for every name that comes from a package or an install
// script and becomes a path: archive entries, list-archive entries, archive
// templates, the file names of install.cfg and the segment base name. The
// setup program, the uninstaller and zelpack all use it, so that no name can
// reach a file outside the folder it is meant for.
//
// A safe name is relative: one or more parts separated by "\" or "/" (both
// are separators on Windows, and "/" is the separator of POSIX hosts). It has
// no empty part, no part that is "." or ".." or ends in a dot or a space
// (Windows drops those, so "..." and ". ." could walk up), no drive, root or
// UNC prefix, no ":" (drives and alternate data streams), no character that
// file names cannot hold, and no part that names a device (CON, PRN, AUX,
// NUL, COM1-COM9, LPT1-LPT9, CONIN$, CONOUT$, CLOCK$, with any extension).
#pragma once

#include <string>
#include <string_view>

#include "platform/errors.h"

namespace zel {

// Raised for a name that fails the check; the message names it and says why.
ZEL_DECLARE_EXCEPTION(EUnsafeName, Exception);

// What the check found.
enum class NameProblem {
  kNone,
  kEmpty,         // the name, or one of its parts, is empty
  kTooLong,       // over kMaxSafeNameLength characters, or a part over kMaxSafePartLength
  kDotPart,       // a part is "." or "..", or ends in a dot or a space
  kAbsolute,      // begins with a separator (root, UNC) or a drive ("C:")
  kColon,         // holds ":" elsewhere
  kBadCharacter,  // a control character or one of < > " | ? *
  kDevice,        // a part names a device
  kFolderPart,    // a separator where a single name is wanted
};

constexpr size_t kMaxSafeNameLength = 259;
constexpr size_t kMaxSafePartLength = 255;

// The prefix of the messages about names from a package.
inline constexpr const char* kUnsafePackage = "damaged or unsafe package";

// Checks a relative path of one or more parts.
NameProblem CheckRelativeName(std::string_view name);
// Checks a single file or folder name: a separator in it is refused too.
NameProblem CheckPartName(std::string_view name);
// True when the part (without separators) names a device, whatever its
// extension and case: "nul", "COM1.txt", "Aux.tar.gz".
bool IsDeviceName(std::string_view part);
// A short phrase for the problem: "has a \"..\" part" and so on.
const char* NameProblemText(NameProblem problem);

// The name in Windows form (every "/" a "\"). Throws EUnsafeName with the
// message <context> + ": \"" + name + "\" " + the problem's phrase.
std::string SafeRelativePath(std::string_view name, std::string_view context = kUnsafePackage);
// folder + "\" + SafeRelativePath(name); folder may end in a backslash.
std::string SafeJoin(std::string_view folder, std::string_view name,
                     std::string_view context = kUnsafePackage);
// The file-name part of name (after its last "\" or "/"), once the whole name
// has passed as a relative path: for callers that keep only the file name
// (the flat temporary folder, the file names of install.cfg).
std::string SafeFileName(std::string_view name, std::string_view context = kUnsafePackage);

}  // namespace zel
