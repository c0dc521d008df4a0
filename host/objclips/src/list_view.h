// Layout and painting of a list's thumbnails, apart from any window, so the
// window procedure stays small and the drawing is testable on its own.
#pragma once

#include "item_list.h"

namespace objclips {

// Space around each thumbnail inside its cell.
constexpr LONG kCellPadding = 4;

// Cells of equal size, left to right, then top to bottom.
struct ListLayout {
  LONG cellWidth;
  LONG cellHeight;
  LONG columns;
  LONG textHeight;  // 0 when names are not shown
};

ListLayout ComputeLayout(const IIOPROPS& props, LONG clientWidth, LONG textHeight);
// The cell of an item, scrolled up by scrollY pixels.
RECT CellRect(const ListLayout& layout, LONG index, LONG scrollY);
// The item under (x, y) of the client area, or -1.
LONG HitTest(const ListLayout& layout, LONG count, LONG x, LONG y, LONG scrollY);
// Height of all rows of cells.
LONG ContentHeight(const ListLayout& layout, LONG count);
// Draws background, thumbnails, names and the selection frame into the
// client rectangle of dc.
void PaintList(HDC dc, const ItemList& list, const ListLayout& layout, const RECT& client,
               LONG scrollY);
// Draws an image buffer with its top-left corner at (x, y); 8-bit and
// 24-bit buffers directly, others converted to RGB row by row.
void DrawImage(HDC dc, HBUF image, LONG x, LONG y);

}  // namespace objclips
