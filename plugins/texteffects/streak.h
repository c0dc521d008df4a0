// The streak filter: each line of an 8-bit buffer is cut into random
// segments, and in each segment the brightest pixel is drawn out into a
// linear streak back towards where the segment was cut.
#pragma once

#include <windows.h>

#include <imgcore.h>
#include <texteffects/records.h>

#include "tiles.h"

namespace texfx {

// Modes: which lines, and from which end they are cut (the streaks run
// from each peak back towards the cut, so they point that way).
constexpr LONG kStreakLeft = 0;   // rows cut from the left: streaks to the left
constexpr LONG kStreakDown = 1;   // columns cut from the bottom: streaks downwards
constexpr LONG kStreakRight = 2;  // rows cut from the right: streaks to the right
constexpr LONG kStreakUp = 3;     // columns cut from the top: streaks upwards

// Streaks one line given in cutting order (index 0 is where cutting
// starts), in place. Segments of n = draw x length / 32768 pixels follow
// each other (a draw giving 0 is skipped, the last segment ends with the
// line). In each segment the peak is the first pixel holding its largest
// value; the pixel k places after the segment's first (k up to the peak
// distance pd) becomes (k peak + (pd - k) first) / pd when that is larger
// than its own value. length 2..32767 (below 2 no segment could have two
// pixels, so the line stays as it is and no draw is taken).
void StreakLine(BYTE* line, LONG count, LONG length, Random* random);

// Streaks the 8-bit `source` into the 8-bit `destination` of the same size
// (may be the same buffer) in `mode` (kStreak*) with segments of at most
// `length` - 1 pixels. The module's random sequence is seeded with 12345 on
// every call and runs on from line to line (rows top to bottom, columns
// left to right). Progress (code 2 only) goes within progress's
// start..end and Escape is polled per line when progress asks for it.
// Returns 0, 5200 (Escape) or 1001 (memory, locks, buffers that do not
// fit, an unknown mode or a length outside 0..32767).
LONG StreakFilter(HBUF source, HBUF destination, LONG mode, LONG length,
                  const ProgressLink& progress);

}  // namespace texfx
