// The start-up file update: the configured AUTOEXEC.BAT lines, upper-cased,
// with their folder tags resolved to short folder names, appended between two
// marker remarks to the drive root's autoexec.bat.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/string_list.h"

namespace zel {

inline constexpr char kAutoexecStartMarker[] = "REM - Starting Zelwright Update";
inline constexpr char kAutoexecEndMarker[] = "REM - End of Zelwright";

// The 8.3 form of a folder, or the folder unchanged when there is none.
using ShortPathFunction = std::function<std::string(const std::string&)>;

// One configured line as it goes into the file: upper case; "COPY " gains
// "/Y" after the word so that the copy overwrites without asking; when the
// line holds "<", the first "<ROOT>" and the first occurrence of every
// dirTags[i] are replaced (rootDir, shortPath(dirPaths[i])), pass after pass,
// until a pass changes nothing. Empty tags are never searched for. The passes
// are bounded, so a folder whose text brings its own tag back cannot loop
// forever: the line then keeps what the last allowed pass made of it.
// dirPaths must have at least as many lines as dirTags.
std::string ResolveAutoexecLine(const std::string& line, const TStringList& dirTags,
                                const TStringList& dirPaths, const std::string& rootDir,
                                const ShortPathFunction& shortPath);

// Appends the start marker, every line of autoexecLines resolved as above, and
// the end marker to buffer. Earlier blocks are neither looked for nor removed.
void UpdateAutoexec(TStringList& buffer, const TStringList& autoexecLines,
                    const TStringList& dirTags, const TStringList& dirPaths,
                    const std::string& rootDir, const ShortPathFunction& shortPath);

// Outcome of the whole start-up file step.
struct AutoexecResult {
  bool updated = false;        // autoexec.bat now holds the new block
  bool backedUp = false;       // autoexec.zel holds the file as it was
  bool createdNew = false;     // there was no autoexec.bat; it was created
  std::string error;           // why the file was left alone (empty when updated)
  std::string batPath, backupPath;  // the file and its backup
  std::vector<std::string> block;   // the lines added, marker lines included
};

// The engine's step: loads rootDir + "autoexec.bat" (a missing file is an
// empty one: nothing to back up, the file is then created holding the block),
// saves the loaded lines as rootDir + "autoexec.zel", appends the block and
// writes autoexec.bat through a temporary file that replaces it only once the
// backup is on disk and the new text is complete. Never throws for file
// errors: an unreadable file, a backup or a new file that cannot be written
// leave autoexec.bat as it was and are described in the result's error.
// status receives the two status texts of the step as it reaches them.
AutoexecResult UpdateAutoexecFile(const std::string& rootDir, const TStringList& autoexecLines,
                                  const TStringList& dirTags, const TStringList& dirPaths,
                                  const ShortPathFunction& shortPath,
                                  const std::function<void(const std::string&)>& status);

}  // namespace zel
