#include "ui/main_screen.h"

#include "ui/controls.h"

namespace zel::ui {

void TMainScreen::Paint(HDC dc, const RECT& /*client*/, const RECT& area) const {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(StartColor));
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

}  // namespace zel::ui
