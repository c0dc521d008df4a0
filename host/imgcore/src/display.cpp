// Display drawing: raw 8-bit grey or 24-bit RGB rows into a rectangle of a
// device context, through device-independent bitmaps; and the description
// of the screen.
#include <algorithm>
#include <cstring>
#include <vector>

#include "buffer.h"

namespace {

constexpr DWORD kContextMagic = 0x50534944u;  // marks an initialised context
// Rows converted and drawn per SetDIBitsToDevice call.
constexpr LONG kRowsPerBand = 64;

// The state kept inside the caller's DISPCONTEXT.
struct ShowState {
  DWORD magic;
  HDC dc;
  LONG bitsPerPixel;  // 8 or 24
  LONG left, top;
  LONG width, height;  // of the target rectangle
  LONG nextRow;        // row of the rectangle the next data row goes to
};
static_assert(sizeof(ShowState) <= sizeof(DISPCONTEXT), "state fits the caller's context");

ShowState* StateOf(DISPCONTEXT* context) {
  if (!context) return nullptr;
  ShowState* state = reinterpret_cast<ShowState*>(context->opaque);
  return state->magic == kContextMagic ? state : nullptr;
}

// A bottom-up DIB header (with a grey colour table for 8 bits).
struct DibHeader {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

void InitHeader(DibHeader& dib, LONG bitsPerPixel, LONG width, LONG rows) {
  std::memset(&dib, 0, sizeof dib);
  dib.header.biSize = sizeof(BITMAPINFOHEADER);
  dib.header.biWidth = width;
  dib.header.biHeight = rows;  // positive: the last row in memory is drawn on top
  dib.header.biPlanes = 1;
  dib.header.biBitCount = static_cast<WORD>(bitsPerPixel);
  dib.header.biCompression = BI_RGB;
  if (bitsPerPixel == 8) {
    dib.header.biClrUsed = 256;
    for (int i = 0; i < 256; ++i) {
      BYTE v = static_cast<BYTE>(i);
      dib.colours[i] = RGBQUAD{v, v, v, 0};
    }
  }
}

// Copies rows (top first) into DIB order: bottom row first, rows padded to
// four bytes, RGB turned into the DIB's BGR.
void ToDibRows(const ShowState& s, const BYTE* rows, LONG count, LONG bytesPerRow,
               std::vector<BYTE>& dib, size_t dibStride) {
  size_t pixelBytes = static_cast<size_t>(s.width) * (s.bitsPerPixel / 8);
  for (LONG r = 0; r < count; ++r) {
    const BYTE* in = rows + static_cast<size_t>(r) * bytesPerRow;
    BYTE* out = dib.data() + static_cast<size_t>(count - 1 - r) * dibStride;
    if (s.bitsPerPixel == 8) {
      std::memcpy(out, in, pixelBytes);
      continue;
    }
    for (size_t i = 0; i < pixelBytes; i += 3) {
      out[i] = in[i + 2];
      out[i + 1] = in[i + 1];
      out[i + 2] = in[i];
    }
  }
}

}  // namespace

LVEXPORT BOOL disp32ShowInit(DISPCONTEXT* context, HDC dc, LONG bitsPerPixel, LONG left, LONG top,
                             LONG right, LONG bottom, LONG, LONG, LONG) {
  if (!context) return FALSE;
  std::memset(context, 0, sizeof *context);
  if (!dc || (bitsPerPixel != 8 && bitsPerPixel != 24)) return FALSE;
  int64_t width = static_cast<int64_t>(right) - left, height = static_cast<int64_t>(bottom) - top;
  if (width <= 0 || height <= 0 || width > imgcore::kMaxEdge || height > imgcore::kMaxEdge) return FALSE;
  ShowState* state = reinterpret_cast<ShowState*>(context->opaque);
  *state = ShowState{kContextMagic, dc, bitsPerPixel, left, top, static_cast<LONG>(width),
                     static_cast<LONG>(height), 0};
  return TRUE;
}

LVEXPORT BOOL disp32ShowData(DISPCONTEXT* context, const void* memory, LONG, LONG, LONG rows,
                             LONG bytesPerRow) {
  ShowState* s = StateOf(context);
  if (!s || !memory || rows < 0) return FALSE;
  // A row shorter than the rectangle would be read past its end.
  if (bytesPerRow < static_cast<int64_t>(s->width) * (s->bitsPerPixel / 8)) return FALSE;
  rows = std::min(rows, s->height - s->nextRow);  // rows below the rectangle are dropped
  size_t stride = (static_cast<size_t>(s->width) * s->bitsPerPixel / 8 + 3) & ~size_t{3};
  DibHeader header;
  std::vector<BYTE> band(stride * static_cast<size_t>(std::min(rows, kRowsPerBand)));
  const BYTE* in = static_cast<const BYTE*>(memory);
  for (LONG done = 0; done < rows;) {
    LONG count = std::min(kRowsPerBand, rows - done);
    ToDibRows(*s, in + static_cast<size_t>(done) * bytesPerRow, count, bytesPerRow, band, stride);
    InitHeader(header, s->bitsPerPixel, s->width, count);
    SetDIBitsToDevice(s->dc, s->left, s->top + s->nextRow, static_cast<DWORD>(s->width),
                      static_cast<DWORD>(count), 0, 0, 0, static_cast<UINT>(count), band.data(),
                      reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS);
    done += count;
    s->nextRow += count;
  }
  return TRUE;
}

LVEXPORT BOOL disp32ShowEnd(DISPCONTEXT* context) {
  if (!StateOf(context)) return FALSE;
  std::memset(context, 0, sizeof *context);
  return TRUE;
}

LVEXPORT BOOL disp32GetDevInfo(DISPDEVINFO* info) {
  if (!info) return FALSE;
  std::memset(info, 0, sizeof *info);
  HDC screen = CreateCompatibleDC(0);  // reports the screen's capabilities
  if (!screen) return FALSE;
  info->widthMm = GetDeviceCaps(screen, HORZSIZE);
  info->heightMm = GetDeviceCaps(screen, VERTSIZE);
  info->bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
  info->planes = GetDeviceCaps(screen, PLANES);
  info->widthPixels = GetDeviceCaps(screen, HORZRES);
  info->heightPixels = GetDeviceCaps(screen, VERTRES);
  int colourBits = info->bitsPerPixel * info->planes;
  bool palette = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0 || colourBits <= 8;
  info->mode = palette ? DISP_MODE_PALETTE : colourBits >= 24 ? DISP_MODE_TRUECOLOR : DISP_MODE_HICOLOR;
  DeleteDC(screen);
  return TRUE;
}
