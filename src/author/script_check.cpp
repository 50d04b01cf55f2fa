#include "author/script_check.h"

#include <algorithm>
#include <map>
#include <set>

#include "author/product_files.h"
#include "platform/fs.h"
#include "platform/native_path.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/profile_text.h"
#include "platform/safe_name.h"
#include "platform/stream.h"
#include "shell/routines.h"
#include "wizard/config_loader.h"
#include "wizard/dir_tags.h"

namespace zel {

namespace {

constexpr const char* kLicenceFile = "license.txt";
constexpr const char* kUninstallerFile = "uninstaller.exe";
constexpr const char* kListSections[] = {"Directories", "Files", "Desktop", "INI - Setup", "WorkStation",
                                         "AUTOEXEC.BAT"};
constexpr const char* kOverwriteSection = "Files - OverWrite";

bool IsListSection(const std::string& name) {
  for (const char* s : kListSections)
    if (SameText(name, s)) return true;
  return false;
}

// Every "~"-separated field (a missing field is not repeated here).
std::vector<std::string> AllFields(const std::string& value) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t end = value.find('~', start);
    fields.push_back(value.substr(start, end - start));
    if (end == std::string::npos) return fields;
    start = end + 1;
  }
}

// The tag a Desktop or INI field begins with: up to and including its first ">".
std::string LeadingTag(const std::string& field) {
  const size_t close = field.find('>');
  return close == std::string::npos ? std::string() : UpperCase(field.substr(0, close + 1));
}

size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      const bool same = UpperCase(a.substr(i - 1, 1)) == UpperCase(b.substr(j - 1, 1));
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

class Checker {
 public:
  Checker(const std::string& script, const std::string& productDir, ScriptCheck& out)
      : script_(script), productDir_(ExcludeTrailingBackslash(productDir)), out_(out) {}

