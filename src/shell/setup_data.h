// The setup data that the background window holds for the whole run: the
// shared folders, the values of install.cfg and its six entry lists. Written
// by start-up and the configuration loader; every other step only reads it
// (the install engine may swap in the workstation list for the file list).
#pragma once

#include <cstdint>
#include <string>

#include "platform/string_list.h"

namespace zel {

// Windows colour values: 0x00BBGGRR, or negative system-colour codes.
using TColor = int32_t;
constexpr TColor clBlue = 0x00FF0000;
constexpr TColor clBlack = 0x00000000;
constexpr TColor clWhite = 0x00FFFFFF;

// install.exe's exit status: what a script or an administrator learns of the run.
enum SetupExitCode : int {
  kExitInstalled = 0,        // installed completely
  kExitCancelled = 1,        // the user cancelled or aborted; nothing was installed
  kExitFailed = 2,           // failed (preparation included)
  kExitIncomplete = 3,       // installed, but some items failed
  kExitLicenceDeclined = 4,  // the licence was not accepted
  kExitBadCommandLine = 5,
  kExitRestartNeeded = 3010, // installed; a restart is needed and was not made
};

struct HeaderStyle {
  std::string text;
  std::string fontName;
  int fontSize = 0;  // points
  TColor color = clBlack;
  TColor shadow = clWhite;
};

struct SetupData {
  // Folders (start-up).
  std::string ArgumentDir;  // first command-line argument, or empty
  std::string SourceDir;    // always ends in a backslash
  std::string RootDir;      // e.g. "C:\"
  std::string TempDir;      // a new folder of this run's own below the system's temporary folder

  // Set by the install engine when an installation ran to its end; the end of
  // the setup restarts Windows only then (with the restart choice selected).
  bool InstallCompleted = false;
  // The program's exit status; every way out of the setup sets it.
  SetupExitCode ExitCode = kExitCancelled;

  // "Setup - Main".
  int InstallDisks = 0;
  std::string InstallDir;
  std::string LaunchProgram;
  std::string ProgramFolder = "Accessories";
  std::string BitmapFile;
  bool AddToProgramFiles = false;
  bool WorkStationPrompt = false;
  bool ShowWarningScreen = true;
  bool ShowReBoot = true;
  bool AlignCenter = false;
  bool AlignLeft = true;
  bool AlignRight = false;

  // Appearance of the background.
  TColor DitherFrom = clBlue;
  TColor DitherTo = clBlack;
  HeaderStyle Header{"ZEL - Zelwright 32Bit", "Impact", 26, clBlack, clWhite};
  HeaderStyle Header2{"A ZEL Setup product installer", "Times New Roman", 10, clBlack, clWhite};

  // Entry sections, in file order.
  TStringList DirectoryEntries;
  TStringList FileEntries;  // each value ends in "~X" or "~" (overwrite mark)
  TStringList ShortcutEntries;
  TStringList IniSetupEntries;
  TStringList WorkStationEntries;
  TStringList AutoexecLines;

  void ClearEntryLists() {
    DirectoryEntries.Clear();
    FileEntries.Clear();
    ShortcutEntries.Clear();
    IniSetupEntries.Clear();
    WorkStationEntries.Clear();
    AutoexecLines.Clear();
  }
};

}  // namespace zel
