// The wizard TZEL. It exists from program start (the configuration loader
// sets its choices before it is shown) and is shown modally once, after the
// preparation stage.
//
// Placeholder until the wizard pages exist: one page that shows the state
// (page index and the three finishing choices) with the buttons "&Install"
// (marks the installation as completed and closes), "&Cancel" (clears the
// restart choice and closes) and "Decline" (closes). The title-bar close box
// closes too.
#pragma once

#include "ui/dialog.h"
#include "wizard/wizard_state.h"

namespace zel::ui {

class TZEL : public Dialog {
 public:
  // Shows the wizard modally over owner; returns when it has closed.
  void ShowModal(HWND owner);

  // The pages and the user's choices. The finishing choices RadioButton1
  // (launch), RadioButton2 (return) and reboot are state.launchChecked,
  // state.returnChecked and state.rebootChecked.
  WizardState state;
  bool reboot() const { return state.rebootChecked; }
  void ClearReboot() { state.rebootChecked = false; }

  // The Next button's page move (run once by the loader when the warning
  // page is not shown).
  void nextClick();

 protected:
  INT_PTR OnInitDialog() override;
  bool OnCommand(int id, int notifyCode) override;

 private:
  void ShowState();
};

}  // namespace zel::ui
