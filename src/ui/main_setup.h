// The background window TMainSetup: the application's main window, covering
// the screen for the whole setup. It owns the setup data and runs the stages:
// start-up when first shown, the preparation window and the wizard from its
// one-second timer, and the end steps when it closes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shell/setup_data.h"
#include "shell/win_reboot.h"
#include "ui/controls.h"
#include "ui/main_screen.h"
#include "ui/picture_panel.h"
#include "ui/window.h"

namespace zel::ui {

class TMainSetup : public Window {
 public:
  static constexpr const char* kCaption = "ZEL 32Bit Installer";
  static constexpr const char* kClassName = "ZELMainSetup";

  // Creates the (hidden) window and its controls; arguments are the program's
  // command-line arguments after its own name.
  bool CreateForm(std::vector<std::string> arguments);
  // Shows the window maximised; the start-up steps run once it is shown.
  void ShowMaximized();
  // Closes the window: the end steps run and the application ends.
  void Close();
  // Removes TempDir with everything in it.
  void ClearTempDir();
  // Repaints the whole background and its controls now.
  void Repaint();

  SetupData data;
  TMainScreen MainScreen;
  ShadowLabel Setup_Header;
  ShadowLabel Setup_Header2;
  ShadowLabel Footer;
  Picture Image1;
  PicturePanel bitmapscreen;  // the setup's own picture, shown during preparation
  TWinReboot WinReboot1;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormShow();
  void FormResize();
  void Timer1Timer();
  void FormClose();
  void Image1DblClick() { Close(); }
  void LoadInstallConfig();
  void ApplyAppearance();
  void PaintBackground(HDC dc, const RECT& area);

  std::vector<std::string> arguments_;
  bool shown_ = false;
  bool closing_ = false;
};

}  // namespace zel::ui
