// What passes between the host's format dispatcher and a file-I/O module
// (.fio): the transfer record, the row callbacks and the types of the
// module's exports, which the dispatcher binds by name. The built-in formats
// are served through the same function types.
#pragma once

#include <windows.h>

#include <stddef.h>

// Transfer record: the part of the image to move. Lives in the host's memory
// for one call; the callbacks receive a pointer to it as their first
// argument.
typedef struct TFTRANSFER {
  LONG reserved0;      // 0
  LONG left;           // 4: left column of the rectangle
  LONG top;            // 8: top row, counted from the top of the image
  LONG width;          // 12: width of the rectangle in pixels
  LONG rows;           // 16: number of rows of the rectangle
  LONG reserved20;     // 20
  LONG scaled;         // 24: non-zero asks for the whole image scaled to the size below
  LONG reserved28;     // 28
  LONG reserved32;     // 32
  LONG scaledWidth;    // 36
  LONG scaledHeight;   // 40
  LONG reserved44;     // 44
} TFTRANSFER;
static_assert(offsetof(TFTRANSFER, left) == 4, "left at 4");
static_assert(offsetof(TFTRANSFER, top) == 8, "top at 8");
static_assert(offsetof(TFTRANSFER, width) == 12, "width at 12");
static_assert(offsetof(TFTRANSFER, rows) == 16, "rows at 16");
static_assert(offsetof(TFTRANSFER, scaled) == 24, "scaled flag at 24");
static_assert(offsetof(TFTRANSFER, scaledWidth) == 36, "scaled width at 36");
static_assert(offsetof(TFTRANSFER, scaledHeight) == 40, "scaled height at 40");

// Row flags of the callbacks: 1 on every call, 4 on the call for the
// rectangle's first row in file order, 2 on the call for its last.
#define TF_ROW_EVERY 1
#define TF_ROW_LAST 2
#define TF_ROW_FIRST 4

// Read callback (nine arguments): transfer, left column, image row index
// counted from the top, width, rows delivered, array of row pointers (each at
// the first pixel of the rectangle, in host form), flags, -1, 7. A scaled
// read passes 0, 0, scaled width, scaled height, the scaled rows, 0, 0, 0.
// Returns a positive value to go on; 0 or a negative value stops the read
// and becomes its result.
typedef LONG(WINAPI* TFREADCALLBACK)(TFTRANSFER* transfer, LONG left, LONG row, LONG width,
                                     LONG rows, BYTE** rowPointers, LONG flags, LONG arg8,
                                     LONG arg9);

// Write callback (eight arguments): transfer, left column, image row index
// counted from the top, width, 1, flags, -1, 7. Returns a pointer to a
// pointer to the row's first pixel in host form, 0 for failure, or
// TF_WRITE_CANCELLED when the user cancelled.
typedef BYTE**(WINAPI* TFWRITECALLBACK)(TFTRANSFER* transfer, LONG left, LONG row, LONG width,
                                        LONG rows, LONG flags, LONG arg7, LONG arg8);
#define TF_WRITE_CANCELLED ((BYTE**)(intptr_t)-1)

// The exports of a .fio module, bound by name. HFILE is the platform's file
// handle (CreateFileA, _lopen; read with _lread/ReadFile), opened and closed
// by the host. Records are movable global memory handles.
typedef LONG(WINAPI* TFDLLGETFILEFMTNUM)(void);
// New 112-byte format-information record (caller owns), 0 on failure.
typedef HGLOBAL(WINAPI* TFBMPGETFORMATINFO)(void);
// New file-data record for the open file (caller owns); 0 when the file is
// not of the format, (HGLOBAL)-1 when memory or the palette fails.
typedef HGLOBAL(WINAPI* TFBMPGETFILEDATA)(HFILE file, LONG reserved1, LONG reserved2,
                                          LONG reserved3);
// 1 on success, 0 on failure, the callback's result when it stops.
typedef LONG(WINAPI* TFBMPFILEREAD)(HFILE file, LONG reserved, HGLOBAL record,
                                    TFTRANSFER* transfer, TFREADCALLBACK callback,
                                    LONG reserved2);
// 1 when the rectangle's rows are written, 0 on failure, -1 on cancel.
typedef LONG(WINAPI* TFBMPFILEWRITE)(HFILE file, HGLOBAL record, TFTRANSFER* transfer,
                                     TFWRITECALLBACK callback);
// Fills height rows of width pixels; 1 on success.
typedef LONG(WINAPI* TFBMPGETPREVIEW)(HFILE file, HGLOBAL record, LONG width, LONG height,
                                      BYTE** rows);
typedef LONG(WINAPI* TFESCAPE)(HFILE file, HGLOBAL record, LONG code, LONG width, LONG height,
                               BYTE** rows);
// Properties dialog: 1 OK/Cancel, 2 previous, 3 next, 0 failure.
typedef LONG(WINAPI* TFBMPSHOWDLGFILEDATA)(LONG first, HWND parent, HGLOBAL record,
                                           LONG reserved, LONG previousEnabled,
                                           LONG nextEnabled);
// Save options: the dispatcher passes (0, owner window, record handle,
// dialog id, 0, 0); non-zero when the options were changed.
typedef LONG(WINAPI* TFBMPSHOWDLGSAVEOPTION)(LONG first, HWND owner, HGLOBAL record,
                                             LONG dialogId, LONG reserved4, LONG reserved5);
