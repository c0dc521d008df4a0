// rankfilter: grey dilation and erosion of 8-bit masks (imgcore buffers).
//
// Maximum gives each pixel the largest value found within the structuring
// element centred on it (a mask grows by the radius), Minimum the smallest
// (a mask shrinks). The element is the round disk of all offsets (dx, dy)
// with dx^2 + dy^2 <= radius^2, or the square of side 2 radius + 1. Pixels
// beyond the image take no part: the edge neither grows nor eats the mask.
// The cost grows linearly with the radius, not with its square.
//
// Results: RANK_OK (positive) on success, a negative RANK_ERR_* on failure,
// with *out set to 0 and nothing left allocated.
#pragma once

#include "imgcore.h"

#define RANK_OK 1
#define RANK_ERR_ARGUMENT (-1)  // unknown handle, not 8-bit, bad radius or shape
#define RANK_ERR_MEMORY (-3)    // the result or working memory could not be had

// Structuring elements.
#define RANK_DISK 0    // round: dx^2 + dy^2 <= radius^2
#define RANK_SQUARE 1  // square: |dx| <= radius and |dy| <= radius

LV_BEGIN_DECLS

// Grey dilation of the 8-bit `source` with the element `shape` (RANK_*) of
// `radius` pixels (0 copies; at least 0). *out receives a new 8-bit buffer
// of the source's size (owned by the caller). `reserved` is 0.
LVEXPORT LONG Maximum(HBUF source, HBUF* out, LONG radius, LONG shape, LONG reserved);
// Grey erosion, as Maximum with the smallest value.
LVEXPORT LONG Minimum(HBUF source, HBUF* out, LONG radius, LONG shape, LONG reserved);

LV_END_DECLS
