// The steps of the setup's start and end that do not depend on the windows:
// working out the shared folders, clearing the temporary folder and deciding
// whether Windows is restarted.
#pragma once

#include <string>
#include <vector>

#include "shell/setup_data.h"

namespace zel {

// SourceDir from the current folder: a backslash is appended when the folder
// is longer than 3 characters (a drive root keeps its own).
std::string MakeSourceDir(const std::string& currentDir);

// Start-up steps up to creating TempDir: ArgumentDir (after making the first
// argument the current folder), SourceDir, RootDir, TempDir. TempDir is a new
// folder of this run's own below the system's temporary folder (below the
// Windows folder's Temp when that fails), never one that existed before; it
// stays "" when none can be made. When the first argument cannot be made
// current nothing is set and EInOutError ("I/O error <code>") is thrown.
void SetUpFolders(SetupData& data, const std::vector<std::string>& arguments);

// The first letters of TempDir's name; a unique tail follows.
inline constexpr const char* kTempDirPrefix = "ZEL";
// A new folder below parent for one run (see fs::CreateUniqueDir); "" when
// parent is "" or no folder could be made there.
std::string MakePrivateTempDir(const std::string& parent);

// Removes TempDir with everything in it, read-only files included (the folder
// is this run's own). Nothing happens for an empty path; failures are ignored.
void ClearTempDir(const std::string& dir);

// End of the setup: releases the entry lists and clears TempDir. The folder
// named on the command line is left as it is: it is the user's folder, not
// one the setup made.
void EndSetup(SetupData& data);

// Windows is restarted only after an installation ran to its end with the
// restart choice selected; a failed start-up, an abort or a close without
// installing never restarts it.
bool ShouldRestartWindows(const SetupData& data, bool rebootChecked);

}  // namespace zel
