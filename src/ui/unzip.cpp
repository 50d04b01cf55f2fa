#include "ui/unzip.h"

#include <commctrl.h>

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "platform/windows_family.h"
#include "ui/globals.h"
#include "ui/main_setup.h"
#include "ui/prompts.h"
#include "ui/unzip_res.h"
#include "ui/zel_wizard.h"

namespace zel::ui {

namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1Interval = 1000;
constexpr UINT_PTR kAnimationTimer = 1;
constexpr const char* kAnimationClass = "ZELDiskAnimation";
constexpr const char* kErrorExpanding = "Error Expanding Files!!";
constexpr const char* kAbortQuestion = "Abort Setup Process ?";

// Client-area layout in pixels.
constexpr int kClientWidth = 375, kClientHeight = 92;
constexpr RECT kLabel1{44, 4, 44 + 325, 4 + 53};
constexpr RECT kPanel{44, 64, 44 + 325, 64 + 23};
constexpr RECT kAnimator{2, 8, 2 + 32, 8 + 32};

void PlaceItem(HWND dialog, int id, const RECT& r) {
  SetWindowPos(GetDlgItem(dialog, id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// ---- GIFAnimator1 -------------------------------------------------------

DiskAnimation::~DiskAnimation() { Destroy(); }

bool DiskAnimation::Create(HWND parent, int id, int x, int y, int size) {
  RegisterClass(kAnimationClass, 0, LoadCursor(nullptr, IDC_ARROW), nullptr);
  if (!Window::Create(kAnimationClass, "", WS_CHILD | WS_VISIBLE, 0, x, y, size, size, parent, id))
    return false;
  SetTimer(Handle(), kAnimationTimer, 120, nullptr);
  return true;
}

LRESULT DiskAnimation::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      phase_ = (phase_ + 1) % 8;
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // clicks reach the window (FormClick)
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      RECT c;
      GetClientRect(Handle(), &c);
      const int s = c.right;
      FillRect(dc, &c, GetSysColorBrush(COLOR_BTNFACE));
      // A floppy disk: body, shutter, label, and a light running round it.
      HBRUSH body = CreateSolidBrush(RGB(0, 0, 128));
      RECT disk{s / 8, s / 8, s - s / 8, s - s / 8};
      FillRect(dc, &disk, body);
      RECT shutter{s * 3 / 8, s / 8, s * 5 / 8, s * 3 / 8};
      FillRect(dc, &shutter, GetSysColorBrush(COLOR_BTNSHADOW));
      RECT label{s / 4, s / 2, s - s / 4, s - s / 8};
      FillRect(dc, &label, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      static const POINT ring[8] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
      const int cx = s / 2 + ring[phase_].x * s * 5 / 16, cy = s / 2 + ring[phase_].y * s * 5 / 16;
      HBRUSH light = CreateSolidBrush(RGB(255, 220, 0));
      HGDIOBJ oldBrush = SelectObject(dc, light);
      HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
      Ellipse(dc, cx - s / 10, cy - s / 10, cx + s / 10 + 1, cy + s / 10 + 1);
      SelectObject(dc, oldPen);
      SelectObject(dc, oldBrush);
      DeleteObject(light);
      DeleteObject(body);
      EndPaint(Handle(), &ps);
      return 0;
    }
    default:
      return Window::OnMessage(message, wParam, lParam);
  }
}

// ---- TUnzip -------------------------------------------------------------

TUnzip::TUnzip() = default;
TUnzip::~TUnzip() = default;

void TUnzip::ShowModal(HWND owner) { Dialog::ShowModal(owner, IDD_UNZIP); }

INT_PTR TUnzip::OnInitDialog() {
  LayOut();
  GIFAnimator1.Create(Handle(), IDC_UNZIP_ANIMATOR, kAnimator.left, kAnimator.top, 32);
  FormShow();
  return TRUE;
}

void TUnzip::LayOut() {
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE)));
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceItem(Handle(), IDC_UNZIP_LABEL1, kLabel1);
  PlaceItem(Handle(), IDC_UNZIP_PANEL, kPanel);
  // The gauge fills the panel inside its one-pixel border.
  PlaceItem(Handle(), IDC_UNZIP_PROGRESS,
            {kPanel.left + 1, kPanel.top + 1, kPanel.right - 1, kPanel.bottom - 1});
  SetWindowPos(GetDlgItem(Handle(), IDC_UNZIP_PROGRESS), HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TUnzip::FormShow() {
  SetupAborted = false;
  const std::string header = MainSetup ? MainSetup->data.Header.text : std::string();
  SetItemText(IDC_UNZIP_LABEL1, PreparationLabelText(header, ItemText(IDC_UNZIP_LABEL1)));
  HWND gauge = Item(IDC_UNZIP_PROGRESS);
  const COLORREF start = MainSetup ? TFountainFill::ResolveColor(MainSetup->MainScreen.FromColor())
                                   : GetSysColor(COLOR_HIGHLIGHT);
  SendMessageA(gauge, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(start));
  SendMessageA(gauge, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_BTNFACE)));
  SendMessageA(gauge, PBM_SETRANGE32, 0, 100);
  SendMessageA(gauge, PBM_SETPOS, 0, 0);
  zel::ProcessMessages();
  SetTimer(Handle(), kTimer1, kTimer1Interval, nullptr);
}

