// The signed distance map of a mask: per pixel the Euclidean distance
// between pixel centres to the nearest pixel of the other class, positive
// inside the object (mask value non-zero), negative outside.
#pragma once

#include <windows.h>

#include <imgcore.h>
#include <texteffects/records.h>

#include <vector>

namespace texfx {

// Distance given to outside pixels when the mask holds no object at all.
constexpr double kNoObjectDistance = -1.0e6;

// Fills *map (width x height values, row after row) for the 8-bit mask.
// Beyond the image lies no object: an object pixel on the border is 1 from
// the outside. Magnitudes are at least 1. Escape is polled and progress
// (code 2) reported per row within progress's range. Returns 0, 5200 or
// 1001 (not an 8-bit mask, memory).
LONG SignedDistanceMap(HBUF mask, const ProgressLink& progress, std::vector<double>* map);

}  // namespace texfx
