// The select-directory dialog TForm3, shown by the wizard's Browse button.
// Placeholder until the folder and drive lists exist: an edit box Edit1 with
// OK and Cancel.
#pragma once

#include <string>

#include "ui/dialog.h"

namespace zel::ui {

class TForm3 : public Dialog {
 public:
  // Shows the dialog modally over owner; true when it closed with OK.
  bool ShowModal(HWND owner);
  // The folder typed or chosen (the edit box's text when the dialog closed).
  std::string Edit1 = "C:\\Program Files";

 protected:
  INT_PTR OnInitDialog() override;
  bool OnCommand(int id, int notifyCode) override;
};

}  // namespace zel::ui
