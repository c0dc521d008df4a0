// misclib: small host services that the file-I/O modules bind by ordinal
// (GetProcAddress(LoadLibraryA("misclib.dll"), MAKEINTRESOURCE(n))): the
// error report, a palette copy, the dialog set-up and row conversions.
#pragma once

#include <windows.h>

// Ordinals under which the services are exported.
#define MISC_ORD_REPORT_ERROR 44
#define MISC_ORD_COPY_PALETTE 15
#define MISC_ORD_DIALOG_SETUP 20
#define MISC_ORD_COPY_ROW 21
#define MISC_ORD_INVERT_BITS 24
#define MISC_ORD_EXPAND_BITS 27
#define MISC_ORD_GREEN_WORDS_TO_RGB 30

typedef LONG (*MISREPORTERROR)(LONG function, LONG stage, LONG point, LONG message, LPCSTR text);
typedef HPALETTE (*MISCOPYPALETTE)(HPALETTE palette);
typedef BOOL (*MISDIALOGSETUP)(HWND dialog, LONG mode);
typedef void (*MISCOPYROW)(void* destination, const void* source, LONG bytes);
typedef void (*MISINVERTBITS)(void* destination, const void* source, LONG bytes);
typedef void (*MISEXPANDBITS)(void* destination, const void* source, LONG pixels);
typedef void (*MISGREENWORDSTORGB)(void* destination, const void* source, LONG pixels);

LV_BEGIN_DECLS

// Ordinal 44. Records a module's failure in the host error slot of
// hostcommon: the slot's error number is `message` (the module's message
// identifier), its unit code is `function` (the module's function code,
// e.g. 811), its category `stage` and its detail `point`. The text (ANSI,
// may be NULL) is kept by misclib as the message of that report (see
// misGetLastErrorText). Returns `message`.
LVEXPORT LONG misReportError(LONG function, LONG stage, LONG point, LONG message, LPCSTR text);

// The text given with the last misReportError, copied into text (size bytes,
// always terminated), while the host error slot still holds that report;
// otherwise (slot cleared or overwritten by someone else) an empty text.
// Returns the length copied.
LVEXPORT LONG misGetLastErrorText(LPSTR text, LONG size);

// Ordinal 15. A new logical palette with the same entries as `palette`;
// the caller owns it (DeleteObject). 0 when `palette` is not a palette or
// the copy cannot be made.
LVEXPORT HPALETTE misCopyPalette(HPALETTE palette);

// Ordinal 20. Finishes a dialog's set-up: with mode 1 the dialog is centred
// over its owner (over the screen when it has none). FALSE for a window
// that does not exist or another mode.
LVEXPORT BOOL misDialogSetup(HWND dialog, LONG mode);

// Ordinal 21. Copies `bytes` bytes of a preview row (the caller passes the
// pixel count times its bytes per pixel). Nothing for bytes <= 0.
LVEXPORT void misCopyRow(void* destination, const void* source, LONG bytes);

// Ordinal 24. destination[i] = ~source[i] for `bytes` bytes; the two may be
// the same memory.
LVEXPORT void misInvertBits(void* destination, const void* source, LONG bytes);

// Ordinal 27. Expands a 1-bit row (most significant bit first) to one byte
// per pixel holding 0 or 1: `pixels` bytes are written, (pixels + 7) / 8
// read.
LVEXPORT void misExpandBits(void* destination, const void* source, LONG pixels);

// Ordinal 30. Converts `pixels` 16-bit little-endian words of the
// 6-bit-green layout to 3 bytes per pixel red, green, blue (the host's
// 24-bit order). The word holds blue in bits 3-7, red in bits 8-12, the
// three high green bits in bits 0-2 and the three low green bits in bits
// 13-15. Each channel is widened to 8 bits by repeating its high bits.
LVEXPORT void misGreenWordsToRgb(void* destination, const void* source, LONG pixels);

LV_END_DECLS
