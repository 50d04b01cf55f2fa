#include "platform/errors.h"

namespace zel {

std::string FormatOpenError(const std::string& path) { return "Cannot open file " + path; }
std::string FormatCreateError(const std::string& path) { return "Cannot create file " + path; }

}  // namespace zel
