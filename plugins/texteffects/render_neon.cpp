// "Neon": a band of one colour glowing along the object's edge, inside it,
// outside it or on both sides, fading linearly over the width.
#include <maskkit.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "distance.h"
#include "renderers.h"

namespace texfx {

namespace {

constexpr LONG kInside = 1001;
constexpr LONG kOutside = 1002;

// Which pixels a glow covers and how it rounds.
enum class Glow { kInside, kOutsideWithRim, kOutside };

BYTE GlowValue(Glow glow, double d, double b) {
  switch (glow) {
    case Glow::kInside:
      return d >= 0 ? static_cast<BYTE>(std::max((b - d) / b * 255, 0.0) + 0.5) : 0;
    case Glow::kOutsideWithRim:
      if (d > 0) return d <= 1.414 ? 255 : 0;  // a thin rim just inside the edge
      return static_cast<BYTE>(std::max((b + d) / b * 255, 0.0));
    case Glow::kOutside:
      return d <= 0 ? static_cast<BYTE>(std::max((b + d) / b * 255, 0.0) + 0.5) : 0;
  }
  return 0;
}

// A glow mask from the distance map, rows reported over the rest of the range.
LONG MakeGlow(const std::vector<double>& map, LONG width, LONG height, Glow glow, LONG b,
              OwnedBuf* out, RenderProgress* progress, LONG firstStep, LONG steps) {
  if (LONG code = NewMask(width, height, out)) return code;
  std::vector<BYTE> row(static_cast<size_t>(width));
  for (LONG y = 0; y < height; ++y) {
    if (progress->Cancelled()) return kErrCancelled;
    const double* d = map.data() + static_cast<size_t>(y) * width;
    for (LONG x = 0; x < width; ++x) row[static_cast<size_t>(x)] = GlowValue(glow, d[x], b);
    if (!buf32Line(out->get(), y, 2, row.data())) return kErrMemory;
    progress->Step(firstStep * static_cast<LONGLONG>(height) + y + 1,
                   static_cast<LONGLONG>(steps) * height);
  }
  return 0;
}

LONG Neon(EffectRun* run, RenderProgress* progress) {
  const NeonData& data = *DataOf<NeonData>(run->block);
  const LONG b = data.width < 1 ? 1 : data.width;
  Working working;
  if (LONG code = Enlarge(*run, b, &working)) return code;
  BUFINFO info;
  if (LONG code = ReadInfo(working.image, &info)) return code;

  std::vector<double> map;
  ProgressLink first = *progress->link();
  first.endPercent = static_cast<LONG>(
      progress->start() + (static_cast<LONGLONG>(progress->end()) - progress->start()) / 3);
  if (LONG code = SignedDistanceMap(working.mask, first, &map)) return code;

  // Rows of the glows make up the remaining two thirds (three steps of
  // which the distance map took the first).
  OwnedBuf inside, outside, mask, image;
  const LONG w = info.width, h = info.height;
  if (data.side != kOutside) {
    if (LONG code = MakeGlow(map, w, h, Glow::kInside, b, &inside, progress, 1, 3)) return code;
  }
  if (data.side != kInside) {
    const Glow glow = data.side == kOutside ? Glow::kOutsideWithRim : Glow::kOutside;
    if (LONG code = MakeGlow(map, w, h, glow, b, &outside, progress, 2, 3)) return code;
  }
  if (data.side == kInside) {
    if (LONG code = Duplicate(inside.get(), &mask)) return code;
    if (MaskKit(working.mask, mask.get(), MASKKIT_INTERSECT) <= 0) return kErrLibrary;
  } else if (data.side == kOutside) {
    if (LONG code = Duplicate(outside.get(), &mask)) return code;
    if (MaskKit(working.mask, mask.get(), MASKKIT_SCREEN) <= 0) return kErrLibrary;
  } else {
    if (LONG code = Duplicate(inside.get(), &mask)) return code;
    if (MaskKit(outside.get(), mask.get(), MASKKIT_UNION) <= 0) return kErrLibrary;
  }
  if (LONG code = NewFilled(info.pixelFormat, w, h, ColourOf(data.colour), &image)) return code;
  HandOver(run, &image, &mask, &working);
  return 0;
}

}  // namespace

LONG RenderNeon(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(Neon(run, &progress), kNeon);
}

}  // namespace texfx
