#include "platform/shell_link.h"

namespace zel {

// There is no shell link object off Windows; callers that make links there
// treat this like a link object that cannot be created.
struct TShellLink::Impl {};

TShellLink::TShellLink() { throw EShellLinkError("Shell links are only available on Windows"); }
TShellLink::~TShellLink() = default;
void TShellLink::SetPath(const std::string&) {}
void TShellLink::SetWorkingDirectory(const std::string&) {}
void TShellLink::SetIconLocation(const std::string&, int) {}
bool TShellLink::Save(const std::string&) { return false; }
bool TShellLink::Load(const std::string&) { return false; }
ShellLinkInfo TShellLink::Info() const { return {}; }

}  // namespace zel
