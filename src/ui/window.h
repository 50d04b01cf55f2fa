// The window base of the setup's windows and controls.
//
// A Window registers its class once, creates its HWND and receives its
// messages through the virtual OnMessage; the static window procedure finds
// the object stored at WM_NCCREATE. OnMessage must not throw: the procedure
// catches everything and answers with DefWindowProc, since no exception may
// cross into the system.
#pragma once

#include <windows.h>

#include <string>

namespace zel::ui {

// For the catch of a window or dialog procedure: an exception must not cross
// into Windows, and must not pass unseen either. Shows the error to the user
// and notes it for the exit status (UnexpectedErrorSeen).
void ReportUnexpectedError() noexcept;
bool UnexpectedErrorSeen() noexcept;

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  // Creates the window of the registered class className (see RegisterClass).
  // Returns false when the platform refuses.
  bool Create(const char* className, const std::string& caption, DWORD style, DWORD exStyle, int x, int y,
              int width, int height, HWND parent, int controlId = 0);
  void Destroy();

  void SetText(const std::string& text);
  std::string Text() const;
  void Show(bool visible);
  bool Visible() const;
  void SetBounds(int x, int y, int width, int height);
  RECT Bounds() const;  // in the parent's client coordinates
  int Width() const;
  int Height() const;

  // Registers a window class whose procedure forwards to Window objects.
  static bool RegisterClass(const char* className, UINT classStyle, HCURSOR cursor, HBRUSH background,
                            HICON icon = nullptr);

 protected:
  // Handles one message; the default passes it to DefWindowProc.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Called after the HWND was destroyed (WM_NCDESTROY); the handle is then 0.
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace zel::ui