  void Run(const std::string& loadDir) {
    out_.data.SourceDir = IncludeTrailingBackslash(loadDir);
    LoadInstallConfig(out_.data);
    CheckText(profile::ReadProfileLines(script_));
    CheckDirectories();
    CheckFileList("Files", out_.data.FileEntries);
    CheckFileList("WorkStation", out_.data.WorkStationEntries);
    CheckDesktop();
    CheckIniSetup();
    CheckLaunch();
    CheckOptionalFiles();
    std::stable_sort(out_.diagnostics.begin(), out_.diagnostics.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
  }

 private:
  void Error(int line, const std::string& message) { out_.diagnostics.push_back({line, true, message}); }
  void Warning(int line, const std::string& message) { out_.diagnostics.push_back({line, false, message}); }

  // --- The text itself: sections, keys, repeats and lengths. ---

  void CheckText(const std::vector<std::string>& lines) {
    std::string section;
    bool read = false;  // the entries of this section reach the loader
    std::map<std::string, int> keysSeen;
    for (size_t i = 0; i < lines.size(); ++i) {
      const int line = static_cast<int>(i) + 1;
      std::string name;
      if (profile::ParseSectionLine(lines[i], name)) {
        section = name;
        keysSeen.clear();
        read = EnterSection(name, line);
        continue;
      }
      if (profile::IsSkippedLine(lines[i])) continue;
      std::string key, value;
      profile::ParseEntryLine(lines[i], key, value);
      if (section.empty()) {
        Warning(line, "a line outside any section: the setup does not read it");
        continue;
      }
      if (!read) continue;
      if (lines[i].find('=') == std::string::npos && IsListSection(section)) WarnNoEquals(section, line);
      CheckEntry(section, key, profile::Unquote(value), line, keysSeen);
    }
    for (const char* s : kListSections) CheckKeyListLimit(lines, s);
  }

  void WarnNoEquals(const std::string& section, int line) {
    if (SameText(section, "AUTOEXEC.BAT"))
      Warning(line, "a line without \"=\": Wine's profile reader (and perhaps Windows') does not list it, so the "
                    "setup may leave it out; end it with \"=\" to have it added as it is");
    else
      Warning(line, "an entry without \"=\": the setup reads entries as name=value");
  }

  // Notes the header; returns whether the loader reads this section.
  bool EnterSection(const std::string& name, int line) {
    const std::string upper = UpperCase(name);
    const bool known = SameText(name, kMainSection) || SameText(name, kOverwriteSection) || IsListSection(name);
    if (!known) {
      Warning(line, "unknown section [" + name + "]: the setup does not read it");
      return false;
    }
    const auto [it, first] = sectionLines_.emplace(upper, line);
    if (!first) {
      Warning(line, "a second [" + name + "] section (the first is on line " + std::to_string(it->second) +
                        "): the setup reads only the first");
      return false;
    }
    return true;
  }

  void CheckEntry(const std::string& section, const std::string& key, const std::string& value, int line,
                  std::map<std::string, int>& keysSeen) {
    if (key.empty()) {
      Warning(line, "an entry without a name: the setup skips it");
      return;
    }
    const bool main = SameText(section, kMainSection);
    const bool overwrite = SameText(section, kOverwriteSection);
    if (main && !IsMainKey(key)) {
      Warning(line, "unknown key " + Quoted(key) + " in [" + section + "]" + Suggestion(key) +
                        ": the setup does not read it");
      return;
    }
    if (overwrite) CheckOverwriteKey(key, line);
    const auto [it, first] = keysSeen.emplace(UpperCase(key), line);
    if (first) {
      // Only the first value of a name is ever read.
      if (value.size() > profile::kValueBufferSize - 1)
        Error(line, "the value is " + std::to_string(value.size()) +
                        " characters long; the setup reads only the first " +
                        std::to_string(profile::kValueBufferSize - 1));
      return;
    }
    const std::string firstLine = std::to_string(it->second);
    if (main || overwrite)
      Warning(line, "a second value for " + Quoted(key) + " (the first is on line " + firstLine +
                        "): the setup reads only the first");
    else
      Warning(line, "the entry name " + Quoted(key) + " is used again (first on line " + firstLine +
                        "): the setup reads the value of line " + firstLine + " for both");
  }

  static bool IsMainKey(const std::string& key) {
    for (const std::string& k : MainSectionKeys())
      if (SameText(k, key)) return true;
    return false;
  }

  static std::string Suggestion(const std::string& key) {
    for (const std::string& k : MainSectionKeys())
      if (EditDistance(key, k) <= 2) return " (did you mean " + Quoted(k) + "?)";
    return std::string();
  }

  void CheckOverwriteKey(const std::string& key, int line) {
    const std::string prefix = "FILE #";
    const std::string number = key.size() > prefix.size() ? key.substr(prefix.size()) : std::string();
    const bool digits = !number.empty() && number.size() < 6 &&
                        number.find_first_not_of("0123456789") == std::string::npos &&
                        (number == "0" || number[0] != '0');
    if (UpperCase(key.substr(0, prefix.size())) != prefix || !digits) {
      Warning(line, "unknown key " + Quoted(key) + " in [" + std::string(kOverwriteSection) +
                        "]: the setup reads only \"File #0\", \"File #1\" ... (the positions in [Files])");
    } else if (std::stoi(number) >= out_.data.FileEntries.Count()) {
      Warning(line, Quoted(key) + " names no entry of [Files], which has " +
                        std::to_string(out_.data.FileEntries.Count()) + " (counted from 0)");
    }
  }

  void CheckKeyListLimit(const std::vector<std::string>& lines, const char* section) {
    const std::vector<profile::KeyLine> listed = profile::ListKeys(lines, section);
    const int last = listed.empty() ? 0 : listed.back().line;
    int lost = 0;
    profile::ForEachEntry(lines, section, [&](size_t i, const std::string& key, const std::string&) {
      if (static_cast<int>(i) + 1 > last && !key.empty()) {
        lost = static_cast<int>(i) + 1;
        return false;
      }
      return true;
    });
    if (lost > 0)
      Error(lost, "the entry names of [" + std::string(section) + "] take more than the " +
                      std::to_string(profile::kKeyListBufferSize) +
                      " bytes the setup lists them in: from this entry on they are cut or lost");
  }

  // --- Lines of the loaded entries. ---

  int SectionLine(const std::string& section) const {
    const auto it = sectionLines_.find(UpperCase(section));
    return it == sectionLines_.end() ? 0 : it->second;
  }

  // The line of entry index of a list the loader filled from section.
  int EntryLine(const char* section, int index) {
    auto [it, fresh] = keyLines_.try_emplace(section);
    if (fresh) it->second = profile::ReadKeyLines(script_, section);
    const std::vector<int>& lines = it->second;
    return index < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(index)] : SectionLine(section);
  }

