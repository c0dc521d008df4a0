// The dialog class's window procedure: calls the dialog procedure and does
// what it leaves undone (default button, focus keeping, WM_NEXTDLGCTL,
// closing as Cancel, background).
#include "userint.h"

namespace lvuser {
namespace {
const UINT kBmSetStyle = 0x00F4;
const DWORD kBsPushButton = 0x0;
const DWORD kBsDefPushButton = 0x1;
const UINT kEmSetSel = 0x00B1;
const int kColorBtnFace = 15;

// Messages whose result is the dialog procedure's return value itself.
bool ReturnsDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG: return true;
    default: return false;
  }
}

HWND DefaultButton(HWND dlg) {
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (DlgCode(c, nullptr) & DLGC_DEFPUSHBUTTON) return c;
  return 0;
}

LRESULT GetDefId(HWND dlg, DialogInfo* d) {
  if (d->hasDefId) return MAKELONG(d->defId, DC_HASDEFID);
  if (HWND b = DefaultButton(dlg)) return MAKELONG(GetDlgCtrlID(b), DC_HASDEFID);
  return 0;
}

void SetButtonDefault(HWND button, bool isDefault) {
  UINT code = DlgCode(button, nullptr);
  if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) return;
  SendMessageA(button, kBmSetStyle, isDefault ? kBsDefPushButton : kBsPushButton, TRUE);
}

void SetDefId(HWND dlg, DialogInfo* d, WORD id) {
  LRESULT old = GetDefId(dlg, d);
  if (HIWORD(old) == DC_HASDEFID && LOWORD(old) != id)
    if (HWND b = GetDlgItem(dlg, LOWORD(old))) SetButtonDefault(b, false);
  if ((d = DialogOf(dlg)) == nullptr) return;
  d->defId = id;
  d->hasDefId = true;
  if (HWND b = GetDlgItem(dlg, id)) SetButtonDefault(b, true);
}

void FocusControl(HWND ctl) {
  if (!ctl) return;
  if (DlgCode(ctl, nullptr) & DLGC_HASSETSEL) SendMessageA(ctl, kEmSetSel, 0, -1);
  SetFocus(ctl);
}

void NextDlgCtl(HWND dlg, WPARAM wParam, LPARAM lParam) {
  HWND target;
  if (LOWORD(lParam))
    target = static_cast<HWND>(wParam);
  else
    target = GetNextDlgTabItem(dlg, GetFocus(), wParam != 0);
  if (target && (target == dlg || IsChild(dlg, target))) FocusControl(target);
}

void RestoreFocus(HWND dlg, DialogInfo* d) {
  HWND saved = d->focusSaved;
  if (saved && IsChild(dlg, saved) && IsWindowEnabled(saved) && IsWindowVisible(saved)) {
    SetFocus(saved);
    return;
  }
  HWND focus = GetFocus();
  if (focus && IsChild(dlg, focus)) return;
  HWND first = GetNextDlgTabItem(dlg, 0, FALSE);
  if (first) FocusControl(first);
}

LRESULT EraseDialog(HWND dlg, HDC dc) {
  HBRUSH brush = static_cast<HBRUSH>(SendMessageA(dlg, WM_CTLCOLORDLG, static_cast<WPARAM>(dc),
                                                  static_cast<LPARAM>(dlg)));
  RECT r;
  GetClientRect(dlg, &r);
  if (brush)
    FillWithBrush(dc, r, brush);
  else
    FillSolid(dc, r, SysColor(kColorBtnFace));
  return TRUE;
}

LRESULT DefaultHandling(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogInfo* d = DialogOf(dlg);
  if (!d) return DefWindowProcA(dlg, message, wParam, lParam);
  switch (message) {
    case DM_GETDEFID: return GetDefId(dlg, d);
    case DM_SETDEFID: SetDefId(dlg, d, static_cast<WORD>(wParam)); return TRUE;
    case WM_NEXTDLGCTL: NextDlgCtl(dlg, wParam, lParam); return 0;
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(dlg, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return 0;
      }
      PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), static_cast<LPARAM>(cancel));
      return 0;
    }
    case WM_SETFOCUS: RestoreFocus(dlg, d); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(dlg, focus)) d->focusSaved = focus;
      } else {
        RestoreFocus(dlg, d);
      }
      return 0;
    case WM_ERASEBKGND: return EraseDialog(dlg, static_cast<HDC>(wParam));
    case WM_SETFONT: d->font = static_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return static_cast<LRESULT>(d->font);
    case WM_NCDESTROY:
      if (d->ownedFont) {
        if (d->font == d->ownedFont) d->font = 0;
        FreeFont(d->ownedFont);
        d->ownedFont = 0;
      }
      return DefWindowProcA(dlg, message, wParam, lParam);
    case WM_INITDIALOG:
    case WM_COMMAND:
    case WM_NOTIFY: return 0;
    default: return DefWindowProcA(dlg, message, wParam, lParam);
  }
}
}  // namespace
}  // namespace lvuser

using namespace lvuser;

LRESULT DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogInfo* d = DialogOf(dialog);
  if (!d) return DefWindowProcA(dialog, message, wParam, lParam);
  DLGPROC proc = d->proc;
  d->msgResult = 0;
  INT_PTR handled = proc ? proc(dialog, message, wParam, lParam) : 0;
  d = DialogOf(dialog);
  if (!d) return handled;
  if (ReturnsDirectly(message)) {
    if (handled || message == WM_INITDIALOG) return handled;
    return DefaultHandling(dialog, message, wParam, lParam);
  }
  if (handled) return d->msgResult;
  return DefaultHandling(dialog, message, wParam, lParam);
}
