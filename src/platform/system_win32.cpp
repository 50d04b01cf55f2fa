#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/lookup.h"
#include "platform/system.h"

namespace zel::sys {

std::string WindowsDirectory(unsigned bufferChars) {
  std::vector<char> buffer(bufferChars ? bufferChars : 1, '\0');
  UINT n = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
  if (n >= buffer.size()) {
    // Too long for the fixed buffer: n is the size needed, terminator included.
    buffer.assign(n + 1, '\0');
    n = GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (n >= buffer.size()) return std::string();
  }
  return std::string(buffer.data(), n);
}

bool ShortPath(const std::string& longPath, unsigned bufferChars, std::string& shortPath) {
  std::vector<char> buffer(bufferChars ? bufferChars : 1, '\0');
  DWORD n = GetShortPathNameA(longPath.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n == 0) return false;
  if (n >= buffer.size()) {
    buffer.assign(n + 1, '\0');
    n = GetShortPathNameA(longPath.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) return false;
  }
  shortPath.assign(buffer.data(), n);
  return true;
}

intptr_t ShellOpen(const std::string& file, const std::string& params, const std::string& folder,
                      int showCmd) {
  HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(MainWindow()), nullptr, file.c_str(), params.c_str(),
                                   folder.c_str(), showCmd);
  return reinterpret_cast<intptr_t>(result);
}

bool AdjustPrivilege(const std::string& name, bool enable) {
  HANDLE token = nullptr;
  // A failure to open is ignored: the following calls then fail on their own.
  OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token);
  bool adjusted = false;
  TOKEN_PRIVILEGES privileges{};
  if (LookupPrivilegeValueA(nullptr, name.c_str(), &privileges.Privileges[0].Luid)) {
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    alignas(8) unsigned char previous[16];
    DWORD previousSize = sizeof previous;
    adjusted = AdjustTokenPrivileges(token, FALSE, &privileges, sizeof previous,
                                     reinterpret_cast<PTOKEN_PRIVILEGES>(previous), &previousSize) != 0;
  }
  if (token) CloseHandle(token);
  return adjusted;
}

uint32_t LastErrorCode() { return GetLastError(); }

bool RequestWindowsExit(uint32_t flags) { return ExitWindowsEx(flags, 0) != 0; }

bool RestrictDllSearch() {
  // Windows 8 (and 7 with its update) can keep DLL loading to the system
  // folder; XP SP1 and later can at least drop the current folder; older
  // systems have neither, and the DLLs loaded later are taken by full path
  // (LookUpFunction).
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  using SetDllDirectoryFn = BOOL(WINAPI*)(LPCSTR);
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  const auto setDefault = LookUp<SetDefaultDllDirectoriesFn>("kernel32.dll", "SetDefaultDllDirectories");
  if (setDefault && setDefault(kSearchSystem32)) return true;
  const auto setDllDirectory = LookUp<SetDllDirectoryFn>("kernel32.dll", "SetDllDirectoryA");
  return setDllDirectory && setDllDirectory("");
}

int PlatformMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  // Owned by the window in front (a modal wizard or dialog), else the main window.
  HWND owner = GetActiveWindow();
  if (!owner) owner = reinterpret_cast<HWND>(MainWindow());
  return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace zel::sys
