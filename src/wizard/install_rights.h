// Before the install starts: can this process write every place the install
// will write? A standard user on the NT family (or a policy) may not write
// Program Files, the system folder or HKEY_LOCAL_MACHINE; finding that out
// half-way would leave a broken product behind, so the wizard asks first and
// tells the user plainly what cannot be written.
#pragma once

#include <string>
#include <vector>

#include "shell/setup_data.h"
#include "wizard/install_plan.h"

namespace zel {

// The platform's answers; the tests give their own.
class RightsProbe {
 public:
  virtual ~RightsProbe() = default;
  // Whether a file can be made in folder (see FolderWritable).
  virtual bool CanWriteFolder(const std::string& folder) = 0;
  // Whether a string value can be written in HKEY_LOCAL_MACHINE\key (a key
  // made for the test is taken away again).
  virtual bool CanWriteMachineKey(const std::string& key) = 0;
  virtual bool FileExists(const std::string& path) = 0;
};

// The probe of the real system: FolderWritable, reg::CanWriteKey, fs::FileExists.
RightsProbe& PlatformRightsProbe();

// Test-creates folder with its missing parents, then a new empty file in it
// (under a name no file has yet), and removes again the file and every folder
// it made. True when the file could be made. Nothing that was there before
// is changed.
bool FolderWritable(const std::string& folder);

// The places an install of plan would write that the probe cannot: every
// folder of the plan once (in "Directories" order), then the key of the
// uninstall registration ("HKEY_LOCAL_MACHINE\..."), when the install will
// make one: the title is not empty and uninstaller.exe is installed into the
// destination or lies there already. A plan without destination writes
// nothing (the engine reports that) and gets an empty list.
std::vector<std::string> UnwritablePlaces(const InstallPlan& plan, const std::string& title, RightsProbe& probe);

// What the user is told when places is not empty; empty otherwise.
std::string NoRightsMessage(const std::vector<std::string>& places);

// The check of the wizard's Install button: the message for the install the
// user chose, or empty when every place can be written.
std::string CheckInstallRights(const SetupData& setup, const InstallChoices& choices,
                               const std::string& windowsDir, const std::string& title,
                               RightsProbe& probe = PlatformRightsProbe());

}  // namespace zel
