// Reflection curves: straight lines between the listed points of the first
// half, the second half its mirror image (entry 255 - i equals entry i).
#include "curves.h"

#include <array>

namespace texfx {

namespace {

struct Point {
  int index;
  int value;
};

using Curve = std::array<BYTE, 256>;

// Joins the points of the first half (index 0 to 127) with straight lines,
// rounded to the nearest value, and mirrors them.
template <size_t N>
Curve MakeCurve(const Point (&points)[N]) {
  Curve curve{};
  for (size_t p = 0; p + 1 < N; ++p) {
    const Point a = points[p], b = points[p + 1];
    const int span = b.index - a.index;
    for (int i = a.index; i <= b.index; ++i) {
      const int offset = (b.value - a.value) * (i - a.index);
      const int rounded = offset >= 0 ? (2 * offset + span) / (2 * span)
                                      : -((-2 * offset + span) / (2 * span));
      curve[static_cast<size_t>(i)] = static_cast<BYTE>(a.value + rounded);
    }
  }
  for (int i = 0; i < 128; ++i) curve[static_cast<size_t>(255 - i)] = curve[static_cast<size_t>(i)];
  return curve;
}

const Point kOnePeak[] = {{0, 0}, {127, 254}};
const Point kTwoPeaks[] = {{0, 0}, {76, 253}, {127, 74}};
const Point kThreePeaks[] = {{0, 0}, {51, 248}, {88, 79}, {127, 245}};
const Point kFourPeaks[] = {{0, 0}, {37, 255}, {67, 97}, {94, 255}, {127, 96}};

const std::array<Curve, 4>& Curves() {
  static const std::array<Curve, 4> curves = {MakeCurve(kOnePeak), MakeCurve(kTwoPeaks),
                                              MakeCurve(kThreePeaks), MakeCurve(kFourPeaks)};
  return curves;
}

}  // namespace

const BYTE* ReflectionCurve(LONG reflection) {
  const LONG index = reflection < 1 ? 0 : reflection > 4 ? 3 : reflection - 1;
  return Curves()[static_cast<size_t>(index)].data();
}

}  // namespace texfx
