#include "wizard/shortcuts.h"

#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/shell_link.h"
#include "shell/routines.h"
#include "wizard/entry_tags.h"

namespace zel {
namespace {

constexpr char kDesktop[] = "\\Desktop\\";
constexpr char kStartMenu[] = "\\Start Menu\\";
constexpr char kPrograms[] = "\\Start Menu\\Programs\\";

LinkLocation InFolder(const std::string& parent, const std::string& folder,
                      const std::string& programName) {
  const std::string dir = parent + folder + "\\";
  return {dir, dir + programName + ".lnk"};
}

}  // namespace

std::vector<LinkLocation> PlanLinkLocations(const std::string& windowsDir,
                                            const std::string& folder,
                                            const std::string& programName, bool desktop,
                                            bool startMenu, bool folderDesktop,
                                            bool folderStartMenu) {
  const std::string& w = windowsDir;
  std::vector<LinkLocation> plan;
  if (folderDesktop || folderStartMenu) {
    if (folderDesktop) {
      plan.push_back(InFolder(w + kDesktop, folder, programName));
      plan.push_back(InFolder(w + kPrograms, folder, programName));
    }
    if (folderStartMenu) plan.push_back(InFolder(w + kStartMenu, folder, programName));
  } else {
    plan.push_back(InFolder(w + kPrograms, folder, programName));
  }
  if (desktop) plan.push_back({"", w + kDesktop + programName + ".lnk"});
  if (startMenu) plan.push_back({"", w + kStartMenu + programName + ".lnk"});
  return plan;
}

std::vector<UninstallItem> LinkUninstallItems(const std::string& windowsDir,
                                              const std::string& folder,
                                              const std::string& title, bool desktop,
                                              bool startMenu, bool folderDesktop,
                                              bool folderStartMenu) {
  const std::string& w = windowsDir;
  const std::string pattern = "\\" + title + ".*";
  std::vector<UninstallItem> items;
  auto programFolder = [&](const std::string& parent) {
    if (!folder.empty()) items.push_back({"Folders", w + parent + folder});
    items.push_back({"UNINS", w + parent + folder + pattern});
  };
  if (folderDesktop) programFolder(kDesktop);
  if (desktop) items.push_back({"UNINS", w + "\\Desktop" + pattern});
  if (startMenu) items.push_back({"UNINS", w + "\\Start Menu" + pattern});
  if (folderStartMenu) programFolder(kStartMenu);
  programFolder(kPrograms);
  return items;
}

TShortcuts::TShortcuts(std::string windowsDir) : windowsDir_(std::move(windowsDir)) {
  ScanFolderList();
}

void TShortcuts::ScanFolderList() {
  FolderList.Clear();
  for (const fs::FindEntry& entry : fs::FindFiles(windowsDir_ + kPrograms + "*.*")) {
    if (entry.name.empty() || entry.name[0] == '.') continue;
    if (Contains(UpperCase(entry.name), ".LNK")) continue;
    FolderList.Add(entry.name);
  }
}

std::string TShortcuts::WorkingDirectory() const {
  const size_t lastBackslash = RunProgram.rfind('\\');
  return lastBackslash == std::string::npos ? std::string() : RunProgram.substr(0, lastBackslash + 1);
}

void TShortcuts::CreateLinks(const LinkSaveFunction& save) {
  LinkFailures.clear();
  for (const LinkLocation& place : PlanLinkLocations(windowsDir_, Folder, ProgramName, Desktop,
                                                     StartMenu, FolderDesktop, FolderStartMenu)) {
    // A place that fails is skipped; the others are still tried.
    try {
      if (!place.folder.empty() && !fs::DirectoryExists(place.folder))
        fs::ForceDirectories(place.folder);
      if (!save(place.linkPath)) LinkFailures.push_back("Cannot save the link " + place.linkPath);
    } catch (const Exception& e) {
      LinkFailures.push_back("Cannot make the link " + place.linkPath + ": " + e.Message());
    }
  }
}

void TShortcuts::CreateLinks() {
  TShellLink link;
  link.SetPath(RunProgram);
  link.SetWorkingDirectory(WorkingDirectory());
  link.SetIconLocation(IconFile, 0);
  CreateLinks([&link](const std::string& linkPath) { return link.Save(linkPath); });
}

ShortcutEntry SplitShortcutEntry(std::string value) {
  ShortcutEntry entry;
  std::string mark;
  SplitAtChar(value, '~', entry.title);
  SplitAtChar(value, '~', entry.target);
  SplitAtChar(value, '~', mark);
  entry.desktop = mark == "X";
  SplitAtChar(value, '~', mark);
  entry.startMenu = mark == "X";
  SplitAtChar(value, '~', entry.icon);
  SplitAtChar(value, '~', entry.folder);
  return entry;
}

void RunShortcutStep(const TStringList& shortcutEntries, const TStringList& dirTags,
                     const TStringList& dirPaths, TShortcuts& shortcuts,
                     ShortcutStepHost& host,
                     const std::function<void(TShortcuts&)>& createLinks) {
  for (int t = 0; t < dirTags.Count() && t < dirPaths.Count(); ++t) {
    for (int k = 0; k < shortcutEntries.Count(); ++k) {
      const ShortcutEntry entry = SplitShortcutEntry(shortcutEntries[k]);
      std::string tag, target, iconTag, icon;
      if (!SplitLeadingTag(entry.target, tag, target) || tag != dirTags[t]) continue;
      SplitLeadingTag(entry.icon, iconTag, icon);

      host.ShowDest(entry.folder);
      host.ProcessMessages();
      host.StepProgress();
      host.ProcessMessages();

      shortcuts.Folder = entry.folder;
      shortcuts.ProgramName = entry.title;
      shortcuts.RunProgram = dirPaths[t] + "\\" + target;
      shortcuts.IconFile = dirPaths[t] + "\\" + icon;
      shortcuts.Desktop = entry.desktop && host.DesktopTicked(entry.title);
      shortcuts.StartMenu = entry.startMenu && host.StartMenuTicked(entry.title);

      for (const UninstallItem& item :
           LinkUninstallItems(shortcuts.WindowsDir(), entry.folder, entry.title,
                              shortcuts.Desktop, shortcuts.StartMenu, shortcuts.FolderDesktop,
                              shortcuts.FolderStartMenu))
        host.Record(item.section, item.name);

      shortcuts.LinkFailures.clear();
      try {
        if (createLinks)
          createLinks(shortcuts);
        else
          shortcuts.CreateLinks();
      } catch (const std::exception& e) {
        host.LinkFailed("Cannot make the links of " + entry.title + ": " + e.what());
      }
      for (const std::string& failure : shortcuts.LinkFailures) host.LinkFailed(failure);
    }
  }
}

}  // namespace zel
