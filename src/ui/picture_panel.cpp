#include "ui/picture_panel.h"

#include <objidl.h>
#include <ocidl.h>
#include <olectl.h>

#include <vector>

#include "platform/errors.h"
#include "platform/lookup.h"

namespace zel::ui {

namespace {

constexpr const char* kPanelClass = "ZELPicturePanel";
constexpr const char* kViewClass = "ZELPictureView";
constexpr UINT_PTR kFrameTimer = 1;
constexpr PROPID kFrameDelayTag = 0x5100;  // PropertyTagFrameDelay, 1/100 s per frame

// GDI+ through its flat interface, looked up at run time: Windows XP and
// later have it, older systems may not (the pictures are then drawn through
// OLE, see PictureImage).
using GpImage = void;
using GpGraphics = void;
struct GdiPlusStartupInput {
  UINT32 version = 1;
  void* debugEventCallback = nullptr;
  BOOL suppressBackgroundThread = FALSE;
  BOOL suppressExternalCodecs = FALSE;
};
struct GdiPlusPropertyItem {
  PROPID id;
  ULONG length;
  WORD type;
  void* value;
};
struct GdiPlusApi {
  int(WINAPI* Startup)(ULONG_PTR*, const GdiPlusStartupInput*, void*);
  void(WINAPI* Shutdown)(ULONG_PTR);
  int(WINAPI* LoadImageFromStream)(IStream*, GpImage**);
  int(WINAPI* DisposeImage)(GpImage*);
  int(WINAPI* GetImageWidth)(GpImage*, UINT*);
  int(WINAPI* GetImageHeight)(GpImage*, UINT*);
  int(WINAPI* GetFrameDimensionsCount)(GpImage*, UINT*);
  int(WINAPI* GetFrameDimensionsList)(GpImage*, GUID*, UINT);
  int(WINAPI* GetFrameCount)(GpImage*, const GUID*, UINT*);
  int(WINAPI* SelectActiveFrame)(GpImage*, const GUID*, UINT);
  int(WINAPI* GetPropertyItemSize)(GpImage*, PROPID, UINT*);
  int(WINAPI* GetPropertyItem)(GpImage*, PROPID, UINT, GdiPlusPropertyItem*);
  int(WINAPI* CreateFromHDC)(HDC, GpGraphics**);
  int(WINAPI* SetInterpolationMode)(GpGraphics*, int);
  int(WINAPI* SetPixelOffsetMode)(GpGraphics*, int);
  int(WINAPI* DrawImageRectI)(GpGraphics*, GpImage*, INT, INT, INT, INT);
  int(WINAPI* DeleteGraphics)(GpGraphics*);
};
// In the order of the members above.
constexpr const char* kGdiPlusNames[] = {
    "GdiplusStartup", "GdiplusShutdown", "GdipLoadImageFromStream", "GdipDisposeImage",
    "GdipGetImageWidth", "GdipGetImageHeight", "GdipImageGetFrameDimensionsCount",
    "GdipImageGetFrameDimensionsList", "GdipImageGetFrameCount", "GdipImageSelectActiveFrame",
    "GdipGetPropertyItemSize", "GdipGetPropertyItem", "GdipCreateFromHDC", "GdipSetInterpolationMode",
    "GdipSetPixelOffsetMode", "GdipDrawImageRectI", "GdipDeleteGraphics"};
static_assert(sizeof(GdiPlusApi) == sizeof kGdiPlusNames / sizeof kGdiPlusNames[0] * sizeof(void*));
constexpr int kGdiPlusOk = 0;
constexpr int kInterpolationNearestNeighbor = 5;
constexpr int kPixelOffsetHalf = 4;

GdiPlusApi gdiPlus{};
ULONG_PTR gdiplusToken = 0;
int gdiPlusState = 0;  // 0 not tried, 1 started, -1 missing

void ShutdownGdiPlus() {
  if (gdiplusToken) gdiPlus.Shutdown(gdiplusToken);
  gdiplusToken = 0;
}

// The started GDI+, or null when this Windows has none.
const GdiPlusApi* GdiPlus() {
  if (gdiPlusState == 0) {
    gdiPlusState = -1;
    void** slots = reinterpret_cast<void**>(&gdiPlus);
    for (const char* name : kGdiPlusNames)
      if (!(*slots++ = sys::LookUpFunction("gdiplus.dll", name))) return nullptr;
    GdiPlusStartupInput input;
    if (gdiPlus.Startup(&gdiplusToken, &input, nullptr) != kGdiPlusOk) return nullptr;
    gdiPlusState = 1;
    atexit(ShutdownGdiPlus);
  }
  return gdiPlusState > 0 ? &gdiPlus : nullptr;
}

// The whole file in a memory stream (null when it cannot be read).
IStream* ReadIntoStream(const std::string& path, LONG& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  DWORD high = 0;
  const DWORD size = GetFileSize(file, &high);
  IStream* stream = nullptr;
  if (size != INVALID_FILE_SIZE && high == 0 && size > 0 && size < (64u << 20)) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* data = memory ? GlobalLock(memory) : nullptr;
    DWORD read = 0;
    const bool ok = data && ReadFile(file, data, size, &read, nullptr) && read == size;
    if (data) GlobalUnlock(memory);
    if (ok && CreateStreamOnHGlobal(memory, TRUE, &stream) == S_OK) memory = nullptr;
    if (memory) GlobalFree(memory);
    bytes = static_cast<LONG>(size);
  }
  CloseHandle(file);
  return stream;
}

}  // namespace

