#include "shell/win_reboot.h"

#include "platform/system.h"

namespace zel {

bool TWinReboot::EnablePrivilege(const std::string& Name, bool Enable) { return sys::AdjustPrivilege(Name, Enable); }

bool TWinReboot::ShutdownWindows(uint32_t Flags) {
  EnablePrivilege("SeShutdownPrivilege", true);
  const bool accepted = sys::RequestWindowsExit(Flags);
  EnablePrivilege("SeShutdownPrivilege", false);
  return accepted;
}

}  // namespace zel