void TUnzip::Timer1Timer() {
  KillTimer(Handle(), kTimer1);
  SetupAborted = false;
  ExpandSetupFiles();
}

void TUnzip::ExpandSetupFiles() {
  PreparationSettings settings;
  if (MainSetup) {
    settings.sourceDir = MainSetup->data.SourceDir;
    settings.setupProgram = sys::ProgramFile();
    settings.tempDir = MainSetup->data.TempDir;
    settings.bitmapFile = MainSetup->data.BitmapFile;
    settings.fileEntryCount = MainSetup->data.FileEntries.Count();
  }
  stage_ = std::make_unique<TPreparationStage>(static_cast<PreparationHost&>(*this), settings);
  SegCompEZ1 = MakeArchive(Handle());
  SegmentArchive& ez = *SegCompEZ1;
  ez.OnSegBefore = [this](uint16_t segNumber) {
    stage_->SegBefore(segNumber, SegCompEZ1->SegBaseName());
  };
  ez.OnCheckFile = [this](std::string& filepath) { stage_->CheckFile(filepath); };
  ez.OnShowProgress = [this](int& percentageDone) {
    stage_->SetupAborted = SetupAborted;
    stage_->ShowProgress(percentageDone);
  };
  // TempDir was made fresh at start-up; the component's scratch folder goes
  // inside it.
  const std::string segTmpDir = ScratchFolder(settings.tempDir);
  ez.Prepare("disk", settings.sourceDir, segTmpDir);
  expanding_ = true;
  try {
    if (settings.tempDir.empty() || !fs::DirectoryExists(settings.tempDir))
      throw EInOutError("No temporary folder could be made");
    fs::ForceDirectories(segTmpDir);
    ez.ExpandAll();
    Succeeded = !SetupAborted;
  } catch (const std::exception& e) {
    ExpansionFailed(e.what());
  } catch (...) {
    ExpansionFailed("");
  }
  expanding_ = false;
  EndModal(Succeeded ? IDOK : IDABORT);
}

void TUnzip::ExpansionFailed(const char* reason) {
  // After the user's abort the expansion ends with an error by design; the
  // user has already been asked, so no error box follows.
  if (!SetupAborted) {
    std::string text = kErrorExpanding;
    if (*reason) text = text + "\n\n" + reason;
    sys::MsgBox(text, sys::kMbOk);
  }
  if (MainSetup) MainSetup->data.ExitCode = SetupAborted ? kExitCancelled : kExitFailed;
  if (ZEL) ZEL->ClearReboot();
  SetupAborted = true;
}

void TUnzip::FormClick() {
  if (askingAbort_) return;
  askingAbort_ = true;
  const bool abort = AskNoAbort(Handle(), kAbortQuestion, sys::ApplicationTitle());
  askingAbort_ = false;
  if (!abort) return;
  SetupAborted = true;
  if (stage_) stage_->SetupAborted = true;
  if (ZEL) ZEL->ClearReboot();  // an aborted setup never restarts Windows
  if (MainSetup) MainSetup->ClearTempDir();
  KillTimer(Handle(), kTimer1);
  // Ends the modal run; while an expansion is running the window closes as
  // soon as it has stopped (at the next file, or the next progress report of
  // the file being decoded).
  EndModal(IDABORT);
}

// ---- PreparationHost ----------------------------------------------------

void TUnzip::ShowMessage(const std::string& text) { sys::MsgBox(text, sys::kMbOk); }

void TUnzip::ProcessMessages() { zel::ProcessMessages(); }

void TUnzip::ShowGauge(const TPreparationGauge& gauge) {
  HWND bar = Item(IDC_UNZIP_PROGRESS);
  SendMessageA(bar, PBM_SETRANGE32, 0, gauge.Max());
  SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(gauge.Position()), 0);
}

void TUnzip::ShowPicture(const std::string& path, bool animated) {
  if (!MainSetup) return;
  TMainSetup& main = *MainSetup;
  PicturePanel& panel = main.bitmapscreen;
  panel.Image3.Show(false);
  panel.Image4.Show(false);
  PictureView& view = animated ? panel.Image3 : panel.Image4;
  if (!animated) view.SetBounds(0, 0, kStillPictureSize, kStillPictureSize);
  view.Load(path, animated);  // throws for an unreadable picture
  const RECT header2 = main.Setup_Header2.Bounds();
  const TPicturePanel place = PlacePicturePanel(view.Width(), view.Height(), main.MainScreen.Width(),
                                                header2.top, main.data.AlignCenter, main.data.AlignLeft);
  view.SetBounds(place.pictureLeft, place.pictureTop, view.Width(), view.Height());
  view.Show(true);
  UpdateWindow(main.Handle());
  panel.SetBounds(place.left, place.top, place.width, place.height);
  panel.Show(true);
  main.Repaint();
}

bool TUnzip::OnCommand(int id, int notifyCode) {
  if (id != IDCANCEL) return Dialog::OnCommand(id, notifyCode);
  FormClick();
  return true;
}

INT_PTR TUnzip::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kTimer1) return FALSE;
      Timer1Timer();
      return TRUE;
    case WM_LBUTTONUP:
      FormClick();
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace zel::ui
