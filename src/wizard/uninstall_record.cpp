#include "wizard/uninstall_record.h"

#include <utility>

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

void UninstallRecord::AddLinkRecords(const std::string& windowsDir, const std::string& folder,
                                     const std::string& title, bool folderDesktop, bool desktop,
                                     bool startMenu, bool folderStartMenu) {
  const std::string desk = windowsDir + "\\Desktop\\";
  const std::string menu = windowsDir + "\\Start Menu\\";
  const std::string programs = windowsDir + "\\Start Menu\\Programs\\";
  if (folderDesktop) {
    Add(kFoldersSection, desk + folder);
    Add(kUninsSection, desk + folder + "\\" + title + ".*");
  }
  if (desktop) Add(kUninsSection, desk + title + ".*");
  if (startMenu) Add(kUninsSection, menu + title + ".*");
  if (folderStartMenu) {
    Add(kFoldersSection, menu + folder);
    Add(kUninsSection, menu + folder + "\\" + title + ".*");
  }
  Add(kFoldersSection, programs + folder);
  Add(kUninsSection, programs + folder + "\\" + title + ".*");
}

void UninstallRecord::AddIniRecord(const std::string& windowsDir, const std::string& iniFile) {
  Add(kUninsSection,
      iniFile.find('\\') != std::string::npos ? iniFile : windowsDir + "\\" + iniFile);
}

UninstallRegistration MakeUninstallRegistration(const std::string& installPath,
                                                const std::string& title) {
  return {"Software\\Microsoft\\Windows\\currentversion\\uninstall\\" + title, title,
          installPath + "\\uninstaller.exe " + title};
}

}  // namespace zel
