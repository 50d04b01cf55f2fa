// MainScreen: the fill behind the whole background window. Everything that
// paints the background goes through Paint, so the fill can be replaced here
// alone. For now a flat fill in the start colour.
#pragma once

#include <windows.h>

#include "shell/setup_data.h"

namespace zel::ui {

class TMainScreen {
 public:
  TColor StartColor = clBlue;
  TColor EndColor = clBlack;
  // Paints the part area (client coordinates) of a fill that covers client.
  void Paint(HDC dc, const RECT& client, const RECT& area) const;
};

}  // namespace zel::ui
