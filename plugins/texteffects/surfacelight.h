// Surface lighting: a height field lit by a coloured point light, seen from
// above the image's centre, multiplying an image (Konkret, Blitz).
#pragma once

#include <windows.h>

#include <imgcore.h>
#include <texteffects/records.h>

#include "frame.h"

namespace texfx {

// A point light: pixels in the image (x, y) and height units above it (z).
struct LightPoint {
  LONG x;
  LONG y;
  LONG z;
};

// The light over an area of width x height pixels, from `elevation`
// degrees above the area (90 stands above its centre) and the direction in
// degrees (0 to the right, 90 upwards). With E = width / 2, F = height / 2
// (integer halves): x = trunc((cos elevation cos direction + 1) E + 0.5),
// y = trunc((1 - cos elevation sin direction) F + 0.5),
// z = trunc(sin elevation (E + F) / 2 + 0.5) + 255.
LightPoint LightOverArea(LONG width, LONG height, double elevationDegrees, LONG directionDegrees);

// What lights the surface: the ambient colour W and the surface (light)
// colour S as colour references, the light, and the mode (0, the only one).
struct SurfaceLighting {
  COLORREF ambient;
  COLORREF surface;
  LightPoint light;
  LONG mode;
};

// Lights the 8-bit height field `heights` (a 24-bit one counts (R + G + B)
// / 3) and multiplies the image `picture` (8-bit or 24-bit, the height
// field's size) by the light into *result: the buffer it holds is refilled
// with 0 when it has the picture's format and size, else a new one is made
// (owned by the caller afterwards; it must not hold the picture or the
// height field). Per pixel, with n the surface normal
// from the normal map, l the unit vector to the light at distance r, d =
// n . l: lit (d >= 0) value = (S a I + 0.1 W) P / 255, a = min((z / r)^3,
// 1), I = 0.5 s^5 + 0.45 d, s the mirrored light against the viewer above
// the centre at height 512; unlit value = 0.1 W P / 255; each channel
// stored as trunc(value + 0.5), values below 1 as 0, from 255 on as 255.
// Progress (code 2 only) per row within progress's range, Escape polled
// per row. Returns 0, 4026 (no height field), 5200 or 1001 (memory,
// formats or sizes that do not fit); nothing in the error slot.
LONG LightSurface(HBUF picture, HBUF heights, const SurfaceLighting& lighting, OwnedBuf* result,
                  const ProgressLink& progress);

// Result code of LightSurface without a height field.
constexpr LONG kErrNoHeightField = 4026;

}  // namespace texfx
