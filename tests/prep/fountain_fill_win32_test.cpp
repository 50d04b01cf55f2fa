// The gradient painted by GDI into a 32-bit DIB, read back pixel by pixel.
#include "ui/fountain_fill.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A memory DC holding a top-down 32-bit DIB of the given size.
class DibSurface {
 public:
  DibSurface(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                               nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    Fill(RGB(1, 2, 3));
  }
  ~DibSurface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    uint32_t px = bits_[y * width_ + x];  // 0x00RRGGBB in a DIB
    return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
  }
  void Fill(COLORREF color) {
    RECT all{0, 0, width_, height_};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

TEST(FountainFillPaint, EveryRowHasItsBandColourInAllDrawingModes) {
  const int w = 536, h = 348;
  for (bool onScreen : {false, true}) {
    for (bool palette : {true, false}) {
      DibSurface surface(w, h);
      TFountainFill fill;
      fill.SetBounds({0, 0, w, h});
      fill.SetFromColor(kBlue);
      fill.SetToColor(kBlack);
      fill.SetSteps(255);
      fill.SetUsePalette(palette);
      fill.SetDrawOnScreen(onScreen);
      fill.Paint(surface.dc());
      EXPECT_EQ(fill.HasPalette(), palette);
      EXPECT_EQ(surface.At(0, 0), kBlue);
      EXPECT_EQ(surface.At(w - 1, h - 1), kBlack);
      for (int i = 0; i < 255; ++i) {
        TBandRect band = FountainBandRect(fsHorizontal, i, 255, w, h);
        COLORREF want = FountainBandColor(kBlue, kBlack, i, 255);
        for (int y = band.top; y < band.bottom; ++y) {
          ASSERT_EQ(surface.At(0, y), want) << "row " << y << " onScreen " << onScreen;
          ASSERT_EQ(surface.At(w - 1, y), want) << "row " << y;
        }
      }
    }
  }
}

TEST(FountainFillPaint, PaintsOnlyItsBoundsAtTheirOffset) {
  DibSurface surface(100, 60);
  TFountainFill fill;
  fill.SetBounds({10, 20, 90, 50});
  fill.SetFromColor(RGB(255, 0, 0));
  fill.SetToColor(RGB(0, 255, 0));
  fill.SetSteps(4);
  fill.SetStyle(fsVertical);
  fill.Paint(surface.dc());
  EXPECT_EQ(surface.At(5, 30), RGB(1, 2, 3));   // left of the bounds untouched
  EXPECT_EQ(surface.At(95, 30), RGB(1, 2, 3));  // right of the bounds untouched
  EXPECT_EQ(surface.At(50, 10), RGB(1, 2, 3));  // above
  EXPECT_EQ(surface.At(10, 20), RGB(255, 0, 0));
  EXPECT_EQ(surface.At(89, 49), RGB(0, 255, 0));
  EXPECT_EQ(surface.At(30, 35), FountainBandColor(RGB(255, 0, 0), RGB(0, 255, 0), 1, 4));
}

TEST(FountainFillPaint, PartialPaintGivesThePixelsOfTheWholeGradient) {
  for (bool onScreen : {false, true}) {
    for (TFountainStyle style : {fsHorizontal, fsVertical, fsCircular}) {
      DibSurface whole(120, 90), part(120, 90);
      TFountainFill fill;
      fill.SetBounds({5, 5, 115, 85});
      fill.SetFromColor(RGB(200, 10, 0));
      fill.SetToColor(RGB(0, 90, 250));
      fill.SetSteps(37);
      fill.SetStyle(style);
      fill.SetDrawOnScreen(onScreen);
      fill.Paint(whole.dc());
      const RECT area{30, 20, 70, 60};
      fill.Paint(part.dc(), &area);
      for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x) {
          bool inside = x >= 30 && x < 70 && y >= 20 && y < 60;
          ASSERT_EQ(part.At(x, y), inside ? whole.At(x, y) : RGB(1, 2, 3))
              << x << "," << y << " style " << style << " onScreen " << onScreen;
        }
    }
  }
}

