#include "shell/install_log.h"

#include "platform/fs.h"
#include "platform/system.h"

namespace zel {

LogFile& PlatformLogFile() {
  static struct : LogFile {
    bool Append(const std::string& path, const std::string& text) override { return fs::AppendToFile(path, text); }
    std::string Now() override { return sys::LocalTimeStamp(); }
  } file;
  return file;
}

bool InstallLog::WriteAll(const std::string& path) {
  std::string text;
  for (const std::string& line : lines_) text += line;
  return file_.Append(path, text);
}

bool InstallLog::UseFixedFile(const std::string& path) {
  if (!WriteAll(path)) return false;
  path_ = path;
  fixed_ = true;
  return true;
}

bool InstallLog::MoveTo(const std::string& path) {
  if (fixed_ || path == path_) return true;
  if (!WriteAll(path)) return false;
  path_ = path;
  return true;
}

void InstallLog::Line(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  const std::string stamp = file_.Now();
  size_t start = 0;
  do {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view part = std::string_view(text).substr(start, end - start);
    if (!part.empty() && part.back() == '\r') part.remove_suffix(1);
    start = end + 1;
    if (part.empty() && !text.empty()) continue;
    std::string line = stamp;
    line += "  ";
    line += part;
    line += "\r\n";
    if (!path_.empty() && !file_.Append(path_, line)) lost_ = true;
    lines_.push_back(std::move(line));
  } while (start <= text.size());
}

}  // namespace zel
