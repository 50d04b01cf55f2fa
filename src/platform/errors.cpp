#include "platform/errors.h"

namespace zel {

std::string FormatOpenError(const std::string& path) { return "Cannot open file " + path; }
std::string FormatCreateError(const std::string& path) { return "Cannot create file " + path; }

std::string ErrorReason(uint32_t code) {
  const char* reason = nullptr;
  switch (code) {
    case 2: reason = "the file was not found"; break;
    case 3: reason = "the folder was not found"; break;
    case 5: reason = "access is denied (the file or folder is read-only or protected)"; break;
    case 19: reason = "the disk is write-protected"; break;
    case 32: reason = "the file is in use by another program"; break;
    case 33: reason = "part of the file is locked by another program"; break;
    case 39:
    case 112: reason = "the disk is full"; break;
    case 80:
    case 183: reason = "a file of that name exists"; break;
    case 206: reason = "the name is too long"; break;
    default: return "error " + std::to_string(code);
  }
  return reason;
}

}  // namespace zel