TEST(FountainFillPaint, CircularEndsInTheCentreWithTheLastColour) {
  DibSurface surface(300, 400);
  TFountainFill fill;
  fill.SetBounds({0, 0, 300, 400});
  fill.SetFromColor(kBlue);
  fill.SetToColor(RGB(255, 255, 0));
  fill.SetSteps(10);
  fill.SetStyle(fsCircular);
  fill.Paint(surface.dc());
  EXPECT_EQ(surface.At(150, 200), RGB(255, 255, 0));
  // The corners lie on the first (largest) circle or just outside it; 5 pixels in is band 0.
  EXPECT_EQ(surface.At(8, 8), kBlue);
  EXPECT_EQ(surface.At(150, 5), FountainBandColor(kBlue, RGB(255, 255, 0), 2, 10));
}

TEST(FountainFillPaint, FlatFillAndNoPaletteForOneStepOrEqualColours) {
  for (int variant = 0; variant < 2; ++variant) {
    DibSurface surface(40, 40);
    TFountainFill fill;
    fill.SetBounds({0, 0, 40, 40});
    fill.SetFromColor(RGB(10, 20, 30));
    fill.SetToColor(variant == 0 ? RGB(10, 20, 30) : kBlack);
    fill.SetSteps(variant == 0 ? 255 : 1);
    fill.Paint(surface.dc());
    EXPECT_FALSE(fill.HasPalette());
    EXPECT_EQ(surface.At(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(surface.At(39, 39), RGB(10, 20, 30));
  }
}

TEST(FountainFillProperties, SettersClampAndFreeThePaletteOnlyWhenTheyShould) {
  DibSurface surface(20, 20);
  TFountainFill fill;
  EXPECT_EQ(fill.FromColor(), RGB(0, 255, 255));
  EXPECT_EQ(fill.ToColor(), kBlack);
  EXPECT_EQ(fill.Steps(), 20);
  EXPECT_EQ(fill.Style(), fsHorizontal);
  EXPECT_TRUE(fill.UsePalette());
  EXPECT_FALSE(fill.DrawOnScreen());
  EXPECT_EQ(fill.Width(), 50);
  fill.SetSteps(0);
  EXPECT_EQ(fill.Steps(), 1);
  fill.SetSteps(1000);
  EXPECT_EQ(fill.Steps(), 255);

  fill.Paint(surface.dc());
  ASSERT_TRUE(fill.HasPalette());
  fill.SetStyle(fsVertical);
  EXPECT_TRUE(fill.HasPalette());  // style keeps the palette
  fill.SetSteps(255);
  EXPECT_TRUE(fill.HasPalette());  // same value after clamping: nothing changes
  fill.SetSteps(300);
  EXPECT_TRUE(fill.HasPalette());
  fill.SetFromColor(kBlue);
  EXPECT_FALSE(fill.HasPalette());
  fill.Paint(surface.dc());
  fill.SetToColor(RGB(0, 0, 1));
  EXPECT_FALSE(fill.HasPalette());
  fill.Paint(surface.dc());
  fill.SetSteps(4);
  EXPECT_FALSE(fill.HasPalette());
  fill.Paint(surface.dc());
  fill.SetUsePalette(false);
  EXPECT_FALSE(fill.HasPalette());
}

TEST(FountainFillProperties, SystemColoursAreBlendedAsTheirRgbValue) {
  const COLORREF sysHighlight = 0x80000000 | COLOR_HIGHLIGHT;
  EXPECT_EQ(TFountainFill::ResolveColor(sysHighlight), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(TFountainFill::ResolveColor(RGB(1, 2, 3)), RGB(1, 2, 3));
  DibSurface surface(10, 10);
  TFountainFill fill;
  fill.SetBounds({0, 0, 10, 10});
  fill.SetFromColor(sysHighlight);
  fill.SetSteps(2);
  fill.Paint(surface.dc());
  EXPECT_EQ(surface.At(0, 0), GetSysColor(COLOR_HIGHLIGHT));
}

}  // namespace
}  // namespace zel
