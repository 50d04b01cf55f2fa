// Shell links for the installed programs: the component that writes them and
// the engine's shortcut step that drives it once per "Desktop" entry.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/string_list.h"
#include "wizard/link_folders.h"

namespace zel {

// One place a link is saved: the folder to create first when it is missing
// (the program folder, or for the single links the desktop or Start Menu
// itself) and the full path of the ".lnk" file.
struct LinkLocation {
  std::string folder;
  std::string linkPath;
  bool operator==(const LinkLocation&) const = default;
};

// Where one link goes, in the order the links are made. The program folder
// `folder` lies below the desktop, the Start Menu or its Programs folder. The
// Programs folder gets the link when no folder option is set or when the
// desktop folder is chosen.
std::vector<LinkLocation> PlanLinkLocations(const LinkFolders& links,
                                            const std::string& folder,
                                            const std::string& programName, bool desktop,
                                            bool startMenu, bool folderDesktop,
                                            bool folderStartMenu);

// One uninstall record: section ("UNINS" or "Folders") and entry name.
struct UninstallItem {
  std::string section;
  std::string name;
  bool operator==(const UninstallItem&) const = default;
};

// What the uninstaller must remove for one link, in the order it is recorded:
// the program folders and the "title.*" patterns of every place the link may
// go. An empty folder adds no "Folders" record: the links then lie directly
// in the desktop or Start Menu folders, which must never be removed.
std::vector<UninstallItem> LinkUninstallItems(const LinkFolders& links,
                                              const std::string& folder,
                                              const std::string& title, bool desktop,
                                              bool startMenu, bool folderDesktop,
                                              bool folderStartMenu);

// Saves the prepared link object as linkPath; false when it could not.
using LinkSaveFunction = std::function<bool(const std::string& linkPath)>;

class TShortcuts {
 public:
  // links are the folders that receive the links. Scans the existing
  // program folders into FolderList.
  explicit TShortcuts(LinkFolders links);

  std::string RunProgram;   // full path of the program the link starts
  std::string Folder;       // program folder, may hold backslashes for nesting
  std::string ProgramName;  // the link file is ProgramName + ".lnk"
  bool Desktop = false;     // also a single link on the desktop
  bool StartMenu = false;   // also a single link in the Start Menu
  bool FolderDesktop = false;    // program folder on the desktop (and in Programs)
  bool FolderStartMenu = false;  // program folder at the top of the Start Menu
  TStringList FolderList;   // existing program folders (ScanFolderList)
  std::string IconFile;     // file holding the link's icon (index 0)

  const LinkFolders& Links() const { return links_; }

  // Fills FolderList with the names in the Programs folder, except
  // names beginning with "." and names holding ".LNK" in any case.
  void ScanFolderList();

  // Writes the links for the current properties through the shell's link
  // object. Throws when the link object cannot be made (nothing is written
  // then); a folder or link that cannot be made is skipped, and the other
  // places are still tried.
  void CreateLinks();

  // The same with a given saver, for a link object prepared by the caller
  // with RunProgram, its folder and IconFile.
  void CreateLinks(const LinkSaveFunction& save);

  // The working folder of the link: RunProgram up to and including its last
  // backslash.
  std::string WorkingDirectory() const;

 private:
  LinkFolders links_;
};

// The wizard around the shortcut step.
class ShortcutStepHost {
 public:
  virtual ~ShortcutStepHost() = default;
  virtual void ShowDest(const std::string& text) = 0;  // the `Dest` label
  virtual void StepProgress() = 0;    // progress + 1
  virtual void ProcessMessages() = 0;
  // Whether the check list DK (desktop) / SM (Start Menu) holds an item equal
  // to title that is ticked.
  virtual bool DesktopTicked(const std::string& title) = 0;
  virtual bool StartMenuTicked(const std::string& title) = 0;
  // Writes one uninstall record; a failure throws and is not caught here.
  virtual void Record(const std::string& section, const std::string& name) = 0;
};

// The fields of one "Desktop" entry.
struct ShortcutEntry {
  std::string title;
  std::string target;  // tag followed by the program's path
  bool desktop = false;
  bool startMenu = false;
  std::string icon;    // tag followed by the icon's path
  std::string folder;
};
ShortcutEntry SplitShortcutEntry(std::string value);

// The engine's shortcut step: for each dirTags position, every entry whose
// target tag equals that tag gets its links (FolderDesktop and
// FolderStartMenu are left as the caller set them). Link errors are ignored;
// record errors propagate. createLinks runs CreateLinks on the component (the
// real one by default).
void RunShortcutStep(const TStringList& shortcutEntries, const TStringList& dirTags,
                     const TStringList& dirPaths, TShortcuts& shortcuts,
                     ShortcutStepHost& host,
                     const std::function<void(TShortcuts&)>& createLinks = {});

}  // namespace zel
