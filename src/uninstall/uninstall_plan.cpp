#include "uninstall/uninstall_plan.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

#include "platform/paths.h"
#include "platform/safe_name.h"
#include "wizard/ini_registry.h"

namespace zel {
namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool HasWildcard(const std::string& path) { return path.find_first_of("*?") != std::string::npos; }

// Upper-case set of paths for lookups that ignore case.
class PathSet {
 public:
  void Add(const std::string& path) { set_.insert(UpperCase(path)); }
  bool Has(const std::string& path) const { return set_.count(UpperCase(path)) != 0; }

 private:
  std::set<std::string> set_;
};

PathSet ToSet(const std::vector<std::string>& paths) {
  PathSet set;
  for (const std::string& p : paths) set.Add(p);
  return set;
}

size_t Depth(const std::string& path) { return std::count(path.begin(), path.end(), '\\'); }

// True when name matches a pattern of "*" and "?" (no regard to case). A
// pattern "x.*" also matches "x", as the platform's file search does.
bool Matches(const std::string& pattern, const std::string& name) {
  const std::string p = UpperCase(pattern), n = UpperCase(name);
  if (p.size() >= 2 && p.compare(p.size() - 2, 2, ".*") == 0 && n == p.substr(0, p.size() - 2))
    return true;
  size_t pi = 0, ni = 0, star = std::string::npos, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      ++pi, ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++, mark = ni;
    } else if (star != std::string::npos) {
      pi = star + 1, ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

class Planner {
 public:
  Planner(const RecordContents& record, const PlanSettings& settings, DiskView& disk)
      : record_(record), settings_(settings), disk_(disk) {}

  UninstallPlan Run() {
    install_ = CheckedRecordPath(settings_.installPath);
    for (const std::string& root : settings_.linkRoots) {
      const std::string checked = CheckedRecordPath(root);
      if (!checked.empty()) linkRoots_.push_back(checked);
    }
    if (install_.empty()) {
      plan_.leftovers.push_back({settings_.installPath, kReasonUnsafe});
      return plan_;
    }
    PlanFiles();
    PlanIniValues();
    PlanRegistry();
    PlanAutoexec();
    PlanUserFiles(install_, 0);
    // The record goes last of the files: a run cut short can be repeated.
    const std::string cfg = install_ + "\\uninstall.cfg";
    if (disk_.FileExists(cfg)) plan_.actions.push_back(MakeAction(ActionKind::kDeleteFile, cfg));
    PlanFolders();
    // A title is a key name below the uninstall key: never empty, never with
    // empty parts that would name the uninstall key itself.
    if (!record_.title.empty() && RegistryPathFromRoot(record_.title) == record_.title)
      plan_.actions.push_back(MakeAction(ActionKind::kDeleteRegistration,
                                         MakeUninstallRegistration(install_, record_.title).key));
    return plan_;
  }

 private:
  bool InLinkRoot(const std::string& path) const {
    return std::any_of(linkRoots_.begin(), linkRoots_.end(),
                       [&](const std::string& root) { return PathInside(path, root); });
  }
  bool Inside(const std::string& path) const { return PathInside(path, install_); }

  void Leave(const std::string& item, const char* reason) {
    if (std::find(plan_.leftovers.begin(), plan_.leftovers.end(), Leftover{item, reason}) ==
        plan_.leftovers.end())
      plan_.leftovers.push_back({item, reason});
  }

  void DeleteFile(const std::string& path) {
    if (handled_.Has(path)) return;
    handled_.Add(path);
    if (!settings_.selfPath.empty() && SameText(path, settings_.selfPath)) {
      plan_.removeSelf = true;
      return;
    }
    // A file that is gone already needs nothing.
    if (disk_.FileExists(path)) plan_.actions.push_back(MakeAction(ActionKind::kDeleteFile, path));
  }

  // One file the record names. exactCreated: the record lists it as made by
  // the install.
  void ConsiderFile(const std::string& named, bool exactCreated, const PathSet& unins) {
    const std::string path = CheckedRecordPath(named);
    if (path.empty()) return Leave(named, kReasonUnsafe);
    // A file some install of the product created is the product's, even when
    // a reinstall found it there (and listed it as existing or kept).
    if (!exactCreated && kept_.Has(path)) return Leave(path, kReasonKept);
    if (!exactCreated && existed_.Has(path)) return Leave(path, kReasonExisted);
    if (Inside(path) || (exactCreated && InLinkRoot(path)) || (exactCreated && unins.Has(path)))
      return DeleteFile(path);
    if (disk_.FileExists(path)) Leave(path, kReasonOutside);
  }

  void PlanFiles() {
    existed_ = ToSet(record_.existed);
    kept_ = ToSet(record_.kept);
    const PathSet unins = ToSet(record_.unins);
    if (record_.exact) {
      for (const std::string& path : record_.created) ConsiderFile(path, true, unins);
      const PathSet created = ToSet(record_.created);
      for (const std::string& named : record_.existed)
        if (!kept_.Has(named) && !created.Has(named)) Leave(named, kReasonExisted);
      for (const std::string& named : record_.kept)
        if (!created.Has(named)) Leave(named, kReasonKept);
      // Patterns and the basic list are covered by the exact sections; a
      // file listed only there is one the install did not create.
      for (const std::string& named : record_.unins) {
        if (HasWildcard(named)) continue;
        const std::string path = CheckedRecordPath(named);
        if (!path.empty() && !handled_.Has(path) && !IsIniFile(path) && disk_.FileExists(path) &&
            !existed_.Has(path) && !kept_.Has(path))
          Leave(path, kReasonOutside);
      }
      return;
    }
    // A basic record: exact names inside the install folder, link patterns
    // in the link folders; nothing else.
    for (const std::string& named : record_.unins) {
      if (!HasWildcard(named)) {
        ConsiderFile(named, false, unins);
        continue;
      }
      const std::string pattern = CheckedPattern(named);
      if (pattern.empty()) {
        Leave(named, kReasonUnsafe);
        continue;
      }
      const size_t slash = pattern.rfind('\\');
      const std::string folder = pattern.substr(0, slash), mask = pattern.substr(slash + 1);
      if (SameText(folder, install_) || Inside(folder)) continue;  // what stays is listed below
      if (!InLinkRoot(pattern)) {
        Leave(named, kReasonPattern);
        continue;
      }
      for (const std::string& name : disk_.ListFolder(folder)) {
        const std::string path = folder + "\\" + name;
        if (Matches(mask, name) && EndsWithLnk(name) && disk_.FileExists(path)) DeleteFile(path);
      }
    }
    for (const char* own : {"install.exe", "install.cfg", "uninstaller.exe"})
      DeleteFile(install_ + "\\" + own);
  }

  static bool EndsWithLnk(const std::string& name) {
    return name.size() > 4 && SameText(name.substr(name.size() - 4), ".lnk");
  }
  bool IsIniFile(const std::string& path) const {
    return std::any_of(record_.iniValues.begin(), record_.iniValues.end(),
                       [&](const IniValueRecord& v) { return SameText(v.file, path); });
  }

  // A pattern: its folder must pass the check, its mask only may hold wildcards.
  static std::string CheckedPattern(const std::string& named) {
    const size_t slash = named.rfind('\\');
    if (slash == std::string::npos) return std::string();
    const std::string folder = CheckedRecordPath(named.substr(0, slash));
    const std::string mask = named.substr(slash + 1);
    if (folder.empty() || HasWildcard(folder) || mask.empty() ||
        mask.find_first_of(":/\\") != std::string::npos || mask == "." || mask == "..")
      return std::string();
    return folder + "\\" + mask;
  }

  void PlanIniValues() {
    std::set<std::string> seen;
    for (const IniValueRecord& value : record_.iniValues) {
      const std::string file = CheckedRecordPath(value.file);
      if (file.empty()) {
        Leave(value.file, kReasonUnsafe);
        continue;
      }
      // The first record of a value tells what was there before the install.
      if (!seen.insert(UpperCase(file + "|" + value.section + "|" + value.key)).second) continue;
      if (value.keyExisted) {
        Leave(file + " [" + value.section + "] " + value.key, kReasonValueExisted);
        continue;
      }
      if (!value.fileExisted) handled_.Add(file);
      if (!disk_.FileExists(file)) continue;
      UninstallAction action = MakeAction(ActionKind::kRemoveIniValue, file, value.section, value.key);
      action.removeSection = !value.sectionExisted;
      action.removeFile = !value.fileExisted;
      plan_.actions.push_back(action);
    }
  }

  void PlanRegistry() {
    std::set<std::string> seen;
    for (const RegValueRecord& value : record_.regValues) {
      const std::string key = RegistryPathFromRoot(value.key);
      if (key.empty() || key != value.key) {
        Leave("HKEY_CURRENT_USER\\" + value.key, kReasonUnsafe);
        continue;
      }
      if (!seen.insert(UpperCase(key + "|" + value.name)).second) continue;
      if (value.existed)
        Leave("HKEY_CURRENT_USER\\" + key + " " + value.name, kReasonValueExisted);
      else
        plan_.actions.push_back(MakeAction(ActionKind::kDeleteRegValue, key, "", value.name));
    }
    std::vector<std::string> keys;
    for (const std::string& key : record_.regKeys)
      if (!key.empty() && RegistryPathFromRoot(key) == key) keys.push_back(key);
    // Deepest first, so that a parent is looked at once its children are gone.
    std::stable_sort(keys.begin(), keys.end(),
                     [](const std::string& a, const std::string& b) { return Depth(a) > Depth(b); });
    for (const std::string& key : keys) plan_.actions.push_back(MakeAction(ActionKind::kDeleteRegKey, key));
    if (!record_.exact)
      for (const std::string& key : record_.registry)
        Leave("HKEY_CURRENT_USER\\" + key, kReasonBasicRegistry);
  }

  void PlanAutoexec() {
    if (!record_.hasAutoexec) return;
    const std::string file = CheckedRecordPath(record_.autoexecFile);
    if (file.empty() || record_.autoexecBlock.size() < 2) {
      Leave(record_.autoexecFile, kReasonUnsafe);
      return;
    }
    const size_t slash = file.rfind('\\');
    UninstallAction action = MakeAction(ActionKind::kRemoveAutoexecBlock, file);
    action.backup = file.substr(0, slash) + "\\autoexec.zel";
    action.lines = record_.autoexecBlock;
    action.removeFile = record_.autoexecCreated;
    plan_.actions.push_back(action);
  }

  // Everything in the install folder that nothing removes stays, named.
  void PlanUserFiles(const std::string& folder, int depth) {
    if (depth > 32) return;  // a folder that loops back through a link
    for (const std::string& name : disk_.ListFolder(folder)) {
      const std::string path = folder + "\\" + name;
      if (disk_.DirectoryExists(path)) {
        PlanUserFiles(path, depth + 1);
      } else if (!handled_.Has(path) && !existed_.Has(path) && !kept_.Has(path) &&
                 !SameText(path, install_ + "\\uninstall.cfg")) {
        Leave(path, kReasonUserFile);
      }
    }
  }

  void PlanFolders() {
    std::vector<std::string> folders;
    auto add = [&](const std::string& named, bool linkFolder) {
      const std::string path = CheckedRecordPath(named);
      if (path.empty()) return;
      if (linkFolder ? !InLinkRoot(path) : !(SameText(path, install_) || Inside(path))) return;
      for (const std::string& f : folders)
        if (SameText(f, path)) return;
      folders.push_back(path);
    };
    for (const std::string& f : record_.createdFolders) add(f, false);
    for (const std::string& f : record_.programFolders) add(f, true);
    for (const std::string& f : record_.folders) add(f, true);
    // The install folder goes when empty, whoever made it.
    add(install_, false);
    std::stable_sort(folders.begin(), folders.end(), [](const std::string& a, const std::string& b) {
      return Depth(a) > Depth(b);
    });
    // The folder of the running uninstaller is emptied by its copy, which
    // removes it then.
    const std::string selfFolder = settings_.selfPath.substr(0, settings_.selfPath.rfind('\\') + 1);
    for (const std::string& f : folders) {
      if (plan_.removeSelf && SameText(f + "\\", selfFolder)) {
        // Whatever stays inside keeps it for the copy too.
        if (std::any_of(plan_.leftovers.begin(), plan_.leftovers.end(),
                        [&](const Leftover& left) { return PathInside(left.item, f); }))
          Leave(f, kReasonNotEmpty);
        continue;
      }
      if (disk_.DirectoryExists(f)) plan_.actions.push_back(MakeAction(ActionKind::kRemoveFolder, f));
    }
  }

  const RecordContents& record_;
  const PlanSettings& settings_;
  DiskView& disk_;
  UninstallPlan plan_;
  std::string install_;
  std::vector<std::string> linkRoots_;
  PathSet existed_, kept_, handled_;
};

}  // namespace

UninstallPlan PlanUninstall(const RecordContents& record, const PlanSettings& settings,
                            DiskView& disk) {
  return Planner(record, settings, disk).Run();
}

std::string CheckedRecordPath(const std::string& path) {
  std::string p = path;
  while (p.size() > 3 && p.back() == '\\') p.pop_back();
  size_t restAt;
  if (p.size() >= 3 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':' && p[2] == '\\') {
    restAt = 3;
  } else if (p.size() > 2 && p[0] == '\\' && p[1] == '\\') {
    // \\server\share\...: the server and the share are names too.
    restAt = 2;
  } else {
    return std::string();
  }
  const std::string rest = p.substr(restAt);
  if (rest.empty() || rest.find('/') != std::string::npos) return std::string();
  if (CheckRelativeName(rest) != NameProblem::kNone) return std::string();
  if (restAt == 2 && rest.find('\\') == std::string::npos) return std::string();
  return p;
}

bool PathInside(const std::string& path, const std::string& folder) {
  if (folder.empty() || path.size() <= folder.size() + 1) return false;
  return SameText(path.substr(0, folder.size()), folder) && path[folder.size()] == '\\';
}

RecordContents ParseUninstallRecord(const std::vector<std::string>& lines) {
  RecordContents r;
  std::string section;
  int autoexecLines = 0;
  std::vector<std::pair<std::string, std::string>> autoexec;
  for (const std::string& raw : lines) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const size_t close = line.find(']');
      section = UpperCase(Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
      continue;
    }
    const size_t equals = line.find('=');
    const std::string name = Trim(line.substr(0, equals));
    const std::string value = equals == std::string::npos ? std::string() : Trim(line.substr(equals + 1));
    if (name.empty()) continue;
    auto list = [&](std::vector<std::string>& into) {
      for (const std::string& n : into)
        if (SameText(n, name)) return;
      into.push_back(name);
    };
    if (section == "UNINS") list(r.unins);
    else if (section == "FOLDERS") list(r.folders);
    else if (section == "REGISTRY") list(r.registry);
    else if (section == "PROGRAM" && SameText(name, "Title")) r.title = value;
    else if (section == "CREATED") list(r.created);
    else if (section == "EXISTED") list(r.existed);
    else if (section == "KEPT") list(r.kept);
    else if (section == "LINKS") list(r.links);
    else if (section == "PROGRAMFOLDERS") list(r.programFolders);
    else if (section == "CREATEDFOLDERS") list(r.createdFolders);
    else if (section == "REGKEYS") list(r.regKeys);
    else if (section == "INIVALUES") {
      IniValueRecord v;
      if (ParseIniValueRecord(value, v)) r.iniValues.push_back(v);
    } else if (section == "REGVALUES") {
      RegValueRecord v;
      if (ParseRegValueRecord(value, v)) r.regValues.push_back(v);
    } else if (section == "AUTOEXEC") {
      r.hasAutoexec = true;
      if (SameText(name, "File")) r.autoexecFile = value;
      else if (SameText(name, "Backup")) r.autoexecBackup = value;
      else if (SameText(name, "Created")) r.autoexecCreated = value == "1";
      else if (SameText(name, "Lines")) autoexecLines = std::atoi(value.c_str());
      else autoexec.emplace_back(UpperCase(name), value);
    }
  }
  // The block is complete or not used at all.
  for (int i = 1; i <= autoexecLines && autoexecLines <= 10000; ++i) {
    auto it = std::find_if(autoexec.begin(), autoexec.end(), [&](const auto& e) {
      return e.first == "LINE" + std::to_string(i);
    });
    if (it == autoexec.end()) {
      r.autoexecBlock.clear();
      break;
    }
    r.autoexecBlock.push_back(it->second);
  }
  r.exact = !r.created.empty() || !r.createdFolders.empty() || !r.existed.empty() || !r.kept.empty();
  return r;
}

}  // namespace zel
