// A reader and writer of the private-profile format for the native build. It
// follows the Windows rules the setup relies on; it is not used on Windows.
#include <fstream>
#include <sstream>

#include "platform/host_path_posix.h"
#include "platform/paths.h"
#include "platform/profile.h"

namespace zel::profile {

namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::vector<std::string> ReadLines(const std::string& file) {
  std::vector<std::string> lines;
  std::ifstream in(HostPath(file), std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The section name of a header line "[name]", or false.
bool SectionOf(const std::string& line, std::string& name) {
  const std::string text = Trim(line);
  if (text.empty() || text[0] != '[') return false;
  const size_t close = text.find(']');
  name = Trim(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

void SplitEntry(const std::string& line, std::string& key, std::string& value) {
  const size_t equals = line.find('=');
  key = Trim(line.substr(0, equals));
  value = equals == std::string::npos ? std::string() : Trim(line.substr(equals + 1));
}

std::string Unquote(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

// Calls visit(index, key, value) for the entries of the first section named
// section; returns the index of its header line, or -1.
template <typename Visit>
int ForEachEntry(const std::vector<std::string>& lines, const std::string& section, Visit visit) {
  int header = -1;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string name;
    if (SectionOf(lines[i], name)) {
      if (header >= 0) break;
      if (SameText(name, section)) header = static_cast<int>(i);
      continue;
    }
    if (header < 0 || Trim(lines[i]).empty() || Trim(lines[i])[0] == ';') continue;
    std::string key, value;
    SplitEntry(lines[i], key, value);
    if (!visit(i, key, value)) break;
  }
  return header;
}

}  // namespace

std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& defaultValue) {
  std::string result = defaultValue;
  ForEachEntry(ReadLines(file), section, [&](size_t, const std::string& name, const std::string& value) {
    if (!SameText(name, Trim(key))) return true;
    result = Unquote(value);
    return false;
  });
  if (result.size() > kValueBufferSize - 1) result.resize(kValueBufferSize - 1);
  return result;
}

std::vector<std::string> ReadKeyNames(const std::string& file, const std::string& section) {
  std::vector<std::string> names;
  size_t used = 1;  // the list's final terminator
  ForEachEntry(ReadLines(file), section, [&](size_t, const std::string& name, const std::string&) {
    if (name.empty()) return true;
    if (used + name.size() + 1 > kKeyListBufferSize) return false;
    used += name.size() + 1;
    names.push_back(name);
    return true;
  });
  return names;
}

bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value) {
  std::vector<std::string> lines = ReadLines(file);
  int replace = -1;
  size_t insertAt = 0;  // after the section's last entry; 0 until one is seen
  const int header = ForEachEntry(lines, section, [&](size_t i, const std::string& name, const std::string&) {
    insertAt = i + 1;
    if (!SameText(name, key)) return true;
    replace = static_cast<int>(i);
    return false;
  });
  const std::string entry = key + "=" + value;
  if (replace >= 0) {
    lines[static_cast<size_t>(replace)] = entry;
  } else if (header >= 0) {
    if (insertAt == 0) insertAt = static_cast<size_t>(header) + 1;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
  } else {
    lines.push_back("[" + section + "]");
    lines.push_back(entry);
  }
  std::ofstream out(HostPath(file), std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << line << "\r\n";
  return static_cast<bool>(out);
}

namespace {

// Rewrites file without the lines for which drop(index, inSection, key) holds.
template <typename Drop>
bool RewriteWithout(const std::string& file, const std::string& section, Drop drop) {
  const std::vector<std::string> lines = ReadLines(file);
  std::vector<std::string> kept;
  bool inSection = false;
  for (const std::string& line : lines) {
    std::string name;
    const bool header = SectionOf(line, name);
    if (header) inSection = SameText(name, section);
    std::string key, value;
    if (!header) SplitEntry(line, key, value);
    if (inSection && drop(header, key)) continue;
    kept.push_back(line);
  }
  std::ofstream out(HostPath(file), std::ios::binary | std::ios::trunc);
  for (const std::string& line : kept) out << line << "\r\n";
  return static_cast<bool>(out);
}

}  // namespace

bool DeleteKey(const std::string& file, const std::string& section, const std::string& key) {
  return RewriteWithout(file, section, [&](bool header, const std::string& name) {
    return !header && SameText(name, Trim(key));
  });
}

bool DeleteSection(const std::string& file, const std::string& section) {
  return RewriteWithout(file, section, [](bool, const std::string&) { return true; });
}

}  // namespace zel::profile
