// imgconvert: the host's bitmap and data-type conversions.
//
// Packed device-independent bitmaps (a BITMAPINFOHEADER or BITMAPCOREHEADER,
// the colour table, the pixel bits, in that order without gaps) are turned
// into imgcore buffers and back, and buffers are converted between the
// host's image data types:
//
//   code  kind                   imgcore buffer
//   2     RGB true colour        24 bits, bytes red, green, blue
//   4     256 indexed colours    8 bits, one palette index a byte
//   8     16 indexed colours     8 bits, one palette index a byte (0..15)
//   16    hi-colour              16 bits, 5-5-5 (red in bits 10..14)
//   32    8-bit grey             8 bits, 0 black .. 255 white
//   64    black and white        1 bit, set bits are the brighter colour
//
// Indexed buffers carry their colours in a palette (HPALETTE, made with
// CreatePalette); the caller owns every palette handed out and deletes it
// with DeleteObject. Buffers handed out are owned by the caller (buf32Free),
// bitmaps handed out are global memory blocks owned by the caller
// (GlobalFree).
//
// Every call returns non-zero on success. On failure it returns 0 and puts
// an error into the host error slot (c32SetDLLErrInfo) with unit
// CVT32_UNIT, the failing call's number (CVT32_FN_*) as category and a
// detail code (CVT32_DETAIL_*): error 4005 for a bitmap that cannot be
// read, 1001 when memory runs out, 3200 for a request the library cannot
// serve (unknown data type, bad arguments).
#pragma once

#include <imgcore.h>
#include <windows.h>

// Data-type codes.
#define CVT32_TYPE_RGB 2
#define CVT32_TYPE_INDEXED256 4
#define CVT32_TYPE_INDEXED16 8
#define CVT32_TYPE_HICOLOR 16
#define CVT32_TYPE_GREY 32
#define CVT32_TYPE_BW 64

// Modes of cvt32BufType.
#define CVT32_MODE_DIALOG 1   // show the conversion's options dialog
#define CVT32_MODE_CONVERT 2  // convert the buffer

// Palette kinds (CVT32OPTIONS.palette).
#define CVT32_PALETTE_FIXED 0      // a fixed palette: colour cube or the 16 standard colours
#define CVT32_PALETTE_OPTIMISED 1  // a palette chosen from the image's colours

// Ways of choosing an optimised palette (CVT32OPTIONS.method).
#define CVT32_METHOD_POPULARITY 1  // the most frequent colours
#define CVT32_METHOD_MEDIANCUT 2   // boxes of the colour space split at their median

// Error diffusion (CVT32OPTIONS.dither).
#define CVT32_DITHER_NONE 0
#define CVT32_DITHER_FLOYD_STEINBERG 1

// Options of a conversion, 24 bytes, little-endian 32-bit fields. The record
// { 24, 1, 2, 0, 256, 0 } asks for an optimised 256-colour palette found by
// median cut, without dithering.
typedef struct CVT32OPTIONS {
  LONG size;       // 0: sizeof(CVT32OPTIONS) = 24
  LONG palette;    // 4: CVT32_PALETTE_* (indexed targets)
  LONG method;     // 8: CVT32_METHOD_* (optimised palettes)
  LONG dither;     // 12: CVT32_DITHER_* (indexed and black-and-white targets)
  LONG colours;    // 16: palette size: 2..256 for type 4, 2..16 for type 8
  LONG threshold;  // 20: black-and-white threshold 1..255 (grey at or above it
                   //     is white); 0 means 128
} CVT32OPTIONS;

// Unit code of the library in the host error slot, and its error details.
#define CVT32_UNIT 7300
#define CVT32_FN_DIBPTRTOBUF 1
#define CVT32_FN_DIBTOBUF 2
#define CVT32_FN_GETDIBINFO 3
#define CVT32_FN_BUFTYPE 4
#define CVT32_FN_GETDEFOPTIONS 5
#define CVT32_FN_BUFTODIB 6
#define CVT32_FN_DIBTODIB 7
#define CVT32_FN_DIBTODIBOPT 8
#define CVT32_DETAIL_ARGUMENT 1     // a missing or out-of-range argument
#define CVT32_DETAIL_HEADER 2       // header size, size or depth not usable
#define CVT32_DETAIL_COMPRESSION 3  // compression not usable with the depth
#define CVT32_DETAIL_TRUNCATED 4    // colour table or bits reach past the block
#define CVT32_DETAIL_MASKS 5        // bit-field masks empty, overlapping or split
#define CVT32_DETAIL_RLE 6          // run-length data leaves the image
#define CVT32_DETAIL_MEMORY 7       // an allocation failed
#define CVT32_DETAIL_BUFFER 8       // an unknown buffer or one of another format
#define CVT32_DETAIL_TYPE 9         // an unknown data type or conversion

LV_BEGIN_DECLS

