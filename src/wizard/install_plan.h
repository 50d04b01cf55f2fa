// Install planning: which folders a run resolves and creates, which file goes
// into which folder in which order, which expanded sources may be deleted, and
// what is launched at the end. Pure computation on the setup data and the
// user's choices; the engine carries the plan out.
#pragma once

#include <string>
#include <vector>

#include "platform/string_list.h"
#include "shell/setup_data.h"

namespace zel {

struct PlannedDirectory {
  std::string tag;     // upper case (`DirTags`)
  std::string folder;  // resolved (`DirPaths`)
  bool isInstallDir = false;  // the "<INSTALLDIR>" entry: starts the uninstall record
};

struct PlannedFile {
  int directory = 0;  // position in directories
  int listIndex = 0;  // position in the file list
  std::string name;   // file name without folder (after the last backslash or slash)
  std::string folder;
  bool askOverwrite = false;  // mark "X": ask before replacing an existing file
  bool deleteSource = false;  // no other file-list value names this file
};

struct PlannedLaunch {
  bool run = false;
  std::string file;    // after the last backslash
  std::string folder;  // up to and including the last backslash
};

struct InstallPlan {
  bool hasInstallDir = false;  // without one nothing may be installed
  std::string installPath;     // the destination (`InstallPath`)
  std::vector<PlannedDirectory> directories;  // in "Directories" order
  bool networkInstall = false;  // the file list is WorkStationEntries
  std::vector<PlannedFile> files;  // grouped by directory, then in list order
  std::string launchProgram;  // LaunchProgram with its tag resolved
  PlannedLaunch launch;
  int progressMax = 0;
};

struct InstallChoices {
  std::string destination;    // `Label1`
  bool minInstall = false;    // `min` checked
  bool launchChecked = false; // `RadioButton1` checked
  bool folderStartMenu = false;  // `CheckBox1`
  bool folderDesktop = false;    // `CheckBox2`
  std::vector<std::string> desktopTicked;    // ticked titles of `DK`
  std::vector<std::string> startMenuTicked;  // ticked titles of `SM`
};

// windowsDir: the Windows folder. Every file name that is to be copied (the
// "Files" or "WorkStation" values whose tag names a folder) and every folder
// path goes through the name guard: a name that fails throws EUnsafeName
// ("install.cfg names an unsafe file: ..." or "... unsafe folder: ...") before
// anything is done. Throws nothing else.
InstallPlan PlanInstall(const SetupData& setup, const InstallChoices& choices,
                        const std::string& windowsDir);

// True when a position other than index of list holds a value whose upper-case
// form contains the upper-case name.
bool FileNeededElsewhere(const TStringList& list, const std::string& name, int index);

// The launch of step 15 for an already resolved LaunchProgram.
PlannedLaunch PlanLaunch(const std::string& launchProgram, bool launchChecked);

}  // namespace zel
