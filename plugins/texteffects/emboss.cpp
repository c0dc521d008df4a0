// The emboss shader, cell by cell of the output: each cell's height region
// is fetched with a margin wide enough for the light offset and its
// bilinear neighbours, then shaded row by row.
#include "emboss.h"

#include <cmath>
#include <new>
#include <vector>

#include "frame.h"

namespace texfx {

namespace {

constexpr double kDegreesToRadians = 0.017453292519944444;
constexpr double kShadeScale = 0.5019607843137255;  // 128 / 255

BYTE Clamp(LONG v) { return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v); }

// One output cell with its height region fetched around it.
struct CellRegion {
  BUFCELL cell;
  BYTE* pixels;          // the output cell's top-left pixel
  std::vector<int> h;    // heights, (width + 2 margin) per row
  LONG stride;           // entries per row of h
  LONG margin;
};

// Fetches the heights of the cell enlarged by `margin` on every side.
LONG FetchHeights(HBUF height, LONG bytesPerPixel, std::vector<BYTE>* scratch, CellRegion* r) {
  const LONG w = r->cell.width + 2 * r->margin, h = r->cell.height + 2 * r->margin;
  const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
  try {
    scratch->resize(count * static_cast<size_t>(bytesPerPixel));
    r->h.resize(count);
  } catch (const std::bad_alloc&) {
    return kErrMemory;
  }
  if (!buf32GetMem(height, r->cell.left - r->margin, r->cell.top - r->margin, w, h,
                   scratch->data()))
    return kErrMemory;
  const BYTE* in = scratch->data();
  for (size_t i = 0; i < count; ++i, in += bytesPerPixel)
    r->h[i] = bytesPerPixel == 3 ? in[0] + in[1] + in[2] : in[0];
  r->stride = w;
  return 0;
}

// Shades one row of a cell.
void ShadeRow(const CellRegion& r, LONG row, const LightOffset& light, double k, LONG bytesPerPixel,
              const BYTE base[3], LONG grey) {
  const int* centre = r.h.data() + static_cast<size_t>(row + r.margin) * r.stride + r.margin;
  const int* sample = centre + static_cast<ptrdiff_t>(light.iy) * r.stride + light.ix;
  BYTE* out = r.pixels + static_cast<size_t>(row) * r.cell.rowStep;
  for (LONG x = 0; x < r.cell.width; ++x) {
    const int* s = sample + x;
    const double value = light.w00 * s[0] + light.w10 * s[1] + light.w01 * s[r.stride] +
                         light.w11 * s[r.stride + 1];
    const double difference = value - centre[x];
    if (bytesPerPixel == 1) {
      out[x] = Clamp(grey + static_cast<LONG>(k * difference * kShadeScale));
    } else {
      const LONG d = static_cast<LONG>(k * (difference / 3) * kShadeScale);
      BYTE* pixel = out + x * 3;
      for (int c = 0; c < 3; ++c) pixel[c] = Clamp(base[c] + d);
    }
  }
}

}  // namespace

LightOffset ComputeLightOffset(LONG distanceTenths, LONG directionDegrees) {
  LightOffset l;
  const double g = distanceTenths * 0.1;
  const double theta = directionDegrees * kDegreesToRadians;
  l.ox = -g * std::cos(theta);
  l.oy = g * std::sin(theta);
  l.margin = static_cast<LONG>(std::ceil(g));
  l.ix = static_cast<LONG>(std::floor(l.ox));
  l.iy = static_cast<LONG>(std::floor(l.oy));
  const double fx = l.ox - l.ix, fy = l.oy - l.iy;
  l.w11 = fx * fy;
  l.w01 = fy - l.w11;
  l.w10 = fx - l.w11;
  l.w00 = 1 - l.w10 - l.w11 - l.w01;
  return l;
}

LONG EmbossShade(HBUF height, HBUF output, LONG distanceTenths, LONG gainTenths,
                 LONG directionDegrees, COLORREF base, const ProgressLink& progress) {
  BUFINFO in, out;
  if (ReadInfo(height, &in) || ReadInfo(output, &out)) return kErrMemory;
  if (in.width != out.width || in.height != out.height || in.pixelFormat != out.pixelFormat ||
      (in.pixelFormat != 8 && in.pixelFormat != 24) || distanceTenths < 0)
    return kErrMemory;

  const LightOffset light = ComputeLightOffset(distanceTenths, directionDegrees);
  const double k = gainTenths * 0.1;
  const BYTE channels[3] = {GetRValue(base), GetGValue(base), GetBValue(base)};
  const LONG grey = (30 * channels[0] + 59 * channels[1] + 11 * channels[2]) / 100;
  const LONG bytesPerPixel = in.bytesPerPixel;
  const LONGLONG total = static_cast<LONGLONG>(out.width) * out.height;
  LONGLONG done = 0;

  RenderProgress report(&progress);
  std::vector<BYTE> scratch;
  CellRegion region;
  // The sample and its right and lower neighbours may lie one pixel past
  // the distance, so the margin is one wider than the distance.
  region.margin = light.margin + 1;
  for (LONG tile = 0; tile < out.tileCount; ++tile) {
    void* pixels = nullptr;
    if (!buf32CellLock(output, tile, &pixels, &region.cell)) return kErrMemory;
    region.pixels = static_cast<BYTE*>(pixels);
    LONG code = FetchHeights(height, bytesPerPixel, &scratch, &region);
    for (LONG row = 0; row < region.cell.height && !code; ++row) {
      if (report.Cancelled()) {
        code = kErrCancelled;
        break;
      }
      ShadeRow(region, row, light, k, bytesPerPixel, channels, grey);
      done += region.cell.width;
      report.Step(done, total);
    }
    buf32CellUnlock(output, tile);
    if (code) return code;
  }
  return 0;
}

}  // namespace texfx
