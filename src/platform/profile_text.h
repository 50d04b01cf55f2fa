// The text of a private-profile file as the setup's profile reader sees it:
// section header lines, entry lines and their line numbers. The native
// reader (profile_posix.cpp) is built on it; zelpack uses it to tell the line
// of each entry the loader reads, so that its messages can name the line.
#pragma once

#include <string>
#include <vector>

#include "platform/paths.h"

namespace zel::profile {

// The lines of a file without their line ends; empty when the file is missing.
std::vector<std::string> ReadProfileLines(const std::string& file);

// Blanks (spaces and tabs) removed from both ends.
std::string TrimBlanks(const std::string& text);
// True for a section header line ("[name]", blanks allowed around it); name
// is the trimmed text between the brackets.
bool ParseSectionLine(const std::string& line, std::string& name);
// True for a line the reader skips: blank, or a comment beginning with ";".
bool IsSkippedLine(const std::string& line);
// An entry line: the trimmed text before the first "=" and the trimmed text
// after it. A line without "=" is all name and an empty value.
void ParseEntryLine(const std::string& line, std::string& key, std::string& value);
// A value enclosed in matching single or double quotation marks loses them.
std::string Unquote(const std::string& value);

struct KeyLine {
  std::string key;
  int line;  // 1-based
};
// The entry names of the first section named section, in file order, as the
// reader lists them (names that do not fit the key-list buffer are left out),
// each with the number of its line.
std::vector<KeyLine> ListKeys(const std::vector<std::string>& lines, const std::string& section);
// The line numbers of the entries that ReadKeyNames lists for section, in
// the same order: the n-th name read from the file stands on line n here
// (0 for a name the reader cut short).
std::vector<int> ReadKeyLines(const std::string& file, const std::string& section);

// Calls visit(index, key, value) for each entry line of the first section
// named section (value neither unquoted nor cut) until visit returns false;
// returns the index of that section's header line, or -1.
template <typename Visit>
int ForEachEntry(const std::vector<std::string>& lines, const std::string& section, Visit visit) {
  int header = -1;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string name;
    if (ParseSectionLine(lines[i], name)) {
      if (header >= 0) break;
      if (SameText(name, section)) header = static_cast<int>(i);
      continue;
    }
    if (header < 0 || IsSkippedLine(lines[i])) continue;
    std::string key, value;
    ParseEntryLine(lines[i], key, value);
    if (!visit(i, key, value)) break;
  }
  return header;
}

}  // namespace zel::profile
