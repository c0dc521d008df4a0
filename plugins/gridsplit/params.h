// The grid plug-in's parameter block, kept by the host between runs.
#pragma once

#include <windows.h>

#include <cstddef>

namespace gridsplit {

struct GridParams {
  LONG rows;             // 1..99
  LONG columns;          // 1..99
  LONG lineWidth;        // 1..99 pixels
  COLORREF lineColour;   // 0x00BBGGRR
  LONG drawBorder;       // 0 or 1: lines along the four image edges too
  LONG cellsToObjects;   // 0 or 1: the host turns each cell into an image object
  LONG verticalLines;    // derived: columns - 1, plus 2 with border
  LONG horizontalLines;  // derived: rows - 1, plus 2 with border
};
static_assert(sizeof(GridParams) == 32, "parameter block is 32 bytes");
static_assert(offsetof(GridParams, rows) == 0);
static_assert(offsetof(GridParams, columns) == 4);
static_assert(offsetof(GridParams, lineWidth) == 8);
static_assert(offsetof(GridParams, lineColour) == 12);
static_assert(offsetof(GridParams, drawBorder) == 16);
static_assert(offsetof(GridParams, cellsToObjects) == 20);
static_assert(offsetof(GridParams, verticalLines) == 24);
static_assert(offsetof(GridParams, horizontalLines) == 28);

// The range of rows, columns and line width.
constexpr LONG kMinValue = 1;
constexpr LONG kMaxValue = 99;
// Most image objects the host is asked to make from the cells.
constexpr LONG kMaxObjects = 1000;

// Writes the defaults (rows 2, columns 2, line width 1, both line counts 1)
// and leaves colour and the two flags as they are.
inline void ApplyDefaults(GridParams* params) {
  params->rows = 2;
  params->columns = 2;
  params->lineWidth = 1;
  params->verticalLines = 1;
  params->horizontalLines = 1;
}

// The line counts that follow from rows, columns and the border flag.
inline LONG VerticalLineCount(LONG columns, LONG drawBorder) {
  return columns - 1 + (drawBorder ? 2 : 0);
}
inline LONG HorizontalLineCount(LONG rows, LONG drawBorder) {
  return rows - 1 + (drawBorder ? 2 : 0);
}

}  // namespace gridsplit
