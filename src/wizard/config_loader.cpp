#include "wizard/config_loader.h"

#include "platform/paths.h"
#include "platform/profile.h"

namespace zel {

namespace {

class ConfigReader {
 public:
  explicit ConfigReader(std::string file) : file_(std::move(file)) {}

  void Text(const char* key, std::string& value) const {
    value = profile::ReadString(file_, kMainSection, key, value);
  }
  void Integer(const char* key, int& value) const { value = profile::ReadInteger(file_, kMainSection, key, value); }
  void Bool(const char* key, bool& value) const { value = profile::ReadBool(file_, kMainSection, key, value); }

  void Header(const char* prefix, HeaderStyle& style) const {
    const std::string p = prefix;
    Text(p.c_str(), style.text);
    Text((p + " Font Name").c_str(), style.fontName);
    Integer((p + " Font Size").c_str(), style.fontSize);
    Integer((p + " Font Color").c_str(), style.color);
    Integer((p + " Font Shadow").c_str(), style.shadow);
  }

  // Appends the value of every entry of section, in file order; with
  // withNames the entry's name goes first, then "=" when there is a value:
  // the lines of "AUTOEXEC.BAT" are whole again ("SET TEMP=C:\TEMP" is read
  // as the entry SET TEMP with the value C:\TEMP).
  void Values(const char* section, TStringList& list, bool withNames = false) const {
    for (const std::string& name : profile::ReadKeyNames(file_, section)) {
      std::string line;
      if (withNames) line = name;
      const std::string value = profile::ReadString(file_, section, name, std::string());
      if (withNames && !value.empty()) line += '=';
      list.Add(std::move(line += value));
    }
  }

  void Files(TStringList& list) const {
    const std::string overwriteSection = "Files - OverWrite";
    int position = 0;
    for (const std::string& name : profile::ReadKeyNames(file_, "Files")) {
      const bool overwrite =
          profile::ReadBool(file_, overwriteSection, "File #" + ZeroPad(static_cast<unsigned>(position), 1), false);
      list.Add(profile::ReadString(file_, "Files", name, std::string()) + (overwrite ? "~X" : "~"));
      ++position;
    }
  }

 private:
  std::string file_;
};

}  // namespace

void LoadInstallConfig(SetupData& data) {
  data.ClearEntryLists();

  const ConfigReader cfg(data.SourceDir + "install.cfg");
  cfg.Integer("Install Disks", data.InstallDisks);
  cfg.Text("Install Dir", data.InstallDir);
  cfg.Text("Launch", data.LaunchProgram);
  cfg.Text("Folder", data.ProgramFolder);
  cfg.Bool("Add to Program Files", data.AddToProgramFiles);
  cfg.Bool("Show Warning Screen", data.ShowWarningScreen);
  cfg.Bool("Show Re-Boot", data.ShowReBoot);
  cfg.Bool("Work Station Prompt", data.WorkStationPrompt);
  cfg.Text("Bitmap File", data.BitmapFile);
  cfg.Bool("Align Center", data.AlignCenter);
  cfg.Bool("Align Left", data.AlignLeft);
  cfg.Bool("Align Right", data.AlignRight);
  cfg.Integer("Dither From", data.DitherFrom);
  cfg.Integer("Dither To", data.DitherTo);
  cfg.Header("Header", data.Header);
  cfg.Header("Header2", data.Header2);

  cfg.Values("Directories", data.DirectoryEntries);
  cfg.Files(data.FileEntries);
  cfg.Values("Desktop", data.ShortcutEntries);
  cfg.Values("INI - Setup", data.IniSetupEntries);
  cfg.Values("WorkStation", data.WorkStationEntries);
  cfg.Values("AUTOEXEC.BAT", data.AutoexecLines, true);
}

void ApplyWizardDefaults(const SetupData& data, WizardState& wizard) {
  wizard.rebootVisible = data.ShowReBoot;
  if (!data.LaunchProgram.empty() && !Contains(UpperCase(data.LaunchProgram), "SETUP.")) {
    wizard.launchChecked = true;
    wizard.returnChecked = false;
    wizard.rebootChecked = false;
  } else {
    wizard.launchEnabled = false;
    wizard.launchChecked = false;
    wizard.returnChecked = !data.ShowReBoot;
    wizard.rebootChecked = data.ShowReBoot;
  }
  if (!data.ShowWarningScreen) AdvanceWizardPage(wizard);
}

void AdvanceWizardPage(WizardState& wizard) {
  if (wizard.page >= kPageInstall) return;
  ++wizard.page;
  wizard.backEnabled = true;
  wizard.nextEnabled = true;
  wizard.installVisible = false;
  if (wizard.page == kPageLicence) {
    if (wizard.licenceLines <= 1)
      wizard.page = kPageDest;
    else
      wizard.nextEnabled = false;
  }
}

}  // namespace zel
