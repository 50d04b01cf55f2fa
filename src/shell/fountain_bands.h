// Geometry and colours of the background gradient, independent of any drawing
// surface. The window-side painter (ui/fountain_fill) asks this module which
// colour each band has and which rectangle or circle it covers.
#pragma once

#include <cstdint>

namespace zel {

enum TFountainStyle : uint8_t { fsHorizontal, fsVertical, fsCircular };

// Colours are Windows colour values 0x00BBGGRR (system-colour codes must be
// converted to RGB by the caller before they reach this module).
using TColorRef = uint32_t;

constexpr int kMinFountainSteps = 1;
constexpr int kMaxFountainSteps = 255;

// a * b / c with a 64-bit intermediate, rounded to the nearest integer (halves
// away from zero), like the Windows MulDiv. A zero divisor or a result outside
// the 32-bit range gives -1, as MulDiv does.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// Steps values outside 1..255 are brought into range.
int ClampFountainSteps(int steps);

// True when the gradient degenerates to one flat fill in the start colour:
// a single band, or equal start and end colours. No palette is built then.
bool IsFlatFountain(TColorRef from, TColorRef to, int steps);

// Colour of band index (0 <= index < steps; steps already clamped). Band 0 is
// exactly from, band steps - 1 exactly to; each channel runs
// F + MulDiv(index, T - F, steps - 1), truncated to 8 bits.
TColorRef FountainBandColor(TColorRef from, TColorRef to, int index, int steps);

struct TBandRect {
  int32_t left, top, right, bottom;
};

// The diagonal of a w x h area, rounded to the nearest integer.
int32_t FountainDiagonal(int32_t width, int32_t height);

// The area that band index covers on a width x height surface. For
// fsCircular it is the bounding square of the band's circle, which may start
// outside the surface (negative coordinates); circles are painted largest
// first, each over the previous one.
TBandRect FountainBandRect(TFountainStyle style, int index, int steps, int32_t width,
                           int32_t height);

}  // namespace zel
