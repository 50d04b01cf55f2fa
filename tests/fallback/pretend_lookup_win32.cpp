// Linked in place of src/platform/lookup_win32.cpp by the test programs that
// run the setup's ways on without the newer calls: every run-time lookup of a
// function named in the environment variable ZEL_PRETEND_MISSING (names
// separated by commas, or "*" for every one) reports "missing", as Windows 98
// or NT 4.0 would.
#include <windows.h>

#include <cstring>

#include "platform/lookup.h"

namespace zel::sys {

namespace {

bool PretendMissing(const char* function) {
  char names[4096];
  const DWORD n = GetEnvironmentVariableA("ZEL_PRETEND_MISSING", names, sizeof names);
  if (n == 0 || n >= sizeof names) return false;
  if (std::strcmp(names, "*") == 0) return true;
  for (char* name = std::strtok(names, ","); name; name = std::strtok(nullptr, ","))
    if (std::strcmp(name, function) == 0) return true;
  return false;
}

}  // namespace

void* LookUpFunction(const char* dll, const char* function) {
  return PretendMissing(function) ? nullptr : SystemFunction(dll, function);
}

}  // namespace zel::sys
