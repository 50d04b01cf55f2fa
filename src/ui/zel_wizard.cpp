#include "ui/zel_wizard.h"

#include "ui/globals.h"
#include "ui/main_setup.h"
#include "ui/zel_wizard_res.h"
#include "wizard/config_loader.h"

namespace zel::ui {

void TZEL::ShowModal(HWND owner) { Dialog::ShowModal(owner, IDD_ZEL); }

void TZEL::nextClick() {
  AdvanceWizardPage(state);
  ShowState();
}

INT_PTR TZEL::OnInitDialog() {
  ShowState();
  return TRUE;
}

void TZEL::ShowState() {
  if (!Handle()) return;
  std::string text = "Page " + std::to_string(state.page) + "\r\n";
  text += std::string("Launch Program after installed: ") + (state.launchChecked ? "checked" : "not checked") +
          (state.launchEnabled ? "" : ", disabled") + "\r\n";
  text += std::string("Return to Windows after installed: ") + (state.returnChecked ? "checked" : "not checked") +
          "\r\n";
  text += std::string("Re Boot Windows After installed: ") + (state.rebootChecked ? "checked" : "not checked") +
          (state.rebootVisible ? "" : ", hidden");
  SetItemText(IDC_ZEL_STATUS, text);
}

bool TZEL::OnCommand(int id, int /*notifyCode*/) {
  switch (id) {
    case IDC_ZEL_INSTALL:
      if (MainSetup) MainSetup->data.InstallCompleted = true;
      EndModal(IDOK);
      return true;
    case IDC_ZEL_CANCEL:
      ClearReboot();
      EndModal(IDCANCEL);
      return true;
    case IDC_ZEL_DECLINE:
    case IDCANCEL:  // the title-bar close box
      EndModal(IDCANCEL);
      return true;
    default:
      return false;
  }
}

}  // namespace zel::ui
