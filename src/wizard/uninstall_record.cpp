#include "wizard/uninstall_record.h"

#include <utility>

#include "wizard/shortcuts.h"

namespace zel {

UninstallRecord::UninstallRecord(ProfileWriter& writer, std::string installPath)
    : writer_(writer), installPath_(std::move(installPath)), file_(installPath_ + "\\uninstall.cfg") {}

void UninstallRecord::Start(const std::string& title) {
  open_ = true;
  for (const char* section : {kUninsSection, kFoldersSection, kRegistrySection})
    writer_.WriteString(file_, section, nullptr, nullptr);
  writer_.WriteString(file_, kProgramSection, "Title", title.c_str());
  Add(kUninsSection, installPath_ + "\\*.*");
  Add(kUninsSection, installPath_ + "\\Setup\\*.*");
}

void UninstallRecord::Add(const char* section, const std::string& item) {
  if (!open_) return;
  writer_.WriteString(file_, section, item.c_str(), "");
}

void UninstallRecord::AddLinkRecords(const LinkFolders& links, const std::string& folder,
                                     const std::string& title, bool folderDesktop, bool desktop,
                                     bool startMenu, bool folderStartMenu) {
  for (const UninstallItem& item :
       LinkUninstallItems(links, folder, title, desktop, startMenu, folderDesktop, folderStartMenu))
    Add(item.section.c_str(), item.name);
}

void UninstallRecord::AddIniRecord(const std::string& windowsDir, const std::string& iniFile) {
  Add(kUninsSection, iniFile.find('\\') != std::string::npos ? iniFile : windowsDir + "\\" + iniFile);
}

UninstallRegistration MakeUninstallRegistration(const std::string& installPath, const std::string& title) {
  return {"Software\\Microsoft\\Windows\\currentversion\\uninstall\\" + title, title,
          installPath + "\\uninstaller.exe " + title};
}

}  // namespace zel
