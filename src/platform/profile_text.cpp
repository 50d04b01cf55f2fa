#include "platform/profile_text.h"

#include "platform/fs.h"
#include "platform/profile.h"
#include "platform/stream.h"

namespace zel::profile {

std::vector<std::string> ReadProfileLines(const std::string& file) {
  std::vector<std::string> lines;
  if (!fs::FileExists(file)) return lines;
  std::string text;
  {
    TFileStream in(file, FileMode::kOpenReadShared);
    text.resize(static_cast<size_t>(in.Size()));
    if (!text.empty()) in.ReadBuffer(text.data(), static_cast<int32_t>(text.size()));
  }
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool ParseSectionLine(const std::string& line, std::string& name) {
  const std::string text = TrimBlanks(line);
  if (text.empty() || text[0] != '[') return false;
  const size_t close = text.find(']');
  name = TrimBlanks(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

bool IsSkippedLine(const std::string& line) {
  const std::string text = TrimBlanks(line);
  return text.empty() || text[0] == ';';
}

void ParseEntryLine(const std::string& line, std::string& key, std::string& value) {
  const size_t equals = line.find('=');
  key = TrimBlanks(line.substr(0, equals));
  value = equals == std::string::npos ? std::string() : TrimBlanks(line.substr(equals + 1));
}

std::string Unquote(const std::string& value) {
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    return value.substr(1, value.size() - 2);
  return value;
}

std::vector<KeyLine> ListKeys(const std::vector<std::string>& lines, const std::string& section) {
  std::vector<KeyLine> keys;
  size_t used = 1;  // the list's final terminator
  ForEachEntry(lines, section, [&](size_t i, const std::string& name, const std::string&) {
    if (name.empty()) return true;
    if (used + name.size() + 1 > kKeyListBufferSize) return false;
    used += name.size() + 1;
    keys.push_back({name, static_cast<int>(i) + 1});
    return true;
  });
  return keys;
}

std::vector<int> ReadKeyLines(const std::string& file, const std::string& section) {
  // The names come from the platform's reader itself: where it leaves a line
  // out (Wine lists no line without "="), the lines of the names after it
  // stay right.
  const std::vector<KeyLine> text = ListKeys(ReadProfileLines(file), section);
  std::vector<int> result;
  size_t next = 0;
  for (const std::string& name : ReadKeyNames(file, section)) {
    size_t at = next;
    while (at < text.size() && !SameText(text[at].key, name)) ++at;
    if (at == text.size()) {
      result.push_back(0);  // a name cut by the list buffer
      continue;
    }
    result.push_back(text[at].line);
    next = at + 1;
  }
  return result;
}

}  // namespace zel::profile
