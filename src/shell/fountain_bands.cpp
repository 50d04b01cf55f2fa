#include "shell/fountain_bands.h"

#include <cmath>
#include <limits>

namespace zel {

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  int64_t product = static_cast<int64_t>(a) * b;
  int64_t divisor = c;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  // Round half away from zero.
  int64_t half = divisor / 2;
  int64_t result = product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
  if (result > std::numeric_limits<int32_t>::max() ||
      result < std::numeric_limits<int32_t>::min())
    return -1;
  return static_cast<int32_t>(result);
}

int ClampFountainSteps(int steps) {
  if (steps < kMinFountainSteps) return kMinFountainSteps;
  if (steps > kMaxFountainSteps) return kMaxFountainSteps;
  return steps;
}

bool IsFlatFountain(TColorRef from, TColorRef to, int steps) {
  return steps <= 1 || (from & 0xFFFFFF) == (to & 0xFFFFFF);
}

namespace {

int Channel(TColorRef color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

uint32_t BlendChannel(TColorRef from, TColorRef to, int shift, int index, int steps) {
  int f = Channel(from, shift);
  int t = Channel(to, shift);
  int value = f + MulDiv(index, t - f, steps - 1);
  return static_cast<uint32_t>(value) & 0xFF;
}

}  // namespace

TColorRef FountainBandColor(TColorRef from, TColorRef to, int index, int steps) {
  steps = ClampFountainSteps(steps);
  if (steps == 1) return from & 0xFFFFFF;
  return BlendChannel(from, to, 0, index, steps) | BlendChannel(from, to, 8, index, steps) << 8 |
         BlendChannel(from, to, 16, index, steps) << 16;
}

int32_t FountainDiagonal(int32_t width, int32_t height) {
  double w = width, h = height;
  return static_cast<int32_t>(std::lround(std::sqrt(w * w + h * h)));
}

TBandRect FountainBandRect(TFountainStyle style, int index, int steps, int32_t width,
                           int32_t height) {
  steps = ClampFountainSteps(steps);
  switch (style) {
    case fsVertical:
      return {MulDiv(index, width, steps), 0, MulDiv(index + 1, width, steps), height};
    case fsCircular: {
      int32_t side = MulDiv(steps - index, FountainDiagonal(width, height), steps);
      int32_t left = width / 2 - side / 2;
      int32_t top = height / 2 - side / 2;
      return {left, top, left + side, top + side};
    }
    case fsHorizontal:
    default:
      return {0, MulDiv(index, height, steps), width, MulDiv(index + 1, height, steps)};
  }
}

}  // namespace zel
