// zeltest: a small command-line driver for the windows of a running program:
// find windows by caption or class (waiting with a timeout), read their
// texts and those of their controls, click buttons, answer message boxes and
// wait for windows or processes to go away. See README.md for the commands.
//
// Exit codes: 0 done, 1 not found within the timeout (or the condition did
// not hold), 2 bad usage.
#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kDefaultTimeout = 10;
constexpr DWORD kPollMs = 100;
constexpr const char* kDialogClass = "#32770";

std::string WindowText(HWND hwnd) {
  char buffer[4096];
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                           2000, &length))
    return std::string();
  return std::string(buffer, length < sizeof buffer ? length : sizeof buffer - 1);
}

std::string ClassOf(HWND hwnd) {
  char name[256] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

// "&Next" and "Next" both name the button "&Next".
bool SameLabel(const std::string& label, const std::string& wanted) {
  if (label == wanted) return true;
  std::string plain;
  for (char c : label)
    if (c != '&') plain += c;
  return plain == wanted;
}

// A window is named by its caption, or by "class:<ClassName>".
bool Matches(HWND hwnd, const std::string& name) {
  if (name.rfind("class:", 0) == 0) return ClassOf(hwnd) == name.substr(6);
  return WindowText(hwnd) == name;
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND FindTopLevel(const std::string& name) {
  for (HWND hwnd : TopLevelWindows())
    if (IsWindowVisible(hwnd) && Matches(hwnd, name)) return hwnd;
  return nullptr;
}

// A message box: a visible dialog whose controls are only statics and buttons,
// with at least one button.
bool IsMessageBox(HWND hwnd) {
  if (!IsWindowVisible(hwnd) || ClassOf(hwnd) != kDialogClass) return false;
  int buttons = 0;
  for (HWND child : Children(hwnd)) {
    const std::string cls = ClassOf(child);
    if (_stricmp(cls.c_str(), "Button") == 0)
      ++buttons;
    else if (_stricmp(cls.c_str(), "Static") != 0)
      return false;
  }
  return buttons > 0;
}

HWND FindMessageBox() {
  for (HWND hwnd : TopLevelWindows())
    if (IsMessageBox(hwnd)) return hwnd;
  return nullptr;
}

template <typename Probe>
HWND WaitFor(int seconds, Probe probe) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  for (;;) {
    if (HWND hwnd = probe()) return hwnd;
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) return nullptr;
    Sleep(kPollMs);
  }
}

// A wait's timeout; ZEL_TIMEOUT_SCALE (a whole number) stretches every wait
// where Wine runs under a CPU emulator and each step takes many times longer.
int TimeoutArg(int argc, char** argv, int index) {
  const int seconds = index < argc ? std::atoi(argv[index]) : kDefaultTimeout;
  const char* scale = std::getenv("ZEL_TIMEOUT_SCALE");
  const int factor = scale ? std::atoi(scale) : 1;
  return factor > 1 && factor <= 100 ? seconds * factor : seconds;
}

HWND FindChild(HWND parent, const std::string& wanted) {
  for (HWND child : Children(parent)) {
    if (wanted.size() > 1 && wanted[0] == '#') {
      if (GetDlgCtrlID(child) == std::atoi(wanted.c_str() + 1)) return child;
    } else if (SameLabel(WindowText(child), wanted)) {
      return child;
    }
  }
  return nullptr;
}

