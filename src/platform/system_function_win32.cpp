#include <windows.h>

#include <cstring>

#include "platform/lookup.h"

namespace zel::sys {

void* SystemFunction(const char* dll, const char* function) {
  HMODULE module = GetModuleHandleA(dll);
  if (!module) {
    // LOAD_LIBRARY_SEARCH_SYSTEM32 keeps side-by-side assemblies in reach;
    // a Windows that does not know the flag refuses it, and the DLL is then
    // taken from the system folder by its full path.
    module = LoadLibraryExA(dll, nullptr, 0x00000800);
    char path[MAX_PATH + 64];
    const UINT n = module ? 0 : GetSystemDirectoryA(path, MAX_PATH);
    if (n > 0 && n < MAX_PATH && std::strlen(dll) < 60) {
      path[n] = '\\';
      std::strcpy(path + n + 1, dll);
      module = LoadLibraryA(path);
    }
  }
  return module ? reinterpret_cast<void*>(GetProcAddress(module, function)) : nullptr;
}

}  // namespace zel::sys
