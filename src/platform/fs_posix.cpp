#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/host_path_posix.h"
#include "platform/paths.h"

namespace zel::fs {

namespace {
bool Stat(const std::string& path, struct stat* st) { return ::stat(HostPath(path).c_str(), st) == 0; }
bool LinkStat(const std::string& path, struct stat* st) { return ::lstat(HostPath(path).c_str(), st) == 0; }
}  // namespace

uint32_t GetAttributes(const std::string& path) {
  struct stat st {};
  if (!Stat(path, &st)) return kInvalidAttributes;
  uint32_t attributes = S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
  if (!(st.st_mode & S_IWUSR)) attributes |= kAttrReadOnly;
  return attributes;
}

bool SetAttributes(const std::string& path, uint32_t attributes) {
  struct stat st {};
  if (!Stat(path, &st)) return false;
  mode_t mode = st.st_mode & 07777;
  mode = (attributes & kAttrReadOnly) ? (mode & ~static_cast<mode_t>(0222)) : (mode | S_IWUSR);
  return ::chmod(HostPath(path).c_str(), mode) == 0;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return Stat(path, &st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return Stat(path, &st) && S_ISDIR(st.st_mode);
}

int64_t FileSize(const std::string& path) {
  struct stat st {};
  return Stat(path, &st) ? static_cast<int64_t>(st.st_size) : -1;
}

uint32_t FileDosDateTime(const std::string& path) {
  struct stat st {};
  if (!Stat(path, &st)) return 0;
  std::tm tm{};
  const time_t when = st.st_mtime;
  localtime_r(&when, &tm);
  if (tm.tm_year < 80) return (1u << 5 | 1u) << 16;  // 1980-01-01
  const uint32_t date = static_cast<uint32_t>(((tm.tm_year - 80) << 9) | ((tm.tm_mon + 1) << 5) | tm.tm_mday);
  const uint32_t time = static_cast<uint32_t>((tm.tm_hour << 11) | (tm.tm_min << 5) | (tm.tm_sec / 2));
  return date << 16 | time;
}

bool IsLink(const std::string& path) {
  struct stat st {};
  return LinkStat(path, &st) && S_ISLNK(st.st_mode);
}

bool CreateDir(const std::string& path) { return ::mkdir(HostPath(path).c_str(), 0755) == 0; }
bool RemoveDir(const std::string& path) { return ::rmdir(HostPath(path).c_str()) == 0; }
bool DeleteFile(const std::string& path) {
  // A link to a folder is deleted as a file (the link goes, not its target).
  struct stat st {};
  if (LinkStat(path, &st) && S_ISDIR(st.st_mode)) return false;
  return ::unlink(HostPath(path).c_str()) == 0;
}
bool CreateNewFile(const std::string& path) {
  const int fd = ::open(HostPath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool AppendToFile(const std::string& path, const std::string& text) {
  const int fd = ::open(HostPath(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ok = ::fsync(fd) == 0 && ok;
  return ::close(fd) == 0 && ok;
}

bool RenameFile(const std::string& from, const std::string& to) {
  return ::rename(HostPath(from).c_str(), HostPath(to).c_str()) == 0;
}

bool DeleteAtRestart(const std::string&) { return false; }

bool RenameNoReplace(const std::string& from, const std::string& to) {
  struct stat st {};
  if (::lstat(HostPath(to).c_str(), &st) == 0) {
    errno = EEXIST;
    return false;
  }
  return RenameFile(from, to);
}

std::vector<FindEntry> FindFiles(const std::string& pattern) {
  std::vector<FindEntry> result;
  const std::string folder = ExtractFilePath(pattern);
  std::string mask = ExtractFileName(pattern);
  if (mask == "*.*") mask = "*";
  DIR* dir = ::opendir(folder.empty() ? "." : HostPath(folder).c_str());
  if (!dir) return result;
  while (const dirent* entry = ::readdir(dir)) {
    if (::fnmatch(mask.c_str(), entry->d_name, FNM_CASEFOLD) != 0) continue;
    const std::string path = folder + entry->d_name;
    uint32_t attributes = GetAttributes(path);
    if (IsLink(path)) attributes = (attributes == kInvalidAttributes ? 0 : attributes) | kAttrReparsePoint;
    result.push_back({entry->d_name, attributes});
  }
  ::closedir(dir);
  return result;
}

std::string GetCurrentDir() {
  char buffer[PATH_MAX];
  if (!::getcwd(buffer, sizeof buffer)) return std::string();
  std::string result = buffer;
  for (char& c : result)
    if (c == '/') c = '\\';
  return result;
}

bool SetCurrentDir(const std::string& path) { return ::chdir(HostPath(path).c_str()) == 0; }

std::string ExpandFileName(const std::string& path) {
  if (path.empty()) return GetCurrentDir();
  if (path[0] == '/' || path[0] == '\\' || (path.size() >= 2 && path[1] == ':')) return path;
  return IncludeTrailingBackslash(GetCurrentDir()) + path;
}

int64_t DiskFree(int /*drive*/) { return DriveSpace("").freeBytes; }

DiskSpace DriveSpace(const std::string& root) {
  DiskSpace space;
  struct statvfs vfs {};
  if (::statvfs(root.empty() ? "." : HostPath(root).c_str(), &vfs) != 0) return space;
  space.freeBytes = static_cast<int64_t>(vfs.f_bavail) * static_cast<int64_t>(vfs.f_frsize);
  space.clusterBytes = static_cast<int64_t>(vfs.f_frsize);
  return space;
}

int64_t FreeSpace(const std::string& folder) {
  struct statvfs vfs {};
  if (::statvfs(HostPath(folder).c_str(), &vfs) != 0) return -1;
  return static_cast<int64_t>(vfs.f_bavail) * static_cast<int64_t>(vfs.f_frsize);
}

bool OnRemovableMedia(const std::string&) { return false; }

std::string TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = tmp && *tmp ? tmp : "/tmp";
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

std::string CreateUniqueDir(const std::string& parent, const std::string& prefix) {
  const std::string base = IncludeTrailingBackslash(parent) + prefix;
  std::string pattern = HostPath(base) + "XXXXXX";
  if (!::mkdtemp(pattern.data())) return std::string();
  return base + pattern.substr(pattern.size() - 6);
}

}  // namespace zel::fs
