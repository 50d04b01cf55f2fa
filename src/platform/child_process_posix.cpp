#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/child_process.h"

extern char** environ;

namespace zel::sys {

int RunProgram(const std::vector<std::string>& argv, const ProgramRun& how) {
  if (argv.empty()) return -1;
  const auto& environment = how.environment;
  std::vector<std::string> envText;
  for (char** e = environ; *e; ++e) {
    bool replaced = false;
    for (const auto& [name, value] : environment)
      replaced = replaced || (std::strncmp(*e, name.c_str(), name.size()) == 0 && (*e)[name.size()] == '=');
    if (!replaced) envText.emplace_back(*e);
  }
  for (const auto& [name, value] : environment) envText.push_back(name + "=" + value);
  std::vector<char*> args, env;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (std::string& e : envText) env.push_back(e.data());
  env.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  if (how.quiet) {
    ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, 1, 2);
  }
  pid_t pid;
  const int spawned = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data());
  ::posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) {
    // posix_spawnp may report a program it could not run only through the
    // child's status 127.
    return WEXITSTATUS(status) == 127 ? -1 : WEXITSTATUS(status);
  }
  return -1;
}

}  // namespace zel::sys
