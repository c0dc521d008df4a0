// "Farbverlauf": the object's mask multiplied by an opacity that runs from
// the start value to the end value along a linear, rectangular or
// elliptical gradient.
#include <cmath>
#include <cstdlib>

#include "renderers.h"

namespace texfx {

namespace {

constexpr LONG kRectangular = 1002;
constexpr LONG kElliptical = 1003;

// Opacity at a pixel of a W x H object. 64-bit products: the sizes reach
// 2^20, so products of two coordinates exceed 32 bits.
class Opacity {
 public:
  Opacity(LONG style, LONG a, LONG b, LONG width, LONG height)
      : style_(style), a_(a), b_(b), w_(width), h_(height),
        hx_(width / 2 > 1 ? width / 2 : 1), hy_(height / 2 > 1 ? height / 2 : 1) {}

  LONG At(LONG x, LONG y) const {
    switch (style_) {
      case kRectangular:
        return Rectangular(x, y);
      case kElliptical:
        return Elliptical(x, y);
      default:  // 1001, linear
        return Linear(y);
    }
  }

 private:
  // Top row A, moving towards B downwards.
  LONG Linear(LONG y) const {
    return static_cast<LONG>((a_ * (h_ - y) + b_ * y) / h_);
  }
  // Centre B, border A; the axis whose edge is nearer in proportion rules.
  LONG Rectangular(LONG x, LONG y) const {
    const LONGLONG dx = std::llabs(hx_ - x), dy = std::llabs(hy_ - y);
    const bool vertical = dy * w_ >= h_ * dx;
    const LONGLONG p = vertical ? hy_ : hx_;
    const LONGLONG d = vertical ? dy : dx;
    return static_cast<LONG>(((a_ - b_) * d + b_ * p) / p);
  }
  // Centre B, the ellipse through the edge midpoints A, outside it A.
  LONG Elliptical(LONG x, LONG y) const {
    const double n = static_cast<double>(hy_) * static_cast<double>(x - hx_);
    const double m = static_cast<double>(hx_) * static_cast<double>(y - hy_);
    const LONGLONG d = std::llround(std::sqrt(n * n + m * m));
    const LONGLONG radius = hx_ * hy_;
    if (d > radius) return static_cast<LONG>(a_);
    return static_cast<LONG>(b_ + (a_ - b_) * d / radius);
  }

  LONG style_;
  LONGLONG a_, b_, w_, h_, hx_, hy_;
};

// Writes J x V / 255 into the result mask for every nonzero J of one cell
// of the object mask, clipped to the result's size.
void FadeCell(const BYTE* cellPixels, const BUFCELL& cell, const Opacity& opacity, BYTE* result,
              LONG resultRowBytes, LONG width, LONG height) {
  const LONG right = cell.left + cell.width < width ? cell.left + cell.width : width;
  const LONG bottom = cell.top + cell.height < height ? cell.top + cell.height : height;
  for (LONG y = cell.top; y < bottom; ++y) {
    const BYTE* in = cellPixels + static_cast<size_t>(y - cell.top) * cell.rowStep;
    BYTE* out = result + static_cast<size_t>(y) * resultRowBytes;
    for (LONG x = cell.left; x < right; ++x) {
      const LONG j = in[x - cell.left];
      if (j) out[x] = static_cast<BYTE>(j * opacity.At(x, y) / 255);
    }
  }
}

// Fades the whole object mask into the locked result mask, cell by cell.
LONG FadeMask(const EffectRun& run, const Opacity& opacity, HBUF resultMask, LONG width,
              LONG height, RenderProgress* progress) {
  BUFINFO maskInfo;
  if (LONG code = ReadInfo(run.objectMask, &maskInfo)) return code;
  if (maskInfo.pixelFormat != 8) return kErrNoInformation;
  void* resultPixels = nullptr;
  if (!buf32Lock(resultMask, 2, &resultPixels)) return kErrMemory;
  LONG code = 0;
  for (LONG tile = 0; tile < maskInfo.tileCount && !code; ++tile) {
    progress->Step(tile, maskInfo.tileCount);
    if (progress->Cancelled()) {
      code = kErrCancelled;
      break;
    }
    void* cellPixels = nullptr;
    BUFCELL cell = {};
    if (!buf32CellLock(run.objectMask, tile, &cellPixels, &cell)) {
      code = kErrMemory;
      break;
    }
    FadeCell(static_cast<const BYTE*>(cellPixels), cell, opacity,
             static_cast<BYTE*>(resultPixels), width, width, height);
    buf32CellUnlock(run.objectMask, tile);
  }
  buf32Unlock(resultMask);
  return code;
}

LONG Gradient(EffectRun* run, RenderProgress* progress) {
  const GradientData& data = *DataOf<GradientData>(run->block);
  BUFINFO info;
  if (LONG code = ReadInfo(run->objectImage, &info)) return code;
  const LONG width = info.width, height = info.height;

  OwnedBuf mask;
  if (LONG code = NewMask(width, height, &mask)) return code;
  const Opacity opacity(data.style, data.startOpacity, data.endOpacity, width, height);
  if (LONG code = FadeMask(*run, opacity, mask.get(), width, height, progress)) return code;

  OwnedBuf image;
  if (data.recolour) {
    if (LONG code = NewFilled(info.pixelFormat, width, height, ColourOf(data.fillColour), &image))
      return code;
  } else if (LONG code = Duplicate(run->objectImage, &image)) {
    return code;
  }
  HandOver(run, &image, &mask, nullptr);
  return 0;
}

}  // namespace

LONG RenderGradient(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(Gradient(run, &progress), kGradient);
}

}  // namespace texfx
