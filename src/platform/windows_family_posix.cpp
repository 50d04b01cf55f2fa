#include "platform/windows_family.h"

namespace zel::sys {

bool IsNtPlatform() { return false; }
bool HasAdministratorRights() { return false; }
std::string ShellFolderPath(ShellFolder, bool) { return std::string(); }
std::string ProgramFile() { return std::string(); }

}  // namespace zel::sys
