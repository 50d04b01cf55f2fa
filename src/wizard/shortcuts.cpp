#include "wizard/shortcuts.h"

#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/shell_link.h"
#include "shell/routines.h"
#include "wizard/entry_tags.h"

namespace zel {
namespace {

LinkLocation InFolder(const std::string& parent, const std::string& folder,
                      const std::string& programName) {
  const std::string dir = parent + "\\" + folder + "\\";
  return {dir, dir + programName + ".lnk"};
}

LinkLocation Single(const std::string& parent, const std::string& programName) {
  return {parent, parent + "\\" + programName + ".lnk"};
}

}  // namespace

std::vector<LinkLocation> PlanLinkLocations(const LinkFolders& links,
                                            const std::string& folder,
                                            const std::string& programName, bool desktop,
                                            bool startMenu, bool folderDesktop,
                                            bool folderStartMenu) {
  std::vector<LinkLocation> plan;
  if (folderDesktop || folderStartMenu) {
    if (folderDesktop) {
      plan.push_back(InFolder(links.desktop, folder, programName));
      plan.push_back(InFolder(links.programs, folder, programName));
    }
    if (folderStartMenu) plan.push_back(InFolder(links.startMenu, folder, programName));
  } else {
    plan.push_back(InFolder(links.programs, folder, programName));
  }
  if (desktop) plan.push_back(Single(links.desktop, programName));
  if (startMenu) plan.push_back(Single(links.startMenu, programName));
  return plan;
}

std::vector<UninstallItem> LinkUninstallItems(const LinkFolders& links,
                                              const std::string& folder,
                                              const std::string& title, bool desktop,
                                              bool startMenu, bool folderDesktop,
                                              bool folderStartMenu) {
  const std::string pattern = "\\" + title + ".*";
  std::vector<UninstallItem> items;
  auto programFolder = [&](const std::string& parent) {
    if (!folder.empty()) items.push_back({"Folders", parent + "\\" + folder});
    items.push_back({"UNINS", parent + "\\" + folder + pattern});
  };
  if (folderDesktop) programFolder(links.desktop);
  if (desktop) items.push_back({"UNINS", links.desktop + pattern});
  if (startMenu) items.push_back({"UNINS", links.startMenu + pattern});
  if (folderStartMenu) programFolder(links.startMenu);
  programFolder(links.programs);
  return items;
}

TShortcuts::TShortcuts(LinkFolders links) : links_(std::move(links)) {
  ScanFolderList();
}

void TShortcuts::ScanFolderList() {
  FolderList.Clear();
  for (const fs::FindEntry& entry : fs::FindFiles(links_.programs + "\\*.*")) {
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
  for (const LinkLocation& place : PlanLinkLocations(links_, Folder, ProgramName, Desktop,
                                                     StartMenu, FolderDesktop, FolderStartMenu)) {
    try {
      if (!place.folder.empty() && !fs::DirectoryExists(place.folder))
        fs::ForceDirectories(place.folder);
      save(place.linkPath);
    } catch (const Exception&) {
      // A folder that cannot be made skips this place only.
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
           LinkUninstallItems(shortcuts.Links(), entry.folder, entry.title,
                              shortcuts.Desktop, shortcuts.StartMenu, shortcuts.FolderDesktop,
                              shortcuts.FolderStartMenu))
        host.Record(item.section, item.name);

      try {
        if (createLinks)
          createLinks(shortcuts);
        else
          shortcuts.CreateLinks();
      } catch (const std::exception&) {
        // The link object could not be made: this entry gets no links.
      }
    }
  }
}

}  // namespace zel