// Presses a button the way a click does: its parent gets BN_CLICKED. Posted,
// so that a modal window opened by the click does not block the driver.
bool PressButton(HWND button) {
  if (!IsWindowEnabled(button) || !IsWindowVisible(button)) return false;
  const int id = GetDlgCtrlID(button);
  return PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void PrintWindow(HWND hwnd) {
  std::printf("caption=%s class=%s\n", WindowText(hwnd).c_str(), ClassOf(hwnd).c_str());
  for (HWND child : Children(hwnd)) {
    std::printf("  class=%s id=%d visible=%d enabled=%d text=%s\n", ClassOf(child).c_str(), GetDlgCtrlID(child),
                IsWindowVisible(child) ? 1 : 0, IsWindowEnabled(child) ? 1 : 0, WindowText(child).c_str());
  }
}

int CmdList() {
  for (HWND hwnd : TopLevelWindows()) {
    if (!IsWindowVisible(hwnd)) continue;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    std::printf("pid=%lu class=%s caption=%s\n", static_cast<unsigned long>(pid), ClassOf(hwnd).c_str(),
                WindowText(hwnd).c_str());
  }
  return 0;
}

int CmdWaitWindow(const std::string& name, int seconds) {
  if (!WaitFor(seconds, [&] { return FindTopLevel(name); })) {
    std::fprintf(stderr, "zeltest: no window \"%s\" within %d s\n", name.c_str(), seconds);
    return 1;
  }
  return 0;
}

int CmdWaitGone(const std::string& name, int seconds) {
  HWND gone = WaitFor(seconds, [&]() -> HWND { return FindTopLevel(name) ? nullptr : GetDesktopWindow(); });
  if (!gone) {
    std::fprintf(stderr, "zeltest: window \"%s\" still there after %d s\n", name.c_str(), seconds);
    return 1;
  }
  return 0;
}

int CmdText(const std::string& name, int seconds) {
  HWND hwnd = WaitFor(seconds, [&] { return FindTopLevel(name); });
  if (!hwnd) {
    std::fprintf(stderr, "zeltest: no window \"%s\"\n", name.c_str());
    return 1;
  }
  PrintWindow(hwnd);
  return 0;
}

int CmdClick(const std::string& name, const std::string& button, int seconds) {
  HWND target = WaitFor(seconds, [&]() -> HWND {
    HWND hwnd = FindTopLevel(name);
    HWND child = hwnd ? FindChild(hwnd, button) : nullptr;
    return child && IsWindowEnabled(child) && IsWindowVisible(child) ? child : nullptr;
  });
  if (!target || !PressButton(target)) {
    std::fprintf(stderr, "zeltest: no enabled button \"%s\" in \"%s\"\n", button.c_str(), name.c_str());
    return 1;
  }
  return 0;
}

int CmdDoubleClick(const std::string& name, const std::string& control, int seconds) {
  HWND target = WaitFor(seconds, [&]() -> HWND {
    HWND hwnd = FindTopLevel(name);
    return hwnd ? FindChild(hwnd, control) : nullptr;
  });
  if (!target) {
    std::fprintf(stderr, "zeltest: no control \"%s\" in \"%s\"\n", control.c_str(), name.c_str());
    return 1;
  }
  const LPARAM at = MAKELPARAM(2, 2);
  PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(target, WM_LBUTTONUP, 0, at);
  PostMessageA(target, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(target, WM_LBUTTONUP, 0, at);
  return 0;
}

int CmdSurfaceClick(const std::string& name, int x, int y, int seconds) {
  HWND hwnd = WaitFor(seconds, [&] { return FindTopLevel(name); });
  if (!hwnd) {
    std::fprintf(stderr, "zeltest: no window \"%s\"\n", name.c_str());
    return 1;
  }
  PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  return 0;
}

int CmdMsgBoxText(int seconds) {
  HWND box = WaitFor(seconds, FindMessageBox);
  if (!box) {
    std::fprintf(stderr, "zeltest: no message box within %d s\n", seconds);
    return 1;
  }
  std::printf("caption=%s\n", WindowText(box).c_str());
  for (HWND child : Children(box)) {
    const std::string text = WindowText(child);
    if (_stricmp(ClassOf(child).c_str(), "Static") == 0 && !text.empty()) std::printf("text=%s\n", text.c_str());
  }
  for (HWND child : Children(box))
    if (_stricmp(ClassOf(child).c_str(), "Button") == 0) std::printf("button=%s\n", WindowText(child).c_str());
  return 0;
}

int CmdMsgBoxAnswer(const std::string& button, int seconds) {
  HWND target = WaitFor(seconds, [&]() -> HWND {
    HWND box = FindMessageBox();
    return box ? FindChild(box, button) : nullptr;
  });
  if (!target || !PressButton(target)) {
    std::fprintf(stderr, "zeltest: no message box with a button \"%s\"\n", button.c_str());
    return 1;
  }
  return 0;
}

int CmdClose(const std::string& name, int seconds) {
  HWND hwnd = WaitFor(seconds, [&] { return FindTopLevel(name); });
  if (!hwnd) return 1;
  PostMessageA(hwnd, WM_CLOSE, 0, 0);
  return 0;
}

// Types into a control: its text is replaced (WM_SETTEXT), as when the user
// selects everything and types.
int CmdSetText(const std::string& name, const std::string& control, const std::string& text, int seconds) {
  HWND target = WaitFor(seconds, [&]() -> HWND {
    HWND hwnd = FindTopLevel(name);
    return hwnd ? FindChild(hwnd, control) : nullptr;
  });
  DWORD_PTR result = 0;
  if (!target || !SendMessageTimeoutA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                      SMTO_ABORTIFHUNG, 2000, &result)) {
    std::fprintf(stderr, "zeltest: no control \"%s\" in \"%s\"\n", control.c_str(), name.c_str());
    return 1;
  }
  return 0;
}

// Presses a key in a window: the key goes to the control that has the focus
// in the window's thread (or the window itself), through that thread's
// message loop, so dialog keys such as Escape work as typed.
int CmdKey(const std::string& name, const std::string& key, int seconds) {
  HWND hwnd = WaitFor(seconds, [&] { return FindTopLevel(name); });
  if (!hwnd) {
    std::fprintf(stderr, "zeltest: no window \"%s\"\n", name.c_str());
    return 1;
  }
  WPARAM vk = 0;
  if (key == "esc" || key == "Escape") vk = VK_ESCAPE;
  else if (key == "enter" || key == "Return") vk = VK_RETURN;
  else if (key == "tab" || key == "Tab") vk = VK_TAB;
  else return 2;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  HWND focus = GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) && info.hwndFocus ? info.hwndFocus : hwnd;
  PostMessageA(focus, WM_KEYDOWN, vk, 1);
  PostMessageA(focus, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
  return 0;
}

// Opens (creating if needed) a file with no sharing and keeps it open for
// the given seconds: to every other process it is in use.
int CmdHoldOpen(const std::string& path, int seconds) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "zeltest: cannot open %s (error %lu)\n", path.c_str(), GetLastError());
    return 1;
  }
  std::printf("holding\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  CloseHandle(file);
  return 0;
}

