#include "wizard/install_plan.h"

#include "platform/paths.h"
#include "platform/safe_name.h"
#include "shell/routines.h"
#include "wizard/dir_tags.h"

namespace zel {
namespace {

constexpr const char* kInstallDirTag = "<INSTALLDIR>";
constexpr const char* kUnsafeFile = "install.cfg names an unsafe file";

std::string FirstField(const std::string& value) {
  std::string rest = value;
  std::string head;
  SplitAtChar(rest, '~', head);
  return head;
}

// A Launch value names its folder by a leading tag ("<INSTALLDIR>prog.exe").
// Only a value that begins with the tag is rewritten: a tag found further in
// (a "<SUB" name followed by a base tag) would otherwise cut the wrong number
// of characters off the front, and a path already rewritten stays as it is.
void ResolveLaunch(std::string& launch, const std::string& tag, const std::string& folder) {
  if (tag.empty() || UpperCase(launch).rfind(tag, 0) != 0) return;
  launch = folder + "\\" + launch.substr(tag.size());
}

void PlanFiles(InstallPlan& plan, const TStringList& list) {
  for (int t = 0; t < static_cast<int>(plan.directories.size()); ++t) {
    const PlannedDirectory& dir = plan.directories[static_cast<size_t>(t)];
    for (int i = 0; i < list.Count(); ++i) {
      std::string rest = list[i];
      std::string fileField, tagField;
      SplitAtChar(rest, '~', fileField);
      SplitAtChar(rest, '~', tagField);
      if (UpperCase(tagField) != dir.tag) continue;
      PlannedFile file;
      file.directory = t;
      file.listIndex = i;
      file.name = SafeFileName(fileField, kUnsafeFile);
      file.folder = dir.folder;
      file.askOverwrite = rest == "X";
      file.deleteSource = !FileNeededElsewhere(list, file.name, i);
      plan.files.push_back(std::move(file));
    }
  }
}

}  // namespace

bool FileNeededElsewhere(const TStringList& list, const std::string& name, int index) {
  const std::string upperName = UpperCase(name);
  for (int j = 0; j < list.Count(); ++j) {
    if (j != index && Contains(UpperCase(list[j]), upperName)) return true;
  }
  return false;
}

PlannedLaunch PlanLaunch(const std::string& launchProgram, bool launchChecked) {
  PlannedLaunch launch;
  const std::string upper = UpperCase(launchProgram);
  launch.run = launchChecked || Contains(upper, "SETUP.") || Contains(upper, "INSTALL.");
  size_t slash = launchProgram.rfind('\\');
  launch.file = slash == std::string::npos ? launchProgram : launchProgram.substr(slash + 1);
  launch.folder = slash == std::string::npos ? std::string() : launchProgram.substr(0, slash + 1);
  if (launch.file.empty()) launch.run = false;
  return launch;
}

InstallPlan PlanInstall(const SetupData& setup, const InstallChoices& choices,
                        const std::string& windowsDir) {
  InstallPlan plan;
  plan.progressMax = setup.FileEntries.Count() + setup.ShortcutEntries.Count() +
                     setup.IniSetupEntries.Count() + setup.WorkStationEntries.Count();
  // The destination is known before any entry is resolved, so sub-folders
  // listed ahead of "<INSTALLDIR>" still land under it.
  for (int i = 0; i < setup.DirectoryEntries.Count(); ++i) {
    if (UpperCase(FirstField(setup.DirectoryEntries[i])) == kInstallDirTag) {
      plan.hasInstallDir = true;
      plan.installPath = choices.destination;
    }
  }
  plan.launchProgram = setup.LaunchProgram;
  for (int i = 0; i < setup.DirectoryEntries.Count(); ++i) {
    std::string rest = setup.DirectoryEntries[i];
    std::string tag, path;
    SplitAtChar(rest, '~', tag);
    SplitAtChar(rest, '~', path);
    PlannedDirectory dir;
    dir.tag = UpperCase(tag);
    dir.isInstallDir = dir.tag == kInstallDirTag;
    dir.folder = ResolveDirectoryTag(dir.tag, path, windowsDir, plan.installPath);
    ResolveLaunch(plan.launchProgram, dir.tag, dir.folder);
    plan.directories.push_back(std::move(dir));
  }
  plan.networkInstall = choices.minInstall;
  PlanFiles(plan, plan.networkInstall ? setup.WorkStationEntries : setup.FileEntries);
  plan.launch = PlanLaunch(plan.launchProgram, choices.launchChecked);
  return plan;
}

}  // namespace zel
