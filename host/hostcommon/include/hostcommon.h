// hostcommon: the host's error slot, message boxes, string table, window and
// path utilities, temporary folder and colour picker.
#pragma once

#include <windows.h>

// Message record for c32ShowMb (eleven fields; texts as pointers).
typedef struct C32MBRECORD {
  HWND owner;          // owner window
  LPCSTR caption;      // caption text, or NULL for the host's default
  LONG reserved2;      // 0
  LPCSTR text;         // message text
  LONG kind;           // 0, 1, 2 or 4; 0 = the host's default (OK, information)
  LONG number;         // message number, 0 when none
  LONG unit;           // unit code of the module, 0 when none
  LONG category;
  LONG detail;
  LONG flag;           // 0 or 1
  LONG reserved10;     // 0
} C32MBRECORD;

// Well-known error numbers.
#define C32ERR_OUT_OF_MEMORY 1001
#define C32ERR_CANNOT_SERVE 3200
#define C32ERR_FILE_MISSING 4027
#define C32ERR_CANCELLED 5200

LV_BEGIN_DECLS

// Records a module's error in the host's error slot: (text, error, message,
// unit, category, detail). text is 0 or the address of the module's own
// message text (copied at once, at most 255 bytes); message is 0 or the
// identifier of that text in the module's string table. Modules that report
// a host error number pass 0 for both. The host reads the slot after a
// failed entry point.
LVEXPORT void c32SetDLLErrInfo(LONG_PTR text, LONG error, LONG message, LONG unit, LONG category,
                               LONG detail);
// Clears the slot (after a message already shown, or a cancel).
LVEXPORT void c32ResetDLLErrInfo(void);
// The pending error number (0 when the slot is clear) and its text from the
// host's string table, cut to size bytes (always terminated).
LVEXPORT LONG c32GetDLLErrorInfo(LPSTR text, LONG size, LONG r1, LONG r2, LONG r3, LONG r4);
// The whole slot, for the host program: returns the error number and fills
// the unit, category and detail (any may be NULL).
LVEXPORT LONG lvGetDLLErrInfoRecord(LONG* unit, LONG* category, LONG* detail);
// The module's own message of the pending error: its identifier (0 when the
// module gave none) and, when text is not NULL, its text (empty when none).
LVEXPORT LONG lvGetDLLErrInfoMessage(LPSTR text, LONG size);
// Modal message box over the record's owner with the record's text (or, when
// the text is NULL, the host's text for the record's number) under its
// caption or the host's default caption "Lumivex". Kind 0 shows OK with the
// information icon, 1 OK with the exclamation icon, 2 OK with the stop icon,
// 4 Yes and No with the question icon. Returns the button chosen (0 for a
// NULL record).
LVEXPORT LONG c32ShowMb(const C32MBRECORD* record);
// Text number `id` of the host's own string table into buffer (size bytes,
// always terminated); returns its length, 0 when there is no such text.
LVEXPORT LONG c32GetString(LONG id, LPSTR buffer, LONG size);
// Places window: placement 1 centres it over reference ((HWND)-1: the
// screen); placement 5 centres it on the screen.
LVEXPORT BOOL t32MoveWindow(HWND window, HWND reference, LONG placement);
// Non-zero once the user has pressed Escape (agent, keyboard or terminal).
LVEXPORT LONG t32IsEscPressed(void);
// The host program's own Escape source (the terminal): probe returns non-zero
// when the user asked to cancel. NULL removes it.
LVEXPORT void t32SetEscapeProbe(LONG (*probe)(void));
// Folder part of path, including its trailing backslash, into folder
// (MAX_PATH bytes).
LVEXPORT BOOL tfdSplitPathname(LPCSTR path, LONG reserved, LPSTR folder);
// The host's folder for temporary files (the platform's temporary path,
// created when missing), with a trailing backslash (MAX_PATH bytes).
LVEXPORT BOOL t32GetTavikTempDir(LPSTR path);
// The host's colour picker over owner, starting from *colour; non-zero when
// the user chose a colour, which is then stored in *colour.
LVEXPORT LONG t32ChooseColorEx(HWND owner, COLORREF* colour, DWORD flags, LONG reserved);
// Appends a backslash to path (a MAX_PATH buffer) unless it is empty or
// already ends in one; FALSE when it would not fit.
LVEXPORT BOOL tfdAddSlash(LPSTR path);
// Non-zero when path (with or without a trailing backslash) names an
// existing folder.
LVEXPORT BOOL tfdIsDir(LPCSTR path);
// Creates the folder and any missing folders above it; non-zero when the
// folder exists afterwards.
LVEXPORT BOOL tfdCreateDir(LPCSTR path);

LV_END_DECLS
