// imgcore: the host's image buffers, memory utilities and display drawing.
//
// Image buffers are addressed by 32-bit handles (0 = none). Pixel formats are
// given in bits per pixel: 1 (black and white, rows packed 8 pixels a byte,
// most significant bit first), 8 (grey, indexed and masks), 16 (hi-colour
// 5-5-5), 24 (RGB, bytes red, green, blue), 64 (warp maps). Pixel memory is
// rows of width x bytes-per-pixel bytes (1-bit rows: (width + 7) / 8 bytes),
// top row first. Every call that can fail returns non-zero on success.
//
// Storage: a buffer's pixels are one contiguous block, rows top to bottom,
// each row exactly rowBytes long (no padding beyond the 1-bit rounding), so
// buf32Lock hands out that block directly. The tiles (cells) are views of
// 256 x 256 pixels into the same block, numbered row by row from the top
// left; a tile's row step is the buffer's rowBytes, and the tiles at the
// right and bottom edges are smaller. Width and height are 1 .. 1048576 and
// the pixel data at most 2^31 - 1 bytes; larger requests fail before any
// memory is taken. Handles are counted upwards and not reused until the
// 32-bit counter wraps: a freed handle makes every call fail cleanly.
#pragma once

#include <windows.h>

typedef DWORD HBUF;

// Storage kinds (buf32Alloc's kind and the information record's offset 0).
#define BUF_KIND_PLAIN 0   // pixels left zero
#define BUF_KIND_FILLED 1  // every pixel set to the colour that fill points to

// Buffer information record, as buf32GetInfo fills it (104 bytes).
typedef struct BUFINFO {
  LONG kind;           // 0: storage kind
  LONG reserved4;      // 4
  LONG pixelFormat;    // 8: bits per pixel
  LONG bytesPerPixel;  // 12: 0 for 1-bit buffers
  LONG width;          // 16
  LONG height;         // 20
  LONG rowBytes;       // 24: bytes per row of pixel memory
  LONG dataSize;       // 28: size of the pixel data in bytes
  LONG tileWidth;      // 32: size of the buffer's tiles (cells)
  LONG tileHeight;     // 36
  LONG tileCount;      // 40
  LONG reserved[15];   // 44..103
} BUFINFO;

// One tile (cell) of a buffer, as buf32CellLock describes it.
typedef struct BUFCELL {
  LONG left;     // place of the tile in the image
  LONG top;
  LONG width;    // size of the tile
  LONG height;
  LONG rowStep;  // bytes from one row of the tile to the next
} BUFCELL;

// Context of one display drawing (disp32ShowInit .. disp32ShowEnd); the
// caller provides the memory, imgcore keeps its state inside.
typedef struct DISPCONTEXT {
  BYTE opaque[64];
} DISPCONTEXT;

// Display modes (DISPDEVINFO.mode).
#define DISP_MODE_TRUECOLOR 1  // 24 or 32 bits per pixel
#define DISP_MODE_HICOLOR 2    // 15 or 16 bits per pixel
#define DISP_MODE_PALETTE 3    // palette display (256 colours or fewer)

// Display information record (disp32GetDevInfo), 64 bytes.
typedef struct DISPDEVINFO {
  LONG mode;            // 0: display mode DISP_MODE_*
  LONG widthMm;         // 4: width of the screen in millimetres
  LONG heightMm;        // 8
  LONG bitsPerPixel;    // 12
  LONG planes;          // 16
  LONG widthPixels;     // 20: width of the screen in pixels
  LONG heightPixels;    // 24
  LONG reserved[9];     // 28..63
} DISPDEVINFO;

LV_BEGIN_DECLS

// New buffer of the pixel format and size; kind BUF_KIND_FILLED fills every
// pixel with *fill (a colour reference, mapped to the format: grey value
// (299 R + 587 G + 114 B) / 1000 rounded for 8 bits, 5-5-5 for 16 (red in
// bits 10..14), bytes red, green, blue for 24, the reference in the low four
// bytes for 64, bit set for non-black in 1 bit). Other kinds, and kind 1
// without fill, leave the pixels zero; the kind is kept and reported by
// buf32GetInfo. *out receives the handle (0 on failure); the caller owns it
// and frees it with buf32Free.
LVEXPORT BOOL buf32Alloc(HBUF* out, LONG pixelFormat, LONG width, LONG height, LONG kind,
                         const COLORREF* fill);
