#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <stdlib.h>

#include "platform/child_process.h"

namespace zel::sys {

namespace {

// The C runtime joins the arguments into one command line with blanks; an
// argument with blanks or quotes is quoted the way the runtime splits it again.
std::string Quoted(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  return out + "\"";
}

}  // namespace

int RunProgram(const std::vector<std::string>& argv, const ProgramRun& how) {
  if (argv.empty()) return -1;
  for (const auto& [name, value] : how.environment) _putenv((name + "=" + value).c_str());
  std::vector<std::string> quoted;
  for (const std::string& a : argv) quoted.push_back(Quoted(a));
  std::vector<const char*> args;
  for (const std::string& a : quoted) args.push_back(a.c_str());
  args.push_back(nullptr);
  // The program inherits the standard handles; for a quiet run they point
  // to NUL while it runs.
  int saved[2] = {-1, -1};
  if (how.quiet) {
    const int null = _open("NUL", _O_WRONLY);
    for (int fd : {1, 2}) {
      saved[fd - 1] = _dup(fd);
      if (null >= 0) _dup2(null, fd);
    }
    if (null >= 0) _close(null);
  }
  const intptr_t status = _spawnvp(_P_WAIT, argv[0].c_str(), args.data());
  for (int fd : {1, 2}) {
    if (saved[fd - 1] < 0) continue;
    _dup2(saved[fd - 1], fd);
    _close(saved[fd - 1]);
  }
  return status < 0 ? -1 : static_cast<int>(status);
}

}  // namespace zel::sys
