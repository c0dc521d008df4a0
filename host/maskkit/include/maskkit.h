// maskkit: the host's operations on 8-bit masks (imgcore buffers).
//
// A mask is an 8-bit imgcore buffer: 0 transparent (outside the object),
// 255 opaque (inside), values between for soft edges. Operations that take
// two masks need them of the same width and height; the second one (the
// target) receives the outcome unless a function says otherwise. Buffers
// passed in stay owned by the caller; a buffer a function makes (MaskBlur)
// belongs to the caller afterwards. A failing call leaves its target
// unchanged and never leaves a buffer behind.
//
// Results: MASK_OK (positive) on success, a negative MASK_ERR_* on failure;
// MaskBlur alone answers TRUE / FALSE. So `result <= 0` is a failure for
// every call here.
#pragma once

#include "imgcore.h"

#define MASK_OK 1
#define MASK_ERR_ARGUMENT (-1)  // unknown handle, wrong pixel format, bad value
#define MASK_ERR_SIZE (-2)      // the buffers differ in width or height
#define MASK_ERR_MEMORY (-3)    // working memory could not be had

// MaskKit operations: how mask `a` is combined into target `b`, per pixel.
// b = min(a + b, 255): a added on top of b.
#define MASKKIT_ADD 0
// b = max(a - b, 0): what a covers beyond b (the band between a grown and
// a shrunk mask).
#define MASKKIT_BAND 1
// b = min(a, b): b kept only where the object a is.
#define MASKKIT_INTERSECT 3
// b = a + b - a b / 255, rounded: a laid over b, a soft union that never
// darkens either.
#define MASKKIT_SCREEN 4
// b = max(a, b).
#define MASKKIT_UNION 5
// b where a is non-zero, 0 elsewhere: b cut to the footprint of a, keeping
// b's own values.
#define MASKKIT_CLIP 9

// MaskAddEx modes.
#define MASKADD_SUM 0  // target = min(target + tile, 255)
#define MASKADD_MAX 1  // target = max(target, tile)

LV_BEGIN_DECLS

// Combines mask `a` into mask `b` (same size, both 8-bit) with operation
// `op` (MASKKIT_*). Returns MASK_OK, or a negative MASK_ERR_* (unknown
// operation: MASK_ERR_ARGUMENT) with b unchanged.
LVEXPORT LONG MaskKit(HBUF a, HBUF b, LONG op);

// Adds the 8-bit `tile` into the 8-bit `target` with its top-left corner at
// (x, y) of the target (may be negative or beyond the target: the part
// outside is dropped) in mode MASKADD_*. A tile lying wholly outside is no
// error. Returns MASK_OK or a negative MASK_ERR_*.
LVEXPORT LONG MaskAddEx(HBUF tile, HBUF target, LONG x, LONG y, LONG mode);

// mask = 255 - mask, in place. Returns MASK_OK or MASK_ERR_ARGUMENT.
LVEXPORT LONG MaskInvert(HBUF mask);

// mask = table[mask], in place; `table` holds 256 bytes. Returns MASK_OK or
// MASK_ERR_ARGUMENT (no table, not an 8-bit buffer).
LVEXPORT LONG MaskMap(HBUF mask, const BYTE* table);

// Sets `target` to `value` (0..255) where `mask` is set, in proportion to
// the mask: target = target + (value - target) x mask / 255, rounded. The
// target is 8-bit, or 24-bit with every channel set towards the value; the
// mask is 8-bit of the target's size. Returns MASK_OK or MASK_ERR_*.
LVEXPORT LONG MaskFill(HBUF mask, HBUF target, LONG value);

// mask = 255 where mask >= threshold, else 0, in place; threshold 0..256
// (0 makes everything 255, 256 everything 0). Returns MASK_OK or
// MASK_ERR_ARGUMENT.
LVEXPORT LONG MaskThresh(HBUF mask, LONG threshold);

// Softens the 8-bit `source` with a box filter of `radius` pixels (a box
// 2 radius + 1 wide and high) applied `passes` times (1..8; 2 gives a tent
// filter, 3 and more approach a Gaussian); pixels beyond the edge repeat the
// edge pixel. radius 0 copies; a radius beyond the image's larger edge is
// taken as that edge. `newBuffer` 1: *out receives a new buffer
// with the result (owned by the caller; 0 on failure); newBuffer 0: the
// result replaces the source's pixels and out may be NULL. Returns TRUE on
// success, FALSE for a bad argument or lack of memory.
LVEXPORT BOOL MaskBlur(HBUF source, LONG radius, LONG passes, HBUF* out, LONG newBuffer);

// Lays `source` over `target` through `mask`: target = target + (source -
// target) x mask / 255, rounded, per channel. Source and target are both
// 8-bit or both 24-bit, the mask 8-bit, all of one size. Returns MASK_OK or
// a negative MASK_ERR_*.
LVEXPORT LONG MergeImage(HBUF source, HBUF target, HBUF mask);

// Colours `target` from the 8-bit `index` buffer of the same size: each
// pixel takes palette entry index[x, y]. `palette` holds 256 entries of
// three bytes red, green, blue. A 24-bit target receives the bytes, an
// 8-bit one the entry's grey value (299 R + 587 G + 114 B) / 1000 rounded,
// a 16-bit one the entry as 5-5-5. Returns MASK_OK or a negative
// MASK_ERR_*.
LVEXPORT LONG ApplyPalette(HBUF target, const BYTE* palette, HBUF index);

LV_END_DECLS
