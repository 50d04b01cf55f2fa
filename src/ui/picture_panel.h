// The setup's own picture on the background window: the panel bitmapscreen
// (raised inner bevel) holding either the animated-picture player Image3 or
// the still picture Image4. Pictures are loaded with GDI+ (BMP, GIF, JPEG,
// PNG, ...), a GIF with several frames played with its frame delays; where
// the system has no GDI+, OLE's picture loader draws BMP, GIF and JPEG files,
// an animation showing its first frame.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/window.h"

namespace zel::ui {

// Starts GDI+ once for the process (on first use) and shuts it down at exit;
// false when this Windows has no GDI+.
bool EnsureGdiPlus();

class PictureImage;  // a loaded GDI+ image with its frames

class PictureView : public Window {
 public:
  PictureView();
  ~PictureView() override;
  bool Create(HWND parent, int id, int x, int y, int width, int height);
  // Loads the file; throws zel::Exception when it cannot be read as a
  // picture. animate: play its frames and take the picture's size;
  // otherwise the view keeps its size and draws the first frame from its top
  // left corner, unscaled.
  void Load(const std::string& path, bool animate);
  int FrameCount() const;
  int CurrentFrame() const { return frame_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ScheduleNextFrame();
  std::unique_ptr<PictureImage> image_;
  bool animate_ = false;
  int frame_ = 0;
};

class PicturePanel : public Window {
 public:
  bool Create(HWND parent, int id, int x, int y, int width, int height);
  PictureView Image3;  // animations
  PictureView Image4;  // still pictures, 105 x 105

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace zel::ui
