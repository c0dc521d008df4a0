// The wave displacement: every pixel is fetched from a place moved by a
// smooth periodic table, so straight streaks wobble like flames.
#pragma once

#include <windows.h>

#include <imgcore.h>
#include <texteffects/records.h>

#include <array>

namespace texfx {

// The wave table: T[i] = amplitude sin(2 pi (i mod 17) / 17 - pi / 2)
// sin(pi (i mod 51) / 51) for i = 0..50, T[51] = T[50].
typedef std::array<double, 52> WaveTable;
WaveTable MakeWaveTable(double amplitude);

// T(u) for the absolute value of u: k = trunc(u), f = u - k, (1 - f)
// T[k mod 51] + f T[k mod 51 + 1].
double WaveAt(const WaveTable& table, double u);

// Where the displacement fetches destination pixel (x, y): the source
// column x + T(|y - x / 2|) and row y + T(|25.5 - y / 2 + x|).
struct WavePlace {
  double column;
  double row;
};
WavePlace WaveSource(const WaveTable& table, LONG x, LONG y);

// The four fixed-point weights (out of 256) of the fractions fx, fy (0..1):
// w11 = trunc(256 fx x 256 fy / 256), w01 = trunc(256 fy - w11), w10 =
// trunc(256 fx - w11), w00 = 256 - the others.
struct WaveWeights {
  LONG w00, w10, w01, w11;
};
WaveWeights WaveWeightsOf(double fx, double fy);

// Displaces `source` into `destination` (both 8-bit or both 24-bit, of one
// size, different buffers) through the table of `amplitude` (pixels,
// 0..64). Each destination pixel is the weighted sum of the four source
// pixels around its WaveSource place (whole parts by floor, so the
// fractions lie in 0..1), shifted right by 8, per channel. The row is held
// to 0..height - 1 and its lower neighbour to height - 1; a column below 0
// copies pixel (0, row), one whose right neighbour lies beyond the width
// copies pixel (width - 1, row). Rows top to bottom; progress (code 2 only)
// within progress's start..end and Escape polled per row when progress
// asks for it. Returns 0, 5200 (Escape) or 1001 (memory, locks, buffers
// that do not fit, an amplitude outside its range).
LONG WaveDisplace(HBUF source, HBUF destination, double amplitude, const ProgressLink& progress);

}  // namespace texfx
