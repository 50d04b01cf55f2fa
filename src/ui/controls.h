// Small controls of the background window: a transparent label with an
// optional drop shadow, and a picture that reports double clicks.
//
// Both are transparent: before drawing they ask their owner to paint the
// background behind them (a BackgroundPainter called with the control's rect
// in the parent's client coordinates and a DC whose origin is the parent's).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "shell/setup_data.h"
#include "ui/window.h"

namespace zel::ui {

using BackgroundPainter = std::function<void(HDC dc, const RECT& area)>;

// A Windows colour value (0x00BBGGRR or a negative system-colour code) as RGB.
COLORREF ColorToRGB(TColor color);

// A font of the given face, size in points and weight at the screen's dots
// per inch; the caller owns (DeleteObject) the result.
HFONT MakeFont(const std::string& face, int points, bool bold = false);

class ShadowLabel : public Window {
 public:
  ~ShadowLabel() override;
  // Creates the label as a child of parent at (x, y); it sizes itself to its
  // text (AutoSize) unless centred, when it keeps the width it is given.
  bool Create(HWND parent, int id, int x, int y, BackgroundPainter painter);
  void SetCaption(const std::string& text);
  // Takes ownership of font.
  void SetFont(HFONT font);
  void SetColors(TColor color, TColor shadow, int shadowOffset);
  void SetCentered(bool centered) { centered_ = centered; }
  void SetHandCursor(bool hand) { handCursor_ = hand; }
  // Recomputes the size from the text (keeps the width when centred).
  void AutoSize();

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  BackgroundPainter painter_;
  HFONT font_ = nullptr;
  COLORREF color_ = RGB(0, 0, 0);
  COLORREF shadow_ = RGB(255, 255, 255);
  int shadowOffset_ = 0;
  bool centered_ = false;
  bool handCursor_ = false;
};

class Picture : public Window {
 public:
  bool Create(HWND parent, int id, int x, int y, int width, int height, BackgroundPainter painter);
  // The icon drawn (not owned).
  void SetIcon(HICON icon) { icon_ = icon; }
  std::function<void()> onDoubleClick;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  BackgroundPainter painter_;
  HICON icon_ = nullptr;
};

}  // namespace zel::ui
