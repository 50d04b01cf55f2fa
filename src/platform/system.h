// The thin layer over the Windows services the setup shell uses: the Windows
// folder, short path names, launching files, restarting Windows, message
// boxes and the safe start of the process.
//
// The native build answers with fixed, harmless values (see each function) so
// that the portable layers link and run there.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zel::sys {

// GetWindowsDirectoryA through a buffer of bufferChars characters (terminator
// included). When the folder does not fit, the call is repeated with a buffer
// of the size the platform asks for, so the result is never cut. Native: the
// environment variable ZEL_WINDOWS_DIR, or "C:\WINDOWS".
std::string WindowsDirectory(unsigned bufferChars);

// GetShortPathNameA through a buffer of bufferChars characters. Returns false
// when the platform reports 0 (missing path, or no short form). A short form
// longer than the buffer is fetched with a buffer of the size the platform
// asks for. Native: always false.
bool ShortPath(const std::string& longPath, unsigned bufferChars, std::string& shortPath);

// ShellExecuteA with no verb and the main window as owner; returns the shell's
// result code. Native: 0, nothing is started.
intptr_t ShellOpen(const std::string& file, const std::string& params, const std::string& folder,
                      int showCmd);

// Enables or disables one privilege of the process's token (the token is
// opened with TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY and closed again).
// Returns whether the token was adjusted. Native: false.
bool AdjustPrivilege(const std::string& name, bool enable);
// ExitWindowsEx(flags, 0); returns whether the request was accepted.
// Native: false, nothing happens.
bool RequestWindowsExit(uint32_t flags);
constexpr uint32_t kExitReboot = 2;  // EWX_REBOOT

// Restricts the folders from which DLLs are loaded: to the system folder
// where the platform offers it (SetDefaultDllDirectories), else at least
// without the current folder (SetDllDirectoryA("")); both are looked up at
// run time, and a Windows that has neither is left as it is. Returns whether
// the search was restricted. Call first thing in the program.
bool RestrictDllSearch();

// The error code of the last failed platform call (GetLastError; natively
// errno, with "not found" reported as 3, the path-not-found code).
uint32_t LastErrorCode();

// The window that owns message boxes and launched programs (0 until set).
void SetMainWindow(intptr_t window);
intptr_t MainWindow();
// The application title: the caption of plain message boxes.
void SetApplicationTitle(const std::string& title);
const std::string& ApplicationTitle();

// Message box flags and results (the Windows values).
constexpr unsigned kMbOk = 0x0, kMbOkCancel = 0x1, kMbAbortRetryIgnore = 0x2, kMbYesNoCancel = 0x3,
                   kMbYesNo = 0x4, kMbRetryCancel = 0x5;
constexpr unsigned kMbIconError = 0x10, kMbIconQuestion = 0x20, kMbIconWarning = 0x30,
                   kMbIconInformation = 0x40;
constexpr int kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5, kIdYes = 6, kIdNo = 7;

// A modal message box owned by the main window with the application title as
// caption; returns the button pressed. When a hook is installed the hook
// answers instead and no box is shown (the native build's tests use this;
// without a hook the native build returns kIdOk for plain boxes and kIdCancel
// otherwise).
int MsgBox(const std::string& text, unsigned flags = kMbOk);
int MsgBox(const std::string& text, const std::string& caption, unsigned flags);
using MessageBoxHook = std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;
void SetMessageBoxHook(MessageBoxHook hook);  // an empty hook removes it

}  // namespace zel::sys