bool ProcessRunning(const std::string& image) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
    found = _stricmp(entry.szExeFile, image.c_str()) == 0;
  CloseHandle(snapshot);
  return found;
}

int CmdWaitExit(const std::string& image, int seconds) {
  HWND gone = WaitFor(seconds, [&]() -> HWND { return ProcessRunning(image) ? nullptr : GetDesktopWindow(); });
  if (!gone) {
    std::fprintf(stderr, "zeltest: %s still running after %d s\n", image.c_str(), seconds);
    return 1;
  }
  return 0;
}

// watch-endsession: a hidden top-level window that reports whether Windows
// asked the session to end (a restart or shutdown request) while it lived.
constexpr const char* kWatchClass = "ZelTestEndSessionWatch";
bool endSessionSeen = false;
bool watchStopped = false;

LRESULT CALLBACK WatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_QUERYENDSESSION || message == WM_ENDSESSION) {
    if (!endSessionSeen) {
      std::printf("end-session\n");
      std::fflush(stdout);
    }
    endSessionSeen = true;
    // Refuse, so that the watching ends on its own terms.
    if (message == WM_QUERYENDSESSION) return FALSE;
    return 0;
  }
  if (message == WM_CLOSE) {
    watchStopped = true;
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

int CmdWatchEndSession(int seconds) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = WatchProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kWatchClass;
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowA(wc.lpszClassName, "zeltest watch", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                            wc.hInstance, nullptr);
  if (!hwnd) return 2;
  std::printf("watching\n");
  std::fflush(stdout);
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (!watchStopped && static_cast<LONG>(GetTickCount() - deadline) < 0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
  }
  DestroyWindow(hwnd);
  if (!endSessionSeen) std::printf("no end-session\n");
  return 0;
}

// Ends every running watch-endsession (their windows are hidden).
int CmdStopWatch() {
  int stopped = 0;
  while (HWND hwnd = FindWindowExA(nullptr, nullptr, kWatchClass, nullptr)) {
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    ++stopped;
    // The window goes once its owner has read the message.
    const DWORD deadline = GetTickCount() + 2000;
    while (IsWindow(hwnd) && static_cast<LONG>(GetTickCount() - deadline) < 0) Sleep(20);
    if (IsWindow(hwnd)) break;
  }
  return stopped > 0 ? 0 : 1;
}

