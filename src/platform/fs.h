// File-system operations on Windows paths (backslashes, drive letters).
//
// The Windows build calls kernel32; the native build maps the paths to the
// host (backslashes become slashes, a drive prefix "X:" is dropped) so that
// the portable layers and their tests run there too. None of these throw
// unless said so.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// <windows.h> maps DeleteFile to DeleteFileA; here it is this layer's own name.
#ifdef DeleteFile
#undef DeleteFile
#endif

namespace zel::fs {

constexpr uint32_t kInvalidAttributes = 0xFFFFFFFFu;
constexpr uint32_t kAttrReadOnly = 0x01;
constexpr uint32_t kAttrHidden = 0x02;
constexpr uint32_t kAttrSystem = 0x04;
constexpr uint32_t kAttrVolume = 0x08;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrArchive = 0x20;
constexpr uint32_t kAttrNormal = 0x80;
// A symbolic link, junction or other reparse point (FindFiles reports it
// beside the attributes of what the link points to).
constexpr uint32_t kAttrReparsePoint = 0x400;

// The attribute word of a path; kInvalidAttributes (all bits) when it is missing.
uint32_t GetAttributes(const std::string& path);
bool SetAttributes(const std::string& path, uint32_t attributes);
bool FileExists(const std::string& path);       // an existing file, not a folder
bool DirectoryExists(const std::string& path);  // an existing folder
int64_t FileSize(const std::string& path);      // -1 when missing
// Last-write time of a file as packed MS-DOS date (high word) and time (low
// word), local time; 0 when missing.
uint32_t FileDosDateTime(const std::string& path);

// True when path itself is a symbolic link, junction or other reparse point
// (the link is not followed).
bool IsLink(const std::string& path);

bool CreateDir(const std::string& path);  // one level
bool RemoveDir(const std::string& path);  // an empty folder
bool DeleteFile(const std::string& path);
// Creates an empty file that must not exist yet; false when it exists or
// cannot be made (LastErrorCode tells which).
bool CreateNewFile(const std::string& path);
// Adds text to the end of a file, creating the file when it is missing, and
// hands it to the disk before returning (the file is closed again, so what was
// written survives a crash of the program). False when any part failed.
bool AppendToFile(const std::string& path, const std::string& text);
// Renames a file; an existing file of the new name is replaced in one step
// where the platform can. Windows 95 and 98 cannot (MoveFileExA is only a
// stub there): RenameFileByMoves does it instead.
bool RenameFile(const std::string& from, const std::string& to);
// Renames a file to a name that must not exist yet (MoveFileA).
bool RenameNoReplace(const std::string& from, const std::string& to);
// RenameFile from single moves: the old file to is moved aside under the name
// from + "~", from takes its name, and the old file is deleted; when from
// cannot take the name, the old file is moved back. The old file is never
// lost, though for a moment it has the other name.
bool RenameFileByMoves(const std::string& from, const std::string& to);

// Asks Windows to delete the file at the next restart (MoveFileExA with
// MOVEFILE_DELAY_UNTIL_REBOOT, which the NT family has; Windows 95, 98 and ME
// refuse it and keep such requests in wininit.ini instead). Native: false.
bool DeleteAtRestart(const std::string& path);

struct FindEntry {
  std::string name;
  uint32_t attributes;
};
// Entries of a folder matching a pattern such as "C:\dir\*.*" ("*" and "?" in
// the last component). "." and ".." are reported as the platform reports them.
// A link carries kAttrReparsePoint besides the attributes of what it names.
std::vector<FindEntry> FindFiles(const std::string& pattern);

std::string GetCurrentDir();                   // without trailing backslash unless a root
bool SetCurrentDir(const std::string& path);   // also changes the current drive
std::string ExpandFileName(const std::string& path);  // absolute form
// Free bytes on a drive (1 = A, 2 = B, ...; 0 = the current drive); -1 when unknown.
int64_t DiskFree(int drive);
// Free bytes for the caller on the drive that holds folder; -1 when unknown.
int64_t FreeSpace(const std::string& folder);

// True when folder lies on a removable disk or a CD (Windows' drive type);
// false for fixed and network drives and natively.
bool OnRemovableMedia(const std::string& folder);

// The system's temporary folder (GetTempPathA; natively TMPDIR, else /tmp),
// without a trailing backslash unless it is a root; "" when unknown.
std::string TempFolder();
// Creates a new folder below parent, named prefix followed by a tail that
// makes it unique, and returns its path. The folder did not exist before:
// an existing one is never taken. Natively it is open to its owner only.
// Returns "" when no folder could be made (parent missing or closed).
std::string CreateUniqueDir(const std::string& parent, const std::string& prefix);

struct DiskSpace {
  int64_t freeBytes = -1;    // free for this user; -1 when unknown
  int64_t clusterBytes = 0;  // allocation unit; 0 when unknown
};
// The space of the drive holding root ("C:\", "\\server\share\"; empty: the
// current drive). Volumes over 2 GB are measured in full where the platform
// offers GetDiskFreeSpaceExA (looked up at run time: Windows 95 before OSR2
// lacks it).
DiskSpace DriveSpace(const std::string& root);

// Creates a folder with its missing parents. An empty path throws Exception
// "Unable to create directory"; a folder that cannot be made throws EInOutError.
// One trailing backslash is ignored; a bare drive or an existing folder is fine.
void ForceDirectories(const std::string& path);
// Removes a folder with everything below it, read-only files included; what
// cannot be removed stays. A link inside is removed itself, never what it
// points to. An empty path, a drive or a root folder is left alone.
void RemoveTree(const std::string& path);

}  // namespace zel::fs
