// softedge: soft edges of 8-bit masks (imgcore buffers).
//
// The object is the set of mask pixels of value 128 and above; beyond the
// image there is no object. For every pixel the Euclidean distance d to the
// object's edge is measured (positive inside, negative outside; the edge
// runs between pixel centres, so a pixel next to it is 0.5 away; a pixel
// right on the edge takes its own coverage instead, (value - 127.5) / 255,
// so the outline of a soft mask stays smooth), and a
// ramp of `radius` pixels across the edge turns d into the new value:
//
//   SOFTEDGE_OUTSIDE  255 inside; outside falling from the edge to 0 at
//                     distance radius:       255 (1 + d / radius)
//   SOFTEDGE_INSIDE   0 outside; inside rising from the edge to 255 at
//                     depth radius:          255 d / radius
//   SOFTEDGE_CENTRED  centred on the edge, 0 at radius outside, 255 at
//                     radius inside:         255 (d + radius) / (2 radius)
//
// each clamped to 0..255 and rounded. The values never decrease from the
// outside inwards and a larger object never gets a smaller value. Profile
// SOFTEDGE_LINEAR uses the ramp as it stands; SOFTEDGE_SMOOTH eases it in
// and out (3t^2 - 2t^3 of the ramp's fraction t). Radius 0 gives the object
// as a hard mask of 0 and 255.
#pragma once

#include "imgcore.h"

#define SOFTEDGE_OK 1
#define SOFTEDGE_ERR_ARGUMENT (-1)  // unknown handle, not 8-bit, bad radius or mode
#define SOFTEDGE_ERR_MEMORY (-3)    // the result or working memory could not be had

// Where the ramp lies.
#define SOFTEDGE_OUTSIDE 0
#define SOFTEDGE_INSIDE 1
#define SOFTEDGE_CENTRED 2
// Shape of the ramp.
#define SOFTEDGE_LINEAR 0
#define SOFTEDGE_SMOOTH 1

LV_BEGIN_DECLS

// Soft edge of the 8-bit `source` over `radius` pixels (0..65535) placed
// by `mode` (SOFTEDGE_OUTSIDE, _INSIDE, _CENTRED) with ramp `profile`
// (SOFTEDGE_LINEAR, _SMOOTH). `newBuffer` 1: *out receives a new 8-bit
// buffer of the source's size (owned by the caller; 0 on failure);
// newBuffer 0: the result replaces the source's pixels and out may be NULL.
// Returns SOFTEDGE_OK, or a negative SOFTEDGE_ERR_* with nothing changed
// and nothing left allocated.
LVEXPORT LONG CreateSoftEdgeMask(HBUF source, LONG radius, LONG mode, LONG profile, HBUF* out,
                                 LONG newBuffer);

LV_END_DECLS
