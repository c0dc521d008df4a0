// "Blitz": the object (or a bump map tiled over it) lit by a coloured
// light from the chosen elevation and direction, on the object colour.
#include <maskkit.h>
#include <softedge.h>

#include <algorithm>
#include <cmath>

#include "renderers.h"
#include "resources/resource.h"
#include "shapes.h"
#include "surfacelight.h"
#include "tiles.h"

namespace texfx {

namespace {

constexpr LONG kFlashPad = 5;
constexpr double kDegreesPerElevationStep = 0.9;

ProgressLink Share(const RenderProgress& progress, LONG from, LONG to, LONG total) {
  ProgressLink link = *progress.link();
  const LONGLONG range = static_cast<LONGLONG>(progress.end()) - progress.start();
  link.startPercent = static_cast<LONG>(progress.start() + range * from / total);
  link.endPercent = static_cast<LONG>(progress.start() + range * to / total);
  return link;
}

// The bump map tiled on an exact grid over a width x height height field.
LONG TiledBumps(HBUF bumps, LONG width, LONG height, OwnedBuf* heights) {
  LONG bumpWidth = 0, bumpHeight = 0;
  if (!buf32GetWHU(bumps, &bumpWidth, &bumpHeight, nullptr)) return kErrNoInformation;
  OwnedBuf tile;
  const SIZE size = BumpTileSize(bumpWidth, bumpHeight, width, height);
  if (LONG code = MakeTile(bumps, size, &tile)) return code;
  if (LONG code = NewMask(width, height, heights)) return code;
  for (LONG v = 0; v < height; v += size.cy)
    for (LONG u = 0; u < width; u += size.cx)
      if (MaskAddEx(tile.get(), heights->get(), u, v, MASKADD_SUM) <= 0) return kErrLibrary;
  return 0;
}

// The height field: the tiled bump map with the flag set (the record's,
// else one loaded from its path or the module's bitmap), else the soft
// edge of the mask. *reported is set when the code is already in the
// host's error slot: the shape loader reports its own failures, a missing
// file with the text naming it, which must not be overwritten.
LONG FlashHeights(const FlashData& data, HBUF mask, LONG width, LONG height, OwnedBuf* heights,
                  bool* reported) {
  if (!data.bumpMap)
    return CreateSoftEdgeMask(mask, 5, SOFTEDGE_CENTRED, SOFTEDGE_LINEAR, heights->out(), 1) <= 0
               ? kErrLibrary
               : 0;
  OwnedBuf loaded;
  HBUF bumps = data.bumpImage;
  if (!bumps) {
    if (LONG code = LoadRendererShape(data.bumpPath, IDB_TEXTURE, loaded.out())) {
      *reported = true;
      return code;
    }
    bumps = loaded.get();
  }
  return TiledBumps(bumps, width, height, heights);
}

LONG Flash(EffectRun* run, RenderProgress* progress, bool* reported) {
  const FlashData& data = *DataOf<FlashData>(run->block);
  // Stored values outside their ranges are held to them.
  const LONG elevation = data.elevation < 1 ? 1 : data.elevation > 100 ? 100 : data.elevation;
  const LONG direction = ((data.lightDirection % 360) + 360) % 360;
  Working working;
  if (LONG code = Enlarge(*run, kFlashPad, &working)) return code;
  BUFINFO info, maskInfo;
  if (LONG code = ReadInfo(working.image, &info)) return code;
  // The mask is handed back as it is: it has to be one.
  if (ReadInfo(working.mask, &maskInfo) || maskInfo.pixelFormat != 8) return kErrMemory;

  OwnedBuf heights, coloured, image, mask;
  if (LONG code = FlashHeights(data, working.mask, info.width, info.height, &heights, reported))
    return code;
  if (progress->Cancelled()) return kErrCancelled;
  progress->Step(1, 2);
  if (LONG code = NewFilled(info.pixelFormat, info.width, info.height, ColourOf(data.objectColour),
                            &coloured))
    return code;
  SurfaceLighting lighting;
  lighting.ambient = RGB(255, 255, 255);
  lighting.surface = ColourOf(data.lightColour);
  lighting.light =
      LightOverArea(info.width, info.height, elevation * kDegreesPerElevationStep, direction);
  lighting.mode = 0;
  if (LONG code = LightSurface(coloured.get(), heights.get(), lighting, &image,
                               Share(*progress, 1, 2, 2)))
    return code;
  if (LONG code = Duplicate(working.mask, &mask)) return code;
  HandOver(run, &image, &mask, &working);
  return 0;
}

}  // namespace

SIZE BumpTileSize(LONG bumpWidth, LONG bumpHeight, LONG width, LONG height) {
  const LONGLONG bw = std::max<LONG>(bumpWidth, 1), bh = std::max<LONG>(bumpHeight, 1);
  LONGLONG tw = std::min<LONGLONG>(bw, width), th = std::min<LONGLONG>(bh, height);
  const double r = static_cast<double>(tw) / static_cast<double>(bw);
  if (static_cast<double>(th) > static_cast<double>(bh) * r)
    tw = std::min(th * bw / bh, bw);
  else
    th = std::min(static_cast<LONGLONG>(std::floor(static_cast<double>(bh) * r)), bh);
  return SIZE{static_cast<LONG>(std::max<LONGLONG>(tw, 1)),
              static_cast<LONG>(std::max<LONGLONG>(th, 1))};
}

LONG RenderFlash(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  bool reported = false;
  const LONG code = Flash(run, &progress, &reported);
  return reported ? code : Fail(code, kFlash);
}

}  // namespace texfx
