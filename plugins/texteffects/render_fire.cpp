// "Feuer" and "Schnee": streaks grown out of the object (flames rising
// above it, snow hanging below), wobbled by the wave displacement,
// softened and coloured through a palette of the three colours.
#include <maskkit.h>

#include <algorithm>

#include "renderers.h"
#include "streak.h"
#include "wave.h"

namespace texfx {

namespace {

constexpr LONG kSteps = 5;
constexpr LONG kSide = 2;  // pixels added left, right and on the far side

LONG Checkpoint(RenderProgress* progress, LONG done) {
  progress->Step(done, kSteps);
  return progress->Cancelled() ? kErrCancelled : 0;
}

// The run's progress link narrowed to from/5 .. to/5 of its range.
ProgressLink Share(const RenderProgress& progress, LONG from, LONG to) {
  ProgressLink link = *progress.link();
  const LONGLONG range = static_cast<LONGLONG>(progress.end()) - progress.start();
  link.startPercent = static_cast<LONG>(progress.start() + range * from / kSteps);
  link.endPercent = static_cast<LONG>(progress.start() + range * to / kSteps);
  return link;
}

// One channel of the palette: from + k (to - from) / steps, truncated
// towards zero.
BYTE Between(BYTE from, BYTE to, LONG k, LONG steps) {
  return static_cast<BYTE>(from + k * (static_cast<LONG>(to) - from) / steps);
}

void SetEntry(BYTE* palette, LONG index, const BYTE* from, const BYTE* to, LONG k, LONG steps) {
  for (int c = 0; c < 3; ++c) palette[index * 3 + c] = Between(from[c], to[c], k, steps);
}

// The base image region (left, top, width x height), clipped to the base
// image, copied into image at the matching place.
LONG CopyBaseRegion(HBUF base, LONG left, LONG top, LONG width, LONG height, HBUF image) {
  LONG baseWidth = 0, baseHeight = 0;
  if (!buf32GetWHU(base, &baseWidth, &baseHeight, nullptr)) return kErrNoInformation;
  const LONG x0 = std::max(left, LONG{0}), y0 = std::max(top, LONG{0});
  const LONG x1 = static_cast<LONG>(std::min<LONGLONG>(LONGLONG{left} + width, baseWidth));
  const LONG y1 = static_cast<LONG>(std::min<LONGLONG>(LONGLONG{top} + height, baseHeight));
  if (x1 <= x0 || y1 <= y0) return 0;
  return buf32MergeBuf(base, x0, y0, x1 - x0, y1 - y0, image, x0 - left, y0 - top) ? 0
                                                                                   : kErrMemory;
}

// Enlarging for the streaks: with a base image, the object's area grows by
// 2 pixels left, right and on the side away from the streaks and by
// length + 2 on the side they grow to (above for flames, below for snow);
// the mask holds the object there, the image the background colour and the
// base image under the area. Without a base image the object's own
// buffers are used.
LONG EnlargeForStreaks(const EffectRun& run, LONG length, bool below, Working* working) {
  working->mask = run.objectMask;
  working->image = run.objectImage;
  working->x = run.x;
  working->y = run.y;
  working->enlarged = false;
  if (!run.baseImage) return 0;

  LONG width = 0, height = 0;
  if (!buf32GetWHU(run.objectMask, &width, &height, nullptr)) return kErrNoInformation;
  const LONG w = width + 2 * kSide, h = height + length + 2 * kSide;
  const LONG top = below ? kSide : length + kSide;
  if (LONG code = NewMask(w, h, &working->paddedMask)) return code;
  if (!buf32MergeBuf(run.objectMask, 0, 0, width, height, working->paddedMask.get(), kSide, top))
    return kErrMemory;
  BUFINFO baseInfo;
  if (LONG code = ReadInfo(run.baseImage, &baseInfo)) return code;
  if (LONG code = NewFilled(baseInfo.pixelFormat, w, h, run.background, &working->paddedImage))
    return code;
  const LONG left = run.x - kSide, areaTop = run.y - top;
  if (LONG code = CopyBaseRegion(run.baseImage, left, areaTop, w, h, working->paddedImage.get()))
    return code;
  working->mask = working->paddedMask.get();
  working->image = working->paddedImage.get();
  working->x = left;
  working->y = areaTop;
  working->enlarged = true;
  return 0;
}

// The glow: the mask streaked, wobbled and blurred, in *glow.
LONG Glow(HBUF mask, LONG length, bool snow, OwnedBuf* glow, RenderProgress* progress) {
  OwnedBuf streaks, wavy;
  if (LONG code = Duplicate(mask, &streaks)) return code;
  if (LONG code = StreakFilter(mask, streaks.get(), snow ? kStreakDown : kStreakUp, length,
                               Share(*progress, 0, 1)))
    return code;
  if (LONG code = Duplicate(streaks.get(), &wavy)) return code;
  if (LONG code = WaveDisplace(streaks.get(), wavy.get(), 2.0 * length / 75, Share(*progress, 1, 2)))
    return code;
  streaks.Reset();
  if (!MaskBlur(wavy.get(), 2, 2, glow->out(), 1)) return kErrMemory;
  return Checkpoint(progress, 3);
}

LONG Flame(EffectRun* run, RenderProgress* progress, bool snow) {
  const FlameData& data = *DataOf<FlameData>(run->block);
  const LONG length = 10 * data.strength;
  Working working;
  if (LONG code = EnlargeForStreaks(*run, length, snow, &working)) return code;
  BUFINFO info;
  if (LONG code = ReadInfo(working.image, &info)) return code;

  OwnedBuf glow;
  if (LONG code = Glow(working.mask, length, snow, &glow, progress)) return code;
  OwnedBuf image;
  if (!buf32Alloc(image.out(), info.pixelFormat, info.width, info.height, BUF_KIND_PLAIN, nullptr))
    return kErrMemory;
  const FlamePalette palette = MakeFlamePalette(data);
  if (ApplyPalette(image.get(), palette.data(), glow.get()) <= 0) return kErrLibrary;
  if (LONG code = Checkpoint(progress, 4)) return code;

  if (MaskMap(glow.get(), FlameMaskTable()) <= 0) return kErrLibrary;
  if (!snow && MaskKit(working.mask, glow.get(), MASKKIT_SCREEN) <= 0) return kErrLibrary;
  HandOver(run, &image, &glow, &working);
  return 0;
}

}  // namespace

FlamePalette MakeFlamePalette(const FlameData& data) {
  FlamePalette palette{};
  const BYTE* outer = data.outerColour;
  const BYTE* middle = data.middleColour;
  const BYTE* inner = data.innerColour;
  for (LONG i = 1; i <= 64; ++i) SetEntry(palette.data(), i, outer, outer, 0, 1);
  for (LONG k = 1; k <= 63; ++k) SetEntry(palette.data(), 64 + k, outer, middle, k, 64);
  SetEntry(palette.data(), 128, middle, middle, 0, 1);
  for (LONG k = 1; k <= 126; ++k) SetEntry(palette.data(), 128 + k, middle, inner, k, 127);
  SetEntry(palette.data(), 255, inner, inner, 0, 1);
  return palette;
}

const BYTE* FlameMaskTable() {
  static const struct Table {
    BYTE entries[256];
    Table() {
      for (int i = 0; i < 256; ++i) entries[i] = static_cast<BYTE>(i < 64 ? 4 * i : 255);
    }
  } table;
  return table.entries;
}

LONG RenderFire(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(Flame(run, &progress, false), kFire);
}

LONG RenderSnow(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(Flame(run, &progress, true), kSnow);
}

}  // namespace texfx
