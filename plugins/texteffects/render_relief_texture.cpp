// "Relief-Textur": a texture tiled over the object, embossed, laid in hard
// light over the image under the object and faded by the transparency.
#include <maskkit.h>

#include "emboss.h"
#include "renderers.h"
#include "resources/resource.h"
#include "shading.h"
#include "shapes.h"
#include "tiles.h"

namespace texfx {

namespace {

constexpr COLORREF kNeutralGrey = 0x808080;

LONG Checkpoint(RenderProgress* progress, LONG done, LONG total) {
  progress->Step(done, total);
  return progress->Cancelled() ? kErrCancelled : 0;
}

// The texture tiled on an exact grid over a width x height mask.
LONG TiledTexture(HBUF texture, LONG sizePercent, LONG width, LONG height, OwnedBuf* tiled) {
  LONG textureWidth = 0, textureHeight = 0;
  if (!buf32GetWHU(texture, &textureWidth, &textureHeight, nullptr)) return kErrNoInformation;
  const SIZE size = TileSize(textureWidth, textureHeight, width, height, sizePercent);
  OwnedBuf tile;
  if (LONG code = MakeTile(texture, size, &tile)) return code;
  if (LONG code = NewMask(width, height, tiled)) return code;
  for (LONG v = 0; v < height; v += size.cy)
    for (LONG u = 0; u < width; u += size.cx)
      if (MaskAddEx(tile.get(), tiled->get(), u, v, MASKADD_SUM) <= 0) return kErrLibrary;
  return 0;
}

LONG ReliefTexture(EffectRun* run, RenderProgress* progress) {
  const ReliefTextureData& data = *DataOf<ReliefTextureData>(run->block);
  Working working;
  if (LONG code = Enlarge(*run, 1, &working)) return code;
  BUFINFO info;
  if (LONG code = ReadInfo(working.image, &info)) return code;

  OwnedBuf loaded, tiled, shading;
  HBUF texture = data.textureImage;
  if (!texture) {
    if (LONG code = LoadRendererShape(data.texturePath, IDB_TEXTURE, loaded.out())) return code;
    texture = loaded.get();
  }
  if (LONG code = TiledTexture(texture, data.textureSize, info.width, info.height, &tiled))
    return code;
  loaded.Reset();
  if (LONG code = Checkpoint(progress, 1, 4)) return code;

  if (LONG code = Duplicate(tiled.get(), &shading)) return code;
  ProgressLink share = *progress->link();
  const LONGLONG range = static_cast<LONGLONG>(progress->end()) - progress->start();
  share.startPercent = static_cast<LONG>(progress->start() + range / 4);
  share.endPercent = static_cast<LONG>(progress->start() + range * 2 / 4);
  if (LONG code = EmbossShade(tiled.get(), shading.get(), 10, data.amount, 45, kNeutralGrey, share))
    return code;
  if (MaskKit(working.mask, shading.get(), MASKKIT_INTERSECT) <= 0) return kErrLibrary;

  OwnedBuf image, mask;
  if (LONG code = ShadingImage(shading.get(), working.image, false, &image)) return code;
  if (LONG code = Checkpoint(progress, 3, 4)) return code;
  const COLORREF white = RGB(255, 255, 255);
  if (!buf32FillOneColor(tiled.get(), &white)) return kErrMemory;
  if (LONG code = BlendOver(image.get(), tiled.get(), working.image, MERGE_HARDLIGHT, 0))
    return code;
  // A stored transparency outside 0..100 is held to that range.
  const LONG opacity = 100 - (data.transparency < 0 ? 0 : data.transparency > 100 ? 100 : data.transparency);
  if (LONG code = BlendOver(image.get(), tiled.get(), working.image, MERGE_NORMAL, opacity))
    return code;
  if (LONG code = Duplicate(working.mask, &mask)) return code;
  HandOver(run, &image, &mask, &working);
  return 0;
}

}  // namespace

LONG RenderReliefTexture(EffectRun* run) {
  RenderProgress progress(run->progress);
  progress.Begin();
  return Fail(ReliefTexture(run, &progress), kReliefTexture);
}

}  // namespace texfx
