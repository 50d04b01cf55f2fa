#include "shell/command_line.h"

#include "platform/paths.h"

namespace zel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One argument from pos: up to the next blank outside quotes, quotes dropped.
std::string NextArgument(const std::string& text, size_t& pos) {
  std::string argument;
  bool quoted = false;
  for (; pos < text.size() && (quoted || !IsBlank(text[pos])); ++pos) {
    if (text[pos] == '"') quoted = !quoted;
    else argument += text[pos];
  }
  return argument;
}

bool StartsWithNoCase(const std::string& text, size_t pos, std::string_view prefix) {
  return SameText(std::string_view(text).substr(pos, prefix.size()), prefix);
}

// /D= at pos: a quoted value, or the rest of the line.
std::string DestinationValue(const std::string& text, size_t& pos) {
  pos += 3;
  if (pos < text.size() && text[pos] == '"') {
    const size_t close = text.find('"', pos + 1);
    const size_t end = close == std::string::npos ? text.size() : close;
    std::string value = text.substr(pos + 1, end - pos - 1);
    pos = close == std::string::npos ? text.size() : close + 1;
    return value;
  }
  size_t end = text.size();
  while (end > pos && IsBlank(text[end - 1])) --end;
  std::string value = text.substr(pos, end - pos);
  pos = text.size();
  return value;
}

bool IsFullPath(const std::string& path) {
  const bool drive = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                     path[1] == ':' && path[2] == '\\';
  return drive || path.rfind("\\\\", 0) == 0;
}

void ApplySwitch(SetupOptions& options, const std::string& argument) {
  const size_t equals = argument.find('=');
  const std::string name = UpperCase(argument.substr(1, equals == std::string::npos ? std::string::npos : equals - 1));
  const bool hasValue = equals != std::string::npos;
  const std::string value = hasValue ? argument.substr(equals + 1) : std::string();
  struct Flag {
    const char* name;
    bool SetupOptions::*field;
  };
  static const Flag kFlags[] = {{"S", &SetupOptions::silent},           {"PASSIVE", &SetupOptions::passive},
                                {"NORESTART", &SetupOptions::noRestart}, {"LAUNCH", &SetupOptions::launch},
                                {"ACCEPTLICENSE", &SetupOptions::acceptLicence}};
  for (const Flag& flag : kFlags) {
    if (name != flag.name) continue;
    if (hasValue) options.error = "The switch /" + name + " takes no value: " + argument;
    else options.*flag.field = true;
    return;
  }
  struct Text {
    const char* name;
    std::string SetupOptions::*field;
  };
  static const Text kTexts[] = {
      {"D", &SetupOptions::destination}, {"LOG", &SetupOptions::logFile}, {"DISKS", &SetupOptions::disksDir}};
  for (const Text& text : kTexts) {
    if (name != text.name) continue;
    if (value.empty()) options.error = "The switch /" + name + "= needs a value: " + argument;
    else options.*text.field = value;
    return;
  }
  if (name == "OVERWRITE") {
    const std::string answer = UpperCase(value);
    if (answer == "YES" || answer == "NO") options.overwrite = answer == "YES";
    else options.error = "The switch /OVERWRITE= takes yes or no: " + argument;
    return;
  }
  options.error = "Unknown switch: " + argument;
}

}  // namespace

SetupOptions ParseCommandLine(const std::string& arguments) {
  SetupOptions options;
  bool folderTaken = false;
  size_t pos = 0;
  // The whole line is read even after an error: a /S further on still
  // keeps the message box away.
  std::string error;
  for (;;) {
    while (pos < arguments.size() && IsBlank(arguments[pos])) ++pos;
    if (pos >= arguments.size()) break;
    if (StartsWithNoCase(arguments, pos, "/D=")) {
      options.destination = DestinationValue(arguments, pos);
      if (options.destination.empty() && error.empty()) error = "The switch /D= needs a value: /D=";
      continue;
    }
    const std::string argument = NextArgument(arguments, pos);
    if (!argument.empty() && argument[0] == '/') {
      ApplySwitch(options, argument);
      if (error.empty()) error = options.error;
    } else if (!folderTaken && !argument.empty()) {
      options.folder = argument;
      folderTaken = true;
    }
  }
  // A destination relative to wherever the setup happens to run is a mistake.
  if (error.empty() && !options.destination.empty() && !IsFullPath(options.destination))
    error = "The destination of /D= must be a full path (C:\\Folder or \\\\server\\share\\folder): " +
            options.destination;
  options.error = error;
  return options;
}

std::string CommandLineArguments(const std::string& commandLine) {
  size_t pos = 0;
  while (pos < commandLine.size() && IsBlank(commandLine[pos])) ++pos;
  if (pos < commandLine.size() && commandLine[pos] == '"') {
    const size_t close = commandLine.find('"', pos + 1);
    pos = close == std::string::npos ? commandLine.size() : close + 1;
  } else {
    while (pos < commandLine.size() && !IsBlank(commandLine[pos])) ++pos;
  }
  return commandLine.substr(pos);
}

std::string CommandLineHelp(const std::string& error) {
  return error +
         "\n\nUsage: install.exe [folder] [switches]\n\n"
         "folder\tthe folder that holds the setup files\n"
         "/S\tsilent: no windows, no questions\n"
         "/PASSIVE\tthe progress is shown, no questions\n"
         "/D=<folder>\tthe destination (last on the line, or quoted)\n"
         "/LOG=<file>\twrite the install log there\n"
         "/NORESTART\tnever restart Windows (status 3010 when needed)\n"
         "/LAUNCH\tstart the program after the install\n"
         "/ACCEPTLICENSE\taccept the licence\n"
         "/OVERWRITE=yes|no\treplace existing files (default no)\n"
         "/DISKS=<folder>\twhere the segment files are";
}

}  // namespace zel
