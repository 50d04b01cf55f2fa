/* The sample product's program: a small window that greets the user. It
   closes on a click, on Escape, or by itself after 15 seconds, so that an
   unattended run of the sample setup does not leave it open. */
#include <windows.h>

#define CLOSE_TIMER 1

static LRESULT CALLBACK HelloProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      SetTimer(hwnd, CLOSE_TIMER, 15000, NULL);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      RECT client;
      HDC dc = BeginPaint(hwnd, &ps);
      GetClientRect(hwnd, &client);
      SetBkMode(dc, TRANSPARENT);
      DrawTextA(dc, "Hello from the Sample Product!\n\nIt was installed by ZEL Setup.", -1, &client,
                DT_CENTER | DT_VCENTER | DT_WORDBREAK);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_TIMER:
    case WM_LBUTTONUP:
      DestroyWindow(hwnd);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  WNDCLASSA wc = {0};
  MSG msg;
  HWND hwnd;
  (void)previous;
  (void)commandLine;
  wc.lpfnWndProc = HelloProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszClassName = "ZelSampleHello";
  if (!RegisterClassA(&wc)) return 1;
  hwnd = CreateWindowA("ZelSampleHello", "Sample Product", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                       CW_USEDEFAULT, 320, 160, NULL, NULL, instance, NULL);
  if (!hwnd) return 1;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
