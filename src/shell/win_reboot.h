// Restarting Windows at the end of the setup.
#pragma once

#include <cstdint>
#include <string>

namespace zel {

class TWinReboot {
 public:
  // Enables (or disables) the privilege Name in the process's token; true when
  // the token was adjusted.
  bool EnablePrivilege(const std::string& Name, bool Enable);
  // Asks Windows to end with Flags (2: restart); on the NT family with the
  // shutdown privilege enabled for the call and disabled again (Windows 95,
  // 98 and ME have no privileges). The request is made even where the
  // privilege cannot be enabled. True when the request was accepted.
  bool ShutdownWindows(uint32_t Flags);
  // The same for the given family of Windows.
  bool ShutdownWindows(uint32_t Flags, bool ntFamily);
};

}  // namespace zel
