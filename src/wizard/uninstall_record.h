// The uninstall record: uninstall.cfg in the destination folder, listing what
// an uninstaller has to remove. Every record is an entry whose name is the
// item and whose value is empty; the profile writer keeps one entry per name.
#pragma once

#include <string>
#include <vector>

#include "wizard/link_folders.h"

namespace zel {

// The private-profile calls the record needs. WriteString throws zel::Exception
// "Unable to write to " + file when the file cannot be written; a null key
// erases the whole section, a null value erases the key. ReadString gives ""
// for a missing file, section or key (the platform's profile reader by
// default).
class ProfileWriter {
 public:
  virtual ~ProfileWriter() = default;
  virtual void WriteString(const std::string& file, const char* section, const char* key,
                           const char* value) = 0;
  virtual std::string ReadString(const std::string& file, const char* section, const char* key);
};

inline constexpr const char* kUninsSection = "UNINS";
inline constexpr const char* kFoldersSection = "Folders";
inline constexpr const char* kRegistrySection = "Registry";
inline constexpr const char* kProgramSection = "Program";

// The sections an uninstaller needs to remove exactly what the install made
// and nothing else. A reader of the four sections above still works; these
// come after them. Entries without a value name a full path:
//   "Created"        files the install put where no file was (product files,
//                    the setup's own copies, links)
//   "Existed"        files that were there before and were replaced
//   "Kept"           files that were there before and the user kept (No)
//   "Links"          every link file the install made, whether new or not
//   "ProgramFolders" program folders (for links) that the install created
//   "CreatedFolders" folders of "Directories" (and their missing parents)
//                    that the install created
//   "RegKeys"        keys below HKEY_CURRENT_USER that the install created
//                    (from the root, no leading backslash)
// Numbered entries ("1", "2", ...) whose value is a record of fields:
//   "IniValues"      <file existed><section existed><key existed>|file|section|key
//                    (each flag "1" or "0"; file is the full path)
//   "RegValues"      <value existed>|key|name  (key from the root of
//                    HKEY_CURRENT_USER)
// "Autoexec": File=, Backup= (empty when there was nothing to back up),
// Created= (1 when the install, or an earlier install of the same title,
// created the file), Lines=<n>, Line1..Line<n> (the block as added, the
// marker lines included).
// A file may be listed in "Created" and also in "Existed" or "Kept" after a
// reinstall; "Created" is the one that holds. For a value recorded more than
// once, the first record holds.
inline constexpr const char* kCreatedSection = "Created";
inline constexpr const char* kExistedSection = "Existed";
inline constexpr const char* kKeptSection = "Kept";
inline constexpr const char* kLinksSection = "Links";
inline constexpr const char* kProgramFoldersSection = "ProgramFolders";
inline constexpr const char* kCreatedFoldersSection = "CreatedFolders";
inline constexpr const char* kRegKeysSection = "RegKeys";
inline constexpr const char* kIniValuesSection = "IniValues";
inline constexpr const char* kRegValuesSection = "RegValues";
inline constexpr const char* kAutoexecSection = "Autoexec";

// One INI value written by the install, and what was there before it.
struct IniValueRecord {
  std::string file, section, key;
  bool fileExisted = false, sectionExisted = false, keyExisted = false;
  bool operator==(const IniValueRecord&) const = default;
};
// One registry string value written by the install.
struct RegValueRecord {
  std::string key, name;
  bool existed = false;
  bool operator==(const RegValueRecord&) const = default;
};
std::string FormatIniValueRecord(const IniValueRecord& value);
// False when the text is not such a record.
bool ParseIniValueRecord(const std::string& text, IniValueRecord& value);
std::string FormatRegValueRecord(const RegValueRecord& value);
bool ParseRegValueRecord(const std::string& text, RegValueRecord& value);

// What happened to a file the install handled.
enum class FileState { kCreated, kReplaced, kKept };

class UninstallRecord {
 public:
  UninstallRecord(ProfileWriter& writer, std::string installPath);

  bool Open() const { return open_; }
  const std::string& FileName() const { return file_; }

  // Record start: erases "UNINS", "Folders" and "Registry" (an earlier install
  // of the same folder leaves nothing behind), writes "Program"/"Title" and the
  // two folder patterns of the destination. The sections below are erased
  // too, unless the record is of an earlier install of the same title: a
  // reinstall finds that install's files, links and values already there,
  // so what the earlier one made stays recorded and the new records are
  // added to it (numbered entries go on from the last number).
  void Start(const std::string& title);

  // Adds one record; does nothing before Start. Throws as ProfileWriter does.
  void Add(const char* section, const std::string& item);
  // Writes one entry with a value; does nothing before Start; throws the same.
  void Set(const char* section, const std::string& name, const std::string& value);

  // The extra sections (see above). Each throws as Add does.
  void AddFileState(const std::string& path, FileState state);
  void AddIniValue(const IniValueRecord& value);
  void AddRegValue(const RegValueRecord& value);
  void AddAutoexecBlock(const std::string& batPath, const std::string& backupPath, bool created,
                        const std::vector<std::string>& lines);
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
  int iniValues_ = 0;
  int regValues_ = 0;
  bool autoexecCreated_ = false;  // an earlier install of this title created it
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
