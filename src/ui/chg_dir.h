// The select-directory dialog TForm3, shown by the wizard's Browse button: a
// note, the edit box Edit1 with the chosen folder, a folder list bound to a
// drive list, OK and Cancel.
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

 private:
  // Shows folder in the folder list; false (list unchanged) when it is no folder.
  bool ShowFolder(const std::string& folder);
  void FillDrives();
  void DirectoryListBox1Change();
  void DirectoryListBox1Open();
  void DriveComboBox1Change();

  std::string currentDir_ = "C:\\";
};

}  // namespace zel::ui
