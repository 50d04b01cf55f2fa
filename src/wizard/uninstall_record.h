// The uninstall record: uninstall.cfg in the destination folder, listing what
// an uninstaller has to remove. Every record is an entry whose name is the
// item and whose value is empty; the profile writer keeps one entry per name.
#pragma once

#include <string>

#include "wizard/link_folders.h"

namespace zel {

// The private-profile calls the record needs. WriteString throws zel::Exception
// "Unable to write to " + file when the file cannot be written; a null key
// erases the whole section, a null value erases the key.
class ProfileWriter {
 public:
  virtual ~ProfileWriter() = default;
  virtual void WriteString(const std::string& file, const char* section, const char* key,
                           const char* value) = 0;
};

inline constexpr const char* kUninsSection = "UNINS";
inline constexpr const char* kFoldersSection = "Folders";
inline constexpr const char* kRegistrySection = "Registry";
inline constexpr const char* kProgramSection = "Program";

class UninstallRecord {
 public:
  UninstallRecord(ProfileWriter& writer, std::string installPath);

  bool Open() const { return open_; }
  const std::string& FileName() const { return file_; }

  // Record start: erases "UNINS", "Folders" and "Registry" (an earlier install
  // of the same folder leaves nothing behind), writes "Program"/"Title" and the
  // two folder patterns of the destination.
  void Start(const std::string& title);

  // Adds one record; does nothing before Start. Throws as ProfileWriter does.
  void Add(const char* section, const std::string& item);
  void AddFile(const std::string& path) { Add(kUninsSection, path); }

  // The records of one link, in this order: desktop folder, single desktop
  // link, single Start Menu link, Start Menu folder, Programs folder (always).
  // links are the folders that receive links, folder the entry's folder
  // field, title its title.
  void AddLinkRecords(const LinkFolders& links, const std::string& folder,
                      const std::string& title, bool folderDesktop, bool desktop, bool startMenu,
                      bool folderStartMenu);
  // An INI entry: its file when the name holds a backslash, else the file in
  // the Windows folder.
  void AddIniRecord(const std::string& windowsDir, const std::string& iniFile);
  // A registry entry: the key path below HKEY_CURRENT_USER.
  void AddRegistryRecord(const std::string& keyPath) { Add(kRegistrySection, keyPath); }

 private:
  ProfileWriter& writer_;
  std::string installPath_;
  std::string file_;
  bool open_ = false;
};

// The uninstall registration below HKEY_LOCAL_MACHINE.
struct UninstallRegistration {
  std::string key;              // from the root, no leading backslash
  std::string displayName;      // "DisplayName"
  std::string uninstallString;  // "UninstallString"
};
UninstallRegistration MakeUninstallRegistration(const std::string& installPath,
                                                const std::string& title);

}  // namespace zel