  int MainKeyLine(const std::string& key) {
    for (const profile::KeyLine& k : profile::ListKeys(profile::ReadProfileLines(script_), kMainSection))
      if (SameText(k.key, key)) return k.line;
    return 0;
  }

  // --- Directories. ---

  void CheckDirectories() {
    const TStringList& list = out_.data.DirectoryEntries;
    int installDirLine = 0;
    for (int i = 0; i < list.Count(); ++i) {
      const int line = EntryLine("Directories", i);
      std::string rest = list[i], tag, path;
      SplitAtChar(rest, '~', tag);
      SplitAtChar(rest, '~', path);
      const std::string upper = UpperCase(tag);
      switch (ClassifyDirectoryTag(tag)) {
        case TagForm::kUnknown:
          Error(line, "unknown directory tag " + Quoted(tag) +
                          ": not <INSTALLDIR>, <WINDOWS>, <WINDOWS_SYSTEM> or <PROGRAMFILES>, nor a <SUB or <ALT "
                          "name; the setup would put its files below the drive's root");
          continue;
        case TagForm::kMalformed:
          Error(line, "malformed directory tag " + Quoted(tag) +
                          ": write a sub-folder as <SUBNAME>, alone or followed by one of <INSTALLDIR>, "
                          "<WINDOWS>, <WINDOWS_SYSTEM>, <PROGRAMFILES>, and a folder below the root as <ALTNAME>");
          continue;
        case TagForm::kSub:
        case TagForm::kAlt:
          if (const NameProblem p = CheckRelativeName(path); p != NameProblem::kNone)
            Error(line, "the folder " + Quoted(path) + " of " + tag + " " + NameProblemText(p) +
                            " (write the tag, \"~\" and a relative folder)");
          break;
        case TagForm::kBase:
          break;
      }
      dirTags_.insert(upper);
      if (upper != "<INSTALLDIR>") continue;
      if (installDirLine > 0)
        Warning(line, "a second <INSTALLDIR> directory (the first is on line " + std::to_string(installDirLine) +
                          ")");
      else
        installDirLine = line;
    }
    if (installDirLine == 0)
      Error(SectionLine("Directories"),
            "no \"<INSTALLDIR>\" directory in [Directories]: the setup would not know where the product goes");
  }

  bool KnownTag(const std::string& tag) const { return dirTags_.count(UpperCase(tag)) > 0; }

  void CheckTagField(int line, const std::string& tag) {
    if (tag.empty())
      Error(line, "no directory tag: write the file name, \"~\" and a tag of [Directories]");
    else if (!KnownTag(tag))
      Error(line, "the directory tag " + Quoted(tag) + " is not one of [Directories]");
  }

  // --- Files and WorkStation. ---

  void CheckFileList(const char* section, const TStringList& list) {
    std::map<std::string, int> namedFor;  // stored name + tag -> line
    for (int i = 0; i < list.Count(); ++i) {
      const int line = EntryLine(section, i);
      std::string rest = list[i], file, tag;
      SplitAtChar(rest, '~', file);
      SplitAtChar(rest, '~', tag);
      if (file.empty()) {
        Error(line, "no file name");
        continue;
      }
      CheckTagField(line, tag);
      if (const NameProblem p = CheckRelativeName(file); p != NameProblem::kNone) {
        Error(line, "the file name " + Quoted(file) + " " + NameProblemText(p));
        continue;
      }
      if (Contains(file, "/")) {
        Error(line, "the file name " + Quoted(file) +
                        " holds \"/\": the setup takes the text after the last \"\\\" as the name; write \"\\\" between folders");
        continue;
      }
      named_.insert(UpperCase(ExtractAfterBackslash(file)));
      const ProductLookup found = FindProductFile(productDir_, file);
      if (found.ambiguous) {
        Error(line, Quoted(file) + " matches several files of the product folder that differ only in case");
        continue;
      }
      if (found.storedName.empty()) {
        Error(line, Quoted(file) + " is not in the product folder " + NativePath(productDir_));
        continue;
      }
      if (!AddFile(found.storedName, line)) continue;
      const auto [it, first] = namedFor.emplace(UpperCase(found.storedName) + "~" + UpperCase(tag), line);
      if (!first)
        Warning(line, Quoted(file) + " is named twice for " + tag + " (first on line " +
                          std::to_string(it->second) + ")");
    }
  }