// Converts the packed bitmap at `dib` (for example a locked bitmap resource)
// into a new buffer. When the memory is a locked global block its size
// bounds every read; otherwise the caller vouches that the memory holds the
// whole bitmap as its header describes it (a run-length bitmap in such
// memory needs its biSizeImage, which then bounds the coded data).
// Depths 1, 4, 8, 16, 24 and 32; BI_RGB, BI_BITFIELDS (16 and 32 bits),
// BI_RLE8 and BI_RLE4; either row order; BITMAPCOREHEADER too. *buffer
// receives the new buffer; *palette (when not NULL) a new palette of the
// bitmap's colour table for types 4, 8 and 64, else 0; *dataType the type
// that fits the depth: 1 bit 64, 4 bits 8, 8 bits 4 (32 when the table is
// the full grey ramp, entry i = (i, i, i) for all 256), 16 bits 16, 24 and
// 32 bits 2. A 1-bit bitmap is stored with set bits for its brighter colour
// and its palette ordered darker, brighter. `reserved` is 0.
LVEXPORT BOOL cvt32DIBPtrToBuf(const void* dib, HBUF* buffer, HPALETTE* palette, LONG* dataType,
                               LONG reserved);
// As cvt32DIBPtrToBuf for a packed bitmap held in the global memory block
// `dib` (a bitmap file's contents after its 14-byte file header); the block
// size bounds every read. The block stays the caller's.
LVEXPORT BOOL cvt32DIBToBuf(HGLOBAL dib, HBUF* buffer, HPALETTE* palette, LONG* dataType,
                            LONG reserved);
// Reads the header of the packed bitmap in the global block `dib` without
// converting it: width, height (positive for either row order), bits per
// pixel and the data type that cvt32DIBToBuf would report. Any out pointer
// may be NULL. Fails for a bitmap that cvt32DIBToBuf would refuse.
LVEXPORT BOOL cvt32GetDIBInfo(HGLOBAL dib, LONG* width, LONG* height, LONG* bitsPerPixel,
                              LONG* dataType);

// mode CVT32_MODE_CONVERT: converts `source` to `targetType` into a new
// buffer *target (and for types 4, 8 and 64 a new palette in *targetPalette
// when that is not NULL; else 0 there). The source type follows from the
// buffer: 1 bit 64, 16 bits 16, 24 bits 2, 8 bits indexed when
// sourcePalette is given (its entries are the colours; indices past its
// end read as black), else grey. A source of type 64 takes its two colours
// from sourcePalette, else black and white. The source stays unchanged.
// `options` may be NULL for the target's defaults (cvt32GetDefOptionsEx).
// mode CVT32_MODE_DIALOG: shows the options dialog of the conversion to
// targetType over `owner` and edits *options in place (OK: 1; Cancel:
// 0 with the error slot cleared); source, target and palettes are unused.
// The last three arguments are 0.
LVEXPORT BOOL cvt32BufType(LONG mode, HWND owner, HBUF source, LONG targetType,
                           HPALETTE sourcePalette, HBUF* target, HPALETTE* targetPalette,
                           CVT32OPTIONS* options, LONG reserved1, LONG reserved2,
                           LONG reserved3);
// The default options of the conversion to the data type `conversion`:
// type 4 an optimised 256-colour median-cut palette, type 8 the same with
// 16 colours, type 64 threshold 128, all without dithering; other types
// have no options and get the same record. Fails for an unknown type.
LVEXPORT BOOL cvt32GetDefOptionsEx(LONG conversion, CVT32OPTIONS* options);
// Non-zero when converting sourceType to targetType has options to edit:
// to 64 from any other type, to 8 from 2, 4, 16 and 32, to 4 from 2 and 16.
LVEXPORT BOOL cvt32IfHasDlgBox(LONG sourceType, LONG targetType);

// A packed bitmap of the buffer in a new global block (returned; 0 on
// failure): bottom-up, BI_RGB, 72 pixels per inch. dataType 0 takes the
// type from the buffer as cvt32BufType does. Type 2 gives 24 bits, 4 gives
// 8 bits with the palette's colours, 8 gives 4 bits with the palette's
// colours (8 bits when an index is past 15), 16 gives 16 bits, 32 gives
// 8 bits with the grey ramp, 64 gives 1 bit with the palette's two colours
// (black and white without one). An indexed type needs a palette.
LVEXPORT HGLOBAL cvt32BufToDIB(HBUF buffer, LONG dataType, HPALETTE palette);
// The packed bitmap in `dib` converted to targetType with `options` (NULL:
// the defaults) as cvt32BufType does, as a new global block (returned; 0 on
// failure) that keeps the source's resolution.
LVEXPORT HGLOBAL cvt32DIBToDIB(HGLOBAL dib, LONG targetType, const CVT32OPTIONS* options);
// As cvt32DIBToDIB with an optimised palette of options->colours colours
// (options are required; the palette kind is taken as optimised).
LVEXPORT HGLOBAL cvt32DIBToDIBOpt(HGLOBAL dib, LONG targetType, const CVT32OPTIONS* options);

LV_END_DECLS
