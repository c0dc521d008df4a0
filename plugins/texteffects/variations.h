// The variation generator behind TavikPlugInAskStyler.
#pragma once

#include <windows.h>

#include <texteffects/params.h>

namespace texfx {

// Three values of a varied parameter v with step s: w - s, w, w + s, where
// w = v + s below the lower bound, v - s above the upper bound, v otherwise.
// *position (0, 2 or 1) is the place of v among them.
void VaryValue(LONG v, LONG step, LONG lower, LONG upper, LONG values[3], LONG* position);
// Three light directions: (d + 315) mod 360, d, (d + 45) mod 360; position 1.
void VaryDirection(LONG d, LONG values[3], LONG* position);

// Number of variations of the effect: 3 for effects 6, 10, 11 and 13, 9
// for the other effects, 0 for an effect number outside 0..13.
LONG VariationCount(LONG effect);

// Writes VariationCount(block's effect) full copies of block into out, each
// with one or two parameters varied and its data word set; a block without
// data is first completed with its effect's defaults. Returns the index of
// the variation equal to the block, or 0 (nothing written) for an effect
// number outside 0..13.
LONG MakeVariations(const EffectBlock& block, EffectBlock* out);

}  // namespace texfx