  // Adds a file to the package unless it is there; false (with an error)
  // when another file of the same name is.
  bool AddFile(const std::string& storedName, int line) {
    const std::string name = UpperCase(ExtractAfterBackslash(storedName));
    const auto [it, first] = byName_.emplace(name, std::make_pair(storedName, line));
    if (first) {
      out_.files.push_back({storedName, productDir_ + "\\" + storedName});
      return true;
    }
    if (SameText(it->second.first, storedName)) return true;
    Error(line, "two files named " + Quoted(ExtractAfterBackslash(storedName)) + ": " + Quoted(storedName) +
                    " and " + Quoted(it->second.first) + " on line " + std::to_string(it->second.second) +
                    "; the setup expands every file into one folder, so one would replace the other");
    return false;
  }

  bool NamesFile(const std::string& fileName) const {
    return byName_.count(UpperCase(ExtractAfterBackslash(fileName))) > 0;
  }

  // --- Desktop, INI - Setup, Launch. ---

  void CheckDesktop() {
    const TStringList& list = out_.data.ShortcutEntries;
    for (int i = 0; i < list.Count(); ++i) {
      const int line = EntryLine("Desktop", i);
      const std::vector<std::string> fields = AllFields(list[i]);
      if (fields.size() != 6) {
        Error(line, "a \"Desktop\" entry has " + std::to_string(fields.size()) +
                        (fields.size() == 1 ? " field" : " fields") +
                        "; it needs six: title ~ tag and program ~ desktop mark ~ Start Menu mark ~ tag and "
                        "icon ~ program folder");
        continue;
      }
      for (size_t f : {size_t{1}, size_t{4}}) {
        // The icon may be left empty; the program may not.
        if (KnownTag(LeadingTag(fields[f])) || (f == 4 && fields[f].empty())) continue;
        Error(line, Quoted(fields[f]) +
                        " does not begin with a tag of [Directories] (a shortcut takes a one-part tag such as "
                        "<INSTALLDIR> or <SUBDOCS>)");
      }
    }
  }

  void CheckIniSetup() {
    const TStringList& list = out_.data.IniSetupEntries;
    for (int i = 0; i < list.Count(); ++i) {
      std::string rest = list[i];
      std::string fields[4];
      for (std::string& f : fields) SplitAtChar(rest, '~', f);
      for (const std::string& field : {fields[0], fields[3]}) {
        if (field.empty() || field[0] != '<' || KnownTag(LeadingTag(field))) continue;
        Error(EntryLine("INI - Setup", i), Quoted(field) + " begins with a tag that is not one of [Directories]");
      }
    }
  }

  void CheckLaunch() {
    const std::string& launch = out_.data.LaunchProgram;
    if (launch.empty() || Contains(UpperCase(launch), "SETUP.")) return;
    const int line = MainKeyLine("Launch");
    // The setup rewrites the value by the first directory whose tag begins it.
    std::string tag;
    for (int i = 0; i < out_.data.DirectoryEntries.Count() && tag.empty(); ++i) {
      std::string rest = out_.data.DirectoryEntries[i], t;
      SplitAtChar(rest, '~', t);
      if (!t.empty() && UpperCase(launch).rfind(UpperCase(t), 0) == 0) tag = t;
    }
    if (tag.empty()) {
      Error(line, "the \"Launch\" program " + Quoted(launch) + " does not begin with a tag of [Directories]");
      return;
    }
    std::string program = launch.substr(tag.size());
    std::replace(program.begin(), program.end(), '/', '\\');
    // A named file missing from the product folder has its own error.
    if (program.empty() || !named_.count(UpperCase(ExtractAfterBackslash(program))))
      Error(line, "the \"Launch\" program " + Quoted(ExtractAfterBackslash(program)) +
                      " is not among the files of [Files] or [WorkStation]");
  }

  // --- The optional files: licence, picture, uninstaller. ---

