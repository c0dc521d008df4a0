// The effect renderers, one function per effect, each following the
// renderer contract of frame.h: 0 on success with both results in the
// run's slots (and the new position in the run when the object grew), or
// an error code already in the host's error slot with nothing left behind.
#pragma once

#include <texteffects/records.h>

#include <array>

#include "frame.h"

namespace texfx {

// 0 "Farbverlauf": the mask faded along a linear, rectangular or elliptical
// opacity gradient; the image kept or filled with the fill colour.
LONG RenderGradient(EffectRun* run);
// 1 "Loch": a tiled shape punched into the mask.
LONG RenderHole(EffectRun* run);
// 2 "Glas": a banded soft outline filled with the glass colour.
LONG RenderGlass(EffectRun* run);
// 3 "Metall": the soft mask mapped through a reflection curve, metal colour.
LONG RenderMetal(EffectRun* run);
// 4 "Relief": the embossed soft mask blended over the image under the object.
LONG RenderRelief(EffectRun* run);
// 5 "Relief-Umriß": the embossed outline band.
LONG RenderReliefOutline(EffectRun* run);
// 6 "Relief-Textur": an embossed tiled texture inside the object.
LONG RenderReliefTexture(EffectRun* run);
// 7 "Konkret": a rough surface in the colour, lit from 45 degrees.
LONG RenderConcrete(EffectRun* run);
// 8 "Sand": a roughened, grainy edge lit by the emboss shader.
LONG RenderSand(EffectRun* run);
// 9 "Blitz": the object or a tiled bump map lit by a coloured light.
LONG RenderFlash(EffectRun* run);
// Size of the bump-map tile of "Blitz" over an area of width x height:
// the bump map's size cut to the area, its proportions restored within
// its own size (the smaller side follows the larger); at least 1 x 1.
SIZE BumpTileSize(LONG bumpWidth, LONG bumpHeight, LONG width, LONG height);
// 10 "Feuer": flames rising above the object, coloured through its palette.
LONG RenderFire(EffectRun* run);
// 11 "Schnee": snow hanging below the object, coloured through its palette.
LONG RenderSnow(EffectRun* run);
// 12 "Neon": a glowing band of one colour along the edge.
LONG RenderNeon(EffectRun* run);
// 13 "Siegel": a worn stamp print in one colour.
LONG RenderSeal(EffectRun* run);

// The palette of "Feuer" and "Schnee" (256 entries red, green, blue):
// entry 0 black, 1..64 the outer colour, 65..127 from outer towards the
// middle colour in 64ths, 128 the middle colour, 129..254 from middle
// towards the inner colour in 127ths (truncated towards zero), 255 the
// inner colour.
typedef std::array<BYTE, 768> FlamePalette;
FlamePalette MakeFlamePalette(const FlameData& data);
// Their result-mask table: 4 i for i = 0..63, 255 from 64 on (256 bytes,
// static).
const BYTE* FlameMaskTable();

// The renderer of an effect number, or NULL when the module has none for it
// (numbers outside 0..13, and effects whose renderer this build lacks).
Renderer FindRenderer(LONG effect);

}  // namespace texfx
