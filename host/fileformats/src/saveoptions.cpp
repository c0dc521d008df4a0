// The save-options dialogs of the built-in formats: JPEG quality and
// progressive, PNG interlace, GIF interlace and transparent index. The
// dialog edits a copy of the options; OK validates and stores them in the
// file-data record.
#include <fileformats.h>
#include <hostcommon.h>

#include <commctrl.h>

#include <cstring>

#include "../resources/resource.h"
#include "errors.h"
#include "ownmodule.h"
#include "record.h"
#include "registry.h"

namespace tf {

namespace {

struct SaveOptions {
  LONG quality;
  bool progressive;
  bool interlaced;
  LONG transparentIndex;  // -1 none
};

struct DialogState {
  int dialogId;
  SaveOptions options;
};

void SetUpNumber(HWND dialog, int editId, int spinId, LONG value, LONG low, LONG high) {
  SetDlgItemInt(dialog, editId, static_cast<UINT>(value), FALSE);
  SendDlgItemMessageA(dialog, editId, EM_LIMITTEXT, 3, 0);
  SendDlgItemMessageA(dialog, spinId, UDM_SETRANGE, 0, MAKELPARAM(high, low));
  SendDlgItemMessageA(dialog, spinId, UDM_SETPOS, 0, MAKELPARAM(value, 0));
}

void ShowTransparency(HWND dialog) {
  BOOL on = IsDlgButtonChecked(dialog, IDC_TRANSPARENT) == BST_CHECKED;
  EnableWindow(GetDlgItem(dialog, IDC_TRANSPARENT_INDEX), on);
  EnableWindow(GetDlgItem(dialog, IDC_TRANSPARENT_SPIN), on);
}

void OnInit(HWND dialog, DialogState* state) {
  const SaveOptions& o = state->options;
  if (state->dialogId == IDD_JPEG_OPTIONS) {
    SetUpNumber(dialog, IDC_QUALITY, IDC_QUALITY_SPIN, o.quality, 1, 100);
    CheckDlgButton(dialog, IDC_PROGRESSIVE, o.progressive ? BST_CHECKED : BST_UNCHECKED);
    return;
  }
  CheckDlgButton(dialog, IDC_INTERLACED, o.interlaced ? BST_CHECKED : BST_UNCHECKED);
  if (state->dialogId == IDD_GIF_OPTIONS) {
    CheckDlgButton(dialog, IDC_TRANSPARENT, o.transparentIndex >= 0 ? BST_CHECKED : BST_UNCHECKED);
    SetUpNumber(dialog, IDC_TRANSPARENT_INDEX, IDC_TRANSPARENT_SPIN, o.transparentIndex >= 0 ? o.transparentIndex : 0,
                0, 255);
    ShowTransparency(dialog);
  }
  t32MoveWindow(dialog, GetParent(dialog) ? GetParent(dialog) : static_cast<HWND>(-1), 1);
}

// Reads a number field; shows the range message and focuses the field when
// it is outside low .. high.
bool ReadNumber(HWND dialog, int id, LONG low, LONG high, LONG* value) {
  BOOL ok = FALSE;
  UINT number = GetDlgItemInt(dialog, id, &ok, FALSE);
  if (ok && static_cast<LONG>(number) >= low && static_cast<LONG>(number) <= high) {
    *value = static_cast<LONG>(number);
    return true;
  }
  char pattern[128] = {}, text[160] = {};
  LoadStringA(OwnModule(), IDS_RANGE, pattern, sizeof pattern);
  wsprintfA(text, pattern, low, high);
  C32MBRECORD message = {};
  message.owner = dialog;
  message.text = text;
  message.kind = 1;
  c32ShowMb(&message);
  SetFocus(GetDlgItem(dialog, id));
  SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
  return false;
}

bool OnOk(HWND dialog, DialogState* state) {
  SaveOptions o = state->options;
  if (state->dialogId == IDD_JPEG_OPTIONS) {
    if (!ReadNumber(dialog, IDC_QUALITY, 1, 100, &o.quality)) return false;
    o.progressive = IsDlgButtonChecked(dialog, IDC_PROGRESSIVE) == BST_CHECKED;
  } else {
    o.interlaced = IsDlgButtonChecked(dialog, IDC_INTERLACED) == BST_CHECKED;
  }
  if (state->dialogId == IDD_GIF_OPTIONS) {
    o.transparentIndex = -1;
    if (IsDlgButtonChecked(dialog, IDC_TRANSPARENT) == BST_CHECKED &&
        !ReadNumber(dialog, IDC_TRANSPARENT_INDEX, 0, 255, &o.transparentIndex))
      return false;
  }
  state->options = o;
  return true;
}

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogState* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      OnInit(dialog, reinterpret_cast<DialogState*>(lParam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          if (OnOk(dialog, state)) EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        case IDC_TRANSPARENT:
          ShowTransparency(dialog);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

int DialogFor(const TFFORMATINFO& info) {
  if (std::strncmp(info.shortName, "JPG", 4) == 0) return IDD_JPEG_OPTIONS;
  if (std::strncmp(info.shortName, "PNG", 4) == 0) return IDD_PNG_OPTIONS;
  if (std::strncmp(info.shortName, "GIF", 4) == 0) return IDD_GIF_OPTIONS;
  return 0;
}

SaveOptions OptionsOf(const TFFILEDATA& record) {
  SaveOptions o;
  o.quality = record.jpegQuality >= 1 && record.jpegQuality <= 100 ? record.jpegQuality : 75;
  o.progressive = (record.jpegFlags & TF_JPEG_FLAG_PROGRESSIVE) != 0;
  o.interlaced = record.interlaced != 0;
  o.transparentIndex = record.transparentIndex >= 0 && record.transparentIndex <= 255 ? record.transparentIndex : -1;
  return o;
}

void StoreOptions(const SaveOptions& o, int dialogId, TFFILEDATA* record) {
  if (dialogId == IDD_JPEG_OPTIONS) {
    record->jpegQuality = o.quality;
    record->jpegFlags = (record->jpegFlags & ~TF_JPEG_FLAG_PROGRESSIVE) | (o.progressive ? TF_JPEG_FLAG_PROGRESSIVE : 0);
    return;
  }
  record->interlaced = o.interlaced ? 1 : 0;
  if (dialogId == IDD_GIF_OPTIONS) record->transparentIndex = o.transparentIndex;
}

// The format entry an information pointer belongs to (by address, or by
// short name for a copy).
const FormatEntry* EntryOf(const TFFORMATINFO* format) {
  for (const FormatEntry& entry : Formats())
    if (&entry.info == format) return &entry;
  for (const FormatEntry& entry : Formats())
    if (std::strncmp(entry.info.shortName, format->shortName, 4) == 0) return &entry;
  return nullptr;
}

}  // namespace

}  // namespace tf

using namespace tf;

LONG tfFileShowDlgSaveOption(const TFFORMATINFO* format, HWND owner, HGLOBAL handle, LONG dialogId) {
  const FormatEntry* entry = format ? EntryOf(format) : nullptr;
  if (!entry || dialogId != TF_SAVE_OPTIONS_DIALOG || GlobalSize(handle) < TF_FILEDATA_SIZE) {
    Report(kErrCannotServe, TF_OP_OPTIONS, 1);
    return 0;
  }
  if (entry->module) {
    if (!entry->showSaveOption) {
      ClearError();
      return 0;
    }
    return entry->showSaveOption(0, owner, handle, dialogId, 0, 0) ? 1 : 0;
  }
  int dialog = DialogFor(entry->info);
  if (!dialog) {
    ClearError();
    return 0;
  }
  TFFILEDATA* record = LockRecord(handle);
  DialogState state = {dialog, OptionsOf(*record)};
  GlobalUnlock(handle);
  INT_PTR answer = DialogBoxParamA(OwnModule(), MAKEINTRESOURCEA(dialog), owner, OptionsProc,
                                   reinterpret_cast<LPARAM>(&state));
  if (answer != IDOK) {
    ClearError();
    if (answer == -1) Report(kErrCannotServe, TF_OP_OPTIONS, 2);
    return 0;
  }
  record = LockRecord(handle);
  StoreOptions(state.options, dialog, record);
  GlobalUnlock(handle);
  return 1;
}
