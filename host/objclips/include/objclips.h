// objclips: lists of image items (a name, a thumbnail of an image, and a
// payload of the module's own bytes), kept in memory, stored in a file of
// the list library's own form, and shown in a window of class
// "T32IIO_CLASS".
//
// Lists are addressed by 32-bit handles (0 = none) that are not reused until
// the counter wraps; a freed handle makes every call fail cleanly. Every
// call that can fail returns non-zero on success.
#pragma once

#include <windows.h>

#include "imgcore.h"

typedef HANDLE HIIO;

// Window class that shows an attached list: thumbnails in rows, names
// under them, the selected item framed. A click or the arrow keys select;
// the parent gets WM_COMMAND with the control id and IIN_SELCHANGE or
// IIN_DBLCLK in the high word and the window in lParam.
#define IIO_CLASS_NAME "T32IIO_CLASS"
#define IIN_SELCHANGE 1
#define IIN_DBLCLK 2

// Largest length of an item name, without the terminating zero.
#define IIO_NAME_MAX 79
// Thumbnail box of a new list, and the limits of a thumbnail edge.
#define IIO_DEFAULT_THUMB 64
#define IIO_MAX_THUMB 1024

// List-wide actions (t32IIOAction).
#define IIO_SETPROPS 1   // value2: const IIOPROPS* to take over
#define IIO_GETPROPS 2   // value2: IIOPROPS* to fill
#define IIO_GETCOUNT 3   // result: number of items
#define IIO_ATTACH 12    // value1 1: show in window value2; value1 0: detach
#define IIO_SELECT 20    // value2 - 65536: index to select (-1: none)
#define IIO_GETSEL 21    // result: selected index + 1 (0: none)

// Per-item actions (t32IIAction).
#define II_ADD 1      // append the item of the record
#define II_DELETE 2   // remove the item at the index
#define II_REPLACE 3  // replace the item at the index by the record's
#define II_GET 4      // fill the record with the item at the index

// Properties of a list (64 bytes).
typedef struct IIOPROPS {
  LONG thumbWidth;      // 0: box a thumbnail is fitted into, 1..IIO_MAX_THUMB
  LONG thumbHeight;     // 4
  LONG itemCount;       // 8: number of items (ignored when set)
  LONG selected;        // 12: selected item, -1 for none
  HWND window;          // 16: attached window or 0 (ignored when set)
  COLORREF background;  // 20: colour around the thumbnails in the window
  LONG showNames;       // 24: non-zero: the window writes names under thumbnails
  LONG reserved[9];     // 28..63
} IIOPROPS;

// One item as it is added and read back.
typedef struct IIITEM {
  // Add and replace: the image to show; the list makes its own thumbnail
  // and the caller keeps its buffer (0: no image). Read: the list's own
  // thumbnail, owned by the list (valid until the item or list goes).
  HBUF image;
  CHAR name[IIO_NAME_MAX + 1];  // zero-terminated ANSI text
  // Add and replace: dataSize bytes the list copies (data may be NULL when
  // dataSize is 0). Read: the list's own copy, valid until the item or list
  // goes; edits made through it are kept and saved with the list.
  void* data;
  LONG dataSize;
  LONG userValue;  // a value kept (and saved) with the item
} IIITEM;

// Called by t32LoadIIO for each item read from the file, in order, before
// the item joins the list. item holds the saved name, the thumbnail (owned
// by the loader) and the saved payload. The procedure may rebuild the
// payload by pointing data and dataSize at other memory (copied when it
// returns) and may change name and userValue. FALSE stops the load.
typedef BOOL (CALLBACK* IIOLOADPROC)(LONG index, IIITEM* item);

LV_BEGIN_DECLS

// New empty list with 64 x 64 thumbnails; the argument is 0. Returns the
// handle (owned by the caller, released with t32DestroyIIO) or 0.
LVEXPORT HIIO t32CreateIIO(LONG reserved);
// Releases the list, its thumbnails and payloads; detaches its window.
LVEXPORT BOOL t32DestroyIIO(HIIO list);
// Reads a list saved by t32SaveIIO from a file (Windows path), calling
// itemProc (may be NULL) for each item. Returns the new list or 0 when the
// file is missing, unreadable or not a well-formed list file.
LVEXPORT HIIO t32LoadIIO(LPCSTR file, IIOLOADPROC itemProc);
// Writes the list to a file (Windows path): to a temporary name beside it,
// then renamed over the target, so a failed save leaves the old file. flag
// is 0.
LVEXPORT BOOL t32SaveIIO(LPCSTR file, HIIO list, LONG flag);
// List-wide actions IIO_*; the result is non-zero on success (or the count
// and selection the action names).
LVEXPORT LONG t32IIOAction(HIIO list, LONG action, LPARAM value1, LPARAM value2);
// Per-item actions II_* on the item at index with the record (II_DELETE
// needs no record).
LVEXPORT LONG t32IIAction(HIIO list, LONG action, LONG index, IIITEM* item);
// Registers the window class IIO_CLASS_NAME (global, so every module's
// dialog templates find it). Done when the library loads; calling it again
// does nothing.
LVEXPORT BOOL t32RegisterIIOClass(void);

LV_END_DECLS
