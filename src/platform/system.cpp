#include "platform/system.h"

namespace zel::sys {

namespace {
intptr_t mainWindow = 0;
std::string& Title() {
  static std::string title;
  return title;
}
MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}
}  // namespace

// Shows a box through the platform; defined per build.
int PlatformMessageBox(const std::string& text, const std::string& caption, unsigned flags);

void SetMainWindow(intptr_t window) { mainWindow = window; }
intptr_t MainWindow() { return mainWindow; }
void SetApplicationTitle(const std::string& title) { Title() = title; }
const std::string& ApplicationTitle() { return Title(); }

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int MsgBox(const std::string& text, unsigned flags) { return MsgBox(text, ApplicationTitle(), flags); }

int MsgBox(const std::string& text, const std::string& caption, unsigned flags) {
  if (Hook()) return Hook()(text, caption, flags);
  return PlatformMessageBox(text, caption, flags);
}

}  // namespace zel::sys
