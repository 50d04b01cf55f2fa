#include "ui/controls.h"

namespace zel::ui {

namespace {
constexpr const char* kLabelClass = "ZELShadowLabel";
constexpr const char* kPictureClass = "ZELPicture";

// Paints the owner's background behind a child control into its DC.
void PaintBehind(HWND control, HDC dc, const BackgroundPainter& painter) {
  RECT client;
  GetClientRect(control, &client);
  if (!painter) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    return;
  }
  RECT area = client;
  MapWindowPoints(control, GetParent(control), reinterpret_cast<POINT*>(&area), 2);
  POINT old;
  SetViewportOrgEx(dc, -area.left, -area.top, &old);
  painter(dc, area);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
}
}  // namespace

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0x00FFFFFF;
}

HFONT MakeFont(const std::string& face, int points, bool bold) {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(points > 0 ? points : 8, dpi, 72);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

ShadowLabel::~ShadowLabel() {
  Destroy();
  if (font_) DeleteObject(font_);
}

bool ShadowLabel::Create(HWND parent, int id, int x, int y, BackgroundPainter painter) {
  painter_ = std::move(painter);
  RegisterClass(kLabelClass, 0, nullptr, nullptr);
  return Window::Create(kLabelClass, "", WS_CHILD | WS_VISIBLE, 0, x, y, 10, 10, parent, id);
}

void ShadowLabel::SetCaption(const std::string& text) {
  SetText(text);
  AutoSize();
}

void ShadowLabel::SetFont(HFONT font) {
  if (font_) DeleteObject(font_);
  font_ = font;
  AutoSize();
}

void ShadowLabel::SetColors(TColor color, TColor shadow, int shadowOffset) {
  color_ = ColorToRGB(color);
  shadow_ = ColorToRGB(shadow);
  shadowOffset_ = shadowOffset;
  AutoSize();
}

void ShadowLabel::AutoSize() {
  if (!Handle()) return;
  HDC dc = GetDC(Handle());
  HGDIOBJ old = font_ ? SelectObject(dc, font_) : nullptr;
  const std::string text = Text();
  SIZE extent{0, 0};
  GetTextExtentPoint32A(dc, text.empty() ? " " : text.c_str(), text.empty() ? 1 : static_cast<int>(text.size()),
                        &extent);
  if (old) SelectObject(dc, old);
  ReleaseDC(Handle(), dc);
  const RECT r = Bounds();
  const int width = centered_ ? r.right - r.left : extent.cx + shadowOffset_;
  SetWindowPos(Handle(), nullptr, 0, 0, width, extent.cy + shadowOffset_, SWP_NOMOVE | SWP_NOZORDER);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void ShadowLabel::Paint(HDC dc) {
  PaintBehind(Handle(), dc, painter_);
  RECT client;
  GetClientRect(Handle(), &client);
  HGDIOBJ old = font_ ? SelectObject(dc, font_) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  const std::string text = Text();
  const UINT format = DT_SINGLELINE | DT_NOPREFIX | (centered_ ? DT_CENTER : DT_LEFT);
  if (shadowOffset_ > 0) {
    RECT shadowRect = client;
    OffsetRect(&shadowRect, shadowOffset_, shadowOffset_);
    SetTextColor(dc, shadow_);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shadowRect, format);
  }
  SetTextColor(dc, color_);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client, format);
  if (old) SelectObject(dc, old);
}

LRESULT ShadowLabel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_SETCURSOR:
      if (!handCursor_) break;
      SetCursor(LoadCursor(nullptr, IDC_HAND));
      return TRUE;
    case WM_NCHITTEST:
      // Clicks fall through to the background, except where a hand shows.
      if (!handCursor_) return HTTRANSPARENT;
      break;
    default:
      break;
  }
  return Window::OnMessage(message, wParam, lParam);
}

bool Picture::Create(HWND parent, int id, int x, int y, int width, int height, BackgroundPainter painter) {
  painter_ = std::move(painter);
  RegisterClass(kPictureClass, CS_DBLCLKS, nullptr, nullptr);
  return Window::Create(kPictureClass, "", WS_CHILD | WS_VISIBLE, 0, x, y, width, height, parent, id);
}

LRESULT Picture::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      PaintBehind(Handle(), dc, painter_);
      RECT client;
      GetClientRect(Handle(), &client);
      if (icon_) DrawIconEx(dc, 0, 0, icon_, client.right, client.bottom, 0, nullptr, DI_NORMAL);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      if (onDoubleClick) onDoubleClick();
      return 0;
    default:
      return Window::OnMessage(message, wParam, lParam);
  }
}

}  // namespace zel::ui
