// MainScreen: the gradient behind the whole background window. Everything that
// paints the background goes through Paint. Its design values: 255 horizontal
// bands from blue at the top to black at the bottom; the install script's
// "Dither From" and "Dither To" replace the two colours.
#pragma once

#include <windows.h>

#include "shell/setup_data.h"
#include "ui/fountain_fill.h"

namespace zel::ui {

class TMainScreen : public TFountainFill {
 public:
  TMainScreen() {
    SetFromColor(static_cast<COLORREF>(clBlue));
    SetToColor(static_cast<COLORREF>(clBlack));
    SetSteps(255);
  }
  void SetColors(TColor start, TColor end) {
    SetFromColor(static_cast<COLORREF>(start));
    SetToColor(static_cast<COLORREF>(end));
  }
  // Paints the part area (client coordinates) of the fill; the fill covers
  // client, the parent's whole client area.
  void Paint(HDC dc, const RECT& client, const RECT& area);
};

}  // namespace zel::ui
