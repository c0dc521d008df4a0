// The signed distance map of a mask: per pixel the Euclidean distance to
// the nearest pixel of the other class, positive inside the object (mask
// value non-zero), negative outside. Two passes over the rows carry the
// position of the nearest pixel of the other class found so far from the
// neighbours to each pixel; the distance written is the exact Euclidean
// distance to the position found. The mask is taken as surrounded by a
// one-pixel frame of background, so an object touching the image's edge
// is at distance 1 from the outside there.
#pragma once

#include <windows.h>

#include <imgcore.h>
#include <texteffects/records.h>

#include "frame.h"

namespace texfx {

// Pixels without any pixel of the other class (a mask without object) get
// a magnitude of at least this many pixels.
constexpr double kNoOtherClassDistance = 536870912.0;  // 2^29

// Signed distances of the 8-bit mask at `mask` (width x height pixels,
// rows `rowBytes` apart) into `out` (width x height doubles, row after
// row; the caller's memory). Magnitudes are at least 1; 0 never occurs.
// Progress (code 2 only) goes within progress's range over both passes;
// Escape is polled per row when progress asks for it. Returns 0, 5200
// (Escape) or 1001 (working memory, or a size beyond 2^20 per side);
// nothing in the error slot.
LONG SignedDistances(const BYTE* mask, LONG width, LONG height, LONG rowBytes, double* out,
                     const ProgressLink& progress);

// The signed distance map of the 8-bit buffer `mask` in a new 64-bit
// buffer of the mask's size, each pixel one double, in *out (owned by the
// caller afterwards; empty on failure). Returns 0, 5200 or 1001 (also for
// a mask that is not 8-bit); nothing in the error slot.
LONG SignedDistanceMap(HBUF mask, OwnedBuf* out, const ProgressLink& progress);

}  // namespace texfx
