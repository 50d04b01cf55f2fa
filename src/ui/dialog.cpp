#include "ui/dialog.h"

#include "ui/window.h"

#include <vector>

namespace zel::ui {

Dialog::~Dialog() {
  if (hwnd_) EndDialog(hwnd_, IDCANCEL);
}

INT_PTR Dialog::ShowModal(HWND owner, int templateId) {
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, Procedure,
                         reinterpret_cast<LPARAM>(this));
}

void Dialog::EndModal(INT_PTR result) {
  if (hwnd_) EndDialog(hwnd_, result);
}

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    if (self) self->hwnd_ = hwnd;
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (!self) return FALSE;
  INT_PTR result = FALSE;
  try {
    if (message == WM_INITDIALOG)
      result = self->OnInitDialog();
    else if (message == WM_COMMAND)
      result = self->OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    else
      result = self->OnMessage(message, wParam, lParam);
  } catch (...) {
    ReportUnexpectedError();
    result = FALSE;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

bool Dialog::OnCommand(int id, int /*notifyCode*/) {
  if (id == IDCANCEL) {
    EndModal(IDCANCEL);
    return true;
  }
  return false;
}

INT_PTR Dialog::OnMessage(UINT, WPARAM, LPARAM) { return FALSE; }

HWND Dialog::Item(int id) const { return hwnd_ ? GetDlgItem(hwnd_, id) : nullptr; }

void Dialog::SetItemText(int id, const std::string& text) {
  if (hwnd_) SetDlgItemTextA(hwnd_, id, text.c_str());
}

std::string Dialog::ItemText(int id) const {
  HWND item = Item(id);
  if (!item) return std::string();
  const int length = GetWindowTextLengthA(item);
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  const int n = GetWindowTextA(item, buffer.data(), length + 1);
  return std::string(buffer.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

void Dialog::EnableItem(int id, bool enabled) {
  if (HWND item = Item(id)) EnableWindow(item, enabled);
}

void Dialog::ShowItem(int id, bool visible) {
  if (HWND item = Item(id)) ShowWindow(item, visible ? SW_SHOW : SW_HIDE);
}

bool Dialog::ItemChecked(int id) const { return hwnd_ && IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }

void Dialog::CheckItem(int id, bool checked) {
  if (hwnd_) CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

}  // namespace zel::ui
