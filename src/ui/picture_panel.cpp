#include "ui/picture_panel.h"

#include <objidl.h>
#include <gdiplus.h>

#include <vector>

#include "platform/errors.h"

namespace zel::ui {

namespace {

constexpr const char* kPanelClass = "ZELPicturePanel";
constexpr const char* kViewClass = "ZELPictureView";
constexpr UINT_PTR kFrameTimer = 1;
constexpr PROPID kFrameDelayTag = 0x5100;  // PropertyTagFrameDelay, 1/100 s per frame

ULONG_PTR gdiplusToken = 0;

void ShutdownGdiPlus() {
  if (gdiplusToken) Gdiplus::GdiplusShutdown(gdiplusToken);
  gdiplusToken = 0;
}

}  // namespace

bool EnsureGdiPlus() {
  if (gdiplusToken) return true;
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr) != Gdiplus::Ok) {
    gdiplusToken = 0;
    return false;
  }
  atexit(ShutdownGdiPlus);
  return true;
}

class PictureImage {
 public:
  // Throws zel::Exception when path cannot be read as a picture.
  explicit PictureImage(const std::string& path) {
    if (!EnsureGdiPlus()) throw Exception("Unable to load picture " + path);
    // Loaded from memory: GDI+ keeps a file it loads open for the image's
    // lifetime, and the picture in TempDir must stay deletable.
    stream_ = ReadIntoStream(path);
    if (stream_) image_.reset(Gdiplus::Image::FromStream(stream_, FALSE));
    if (!image_ || image_->GetLastStatus() != Gdiplus::Ok || image_->GetWidth() == 0)
      throw Exception("Unable to load picture " + path);
    UINT dimensions = image_->GetFrameDimensionsCount();
    if (dimensions > 0) {
      std::vector<GUID> ids(dimensions);
      image_->GetFrameDimensionsList(ids.data(), dimensions);
      dimension_ = ids[0];
      frames_ = static_cast<int>(image_->GetFrameCount(&dimension_));
    }
    if (frames_ < 1) frames_ = 1;
    delays_.assign(frames_, 100);
    UINT size = image_->GetPropertyItemSize(kFrameDelayTag);
    if (size > sizeof(Gdiplus::PropertyItem)) {
      std::vector<BYTE> storage(size);
      auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(storage.data());
      if (image_->GetPropertyItem(kFrameDelayTag, size, item) == Gdiplus::Ok) {
        const int count = static_cast<int>(item->length / sizeof(LONG));
        const auto* values = static_cast<const LONG*>(item->value);
        for (int i = 0; i < frames_ && i < count; ++i)
          delays_[i] = values[i] > 1 ? static_cast<int>(values[i]) * 10 : 100;
      }
    }
  }
  int Width() const { return static_cast<int>(image_->GetWidth()); }
  int Height() const { return static_cast<int>(image_->GetHeight()); }
  int Frames() const { return frames_; }
  int DelayMs(int frame) const { return delays_[frame]; }
  void Select(int frame) {
    if (frames_ > 1) image_->SelectActiveFrame(&dimension_, static_cast<UINT>(frame));
  }
  void Draw(HDC dc) {
    Gdiplus::Graphics graphics(dc);
    // Pixel for pixel: no smoothing that would blend the picture's edges.
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.DrawImage(image_.get(), 0, 0, Width(), Height());
  }

  ~PictureImage() {
    image_.reset();
    if (stream_) stream_->Release();
  }
  PictureImage(const PictureImage&) = delete;
  PictureImage& operator=(const PictureImage&) = delete;

 private:
  // The whole file in a memory stream (null when it cannot be read).
  static IStream* ReadIntoStream(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    LARGE_INTEGER size{};
    IStream* stream = nullptr;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (64 << 20)) {
      const DWORD bytes = static_cast<DWORD>(size.QuadPart);
      HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
      void* data = memory ? GlobalLock(memory) : nullptr;
      DWORD read = 0;
      const bool ok = data && ReadFile(file, data, bytes, &read, nullptr) && read == bytes;
      if (data) GlobalUnlock(memory);
      if (ok && CreateStreamOnHGlobal(memory, TRUE, &stream) == S_OK) memory = nullptr;
      if (memory) GlobalFree(memory);
    }
    CloseHandle(file);
    return stream;
  }

  IStream* stream_ = nullptr;
  std::unique_ptr<Gdiplus::Image> image_;
  GUID dimension_{};
  int frames_ = 1;
  std::vector<int> delays_;
};

PictureView::PictureView() = default;

PictureView::~PictureView() { Destroy(); }

bool PictureView::Create(HWND parent, int id, int x, int y, int width, int height) {
  RegisterClass(kViewClass, 0, LoadCursor(nullptr, IDC_ARROW), nullptr);
  return Window::Create(kViewClass, "", WS_CHILD, 0, x, y, width, height, parent, id);
}

void PictureView::Load(const std::string& path, bool animate) {
  auto image = std::make_unique<PictureImage>(path);
  KillTimer(Handle(), kFrameTimer);
  image_ = std::move(image);
  animate_ = animate;
  frame_ = 0;
  image_->Select(0);
  if (animate_) {
    RECT r = Bounds();
    SetBounds(r.left, r.top, image_->Width(), image_->Height());
    ScheduleNextFrame();
  }
  InvalidateRect(Handle(), nullptr, TRUE);
}

int PictureView::FrameCount() const { return image_ ? image_->Frames() : 0; }

void PictureView::ScheduleNextFrame() {
  if (animate_ && image_ && image_->Frames() > 1)
    SetTimer(Handle(), kFrameTimer, static_cast<UINT>(image_->DelayMs(frame_)), nullptr);
}

LRESULT PictureView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kFrameTimer || !image_) return 0;
      KillTimer(Handle(), kFrameTimer);
      frame_ = (frame_ + 1) % image_->Frames();
      image_->Select(frame_);
      InvalidateRect(Handle(), nullptr, FALSE);
      ScheduleNextFrame();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      if (image_) image_->Draw(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    default:
      return Window::OnMessage(message, wParam, lParam);
  }
}

bool PicturePanel::Create(HWND parent, int id, int x, int y, int width, int height) {
  RegisterClass(kPanelClass, 0, LoadCursor(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE));
  if (!Window::Create(kPanelClass, "", WS_CHILD | WS_CLIPCHILDREN, 0, x, y, width, height, parent, id))
    return false;
  Image3.Create(Handle(), 1, 16, 8, 115, 96);
  Image4.Create(Handle(), 2, 136, 8, 105, 105);
  return true;
}

LRESULT PicturePanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    EndPaint(Handle(), &ps);
    return 0;
  }
  return Window::OnMessage(message, wParam, lParam);
}

}  // namespace zel::ui
