// "Relief" and "Relief-Umriß": a height field from the softened mask or
// from a blurred outline band, lit by the emboss shader and laid in hard
// light over the image under the object.
#include <maskkit.h>
#include <rankfilter.h>
#include <softedge.h>

#include "emboss.h"
#include "renderers.h"
#include "shading.h"

namespace texfx {

namespace {

constexpr COLORREF kNeutralGrey = 0x808080;
constexpr LONG kPlateau = 1002;
constexpr LONG kSteep = 1003;

LONG Checkpoint(RenderProgress* progress, LONG done, LONG total) {
  progress->Step(done, total);
  return progress->Cancelled() ? kErrCancelled : 0;
}

// The run's progress link narrowed to from/total .. to/total of its range.
ProgressLink Share(const RenderProgress& progress, LONG from, LONG to, LONG total) {
  ProgressLink link = *progress.link();
  const LONGLONG range = static_cast<LONGLONG>(progress.end()) - progress.start();
  link.startPercent = static_cast<LONG>(progress.start() + range * from / total);
  link.endPercent = static_cast<LONG>(progress.start() + range * to / total);
  return link;
}

// The result image of both reliefs: the shading on white, in hard light
// over the working image through a full mask (`scratch`, refilled).
LONG ShadeResult(HBUF shading, HBUF image, HBUF scratch, OwnedBuf* out,
                 RenderProgress* progress) {
  if (LONG code = ShadingImage(shading, image, true, out)) return code;
  if (LONG code = Checkpoint(progress, 5, 7)) return code;
  const COLORREF white = RGB(255, 255, 255);
  if (!buf32FillOneColor(scratch, &white)) return kErrMemory;
  if (LONG code = BlendOver(out->get(), scratch, image, MERGE_HARDLIGHT, 0)) return code;
  return Checkpoint(progress, 6, 7);
}

// The profile's treatment of the grown mask and the shading (1001, smooth:
// the grown mask joined with the object's).
LONG ApplyProfile(LONG profile, HBUF mask, HBUF grown, HBUF shading, HBUF height) {
  if (profile == kSteep) {
    if (MaskKit(mask, grown, MASKKIT_INTERSECT) <= 0) return kErrLibrary;
    LONG width = 0, heightRows = 0;
    if (!buf32GetWHU(mask, &width, &heightRows, nullptr)) return kErrNoInformation;
    if (!buf32MergeBuf(mask, 0, 0, width, heightRows, height, 0, 0)) return kErrMemory;
    if (MaskInvert(height) <= 0) return kErrLibrary;
    return MaskFill(height, shading, 128) <= 0 ? kErrLibrary : 0;
  }
  if (MaskKit(mask, grown, MASKKIT_UNION) <= 0) return kErrLibrary;
  if (profile == kPlateau && MaskFill(mask, shading, 128) <= 0) return kErrLibrary;
  return 0;
}

LONG Relief(EffectRun* run, RenderProgress* progress) {
  const ReliefData& data = *DataOf<ReliefData>(run->block);
  const LONG t = data.thickness;
  Working working;
  if (LONG code = Enlarge(*run, t + 3, &working)) return code;
  BUFINFO info;
  if (LONG code = ReadInfo(working.image, &info)) return code;

  OwnedBuf shading, height, grown;
  if (CreateSoftEdgeMask(working.mask, 3, SOFTEDGE_CENTRED, SOFTEDGE_LINEAR, shading.out(), 1) <= 0)
    return kErrLibrary;
  if (LONG code = Checkpoint(progress, 1, 7)) return code;
  if (LONG code = Duplicate(shading.get(), &height)) return code;
  if (LONG code = EmbossShade(height.get(), shading.get(), 10 * t, data.amount,
                              data.lightDirection, kNeutralGrey, Share(*progress, 1, 2, 7)))
    return code;
  if (Maximum(height.get(), grown.out(), 2 * t + 1, RANK_DISK, 0) <= 0) return kErrLibrary;
  if (LONG code = Checkpoint(progress, 3, 7)) return code;
  if (LONG code = ApplyProfile(data.profile, working.mask, grown.get(), shading.get(), height.get()))
    return code;
  if (LONG code = Checkpoint(progress, 4, 7)) return code;

  OwnedBuf image;
  if (LONG code = ShadeResult(shading.get(), working.image, height.get(), &image, progress))
    return code;
  HandOver(run, &image, &grown, &working);
  return 0;
}

// The outline band: the mask grown by max(T, 2) less the mask shrunk by T.
LONG OutlineBand(HBUF mask, LONG t, OwnedBuf* band, RenderProgress* progress) {
  OwnedBuf grown;
  if (Maximum(mask, grown.out(), t > 2 ? t : 2, RANK_DISK, 0) <= 0) return kErrLibrary;
  if (Minimum(mask, band->out(), t, RANK_DISK, 0) <= 0) return kErrLibrary;
  if (LONG code = Checkpoint(progress, 1, 7)) return code;
  if (MaskKit(grown.get(), band->get(), MASKKIT_BAND) <= 0) return kErrLibrary;
  progress->Step(2, 7);
  return 0;
}

LONG ReliefOutline(EffectRun* run, RenderProgress* progress) {
  const ReliefOutlineData& data = *DataOf<ReliefOutlineData>(run->block);
  const LONG t = data.thickness;
  Working working;
  if (LONG code = Enlarge(*run, t * 3 / 2 + 1, &working)) return code;
  BUFINFO info;
  if (LONG code = ReadInfo(working.image, &info)) return code;

  OwnedBuf band, blurred, grown;
  if (LONG code = OutlineBand(working.mask, t, &band, progress)) return code;
  if (!MaskBlur(band.get(), 1, 2, blurred.out(), 1)) return kErrLibrary;
  if (LONG code = Checkpoint(progress, 3, 7)) return code;
  if (Maximum(blurred.get(), grown.out(), 2 * t + 1, RANK_DISK, 0) <= 0) return kErrLibrary;
  if (LONG code = EmbossShade(blurred.get(), band.get(), 10 * t, data.amount, data.lightDirection,
                              kNeutralGrey, Share(*progress, 3, 4, 7)))
    return code;

  OwnedBuf image;
  if (LONG code = ShadeResult(band.get(), working.image, blurred.get(), &image, progress))
    return code;
  HandOver(run, &image, &grown, &working);
  return 0;
}

}  // namespace

LONG RenderRelief(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(Relief(run, &progress), kRelief);
}

LONG RenderReliefOutline(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(ReliefOutline(run, &progress), kReliefOutline);
}

}  // namespace texfx
