// "Sand": a roughened, grainy edge lit twice by the emboss shader; and
// "Siegel": a worn one-colour stamp print whose coverage follows the
// pressure.
#include <maskkit.h>
#include <rankfilter.h>
#include <softedge.h>

#include "emboss.h"
#include "grain.h"
#include "renderers.h"
#include "shading.h"

namespace texfx {

namespace {

constexpr COLORREF kNeutralGrey = 0x808080;

LONG Checkpoint(RenderProgress* progress, LONG done, LONG total) {
  progress->Step(done, total);
  return progress->Cancelled() ? kErrCancelled : 0;
}

ProgressLink Share(const RenderProgress& progress, LONG from, LONG to, LONG total) {
  ProgressLink link = *progress.link();
  const LONGLONG range = static_cast<LONGLONG>(progress.end()) - progress.start();
  link.startPercent = static_cast<LONG>(progress.start() + range * from / total);
  link.endPercent = static_cast<LONG>(progress.start() + range * to / total);
  return link;
}

// Sand's grains: the inverted soft edge cut to the object, scattered
// darker-only into a copy and given Gaussian noise back into `soft`.
LONG SandGrains(HBUF mask, LONG spread, OwnedBuf* soft, RenderProgress* progress) {
  if (CreateSoftEdgeMask(mask, 5, SOFTEDGE_CENTRED, SOFTEDGE_LINEAR, soft->out(), 1) <= 0)
    return kErrLibrary;
  if (LONG code = Checkpoint(progress, 2, 9)) return code;
  if (MaskInvert(soft->get()) <= 0) return kErrLibrary;
  if (MaskKit(mask, soft->get(), MASKKIT_CLIP) <= 0) return kErrLibrary;
  OwnedBuf grains;
  if (LONG code = Duplicate(soft->get(), &grains)) return code;
  if (LONG code = ScatterFilter(soft->get(), grains.get(), spread, kScatterDarker,
                                Share(*progress, 2, 3, 9)))
    return code;
  if (LONG code = AddNoise(grains.get(), soft->get(), 100, kNoiseGaussian)) return code;
  return Checkpoint(progress, 4, 9);
}

// Result mask of Sand: opaque wherever the shading is not neutral grey.
LONG SandMask(HBUF shading) {
  BYTE table[256];
  for (BYTE& entry : table) entry = 255;
  table[128] = 0;
  return MaskMap(shading, table) <= 0 ? kErrLibrary : 0;
}

LONG Sand(EffectRun* run, RenderProgress* progress) {
  const SandData& data = *DataOf<SandData>(run->block);
  const LONG r = data.roughness;
  const LONG g = r > 5 ? r : 5;
  Working working;
  if (LONG code = Enlarge(*run, g + 3, &working)) return code;
  BUFINFO info;
  if (LONG code = ReadInfo(working.image, &info)) return code;

  OwnedBuf scattered, soft;
  if (LONG code = Duplicate(working.mask, &scattered)) return code;
  if (LONG code = ScatterFilter(working.mask, scattered.get(), r + 1, kScatterAny,
                                Share(*progress, 0, 1, 9)))
    return code;
  if (LONG code = SandGrains(working.mask, r + 1, &soft, progress)) return code;
  if (MergeImage(soft.get(), scattered.get(), working.mask) <= 0) return kErrLibrary;

  const LONG gain = 5 * r > 10 ? 5 * r : 10;
  if (LONG code = EmbossShade(scattered.get(), soft.get(), 20, gain, data.lightDirection,
                              kNeutralGrey, Share(*progress, 4, 5, 9)))
    return code;
  if (LONG code = EmbossShade(soft.get(), scattered.get(), 10, gain,
                              (data.lightDirection + 180) % 360, kNeutralGrey,
                              Share(*progress, 5, 6, 9)))
    return code;

  OwnedBuf image;
  if (LONG code = ShadingImage(scattered.get(), working.image, false, &image)) return code;
  if (LONG code = Checkpoint(progress, 7, 9)) return code;
  const COLORREF white = RGB(255, 255, 255);
  if (!buf32FillOneColor(soft.get(), &white)) return kErrMemory;
  if (LONG code = BlendOver(image.get(), soft.get(), working.image, MERGE_HARDLIGHT, 0))
    return code;
  if (LONG code = Checkpoint(progress, 8, 9)) return code;
  if (LONG code = SandMask(scattered.get())) return code;
  HandOver(run, &image, &scattered, &working);
  return 0;
}

// Siegel's worn print before blurring: noise inside the object, a rim
// band, scattered twice darker-only.
LONG SealPrint(HBUF mask, OwnedBuf* noisy, RenderProgress* progress) {
  OwnedBuf inner;
  if (LONG code = Duplicate(mask, noisy)) return code;
  if (LONG code = AddNoise(mask, noisy->get(), 100, kNoiseGaussian)) return code;
  if (MaskKit(mask, noisy->get(), MASKKIT_CLIP) <= 0) return kErrLibrary;
  if (LONG code = Checkpoint(progress, 1, 7)) return code;
  if (Minimum(mask, inner.out(), 3, RANK_DISK, 0) <= 0) return kErrLibrary;
  if (MaskKit(mask, inner.get(), MASKKIT_BAND) <= 0) return kErrLibrary;
  if (LONG code = Checkpoint(progress, 2, 7)) return code;
  if (MaskKit(inner.get(), noisy->get(), MASKKIT_UNION) <= 0) return kErrLibrary;
  if (LONG code = ScatterFilter(noisy->get(), inner.get(), 4, kScatterDarker,
                                Share(*progress, 2, 3, 7)))
    return code;
  if (MaskKit(mask, inner.get(), MASKKIT_CLIP) <= 0) return kErrLibrary;
  return ScatterFilter(inner.get(), noisy->get(), 4, kScatterDarker, Share(*progress, 3, 4, 7));
}

LONG Seal(EffectRun* run, RenderProgress* progress) {
  const SealData& data = *DataOf<SealData>(run->block);
  Working working;
  if (LONG code = Enlarge(*run, 8, &working)) return code;
  BUFINFO info, object;
  if (LONG code = ReadInfo(working.image, &info)) return code;
  if (LONG code = ReadInfo(run->objectImage, &object)) return code;

  OwnedBuf noisy, first, mask, image;
  if (LONG code = SealPrint(working.mask, &noisy, progress)) return code;
  if (!MaskBlur(noisy.get(), 1, 2, first.out(), 1)) return kErrLibrary;
  if (!MaskBlur(first.get(), 1, 2, mask.out(), 1)) return kErrLibrary;
  if (LONG code = Checkpoint(progress, 5, 7)) return code;
  const LONG threshold = (100 - data.pressure) * 192 / 100;
  if (MaskThresh(mask.get(), threshold > 1 ? threshold : 1) <= 0) return kErrLibrary;
  if (LONG code = Checkpoint(progress, 6, 7)) return code;
  if (LONG code = NewFilled(object.pixelFormat, info.width, info.height, ColourOf(data.colour),
                            &image))
    return code;
  HandOver(run, &image, &mask, &working);
  return 0;
}

}  // namespace

LONG RenderSand(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(Sand(run, &progress), kSand);
}

LONG RenderSeal(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(Seal(run, &progress), kSeal);
}

}  // namespace texfx
