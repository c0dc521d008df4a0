// fileformats: the host's format dispatcher. It knows the built-in formats
// BMP, PNG, JPEG and GIF and every file-I/O module (*.fio) of the modules
// folder, describes image files in file-data records (filedata.h), reads
// them into image buffers and writes buffers to files, all through one row
// callback protocol (fioapi.h).
//
// Format indices run from 0 to tfFileGetFileFmtNum() - 1: the built-in
// formats first (BMP 0, PNG 1, JPEG 2, GIF 3), then the modules' formats in
// the order of their file names. The modules folder is $LUMIVEX_MODULES, or
// else the folder "modules" beside the folder of this library (the staged
// installation's lib/ and modules/), unless tfFileSetModulesFolder chose one.
//
// Failures put an error into the host's error slot (hostcommon,
// c32SetDLLErrInfo with unit TF_UNIT) and return 0: 1001 out of memory,
// 3200 a request the format cannot serve (bad argument, unknown format,
// format cannot write), 4004 the file cannot be opened, 4005 the file is not
// an image of a known format or is broken, 4008 the file cannot be written,
// 4020 a read error, 4027 the file is missing, 5200 cancelled through a
// callback. The category names the operation (TF_OP_*), the detail the point.
#pragma once

#include <windows.h>

#include <imgcore.h>

#include "filedata.h"
#include "fioapi.h"

#define TF_UNIT 9000

// Operations (error categories).
#define TF_OP_LOAD 1
#define TF_OP_GETFILEDATA 2
#define TF_OP_READ 3
#define TF_OP_WRITE 4
#define TF_OP_OPTIONS 5
#define TF_OP_OPEN_DIALOG 6

// Built-in format indices.
#define TF_FORMAT_BMP 0
#define TF_FORMAT_PNG 1
#define TF_FORMAT_JPEG 2
#define TF_FORMAT_GIF 3

// Dialog id of the save options (tfFileShowDlgSaveOption).
#define TF_SAVE_OPTIONS_DIALOG 1004

LV_BEGIN_DECLS

// Number of file formats the host knows (built-in and from modules). Loads
// the modules on first use.
LVEXPORT LONG tfFileGetFileFmtNum(void);
// The format's information record, or NULL (error 3200) for an index out of
// range. The dispatcher owns it; it stays valid until tfFileUnloadModules.
LVEXPORT const TFFORMATINFO* tfFileGetFormatInfo(LONG formatIndex);
// The file-I/O module that serves the format (for its other exports, such
// as tfBmpShowDlgFileData and tfBmpGetPreview), or 0 for a built-in format.
LVEXPORT HMODULE tfFileGetFormatModule(LONG formatIndex);
// Index of the format whose short name (as "JPG") or one of whose
// extensions (as "jpeg") equals name, case-insensitively; -1 when none.
LVEXPORT LONG tfFileFindFormat(LPCSTR name);

// Describes the file: a new file-data record (movable global memory; the
// caller owns it and frees it with tfFileFreeFileData) with path, file size
// and format index filled, or 0 with an error when no format can read it.
// hint may name the format to try first (short name or extension, as in
// tfFileFindFormat) or be NULL; the file's contents decide.
LVEXPORT HGLOBAL tfFileGetFileData(LPCSTR path, LPCSTR hint);
// A new file-data record for writing path in the given format: data type 0
// (taken from the buffer when written), the format's default save options,
// transparent index -1. The caller owns it (tfFileFreeFileData). 0 on an
// unknown format.
LVEXPORT HGLOBAL tfFileNewFileData(LPCSTR path, LONG formatIndex);
// Frees a record with the palettes it holds (offsets 612 and 644).
LVEXPORT void tfFileFreeFileData(HGLOBAL record);

// Reads the image the record describes (its path and format) into a new
// buffer of the record's data type (24 bits R,G,B for type 2, 8 bits for 4,
// 8 and 32 with one index per byte, 16 for 16, packed 1 bit for 64) stored
// in *buffer (owned by the caller). callback may be NULL; when given, it is
// called after each delivered row with the arguments of the read callback,
// and a result of 0 or below stops the read (error 5200 for -1). Returns 1 on
// success, 0 on failure, or the stopping callback's result.
LVEXPORT LONG tfFileRead(HGLOBAL record, HBUF* buffer, TFREADCALLBACK callback);

// Reads the whole image scaled to width x height (nearest neighbour) into a
// new buffer of the record's data type in *buffer (owned by the caller),
// through the format's scaled read (a module's own, the built-in formats'
// full read sampled). Returns 1, 0 on failure, or the callback's stop.
LVEXPORT LONG tfFileReadScaled(HGLOBAL record, LONG width, LONG height, HBUF* buffer);

