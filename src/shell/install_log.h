// The install log: one line per action with its result, each line stamped
// with the system's local time and written to the file as it happens (the
// file is flushed and closed after every line), so that the log tells what
// was done even after a crash or a power loss.
//
// Where it goes: the file named on the command line (/LOG=) from the first
// line on; otherwise Setup.log in the private temporary folder until the
// install has made its destination folder, then Setup.log there (the lines
// so far are carried over). Lines are added to the end of an existing file.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zel {

inline constexpr const char* kLogFileName = "Setup.log";

// Where the log's lines go; the tests give their own.
class LogFile {
 public:
  virtual ~LogFile() = default;
  // Adds text to the end of the file path (creating it); false on failure.
  virtual bool Append(const std::string& path, const std::string& text) = 0;
  // The local time as it is written before each line.
  virtual std::string Now() = 0;
};
// fs::AppendToFile and sys::LocalTimeStamp.
LogFile& PlatformLogFile();

class InstallLog {
 public:
  explicit InstallLog(LogFile& file = PlatformLogFile()) : file_(file) {}

  // The file chosen by the user: every line goes there, the lines written so
  // far first; later moves are ignored. False when it cannot be written.
  bool UseFixedFile(const std::string& path);
  // Moves the log to path (unless a fixed file was chosen): the lines so far
  // are written there and the next ones follow. False when it cannot be
  // written; the log then stays where it was.
  bool MoveTo(const std::string& path);

  // Adds one line made of parts (a text of several lines gives one log line
  // for each). Before a file is set the lines are kept and written once it is.
  void Line(std::initializer_list<std::string_view> parts);

  const std::string& Path() const { return path_; }
  bool Fixed() const { return fixed_; }
  // True when some line could not be written to the file.
  bool LinesLost() const { return lost_; }

 private:
  bool WriteAll(const std::string& path);

  LogFile& file_;
  std::vector<std::string> lines_;  // every line so far, stamped, with its line end
  std::string path_;
  bool fixed_ = false;
  bool lost_ = false;
};

}  // namespace zel
