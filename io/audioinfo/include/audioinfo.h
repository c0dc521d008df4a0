// The audio media-I/O module audioinfo.mio as its host sees it: the format
// record, the information record, the exported entry points and the errors
// the module records in the host's error slot.
//
// Both records are fixed-layout little-endian blocks owned by the host; the
// offsets below are part of the contract and are checked at compile time.
#pragma once

#include <windows.h>

#include <stddef.h>

// Format indices served by the module.
#define MIO_FORMAT_WAV 0
#define MIO_FORMAT_MIDI 1
#define MIO_FORMAT_RMI 2
#define MIO_FORMAT_VOC 3
#define MIO_FORMAT_COUNT 4

// The host's media kinds.
#define MIO_KIND_WAVEFORM 4
#define MIO_KIND_MIDI 5

// Capability bits the module sets (0, 3, 6) and clears (1, 2, 4, 5, 7, 8, 9)
// in the format record; the other bits stay as the host set them.
#define MIO_CAPS_SET 0x0049
#define MIO_CAPS_CLEARED 0x03B6

// Value stored at offset 12 of the information record after a successful call.
#define MIO_INFO_FILLED 3

// Size of the built-in thumbnails, and of the thumbnail of a file without a picture.
#define MIO_THUMBNAIL_SIZE 48

// Error slot contents: error number, unit code, message identifiers.
#define MIO_ERROR 20001
#define MIO_UNIT 8100
#define MIO_MSG_BAD_INDEX 10000
#define MIO_MSG_FORMAT_DISABLED 10001
#define MIO_MSG_CANNOT_OPEN 10002
#define MIO_MSG_NO_PRIVATE_ATTRIBUTES 10003
#define MIO_MSG_NO_THUMBNAIL 10004
#define MIO_MSG_NO_MEMORY 10005
#define MIO_MSG_CANNOT_READ 10006
#define MIO_MSG_UNKNOWN_FORMAT 10007

#pragma pack(push, 1)

// Filled by mioEnumFormats for one format index.
typedef struct MIOFORMATRECORD {
  WORD kind;              // media kind: MIO_KIND_WAVEFORM or MIO_KIND_MIDI
  WORD index;             // format index
  CHAR extension[4];      // "wav", "mid", "rmi", "voc" (terminated)
  CHAR description[48];   // "MIO, Waveform" or "MIO, Midi"
  CHAR modulePath[80];    // the module's file, lower-cased, terminated (cut to fit)
  BYTE reserved[48];      // the host's; not touched
  WORD capabilities;      // MIO_CAPS_SET set, MIO_CAPS_CLEARED cleared, the rest kept
} MIOFORMATRECORD;

// Facts of a waveform file (WAV, VOC).
typedef struct MIOWAVEFACTS {
  WORD sampleRate;  // samples per second (low 16 bits)
  BYTE bits;        // bits per sample
  BYTE channels;
} MIOWAVEFACTS;

// Filled by mioGetFileInfo.
typedef struct MIOFILEINFO {
  DWORD fileSize;            // bytes
  WORD creationDate;         // packed date: day, month, year since 1980 (local time)
  WORD creationTime;         // packed time in two-second units (local time)
  WORD thumbnailWidth;       // 48 unless the file carries a picture
  WORD thumbnailHeight;
  WORD filled;               // MIO_INFO_FILLED after a successful call
  CHAR subject[4096];        // INFO/ISBJ of a RIFF file, first text block of a VOC file
  CHAR displayText[512];     // text display chunk of a RIFF file
  CHAR emptyText[512];       // always empty
  union {
    MIOWAVEFACTS wave;       // WAV, VOC
    DWORD lengthSeconds;     // MIDI, RMI
  } u;
  DWORD samplesOrTempo;      // sample count (WAV, VOC); tempo (MIDI, RMI)
  WORD thumbnailWidth2;      // the thumbnail size again
  WORD thumbnailHeight2;
} MIOFILEINFO;

