// The preparation window TUnzip: shown modally by the background window before
// the wizard. Placeholder until the archive stage exists: it shows its
// message for a second and closes; a click on it asks "Abort Setup Process ?"
// (No / Abort) and Abort sets SetupAborted.
#pragma once

#include "ui/dialog.h"

namespace zel::ui {

class TUnzip : public Dialog {
 public:
  // Shows the window modally over owner; returns when it has closed.
  void ShowModal(HWND owner);
  // Set when the expansion failed or the user aborted; the background then
  // ends the setup without showing the wizard.
  bool SetupAborted = false;

 protected:
  INT_PTR OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormClick();
};

}  // namespace zel::ui
