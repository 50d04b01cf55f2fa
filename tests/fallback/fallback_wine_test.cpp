// Every way on that the setup takes where a Windows lacks a newer call, run
// under Wine with the lookup pretending the call is missing (see
// pretend_lookup_win32.cpp).
#include <windows.h>
#include <commctrl.h>
#undef DeleteFile  // fs::DeleteFile is ours

#include <gtest/gtest.h>

#include <string>

#include "platform/errors.h"
#include "platform/fs.h"
#include "platform/lookup.h"
#include "platform/system.h"
#include "platform/windows_family.h"
#include "shell/window_routines.h"
#include "support/scratch_dir.h"
#include "ui/picture_panel.h"
#include "ui/system_ui.h"
#include "wizard/link_folders.h"

namespace zel {
namespace {

// Pretends the named calls are missing for the life of the object.
class Missing {
 public:
  explicit Missing(const char* names) { SetEnvironmentVariableA("ZEL_PRETEND_MISSING", names); }
  ~Missing() { SetEnvironmentVariableA("ZEL_PRETEND_MISSING", nullptr); }
};

TEST(Lookup, FindsWhatTheSystemHasAndPretendsOnlyWhatItIsTold) {
  EXPECT_NE(sys::LookUpFunction("kernel32.dll", "SetDllDirectoryA"), nullptr);
  EXPECT_EQ(sys::LookUpFunction("kernel32.dll", "NoSuchFunctionAtAll"), nullptr);
  EXPECT_EQ(sys::LookUpFunction("nosuchdll.dll", "Anything"), nullptr);
  // A DLL not yet loaded comes from the system folder.
  EXPECT_NE(sys::LookUpFunction("version.dll", "GetFileVersionInfoA"), nullptr);
  const Missing missing("SetDllDirectoryA");
  EXPECT_EQ(sys::LookUpFunction("kernel32.dll", "SetDllDirectoryA"), nullptr);
  EXPECT_NE(sys::LookUpFunction("kernel32.dll", "SetDefaultDllDirectories"), nullptr);
}

TEST(Lookup, WithoutTheSearchFlagsADllComesFromTheSystemFolderByItsFullPath) {
  const Missing missing("AddDllDirectory");
  ASSERT_EQ(GetModuleHandleA("imagehlp.dll"), nullptr);
  EXPECT_NE(sys::LookUpFunction("imagehlp.dll", "ImageNtHeader"), nullptr);
  char path[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(GetModuleHandleA("imagehlp.dll"), path, MAX_PATH), 0u);
  char system[MAX_PATH];
  const UINT n = GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(_strnicmp(path, system, n), 0) << path;
  EXPECT_EQ(sys::LookUpFunction("nosuchdll2.dll", "Anything"), nullptr);
}

TEST(RestrictDllSearch, EachStepOnlyWhereTheSystemHasIt) {
  {
    const Missing missing("SetDefaultDllDirectories,SetDllDirectoryA");
    EXPECT_FALSE(sys::RestrictDllSearch());  // Windows 98, NT 4.0, 2000: left as it is
  }
  {
    const Missing missing("SetDefaultDllDirectories");
    EXPECT_TRUE(sys::RestrictDllSearch());  // XP SP1 to 7: the current folder is dropped
  }
  EXPECT_TRUE(sys::RestrictDllSearch());
}

TEST(MonitorBounds, PrimaryScreenWithoutTheMonitorCalls) {
  HWND window = CreateWindowA("STATIC", "", WS_POPUP, 10, 10, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  for (const char* names : {"MonitorFromWindow", "GetMonitorInfoA", ""}) {
    const Missing missing(names);
    const RECT bounds = ui::MonitorBounds(window);
    EXPECT_TRUE(EqualRect(&bounds, &screen)) << names << ": " << bounds.right << "x" << bounds.bottom;
  }
  DestroyWindow(window);
}

TEST(InitCommonControls, ProgressBarAndListViewWithoutInitCommonControlsEx) {
  const Missing missing("InitCommonControlsEx");
  ui::InitCommonControlsForSetup();
  for (const char* className : {PROGRESS_CLASSA, WC_LISTVIEWA}) {
    HWND control = CreateWindowA(className, "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(control, nullptr) << className;
    if (control) DestroyWindow(control);
  }
}

TEST(RenameFile, ReplacesWithoutMoveFileEx) {
  const Missing missing("MoveFileExA");
  test::ScratchDir dir("rename");
  test::WriteFile(dir / "new.tmp", "new content");
  test::WriteFile(dir / "autoexec.bat", "old content");
  ASSERT_TRUE(fs::RenameFile(dir / "new.tmp", dir / "autoexec.bat"));
  EXPECT_EQ(test::ReadFile(dir / "autoexec.bat"), "new content");
  EXPECT_FALSE(fs::FileExists(dir / "new.tmp"));
  EXPECT_FALSE(fs::FileExists(dir / "autoexec.bat.zel~"));
  // Onto nothing: a plain move.
  test::WriteFile(dir / "second.tmp", "second");
  ASSERT_TRUE(fs::RenameFile(dir / "second.tmp", dir / "fresh.bat"));
  EXPECT_EQ(test::ReadFile(dir / "fresh.bat"), "second");
}

TEST(RenameFile, FailedReplaceWithoutMoveFileExKeepsTheOldFile) {
  const Missing missing("MoveFileExA");
  test::ScratchDir dir("rename");
  test::WriteFile(dir / "autoexec.bat", "old content");
  // The source is missing: the old file is set aside, the move fails, and
  // the old file is put back.
  EXPECT_FALSE(fs::RenameFile(dir / "gone.tmp", dir / "autoexec.bat"));
  EXPECT_EQ(test::ReadFile(dir / "autoexec.bat"), "old content");
  EXPECT_FALSE(fs::FileExists(dir / "autoexec.bat.zel~"));
}

TEST(AdministratorRights, WithoutTheTokenQueryNoRightsAndTheUsersFolders) {
  ASSERT_TRUE(sys::IsNtPlatform());  // Wine reports the NT family by default
  const Missing missing("GetTokenInformation");
  EXPECT_FALSE(sys::HasAdministratorRights());
  const LinkFolders folders = ShellLinkFolders(WindowsFolder());
  EXPECT_EQ(folders.desktop, sys::ShellFolderPath(sys::ShellFolder::kDesktop, false));
  EXPECT_EQ(folders.programs, sys::ShellFolderPath(sys::ShellFolder::kPrograms, false));
}

COLORREF PixelOf(HWND hwnd, int x, int y) {
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);
  HDC dc = GetDC(hwnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

std::string WinePath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// Without GDI+ (Windows 98, NT 4.0, 2000 as shipped) OLE's picture loader
// draws BMP, GIF and JPEG files; an animation shows its first frame.
TEST(PicturesWithoutGdiPlus, BmpGifAndJpegThroughOle) {
  const Missing missing("GdiplusStartup");
  EXPECT_FALSE(ui::EnsureGdiPlus());
  ASSERT_TRUE(ui::Window::RegisterClass("FallbackTestHost", 0, nullptr, GetSysColorBrush(COLOR_WINDOW)));
  HWND host = CreateWindowA("FallbackTestHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  ui::PicturePanel panel;
  ASSERT_TRUE(panel.Create(host, 1, 16, 16, 300, 200));
  panel.Show(true);
  const std::string data = std::string(ZEL_SOURCE_DIR) + "/tests/prep/data/";

  panel.Image3.Load(WinePath(data + "three_frames.gif"), true);
  panel.Image3.Show(true);
  EXPECT_EQ(panel.Image3.FrameCount(), 1);  // first frame only
  EXPECT_EQ(panel.Image3.Width(), 40);
  EXPECT_EQ(panel.Image3.Height(), 30);
  EXPECT_EQ(PixelOf(panel.Image3.Handle(), 5, 5), RGB(255, 0, 0));
  panel.Image3.Show(false);

  panel.Image4.SetBounds(5, 5, 105, 105);
  panel.Image4.Load(WinePath(data + "small.bmp"), false);
  panel.Image4.Show(true);
  EXPECT_EQ(panel.Image4.Width(), 105);  // a still picture keeps the view's size
  EXPECT_EQ(PixelOf(panel.Image4.Handle(), 19, 9), RGB(255, 255, 0));
  EXPECT_NE(PixelOf(panel.Image4.Handle(), 30, 30), RGB(255, 255, 0));  // not stretched

  panel.Image4.Load(WinePath(data + "small.jpg"), false);
  const COLORREF jpeg = PixelOf(panel.Image4.Handle(), 5, 5);
  EXPECT_LT(GetRValue(jpeg), 40);
  EXPECT_LT(GetGValue(jpeg), 40);
  EXPECT_GT(GetBValue(jpeg), 215);
  EXPECT_NE(PixelOf(panel.Image4.Handle(), 30, 30), jpeg);

  EXPECT_THROW(panel.Image4.Load(WinePath(data + "../CMakeLists.txt"), false), Exception);
  panel.Destroy();
  DestroyWindow(host);
}

}  // namespace
}  // namespace zel
