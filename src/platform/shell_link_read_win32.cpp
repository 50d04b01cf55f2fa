// Reading a link back: what the tests and tools use to check the links made.
#include "platform/shell_link_impl_win32.h"

namespace zel {

using shell_link_detail::Widen;

bool TShellLink::Load(const std::string& linkPath) {
  const std::wstring wide = Widen(linkPath);
  return SUCCEEDED(impl_->file->Load(wide.c_str(), STGM_READ));
}

ShellLinkInfo TShellLink::Info() const {
  ShellLinkInfo info;
  std::vector<char> buffer(MAX_PATH + 1, '\0');
  if (SUCCEEDED(impl_->link->GetPath(buffer.data(), MAX_PATH, nullptr, SLGP_RAWPATH)))
    info.path = buffer.data();
  buffer.assign(MAX_PATH + 1, '\0');
  if (SUCCEEDED(impl_->link->GetWorkingDirectory(buffer.data(), MAX_PATH)))
    info.workingDirectory = buffer.data();
  buffer.assign(MAX_PATH + 1, '\0');
  int index = 0;
  if (SUCCEEDED(impl_->link->GetIconLocation(buffer.data(), MAX_PATH, &index))) {
    info.iconFile = buffer.data();
    info.iconIndex = index;
  }
  return info;
}

}  // namespace zel
