#include "ui/system_ui.h"

#include <commctrl.h>

#include "platform/lookup.h"

namespace zel::ui {

namespace {

// The declarations of Windows 98 and 2000, which the headers keep back for
// programs made for older systems.
struct MonitorInfo {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};
constexpr DWORD kMonitorDefaultToPrimary = 1;

}  // namespace

void InitCommonControlsForSetup() {
  using InitExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  if (const auto initEx = sys::LookUp<InitExFn>("comctl32.dll", "InitCommonControlsEx")) {
    // The standard controls of comctl32 version 6 as well, where the
    // manifest brings it; an older comctl32 that refuses the flag gets
    // InitCommonControls, which registers the rest.
    constexpr DWORD kStandardClasses = 0x00004000;  // ICC_STANDARD_CLASSES
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | kStandardClasses};
    if (initEx(&controls)) return;
  }
  InitCommonControls();
}

RECT MonitorBounds(HWND window) {
  using MonitorFromWindowFn = HANDLE(WINAPI*)(HWND, DWORD);
  using GetMonitorInfoFn = BOOL(WINAPI*)(HANDLE, MonitorInfo*);
  const auto fromWindow = sys::LookUp<MonitorFromWindowFn>("user32.dll", "MonitorFromWindow");
  const auto getInfo = sys::LookUp<GetMonitorInfoFn>("user32.dll", "GetMonitorInfoA");
  MonitorInfo info{};
  info.cbSize = sizeof info;
  if (fromWindow && getInfo && getInfo(fromWindow(window, kMonitorDefaultToPrimary), &info)) return info.rcMonitor;
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace zel::ui
