// "Neon": a glowing band of one colour along the object's edge, inside it,
// outside it or on both sides, fading linearly over the width, measured on
// the signed distance map of the (enlarged) mask.
#include <maskkit.h>

#include "distancemap.h"
#include "renderers.h"

namespace texfx {

namespace {

constexpr LONG kInside = 1001;
constexpr LONG kOutside = 1002;
constexpr LONG kBothSides = 1003;
// Pixels this close inside the edge form the rim of the outside glow.
constexpr double kRimDepth = 1.414;

ProgressLink Share(const RenderProgress& progress, LONG from, LONG to, LONG total) {
  ProgressLink link = *progress.link();
  const LONGLONG range = static_cast<LONGLONG>(progress.end()) - progress.start();
  link.startPercent = static_cast<LONG>(progress.start() + range * from / total);
  link.endPercent = static_cast<LONG>(progress.start() + range * to / total);
  return link;
}

// Glow value of a pixel at signed distance d for a band of width b.
inline BYTE InsideGlow(double d, double b) {
  if (d < 0) return 0;
  const double v = (b - d) / b * 255.0;
  return static_cast<BYTE>((v > 0 ? v : 0.0) + 0.5);
}
inline BYTE OutsideGlow(double d, double b, bool rounded, bool rim) {
  if (d > 0) return rim && d <= kRimDepth ? 255 : 0;
  const double v = (b + d) / b * 255.0;
  return static_cast<BYTE>((v > 0 ? v : 0.0) + (rounded ? 0.5 : 0.0));
}

// The glow masks of the wanted sides, row by row from the distance map;
// progress over the rows within the run's last two thirds.
LONG Glows(HBUF distances, LONG side, LONG width, HBUF inside, HBUF outside,
           RenderProgress* progress) {
  BUFINFO info;
  if (ReadInfo(distances, &info)) return kErrMemory;
  void* mapPixels = nullptr;
  BYTE* in = nullptr;
  BYTE* out = nullptr;
  void* pixels = nullptr;
  if (!buf32Lock(distances, 1, &mapPixels)) return kErrMemory;
  LONG code = 0;
  if (inside && buf32Lock(inside, 2, &pixels)) in = static_cast<BYTE*>(pixels);
  if (outside && buf32Lock(outside, 2, &pixels)) out = static_cast<BYTE*>(pixels);
  if ((inside && !in) || (outside && !out)) code = kErrMemory;
  const double b = width;
  const bool rim = side == kOutside, rounded = side == kBothSides;
  for (LONG y = 0; y < info.height && !code; ++y) {
    if (progress->Cancelled()) {
      code = kErrCancelled;
      break;
    }
    const double* d = static_cast<const double*>(mapPixels) + static_cast<size_t>(y) * info.width;
    const size_t row = static_cast<size_t>(y) * static_cast<size_t>(info.width);
    if (in)
      for (LONG x = 0; x < info.width; ++x) in[row + x] = InsideGlow(d[x], b);
    if (out)
      for (LONG x = 0; x < info.width; ++x) out[row + x] = OutsideGlow(d[x], b, rounded, rim);
    progress->Step(info.height + 2LL * (y + 1), 3LL * info.height);
  }
  if (out) buf32Unlock(outside);
  if (in) buf32Unlock(inside);
  buf32Unlock(distances);
  return code;
}

// The result mask of the side from the glows and the (enlarged) mask.
LONG NeonMask(HBUF mask, LONG side, LONG width, OwnedBuf* result, RenderProgress* progress) {
  OwnedBuf distances, other;
  if (LONG code = SignedDistanceMap(mask, &distances, Share(*progress, 0, 1, 3))) return code;
  BUFINFO info;
  if (LONG code = ReadInfo(mask, &info)) return code;
  if (LONG code = NewMask(info.width, info.height, result)) return code;
  if (side == kBothSides)
    if (LONG code = NewMask(info.width, info.height, &other)) return code;
  const HBUF inside = side == kOutside ? 0 : result->get();
  const HBUF outside = side == kOutside ? result->get() : other.get();
  if (LONG code = Glows(distances.get(), side, width, inside, outside, progress)) return code;
  distances.Reset();
  LONG outcome = MASK_OK;
  if (side == kInside) outcome = MaskKit(mask, result->get(), MASKKIT_INTERSECT);
  if (side == kOutside) outcome = MaskKit(mask, result->get(), MASKKIT_SCREEN);
  if (side == kBothSides) outcome = MaskKit(other.get(), result->get(), MASKKIT_UNION);
  return outcome <= 0 ? kErrLibrary : 0;
}

LONG Neon(EffectRun* run, RenderProgress* progress) {
  const NeonData& data = *DataOf<NeonData>(run->block);
  // Stored values outside their ranges are held to them.
  const LONG width = data.width < 1 ? 1 : data.width > 100 ? 100 : data.width;
  const LONG side = data.side < kInside ? kInside : data.side > kBothSides ? kBothSides : data.side;
  Working working;
  if (LONG code = Enlarge(*run, width, &working)) return code;
  BUFINFO info;
  if (LONG code = ReadInfo(working.image, &info)) return code;
  OwnedBuf mask, image;
  if (LONG code = NeonMask(working.mask, side, width, &mask, progress)) return code;
  if (LONG code = NewFilled(info.pixelFormat, info.width, info.height, ColourOf(data.colour),
                            &image))
    return code;
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
