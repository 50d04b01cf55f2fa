// The file system's immutable flag (as chattr +i), for tests of files that
// cannot be replaced and folders that take no new entry, even for root, who
// is not stopped by the read-only attribute. Linux only; elsewhere, or where
// the file system or the user's rights refuse it, SetImmutable is false and
// the test skips that case.
#pragma once

#include <string>
#include <utility>

#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/host_path_posix.h"
#endif

namespace zel::test {

inline bool SetImmutable([[maybe_unused]] const std::string& path, [[maybe_unused]] bool on) {
#ifdef __linux__
  const int fd = ::open(HostPath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (done) {
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return done;
#else
  return false;
#endif
}

// Clears the flag again when it goes out of scope, so that the scratch folder
// can be removed whatever the test found.
class Immutable {
 public:
  explicit Immutable(std::string path) : path_(std::move(path)), set_(SetImmutable(path_, true)) {}
  ~Immutable() {
    if (set_) SetImmutable(path_, false);
  }
  Immutable(const Immutable&) = delete;
  Immutable& operator=(const Immutable&) = delete;
  bool Set() const { return set_; }

 private:
  std::string path_;
  bool set_;
};

}  // namespace zel::test
