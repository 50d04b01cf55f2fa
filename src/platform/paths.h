// Pure text operations on Windows paths (8-bit ANSI).
#pragma once

#include <string>
#include <string_view>

namespace zel {

// Everything up to and including the last backslash or colon ("" when none).
std::string ExtractFilePath(std::string_view path);
// The text after the last backslash or colon.
std::string ExtractFileName(std::string_view path);
// The text after the last backslash only.
std::string ExtractAfterBackslash(std::string_view path);
std::string IncludeTrailingBackslash(std::string_view path);
// The drive of a path: "C:" for "C:\\x", "\\\\server\\share" for a network
// path, "" when it names none.
std::string ExtractFileDrive(std::string_view path);
// Removes one trailing backslash.
std::string ExcludeTrailingBackslash(std::string_view path);
// ANSI upper and lower case (only a..z / A..Z change).
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
// Position of needle in haystack, std::string::npos when absent.
size_t Pos(std::string_view needle, std::string_view haystack);
bool Contains(std::string_view haystack, std::string_view needle);
// Decimal text of n padded on the left with zeros to at least width digits.
std::string ZeroPad(unsigned n, int width);

}  // namespace zel
