// The emboss shader: lights a height field from a direction and writes the
// shading around a base colour.
#pragma once

#include <windows.h>

#include <imgcore.h>
#include <texteffects/records.h>

namespace texfx {

// Where the shader samples the light: the offset (ox, oy) split into its
// whole part (ix, iy) and the bilinear weights of the four neighbours.
struct LightOffset {
  double ox, oy;
  LONG ix, iy;
  double w00, w10, w01, w11;
  LONG margin;  // ceil of the distance in pixels
};

// distance and direction as the shader takes them: tenths of a pixel and
// degrees. ox = -g cos(theta), oy = g sin(theta), rows growing downwards.
LightOffset ComputeLightOffset(LONG distanceTenths, LONG directionDegrees);

// Shades `height` (8-bit, or 24-bit with the sum of the channels as the
// height) into `output` (same size and format, overwritten): each pixel is
// the base colour's grey (8-bit) or channels (24-bit) plus
// k x (sample - height) x 128 / 255, k = gainTenths / 10, the sample taken
// bilinearly at the light offset (pixels beyond the image repeat the edge).
// Progress (code 2 only) goes within progress's start..end; Escape is
// polled per row when progress asks for it. Returns 0, 5200 (Escape) or
// 1001 (memory, locks, differing buffers); nothing in the error slot.
LONG EmbossShade(HBUF height, HBUF output, LONG distanceTenths, LONG gainTenths,
                 LONG directionDegrees, COLORREF base, const ProgressLink& progress);

}  // namespace texfx
