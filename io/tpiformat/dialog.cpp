// The properties dialog "Eigenschaften" and the table of open dialogs.
#include <string>

#include "dialog_text.h"
#include "module.h"
#include "operations.h"
#include "record.h"
#include "resources/resource.h"

namespace tpi {

namespace {

constexpr int kDialogSlots = 20;

// One open properties dialog (24 bytes of movable memory).
struct DialogRecord {
  HWND window;
  LONG reserved;
  LONG first;           // first argument of tfBmpShowDlgFileData
  HGLOBAL record;       // the file-data record shown
  LONG previousEnabled;
  LONG nextEnabled;
};
static_assert(sizeof(DialogRecord) == 24, "dialog record is 24 bytes");

struct DialogSlot {
  HGLOBAL handle;
  DialogRecord* locked;
  DWORD size;
};

DialogSlot g_slots[kDialogSlots] = {};

std::string LoadText(UINT id) {
  char text[256] = "";
  LoadStringA(Instance(), id, text, sizeof text);
  return text;
}

std::string Format(UINT id, LONG value) {
  char text[1024];
  wsprintfA(text, LoadText(id).c_str(), value);
  return text;
}

UINT TypeTextId(LONG type) {
  switch (type) {
    case TFD_TYPE_RGB: return IDS_TYPE_RGB;
    case TFD_TYPE_256: return IDS_TYPE_256;
    case TFD_TYPE_16: return IDS_TYPE_16;
    case TFD_TYPE_HICOLOR: return IDS_TYPE_HICOLOR;
    case TFD_TYPE_GREY: return IDS_TYPE_GREY;
    case TFD_TYPE_BW: return IDS_TYPE_BW;
    default: return 0;
  }
}

std::string ThousandSeparator() {
  char separator[2] = "";
  GetProfileStringA("intl", "sThousand", ",", separator, sizeof separator);
  return separator;
}

std::string RecordPath(const BYTE* r) {
  char path[MAX_PATH] = "";
  lstrcpynA(path, reinterpret_cast<const char*>(r + TFD_PATH), TFD_HOST_TEXT1 - TFD_PATH);
  return path;
}

void FillTexts(HWND dialog, const BYTE* r) {
  const LONG width = Get32(r, TFD_WIDTH);
  const LONG height = Get32(r, TFD_HEIGHT);
  const UINT typeText = TypeTextId(Get32(r, TFD_DATA_TYPE));
  SetDlgItemTextA(dialog, IDC_TYPE, typeText ? LoadText(typeText).c_str() : "");
  SetDlgItemTextA(dialog, IDC_WIDTH, Format(IDS_PIXELS, width).c_str());
  SetDlgItemTextA(dialog, IDC_HEIGHT, Format(IDS_PIXELS, height).c_str());
  const bool metric = GetProfileIntA("intl", "iMeasure", 1) == 0;
  const WORD resolution = ResolutionValue(static_cast<DWORD>(Get32(r, TFD_XRES)), metric);
  SetDlgItemTextA(dialog, IDC_RESOLUTION, Format(metric ? IDS_PER_CM : IDS_PER_INCH, resolution).c_str());
  const std::string separator = ThousandSeparator();
  const std::string bytes = LoadText(IDS_BYTES), kb = LoadText(IDS_KB);
  const uint64_t bits = static_cast<DWORD>(Get32(r, TFD_BITS));
  const uint64_t imageSize = (bits * static_cast<DWORD>(width) + 7) / 8 * static_cast<DWORD>(height);
  SetDlgItemTextA(dialog, IDC_IMAGE_SIZE, SizeText(imageSize, separator, bytes, kb).c_str());
  SetDlgItemTextA(dialog, IDC_NAME, ShortenPath(RecordPath(r)).c_str());
  SetDlgItemTextA(dialog, IDC_FORMAT, LoadText(IDS_DESCRIPTION).c_str());
  SetDlgItemTextA(dialog, IDC_COMPRESSION, LoadText(IDS_NONE).c_str());
  SetDlgItemTextA(dialog, IDC_PREVIEW, LoadText(IDS_NONE).c_str());
  const uint64_t fileSize = static_cast<DWORD>(Get32(r, TFD_FILE_SIZE));
  SetDlgItemTextA(dialog, IDC_FILE_SIZE, SizeText(fileSize, separator, bytes, kb).c_str());
  SetDlgItemTextA(dialog, IDC_READABLE, LoadText(Get32(r, TFD_READABLE) ? IDS_YES : IDS_NO).c_str());
}

// Hides the previous and next buttons and puts OK where "&Nächste" was, or
// enables the two buttons as asked.
void ArrangeButtons(HWND dialog, const DialogRecord& d) {
  HWND previous = GetDlgItem(dialog, IDC_PREVIOUS);
  HWND next = GetDlgItem(dialog, IDC_NEXT);
  if (d.previousEnabled || d.nextEnabled) {
    EnableWindow(previous, d.previousEnabled != 0);
    EnableWindow(next, d.nextEnabled != 0);
    return;
  }
  RECT place;
  GetWindowRect(next, &place);
  POINT corner = {place.left, place.top};
  ScreenToClient(dialog, &corner);
  ShowWindow(previous, SW_HIDE);
  ShowWindow(next, SW_HIDE);
  MoveWindow(GetDlgItem(dialog, IDOK), corner.x, corner.y, place.right - place.left,
             place.bottom - place.top, TRUE);
}

INT_PTR OnInitDialog(HWND dialog, DialogRecord* d) {
  d->window = dialog;
  const BYTE* r = static_cast<const BYTE*>(GlobalLock(d->record));
  if (r) {
    FillTexts(dialog, r);
    GlobalUnlock(d->record);
  }
  ArrangeButtons(dialog, *d);
  Misc().dialogSetup(dialog, 1);
  return TRUE;
}

INT_PTR CALLBACK PropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInitDialog(dialog, reinterpret_cast<DialogRecord*>(lParam));
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL: EndDialog(dialog, 1); return TRUE;
    case IDC_PREVIOUS: EndDialog(dialog, 2); return TRUE;
    case IDC_NEXT: EndDialog(dialog, 3); return TRUE;
    default: return FALSE;
  }
}

