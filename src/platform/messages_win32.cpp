#include <windows.h>

#include "platform/messages.h"

namespace zel {

void ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void PumpWaitingMessages() {
  // GetTickCount costs next to nothing; the queue is looked at only once the
  // clock has moved on (every 10 to 55 ms, depending on the system's tick).
  static DWORD lastLook = 0;
  const DWORD now = GetTickCount();
  if (now - lastLook < 10) return;
  lastLook = now;
  // The flags are spelled out: QS_ALLINPUT of newer headers includes raw
  // input, which makes the call fail on Windows 2000 and older.
  constexpr UINT kWaiting = QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER |
                            QS_PAINT | QS_HOTKEY | QS_SENDMESSAGE;
  if (HIWORD(GetQueueStatus(kWaiting)) != 0) ProcessMessages();
}

}  // namespace zel
