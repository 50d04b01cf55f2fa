#include "wizard/uninstall_record.h"

#include <utility>

#include "platform/paths.h"
#include "platform/profile.h"
#include "wizard/shortcuts.h"

namespace zel {

UninstallRecord::UninstallRecord(ProfileWriter& writer, std::string installPath)
    : writer_(writer), installPath_(std::move(installPath)), file_(installPath_ + "\\uninstall.cfg") {}

std::string ProfileWriter::ReadString(const std::string& file, const char* section, const char* key) {
  return profile::ReadString(file, section, key, "");
}

void UninstallRecord::Start(const std::string& title) {
  open_ = true;
  const bool again = !title.empty() && SameText(writer_.ReadString(file_, kProgramSection, "Title"), title);
  for (const char* section : {kUninsSection, kFoldersSection, kRegistrySection})
    writer_.WriteString(file_, section, nullptr, nullptr);
  iniValues_ = regValues_ = 0;
  autoexecCreated_ = false;
  if (again) {
    auto last = [this](const char* section) {
      int n = 0;
      while (!writer_.ReadString(file_, section, std::to_string(n + 1).c_str()).empty()) ++n;
      return n;
    };
    iniValues_ = last(kIniValuesSection);
    regValues_ = last(kRegValuesSection);
    autoexecCreated_ = writer_.ReadString(file_, kAutoexecSection, "Created") == "1";
  } else {
    for (const char* section :
         {kCreatedSection, kExistedSection, kKeptSection, kLinksSection, kProgramFoldersSection,
          kCreatedFoldersSection, kRegKeysSection, kIniValuesSection, kRegValuesSection,
          kAutoexecSection})
      writer_.WriteString(file_, section, nullptr, nullptr);
  }
  writer_.WriteString(file_, kProgramSection, "Title", title.c_str());
  Add(kUninsSection, installPath_ + "\\*.*");
  Add(kUninsSection, installPath_ + "\\Setup\\*.*");
}

void UninstallRecord::Add(const char* section, const std::string& item) {
  if (!open_) return;
  writer_.WriteString(file_, section, item.c_str(), "");
}

void UninstallRecord::Set(const char* section, const std::string& name, const std::string& value) {
  if (!open_) return;
  writer_.WriteString(file_, section, name.c_str(), value.c_str());
}

void UninstallRecord::AddFileState(const std::string& path, FileState state) {
  Add(state == FileState::kCreated    ? kCreatedSection
      : state == FileState::kReplaced ? kExistedSection
                                      : kKeptSection,
      path);
}

void UninstallRecord::AddIniValue(const IniValueRecord& value) {
  if (!open_) return;
  Set(kIniValuesSection, std::to_string(++iniValues_), FormatIniValueRecord(value));
}

void UninstallRecord::AddRegValue(const RegValueRecord& value) {
  if (!open_) return;
  Set(kRegValuesSection, std::to_string(++regValues_), FormatRegValueRecord(value));
}

void UninstallRecord::AddAutoexecBlock(const std::string& batPath, const std::string& backupPath,
                                       bool created, const std::vector<std::string>& lines) {
  Set(kAutoexecSection, "File", batPath);
  Set(kAutoexecSection, "Backup", backupPath);
  Set(kAutoexecSection, "Created", created || autoexecCreated_ ? "1" : "0");
  Set(kAutoexecSection, "Lines", std::to_string(lines.size()));
  for (size_t i = 0; i < lines.size(); ++i)
    Set(kAutoexecSection, "Line" + std::to_string(i + 1), lines[i]);
}

namespace {

const char* Flag(bool on) { return on ? "1" : "0"; }

// Splits text at its first `count` bars; the last field keeps the rest.
bool SplitBars(const std::string& text, size_t count, std::vector<std::string>& fields) {
  fields.clear();
  size_t start = 0;
  for (size_t i = 0; i < count; ++i) {
    const size_t bar = text.find('|', start);
    if (bar == std::string::npos) return false;
    fields.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  fields.push_back(text.substr(start));
  return true;
}

bool ParseFlags(const std::string& text, size_t count, bool* flags) {
  if (text.size() != count) return false;
  for (size_t i = 0; i < count; ++i) {
    if (text[i] != '0' && text[i] != '1') return false;
    flags[i] = text[i] == '1';
  }
  return true;
}

}  // namespace

std::string FormatIniValueRecord(const IniValueRecord& v) {
  return std::string(Flag(v.fileExisted)) + Flag(v.sectionExisted) + Flag(v.keyExisted) + "|" +
         v.file + "|" + v.section + "|" + v.key;
}

bool ParseIniValueRecord(const std::string& text, IniValueRecord& v) {
  std::vector<std::string> f;
  bool flags[3];
  if (!SplitBars(text, 3, f) || !ParseFlags(f[0], 3, flags) || f[1].empty()) return false;
  v = {f[1], f[2], f[3], flags[0], flags[1], flags[2]};
  return true;
}

std::string FormatRegValueRecord(const RegValueRecord& v) {
  return std::string(Flag(v.existed)) + "|" + v.key + "|" + v.name;
}

bool ParseRegValueRecord(const std::string& text, RegValueRecord& v) {
  std::vector<std::string> f;
  bool flag[1];
  if (!SplitBars(text, 2, f) || !ParseFlags(f[0], 1, flag)) return false;
  v = {f[1], f[2], flag[0]};
  return true;
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