// Takes a free slot and a zero-filled dialog record for it; reports and
// returns -1 when the table is full or memory fails.
int TakeSlot() {
  int free = -1;
  for (int i = 0; i < kDialogSlots && free < 0; ++i)
    if (!g_slots[i].handle) free = i;
  if (free < 0) {
    ReportError(kFnModule, 6, 2, IDS_TABLE_FULL);
    return -1;
  }
  HGLOBAL handle = GlobalAlloc(GHND, sizeof(DialogRecord));
  auto* locked = handle ? static_cast<DialogRecord*>(GlobalLock(handle)) : nullptr;
  if (!locked) {
    if (handle) GlobalFree(handle);
    ReportError(kFnModule, 6, 1, IDS_NO_GLOBAL_MEMORY);
    return -1;
  }
  g_slots[free] = {handle, locked, sizeof(DialogRecord)};
  return free;
}

// Frees the slot holding `record`; reports (810, 7, 1, 7019) when no slot does.
void FreeSlot(const DialogRecord* record) {
  for (DialogSlot& slot : g_slots) {
    if (slot.handle && slot.locked == record) {
      GlobalUnlock(slot.handle);
      GlobalFree(slot.handle);
      slot = {};
      return;
    }
  }
  ReportError(kFnModule, 7, 1, IDS_BAD_PARAMETER);
}

}  // namespace

LONG ShowProperties(LONG first, HWND parent, HGLOBAL record, LONG previousEnabled,
                    LONG nextEnabled) {
  if (!record || GlobalSize(record) < TFD_COMMON_SIZE) {
    ReportError(kFnHeader, 2, 1, IDS_BAD_PARAMETER);
    return 0;
  }
  const int slot = TakeSlot();
  if (slot < 0) return 0;
  DialogRecord* d = g_slots[slot].locked;
  *d = {0, 0, first, record, previousEnabled, nextEnabled};
  const INT_PTR result = DialogBoxParamA(Instance(), MAKEINTRESOURCE(IDD_PROPERTIES), parent,
                                         PropertiesProc, reinterpret_cast<LPARAM>(d));
  FreeSlot(d);
  if (result == -1) {
    ReportError(kFnHeader, 2, 2, IDS_NO_DIALOG);
    return 0;
  }
  return static_cast<LONG>(result);
}

}  // namespace tpi
