// The records and entry points that effect plug-ins (.tpi modules) share
// with the host.
#pragma once

#include <windows.h>

#include <imgcore.h>

// Image data-type codes (single bits).
#define T32_DT_RGB 2
#define T32_DT_INDEXED256 4
#define T32_DT_INDEXED16 8
#define T32_DT_HICOLOR 16
#define T32_DT_GREY 32
#define T32_DT_BW 64

// Mode bits of t32tPiAction.
#define T32_MODE_EDIT 1          // dialog, parameters only
#define T32_MODE_APPLY 2         // apply without dialog
#define T32_MODE_DIALOG 4        // dialog, apply on OK
#define T32_MODE_NO_ADD 8        // disable "&Anfügen..."
#define T32_MODE_HELP_OFF 16     // disable "&Hilfe"
#define T32_MODE_ADD_HIDDEN 32   // hide "&Anfügen..."
#define T32_MODE_HELP_HIDDEN 64  // hide "&Hilfe"
#define T32_MODE_OK_OFF 256      // disable OK

// Query record (180 bytes, movable global memory, owned by the host).
typedef struct T32QUERYRECORD {
  char identifier[16];  // 0
  char menuText[64];    // 16
  char menuGroup[64];   // 80
  LONG hostValue1;      // 144
  LONG paramSize;       // 148
  LONG dataTypes;       // 152
  LONG hostValue4;      // 156
  LONG hostValue5;      // 160
  LONG hostValue6;      // 164
  LONG hostValue7;      // 168
  LONG hostValue8;      // 172
  LONG hostValue9;      // 176
} T32QUERYRECORD;
static_assert(sizeof(T32QUERYRECORD) == 180, "query record is 180 bytes");

// Help record (264 bytes): help file path directly followed by the window
// suffix, then the context number.
typedef struct T32HELPRECORD {
  char path[260];
  LONG context;
} T32HELPRECORD;
static_assert(sizeof(T32HELPRECORD) == 264, "help record is 264 bytes");

// The host's request function: (request code, value, value, pointer or user value).
typedef LONG (*T32HOSTREQUEST)(LONG code, LONG value1, LONG value2, LONG_PTR argument);

// Host object, the tenth argument of t32tPiAction.
typedef struct T32HOSTOBJECT {
  LONG cancelCheck;          // non-zero: poll t32IsEscPressed between steps
  T32HOSTREQUEST request;    // host request function, or NULL
  LONG_PTR userValue;        // passed back with the progress requests
  LONG progressStart;
  LONG progressEnd;
} T32HOSTOBJECT;

// Host request codes.
#define T32_REQ_PROGRESS_BEGIN 1
#define T32_REQ_PROGRESS_STEP 2
#define T32_REQ_PROGRESS_END 4
#define T32_REQ_PREVIEW_CHANGED 8
#define T32_REQ_DIALOG_NOTICE 78
#define T32_REQ_UNDO 1002
#define T32_REQ_REDO 1003
#define T32_REQ_OBJECT_COUNT 1005
#define T32_REQ_OBJECT_LIST 1006
#define T32_REQ_PALETTE 1008
#define T32_REQ_OBJECT_LIST_EX 1009
#define T32_REQ_CELLS 1018

// Object list entry of request 1006.
typedef struct T32OBJECTENTRY {
  HBUF source;
  HANDLE second;
  HBUF* result;
} T32OBJECTENTRY;

// Object list entry of request 1009.
typedef struct T32OBJECTENTRYEX {
  HBUF source;
  HBUF sourceMask;
  HBUF* result;
  HBUF* resultMask;
} T32OBJECTENTRYEX;

// Cell list of request 1018: count (-1: no cells) and that many rectangles.
typedef struct T32CELLLIST {
  LONG count;
  RECT cells[1];
} T32CELLLIST;

// Entry points, exported by these names.
typedef BOOL (*T32PIQUERYITEMS)(T32QUERYRECORD** slot);
typedef BOOL (*T32PIGETINFO)(LPCSTR identifier, LONG reserved, LONG request, void* out);
typedef BOOL (*T32PIACTION)(LPCSTR identifier, HWND parent, LONG mode, LONG extra, void* params,
                            LONG dataType, HBUF source, HANDLE second, HBUF* result,
                            T32HOSTOBJECT* host);
typedef LONG (*T32PIASKSTYLER)(void);
typedef LONG (*T32PIASKVARIATION)(LPCSTR identifier, void* params, LONG capacity, void* out);