  void CheckOptionalFiles() {
    const std::string& picture = out_.data.BitmapFile;
    if (!picture.empty()) {
      const int line = MainKeyLine("Bitmap File");
      if (const NameProblem p = CheckPartName(picture); p != NameProblem::kNone)
        Error(line, "the picture name " + Quoted(picture) + " " + NameProblemText(p) +
                        " (the setup looks for it by its name in the folder it expands every file into)");
      else if (!AddOptional(picture, line))
        Warning(line, "the background picture " + Quoted(picture) +
                          " is not in the product folder: the setup shows none");
    }
    const bool licence = AddOptional(kLicenceFile, 0);
    if (!licence) WarnMissingLicence();
    AddOptional(kUninstallerFile, 0);
  }

  // Packs a file the setup looks for when the product holds it and no named
  // file has its name; returns whether the package carries a file of that name.
  bool AddOptional(const std::string& name, int line) {
    if (NamesFile(name)) return true;
    const ProductLookup found = FindProductFile(productDir_, name);
    if (found.storedName.empty() || found.ambiguous) return false;
    return AddFile(found.storedName, line);
  }

  void WarnMissingLicence() {
    auto mentions = [](const std::string& text) { return Contains(UpperCase(text), "LICENSE.TXT"); };
    int line = 0;
    if (mentions(out_.data.LaunchProgram)) line = MainKeyLine("Launch");
    const std::pair<const char*, const TStringList*> lists[] = {{"Desktop", &out_.data.ShortcutEntries},
                                                                {"INI - Setup", &out_.data.IniSetupEntries},
                                                                {"AUTOEXEC.BAT", &out_.data.AutoexecLines}};
    for (const auto& [section, list] : lists)
      for (int i = 0; i < list->Count() && line == 0; ++i)
        if (mentions((*list)[i])) line = EntryLine(section, i);
    if (line > 0)
      Warning(line, "the script refers to \"license.txt\", which the product folder lacks: the setup shows no "
                    "licence page");
  }

  std::string script_;
  std::string productDir_;
  ScriptCheck& out_;
  std::map<std::string, int> sectionLines_;              // upper-case name -> header line
  std::map<std::string, std::vector<int>> keyLines_;     // section -> entry lines
  std::set<std::string> dirTags_;                        // upper case
  std::set<std::string> named_;  // file names of "Files" and "WorkStation", upper case, found or not
  std::map<std::string, std::pair<std::string, int>> byName_;  // file name -> stored name, line
};

}  // namespace

int ScriptCheck::Errors() const {
  return static_cast<int>(std::count_if(diagnostics.begin(), diagnostics.end(), [](auto& d) { return d.error; }));
}

int ScriptCheck::Warnings() const { return static_cast<int>(diagnostics.size()) - Errors(); }

const std::vector<std::string>& MainSectionKeys() {
  static const std::vector<std::string> kKeys = {
      "Install Disks",      "Install Dir",       "Launch",           "Folder",
      "Add to Program Files", "Show Warning Screen", "Show Re-Boot",   "Work Station Prompt",
      "Bitmap File",        "Align Center",      "Align Left",       "Align Right",
      "Dither From",        "Dither To",         "Header",           "Header Font Name",
      "Header Font Size",   "Header Font Color", "Header Font Shadow", "Header2",
      "Header2 Font Name",  "Header2 Font Size", "Header2 Font Color", "Header2 Font Shadow"};
  return kKeys;
}

ScriptCheck CheckInstallScript(const std::string& script, const std::string& productDir,
                               const std::string& scratchDir) {
  if (!fs::FileExists(script)) throw Exception(NativePath(script) + ": no such file");
  ScriptCheck result;
  Checker checker(script, productDir, result);
  // The loader reads the file install.cfg of a folder.
  if (ExtractFileName(script) == "install.cfg") {
    checker.Run(ExtractFilePath(script));
    return result;
  }
  const std::string copy = IncludeTrailingBackslash(scratchDir) + "install.cfg";
  {
    TFileStream source(script, FileMode::kOpenReadShared);
    TFileStream target(copy, FileMode::kCreate);
    target.CopyFrom(source, 0);
  }
  struct Remove {
    std::string path;
    ~Remove() { fs::DeleteFile(path); }
  } remove{copy};
  checker.Run(scratchDir);
  return result;
}

}  // namespace zel
