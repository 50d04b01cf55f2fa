#include "ui/main_screen.h"

namespace zel::ui {

void TMainScreen::Paint(HDC dc, const RECT& client, const RECT& area) {
  // The parent resizes the fill on WM_SIZE; a paint that comes first (or a
  // caller drawing elsewhere) still gets a gradient over the whole client.
  if (!EqualRect(&client, &Bounds())) PlaceWithoutRepaint(client);
  TFountainFill::Paint(dc, &area);
}

}  // namespace zel::ui
