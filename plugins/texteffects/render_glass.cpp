// "Glas" and "Metall": the object's edge turned into a soft band and
// mapped through a reflection curve, filled with one colour.
#include <maskkit.h>
#include <rankfilter.h>
#include <softedge.h>

#include "curves.h"
#include "renderers.h"

namespace texfx {

namespace {

const BYTE kMetalColour[3] = {244, 209, 43};

// Steps `done` of `total`, then the Escape poll.
LONG Checkpoint(RenderProgress* progress, LONG done, LONG total) {
  progress->Step(done, total);
  return progress->Cancelled() ? kErrCancelled : 0;
}

// The result image: the working image's format and size in one colour.
LONG FilledLike(HBUF image, const BYTE colour[3], OwnedBuf* out) {
  BUFINFO info;
  if (LONG code = ReadInfo(image, &info)) return code;
  return NewFilled(info.pixelFormat, info.width, info.height, ColourOf(colour), out);
}

// Glass mask: the band between the grown and the shrunk mask, softened and
// mapped through the curve.
LONG GlassMask(HBUF mask, LONG flakiness, LONG reflection, OwnedBuf* out,
               RenderProgress* progress) {
  OwnedBuf grown, shrunk, soft;
  if (Maximum(mask, grown.out(), flakiness + 1, RANK_DISK, 0) <= 0) return kErrLibrary;
  if (LONG code = Checkpoint(progress, 1, 6)) return code;
  if (Minimum(mask, shrunk.out(), flakiness + 1, RANK_DISK, 0) <= 0) return kErrLibrary;
  if (LONG code = Checkpoint(progress, 2, 6)) return code;
  if (MaskKit(grown.get(), shrunk.get(), MASKKIT_BAND) <= 0) return kErrLibrary;
  if (LONG code = Checkpoint(progress, 3, 6)) return code;
  grown.Reset();
  if (CreateSoftEdgeMask(shrunk.get(), flakiness, SOFTEDGE_CENTRED, SOFTEDGE_LINEAR, soft.out(),
                         1) <= 0)
    return kErrLibrary;
  if (LONG code = Checkpoint(progress, 4, 6)) return code;
  if (LONG code = Duplicate(soft.get(), out)) return code;
  if (MaskMap(out->get(), ReflectionCurve(reflection)) <= 0) return kErrLibrary;
  return Checkpoint(progress, 5, 6);
}

LONG Glass(EffectRun* run, RenderProgress* progress) {
  const GlassData& data = *DataOf<GlassData>(run->block);
  Working working;
  if (LONG code = Enlarge(*run, data.flakiness + 1, &working)) return code;
  OwnedBuf mask, image;
  if (LONG code = GlassMask(working.mask, data.flakiness, data.reflection, &mask, progress))
    return code;
  if (LONG code = FilledLike(working.image, data.colour, &image)) return code;
  HandOver(run, &image, &mask, &working);
  return 0;
}

LONG Metal(EffectRun* run, RenderProgress* progress) {
  const MetalData& data = *DataOf<MetalData>(run->block);
  Working working;
  if (LONG code = Enlarge(*run, data.flakiness, &working)) return code;
  OwnedBuf mask, image;
  if (CreateSoftEdgeMask(working.mask, data.flakiness, SOFTEDGE_CENTRED, SOFTEDGE_LINEAR,
                         mask.out(), 1) <= 0)
    return kErrLibrary;
  if (LONG code = Checkpoint(progress, 1, 3)) return code;
  if (MaskMap(mask.get(), ReflectionCurve(data.reflection)) <= 0) return kErrLibrary;
  if (LONG code = Checkpoint(progress, 2, 3)) return code;
  if (LONG code = FilledLike(working.image, kMetalColour, &image)) return code;
  HandOver(run, &image, &mask, &working);
  return 0;
}

}  // namespace

LONG RenderGlass(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(Glass(run, &progress), kGlass);
}

LONG RenderMetal(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(Metal(run, &progress), kMetal);
}

}  // namespace texfx