// Writes the whole buffer to the file the record names (path at offset 4)
// in the record's format (offset 0), with the save options the record
// carries. The record's data type (608) and palette (612) describe the
// buffer; data type 0 takes it from the buffer's pixel format (24 RGB, 16
// hi-colour, 8 grey or, with a palette, 256 colours, 1 black and white).
// When the format cannot store the type, a converted copy is written (JPEG:
// true colour or grey; GIF: indexed with an optimised palette). The file is
// written under a temporary name and renamed when complete. callback may be
// NULL; when given it is called before each row is written with the write
// callback's arguments and its 0 or TF_WRITE_CANCELLED stops the write.
// Afterwards the record describes the written file. Returns 1, 0 on failure,
// -1 when cancelled.
LVEXPORT LONG tfFileWrite(HGLOBAL record, HBUF buffer, TFWRITECALLBACK callback);

// Band-by-band writing: open a writer for the record (as tfFileWrite, the
// record must hold the image's width, height and data type, offsets 592,
// 596, 608), hand it bands of rows in any order, then close it. A .fio
// module writes each band into the file as it comes; the built-in formats
// collect the bands and encode on close. Returns a writer number above 0,
// or 0 on failure. The writer uses the record until it is closed.
LVEXPORT LONG tfFileWriteBegin(HGLOBAL record);
// Writes image rows top .. top + rows - 1 from band, whose row 0 is image
// row top (band is as wide as the image, of the record's data type).
// callback as in tfFileWrite. Returns 1, 0 on failure, -1 when cancelled.
LVEXPORT LONG tfFileWriteBand(LONG writer, HBUF band, LONG top, LONG rows,
                              TFWRITECALLBACK callback);
// Ends the writer. With commit non-zero the file is completed and moved to
// its name (1 on success); otherwise the partial file is removed (returns 1).
LVEXPORT LONG tfFileWriteEnd(LONG writer, BOOL commit);

// Shows the format's save options dialog (dialogId TF_SAVE_OPTIONS_DIALOG)
// over owner and stores the options in the record: JPEG quality (688) and
// progressive (668 bit 4), PNG and GIF interlace (700), GIF transparent index
// (676). For a module's format the module's tfBmpShowDlgSaveOption is asked.
// Returns 1 when the user confirmed, 0 when cancelled (slot cleared) or the
// format has no options.
LVEXPORT LONG tfFileShowDlgSaveOption(const TFFORMATINFO* format, HWND owner, HGLOBAL record,
                                      LONG dialogId);

// The size as text into text (at least 32 bytes): mode 1 "30,000 Bytes" up
// to 101,376 bytes and "2,930 KB" above ((size + 512) / 1024), digits grouped
// by threes with the thousands separator sThousand of the intl section of
// the Windows profile (default ","). Mode 0: the grouped number alone.
// Returns the text's length.
LVEXPORT LONG t32FileSizeToAscii(DWORD size, LPSTR text, LONG mode);
// Non-zero when path names an existing file (not a folder).
LVEXPORT BOOL tfIsFileExist(LPCSTR path);
// Text of a compression code (TF_COMPRESS_*) into text (size bytes); its length.
LVEXPORT LONG tfFileGetCompressionText(LONG code, LPSTR text, LONG size);

// The host's open-file request (t32FileGetOpenFileName).
typedef struct TFOPENREQUEST {
  DWORD size;              // sizeof(TFOPENREQUEST)
  HWND owner;              // owner window, or 0
  LPCSTR title;            // caption, or NULL for "Öffnen"
  LPCSTR filter;           // pairs of description and patterns ("Bitmap file\0*.bmp\0"),
                           // ended by an empty string; NULL: every readable format
  LONG filterIndex;        // in: 1-based filter shown first (0 = 1); out: the one used
  LPCSTR initialFolder;    // folder shown first, or NULL for the current folder
  LPSTR file;              // in: a name to propose (may be empty); out: the chosen full path
  DWORD fileSize;          // size of file in bytes
} TFOPENREQUEST;

// Shows the host's open dialog over the request's owner: a file-name field,
// the files of the current folder that match the chosen filter (and its
// sub-folders as "[name]", "[..]" for the folder above), and a list of
// filters. OK on a folder enters it; a name with '*' or '?' becomes the
// filter; otherwise the file must exist ("Die Datei %s wurde nicht
// gefunden." is shown when it does not). Returns 1 with the full path in
// request->file; 0 when cancelled (slot cleared) or on a bad request (3200).
LVEXPORT LONG t32FileGetOpenFileName(TFOPENREQUEST* request);

// Chooses the modules folder (a Windows or Unix path) before the first use;
// NULL returns to the default. Unloads modules loaded so far.
LVEXPORT void tfFileSetModulesFolder(LPCSTR folder);
// Frees every loaded module (the format list is made again on next use).
LVEXPORT void tfFileUnloadModules(void);

LV_END_DECLS
