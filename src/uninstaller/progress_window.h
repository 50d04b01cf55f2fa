// The uninstaller's progress window: the item being removed above a progress
// bar. Win32 only.
#pragma once

#include <string>

namespace zel::uninstaller {

class ProgressWindow {
 public:
  explicit ProgressWindow(const std::string& caption);
  ~ProgressWindow();
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  // Shows the item and the position (done of total) and lets the window paint.
  void Show(const std::string& item, int done, int total);
  void* Handle() const { return window_; }

 private:
  void* window_ = nullptr;
  void* label_ = nullptr;
  void* bar_ = nullptr;
};

}  // namespace zel::uninstaller
