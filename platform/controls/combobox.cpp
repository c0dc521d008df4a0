// The "ComboBox" class: a selection field (a drop-down list's choice, or an
// edit for CBS_DROPDOWN) with a list that drops down below it.
#include <algorithm>
#include <cstring>

#include "ctlcommon.h"
#include "itemlist.h"
#include "listbox.h"

namespace lv::ctl {
namespace {

constexpr int kEditId = 1001;

struct ComboState {
  ItemList items;          // the entries
  int current = -1;        // selected entry, -1 none
  HWND edit = 0;           // the edit of CBS_DROPDOWN / CBS_SIMPLE
  HWND list = 0;           // the dropped-down list while it is shown
  HFONT font = 0;          // WM_SETFONT; 0 = the system font
  bool focused = false;    // the combo box (or its edit) has the focus
  bool extendedUi = false; // CB_SETEXTENDEDUI
  int listHeight = 100;    // height of the dropped list (the height given at creation)
  int droppedWidth = 0;    // CB_SETDROPPEDWIDTH; 0 = as wide as the combo box
};

StateTable<ComboState> g_combos;

UINT Kind(HWND hwnd) { return StyleOf(hwnd) & 3; }
bool HasEdit(HWND hwnd) { return Kind(hwnd) != CBS_DROPDOWNLIST; }
bool IsSorted(HWND hwnd) { return (StyleOf(hwnd) & CBS_SORT) != 0; }

void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

int FieldHeight(HWND hwnd, const ComboState& s) {
  HDC hdc = GetDC(hwnd);
  if (!hdc) return 21;
  HFONT old = SelectControlFont(hdc, s.font);
  const int height = LineHeight(hdc) + 8;
  SelectObject(hdc, old);
  ReleaseDC(hwnd, hdc);
  return height;
}

RECT ButtonRect(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  InflateRect(&rc, -2, -2);
  rc.left = std::max(rc.left, rc.right - GetSystemMetrics(SM_CXVSCROLL));
  return rc;
}

RECT ItemRect(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  InflateRect(&rc, -2, -2);
  rc.right = ButtonRect(hwnd).left;
  return rc;
}

// The combo box shows only its selection field; the height it was created
// with is the height of the dropped list.
void FitToField(HWND hwnd, ComboState& s) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  SetWindowPos(hwnd, 0, 0, 0, rc.right, FieldHeight(hwnd, s), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (s.edit) {
    const RECT item = ItemRect(hwnd);
    SetWindowPos(s.edit, 0, item.left, item.top, item.right - item.left, item.bottom - item.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void ShowSelectionInEdit(ComboState& s) {
  if (!s.edit) return;
  SetWindowTextA(s.edit, s.items.Valid(s.current) ? s.items.At(s.current).text.c_str() : "");
  SendMessageA(s.edit, EM_SETSEL, 0, -1);
}

void Select(HWND hwnd, ComboState& s, int index) {
  s.current = s.items.Valid(index) ? index : -1;
  ShowSelectionInEdit(s);
  if (s.list) SendMessageA(s.list, LB_SETCURSEL, static_cast<WPARAM>(s.current), 0);
  Redraw(hwnd);
}

// ---- Drop-down list ----------------------------------------------------------

void CloseList(HWND hwnd, ComboState& s) {
  if (!s.list) return;
  HWND list = s.list;
  s.list = 0;
  DestroyWindow(list);
  Redraw(hwnd);
  NotifyParent(hwnd, CBN_CLOSEUP);
}

void OpenList(HWND hwnd, ComboState& s) {
  if (s.list || !IsWindowEnabled(hwnd)) return;
  NotifyParent(hwnd, CBN_DROPDOWN);
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  const int width = std::max(static_cast<int>(rc.right - rc.left), s.droppedWidth);
  const int height = std::max(20, s.listHeight - static_cast<int>(rc.bottom - rc.top));
  s.list = CreateWindowExA(0, LV_COMBOLBOX_CLASS, "", WS_POPUP | WS_BORDER | WS_VISIBLE, rc.left, rc.bottom, width,
                           height, hwnd, 0, 0, reinterpret_cast<LPVOID>(static_cast<ULONG_PTR>(hwnd)));
  if (!s.list) return;
  SendMessageA(s.list, WM_SETFONT, static_cast<WPARAM>(s.font), FALSE);
  for (int i = 0; i < s.items.Count(); ++i)
    SendMessageA(s.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.items.At(i).text.c_str()));
  SendMessageA(s.list, LB_SETCURSEL, static_cast<WPARAM>(s.current), 0);
  Redraw(hwnd);
}

// The user chose in the dropped list (index), or cancelled it (-1).
void OnListChosen(HWND hwnd, std::shared_ptr<ComboState> s, int index) {
  if (index < 0 || !s->items.Valid(index)) {
    NotifyParent(hwnd, CBN_SELENDCANCEL);
    CloseList(hwnd, *s);
    return;
  }
  const bool changed = index != s->current;
  Select(hwnd, *s, index);
  NotifyParent(hwnd, CBN_SELENDOK);
  CloseList(hwnd, *s);
  if (changed) NotifyParent(hwnd, CBN_SELCHANGE);
}

// ---- Input -------------------------------------------------------------------

void StepSelection(HWND hwnd, std::shared_ptr<ComboState> s, int index) {
  if (s->items.Count() == 0) return;
  index = std::clamp(index, 0, s->items.Count() - 1);
  if (index == s->current) return;
  Select(hwnd, *s, index);
  NotifyParent(hwnd, CBN_SELCHANGE);
}

bool OnKeyDown(HWND hwnd, std::shared_ptr<ComboState> s, WPARAM key) {
  const bool alt = GetKeyState(VK_MENU) < 0;
  if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
    if (s->list) OnListChosen(hwnd, s, static_cast<int>(SendMessageA(s->list, LB_GETCURSEL, 0, 0)));
    else OpenList(hwnd, *s);
    return true;
  }
  if (s->list) {
    SendMessageA(s->list, WM_KEYDOWN, key, 0);
    return true;
  }
  switch (key) {
    case VK_UP: StepSelection(hwnd, s, s->current - 1); return true;
    case VK_DOWN: StepSelection(hwnd, s, s->current < 0 ? 0 : s->current + 1); return true;
    case VK_HOME: StepSelection(hwnd, s, 0); return true;
    case VK_END: StepSelection(hwnd, s, s->items.Count() - 1); return true;
    case VK_LEFT:
      if (HasEdit(hwnd)) return false;
      StepSelection(hwnd, s, s->current - 1);
      return true;
    case VK_RIGHT:
      if (HasEdit(hwnd)) return false;
      StepSelection(hwnd, s, s->current < 0 ? 0 : s->current + 1);
      return true;
    default: return false;
  }
}

void OnChar(HWND hwnd, std::shared_ptr<ComboState> s, WPARAM code) {
  const char c = static_cast<char>(code & 0xFF);
  if (static_cast<unsigned char>(c) < 0x20) return;
  const int found = s->items.FindByFirstChar(s->current, c);
  if (found < 0) return;
  if (s->list) SendMessageA(s->list, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
  StepSelection(hwnd, s, found);
}

void OnButtonDown(HWND hwnd, std::shared_ptr<ComboState> s, LPARAM lParam) {
  const POINT pt{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
  const RECT button = ButtonRect(hwnd);
  if (HasEdit(hwnd) && !PtInRect(&button, pt)) return;
  if (GetFocus() != hwnd && !HasEdit(hwnd)) SetFocus(hwnd);
  if (s->list) CloseList(hwnd, *s);
  else OpenList(hwnd, *s);
}

// Edit notifications become the combo box's own.
void OnEditCommand(HWND hwnd, ComboState& s, WORD code) {
  switch (code) {
    case EN_CHANGE: NotifyParent(hwnd, CBN_EDITCHANGE); break;
    case EN_UPDATE: NotifyParent(hwnd, CBN_EDITUPDATE); break;
    case EN_SETFOCUS:
      s.focused = true;
      NotifyParent(hwnd, CBN_SETFOCUS);
      break;
    case EN_KILLFOCUS:
      s.focused = false;
      CloseList(hwnd, s);
      NotifyParent(hwnd, CBN_KILLFOCUS);
      break;
    default: break;
  }
}

// ---- Painting ----------------------------------------------------------------

void Paint(HWND hwnd, const ComboState& s) {
  PAINTSTRUCT ps{};
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  RECT rc{};
  GetClientRect(hwnd, &rc);
  const bool enabled = IsWindowEnabled(hwnd) != 0;
  HBRUSH background = ParentBrush(hwnd, hdc, WM_CTLCOLOREDIT, enabled ? COLOR_WINDOW : COLOR_BTNFACE);
  FillRect(hdc, &rc, background);
  DrawEdge(hdc, &rc, EDGE_SUNKEN, BF_RECT);
  RECT button = ButtonRect(hwnd);
  FillRect(hdc, &button, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(hdc, &button, s.list ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  const int cx = (button.left + button.right) / 2, cy = (button.top + button.bottom) / 2;
  for (int i = 0; i < 4; ++i) {
    RECT line{cx - 3 + i, cy - 1 + i, cx + 4 - i, cy + i};
    FillRect(hdc, &line, GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  }
  if (!HasEdit(hwnd)) {
    RECT item = ItemRect(hwnd);
    HFONT old = SelectControlFont(hdc, s.font);
    const bool highlight = s.focused && !s.list;
    if (highlight) {
      FillRect(hdc, &item, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else if (!enabled) {
      SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    }
    if (s.items.Valid(s.current)) {
      RECT text = item;
      text.left += 2;
      SetBkMode(hdc, TRANSPARENT);
      const std::string& label = s.items.At(s.current).text;
      DrawTextA(hdc, label.c_str(), static_cast<int>(label.size()), &text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (highlight) DrawFocusRect(hdc, &item);
    SelectObject(hdc, old);
  }
  EndPaint(hwnd, &ps);
}

// ---- Messages ----------------------------------------------------------------

void OnCreate(HWND hwnd, ComboState& s, const CREATESTRUCTA* cs) {
  s.listHeight = cs->cy;
  if (HasEdit(hwnd)) {
    const DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL |
                            ((cs->style & CBS_UPPERCASE) ? ES_UPPERCASE : 0) |
                            ((cs->style & CBS_LOWERCASE) ? ES_LOWERCASE : 0);
    s.edit = CreateWindowExA(0, "Edit", "", editStyle, 0, 0, 10, 10, hwnd, static_cast<HMENU>(kEditId),
                             cs->hInstance, nullptr);
  }
  FitToField(hwnd, s);
}

LRESULT OnSetText(HWND hwnd, ComboState& s, LPARAM text) {
  if (s.edit) return SendMessageA(s.edit, WM_SETTEXT, 0, text);
  const int found = s.items.Find(-1, reinterpret_cast<const char*>(text), true);
  if (found < 0) return CB_ERR;
  Select(hwnd, s, found);
  return TRUE;
}

LRESULT OnGetText(const ComboState& s, WPARAM size, LPARAM buffer, bool lengthOnly) {
  if (s.edit) return SendMessageA(s.edit, lengthOnly ? WM_GETTEXTLENGTH : WM_GETTEXT, size, buffer);
  const std::string text = s.items.Valid(s.current) ? s.items.At(s.current).text : std::string();
  if (lengthOnly) return static_cast<LRESULT>(text.size());
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) return 0;
  const size_t count = std::min(text.size(), static_cast<size_t>(size) - 1);
  std::memcpy(out, text.data(), count);
  out[count] = '\0';
  return static_cast<LRESULT>(count);
}

LRESULT AddString(HWND hwnd, ComboState& s, LPARAM text) {
  const int index = s.items.Add(reinterpret_cast<const char*>(text), IsSorted(hwnd));
  if (s.current >= index) ++s.current;
  return index;
}

LRESULT InsertString(ComboState& s, WPARAM index, LPARAM text) {
  const int at = s.items.Insert(static_cast<int>(static_cast<int32_t>(index)), reinterpret_cast<const char*>(text));
  if (at < 0) return CB_ERR;
  if (s.current >= at) ++s.current;
  return at;
}

LRESULT DeleteString(HWND hwnd, ComboState& s, WPARAM index) {
  const int at = static_cast<int>(static_cast<int32_t>(index));
  if (!s.items.Remove(at)) return CB_ERR;
  if (s.current == at) Select(hwnd, s, -1);
  else if (s.current > at) --s.current;
  return s.items.Count();
}

LRESULT SetCurSel(HWND hwnd, ComboState& s, WPARAM index) {
  const int at = static_cast<int>(static_cast<int32_t>(index));
  Select(hwnd, s, at);
  return s.items.Valid(at) ? at : CB_ERR;
}

LRESULT SelectString(HWND hwnd, ComboState& s, WPARAM start, LPARAM prefix) {
  const int found = s.items.Find(static_cast<int>(static_cast<int32_t>(start)), reinterpret_cast<const char*>(prefix), false);
  if (found < 0) return CB_ERR;
  Select(hwnd, s, found);
  return found;
}

LRESULT FillInfo(HWND hwnd, const ComboState& s, LPARAM out) {
  auto* info = reinterpret_cast<COMBOBOXINFO*>(out);
  if (!info || info->cbSize != sizeof(COMBOBOXINFO)) return FALSE;
  info->rcItem = ItemRect(hwnd);
  info->rcButton = ButtonRect(hwnd);
  info->stateButton = s.list ? 8 : 0;
  info->hwndCombo = hwnd;
  info->hwndItem = s.edit ? s.edit : hwnd;
  info->hwndList = s.list;
  return TRUE;
}

LRESULT DroppedRect(HWND hwnd, const ComboState& s, LPARAM out) {
  if (!out) return CB_ERR;
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  rc.right = rc.left + std::max(static_cast<int>(rc.right - rc.left), s.droppedWidth);
  rc.bottom = rc.top + std::max(static_cast<int>(rc.bottom - rc.top), s.listHeight);
  *reinterpret_cast<RECT*>(out) = rc;
  return TRUE;
}

LRESULT HandleComboMessage(HWND hwnd, std::shared_ptr<ComboState> sp, UINT msg, WPARAM wParam, LPARAM lParam) {
  ComboState& s = *sp;
  const int index = static_cast<int>(static_cast<int32_t>(wParam));
  switch (msg) {
    case CB_ADDSTRING: return AddString(hwnd, s, lParam);
    case CB_INSERTSTRING: return InsertString(s, wParam, lParam);
    case CB_DELETESTRING: return DeleteString(hwnd, s, wParam);
    case CB_RESETCONTENT: s.items.Clear(); Select(hwnd, s, -1); return CB_OKAY;
    case CB_GETCOUNT: return s.items.Count();
    case CB_GETCURSEL: return s.items.Valid(s.current) ? s.current : CB_ERR;
    case CB_SETCURSEL: return SetCurSel(hwnd, s, wParam);
    case CB_GETLBTEXT: return CopyItemText(s.items, index, lParam);
    case CB_GETLBTEXTLEN: return s.items.Valid(index) ? static_cast<LRESULT>(s.items.At(index).text.size()) : CB_ERR;
    case CB_FINDSTRING: return s.items.Find(index, reinterpret_cast<const char*>(lParam), false);
    case CB_FINDSTRINGEXACT: return s.items.Find(index, reinterpret_cast<const char*>(lParam), true);
    case CB_SELECTSTRING: return SelectString(hwnd, s, wParam, lParam);
    case CB_GETITEMDATA: return s.items.Valid(index) ? static_cast<LRESULT>(s.items.At(index).data) : CB_ERR;
    case CB_SETITEMDATA:
      if (!s.items.Valid(index)) return CB_ERR;
      s.items.At(index).data = static_cast<ULONG_PTR>(lParam);
      return CB_OKAY;
    case CB_SHOWDROPDOWN:
      if (wParam) OpenList(hwnd, s);
      else CloseList(hwnd, s);
      return TRUE;
    case CB_GETDROPPEDSTATE: return s.list ? TRUE : FALSE;
    case CB_LIMITTEXT: return s.edit ? (SendMessageA(s.edit, EM_LIMITTEXT, wParam, 0), TRUE) : CB_ERR;
    case CB_GETEDITSEL: return s.edit ? SendMessageA(s.edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
      if (!s.edit) return CB_ERR;
      SendMessageA(s.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(lParam))),
                   static_cast<SHORT>(HIWORD(lParam)));
      return TRUE;
    case CB_GETITEMHEIGHT: return FieldHeight(hwnd, s);
    case CB_SETEXTENDEDUI: s.extendedUi = wParam != 0; return CB_OKAY;
    case CB_GETEXTENDEDUI: return s.extendedUi ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: return DroppedRect(hwnd, s, lParam);
    case CB_SETDROPPEDWIDTH: s.droppedWidth = index; return s.droppedWidth;
    case CB_GETDROPPEDWIDTH: return s.droppedWidth;
    case CB_GETCOMBOBOXINFO: return FillInfo(hwnd, s, lParam);
    case kComboListChosen: OnListChosen(hwnd, sp, index); return 0;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK ComboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    g_combos.Remove(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  std::shared_ptr<ComboState> s = g_combos.Get(hwnd);
  switch (msg) {
    case WM_CREATE: OnCreate(hwnd, *s, reinterpret_cast<const CREATESTRUCTA*>(lParam)); return 0;
    case WM_DESTROY: CloseList(hwnd, *s); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (s->list ? DLGC_WANTALLKEYS : 0);
    case WM_PAINT: Paint(hwnd, *s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFONT:
      s->font = static_cast<HFONT>(wParam);
      if (s->edit) SendMessageA(s->edit, WM_SETFONT, wParam, lParam);
      FitToField(hwnd, *s);
      if (LOWORD(lParam)) Redraw(hwnd);
      return 0;
    case WM_GETFONT: return static_cast<LRESULT>(s->font);
    case WM_ENABLE:
      if (s->edit) EnableWindow(s->edit, wParam != 0);
      if (!wParam) CloseList(hwnd, *s);
      Redraw(hwnd);
      return 0;
    case WM_SETTEXT: return OnSetText(hwnd, *s, lParam);
    case WM_GETTEXT: return OnGetText(*s, wParam, lParam, false);
    case WM_GETTEXTLENGTH: return OnGetText(*s, 0, 0, true);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(hwnd, s, lParam); return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(hwnd, s, wParam)) return 0;
      return s->edit ? SendMessageA(s->edit, msg, wParam, lParam) : 0;
    case WM_CHAR:
      if (s->edit) return SendMessageA(s->edit, msg, wParam, lParam);
      OnChar(hwnd, s, wParam);
      return 0;
    case WM_SETFOCUS:
      if (s->edit) {
        SetFocus(s->edit);
        return 0;
      }
      s->focused = true;
      Redraw(hwnd);
      NotifyParent(hwnd, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (s->edit) return 0;
      s->focused = false;
      CloseList(hwnd, *s);
      Redraw(hwnd);
      NotifyParent(hwnd, CBN_KILLFOCUS);
      return 0;
    case WM_COMMAND:
      if (s->edit && static_cast<HWND>(lParam) == s->edit) OnEditCommand(hwnd, *s, HIWORD(wParam));
      return 0;
    default: return HandleComboMessage(hwnd, s, msg, wParam, lParam);
  }
}

}  // namespace

void RegisterComboBoxClass() {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = ComboProc;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = "ComboBox";
  RegisterClassA(&wc);
}

}  // namespace lv::ctl

BOOL GetComboBoxInfo(HWND combo, PCOMBOBOXINFO info) {
  if (!info || !IsWindow(combo)) return FALSE;
  return SendMessageA(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(info)) == TRUE;
}
