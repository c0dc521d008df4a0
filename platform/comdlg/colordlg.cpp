// ChooseColorA: the modal colour dialog with basic and custom colours and the
// colour mixer.
#include <colordlg.h>
#include <commdlg.h>

#include <algorithm>
#include <unordered_map>

#include "colordlg_internal.h"
#include "ctlcommon.h"

namespace lv::dlg {

void RegisterSwatchClass();
void RegisterFieldClasses();

const COLORREF kBasicColors[48] = {
    RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),
    RGB(128, 255, 255), RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255),
    RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),
    RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
    RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
    RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),
    RGB(0, 0, 255),     RGB(0, 0, 160),     RGB(128, 0, 128),   RGB(128, 0, 255),
    RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
    RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
    RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128),
    RGB(64, 128, 128),  RGB(192, 192, 192), RGB(64, 0, 64),     RGB(255, 255, 255),
};

namespace {

constexpr int kCustomCount = 16;

thread_local DWORD t_lastError = 0;

struct ColorDialog {
  LPCHOOSECOLORA cc = nullptr;     // the caller's structure
  COLORREF current = 0;            // the colour shown and returned by OK
  COLORREF custom[kCustomCount]{}; // working copy of the custom colours
  int customIndex = 0;             // the custom box "Farben hinzufügen" fills next
  bool updating = false;           // edits are being set by the dialog itself
  UINT colorOkMessage = 0;         // registered COLOROKSTRING
  UINT setRgbMessage = 0;          // registered SETRGBSTRING
  UINT helpMessage = 0;            // registered HELPMSGSTRING
};

std::unordered_map<HWND, ColorDialog*> g_dialogs;

LPCCHOOKPROC HookOf(const ColorDialog& d) {
  return (d.cc->Flags & CC_ENABLEHOOK) ? d.cc->lpfnHook : nullptr;
}

void SetEditNumber(HWND dlg, ColorDialog& d, int id, int value) {
  d.updating = true;
  SetDlgItemInt(dlg, id, static_cast<UINT>(value), FALSE);
  d.updating = false;
}

void ShowRgb(HWND dlg, ColorDialog& d) {
  SetEditNumber(dlg, d, COLOR_RED, GetRValue(d.current));
  SetEditNumber(dlg, d, COLOR_GREEN, GetGValue(d.current));
  SetEditNumber(dlg, d, COLOR_BLUE, GetBValue(d.current));
}

void ShowHls(HWND dlg, ColorDialog& d, const Hls& hls) {
  SetEditNumber(dlg, d, COLOR_HUE, hls.hue);
  SetEditNumber(dlg, d, COLOR_SAT, hls.sat);
  SetEditNumber(dlg, d, COLOR_LUM, hls.lum);
}

void ShowSampleAndFields(HWND dlg, const ColorDialog& d, const Hls& hls) {
  SendDlgItemMessageA(dlg, COLOR_CURRENT, CSM_SETCOLOR, 0, static_cast<LPARAM>(d.current));
  SendDlgItemMessageA(dlg, COLOR_RAINBOW, CFM_SETHLS, 0, PackHls(hls));
  SendDlgItemMessageA(dlg, COLOR_LUMSCROLL, CFM_SETHLS, 0, PackHls(hls));
}

// Makes colour the current one and shows it everywhere.
void SetCurrent(HWND dlg, ColorDialog& d, COLORREF color) {
  d.current = color & 0x00FFFFFF;
  const Hls hls = RgbToHls(d.current);
  ShowRgb(dlg, d);
  ShowHls(dlg, d, hls);
  ShowSampleAndFields(dlg, d, hls);
}

// Reads one edit; out-of-range numbers are cut to the maximum and shown so.
// Returns false when the edit holds no number (the component stays).
bool ReadComponent(HWND dlg, ColorDialog& d, int id, int maximum, int* value) {
  BOOL ok = FALSE;
  const UINT read = GetDlgItemInt(dlg, id, &ok, FALSE);
  if (!ok) return false;
  *value = static_cast<int>(std::min<UINT>(read, static_cast<UINT>(maximum)));
  if (read > static_cast<UINT>(maximum)) SetEditNumber(dlg, d, id, maximum);
  return true;
}

void OnRgbEdited(HWND dlg, ColorDialog& d) {
  int r = GetRValue(d.current), g = GetGValue(d.current), b = GetBValue(d.current);
  ReadComponent(dlg, d, COLOR_RED, 255, &r);
  ReadComponent(dlg, d, COLOR_GREEN, 255, &g);
  ReadComponent(dlg, d, COLOR_BLUE, 255, &b);
  d.current = RGB(r, g, b);
  const Hls hls = RgbToHls(d.current);
  ShowHls(dlg, d, hls);
  ShowSampleAndFields(dlg, d, hls);
}

void OnHlsEdited(HWND dlg, ColorDialog& d) {
  Hls hls = RgbToHls(d.current);
  ReadComponent(dlg, d, COLOR_HUE, kHlsMax - 1, &hls.hue);
  ReadComponent(dlg, d, COLOR_SAT, kHlsMax, &hls.sat);
  ReadComponent(dlg, d, COLOR_LUM, kHlsMax, &hls.lum);
  d.current = HlsToRgb(hls);
  ShowRgb(dlg, d);
  ShowSampleAndFields(dlg, d, hls);
}

void OnFieldChanged(HWND dlg, ColorDialog& d, int id) {
  const Hls picked = UnpackHls(SendDlgItemMessageA(dlg, id, CFM_GETHLS, 0, 0));
  Hls hls = RgbToHls(d.current);
  if (id == COLOR_RAINBOW) {
    hls.hue = picked.hue;
    hls.sat = picked.sat;
  } else {
    hls.lum = picked.lum;
  }
  d.current = HlsToRgb(hls);
  ShowRgb(dlg, d);
  ShowHls(dlg, d, hls);
  ShowSampleAndFields(dlg, d, hls);
}

void OnSwatchSelected(HWND dlg, ColorDialog& d, int id) {
  const LRESULT index = SendDlgItemMessageA(dlg, id, CSM_GETSEL, 0, 0);
  if (index < 0) return;
  if (id == COLOR_CUSTOM1) {
    d.customIndex = static_cast<int>(index) % kCustomCount;
    SendDlgItemMessageA(dlg, COLOR_BOX1, CSM_SETSEL, static_cast<WPARAM>(-1), 0);
  } else {
    SendDlgItemMessageA(dlg, COLOR_CUSTOM1, CSM_SETSEL, static_cast<WPARAM>(-1), 0);
  }
  SetCurrent(dlg, d, static_cast<COLORREF>(SendDlgItemMessageA(dlg, id, CSM_GETCOLOR, static_cast<WPARAM>(index), 0)));
}

// "Farben hinzufügen": the current colour goes into the selected custom box,
// and the next box is selected.
void AddCustomColor(HWND dlg, ColorDialog& d) {
  d.custom[d.customIndex] = d.current;
  SendDlgItemMessageA(dlg, COLOR_CUSTOM1, CSM_SETCOLOR, static_cast<WPARAM>(d.customIndex), static_cast<LPARAM>(d.current));
  d.customIndex = (d.customIndex + 1) % kCustomCount;
  SendDlgItemMessageA(dlg, COLOR_CUSTOM1, CSM_SETSEL, static_cast<WPARAM>(d.customIndex), 0);
}

void SetDialogWidth(HWND dlg, int dialogUnits) {
  RECT units{0, 0, dialogUnits, 0};
  MapDialogRect(dlg, &units);
  RECT window{}, client{};
  GetWindowRect(dlg, &window);
  GetClientRect(dlg, &client);
  const int frame = (window.right - window.left) - client.right;
  SetWindowPos(dlg, 0, 0, 0, units.right + frame, window.bottom - window.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OpenMixer(HWND dlg) {
  SetDialogWidth(dlg, kFullWidth);
  HWND mix = GetDlgItem(dlg, COLOR_MIX);
  if (mix && GetFocus() == mix) SetFocus(GetDlgItem(dlg, COLOR_HUE));
  EnableWindow(mix, FALSE);
}

void FinishOk(HWND dlg, ColorDialog& d) {
  d.cc->rgbResult = d.current;
  LPCCHOOKPROC hook = HookOf(d);
  if (hook && d.colorOkMessage && hook(dlg, d.colorOkMessage, 0, reinterpret_cast<LPARAM>(d.cc))) return;
  std::copy(d.custom, d.custom + kCustomCount, d.cc->lpCustColors);
  EndDialog(dlg, TRUE);
}

void OnCommand(HWND dlg, ColorDialog& d, WORD id, WORD code) {
  switch (id) {
    case COLOR_RED:
    case COLOR_GREEN:
    case COLOR_BLUE:
      if (code == EN_CHANGE && !d.updating) OnRgbEdited(dlg, d);
      break;
    case COLOR_HUE:
    case COLOR_SAT:
    case COLOR_LUM:
      if (code == EN_CHANGE && !d.updating) OnHlsEdited(dlg, d);
      break;
    case COLOR_BOX1:
    case COLOR_CUSTOM1:
      if (code == CSN_SELECT) OnSwatchSelected(dlg, d, id);
      break;
    case COLOR_RAINBOW:
    case COLOR_LUMSCROLL:
      if (code == CFN_CHANGED) OnFieldChanged(dlg, d, id);
      break;
    case COLOR_ADD: AddCustomColor(dlg, d); break;
    case COLOR_MIX: OpenMixer(dlg); break;
    case IDOK: FinishOk(dlg, d); break;
    case IDCANCEL: EndDialog(dlg, FALSE); break;
    case pshHelp:
      if (d.cc->hwndOwner && d.helpMessage)
        SendMessageA(d.cc->hwndOwner, d.helpMessage, static_cast<WPARAM>(dlg), reinterpret_cast<LPARAM>(d.cc));
      break;
    default: break;
  }
}

int BasicIndexOf(COLORREF color) {
  for (int i = 0; i < 48; ++i) {
    if (kBasicColors[i] == color) return i;
  }
  return -1;
}

void Initialise(HWND dlg, ColorDialog& d) {
  g_dialogs[dlg] = &d;
  const DWORD flags = d.cc->Flags;
  std::copy(d.cc->lpCustColors, d.cc->lpCustColors + kCustomCount, d.custom);
  SendDlgItemMessageA(dlg, COLOR_BOX1, CSM_SETCOLORS, 48, reinterpret_cast<LPARAM>(kBasicColors));
  SendDlgItemMessageA(dlg, COLOR_CUSTOM1, CSM_SETCOLORS, kCustomCount, reinterpret_cast<LPARAM>(d.custom));
  const COLORREF single[1] = {0};
  SendDlgItemMessageA(dlg, COLOR_CURRENT, CSM_SETCOLORS, 1, reinterpret_cast<LPARAM>(single));
  for (int id : {COLOR_RED, COLOR_GREEN, COLOR_BLUE, COLOR_HUE, COLOR_SAT, COLOR_LUM})
    SendDlgItemMessageA(dlg, id, EM_LIMITTEXT, 3, 0);
  SetCurrent(dlg, d, (flags & CC_RGBINIT) ? d.cc->rgbResult : RGB(0, 0, 0));
  SendDlgItemMessageA(dlg, COLOR_BOX1, CSM_SETSEL, static_cast<WPARAM>(BasicIndexOf(d.current)), 0);
  if (!(flags & CC_SHOWHELP)) ShowWindow(GetDlgItem(dlg, pshHelp), SW_HIDE);
  if (flags & CC_FULLOPEN) EnableWindow(GetDlgItem(dlg, COLOR_MIX), FALSE);
  else SetDialogWidth(dlg, kSmallWidth);
  if (flags & CC_PREVENTFULLOPEN) EnableWindow(GetDlgItem(dlg, COLOR_MIX), FALSE);
}

INT_PTR CALLBACK ColorDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* d = reinterpret_cast<ColorDialog*>(lParam);
    Initialise(dlg, *d);
    LPCCHOOKPROC hook = HookOf(*d);
    if (hook) return static_cast<INT_PTR>(hook(dlg, msg, wParam, reinterpret_cast<LPARAM>(d->cc)));
    return TRUE;
  }
  auto it = g_dialogs.find(dlg);
  if (it == g_dialogs.end()) return FALSE;
  ColorDialog& d = *it->second;
  if (msg == WM_NCDESTROY) {
    g_dialogs.erase(it);
    return FALSE;
  }
  LPCCHOOKPROC hook = HookOf(d);
  if (hook) {
    const UINT_PTR handled = hook(dlg, msg, wParam, lParam);
    if (handled) return static_cast<INT_PTR>(handled);
  }
  if (msg == WM_COMMAND) {
    OnCommand(dlg, d, LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }
  if (d.setRgbMessage && msg == d.setRgbMessage) {
    SetCurrent(dlg, d, static_cast<COLORREF>(lParam));
    return TRUE;
  }
  return FALSE;
}

// Checks the caller's structure; 0 when it can be shown, else the error.
DWORD Validate(const CHOOSECOLORA* cc) {
  if (!cc) return CDERR_INITIALIZATION;
  if (cc->lStructSize != sizeof(CHOOSECOLORA)) return CDERR_STRUCTSIZE;
  if ((cc->Flags & CC_ENABLEHOOK) && !cc->lpfnHook) return CDERR_NOHOOK;
  if (!cc->lpCustColors) return CDERR_INITIALIZATION;
  if ((cc->Flags & CC_ENABLETEMPLATE) && !cc->lpTemplateName) return CDERR_NOTEMPLATE;
  if ((cc->Flags & (CC_ENABLETEMPLATE | CC_ENABLETEMPLATEHANDLE)) && !cc->hInstance) return CDERR_NOHINSTANCE;
  return 0;
}

INT_PTR RunDialog(LPCHOOSECOLORA cc, ColorDialog& d, DWORD* error) {
  const LPARAM param = reinterpret_cast<LPARAM>(&d);
  if (cc->Flags & CC_ENABLETEMPLATEHANDLE) {
    const void* custom = GlobalLock(static_cast<HGLOBAL>(cc->hInstance));
    if (!custom) {
      *error = CDERR_LOCKRESFAILURE;
      return -1;
    }
    INT_PTR result = DialogBoxIndirectParamA(0, static_cast<LPCDLGTEMPLATEA>(custom), cc->hwndOwner,
                                             ColorDialogProc, param);
    GlobalUnlock(static_cast<HGLOBAL>(cc->hInstance));
    return result;
  }
  if (cc->Flags & CC_ENABLETEMPLATE) {
    const HINSTANCE module = static_cast<HINSTANCE>(cc->hInstance);
    if (!FindResourceA(module, cc->lpTemplateName, RT_DIALOG)) {
      *error = CDERR_FINDRESFAILURE;
      return -1;
    }
    return DialogBoxParamA(module, cc->lpTemplateName, cc->hwndOwner, ColorDialogProc, param);
  }
  const std::vector<DWORD> image = BuildColorTemplate();
  return DialogBoxIndirectParamA(0, reinterpret_cast<LPCDLGTEMPLATEA>(image.data()), cc->hwndOwner, ColorDialogProc,
                                 param);
}

}  // namespace
}  // namespace lv::dlg

namespace lv::ctl {

void RegisterColorDialogClasses() {
  dlg::RegisterSwatchClass();
  dlg::RegisterFieldClasses();
}

}  // namespace lv::ctl

BOOL ChooseColorA(LPCHOOSECOLORA lpcc) {
  using namespace lv::dlg;
  t_lastError = Validate(lpcc);
  if (t_lastError) return FALSE;
  lvRegisterStandardControls();
  ColorDialog d;
  d.cc = lpcc;
  d.colorOkMessage = RegisterWindowMessageA(COLOROKSTRINGA);
  d.setRgbMessage = RegisterWindowMessageA(SETRGBSTRINGA);
  d.helpMessage = RegisterWindowMessageA(HELPMSGSTRINGA);
  DWORD error = 0;
  const INT_PTR result = RunDialog(lpcc, d, &error);
  if (result == -1) {
    t_lastError = error ? error : CDERR_DIALOGFAILURE;
    return FALSE;
  }
  return result == TRUE ? TRUE : FALSE;
}

DWORD CommDlgExtendedError(void) { return lv::dlg::t_lastError; }
