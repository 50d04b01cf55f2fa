#include <windows.h>
#include <commctrl.h>

#include "progress_window.h"

namespace zel::uninstaller {
namespace {

constexpr char kClassName[] = "ZelUninstallProgress";

LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The window cannot be closed while the removal runs.
  if (message == WM_CLOSE) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

ProgressWindow::ProgressWindow(const std::string& caption) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = ProgressProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_WAIT);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
  constexpr int kWidth = 420, kHeight = 120;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, caption.c_str(),
                                WS_POPUP | WS_CAPTION | WS_VISIBLE, x, y, kWidth, kHeight, nullptr,
                                nullptr, instance, nullptr);
  window_ = window;
  if (!window) return;
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 12, 12,
                               kWidth - 30, 18, window, nullptr, instance, nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 12, 40, kWidth - 30, 20,
                             window, nullptr, instance, nullptr);
  label_ = label;
  bar_ = bar;
  UpdateWindow(window);
  PumpMessages();
}

ProgressWindow::~ProgressWindow() {
  if (window_) DestroyWindow(static_cast<HWND>(window_));
  PumpMessages();
}

void ProgressWindow::Show(const std::string& item, int done, int total) {
  if (!window_) return;
  SetWindowTextA(static_cast<HWND>(label_), ("Removing " + item).c_str());
  SendMessageA(static_cast<HWND>(bar_), PBM_SETRANGE, 0, MAKELPARAM(0, total > 0 ? total : 1));
  SendMessageA(static_cast<HWND>(bar_), PBM_SETPOS, static_cast<WPARAM>(done), 0);
  PumpMessages();
}

}  // namespace zel::uninstaller
