// Drawing the grid and the cell geometry.
#include "render.h"

#include <new>

namespace gridsplit {

namespace {

bool InRange(LONG value) { return value >= kMinValue && value <= kMaxValue; }

// Splits the room left after `lines` lines of lineWidth into count sizes
// differing by at most one, the larger ones first. FALSE when the base size
// is below one pixel.
bool SplitAxis(LONG extent, LONG count, LONG lines, LONG lineWidth, std::vector<LONG>* sizes) {
  LONGLONG room = static_cast<LONGLONG>(extent) - static_cast<LONGLONG>(lines) * lineWidth;
  LONGLONG base = room / count;
  if (base < 1) return false;
  LONGLONG leftOver = room - base * count;
  sizes->assign(static_cast<size_t>(count), static_cast<LONG>(base));
  for (LONGLONG i = 0; i < leftOver; ++i) ++(*sizes)[static_cast<size_t>(i)];
  return true;
}

// Merges the bar at each position along one axis of target.
bool MergeBars(HBUF bar, LONG barWidth, LONG barHeight, HBUF target,
               const std::vector<LONG>& positions, bool vertical) {
  for (LONG position : positions) {
    LONG x = vertical ? position : 0;
    LONG y = vertical ? 0 : position;
    if (!buf32MergeBuf(bar, 0, 0, barWidth, barHeight, target, x, y)) return false;
  }
  return true;
}

// Makes a bar of the format filled with colour, merges it at the positions
// and frees it again.
bool DrawBars(LONG format, LONG barWidth, LONG barHeight, COLORREF colour, HBUF target,
              const std::vector<LONG>& positions, bool vertical) {
  HBUF bar = 0;
  if (!buf32Alloc(&bar, format, barWidth, barHeight, BUF_KIND_FILLED, &colour)) return false;
  bool merged = MergeBars(bar, barWidth, barHeight, target, positions, vertical);
  buf32Free(bar);
  return merged;
}

}  // namespace

BOOL ComputeCellSizes(LONG width, LONG height, const GridParams& params, CellSizes* sizes) {
  if (!sizes || !InRange(params.rows) || !InRange(params.columns) || !InRange(params.lineWidth))
    return FALSE;
  // The line counts are derived from rows, columns and the border flag, so a
  // stored block whose counts disagree cannot push lines or cells outside
  // the image.
  LONG vertical = VerticalLineCount(params.columns, params.drawBorder);
  LONG horizontal = HorizontalLineCount(params.rows, params.drawBorder);
  try {
    return SplitAxis(width, params.columns, vertical, params.lineWidth, &sizes->widths) &&
           SplitAxis(height, params.rows, horizontal, params.lineWidth, &sizes->heights);
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
}

std::vector<LONG> LinePositions(const std::vector<LONG>& sizes, LONG lineWidth, bool border) {
  std::vector<LONG> positions;
  if (sizes.empty()) return positions;
  if (border) {
    LONG at = 0;
    positions.push_back(at);
    for (LONG size : sizes) {
      at += lineWidth + size;
      positions.push_back(at);
    }
  } else {
    LONG at = sizes[0];
    for (size_t i = 1; i < sizes.size(); ++i) {
      positions.push_back(at);
      at += lineWidth + sizes[i];
    }
  }
  return positions;
}

std::vector<RECT> CellRectangles(const CellSizes& sizes, LONG lineWidth, bool border) {
  std::vector<RECT> cells;
  cells.reserve(sizes.widths.size() * sizes.heights.size());
  LONG top = border ? lineWidth : 0;
  for (LONG height : sizes.heights) {
    LONG left = border ? lineWidth : 0;
    for (LONG width : sizes.widths) {
      cells.push_back(RECT{left, top, left + width, top + height});
      left += width + lineWidth;
    }
    top += height + lineWidth;
  }
  return cells;
}

BOOL DrawGrid(HBUF source, const GridParams& params, const CellSizes& sizes, HBUF* result) {
  if (!result) return FALSE;
  BUFINFO info = {};
  if (!buf32GetInfo(source, &info)) return FALSE;
  const bool border = params.drawBorder != 0;
  const LONG line = params.lineWidth;
  std::vector<LONG> columns;
  std::vector<LONG> rows;
  try {
    columns = LinePositions(sizes.widths, line, border);
    rows = LinePositions(sizes.heights, line, border);
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  HBUF drawn = 0;
  if (!buf32DupBuf(source, &drawn)) return FALSE;
  const COLORREF colour = params.lineColour & 0x00FFFFFF;
  if (!DrawBars(info.pixelFormat, line, info.height, colour, drawn, columns, true) ||
      !DrawBars(info.pixelFormat, info.width, line, colour, drawn, rows, false)) {
    buf32Free(drawn);
    return FALSE;
  }
  *result = drawn;
  return TRUE;
}

}  // namespace gridsplit
