#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <ctime>

#include "platform/errors.h"
#include "platform/host_path_posix.h"
#include "platform/stream.h"

namespace zel {

TFileStream::TFileStream(const std::string& path, FileMode mode) : path_(path), handle_(-1) {
  const std::string host = HostPath(path);
  int fd = -1;
  switch (mode) {
    case FileMode::kOpenRead:
    case FileMode::kOpenReadShared: fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC); break;
    case FileMode::kOpenReadWrite: fd = ::open(host.c_str(), O_RDWR | O_CLOEXEC); break;
    case FileMode::kCreate:
      // A link in the file's place is never written through.
      fd = ::open(host.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
      break;
  }
  if (fd >= 0) {
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(fd);
      fd = -1;
    }
  }
  if (fd < 0) {
    if (mode == FileMode::kCreate) throw EFCreateError(FormatCreateError(path));
    throw EFOpenError(FormatOpenError(path));
  }
  handle_ = fd;
}

TFileStream::~TFileStream() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

int32_t TFileStream::Read(void* buffer, int32_t count) {
  if (count <= 0) return 0;
  const ssize_t n = ::read(static_cast<int>(handle_), buffer, static_cast<size_t>(count));
  return n < 0 ? -1 : static_cast<int32_t>(n);
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
  if (count <= 0) return 0;
  const ssize_t n = ::write(static_cast<int>(handle_), buffer, static_cast<size_t>(count));
  return n < 0 ? 0 : static_cast<int32_t>(n);
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  const int whence = origin == SeekOrigin::kBegin ? SEEK_SET : origin == SeekOrigin::kCurrent ? SEEK_CUR : SEEK_END;
  return ::lseek(static_cast<int>(handle_), static_cast<off_t>(offset), whence);
}

int64_t TFileStream::Size() {
  struct stat st {};
  return ::fstat(static_cast<int>(handle_), &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
}

bool TFileStream::SetDosDateTime(uint32_t dosDateTime) {
  std::tm tm{};
  const unsigned date = dosDateTime >> 16, time = dosDateTime & 0xFFFF;
  tm.tm_year = static_cast<int>((date >> 9) + 80);
  tm.tm_mon = static_cast<int>(((date >> 5) & 15)) - 1;
  tm.tm_mday = static_cast<int>(date & 31);
  tm.tm_hour = static_cast<int>(time >> 11);
  tm.tm_min = static_cast<int>((time >> 5) & 63);
  tm.tm_sec = static_cast<int>((time & 31) * 2);
  tm.tm_isdst = -1;
  const time_t when = std::mktime(&tm);
  if (when == static_cast<time_t>(-1)) return false;
  struct timespec times[2];
  times[0].tv_sec = when;
  times[0].tv_nsec = 0;
  times[1] = times[0];
  return ::futimens(static_cast<int>(handle_), times) == 0;
}

}  // namespace zel
