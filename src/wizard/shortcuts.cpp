#include "wizard/shortcuts.h"

#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/shell_link.h"
#include "shell/routines.h"
#include "wizard/entry_tags.h"
#include "wizard/uninstall_record.h"

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

// The folders below which the program folder of a link is made.
std::vector<std::string> ProgramFolderParents(const LinkFolders& links, bool folderDesktop,
                                              bool folderStartMenu) {
  if (!folderDesktop && !folderStartMenu) return {links.programs};
  std::vector<std::string> parents;
  if (folderDesktop) parents = {links.desktop, links.programs};
  if (folderStartMenu) parents.push_back(links.startMenu);
  return parents;
}

// Records what the links of one entry add to the system, before they are
// made: every program folder level that does not exist yet, and each link
// file, as created or as one that was there before.
void RecordLinkFiles(const TShortcuts& shortcuts, ShortcutStepHost& host) {
  const LinkFolders& links = shortcuts.Links();
  for (const std::string& parent :
       ProgramFolderParents(links, shortcuts.FolderDesktop, shortcuts.FolderStartMenu)) {
    std::string path = parent;
    size_t start = 0;
    while (start < shortcuts.Folder.size()) {
      size_t end = shortcuts.Folder.find('\\', start);
      if (end == std::string::npos) end = shortcuts.Folder.size();
      if (end > start) {
        path += "\\" + shortcuts.Folder.substr(start, end - start);
        if (!fs::DirectoryExists(path)) host.Record(kProgramFoldersSection, path);
      }
      start = end + 1;
    }
  }
  for (const LinkLocation& place :
       PlanLinkLocations(links, shortcuts.Folder, shortcuts.ProgramName, shortcuts.Desktop,
                         shortcuts.StartMenu, shortcuts.FolderDesktop, shortcuts.FolderStartMenu)) {
    host.Record(kLinksSection, place.linkPath);
    host.Record(fs::FileExists(place.linkPath) ? kExistedSection : kCreatedSection, place.linkPath);
  }
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
  LinkFailures.clear();
  LinksMade.clear();
  for (const LinkLocation& place : PlanLinkLocations(links_, Folder, ProgramName, Desktop,
                                                     StartMenu, FolderDesktop, FolderStartMenu)) {
    // A place that fails is skipped; the others are still tried.
    try {
      if (!place.folder.empty() && !fs::DirectoryExists(place.folder))
        fs::ForceDirectories(place.folder);
      if (save(place.linkPath)) LinksMade.push_back(place.linkPath);
      else LinkFailures.push_back("Cannot save the link " + place.linkPath);
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
           LinkUninstallItems(shortcuts.Links(), entry.folder, entry.title,
                              shortcuts.Desktop, shortcuts.StartMenu, shortcuts.FolderDesktop,
                              shortcuts.FolderStartMenu))
        host.Record(item.section, item.name);
      RecordLinkFiles(shortcuts, host);

      shortcuts.LinkFailures.clear();
      shortcuts.LinksMade.clear();
      try {
        if (createLinks)
          createLinks(shortcuts);
        else
          shortcuts.CreateLinks();
      } catch (const std::exception& e) {
        host.LinkFailed("Cannot make the links of " + entry.title + ": " + e.what());
      }
      for (const std::string& made : shortcuts.LinksMade) host.LinkMade(made);
      for (const std::string& failure : shortcuts.LinkFailures) host.LinkFailed(failure);
    }
  }
}

}  // namespace zel
