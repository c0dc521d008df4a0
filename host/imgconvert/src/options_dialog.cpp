// Options dialogs: move values between the option record and the controls,
// check the numbers on OK; no image work here.
#include "options_dialog.h"

#include <hostcommon.h>

#include "../resources/resource.h"
#include "convert.h"

namespace imgconvert {
namespace {

// State of one dialog run.
struct DialogState {
  LONG targetType;       // 4, 8 or 64
  CVT32OPTIONS options;  // working copy, written back on OK
};

HMODULE OwnModule() {
  static HMODULE module = 0;
  if (!module) {
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &module);
  }
  return module;
}

LONG MostColours(LONG targetType) { return targetType == CVT32_TYPE_INDEXED16 ? 16 : 256; }

// Shows "value out of range" for low..high and puts the focus on the field.
void ShowRange(HWND dialog, int field, int low, int high) {
  char format[128] = {}, text[160] = {};
  LoadStringA(OwnModule(), IDS_RANGE, format, sizeof format);
  wsprintfA(text, format, low, high);
  C32MBRECORD record = {};
  record.owner = dialog;
  record.text = text;
  record.kind = 1;
  c32ShowMb(&record);
  SetFocus(GetDlgItem(dialog, field));
}

// Reads a number field; shows the range message when it is not a number
// within low..high.
bool ReadNumber(HWND dialog, int field, int low, int high, LONG* value) {
  BOOL translated = FALSE;
  UINT v = GetDlgItemInt(dialog, field, &translated, FALSE);
  if (!translated || v < static_cast<UINT>(low) || v > static_cast<UINT>(high)) {
    ShowRange(dialog, field, low, high);
    return false;
  }
  *value = static_cast<LONG>(v);
  return true;
}

void EnablePaletteFields(HWND dialog) {
  BOOL optimised = IsDlgButtonChecked(dialog, IDC_PALETTE_OPTIMISED) == BST_CHECKED;
  for (int id : {IDC_COLOURS, IDC_METHOD_MEDIANCUT, IDC_METHOD_POPULARITY}) {
    EnableWindow(GetDlgItem(dialog, id), optimised);
  }
}

void InitPalette(HWND dialog, const DialogState& s) {
  const CVT32OPTIONS& o = s.options;
  CheckRadioButton(dialog, IDC_PALETTE_OPTIMISED, IDC_PALETTE_FIXED,
                   o.palette == CVT32_PALETTE_FIXED ? IDC_PALETTE_FIXED : IDC_PALETTE_OPTIMISED);
  SetDlgItemInt(dialog, IDC_COLOURS, static_cast<UINT>(o.colours), FALSE);
  char format[32] = {}, range[32] = {};
  LoadStringA(OwnModule(), IDS_COLOURS_RANGE, format, sizeof format);
  wsprintfA(range, format, 2, static_cast<int>(MostColours(s.targetType)));
  SetDlgItemTextA(dialog, IDC_COLOURS_RANGE, range);
  CheckRadioButton(dialog, IDC_METHOD_MEDIANCUT, IDC_METHOD_POPULARITY,
                   o.method == CVT32_METHOD_POPULARITY ? IDC_METHOD_POPULARITY
                                                       : IDC_METHOD_MEDIANCUT);
  CheckDlgButton(dialog, IDC_DITHER, o.dither ? BST_CHECKED : BST_UNCHECKED);
  EnablePaletteFields(dialog);
}

bool SavePalette(HWND dialog, DialogState* s) {
  CVT32OPTIONS& o = s->options;
  o.palette = IsDlgButtonChecked(dialog, IDC_PALETTE_FIXED) == BST_CHECKED
                  ? CVT32_PALETTE_FIXED
                  : CVT32_PALETTE_OPTIMISED;
  if (o.palette == CVT32_PALETTE_OPTIMISED &&
      !ReadNumber(dialog, IDC_COLOURS, 2, MostColours(s->targetType), &o.colours)) {
    return false;
  }
  o.method = IsDlgButtonChecked(dialog, IDC_METHOD_POPULARITY) == BST_CHECKED
                 ? CVT32_METHOD_POPULARITY
                 : CVT32_METHOD_MEDIANCUT;
  o.dither = IsDlgButtonChecked(dialog, IDC_DITHER) == BST_CHECKED ? CVT32_DITHER_FLOYD_STEINBERG
                                                                   : CVT32_DITHER_NONE;
  return true;
}

void EnableBwFields(HWND dialog) {
  EnableWindow(GetDlgItem(dialog, IDC_THRESHOLD),
               IsDlgButtonChecked(dialog, IDC_BW_THRESHOLD) == BST_CHECKED);
}

void InitBw(HWND dialog, const DialogState& s) {
  const CVT32OPTIONS& o = s.options;
  CheckRadioButton(dialog, IDC_BW_THRESHOLD, IDC_BW_DITHER,
                   o.dither ? IDC_BW_DITHER : IDC_BW_THRESHOLD);
  SetDlgItemInt(dialog, IDC_THRESHOLD, static_cast<UINT>(o.threshold ? o.threshold : 128), FALSE);
  EnableBwFields(dialog);
}

bool SaveBw(HWND dialog, DialogState* s) {
  CVT32OPTIONS& o = s->options;
  bool dither = IsDlgButtonChecked(dialog, IDC_BW_DITHER) == BST_CHECKED;
  if (!dither && !ReadNumber(dialog, IDC_THRESHOLD, 1, 255, &o.threshold)) return false;
  o.dither = dither ? CVT32_DITHER_FLOYD_STEINBERG : CVT32_DITHER_NONE;
  return true;
}

void OnCommand(HWND dialog, DialogState* s, int id) {
  bool bw = s->targetType == CVT32_TYPE_BW;
  switch (id) {
    case IDOK:
      if (bw ? SaveBw(dialog, s) : SavePalette(dialog, s)) EndDialog(dialog, IDOK);
      break;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      break;
    case IDC_PALETTE_OPTIMISED:
    case IDC_PALETTE_FIXED:
      EnablePaletteFields(dialog);
      break;
    case IDC_BW_THRESHOLD:
    case IDC_BW_DITHER:
      EnableBwFields(dialog);
      break;
    default:
      break;
  }
}

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      s = reinterpret_cast<DialogState*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      t32MoveWindow(dialog, GetParent(dialog) ? GetParent(dialog) : static_cast<HWND>(-1), 1);
      if (s->targetType == CVT32_TYPE_BW) {
        InitBw(dialog, *s);
      } else {
        InitPalette(dialog, *s);
      }
      return TRUE;
    case WM_COMMAND:
      if (s) OnCommand(dialog, s, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

BOOL ShowOptionsDialog(HWND owner, LONG targetType, CVT32OPTIONS* options) {
  bool hasDialog = targetType == CVT32_TYPE_BW || targetType == CVT32_TYPE_INDEXED16 ||
                   targetType == CVT32_TYPE_INDEXED256;
  if (!options || !hasDialog || !CheckOptions(targetType, *options).ok()) {
    Report(CVT32_FN_BUFTYPE, CannotServe(CVT32_DETAIL_ARGUMENT));
    return FALSE;
  }
  DialogState state{targetType, *options};
  int id = targetType == CVT32_TYPE_BW ? IDD_CVT_BW : IDD_CVT_PALETTE;
  INT_PTR result = DialogBoxParamA(OwnModule(), MAKEINTRESOURCEA(id), owner, OptionsProc,
                                   reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) {
    c32ResetDLLErrInfo();
    return FALSE;
  }
  *options = state.options;
  return TRUE;
}

}  // namespace imgconvert
