// Keyboard handling of dialogs (IsDialogMessage: Tab, arrows in groups,
// Enter, Escape, mnemonics) and the dialog item helpers.
#include "userint.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace lvuser {

namespace {
const WORD kBnClicked = 0;
const UINT kBmGetCheck = 0x00F0;
const UINT kBmSetCheck = 0x00F1;
const UINT kBmClick = 0x00F5;
const UINT kEmSetSel = 0x00B1;

// Controls of a dialog in z-order, entering WS_EX_CONTROLPARENT children
// (nested dialogs such as property pages) instead of listing them.
void CollectControls(HWND parent, std::vector<HWND>& out) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) {
      DWORD style = static_cast<DWORD>(GetWindowLongA(c, GWL_STYLE));
      if ((style & WS_VISIBLE) && !(style & WS_DISABLED)) CollectControls(c, out);
      continue;
    }
    out.push_back(c);
  }
}

bool Takes(HWND c, DWORD need) {
  // The control's own flags: the dialog itself may still be hidden.
  DWORD style = static_cast<DWORD>(GetWindowLongA(c, GWL_STYLE));
  return (style & WS_VISIBLE) && !(style & WS_DISABLED) && (style & need) == need;
}

void FocusControl(HWND ctl) {
  if (!ctl) return;
  if (DlgCode(ctl, nullptr) & DLGC_HASSETSEL) SendMessageA(ctl, kEmSetSel, 0, -1);
  SetFocus(ctl);
}

// The direct child of dlg that contains hwnd.
HWND ControlOf(HWND dlg, HWND hwnd) {
  while (hwnd && GetParent(hwnd) != dlg) {
    HWND p = GetParent(hwnd);
    if (!p || !IsChild(dlg, p)) return hwnd;
    if (GetWindowLongA(p, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) return hwnd;
    hwnd = p;
  }
  return hwnd;
}

void Click(HWND dlg, HWND ctl, int id) {
  if (ctl && !IsWindowEnabled(ctl)) {
    MessageBeep(0);
    return;
  }
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, kBnClicked), static_cast<LPARAM>(ctl));
}

void PressEnter(HWND dlg, HWND from, UINT code) {
  if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
    if (IsWindowEnabled(from)) Click(dlg, from, GetDlgCtrlID(from));
    return;
  }
  LRESULT def = SendMessageA(dlg, DM_GETDEFID, 0, 0);
  int id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
  Click(dlg, GetDlgItem(dlg, id), id);
}

void ActivateMnemonic(HWND dlg, HWND ctl) {
  UINT code = DlgCode(ctl, nullptr);
  if (code & DLGC_STATIC) {
    // A label hands over to the control after it.
    std::vector<HWND> all;
    CollectControls(dlg, all);
    for (size_t i = 0; i < all.size(); ++i) {
      if (all[i] != ctl) continue;
      for (size_t j = i + 1; j < all.size(); ++j)
        if (Takes(all[j], WS_TABSTOP)) {
          FocusControl(all[j]);
          return;
        }
    }
    return;
  }
  if (code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_RADIOBUTTON)) {
    SetFocus(ctl);
    SendMessageA(ctl, kBmClick, 0, 0);
    return;
  }
  FocusControl(ctl);
}

bool OnKeyDown(HWND dlg, MSG* msg) {
  UINT code = DlgCode(msg->hwnd, msg);
  if (code & DLGC_WANTALLKEYS) return false;
  HWND focus = GetFocus();
  switch (msg->wParam) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      SendMessageA(dlg, WM_NEXTDLGCTL, KeyDown(VK_SHIFT) ? 1 : 0, 0);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      if (code & DLGC_WANTARROWS) return false;
      bool previous = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
      HWND next = GetNextDlgGroupItem(dlg, ControlOf(dlg, focus), previous);
      if (next && next != focus) {
        FocusControl(next);
        if (DlgCode(next, nullptr) & DLGC_RADIOBUTTON) SendMessageA(next, kBmClick, 0, 0);
      }
      return true;
    }
    case VK_RETURN:
    case VK_EXECUTE: PressEnter(dlg, msg->hwnd, code); return true;
    case VK_ESCAPE: Click(dlg, GetDlgItem(dlg, IDCANCEL), IDCANCEL); return true;
    default: return false;
  }
}

bool OnChar(HWND dlg, MSG* msg, bool alt) {
  UINT code = DlgCode(msg->hwnd, msg);
  char ch = static_cast<char>(msg->wParam);
  if (!alt) {
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
    if (ch == '\t' && (code & DLGC_WANTTAB)) return false;
    if (ch == '\t' || ch == '\r' || ch == 0x1B) return true;  // handled as keys already
    if (code & DLGC_WANTCHARS) return false;
  }
  if (static_cast<unsigned char>(ch) <= ' ') return false;
  HWND ctl = FindMnemonic(dlg, ch);
  if (!ctl) return alt;
  ActivateMnemonic(dlg, ctl);
  return true;
}

char Upper(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) return static_cast<char>(u - 32);
  return c;
}

bool HasMnemonic(const std::string& text, char ch) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return Upper(text[i + 1]) == Upper(ch);
  }
  return false;
}

