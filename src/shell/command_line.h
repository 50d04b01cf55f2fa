// install.exe's command line: one optional folder argument (the folder the
// setup files are read from) and the switches of an unattended install, in
// any order and in upper or lower case.
#pragma once

#include <string>

namespace zel {

struct SetupOptions {
  std::string folder;       // the folder argument; "" when none
  bool silent = false;      // /S: no windows, no questions
  bool passive = false;     // /PASSIVE: the windows with their progress, no questions
  std::string destination;  // /D=<folder>: overrides "Install Dir"
  std::string logFile;      // /LOG=<file>
  bool noRestart = false;   // /NORESTART
  bool launch = false;      // /LAUNCH
  bool acceptLicence = false;  // /ACCEPTLICENSE
  bool overwrite = false;   // /OVERWRITE=yes|no (default no: keep the existing file)
  std::string disksDir;     // /DISKS=<folder>: where the segment files are

  // Set when the command line is bad: what is wrong with it.
  std::string error;

  bool Unattended() const { return silent || passive; }
};

// The command line after the program's name, as Windows hands it over (the
// name is quoted or ends at the first blank). Quotes group blanks into one
// argument and are dropped; a backslash is an ordinary character, so
// "C:\My Setup\" is a folder. /D= takes the rest of the line (blanks
// included, trailing blanks dropped) unless its value starts with a quote;
// /LOG= and /DISKS= take their value up to the next blank outside quotes.
// Further folder arguments after the first are ignored.
SetupOptions ParseCommandLine(const std::string& arguments);

// The arguments part of a whole command line (the program's name removed).
std::string CommandLineArguments(const std::string& commandLine);

// The message of a bad command line: what is wrong, then every switch.
std::string CommandLineHelp(const std::string& error);

}  // namespace zel
