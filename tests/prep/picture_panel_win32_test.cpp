// Loading and playing the setup's picture with GDI+ on a real window.
#include "ui/picture_panel.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/errors.h"

namespace zel::ui {
namespace {

const std::string kData = std::string(ZEL_SOURCE_DIR) + "/tests/prep/data/";

std::string WinePath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

COLORREF PixelOf(HWND hwnd, int x, int y) {
  UpdateWindow(hwnd);
  HDC dc = GetDC(hwnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

void PumpFor(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  while (GetTickCount() < end) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

class PicturePanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Window::RegisterClass("PrepTestHost", 0, nullptr, GetSysColorBrush(COLOR_WINDOW)));
    host_ = CreateWindowA("PrepTestHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                          nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host_, nullptr);
    ASSERT_TRUE(panel_.Create(host_, 1, 16, 56, 153, 89));
  }
  void TearDown() override {
    panel_.Destroy();
    DestroyWindow(host_);
  }
  HWND host_ = nullptr;
  PicturePanel panel_;
};

TEST_F(PicturePanelTest, AnimationTakesItsSizeAndPlaysItsFrames) {
  panel_.Show(true);
  panel_.Image3.Load(WinePath(kData + "three_frames.gif"), true);
  panel_.Image3.Show(true);
  EXPECT_EQ(panel_.Image3.FrameCount(), 3);
  EXPECT_EQ(panel_.Image3.Width(), 40);
  EXPECT_EQ(panel_.Image3.Height(), 30);
  EXPECT_EQ(PixelOf(panel_.Image3.Handle(), 5, 5), RGB(255, 0, 0));
  // Frames change by their 200 ms delay: within a second every frame shows.
  bool sawBlue = false, sawLime = false;
  for (int i = 0; i < 25 && !(sawBlue && sawLime); ++i) {
    PumpFor(50);
    COLORREF c = PixelOf(panel_.Image3.Handle(), 5, 5);
    sawBlue |= c == RGB(0, 0, 255);
    sawLime |= c == RGB(0, 255, 0);
  }
  EXPECT_TRUE(sawBlue);
  EXPECT_TRUE(sawLime);
}

TEST_F(PicturePanelTest, StillPictureKeepsTheViewSizeAndDrawsUnscaledFromTopLeft) {
  panel_.SetBounds(20, 70, 115, 115);
  panel_.Image4.SetBounds(5, 5, 105, 105);
  panel_.Show(true);
  panel_.Image4.Load(WinePath(kData + "small.bmp"), false);
  panel_.Image4.Show(true);
  EXPECT_EQ(panel_.Image4.Width(), 105);
  EXPECT_EQ(panel_.Image4.Height(), 105);
  EXPECT_EQ(PixelOf(panel_.Image4.Handle(), 0, 0), RGB(255, 255, 0));
  EXPECT_EQ(PixelOf(panel_.Image4.Handle(), 19, 9), RGB(255, 255, 0));
  EXPECT_NE(PixelOf(panel_.Image4.Handle(), 30, 30), RGB(255, 255, 0));  // not stretched
}

TEST_F(PicturePanelTest, LoadedPictureFileStaysDeletable) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string copy = std::string(folder) + "prep_picture_copy.gif";
  ASSERT_TRUE(CopyFileA(WinePath(kData + "three_frames.gif").c_str(), copy.c_str(), FALSE));
  panel_.Image3.Load(copy, true);
  EXPECT_TRUE(DeleteFileA(copy.c_str()));  // TempDir is cleared while the picture shows
  EXPECT_EQ(panel_.Image3.FrameCount(), 3);
  PumpFor(300);  // frames still play from memory
}

TEST_F(PicturePanelTest, UnreadablePictureThrowsAndKeepsThePreviousOne) {
  const std::string bad = kData + "../CMakeLists.txt";
  panel_.Image4.Load(WinePath(kData + "small.bmp"), false);
  EXPECT_THROW(panel_.Image4.Load(WinePath(bad), false), Exception);
  EXPECT_THROW(panel_.Image4.Load("Z:\\no\\such\\file.bmp", false), Exception);
  EXPECT_EQ(panel_.Image4.FrameCount(), 1);
}

}  // namespace
}  // namespace zel::ui
