#include "ui/window.h"

#include <exception>
#include <string>
#include <vector>

namespace zel::ui {

namespace {
bool unexpectedErrorSeen = false;
}  // namespace

void ReportUnexpectedError() noexcept {
  unexpectedErrorSeen = true;
  std::string text = "Setup met an unexpected error.";
  try {
    throw;
  } catch (const std::exception& e) {
    text += "\n\n";
    text += e.what();
  } catch (...) {
  }
  MessageBoxA(nullptr, text.c_str(), "Setup", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

bool UnexpectedErrorSeen() noexcept { return unexpectedErrorSeen; }

Window::~Window() { Destroy(); }

bool Window::RegisterClass(const char* className, UINT classStyle, HCURSOR cursor, HBRUSH background,
                           HICON icon) {
  WNDCLASSEXA wc{};
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoExA(instance, className, &wc)) return true;
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof wc;
  wc.style = classStyle;
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.lpszClassName = className;
  return RegisterClassExA(&wc) != 0;
}

bool Window::Create(const char* className, const std::string& caption, DWORD style, DWORD exStyle, int x, int y,
                    int width, int height, HWND parent, int controlId) {
  HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)) : nullptr;
  HWND hwnd = CreateWindowExA(exStyle, className, caption.c_str(), style, x, y, width, height, parent, menu,
                              GetModuleHandleA(nullptr), this);
  return hwnd != nullptr && hwnd == hwnd_;
}

void Window::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->OnMessage(message, wParam, lParam);
  } catch (...) {
    ReportUnexpectedError();
    result = DefWindowProcA(hwnd, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    try {
      self->OnDestroyed();
    } catch (...) {
      ReportUnexpectedError();
    }
  }
  return result;
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void Window::SetText(const std::string& text) {
  if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}

std::string Window::Text() const {
  if (!hwnd_) return std::string();
  const int length = GetWindowTextLengthA(hwnd_);
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  const int n = GetWindowTextA(hwnd_, buffer.data(), length + 1);
  return std::string(buffer.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

void Window::Show(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

bool Window::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void Window::SetBounds(int x, int y, int width, int height) {
  if (hwnd_) MoveWindow(hwnd_, x, y, width, height, TRUE);
}

RECT Window::Bounds() const {
  RECT r{};
  if (!hwnd_) return r;
  GetWindowRect(hwnd_, &r);
  HWND parent = GetParent(hwnd_);
  if (parent && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int Window::Width() const {
  const RECT r = Bounds();
  return r.right - r.left;
}

int Window::Height() const {
  const RECT r = Bounds();
  return r.bottom - r.top;
}

}  // namespace zel::ui
