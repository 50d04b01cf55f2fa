// Calls that not every 32-bit Windows has. install.exe imports by name only
// what Windows 98 and NT 4.0 both provide; anything newer is looked up here
// at run time, and every caller has a way on when the answer is "missing".
#pragma once

namespace zel::sys {

// The address of `function` exported by the system DLL `dll` (a bare name
// such as "kernel32.dll"), or null when this Windows lacks either. A DLL the
// program has not loaded yet is loaded from the system folder only, never
// from the folder the setup runs from. Windows build only.
void* SystemFunction(const char* dll, const char* function);

// What every run-time lookup of the program asks: SystemFunction. It lives in
// a file of its own, so that a test program can link its own version in its
// place and pretend that a call is missing; the shipped program has no such
// switch.
void* LookUpFunction(const char* dll, const char* function);

template <typename Function>
Function LookUp(const char* dll, const char* function) {
  return reinterpret_cast<Function>(LookUpFunction(dll, function));
}

}  // namespace zel::sys
