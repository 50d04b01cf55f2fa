#include "shell/fountain_bands.h"

#include <gtest/gtest.h>

#include <set>

namespace zel {
namespace {

constexpr TColorRef kBlue = 0x00FF0000;
constexpr TColorRef kBlack = 0;
constexpr TColorRef kAqua = 0x00FFFF00;

TEST(FountainMulDiv, RoundsHalvesAwayFromZeroAndUses64Bits) {
  struct Case { int32_t a, b, c, want; };
  const Case cases[] = {
      {1, 1, 2, 1},     {3, 1, 2, 2},       {-1, 1, 2, -1},  {-3, 1, 2, -2},
      {1, -255, 3, -85}, {2, 348, 255, 3},  {1, 348, 255, 1}, {7, 3, -2, -11},
      {100000, 100000, 100000, 100000},  // 10^10 intermediate does not overflow
      {5, 5, 0, -1},                     // zero divisor
      {0x7FFFFFFF, 4, 1, -1},            // result outside 32 bits
  };
  for (const Case& c : cases)
    EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.want) << c.a << "*" << c.b << "/" << c.c;
}

TEST(FountainSteps, ClampedIntoOneTo255) {
  EXPECT_EQ(ClampFountainSteps(0), 1);
  EXPECT_EQ(ClampFountainSteps(-7), 1);
  EXPECT_EQ(ClampFountainSteps(1), 1);
  EXPECT_EQ(ClampFountainSteps(255), 255);
  EXPECT_EQ(ClampFountainSteps(256), 255);
  EXPECT_EQ(ClampFountainSteps(1000), 255);
}

TEST(FountainColors, BlueToBlackInFourSteps) {
  const TColorRef want[] = {0xFF0000, 0xAA0000, 0x550000, 0x000000};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(FountainBandColor(kBlue, kBlack, i, 4), want[i]) << i;
}

TEST(FountainColors, EndsAreExactAndChannelsStayInRange) {
  const TColorRef pairs[][2] = {{kBlue, kBlack}, {kBlack, 0xFFFFFF}, {0x123456, 0xFEDCBA},
                                {kAqua, 0x0000FF}};
  for (int steps : {2, 3, 7, 20, 254, 255}) {
    for (auto& p : pairs) {
      EXPECT_EQ(FountainBandColor(p[0], p[1], 0, steps), p[0]);
      EXPECT_EQ(FountainBandColor(p[0], p[1], steps - 1, steps), p[1]);
      // Every channel moves monotonically from start to end.
      for (int shift : {0, 8, 16}) {
        int f = (p[0] >> shift) & 0xFF, t = (p[1] >> shift) & 0xFF, last = f;
        for (int i = 1; i < steps; ++i) {
          int v = (FountainBandColor(p[0], p[1], i, steps) >> shift) & 0xFF;
          EXPECT_TRUE(t >= f ? v >= last && v <= t : v <= last && v >= t);
          last = v;
        }
      }
    }
  }
}

TEST(FountainColors, FlatWhenOneStepOrEqualColours) {
  EXPECT_TRUE(IsFlatFountain(kBlue, kBlack, 1));
  EXPECT_TRUE(IsFlatFountain(kBlue, kBlue, 255));
  EXPECT_FALSE(IsFlatFountain(kBlue, kBlack, 2));
  EXPECT_EQ(FountainBandColor(kBlue, kBlack, 0, 1), kBlue);
}

TEST(FountainGeometry, HorizontalBandsCover348RowsWithoutGaps) {
  const int steps = 255, w = 536, h = 348;
  int nextTop = 0;
  for (int i = 0; i < steps; ++i) {
    TBandRect r = FountainBandRect(fsHorizontal, i, steps, w, h);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, w);
    EXPECT_EQ(r.top, nextTop) << i;
    int rows = r.bottom - r.top;
    EXPECT_TRUE(rows == 1 || rows == 2) << "band " << i << " has " << rows << " rows";
    nextTop = r.bottom;
  }
  EXPECT_EQ(nextTop, h);
  // Row 0 lies in band 0 (FromColor), row 347 in band 254 (ToColor).
  EXPECT_EQ(FountainBandRect(fsHorizontal, 0, steps, w, h).top, 0);
  EXPECT_EQ(FountainBandRect(fsHorizontal, steps - 1, steps, w, h).bottom, h);
}

TEST(FountainGeometry, VerticalBandsRunLeftToRight) {
  TBandRect first = FountainBandRect(fsVertical, 0, 4, 100, 30);
  TBandRect last = FountainBandRect(fsVertical, 3, 4, 100, 30);
  EXPECT_EQ(first.left, 0);
  EXPECT_EQ(first.right, 25);
  EXPECT_EQ(first.top, 0);
  EXPECT_EQ(first.bottom, 30);
  EXPECT_EQ(last.left, 75);
  EXPECT_EQ(last.right, 100);
  // Fewer pixels than bands: bands may be empty but never inverted.
  std::set<int> lefts;
  for (int i = 0; i < 255; ++i) {
    TBandRect r = FountainBandRect(fsVertical, i, 255, 10, 5);
    EXPECT_LE(r.left, r.right);
    lefts.insert(r.left);
  }
  EXPECT_LE(lefts.size(), 11u);
}

TEST(FountainGeometry, CircularStartsAtTheDiagonalAndShrinksToTheCentre) {
  EXPECT_EQ(FountainDiagonal(300, 400), 500);
  EXPECT_EQ(FountainDiagonal(1, 1), 1);  // 1.414 rounds down
  EXPECT_EQ(FountainDiagonal(3, 3), 4);  // 4.243
  TBandRect first = FountainBandRect(fsCircular, 0, 20, 300, 400);
  EXPECT_EQ(first.left, -100);
  EXPECT_EQ(first.top, -50);
  EXPECT_EQ(first.right - first.left, 500);
  EXPECT_EQ(first.bottom - first.top, 500);
  int lastSide = 501;
  for (int i = 0; i < 20; ++i) {
    TBandRect r = FountainBandRect(fsCircular, i, 20, 300, 400);
    int side = r.right - r.left;
    EXPECT_LT(side, lastSide);
    EXPECT_EQ(r.left, 150 - side / 2);
    EXPECT_EQ(r.top, 200 - side / 2);
    lastSide = side;
  }
  EXPECT_EQ(lastSide, 25);  // MulDiv(1, 500, 20)
}

TEST(FountainGeometry, OutOfRangeStepsAreClampedForGeometryToo) {
  TBandRect r = FountainBandRect(fsHorizontal, 0, 0, 50, 50);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.bottom, 50);
}

}  // namespace
}  // namespace zel
