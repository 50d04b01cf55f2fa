// Window services that not every Windows has, each with its way on where it
// is missing.
#pragma once

#include <windows.h>

namespace zel::ui {

// Registers the common controls the windows use (progress bars, list views):
// InitCommonControlsEx where comctl32 has it (version 4.70 on), else
// InitCommonControls.
void InitCommonControlsForSetup();

// The bounds of the monitor that holds most of the window (MonitorFromWindow,
// Windows 98 and 2000 on); else the primary screen.
RECT MonitorBounds(HWND window);

}  // namespace zel::ui
