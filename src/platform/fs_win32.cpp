#include <windows.h>
// <windows.h> maps DeleteFile to DeleteFileA; the portable name must stay.
#undef DeleteFile

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/lookup.h"
#include "platform/paths.h"

namespace zel::fs {

uint32_t GetAttributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

bool SetAttributes(const std::string& path, uint32_t attributes) {
  return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

uint32_t FileDosDateTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  FILETIME local;
  WORD date = 0, time = 0;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
    return 0;
  return static_cast<uint32_t>(date) << 16 | time;
}

bool IsLink(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool CreateDir(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }
bool RemoveDir(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }
bool DeleteFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }
bool RenameFile(const std::string& from, const std::string& to) {
  // Windows 95, 98 and ME export MoveFileExA but do not implement it.
  using MoveFileExFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
  if (const auto moveEx = sys::LookUp<MoveFileExFn>("kernel32.dll", "MoveFileExA")) {
    if (moveEx(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
  }
  if (MoveFileA(from.c_str(), to.c_str())) return true;
  const std::string aside = to + ".zel~";
  if (!MoveFileA(to.c_str(), aside.c_str())) return false;
  if (MoveFileA(from.c_str(), to.c_str())) {
    ::DeleteFileA(aside.c_str());
    return true;
  }
  MoveFileA(aside.c_str(), to.c_str());
  return false;
}

bool CreateNewFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::vector<FindEntry> FindFiles(const std::string& pattern) {
  std::vector<FindEntry> result;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return result;
  do {
    result.push_back({data.cFileName, data.dwFileAttributes});
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return result;
}

std::string GetCurrentDir() {
  char buffer[MAX_PATH + 1];
  const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  if (n == 0 || n >= sizeof buffer) return std::string();
  return std::string(buffer, n);
}

bool SetCurrentDir(const std::string& path) { return SetCurrentDirectoryA(path.c_str()) != 0; }

std::string ExpandFileName(const std::string& path) {
  char buffer[MAX_PATH + 1];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  if (n == 0 || n >= sizeof buffer) return path;
  return std::string(buffer, n);
}

namespace {
int64_t FreeBytes(const std::string& root) {
  ULARGE_INTEGER available;
  if (!GetDiskFreeSpaceExA(root.empty() ? nullptr : root.c_str(), &available, nullptr, nullptr)) return -1;
  return static_cast<int64_t>(available.QuadPart);
}
}  // namespace

int64_t DiskFree(int drive) {
  std::string root;
  if (drive > 0 && drive <= 26) root = std::string(1, static_cast<char>('A' + drive - 1)) + ":\\";
  return FreeBytes(root);
}

int64_t FreeSpace(const std::string& folder) {
  // The root of the drive or share: older systems take nothing else.
  const std::string drive = ExtractFileDrive(folder);
  return FreeBytes(drive.empty() ? drive : drive + "\\");
}

std::string TempFolder() {
  char buffer[MAX_PATH + 1];
  const DWORD n = GetTempPathA(sizeof buffer, buffer);
  if (n == 0 || n >= sizeof buffer) return std::string();
  const std::string folder(buffer, n);
  return folder.size() > 3 ? ExcludeTrailingBackslash(folder) : folder;
}

std::string CreateUniqueDir(const std::string& parent, const std::string& prefix) {
  const std::string base = IncludeTrailingBackslash(parent) + prefix;
  DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 12);
  for (int attempt = 0; attempt < 4096; ++attempt, seed = seed * 69069 + 1) {
    // Five hex digits: with a prefix of three the name stays within 8.3.
    char tail[6];
    for (int i = 0; i < 5; ++i) tail[i] = "0123456789ABCDEF"[(seed >> (8 + 4 * i)) & 15];
    tail[5] = '\0';
    const std::string path = base + tail;
    if (CreateDirectoryA(path.c_str(), nullptr)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return std::string();
}

}  // namespace zel::fs
