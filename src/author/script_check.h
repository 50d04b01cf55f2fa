// Checking an install script before it ships: zelpack make reads install.cfg
// with the setup program's own loader, then tells the author, line by line,
// what would fail or surprise at install time, and which files of the
// product folder the package must hold.
#pragma once

#include <string>
#include <vector>

#include "shell/setup_data.h"

namespace zel {

struct Diagnostic {
  int line;  // 1-based; 0 when the problem has no line (a section that is missing)
  bool error;
  std::string message;
};

// A file the package carries: its name in the package (the path below the
// product folder, as it is written there) and where it is read from.
struct ProductFile {
  std::string storedName;
  std::string sourcePath;
};

struct ScriptCheck {
  SetupData data;                       // the script as the setup program loads it
  std::vector<Diagnostic> diagnostics;  // by line
  // The files of "Files" and "WorkStation", each once in the order first
  // named, then those of the optional files the setup looks for (license.txt,
  // the background picture, uninstaller.exe) that the product folder holds.
  std::vector<ProductFile> files;

  int Errors() const;
  int Warnings() const;
};

// Loads script with LoadInstallConfig (from scratchDir when the file is not
// named install.cfg) and checks it against productDir:
// errors - a "Files" or "WorkStation" name that is unsafe or not in the
//   product folder, two files of one name from different folders, no
//   "<INSTALLDIR>" directory, an unknown or malformed directory tag or one
//   that "Directories" does not define, a "Desktop" entry without its six
//   fields, a value or a list of entry names over the loader's limits, a
//   "Launch" program that is not among the files;
// warnings - a file named twice for one folder, an unknown key or section, a
//   second value for a key or section the loader reads once, a licence the
//   script refers to that the product lacks, a background picture it lacks.
// Throws only for a script that cannot be read at all.
ScriptCheck CheckInstallScript(const std::string& script, const std::string& productDir,
                               const std::string& scratchDir);

// The "Setup - Main" keys that the loader reads.
const std::vector<std::string>& MainSectionKeys();

}  // namespace zel
