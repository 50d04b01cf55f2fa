#include "shell/win_reboot.h"

#include "platform/system.h"
#include "platform/windows_family.h"

namespace zel {

bool TWinReboot::EnablePrivilege(const std::string& Name, bool Enable) { return sys::AdjustPrivilege(Name, Enable); }

bool TWinReboot::ShutdownWindows(uint32_t Flags) { return ShutdownWindows(Flags, sys::IsNtPlatform()); }

bool TWinReboot::ShutdownWindows(uint32_t Flags, bool ntFamily) {
  // Windows 95, 98 and ME have no process tokens: the exit needs no privilege.
  if (ntFamily) EnablePrivilege("SeShutdownPrivilege", true);
  const bool accepted = sys::RequestWindowsExit(Flags);
  if (ntFamily) EnablePrivilege("SeShutdownPrivilege", false);
  return accepted;
}

}  // namespace zel