// Releases the buffer (locked or not); the handle is dead afterwards.
LVEXPORT BOOL buf32Free(HBUF buffer);
// Independent copy of source in *out (owned by the caller).
LVEXPORT BOOL buf32DupBuf(HBUF source, HBUF* out);
// Fills info (when given); non-zero only for a live buffer.
LVEXPORT BOOL buf32GetInfo(HBUF buffer, BUFINFO* info);
// Width, height and storage kind of a live buffer; any out pointer may be NULL.
LVEXPORT BOOL buf32GetWHU(HBUF buffer, LONG* width, LONG* height, LONG* kind);
// access: 1 read, 2 write, 3 both. *pixels points at the top row until
// Unlock; locks nest, each Lock is matched by one Unlock.
LVEXPORT BOOL buf32Lock(HBUF buffer, LONG access, void** pixels);
LVEXPORT BOOL buf32Unlock(HBUF buffer);
// Address of pixel (x, y) of a locked buffer (for 1-bit buffers the byte
// holding it), or NULL when the buffer is not locked or (x, y) lies outside.
LVEXPORT void* buf32PointAddr(HBUF buffer, LONG x, LONG y);
// direction 1 copies row `row` (rowBytes bytes) into memory, 2 copies
// memory into the row. Rows outside the buffer fail.
LVEXPORT BOOL buf32Line(HBUF buffer, LONG row, LONG direction, void* memory);
// Copies the rectangle into plain memory, row after row (width x bpp bytes
// each; 1-bit rows (width + 7) / 8 bytes). The rectangle may reach beyond the
// image: pixels outside repeat the nearest edge pixel.
LVEXPORT BOOL buf32GetMem(HBUF buffer, LONG x, LONG y, LONG width, LONG height, void* memory);
// Copies the rectangle into a new buffer of the same format and kind, of
// exactly width x height pixels, stored in *target (owned by the caller).
// Outside the image the nearest edge pixel repeats, as in buf32GetMem.
LVEXPORT BOOL buf32GetBuf(HBUF source, LONG x, LONG y, LONG width, LONG height, HBUF* target);
// Access to one tile (0 .. tileCount - 1): *pixels points at the tile's
// top-left pixel, cell describes its place, size and row step. Each
// CellLock is matched by a CellUnlock of the same tile.
LVEXPORT BOOL buf32CellLock(HBUF buffer, LONG tile, void** pixels, BUFCELL* cell);
LVEXPORT BOOL buf32CellUnlock(HBUF buffer, LONG tile);
// Scaled copy of source at size->cx x size->cy in *out (owned by the
// caller); the last argument is 0. 8-bit and 24-bit buffers are averaged
// over the covered area along an axis that shrinks and interpolated
// bilinearly along one that grows; other formats take the nearest pixel.
LVEXPORT BOOL t32BufferResample(HBUF* out, HBUF source, const SIZE* size, LONG reserved);

// Resampling modes of t32BufferResampleEx.
#define RESAMPLE_NEAREST 0  // nearest pixel, every format
#define RESAMPLE_SMOOTH 1   // as t32BufferResample
#define RESAMPLE_QUALITY 2  // as t32BufferResample (area average / bilinear)
// t32BufferResample with a chosen mode; an unknown mode fails.
LVEXPORT BOOL t32BufferResampleEx(HBUF* out, HBUF source, const SIZE* size, LONG mode);
// Copies the rectangle (x, y, width, height) of source into target at
// (targetX, targetY), clipped to both buffers; both of one pixel format.
// Source and target may be the same buffer (overlap is handled). A
// rectangle that misses either buffer copies nothing and succeeds; negative
// sizes, unknown handles and differing formats fail.
LVEXPORT BOOL buf32MergeBuf(HBUF source, LONG x, LONG y, LONG width, LONG height, HBUF target,
                            LONG targetX, LONG targetY);
