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

#include <functional>
#include <string>
#include <vector>

namespace zel {

inline constexpr const char* kLogFileName = "Setup.log";

class InstallLog {
 public:
  // Adds text to the end of the file path (creating it); false on failure.
  using AppendFunction = std::function<bool(const std::string& path, const std::string& text)>;
  // The local time as it is written before each line.
  using ClockFunction = std::function<std::string()>;

  // Empty functions: fs::AppendToFile and sys::LocalTimeStamp.
  explicit InstallLog(AppendFunction append = {}, ClockFunction clock = {});

  // The file chosen by the user: every line goes there, the lines written so
  // far first; later moves are ignored. False when it cannot be written.
  bool UseFixedFile(const std::string& path);
  // Moves the log to path (unless a fixed file was chosen): the lines so far
  // are written there and the next ones follow. False when it cannot be
  // written; the log then stays where it was.
  bool MoveTo(const std::string& path);

  // Adds one line (a text of several lines gives one log line for each).
  // Before a file is set the lines are kept and written once it is.
  void Line(const std::string& text);

  const std::string& Path() const { return path_; }
  bool Fixed() const { return fixed_; }
  // True when some line could not be written to the file.
  bool LinesLost() const { return lost_; }

 private:
  bool WriteAll(const std::string& path);

  AppendFunction append_;
  ClockFunction clock_;
  std::vector<std::string> lines_;  // every line so far, stamped, with its line end
  std::string path_;
  bool fixed_ = false;
  bool lost_ = false;
};

}  // namespace zel
