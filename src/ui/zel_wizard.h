// The wizard TZEL. It exists from program start (the configuration loader
// sets its choices before it is shown) and is shown modally once, after the
// preparation stage. The page rules live in wizard/page_rules.h; this window
// shows their state and runs the install engine from its Install button.
#pragma once

#include <string>

#include "ui/dialog.h"
#include "wizard/install_engine.h"
#include "wizard/wizard_state.h"

namespace zel::ui {

class TZEL : public Dialog {
 public:
  // Shows the wizard modally over owner; returns when it has closed.
  void ShowModal(HWND owner);
  // The install without questions (/S, /PASSIVE): the wizard's defaults and
  // the command line's choices. With show, the wizard appears on its install
  // page with the progress; otherwise no window is shown. Returns when the
  // install has ended; every refusal goes to the log and the exit status.
  void RunUnattended(HWND owner, bool show);

  // The pages and the user's choices. The finishing choices RadioButton1
  // (launch), RadioButton2 (return) and reboot are state.launchChecked,
  // state.returnChecked and state.rebootChecked.
  WizardState state;
  bool reboot() const { return state.rebootChecked; }
  void ClearReboot() { state.rebootChecked = false; }

  // The Next button's page move (run once by the loader when the warning
  // page is not shown).
  void nextClick();

  // The shortcut, registry/INI and startup-file steps of the install. Not
  // owned; without hooks those steps do nothing.
  void SetInstallHooks(InstallHooks* hooks) { hooks_ = hooks; }

  // Window side of the install: status label, target label, progress bar.
  void SetSourceText(const std::string& text);
  void SetDestText(const std::string& text);
  void SetProgressMax(int max);
  void StepProgress();

 protected:
  INT_PTR OnInitDialog() override;
  bool OnCommand(int id, int notifyCode) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormShow();
  void browseClick();
  void installClick();
  // The user's choices for the install, as the controls show them.
  InstallChoices Choices() const;
  void PerformInstall(const InstallChoices& choices, const std::string& windowsDir);
  // The unattended install itself (see RunUnattended).
  void InstallUnattended();
  // Ends an unattended install that cannot start: the reason goes to the
  // log, code to the exit status; no message box, no restart.
  void RefuseInstall(const std::string& reason, SetupExitCode code);
  void Close();
  // Reads the user's ticks and radio choices into state.
  void ReadControls();
  // Shows state: the current page, the buttons, the texts and the lists.
  void ShowState();
  void FillCheckList(int id, const std::vector<zel::CheckItem>& items);
  void ReadCheckList(int id, std::vector<zel::CheckItem>& items);

  InstallHooks* hooks_ = nullptr;
  int progress_ = 0;
  bool unattended_ = false;
};

}  // namespace zel::ui
