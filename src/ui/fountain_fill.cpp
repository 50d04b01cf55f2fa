#include "ui/fountain_fill.h"

#include <vector>

namespace zel {

namespace {

constexpr COLORREF kPaletteRelative = 0x02000000;
constexpr COLORREF kSystemColorFlag = 0x80000000;

// Restores the objects selected into a DC when it goes out of scope.
class SelectionGuard {
 public:
  explicit SelectionGuard(HDC dc) : dc_(dc) {}
  ~SelectionGuard() {
    if (oldPen_) SelectObject(dc_, oldPen_);
    if (oldBrush_) SelectObject(dc_, oldBrush_);
  }
  void Pen(HGDIOBJ pen) {
    HGDIOBJ old = SelectObject(dc_, pen);
    if (!oldPen_) oldPen_ = old;
  }
  void Brush(HGDIOBJ brush) {
    HGDIOBJ old = SelectObject(dc_, brush);
    if (!oldBrush_) oldBrush_ = old;
  }

 private:
  HDC dc_;
  HGDIOBJ oldPen_ = nullptr;
  HGDIOBJ oldBrush_ = nullptr;
};

}  // namespace

TFountainFill::TFountainFill(HWND parent) : parent_(parent) {}

TFountainFill::~TFountainFill() { FreePalette(); }

COLORREF TFountainFill::ResolveColor(COLORREF color) {
  if (color & kSystemColorFlag) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

void TFountainFill::SetBounds(const RECT& bounds) {
  if (EqualRect(&bounds, &bounds_)) return;
  if (parent_) InvalidateRect(parent_, &bounds_, FALSE);
  bounds_ = bounds;
  Changed(false);
}

void TFountainFill::SetFromColor(COLORREF color) {
  if (color == from_) return;
  from_ = color;
  Changed(true);
}

void TFountainFill::SetToColor(COLORREF color) {
  if (color == to_) return;
  to_ = color;
  Changed(true);
}

void TFountainFill::SetSteps(int steps) {
  steps = ClampFountainSteps(steps);
  if (steps == steps_) return;
  steps_ = steps;
  Changed(true);
}

void TFountainFill::SetStyle(TFountainStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed(false);
}

void TFountainFill::SetUsePalette(bool use) {
  if (use == usePalette_) return;
  usePalette_ = use;
  Changed(true);
}

void TFountainFill::Changed(bool freePalette) {
  if (freePalette) FreePalette();
  if (parent_) InvalidateRect(parent_, &bounds_, FALSE);
}

void TFountainFill::FreePalette() {
  if (palette_) {
    DeleteObject(palette_);
    palette_ = nullptr;
  }
}

void TFountainFill::EnsurePalette() {
  COLORREF from = ResolveColor(from_), to = ResolveColor(to_);
  if (!usePalette_ || palette_ || IsFlatFountain(from, to, steps_)) return;
  std::vector<BYTE> storage(sizeof(LOGPALETTE) + steps_ * sizeof(PALETTEENTRY));
  auto* logPalette = reinterpret_cast<LOGPALETTE*>(storage.data());
  logPalette->palVersion = 0x300;
  logPalette->palNumEntries = static_cast<WORD>(steps_);
  for (int i = 0; i < steps_; ++i) {
    COLORREF band = FountainBandColor(from, to, i, steps_);
    logPalette->palPalEntry[i] = {GetRValue(band), GetGValue(band), GetBValue(band), 0};
  }
  palette_ = CreatePalette(logPalette);
}

void TFountainFill::DrawBands(HDC dc, int originX, int originY, int width, int height) {
  COLORREF from = ResolveColor(from_), to = ResolveColor(to_);
  if (IsFlatFountain(from, to, steps_)) {
    RECT all{originX, originY, originX + width, originY + height};
    HBRUSH brush = CreateSolidBrush(from);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    return;
  }
  SelectionGuard guard(dc);
  guard.Pen(GetStockObject(NULL_PEN));
  const COLORREF flag = palette_ ? kPaletteRelative : 0;
  for (int i = 0; i < steps_; ++i) {
    HBRUSH brush = CreateSolidBrush(FountainBandColor(from, to, i, steps_) | flag);
    TBandRect band = FountainBandRect(style_, i, steps_, width, height);
    RECT r{originX + band.left, originY + band.top, originX + band.right, originY + band.bottom};
    if (style_ == fsCircular) {
      guard.Brush(brush);
      // Ellipse without a pen leaves out the right and bottom edge: one pixel more.
      Ellipse(dc, r.left, r.top, r.right + 1, r.bottom + 1);
      SelectObject(dc, GetStockObject(NULL_BRUSH));
    } else {
      FillRect(dc, &r, brush);
    }
    DeleteObject(brush);
  }
}

void TFountainFill::Paint(HDC dc, const RECT* area) {
  const int width = Width(), height = Height();
  if (width <= 0 || height <= 0) return;
  RECT part = bounds_;
  if (area && !IntersectRect(&part, &bounds_, area)) return;
  EnsurePalette();
  if (!drawOnScreen_) {
    // The bitmap holds the part to copy; the bands are drawn shifted so that
    // it receives exactly the pixels of that part of the whole gradient.
    const int partWidth = part.right - part.left, partHeight = part.bottom - part.top;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, partWidth, partHeight) : nullptr;
    if (bitmap) {
      HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
      HPALETTE oldMemoryPalette = nullptr;
      if (palette_) {
        oldMemoryPalette = SelectPalette(memory, palette_, FALSE);
        RealizePalette(memory);
      }
      DrawBands(memory, bounds_.left - part.left, bounds_.top - part.top, width, height);
      if (palette_) SelectPalette(memory, oldMemoryPalette, FALSE);
      HPALETTE oldScreenPalette = nullptr;
      if (palette_) {
        oldScreenPalette = SelectPalette(dc, palette_, FALSE);
        RealizePalette(dc);
      }
      BitBlt(dc, part.left, part.top, partWidth, partHeight, memory, 0, 0, SRCCOPY);
      if (palette_) SelectPalette(dc, oldScreenPalette, FALSE);
      SelectObject(memory, oldBitmap);
      DeleteObject(bitmap);
      DeleteDC(memory);
      return;
    }
    if (memory) DeleteDC(memory);
    // Out of resources for the bitmap: draw straight onto the surface.
  }
  HPALETTE oldPalette = nullptr;
  if (palette_) {
    oldPalette = SelectPalette(dc, palette_, FALSE);
    RealizePalette(dc);
  }
  // Limit drawing to the part asked for.
  int saved = SaveDC(dc);
  IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
  DrawBands(dc, bounds_.left, bounds_.top, width, height);
  RestoreDC(dc, saved);
  if (palette_) SelectPalette(dc, oldPalette, FALSE);
}

}  // namespace zel
