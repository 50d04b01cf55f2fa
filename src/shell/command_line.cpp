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

// One switch (argument starts with "/"); the first problem goes to error.
void ApplySwitch(SetupOptions& options, const std::string& argument, std::string& error) {
  const size_t equals = argument.find('=');
  const bool hasValue = equals != std::string::npos;
  const std::string_view name = std::string_view(argument).substr(1, hasValue ? equals - 1 : std::string::npos);
  const std::string value = hasValue ? argument.substr(equals + 1) : std::string();
  static const struct {
    const char* name;
    bool SetupOptions::*flag;        // a switch without value
    std::string SetupOptions::*text;  // or one with a value
  } kSwitches[] = {
      {"S", &SetupOptions::silent, nullptr},
      {"PASSIVE", &SetupOptions::passive, nullptr},
      {"NORESTART", &SetupOptions::noRestart, nullptr},
      {"LAUNCH", &SetupOptions::launch, nullptr},
      {"ACCEPTLICENSE", &SetupOptions::acceptLicence, nullptr},
      {"D", nullptr, &SetupOptions::destination},
      {"LOG", nullptr, &SetupOptions::logFile},
      {"DISKS", nullptr, &SetupOptions::disksDir},
      {"OVERWRITE", nullptr, nullptr},
  };
  for (const auto& known : kSwitches) {
    if (!SameText(name, known.name)) continue;
    bool good = false;
    if (known.flag) {
      good = !hasValue;
      if (good) options.*known.flag = true;
    } else if (known.text) {
      good = !value.empty();
      if (good) options.*known.text = value;
    } else {
      good = SameText(value, "yes") || SameText(value, "no");
      if (good) options.overwrite = SameText(value, "yes");
    }
    if (!good && error.empty()) error = "Wrong value: " + argument;
    return;
  }
  if (error.empty()) error = "Unknown switch: " + argument;
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
      if (options.destination.empty() && error.empty()) error = "Wrong value: /D=";
      continue;
    }
    const std::string argument = NextArgument(arguments, pos);
    if (!argument.empty() && argument[0] == '/') {
      ApplySwitch(options, argument, error);
    } else if (!folderTaken && !argument.empty()) {
      options.folder = argument;
      folderTaken = true;
    }
  }
  // A destination relative to wherever the setup happens to run is a mistake.
  if (error.empty() && !options.destination.empty() && !IsFullPath(options.destination))
    error = "Wrong value: /D=" + options.destination + " (a full path is needed)";
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
