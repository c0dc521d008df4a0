// "Konkret": the object given a rough, concrete-like surface in its colour:
// a height field of the blurred and scattered mask, lit from 45 degrees of
// elevation from the light direction.
#include <maskkit.h>

#include <utility>

#include "grain.h"
#include "renderers.h"
#include "surfacelight.h"

namespace texfx {

namespace {

constexpr double kConcreteElevation = 45.0;

ProgressLink Share(const RenderProgress& progress, LONG from, LONG to, LONG total) {
  ProgressLink link = *progress.link();
  const LONGLONG range = static_cast<LONGLONG>(progress.end()) - progress.start();
  link.startPercent = static_cast<LONG>(progress.start() + range * from / total);
  link.endPercent = static_cast<LONG>(progress.start() + range * to / total);
  return link;
}

// The height field: the mask blurred and scattered twice, cut to the
// object, and the blurred, inverted cut scattered lighter-only laid over it
// inside the object. *heights receives it.
LONG ConcreteHeights(HBUF mask, LONG roughness, OwnedBuf* heights, RenderProgress* progress) {
  const LONG spread = roughness / 2 + 1;
  OwnedBuf m1, m2, m3;
  if (!MaskBlur(mask, 1, 2, m1.out(), 1)) return kErrLibrary;
  if (LONG code = Duplicate(m1.get(), &m2)) return code;
  if (LONG code = ScatterFilter(m1.get(), m2.get(), spread, kScatterAny, Share(*progress, 0, 1, 6)))
    return code;
  if (!MaskBlur(m2.get(), 1, 2, m1.out(), 1)) return kErrLibrary;
  if (LONG code = ScatterFilter(m1.get(), m2.get(), spread, kScatterAny, Share(*progress, 1, 2, 6)))
    return code;
  if (LONG code = Duplicate(m2.get(), &m1)) return code;
  if (MaskKit(mask, m2.get(), MASKKIT_INTERSECT) <= 0) return kErrLibrary;
  if (!MaskBlur(m2.get(), 1, 2, m3.out(), 1)) return kErrLibrary;
  if (MaskInvert(m3.get()) <= 0) return kErrLibrary;
  if (LONG code = ScatterFilter(m3.get(), m2.get(), roughness + 1, kScatterLighter,
                                Share(*progress, 2, 4, 6)))
    return code;
  if (MergeImage(m2.get(), m1.get(), mask) <= 0) return kErrLibrary;
  *heights = std::move(m1);
  return 0;
}

LONG Concrete(EffectRun* run, RenderProgress* progress) {
  const ConcreteData& data = *DataOf<ConcreteData>(run->block);
  // Stored values outside their ranges are held to them.
  const LONG roughness = data.roughness < 1 ? 1 : data.roughness > 20 ? 20 : data.roughness;
  const LONG direction = ((data.lightDirection % 360) + 360) % 360;
  Working working;
  if (LONG code = Enlarge(*run, roughness + 3, &working)) return code;
  BUFINFO info;
  if (LONG code = ReadInfo(working.image, &info)) return code;

  OwnedBuf heights, image, mask;
  if (LONG code = ConcreteHeights(working.mask, roughness, &heights, progress)) return code;
  SurfaceLighting lighting;
  lighting.ambient = RGB(255, 255, 255);
  lighting.surface = ColourOf(data.colour);
  lighting.light = LightOverArea(info.width, info.height, kConcreteElevation, direction);
  lighting.mode = 0;
  if (LONG code = LightSurface(working.image, heights.get(), lighting, &image,
                               Share(*progress, 2, 3, 3)))
    return code;
  if (LONG code = Duplicate(heights.get(), &mask)) return code;
  if (MaskKit(working.mask, mask.get(), MASKKIT_ADD) <= 0) return kErrLibrary;
  HandOver(run, &image, &mask, &working);
  return 0;
}

}  // namespace

LONG RenderConcrete(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(Concrete(run, &progress), kConcrete);
}

}  // namespace texfx
