// The removal plan: what uninstaller.exe takes away, worked out from the
// uninstall record and what is on disk, before anything is touched. Pure
// computation; the disk is seen through DiskView so that every rule is tested
// natively.
//
// The rules: a file goes only when the record says the install created it
// (never one that was there before, never one the user kept), and a file
// outside the install folder and the link folders only when the record names
// it exactly as created and as installed. Patterns are never followed outside
// the install folder and the link folders, and in the install folder never:
// what the user added there stays. Folders go only when empty. An INI value,
// registry value or key goes only when the install made it. Every path of
// the record passes the name guard first; a path that fails is left alone.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "wizard/uninstall_record.h"

namespace zel {

// The contents of uninstall.cfg.
struct RecordContents {
  std::string title;
  // The sections of the basic record.
  std::vector<std::string> unins, folders, registry;
  // The sections that say exactly what the install made.
  std::vector<std::string> created, existed, kept, links, programFolders, createdFolders, regKeys;
  std::vector<IniValueRecord> iniValues;
  std::vector<RegValueRecord> regValues;
  bool hasAutoexec = false;
  std::string autoexecFile, autoexecBackup;
  bool autoexecCreated = false;
  std::vector<std::string> autoexecBlock;
  // True when the record has the exact sections (an install of this kit
  // writes them); a basic record is read with stricter limits.
  bool exact = false;
};

// Reads the record from the text of uninstall.cfg (one line per element,
// with or without CR). Unknown sections and lines are ignored.
RecordContents ParseUninstallRecord(const std::vector<std::string>& lines);

enum class ActionKind {
  kDeleteFile,          // path
  kRemoveFolder,        // path, only when empty
  kRemoveIniValue,      // path (file), section, name; removeSection / removeFile when empty
  kDeleteRegValue,      // path (key below HKEY_CURRENT_USER), name
  kDeleteRegKey,        // path, only when empty
  kRemoveAutoexecBlock, // path, backup, lines; removeFile when empty afterwards
  kDeleteRegistration,  // path: the key below HKEY_LOCAL_MACHINE
};

struct UninstallAction {
  ActionKind kind;
  std::string path;
  std::string section, name;  // INI section and key; registry value name
  bool removeSection = false;
  bool removeFile = false;
  std::string backup;
  std::vector<std::string> lines;
};
inline UninstallAction MakeAction(ActionKind kind, std::string path, std::string section = {},
                                  std::string name = {}) {
  UninstallAction action{kind, std::move(path), std::move(section), std::move(name), false, false, {}, {}};
  return action;
}

// Something that stays, and why.
struct Leftover {
  std::string item;
  std::string reason;
  bool operator==(const Leftover&) const = default;
};

struct UninstallPlan {
  std::vector<UninstallAction> actions;  // in the order they are carried out
  std::vector<Leftover> leftovers;
  // The running uninstaller is one of the product's files: it is no action,
  // and neither is the removal of its folder (see uninstaller.exe).
  bool removeSelf = false;
};

// The disk as the plan needs it. Paths are Windows paths.
class DiskView {
 public:
  virtual ~DiskView() = default;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // The names (files and folders, no "." or "..") directly in folder.
  virtual std::vector<std::string> ListFolder(const std::string& folder) = 0;
};

struct PlanSettings {
  std::string installPath;             // the folder holding uninstall.cfg
  std::vector<std::string> linkRoots;  // desktop, Start Menu, Programs (all users and the user's)
  std::string selfPath;                // the running uninstaller; empty when none
};

// installPath must be absolute; the record's own title names the
// registration (none without a title).
UninstallPlan PlanUninstall(const RecordContents& record, const PlanSettings& settings,
                            DiskView& disk);

// A path of the record that may be touched: absolute ("X:\..." or
// "\\server\share\..."), every part past the root a safe name (no "..", no
// device, no stray ":"). Returns the path without a trailing backslash, or
// "" when it fails.
std::string CheckedRecordPath(const std::string& path);
// True when path lies strictly inside folder (no regard to case).
bool PathInside(const std::string& path, const std::string& folder);

// The reasons given for what stays.
inline constexpr const char* kReasonExisted = "it was there before the installation";
inline constexpr const char* kReasonKept = "it was there before the installation and you kept it";
inline constexpr const char* kReasonUnsafe = "the record names it in an unsafe way";
inline constexpr const char* kReasonUserFile = "it was not installed by this setup";
inline constexpr const char* kReasonNotEmpty = "the folder is not empty";
inline constexpr const char* kReasonOutside =
    "it is outside the installation folder and the record does not name it as installed";
inline constexpr const char* kReasonPattern =
    "a pattern outside the installation folder and the link folders is never followed";
inline constexpr const char* kReasonValueExisted =
    "the value was there before the installation (it keeps the value the installation wrote)";
inline constexpr const char* kReasonBasicRegistry =
    "the record does not say what the installation wrote in this key";

}  // namespace zel
