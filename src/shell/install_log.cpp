#include "shell/install_log.h"

#include "platform/fs.h"
#include "platform/system.h"

namespace zel {

InstallLog::InstallLog(AppendFunction append, ClockFunction clock)
    : append_(append ? std::move(append) : AppendFunction(fs::AppendToFile)),
      clock_(clock ? std::move(clock) : ClockFunction(sys::LocalTimeStamp)) {}

bool InstallLog::WriteAll(const std::string& path) {
  std::string text;
  for (const std::string& line : lines_) text += line;
  return append_(path, text);
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

void InstallLog::Line(const std::string& text) {
  const std::string stamp = clock_();
  size_t start = 0;
  do {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string part = text.substr(start, end - start);
    if (!part.empty() && part.back() == '\r') part.pop_back();
    start = end + 1;
    if (part.empty() && !text.empty()) continue;
    std::string line = stamp + "  " + part + "\r\n";
    if (!path_.empty() && !append_(path_, line)) lost_ = true;
    lines_.push_back(std::move(line));
  } while (start <= text.size());
}

}  // namespace zel
