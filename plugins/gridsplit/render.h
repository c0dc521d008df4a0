// Drawing the grid and the cell geometry: plain functions on image buffers,
// no windows involved.
#pragma once

#include <windows.h>

#include <effect/plugin.h>

#include <vector>

#include "params.h"

namespace gridsplit {

// Widths of the columns and heights of the rows of one run.
struct CellSizes {
  std::vector<LONG> widths;   // one per column
  std::vector<LONG> heights;  // one per row
};

// Cell sizes for an image of width x height: base size (space left after the
// lines, divided by the count) plus one pixel for the first left-over
// columns and rows. FALSE when the settings are out of range or a base size
// would be below one pixel (or memory ran out).
BOOL ComputeCellSizes(LONG width, LONG height, const GridParams& params, CellSizes* sizes);

// Left (or top) edges of the lines along one axis: with border the first
// line lies at 0 and there is one line more than sizes; without border the
// first lies just after the first cell and there is one line fewer.
std::vector<LONG> LinePositions(const std::vector<LONG>& sizes, LONG lineWidth, bool border);

// Cell rectangles, row by row from the top, left to right; right and bottom
// exclusive.
std::vector<RECT> CellRectangles(const CellSizes& sizes, LONG lineWidth, bool border);

// Draws the grid over a duplicate of source: vertical lines first, then
// horizontal ones over them, each merged from a bar buffer filled with the
// line colour. On success *result receives the new buffer (owned by the
// caller); on failure nothing is left allocated and *result is untouched.
BOOL DrawGrid(HBUF source, const GridParams& params, const CellSizes& sizes, HBUF* result);

// A cell list for request 1018 in movable global memory (owned by the
// caller, freed with GlobalFree): count and 16-byte rectangles, or only a
// count of -1 when cells is NULL. 0 when out of memory.
HGLOBAL MakeCellList(const std::vector<RECT>* cells);

}  // namespace gridsplit