#pragma pack(pop)

#ifdef __cplusplus
static_assert(offsetof(MIOFORMATRECORD, extension) == 4, "format record layout");
static_assert(offsetof(MIOFORMATRECORD, description) == 8, "format record layout");
static_assert(offsetof(MIOFORMATRECORD, modulePath) == 56, "format record layout");
static_assert(offsetof(MIOFORMATRECORD, capabilities) == 184, "format record layout");
static_assert(sizeof(MIOFORMATRECORD) == 186, "format record layout");
static_assert(offsetof(MIOFILEINFO, creationDate) == 4, "information record layout");
static_assert(offsetof(MIOFILEINFO, thumbnailWidth) == 8, "information record layout");
static_assert(offsetof(MIOFILEINFO, filled) == 12, "information record layout");
static_assert(offsetof(MIOFILEINFO, subject) == 14, "information record layout");
static_assert(offsetof(MIOFILEINFO, displayText) == 4110, "information record layout");
static_assert(offsetof(MIOFILEINFO, emptyText) == 4622, "information record layout");
static_assert(offsetof(MIOFILEINFO, u) == 5134, "information record layout");
static_assert(offsetof(MIOFILEINFO, samplesOrTempo) == 5138, "information record layout");
static_assert(offsetof(MIOFILEINFO, thumbnailWidth2) == 5142, "information record layout");
static_assert(sizeof(MIOFILEINFO) == 5146, "information record layout");
#endif

// The exports, as a host binds them by name.
typedef BOOL (*MIOENUMFORMATS)(LONG index, MIOFORMATRECORD* record);
typedef BOOL (*MIOGETFILEINFO)(LONG index, LPCSTR fileName, LONG reserved, MIOFILEINFO* info);
typedef HGLOBAL (*MIOREADTHUMBNAIL)(LONG index, LPCSTR fileName, LONG reserved1, LONG reserved2);
typedef BOOL (*MIOSHOWINFOBOX)(LONG index, HWND parent, LPCSTR fileName);
typedef LONG (*MIOPLAYVIEWFILE)(LONG, LONG, LONG, LONG);
typedef LONG (*MIOGETATTRTEXT)(LONG, LONG, LONG, LONG);
typedef LONG (*MIOESCAPE)(LONG, LONG, LONG, LONG, LONG);

LV_BEGIN_DECLS
// Fills *record for format index 0..3 and returns 1; 0 for any other index
// (the record then keeps everything but capability bit 2, which is cleared).
LVEXPORT BOOL mioEnumFormats(LONG index, MIOFORMATRECORD* record);
// Fills *info (owned by the caller) with the facts of the file for format
// index 0..3 and returns 1; 0 with the error slot set on failure.
LVEXPORT BOOL mioGetFileInfo(LONG index, LPCSTR fileName, LONG reserved, MIOFILEINFO* info);
// A packed device-independent bitmap (header, colours, pixels) in new movable
// global memory, owned by the caller: the file's own picture (WAV, RMI) or
// the format's built-in picture. 0 with the error slot set on failure.
LVEXPORT HGLOBAL mioReadThumbnail(LONG index, LPCSTR fileName, LONG reserved1, LONG reserved2);
// Shows the properties box of the file over parent until OK or Cancel;
// returns 1, or 0 with the error slot set for a bad index.
LVEXPORT BOOL mioShowInfoBox(LONG index, HWND parent, LPCSTR fileName);
// Dialog procedures of the two properties boxes (waveform, MIDI).
LVEXPORT INT_PTR InfoDlgProc1(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LVEXPORT INT_PTR InfoDlgProc2(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// No play-back, no attribute texts, no escapes: each returns 0.
LVEXPORT LONG mioPlayViewFile(LONG, LONG, LONG, LONG);
LVEXPORT LONG mioGetAttrText(LONG, LONG, LONG, LONG);
LVEXPORT LONG mioEscape(LONG, LONG, LONG, LONG, LONG);
LV_END_DECLS