// What the shell and the system say about this Windows, independently of the
// setup: its family (GetVersionExA), whether the user is an administrator
// (shell32's IsUserAnAdmin), and the shell's folders for links, the current
// user's and all users'.
int CmdSystem() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  std::printf("family=%s\nversion=%lu.%lu\n", version.dwPlatformId == VER_PLATFORM_WIN32_NT ? "nt" : "9x",
              version.dwMajorVersion, version.dwMinorVersion);
  using IsUserAnAdminFn = BOOL(WINAPI*)();
  const auto isAdmin = reinterpret_cast<IsUserAnAdminFn>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("shell32.dll"), "IsUserAnAdmin")));
  std::printf("admin=%d\n", isAdmin && isAdmin() ? 1 : 0);
  const struct {
    const char* name;
    int csidl;
  } folders[] = {{"desktop", CSIDL_DESKTOPDIRECTORY},        {"startmenu", CSIDL_STARTMENU},
                 {"programs", CSIDL_PROGRAMS},               {"common-desktop", CSIDL_COMMON_DESKTOPDIRECTORY},
                 {"common-startmenu", CSIDL_COMMON_STARTMENU}, {"common-programs", CSIDL_COMMON_PROGRAMS}};
  for (const auto& folder : folders) {
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, folder.csidl, FALSE);
    std::printf("%s=%s\n", folder.name, path);
  }
  return 0;
}

int Usage() {
  std::fputs(
      "usage: zeltest <command> [arguments]   (WINDOW: a caption, or class:<ClassName>)\n"
      "  list\n"
      "  wait-window WINDOW [seconds]\n"
      "  wait-gone WINDOW [seconds]\n"
      "  text WINDOW [seconds]\n"
      "  click WINDOW BUTTON [seconds]        BUTTON: its text (with or without &) or #id\n"
      "  dblclick WINDOW CONTROL [seconds]    CONTROL: its text or #id\n"
      "  surface-click WINDOW [x y [seconds]]\n"
      "  close WINDOW [seconds]\n"
      "  set-text WINDOW CONTROL TEXT [seconds]\n"
      "  key WINDOW esc|enter|tab [seconds]\n"
      "  hold-open FILE seconds\n"
      "  msgbox-text [seconds]\n"
      "  msgbox-answer BUTTON [seconds]\n"
      "  wait-exit IMAGE.EXE [seconds]\n"
      "  watch-endsession seconds\n"
      "  stop-watch\n"
      "  system\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  auto arg = [&](int i) { return std::string(i < argc ? argv[i] : ""); };
  if (command == "list") return CmdList();
  if (command == "wait-window" && argc >= 3) return CmdWaitWindow(arg(2), TimeoutArg(argc, argv, 3));
  if (command == "wait-gone" && argc >= 3) return CmdWaitGone(arg(2), TimeoutArg(argc, argv, 3));
  if (command == "text" && argc >= 3) return CmdText(arg(2), TimeoutArg(argc, argv, 3));
  if (command == "click" && argc >= 4) return CmdClick(arg(2), arg(3), TimeoutArg(argc, argv, 4));
  if (command == "dblclick" && argc >= 4) return CmdDoubleClick(arg(2), arg(3), TimeoutArg(argc, argv, 4));
  if (command == "surface-click" && argc >= 3) {
    const int x = argc >= 5 ? std::atoi(argv[3]) : 10, y = argc >= 5 ? std::atoi(argv[4]) : 10;
    return CmdSurfaceClick(arg(2), x, y, TimeoutArg(argc, argv, 5));
  }
  if (command == "close" && argc >= 3) return CmdClose(arg(2), TimeoutArg(argc, argv, 3));
  if (command == "set-text" && argc >= 5) return CmdSetText(arg(2), arg(3), arg(4), TimeoutArg(argc, argv, 5));
  if (command == "key" && argc >= 4) return CmdKey(arg(2), arg(3), TimeoutArg(argc, argv, 4));
  if (command == "hold-open" && argc >= 4) return CmdHoldOpen(arg(2), std::atoi(argv[3]));
  if (command == "msgbox-text") return CmdMsgBoxText(TimeoutArg(argc, argv, 2));
  if (command == "msgbox-answer" && argc >= 3) return CmdMsgBoxAnswer(arg(2), TimeoutArg(argc, argv, 3));
  if (command == "wait-exit" && argc >= 3) return CmdWaitExit(arg(2), TimeoutArg(argc, argv, 3));
  if (command == "watch-endsession" && argc >= 3) return CmdWatchEndSession(std::atoi(argv[2]));
  if (command == "stop-watch") return CmdStopWatch();
  if (command == "system") return CmdSystem();
  return Usage();
}
