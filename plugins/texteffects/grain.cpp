// Scatter filter and noise adder, cell by cell of the destination.
#include "grain.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "frame.h"
#include "tiles.h"

namespace texfx {

namespace {

BYTE Clamp(LONG v) { return static_cast<BYTE>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Value a scatter mode compares: the byte, or the largest channel.
LONG Brightness(const BYTE* pixel, LONG bytesPerPixel) {
  if (bytesPerPixel == 1) return pixel[0];
  LONG v = pixel[0] > pixel[1] ? pixel[0] : pixel[1];
  return v > pixel[2] ? v : pixel[2];
}

bool Accepts(LONG mode, const BYTE* candidate, const BYTE* own, LONG bytesPerPixel) {
  if (mode == kScatterLighter) return Brightness(candidate, bytesPerPixel) >= Brightness(own, bytesPerPixel);
  if (mode == kScatterDarker) return Brightness(candidate, bytesPerPixel) <= Brightness(own, bytesPerPixel);
  return true;
}

// The scatter geometry of one spread.
struct Spread {
  LONG d, q, r, half, reach;  // reach: largest offset a draw gives (32767 / q)
};

Spread MakeSpread(LONG spread) {
  Spread s;
  s.d = spread < 1 ? 1 : spread;
  s.q = 32767 / s.d;
  if (s.q < 1) s.q = 1;
  s.r = (s.d + 1) / 2;
  s.half = s.d / 2;
  s.reach = 32767 / s.q;
  return s;
}

// Scatters one cell of the destination from its fetched source region,
// whose origin lies r pixels above and left of the cell.
LONG ScatterCell(const std::vector<BYTE>& region, LONG regionWidth, const BUFCELL& cell,
                 BYTE* out, LONG bytesPerPixel, const Spread& s, LONG mode, Random* random,
                 RenderProgress* report, LONGLONG* done, LONGLONG total) {
  for (LONG y = 0; y < cell.height; ++y) {
    if (report->Cancelled()) return kErrCancelled;
    BYTE* row = out + static_cast<size_t>(y) * cell.rowStep;
    for (LONG x = 0; x < cell.width; ++x) {
      const LONG a = random->Next() / s.q;
      const LONG b = random->Next() / s.q;
      const size_t own = (static_cast<size_t>(y + s.r) * regionWidth + x + s.r) * bytesPerPixel;
      const size_t candidate =
          (static_cast<size_t>(y + s.r + b - s.half) * regionWidth + x + s.r + a - s.half) *
          bytesPerPixel;
      const BYTE* chosen = Accepts(mode, &region[candidate], &region[own], bytesPerPixel)
                               ? &region[candidate]
                               : &region[own];
      std::memcpy(row + x * bytesPerPixel, chosen, static_cast<size_t>(bytesPerPixel));
    }
    *done += cell.width;
    report->Step(*done, total);
  }
  return 0;
}

}  // namespace

LONG ScatterFilter(HBUF source, HBUF destination, LONG spread, LONG mode,
                   const ProgressLink& progress) {
  BUFINFO in, out;
  if (ReadInfo(source, &in) || ReadInfo(destination, &out)) return kErrMemory;
  if (source == destination || in.width != out.width || in.height != out.height ||
      in.pixelFormat != out.pixelFormat || (in.pixelFormat != 8 && in.pixelFormat != 24))
    return kErrMemory;
  const Spread s = MakeSpread(spread);
  const LONG bytesPerPixel = in.bytesPerPixel;
  // The region reaches from r before the cell to the largest offset after
  // it; a draw can land one pixel past d/2 + d for odd spreads.
  const LONG margin = s.r + s.reach;
  Random random(1);
  RenderProgress report(&progress);
  const LONGLONG total = static_cast<LONGLONG>(out.width) * out.height;
  LONGLONG done = 0;
  std::vector<BYTE> region;
  for (LONG tile = 0; tile < out.tileCount; ++tile) {
    void* pixels = nullptr;
    BUFCELL cell = {};
    if (!buf32CellLock(destination, tile, &pixels, &cell)) return kErrMemory;
    const LONG regionWidth = cell.width + margin, regionHeight = cell.height + margin;
    LONG code = 0;
    try {
      region.resize(static_cast<size_t>(regionWidth) * regionHeight * bytesPerPixel);
    } catch (const std::bad_alloc&) {
      code = kErrMemory;
    }
    if (!code && !buf32GetMem(source, cell.left - s.r, cell.top - s.r, regionWidth, regionHeight,
                              region.data()))
      code = kErrMemory;
    if (!code)
      code = ScatterCell(region, regionWidth, cell, static_cast<BYTE*>(pixels), bytesPerPixel, s,
                         mode, &random, &report, &done, total);
    buf32CellUnlock(destination, tile);
    if (code) return code;
  }
  return 0;
}

NoiseTable::NoiseTable(LONG strength, LONG distribution) : distribution_(distribution) {
  for (LONG j = 0; j <= 510; ++j) uniform_[j] = strength * (j - 255) / 100;
  uniform_[511] = uniform_[510];

  std::memset(gaussian_, 0, sizeof gaussian_);
  LONG weights[256];
  LONG sum = 0;
  const double c = strength;
  for (LONG j = 0; j < 256; ++j) {
    // Without strength only the zero noise has weight.
    weights[j] = c > 0 ? static_cast<LONG>(10000.0 * std::exp(-(double(j) * j) / (2 * c * c)))
                       : (j == 0 ? 10000 : 0);
    sum += weights[j];
  }
  LONG total = 0;
  for (LONG j = 0; j < 256; ++j) {
    const LONG previous = total;
    total += static_cast<LONG>(static_cast<LONGLONG>(weights[j]) * 16384 / sum);
    if (total >= 16384) break;
    for (LONG i = previous; i < total; ++i) gaussian_[i] = static_cast<BYTE>(j);
  }
  gaussian_[16384] = gaussian_[16385] = gaussian_[16383];
}

LONG NoiseTable::operator()(LONG draw) const {
  if (distribution_ == kNoiseUniform) return uniform_[draw >> 6];
  const LONG s = draw - 16384;
  return s < 0 ? -static_cast<LONG>(gaussian_[-s]) : gaussian_[s];
}

namespace {

void AddTo(BYTE* pixel, LONG noise) { *pixel = Clamp(*pixel + noise); }

// Adds one draw to each mirrored quadruple of a cell.
void NoiseCell(BYTE* pixels, const BUFCELL& cell, const NoiseTable& noise, Random* random) {
  for (LONG i = 0; i <= (cell.height - 1) / 2; ++i) {
    BYTE* top = pixels + static_cast<size_t>(i) * cell.rowStep;
    BYTE* bottom = pixels + static_cast<size_t>(cell.height - 1 - i) * cell.rowStep;
    for (LONG j = 0; j <= (cell.width - 1) / 2; ++j) {
      const LONG n = noise(random->Next());
      const LONG mirror = cell.width - 1 - j;
      AddTo(top + j, n);
      AddTo(top + mirror, n);
      AddTo(bottom + j, n);
      AddTo(bottom + mirror, n);
    }
  }
}

}  // namespace

LONG AddNoise(HBUF source, HBUF destination, LONG strength, LONG distribution) {
  BUFINFO in, out;
  if (ReadInfo(source, &in) || ReadInfo(destination, &out)) return kErrMemory;
  if (in.pixelFormat != 8 || out.pixelFormat != 8 || in.width != out.width ||
      in.height != out.height)
    return kErrMemory;
  std::unique_ptr<NoiseTable> noise(new (std::nothrow) NoiseTable(strength, distribution));
  if (!noise) return kErrMemory;
  Random random(1);
  std::vector<BYTE> copy;
  for (LONG tile = 0; tile < out.tileCount; ++tile) {
    void* pixels = nullptr;
    BUFCELL cell = {};
    if (!buf32CellLock(destination, tile, &pixels, &cell)) return kErrMemory;
    BYTE* cellPixels = static_cast<BYTE*>(pixels);
    bool fetched = true;
    try {
      copy.resize(static_cast<size_t>(cell.width) * cell.height);
    } catch (const std::bad_alloc&) {
      fetched = false;
    }
    fetched = fetched &&
              buf32GetMem(source, cell.left, cell.top, cell.width, cell.height, copy.data());
    if (fetched) {
      for (LONG y = 0; y < cell.height; ++y)
        std::memcpy(cellPixels + static_cast<size_t>(y) * cell.rowStep,
                    copy.data() + static_cast<size_t>(y) * cell.width,
                    static_cast<size_t>(cell.width));
      NoiseCell(cellPixels, cell, *noise, &random);
    }
    buf32CellUnlock(destination, tile);
    if (!fetched) return kErrMemory;
  }
  return 0;
}

}  // namespace texfx
