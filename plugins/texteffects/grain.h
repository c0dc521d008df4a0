// The two grain routines of "Sand" and "Siegel": the scatter filter, which
// moves each pixel to a random nearby place, and the noise adder. Both seed
// the module's random sequence with 1 at every call, so a run repeats.
#pragma once

#include <windows.h>

#include <imgcore.h>
#include <texteffects/records.h>

namespace texfx {

// Scatter modes.
constexpr LONG kScatterAny = 0;      // always take the candidate
constexpr LONG kScatterLighter = 1;  // only a candidate at least as bright
constexpr LONG kScatterDarker = 2;   // only a candidate at most as bright

// Each destination pixel (x, y) becomes the source pixel at
// (x + a - d/2, y + b - d/2), a and b random in 0 .. 32767 / (32767 / d),
// or keeps the source's own value (x, y) when the mode refuses the
// candidate (24-bit pixels compare their largest channel and move whole).
// Source and destination: 8-bit or 24-bit, one size and format, not the
// same buffer. A spread below 1 counts as 1. Progress (code 2 only) within
// progress's range, Escape polled per row. Returns 0, 5200 or 1001.
LONG ScatterFilter(HBUF source, HBUF destination, LONG spread, LONG mode,
                   const ProgressLink& progress);

// Noise distributions.
constexpr LONG kNoiseUniform = 0;
constexpr LONG kNoiseGaussian = 1;

// Copies the 8-bit source into the 8-bit destination (same size) and adds
// signed noise of strength c: per cell, one draw for each mirrored
// quadruple of pixels (rows i and height - 1 - i, columns j and
// width - 1 - j), clamped to 0..255 after each addition. Returns 0 or 1001.
LONG AddNoise(HBUF source, HBUF destination, LONG strength, LONG distribution);

// The noise of one draw n (0..32767) for the tables of a strength; exposed
// for tests.
class NoiseTable {
 public:
  NoiseTable(LONG strength, LONG distribution);
  LONG operator()(LONG draw) const;

 private:
  LONG distribution_;
  LONG uniform_[512];
  BYTE gaussian_[16384 + 2];
};

}  // namespace texfx
