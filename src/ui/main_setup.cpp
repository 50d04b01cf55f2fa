#include "ui/main_setup.h"

#include "platform/errors.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "shell/setup_sequence.h"
#include "ui/globals.h"
#include "ui/main_setup_res.h"
#include "ui/system_ui.h"
#include "ui/unzip.h"
#include "ui/zel_wizard.h"
#include "wizard/config_loader.h"

namespace zel::ui {

namespace {
constexpr UINT kFormShowMessage = WM_APP + 1;
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 1000;
constexpr const char* kFooterText = "ZEL Setup - the installer for 32-bit Windows";
}  // namespace

bool TMainSetup::CreateForm(std::vector<std::string> arguments) {
  arguments_ = std::move(arguments);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAINICON));
  RegisterClass(kClassName, 0, nullptr, nullptr, icon);
  if (!Create(kClassName, kCaption, WS_POPUP | WS_CLIPCHILDREN, WS_EX_APPWINDOW, 0, 0, 536, 348, nullptr))
    return false;
  MainScreen.SetParent(Handle());
  auto painter = [this](HDC dc, const RECT& area) { PaintBackground(dc, area); };
  Setup_Header.Create(Handle(), IDC_SETUP_HEADER, 8, 1, painter);
  Setup_Header2.Create(Handle(), IDC_SETUP_HEADER2, 18, 32, painter);
  Footer.Create(Handle(), IDC_FOOTER, 0, 300, painter);
  Footer.SetCentered(true);
  Footer.SetHandCursor(true);
  Footer.SetFont(MakeFont("MS Sans Serif", 8));
  Footer.SetColors(clWhite, clWhite, 0);
  Footer.SetCaption(kFooterText);
  Image1.Create(Handle(), IDC_IMAGE1, 480, 8, 32, 32, painter);
  // The picture is the program's own icon, drawn at 32 x 32.
  Image1.SetIcon(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAINICON), IMAGE_ICON, 32, 32, 0)));
  Image1.onDoubleClick = [this] { Image1DblClick(); };
  bitmapscreen.Create(Handle(), IDC_BITMAPSCREEN, 16, 56, 153, 89);
  ApplyAppearance();
  sys::SetMainWindow(reinterpret_cast<intptr_t>(Handle()));
  return true;
}

void TMainSetup::ShowMaximized() {
  // Without a window manager (Wine on a bare X display) a maximised popup
  // falls back to its normal size once it is mapped: make the normal size
  // the whole monitor too, so the window covers the screen either way.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (GetWindowPlacement(Handle(), &placement)) {
    placement.rcNormalPosition = MonitorBounds(Handle());
    placement.showCmd = SW_SHOWMAXIMIZED;
    SetWindowPlacement(Handle(), &placement);
  } else {
    ShowWindow(Handle(), SW_SHOWMAXIMIZED);
  }
  UpdateWindow(Handle());
  if (!shown_) {
    shown_ = true;
    PostMessageA(Handle(), kFormShowMessage, 0, 0);
  }
}

void TMainSetup::Close() {
  if (Handle()) PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TMainSetup::ClearTempDir() { zel::ClearTempDir(data.TempDir); }

void TMainSetup::Repaint() {
  if (!Handle()) return;
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TMainSetup::ApplyAppearance() {
  MainScreen.SetColors(data.DitherFrom, data.DitherTo);
  Setup_Header.SetFont(MakeFont(data.Header.fontName, data.Header.fontSize));
  Setup_Header.SetColors(data.Header.color, data.Header.shadow, 2);
  Setup_Header.SetCaption(data.Header.text);
  Setup_Header2.SetFont(MakeFont(data.Header2.fontName, data.Header2.fontSize));
  Setup_Header2.SetColors(data.Header2.color, data.Header2.shadow, 1);
  Setup_Header2.SetCaption(data.Header2.text);
  FormResize();
  Repaint();
}

void TMainSetup::LoadInstallConfig() {
  zel::LoadInstallConfig(data);
  ApplyAppearance();
  if (ZEL) ApplyWizardDefaults(data, ZEL->state);
}

void TMainSetup::FormShow() {
  try {
    SetUpFolders(data, arguments_);
  } catch (const Exception& e) {
    // The setup stays on an empty background until it is closed.
    sys::MsgBox(e.Message(), sys::kMbOk | sys::kMbIconError);
    return;
  }
  ProcessMessages();
  if (closing_ || !Handle()) return;  // closed while the messages ran
  // TempDir is new and empty: nothing of an earlier setup to clear.
  LoadInstallConfig();
  SetTimer(Handle(), kTimer1, kTimer1Interval, nullptr);
}

void TMainSetup::FormResize() {
  RECT client;
  GetClientRect(Handle(), &client);
  const int width = client.right, height = client.bottom;
  MainScreen.SetBounds(client);
  const int pictureWidth = Image1.Width();
  Image1.SetBounds(width - (pictureWidth + pictureWidth / 2), 8, pictureWidth, Image1.Height());
  Footer.SetBounds(0, height - Footer.Height() - 10, width, Footer.Height());
  const RECT header = Setup_Header.Bounds();
  Setup_Header.SetBounds(header.left, 1, header.right - header.left, header.bottom - header.top);
  const RECT header2 = Setup_Header2.Bounds();
  Setup_Header2.SetBounds(header2.left, 1 + (header.bottom - header.top) + 2, header2.right - header2.left,
                          header2.bottom - header2.top);
}

void TMainSetup::Timer1Timer() {
  KillTimer(Handle(), kTimer1);
  if (Unzip) Unzip->ShowModal(Handle());
  // However the preparation window closed, the wizard comes only after a
  // complete expansion.
  const bool expanded = Unzip && Unzip->Succeeded && !Unzip->SetupAborted;
  delete Unzip;
  Unzip = nullptr;
  if (expanded && ZEL) ZEL->ShowModal(Handle());
  Close();
}

void TMainSetup::FormClose() {
  EndSetup(data);
  if (ShouldRestartWindows(data, ZEL && ZEL->reboot())) WinReboot1.ShutdownWindows(sys::kExitReboot);
}

void TMainSetup::PaintBackground(HDC dc, const RECT& area) {
  RECT client;
  GetClientRect(Handle(), &client);
  MainScreen.Paint(dc, client, area);
}

LRESULT TMainSetup::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kFormShowMessage:
      FormShow();
      return 0;
    case WM_TIMER:
      if (wParam == kTimer1) Timer1Timer();
      return 0;
    case WM_SIZE:
      FormResize();
      return 0;
    case WM_ERASEBKGND:
      // The gradient is opaque and painted in WM_PAINT: never erase first.
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      PaintBackground(dc, ps.rcPaint);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_CLOSE:
      if (closing_) return 0;
      closing_ = true;
      FormClose();
      DestroyWindow(Handle());
      return 0;
    case WM_DESTROY:
      sys::SetMainWindow(0);
      PostQuitMessage(data.ExitCode);
      return 0;
    default:
      return Window::OnMessage(message, wParam, lParam);
  }
}

}  // namespace zel::ui