// Parses a decimal number as dialog fields hold it.
bool ParseInt(const char* s, bool isSigned, long long* out) {
  while (*s == ' ' || *s == '\t') ++s;
  bool negative = false;
  if (*s == '-' && isSigned) {
    negative = true;
    ++s;
  } else if (*s == '+') {
    ++s;
  }
  if (*s < '0' || *s > '9') return false;
  long long v = 0;
  long long limit = isSigned ? (negative ? -static_cast<long long>(INT_MIN) : INT_MAX) : UINT_MAX;
  while (*s >= '0' && *s <= '9') {
    v = v * 10 + (*s - '0');
    if (v > limit) return false;
    ++s;
  }
  while (*s == ' ' || *s == '\t') ++s;
  if (*s) return false;
  *out = negative ? -v : v;
  return true;
}
}  // namespace

UINT DlgCode(HWND hwnd, const MSG* msg) {
  if (!IsWindow(hwnd)) return 0;
  WPARAM key = msg ? msg->wParam : 0;
  return static_cast<UINT>(SendMessageA(hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(msg)));
}

HWND FindMnemonic(HWND dialog, char ch) {
  std::vector<HWND> all;
  CollectControls(dialog, all);
  for (HWND c : all) {
    if (!IsWindowVisible(c) || !IsWindowEnabled(c)) continue;
    Wnd* w = FindWnd(c);
    if (w && HasMnemonic(w->text, ch)) return c;
  }
  return 0;
}

std::string StripMnemonic(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') {
        out.push_back('&');
        ++i;
      }
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace lvuser

using namespace lvuser;

BOOL IsDialogMessageA(HWND dialog, LPMSG msg) {
  if (!msg || !IsWindow(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  bool handled = false;
  switch (msg->message) {
    case WM_KEYDOWN: handled = OnKeyDown(dialog, msg); break;
    case WM_CHAR: handled = OnChar(dialog, msg, false); break;
    case WM_SYSCHAR: handled = OnChar(dialog, msg, true); break;
    default: break;
  }
  if (handled) return TRUE;
  TranslateMessage(msg);
  DispatchMessageA(msg);
  return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (GetDlgCtrlID(c) == id) return c;
  return 0;
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
  HWND c = GetDlgItem(dialog, id);
  return c ? SetWindowTextA(c, text) : FALSE;
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int size) {
  if (text && size > 0) text[0] = 0;
  HWND c = GetDlgItem(dialog, id);
  if (!c) return 0;
  return static_cast<UINT>(GetWindowTextA(c, text, size));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  char buf[16];
  if (isSigned)
    std::snprintf(buf, sizeof buf, "%d", static_cast<int>(value));
  else
    std::snprintf(buf, sizeof buf, "%u", value);
  return SetDlgItemTextA(dialog, id, buf);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated) *translated = FALSE;
  HWND c = GetDlgItem(dialog, id);
  if (!c) return 0;
  char buf[64];
  int n = GetWindowTextLengthA(c);
  if (n >= static_cast<int>(sizeof buf)) return 0;  // longer than any number
  GetWindowTextA(c, buf, sizeof buf);
  long long v = 0;
  if (!ParseInt(buf, isSigned != FALSE, &v)) return 0;
  if (translated) *translated = TRUE;
  return static_cast<UINT>(v);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND c = GetDlgItem(dialog, id);
  if (!c) return FALSE;
  SendMessageA(c, kBmSetCheck, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  HWND c = GetDlgItem(dialog, id);
  return c ? static_cast<UINT>(SendMessageA(c, kBmGetCheck, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
  bool found = false;
  for (int id = first; id <= last; ++id) {
    HWND c = GetDlgItem(dialog, id);
    if (!c) continue;
    SendMessageA(c, kBmSetCheck, id == check ? 1 : 0, 0);
    found = found || id == check;
  }
  return found;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND c = GetDlgItem(dialog, id);
  return c ? SendMessageA(c, message, wParam, lParam) : 0;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> all;
  CollectControls(dialog, all);
  std::vector<HWND> stops;
  for (HWND c : all)
    if (Takes(c, WS_TABSTOP) || c == control) stops.push_back(c);
  if (stops.empty()) return 0;
  long n = static_cast<long>(stops.size());
  long at = -1;
  for (long i = 0; i < n; ++i)
    if (stops[static_cast<size_t>(i)] == control) at = i;
  for (long step = 1; step <= n; ++step) {
    long i = at < 0 ? (previous ? n - step : step - 1) : ((at + (previous ? -step : step)) % n + n) % n;
    HWND c = stops[static_cast<size_t>(i)];
    if (Takes(c, WS_TABSTOP)) return c;
  }
  return control;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> all;
  CollectControls(dialog, all);
  if (all.empty()) return 0;
  size_t at = 0;
  bool found = false;
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i] == control) {
      at = i;
      found = true;
    }
  if (!found) return Takes(all[0], 0) ? all[0] : 0;
  // The group: from the last WS_GROUP at or before the control up to the
  // next WS_GROUP.
  size_t begin = at;
  while (begin > 0 && !(GetWindowLongA(all[begin], GWL_STYLE) & WS_GROUP)) --begin;
  size_t end = at + 1;
  while (end < all.size() && !(GetWindowLongA(all[end], GWL_STYLE) & WS_GROUP)) ++end;
  long size = static_cast<long>(end - begin);
  long pos = static_cast<long>(at - begin);
  for (long step = 1; step < size; ++step) {
    long i = ((pos + (previous ? -step : step)) % size + size) % size;
    HWND c = all[begin + static_cast<size_t>(i)];
    if (Takes(c, 0)) return c;
  }
  return control;
}
