// Exception classes shared by every layer. Each carries only a message.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace zel {

// The base of every error this system raises.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

 private:
  std::string message_;
};

#define ZEL_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {              \
   public:                                \
    using Base::Base;                     \
  }

// Input/output error of the runtime (a folder that cannot be made, a failed
// change of the current folder).
ZEL_DECLARE_EXCEPTION(EInOutError, Exception);
// Stream errors: opening, creating, reading, writing, seeking.
ZEL_DECLARE_EXCEPTION(EStreamError, Exception);
ZEL_DECLARE_EXCEPTION(EFOpenError, EStreamError);
ZEL_DECLARE_EXCEPTION(EFCreateError, EStreamError);
ZEL_DECLARE_EXCEPTION(EReadError, EStreamError);
ZEL_DECLARE_EXCEPTION(EWriteError, EStreamError);

// "Cannot open file %s" / "Cannot create file %s".
std::string FormatOpenError(const std::string& path);
std::string FormatCreateError(const std::string& path);

// A short phrase for a platform error code (GetLastError's codes): "the disk
// is full", "the file is in use by another program"; "error N" for codes
// without a phrase of their own.
std::string ErrorReason(uint32_t code);

}  // namespace zel