bool EnsureGdiPlus() { return GdiPlus() != nullptr; }

// A loaded picture: through GDI+ where the system has it (every frame of an
// animation, with its delays), else through OLE's picture loader (BMP, GIF,
// JPEG, ICO and metafiles, first frame only).
class PictureImage {
 public:
  // Throws zel::Exception when path cannot be read as a picture.
  explicit PictureImage(const std::string& path) : gdi_(GdiPlus()) {
    // Loaded from memory: GDI+ keeps a file it loads open for the image's
    // lifetime, and the picture in TempDir must stay deletable.
    LONG bytes = 0;
    stream_ = ReadIntoStream(path, bytes);
    if (stream_ && gdi_)
      LoadWithGdiPlus();
    else if (stream_)
      LoadWithOle(bytes);
    if (width_ <= 0 || height_ <= 0) throw Exception("Unable to load picture " + path);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Frames() const { return frames_; }
  int DelayMs(int frame) const { return delays_[frame]; }
  void Select(int frame) {
    if (frames_ > 1) gdi_->SelectActiveFrame(image_, &dimension_, static_cast<UINT>(frame));
  }
  void Draw(HDC dc) {
    if (picture_) {
      OLE_XSIZE_HIMETRIC w = 0;
      OLE_YSIZE_HIMETRIC h = 0;
      picture_->get_Width(&w);
      picture_->get_Height(&h);
      picture_->Render(dc, 0, 0, width_, height_, 0, h, w, -h, nullptr);
      return;
    }
    if (!image_) return;
    GpGraphics* graphics = nullptr;
    if (gdi_->CreateFromHDC(dc, &graphics) != kGdiPlusOk) return;
    // Pixel for pixel: no smoothing that would blend the picture's edges.
    gdi_->SetInterpolationMode(graphics, kInterpolationNearestNeighbor);
    gdi_->SetPixelOffsetMode(graphics, kPixelOffsetHalf);
    gdi_->DrawImageRectI(graphics, image_, 0, 0, width_, height_);
    gdi_->DeleteGraphics(graphics);
  }

  ~PictureImage() {
    if (image_) gdi_->DisposeImage(image_);
    if (picture_) picture_->Release();
    if (stream_) stream_->Release();
  }
  PictureImage(const PictureImage&) = delete;
  PictureImage& operator=(const PictureImage&) = delete;

 private:
  void LoadWithGdiPlus() {
    if (gdi_->LoadImageFromStream(stream_, &image_) != kGdiPlusOk || !image_) return;
    UINT w = 0, h = 0;
    gdi_->GetImageWidth(image_, &w);
    gdi_->GetImageHeight(image_, &h);
    width_ = static_cast<int>(w);
    height_ = static_cast<int>(h);
    UINT dimensions = 0, count = 0;
    if (gdi_->GetFrameDimensionsCount(image_, &dimensions) == kGdiPlusOk && dimensions > 0) {
      std::vector<GUID> ids(dimensions);
      gdi_->GetFrameDimensionsList(image_, ids.data(), dimensions);
      dimension_ = ids[0];
      if (gdi_->GetFrameCount(image_, &dimension_, &count) == kGdiPlusOk && count > 1)
        frames_ = static_cast<int>(count);
    }
    delays_.assign(frames_, 100);
    UINT size = 0;
    if (gdi_->GetPropertyItemSize(image_, kFrameDelayTag, &size) != kGdiPlusOk ||
        size <= sizeof(GdiPlusPropertyItem))
      return;
    std::vector<BYTE> storage(size);
    auto* item = reinterpret_cast<GdiPlusPropertyItem*>(storage.data());
    if (gdi_->GetPropertyItem(image_, kFrameDelayTag, size, item) != kGdiPlusOk) return;
    const int values = static_cast<int>(item->length / sizeof(LONG));
    const auto* delays = static_cast<const LONG*>(item->value);
    for (int i = 0; i < frames_ && i < values; ++i) delays_[i] = delays[i] > 1 ? static_cast<int>(delays[i]) * 10 : 100;
  }

  void LoadWithOle(LONG bytes) {
    if (FAILED(OleLoadPicture(stream_, bytes, FALSE, __uuidof(IPicture), reinterpret_cast<void**>(&picture_))) ||
        !picture_)
      return;
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture_->get_Width(&w);
    picture_->get_Height(&h);
    // Sizes come in hundredths of a millimetre.
    HDC screen = GetDC(nullptr);
    width_ = MulDiv(w, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    height_ = MulDiv(h, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    ReleaseDC(nullptr, screen);
    delays_.assign(1, 100);
  }

  const GdiPlusApi* gdi_;
  IStream* stream_ = nullptr;
  GpImage* image_ = nullptr;
  IPicture* picture_ = nullptr;
  GUID dimension_{};
  int width_ = 0, height_ = 0;
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
