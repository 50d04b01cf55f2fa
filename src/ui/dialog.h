// The dialog base: a dialog made from a resource template whose messages go
// to the virtual OnMessage of the C++ object (stored at WM_INITDIALOG). As
// with Window, no exception leaves the dialog procedure: one thrown by a
// handler is swallowed and the message counts as not handled.
#pragma once

#include <windows.h>

#include <string>

namespace zel::ui {

class Dialog {
 public:
  Dialog() = default;
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Shows the dialog of resource templateId modally over owner and returns
  // the value given to EndModal, or -1 when the dialog could not be made.
  INT_PTR ShowModal(HWND owner, int templateId);
  // Ends a modal run; the dialog is destroyed by the system afterwards.
  void EndModal(INT_PTR result);
  bool Showing() const { return hwnd_ != nullptr; }
  HWND Handle() const { return hwnd_; }

  HWND Item(int id) const;
  void SetItemText(int id, const std::string& text);
  std::string ItemText(int id) const;
  void EnableItem(int id, bool enabled);
  void ShowItem(int id, bool visible);
  bool ItemChecked(int id) const;
  void CheckItem(int id, bool checked);

 protected:
  // WM_INITDIALOG: the dialog exists; return TRUE to let the system set focus.
  virtual INT_PTR OnInitDialog() { return TRUE; }
  // WM_COMMAND from a control or menu; return TRUE when handled.
  virtual bool OnCommand(int id, int notifyCode);
  // Every other message; return TRUE when handled (set DWLP_MSGRESULT for
  // messages that need a result).
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace zel::ui
