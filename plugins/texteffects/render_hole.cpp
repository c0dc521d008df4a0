// "Loch": a shape tiled over the object, each tile moved by a seeded random
// offset, punched into the object's mask.
#include <maskkit.h>

#include "renderers.h"
#include "resources/resource.h"
#include "shapes.h"
#include "tiles.h"

namespace texfx {

namespace {

// Adds the tile at every grid place of a width x height mask, band by band.
LONG TileMask(HBUF tile, SIZE size, HBUF mask, LONG width, LONG height, LONG variation,
              RenderProgress* progress) {
  Random random(1);
  for (LONG v = 0; v < height; v += size.cy) {
    progress->Step(v, height);
    if (progress->Cancelled()) return kErrCancelled;
    for (LONG u = 0; u < width; u += size.cx) {
      const LONG r1 = random.Next();
      const LONG r2 = random.Next();
      const LONG x = u + TileJitter(r1, size.cx, variation);
      const LONG y = v + TileJitter(r2, size.cy, variation);
      if (MaskAddEx(tile, mask, x, y, MASKADD_SUM) <= 0) return kErrLibrary;
    }
  }
  return 0;
}

// The punched mask: tiles, optionally inverted, cut to the object's mask.
LONG PunchMask(const EffectRun& run, const HoleData& data, HBUF shape, LONG width, LONG height,
               OwnedBuf* mask, RenderProgress* progress) {
  LONG shapeWidth = 0, shapeHeight = 0;
  if (!buf32GetWHU(shape, &shapeWidth, &shapeHeight, nullptr)) return kErrNoInformation;
  const SIZE size = TileSize(shapeWidth, shapeHeight, width, height, data.size);
  OwnedBuf tile;
  if (LONG code = MakeTile(shape, size, &tile)) return code;
  if (LONG code = NewMask(width, height, mask)) return code;
  if (LONG code = TileMask(tile.get(), size, mask->get(), width, height, data.variation, progress))
    return code;
  tile.Reset();
  if (data.invert && MaskInvert(mask->get()) <= 0) return kErrLibrary;
  if (MaskKit(run.objectMask, mask->get(), MASKKIT_INTERSECT) <= 0) return kErrLibrary;
  return 0;
}

LONG Hole(EffectRun* run, RenderProgress* progress) {
  const HoleData& data = *DataOf<HoleData>(run->block);
  BUFINFO info;
  if (LONG code = ReadInfo(run->objectImage, &info)) return code;

  OwnedBuf loaded;
  HBUF shape = data.shapeImage;
  if (!shape) {
    if (LONG code = LoadRendererShape(data.shapePath, IDB_HOLE_SHAPE, loaded.out())) return code;
    shape = loaded.get();
  }
  OwnedBuf mask;
  if (LONG code = PunchMask(*run, data, shape, info.width, info.height, &mask, progress))
    return code;
  loaded.Reset();

  OwnedBuf image;
  if (data.fill) {
    if (LONG code = NewFilled(info.pixelFormat, info.width, info.height, ColourOf(data.fillColour),
                              &image))
      return code;
  } else if (LONG code = Duplicate(run->objectImage, &image)) {
    return code;
  }
  HandOver(run, &image, &mask, nullptr);
  return 0;
}

}  // namespace

LONG RenderHole(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(Hole(run, &progress), kHole);
}

}  // namespace texfx
