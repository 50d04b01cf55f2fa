// A reader and writer of the private-profile format for the native build. It
// follows the Windows rules the setup relies on; it is not used on Windows.
#include <fstream>

#include "platform/host_path_posix.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/profile_text.h"

namespace zel::profile {

std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& defaultValue) {
  std::string result = defaultValue;
  ForEachEntry(ReadProfileLines(file), section, [&](size_t, const std::string& name, const std::string& value) {
    if (!SameText(name, TrimBlanks(key))) return true;
    result = Unquote(value);
    return false;
  });
  if (result.size() > kValueBufferSize - 1) result.resize(kValueBufferSize - 1);
  return result;
}

std::vector<std::string> ReadKeyNames(const std::string& file, const std::string& section) {
  std::vector<std::string> names;
  for (KeyLine& k : ListKeys(ReadProfileLines(file), section)) names.push_back(std::move(k.key));
  return names;
}

bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value) {
  std::vector<std::string> lines = ReadProfileLines(file);
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
  const std::vector<std::string> lines = ReadProfileLines(file);
  std::vector<std::string> kept;
  bool inSection = false;
  for (const std::string& line : lines) {
    std::string name;
    const bool header = ParseSectionLine(line, name);
    if (header) inSection = SameText(name, section);
    std::string key, value;
    if (!header) ParseEntryLine(line, key, value);
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
    return !header && SameText(name, TrimBlanks(key));
  });
}

bool DeleteSection(const std::string& file, const std::string& section) {
  return RewriteWithout(file, section, [](bool, const std::string&) { return true; });
}

}  // namespace zel::profile
