// Layout and painting of image-item lists.
#include <algorithm>
#include <cstring>
#include <vector>

#include "list_view.h"

namespace objclips {

ListLayout ComputeLayout(const IIOPROPS& props, LONG clientWidth, LONG textHeight) {
  ListLayout layout{};
  layout.textHeight = props.showNames ? textHeight : 0;
  layout.cellWidth = props.thumbWidth + 2 * kCellPadding;
  layout.cellHeight = props.thumbHeight + 2 * kCellPadding + layout.textHeight;
  layout.columns = std::max<LONG>(1, clientWidth / layout.cellWidth);
  return layout;
}

RECT CellRect(const ListLayout& layout, LONG index, LONG scrollY) {
  LONG column = index % layout.columns, row = index / layout.columns;
  RECT r;
  r.left = column * layout.cellWidth;
  r.top = row * layout.cellHeight - scrollY;
  r.right = r.left + layout.cellWidth;
  r.bottom = r.top + layout.cellHeight;
  return r;
}

LONG HitTest(const ListLayout& layout, LONG count, LONG x, LONG y, LONG scrollY) {
  if (x < 0 || y + scrollY < 0) return -1;
  LONG column = x / layout.cellWidth;
  if (column >= layout.columns) return -1;
  LONG index = ((y + scrollY) / layout.cellHeight) * layout.columns + column;
  return index < count ? index : -1;
}

LONG ContentHeight(const ListLayout& layout, LONG count) {
  return ((count + layout.columns - 1) / layout.columns) * layout.cellHeight;
}

namespace {

// One row of any buffer format as RGB bytes.
void RowToRgb(LONG bits, const BYTE* in, LONG width, BYTE* out) {
  for (LONG x = 0; x < width; ++x) {
    BYTE r = 0, g = 0, b = 0;
    switch (bits) {
      case 1:
        r = g = b = ((in[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0;
        break;
      case 16: {
        unsigned v = in[2 * x] | (in[2 * x + 1] << 8);
        r = static_cast<BYTE>(((v >> 10) & 31) * 255 / 31);
        g = static_cast<BYTE>(((v >> 5) & 31) * 255 / 31);
        b = static_cast<BYTE>((v & 31) * 255 / 31);
        break;
      }
      default:  // 64 bits: the low byte as grey
        r = g = b = in[8 * static_cast<size_t>(x)];
        break;
    }
    out[3 * x] = r;
    out[3 * x + 1] = g;
    out[3 * x + 2] = b;
  }
}

}  // namespace

void DrawImage(HDC dc, HBUF image, LONG x, LONG y) {
  BUFINFO info{};
  void* pixels = nullptr;
  if (!buf32GetInfo(image, &info) || !buf32Lock(image, 1, &pixels)) return;
  const BYTE* rows = static_cast<const BYTE*>(pixels);
  bool direct = info.pixelFormat == 8 || info.pixelFormat == 24;
  DISPCONTEXT context;
  if (disp32ShowInit(&context, dc, direct ? info.pixelFormat : 24, x, y, x + info.width,
                     y + info.height, 0, 0, 0)) {
    if (direct) {
      disp32ShowData(&context, rows, 0, 0, info.height, info.rowBytes);
    } else {
      std::vector<BYTE> rgb(static_cast<size_t>(info.width) * 3);
      for (LONG r = 0; r < info.height; ++r) {
        RowToRgb(info.pixelFormat, rows + static_cast<size_t>(r) * info.rowBytes, info.width, rgb.data());
        disp32ShowData(&context, rgb.data(), 0, 0, 1, info.width * 3);
      }
    }
    disp32ShowEnd(&context);
  }
  buf32Unlock(image);
}

namespace {

void DrawSelectionFrame(HDC dc, RECT cell) {
  HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
  for (int i = 0; i < 2; ++i) {
    FrameRect(dc, &cell, brush);
    InflateRect(&cell, -1, -1);
  }
  DeleteObject(brush);
}

void DrawItem(HDC dc, const Item& item, const ListLayout& layout, const IIOPROPS& props, RECT cell) {
  if (item.thumbnail) {
    LONG w = 0, h = 0;
    buf32GetWHU(item.thumbnail, &w, &h, nullptr);
    // Centred in the thumbnail box of the cell.
    LONG x = cell.left + kCellPadding + (props.thumbWidth - w) / 2;
    LONG y = cell.top + kCellPadding + (props.thumbHeight - h) / 2;
    DrawImage(dc, item.thumbnail, x, y);
  }
  if (layout.textHeight > 0 && !item.name.empty()) {
    RECT text = cell;
    text.top = cell.top + kCellPadding + props.thumbHeight;
    text.bottom = text.top + layout.textHeight;
    DrawTextA(dc, item.name.c_str(), static_cast<int>(item.name.size()), &text,
              DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
}

}  // namespace

void PaintList(HDC dc, const ItemList& list, const ListLayout& layout, const RECT& client,
               LONG scrollY) {
  HBRUSH background = CreateSolidBrush(list.props.background);
  FillRect(dc, &client, background);
  DeleteObject(background);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  for (LONG i = 0; i < list.Count(); ++i) {
    RECT cell = CellRect(layout, i, scrollY);
    if (cell.bottom <= client.top || cell.top >= client.bottom) continue;
    DrawItem(dc, *list.items[i], layout, list.props, cell);
    if (i == list.props.selected) DrawSelectionFrame(dc, cell);
  }
}

}  // namespace objclips
