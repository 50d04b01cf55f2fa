// TFountainFill: the colour gradient behind the background window.
//
// A windowless control: it owns no window of its own but paints a rectangle
// of its parent's client area when the parent's WM_PAINT calls Paint. The
// parent must answer WM_ERASEBKGND as done (return 1) for the area the fill
// covers, so the area is never erased before painting (HandlesErase tells the
// parent whether a point is covered). The fill is opaque: it paints its whole
// rectangle.
#pragma once

#include <windows.h>

#include "shell/fountain_bands.h"

namespace zel {

class TFountainFill {
 public:
  // parent receives the invalidations of the property setters; it may be null
  // (then the fill is only painted when asked).
  explicit TFountainFill(HWND parent = nullptr);
  ~TFountainFill();
  TFountainFill(const TFountainFill&) = delete;
  TFountainFill& operator=(const TFountainFill&) = delete;

  void SetParent(HWND parent) { parent_ = parent; }
  // Position and size in the parent's client coordinates (starts 50 x 50 at 0,0).
  void SetBounds(const RECT& bounds);
  const RECT& Bounds() const { return bounds_; }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }

  // Colours are COLORREF values or system-colour codes (0x800000nn), which
  // are turned into their current RGB value when painting.
  COLORREF FromColor() const { return from_; }
  void SetFromColor(COLORREF color);
  COLORREF ToColor() const { return to_; }
  void SetToColor(COLORREF color);
  int Steps() const { return steps_; }
  // Values below 1 become 1, values above 255 become 255.
  void SetSteps(int steps);
  TFountainStyle Style() const { return style_; }
  void SetStyle(TFountainStyle style);  // repaints; the palette stays
  bool UsePalette() const { return usePalette_; }
  void SetUsePalette(bool use);
  bool DrawOnScreen() const { return drawOnScreen_; }
  void SetDrawOnScreen(bool onScreen) { drawOnScreen_ = onScreen; }  // no repaint

  // Paints the gradient into dc, whose origin is the parent's client origin.
  // With area (parent client coordinates) only that part is drawn; transparent
  // controls use this to paint the fill behind themselves.
  void Paint(HDC dc, const RECT* area = nullptr);
  bool HasPalette() const { return palette_ != nullptr; }

  // Turns a system-colour code into its RGB value; plain colours pass.
  static COLORREF ResolveColor(COLORREF color);

 protected:
  // Moves the fill without invalidating the parent (for use while painting).
  void PlaceWithoutRepaint(const RECT& bounds) { bounds_ = bounds; }

 private:
  void Changed(bool freePalette);
  void FreePalette();
  void EnsurePalette();
  // Draws the bands on a surface whose top left corner is (originX, originY).
  void DrawBands(HDC dc, int originX, int originY, int width, int height);

  HWND parent_;
  RECT bounds_{0, 0, 50, 50};
  COLORREF from_ = RGB(0, 255, 255);  // aqua
  COLORREF to_ = RGB(0, 0, 0);
  int steps_ = 20;
  TFountainStyle style_ = fsHorizontal;
  bool usePalette_ = true;
  bool drawOnScreen_ = false;
  HPALETTE palette_ = nullptr;
};

}  // namespace zel
