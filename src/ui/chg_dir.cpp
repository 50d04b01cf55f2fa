#include "ui/chg_dir.h"

#include "ui/chg_dir_res.h"

namespace zel::ui {

bool TForm3::ShowModal(HWND owner) { return Dialog::ShowModal(owner, IDD_FORM3) == IDOK; }

INT_PTR TForm3::OnInitDialog() {
  SetItemText(IDC_FORM3_EDIT1, Edit1);
  return TRUE;
}

bool TForm3::OnCommand(int id, int notifyCode) {
  if (id == IDOK) {
    Edit1 = ItemText(IDC_FORM3_EDIT1);
    EndModal(IDOK);
    return true;
  }
  return Dialog::OnCommand(id, notifyCode);
}

}  // namespace zel::ui
