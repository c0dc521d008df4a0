// Exported entry points of the TPI file-I/O module.
#include <windows.h>

#include <tpifio.h>

#include <cstring>

#include "module.h"
#include "operations.h"
#include "record.h"
#include "resources/resource.h"

using namespace tpi;

// Keeps the instance, loads the start-up texts and binds the host services
// of misclib; FALSE (the module does not load) when misclib is missing.
LV_EXTERN_C LVEXPORT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    Startup(instance);
    return BindMiscServices();
  }
  if (reason == DLL_PROCESS_DETACH) ReleaseMiscServices();
  return TRUE;
}

// The number of formats the module serves: 1.
LV_EXTERN_C LVEXPORT LONG tfDLLGetFileFmtNum(void) { return 1; }

// A new 112-byte format-information record (movable memory, owned by the
// caller): 63, 63, 1, short name "TPI", description, 1. 0 after reporting
// (810, 4, 1, 7015) when it cannot be allocated.
LV_EXTERN_C LVEXPORT HGLOBAL tfBmpGetFormatInfo(void) {
  HGLOBAL handle = GlobalAlloc(GHND, TFI_RECORD_SIZE);
  BYTE* info = handle ? static_cast<BYTE*>(GlobalLock(handle)) : nullptr;
  if (!info) {
    if (handle) GlobalFree(handle);
    ReportError(kFnModule, 4, 1, IDS_NO_GLOBAL_MEMORY);
    return 0;
  }
  Put16(info, 0, 63);
  Put16(info, 2, 63);
  Put32(info, 4, 1);
  std::memcpy(info + TFI_SHORT_NAME, ShortFormatName(), std::strlen(ShortFormatName()));
  LoadStringA(Instance(), IDS_DESCRIPTION, reinterpret_cast<char*>(info + TFI_DESCRIPTION), 48);
  Put32(info, 80, 1);
  GlobalUnlock(handle);
  return handle;
}

// Reads the TPI header of the open file into a new file-data record owned by
// the caller. 0 when the file is not a readable TPI file, -1 when memory or
// the palette fails; the host error slot tells which.
LV_EXTERN_C LVEXPORT HGLOBAL tfBmpGetFileData(HFILE file, LONG, LONG, LONG) {
  return ReadFileData(file);
}

// Reads the rectangle of the transfer record (or the whole image scaled when
// its scaled-read flag is set) and hands the rows to callback. 1 on success,
// 0 on failure, the callback's result when it stops the read.
LV_EXTERN_C LVEXPORT LONG tfBmpFileRead(HFILE file, LONG, HGLOBAL record, TFTRANSFER* transfer,
                                        TFREADROWS callback, LONG) {
  return ReadImage(file, record, transfer, callback);
}

// Writes the rectangle of the transfer record, pulling rows through
// callback, and turns the record into a TPI record describing the file.
// 1 when written, 0 on failure, -1 when the callback cancelled.
LV_EXTERN_C LVEXPORT LONG tfBmpFileWrite(HFILE file, HGLOBAL record, TFTRANSFER* transfer,
                                         TFWRITEROWS callback) {
  return WriteImage(file, record, transfer, callback);
}

// Fills `height` host rows (array rows) of `width` pixels with a sample of
// the image. 1 on success, 0 on failure.
LV_EXTERN_C LVEXPORT LONG tfBmpGetPreview(HFILE file, HGLOBAL record, LONG width, LONG height,
                                          BYTE** rows) {
  return ReadPreview(file, record, width, height, rows);
}

// Request 101 runs tfBmpGetPreview with the other arguments and returns its
// result; any other code reports (814, 1, 1, 7019) and returns 0.
LV_EXTERN_C LVEXPORT LONG tfEscape(HFILE file, HGLOBAL record, LONG code, LONG width, LONG height,
                                   BYTE** rows) {
  if (code == TF_ESCAPE_PREVIEW) return ReadPreview(file, record, width, height, rows);
  ReportError(kFnPreview, 1, 1, IDS_BAD_PARAMETER);
  return 0;
}

// Shows the properties dialog of the record's file over parent. 1 when
// closed with OK or Cancel, 2 for "&Vorh", 3 for "&Nächste", 0 on failure.
LV_EXTERN_C LVEXPORT LONG tfBmpShowDlgFileData(LONG first, HWND parent, HGLOBAL record, LONG,
                                               LONG previousEnabled, LONG nextEnabled) {
  return ShowProperties(first, parent, record, previousEnabled, nextEnabled);
}

// The format has no open options: 0.
LV_EXTERN_C LVEXPORT LONG tfBmpShowDlgOpenOption(LONG, LONG, LONG, LONG, LONG, LONG) { return 0; }

// The format has no save options: 0.
LV_EXTERN_C LVEXPORT LONG tfBmpShowDlgSaveOption(LONG, LONG, LONG, LONG, LONG, LONG) { return 0; }

// The format holds no vector data: 0.
LV_EXTERN_C LVEXPORT LONG tfBmpFileReadVector(LONG, LONG, LONG, LONG, LONG, LONG, LONG, LONG) {
  return 0;
}

// The format holds no vector data: 0.
LV_EXTERN_C LVEXPORT LONG tfBmpFileWriteVector(LONG, LONG, LONG, LONG, LONG, LONG) { return 0; }

// The format has no offset table: 0.
LV_EXTERN_C LVEXPORT LONG tfBmpGetOffsetTable(LONG, LONG, LONG) { return 0; }

// The format stores no preview image: -1.
LV_EXTERN_C LVEXPORT LONG tfBmpGetPreviewImage(LONG, LONG, LONG) { return -1; }
