#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "platform/lookup.h"
#include "platform/windows_family.h"

namespace zel::sys {

bool IsNtPlatform() {
  // The top bit of GetVersion is set on Windows 95, 98 and ME.
  return (GetVersion() & 0x80000000u) == 0;
}

bool HasAdministratorRights() {
  if (!IsNtPlatform()) return false;
  // Windows 98 may not export the token queries: looked up at run time.
  using GetTokenInformationFn = BOOL(WINAPI*)(HANDLE, TOKEN_INFORMATION_CLASS, void*, DWORD, DWORD*);
  const auto getTokenInformation = LookUp<GetTokenInformationFn>("advapi32.dll", "GetTokenInformation");
  HANDLE token = nullptr;
  if (!getTokenInformation || !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  DWORD size = 0;
  getTokenInformation(token, TokenGroups, nullptr, 0, &size);
  std::vector<DWORD> buffer(size / sizeof(DWORD) + 1);
  bool admin = false;
  if (size && getTokenInformation(token, TokenGroups, buffer.data(), size, &size)) {
    // S-1-5-32-544, the built-in Administrators group.
    static const BYTE kAdministrators[] = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 2, 0, 0};
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    for (DWORD i = 0; i < groups->GroupCount && !admin; ++i) {
      const SID_AND_ATTRIBUTES& group = groups->Groups[i];
      const auto* sid = static_cast<const BYTE*>(group.Sid);
      // A group kept for deny only (a filtered token) gives no rights.
      admin = sid[1] == 2 && memcmp(sid, kAdministrators, sizeof kAdministrators) == 0 &&
              (group.Attributes & SE_GROUP_ENABLED) && !(group.Attributes & SE_GROUP_USE_FOR_DENY_ONLY);
    }
  }
  CloseHandle(token);
  return admin;
}

std::string ShellFolderPath(ShellFolder kind, bool allUsers) {
  static const int kUser[] = {CSIDL_DESKTOPDIRECTORY, CSIDL_STARTMENU, CSIDL_PROGRAMS};
  static const int kAllUsers[] = {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_STARTMENU, CSIDL_COMMON_PROGRAMS};
  const int index = static_cast<int>(kind);
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, (allUsers ? kAllUsers : kUser)[index], &list)) || !list)
    return std::string();
  char path[MAX_PATH] = "";
  const bool found = SHGetPathFromIDListA(list, path) && path[0];
  // The shell's own allocator owns the item list (Windows 95 and NT 4.0
  // have no other guarantee).
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator))) {
    allocator->Free(list);
    allocator->Release();
  }
  return found ? std::string(path) : std::string();
}

std::string ProgramFile() {
  char path[MAX_PATH + 1];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  return n > 0 && n < sizeof path ? std::string(path, n) : std::string();
}

}  // namespace zel::sys