// Sets every pixel to the colour reference, mapped as in buf32Alloc.
LVEXPORT BOOL buf32FillOneColor(HBUF buffer, const COLORREF* colour);
// The pattern of patternSize bytes, repeated count times into memory.
LVEXPORT void mem32Fill(void* memory, const void* pattern, LONG patternSize, LONG count);
// Colour-space conversion of `count` pixels from `in` into `out`.
// direction 0: `in` holds colour references; out[i] = grey value
//   (299 R + 587 G + 114 B) / 1000, rounded, of in[i].
// direction 1: `in` holds `count` 8-bit grey values (a mask or a shading);
//   `out` receives them as colour pixels of the target's type: when `out`
//   lies in the pixel memory of a live imgcore buffer, that buffer's format
//   (8 bits: the grey value, 16: 5-5-5 grey, 24: red = green = blue = grey),
//   and the `count` pixels must end inside that buffer or the call fails
//   without writing; otherwise 24-bit pixels (three bytes each).
// Other directions, a negative count and missing memory fail.
LVEXPORT BOOL i32ColorspaceConvert(BYTE* out, const void* in, LONG count, LONG direction);

// Blend modes of i32Merge.
#define MERGE_NORMAL 1     // src laid over back with opacity `value` percent
#define MERGE_HARDLIGHT 8  // src (grey 128 neutral) lightens or darkens back
// Blends `count` pixels of `bytesPerPixel` bytes (1 grey, 2 hi-colour 5-5-5,
// 3 RGB, 4) of `src` onto `back`, weighted per pixel by the 8-bit `mask`
// (255 full effect, 0 none), into `out`: out = back + (blend - back) x mask
// / 255, rounded. `out` may be the same memory as `src` or `back`.
// MERGE_NORMAL: blend = back + (src - back) x value / 100, value 0..100 (the
//   opacity of src in percent); MERGE_HARDLIGHT: per channel, src s <= 128
//   darkens, blend = back x s / 128, src above 128 lightens, blend = 255 -
//   (255 - back) x (255 - s) / 127, so 128 leaves back unchanged; value is
//   unused (0). Hi-colour pixels are blended per 5-bit channel.
// Fails (FALSE, nothing written) for an unknown mode, a value outside
// 0..100 in MERGE_NORMAL, another pixel size, a negative count or missing
// memory.
LVEXPORT BOOL i32Merge(void* out, const void* src, const BYTE* mask, const void* back,
                       LONG bytesPerPixel, LONG count, LONG mode, LONG value);
// Number of live buffers (allocated and not yet freed) in this process;
// tests compare it before and after a run to find leaked buffers.
LVEXPORT LONG buf32LiveCount(void);

// Draws raw pixel rows (bitsPerPixel 8 grey, 24 RGB with bytes red, green,
// blue) into the rectangle (left, top, right, bottom) of a device context:
// Init, then Data for successive rows from the top, then End. The image is
// as wide as the rectangle; each Data call passes `rows` rows of
// bytesPerRow bytes each (at least width x bytes per pixel, or the call
// fails). Rows beyond the rectangle's bottom are dropped. The context lives
// in the caller's memory; End clears it.
LVEXPORT BOOL disp32ShowInit(DISPCONTEXT* context, HDC dc, LONG bitsPerPixel, LONG left, LONG top,
                             LONG right, LONG bottom, LONG reserved1, LONG reserved2,
                             LONG reserved3);
LVEXPORT BOOL disp32ShowData(DISPCONTEXT* context, const void* memory, LONG reserved1,
                             LONG reserved2, LONG rows, LONG bytesPerRow);
LVEXPORT BOOL disp32ShowEnd(DISPCONTEXT* context);
// Fills the record from the screen's device capabilities: mode, size in
// millimetres and pixels, bits per pixel and planes.
LVEXPORT BOOL disp32GetDevInfo(DISPDEVINFO* info);

LV_END_DECLS
