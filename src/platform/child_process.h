// Running another program and finding one's own: for the authoring tool,
// which calls helper programs (mtools) and looks for the setup program beside
// itself. install.exe does not use this.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zel::sys {

struct ProgramRun {
  std::vector<std::pair<std::string, std::string>> environment;  // variables to set for it
  bool quiet = false;  // its output (stdout and stderr) is dropped
};

// Runs argv[0] (looked up on the search path when it has no folder part)
// with the arguments, which reach it unchanged (no shell is involved), and
// waits for it. The Windows build sets the variables in its own environment,
// which the program inherits. Returns its exit status, or -1 when it could
// not be started (not found).
int RunProgram(const std::vector<std::string>& argv, const ProgramRun& how = {});

}  // namespace zel::sys
