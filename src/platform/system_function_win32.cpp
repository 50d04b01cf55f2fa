#include <windows.h>

#include <cstring>

#include "platform/lookup.h"

namespace zel::sys {

void* SystemFunction(const char* dll, const char* function) {
  HMODULE module = GetModuleHandleA(dll);
  if (!module) {
    // Where Windows knows the search flags (8, and 7 with its update: they
    // came with AddDllDirectory), the DLL is searched in the system folder
    // only, side-by-side assemblies included. Older systems might ignore the
    // flag and search the setup's own folder first: there the DLL is taken
    // from the system folder by its full path, or not at all.
    // (kernel32.dll is always loaded: this asks no further.)
    if (LookUpFunction("kernel32.dll", "AddDllDirectory")) {
      module = LoadLibraryExA(dll, nullptr, 0x00000800);  // LOAD_LIBRARY_SEARCH_SYSTEM32
    } else {
      char path[MAX_PATH + 64];
      const UINT n = GetSystemDirectoryA(path, MAX_PATH);
      if (n == 0 || n >= MAX_PATH || std::strlen(dll) >= 60) return nullptr;
      path[n] = '\\';
      std::strcpy(path + n + 1, dll);
      module = LoadLibraryA(path);
    }
  }
  return module ? reinterpret_cast<void*>(GetProcAddress(module, function)) : nullptr;
}

}  // namespace zel::sys
