// Exported entry points of the audio media-I/O module. Failures are
// recorded in the host's error slot here, once, at the boundary.
#include <windows.h>

#include <audioinfo.h>

#include <cstring>

#include "errors.h"
#include "fileinfo.h"
#include "infobox.h"
#include "module.h"
#include "thumbnail.h"

namespace audioinfo {

namespace {

HINSTANCE g_instance = 0;

// Capability bit the host learns is cleared even for an index the module
// does not serve.
constexpr WORD kCapabilityAlwaysCleared = 0x0004;

struct FormatIdentity {
  WORD kind;
  const char* extension;
  const char* description;
};

const FormatIdentity kFormats[MIO_FORMAT_COUNT] = {
    {MIO_KIND_WAVEFORM, "wav", "MIO, Waveform"},
    {MIO_KIND_MIDI, "mid", "MIO, Midi"},
    {MIO_KIND_MIDI, "rmi", "MIO, Midi"},
    {MIO_KIND_WAVEFORM, "voc", "MIO, Waveform"},
};

// The module's file, lower-cased. The platform's file names are already in
// the ANSI character set, so no OEM conversion is needed.
void StoreModulePath(MIOFORMATRECORD* record) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(ModuleInstance(), path, sizeof path);
  CharLowerA(path);
  lstrcpynA(record->modulePath, path, sizeof record->modulePath);
}

void FillFormatRecord(LONG index, MIOFORMATRECORD* record) {
  const FormatIdentity& format = kFormats[index];
  record->kind = format.kind;
  record->index = static_cast<WORD>(index);
  std::memset(record->extension, 0, sizeof record->extension);
  lstrcpynA(record->extension, format.extension, sizeof record->extension);
  std::memset(record->description, 0, sizeof record->description);
  lstrcpynA(record->description, format.description, sizeof record->description);
  std::memset(record->modulePath, 0, sizeof record->modulePath);
  StoreModulePath(record);
  record->capabilities = static_cast<WORD>((record->capabilities & ~MIO_CAPS_CLEARED) | MIO_CAPS_SET);
}

}  // namespace

void StoreModuleInstance(HINSTANCE instance) { g_instance = instance; }
HINSTANCE ModuleInstance() { return g_instance; }

}  // namespace audioinfo

using namespace audioinfo;

// Stores the module instance for loading resources; always succeeds.
LV_EXTERN_C LVEXPORT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) StoreModuleInstance(instance);
  return TRUE;
}

// Fills the host's format record for index 0..3 (kind, index, extension,
// description, module path, capability bits) and returns 1. Any other
// index returns 0 with only capability bit 2 cleared; no error is recorded.
LV_EXTERN_C LVEXPORT BOOL mioEnumFormats(LONG index, MIOFORMATRECORD* record) {
  if (!record) return FALSE;
  record->capabilities = static_cast<WORD>(record->capabilities & ~kCapabilityAlwaysCleared);
  if (!ValidIndex(index)) return FALSE;
  FillFormatRecord(index, record);
  return TRUE;
}

// Fills the host's information record for the file (a Windows path) of
// format index 0..3 and returns 1. 0 with the error slot set: 10000 for a
// bad index, 10002 when the file cannot be opened, 10006 for an unreadable
// WAV file, 10007 for a VOC file that is not one.
LV_EXTERN_C LVEXPORT BOOL mioGetFileInfo(LONG index, LPCSTR fileName, LONG, MIOFILEINFO* info) {
  if (!ValidIndex(index)) {
    ReportError(BadIndex(kCategoryFileInfo));
    return FALSE;
  }
  MioError error = kOpenFailed;
  if (!info || !CollectFileInfo(index, fileName, info, &error)) {
    ReportError(error);
    return FALSE;
  }
  return TRUE;
}

// The file's thumbnail as a packed bitmap in new movable memory, owned by
// the caller afterwards; 0 with the error slot set for a bad index, a
// missing built-in picture or no memory.
LV_EXTERN_C LVEXPORT HGLOBAL mioReadThumbnail(LONG index, LPCSTR fileName, LONG, LONG) {
  if (!ValidIndex(index)) {
    ReportError(BadIndex(kCategoryThumbnail));
    return 0;
  }
  MioError error = kNoThumbnailResource;
  HGLOBAL thumbnail = MakeThumbnail(index, fileName, &error);
  if (!thumbnail) ReportError(error);
  return thumbnail;
}

// Shows the properties box of the file over parent until the user closes
// it; 1, or 0 with the error slot set for a bad index.
LV_EXTERN_C LVEXPORT BOOL mioShowInfoBox(LONG index, HWND parent, LPCSTR fileName) {
  if (!ValidIndex(index)) {
    ReportError(BadIndex(kCategoryInfoBox));
    return FALSE;
  }
  RunInfoBox(index, parent, fileName);
  return TRUE;
}

// The module plays nothing: always 0.
LV_EXTERN_C LVEXPORT LONG mioPlayViewFile(LONG, LONG, LONG, LONG) { return 0; }

// The module keeps no attribute texts: always 0.
LV_EXTERN_C LVEXPORT LONG mioGetAttrText(LONG, LONG, LONG, LONG) { return 0; }

// No escape functions: always 0.
LV_EXTERN_C LVEXPORT LONG mioEscape(LONG, LONG, LONG, LONG, LONG) { return 0; }
