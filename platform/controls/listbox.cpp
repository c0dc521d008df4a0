// The "ListBox" class (and "ComboLBox", the drop-down list of combo boxes):
// a scrolling list of strings with single or multiple selection.
#include <algorithm>

#include "ctlcommon.h"
#include "itemlist.h"
#include "listbox.h"

namespace lv::ctl {
namespace {

struct ListBoxState {
  ItemList items;           // the entries
  int current = -1;         // selected item (single selection) or caret item (multiple)
  int top = 0;              // first visible item
  int itemHeight = 0;       // LB_SETITEMHEIGHT; 0 = the font's line height
  HFONT font = 0;           // WM_SETFONT; 0 = the system font
  bool focused = false;     // has the keyboard focus
  HWND combo = 0;           // the combo box a drop-down list belongs to
};

StateTable<ListBoxState> g_lists;

DWORD Style(HWND hwnd) { return StyleOf(hwnd); }
bool IsMultiple(HWND hwnd) { return (Style(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
bool Notifies(HWND hwnd, const ListBoxState& s) { return s.combo || (Style(hwnd) & LBS_NOTIFY); }

int ItemHeight(HWND hwnd, const ListBoxState& s) {
  if (s.itemHeight > 0) return s.itemHeight;
  HDC hdc = GetDC(hwnd);
  if (!hdc) return 13;
  HFONT old = SelectControlFont(hdc, s.font);
  const int height = LineHeight(hdc);
  SelectObject(hdc, old);
  ReleaseDC(hwnd, hdc);
  return std::max(1, height);
}

bool DrawsOwnBorder(HWND hwnd) {
  if (!(Style(hwnd) & WS_BORDER) && !(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return false;
  RECT window{}, client{};
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  return window.right - window.left == client.right && window.bottom - window.top == client.bottom;
}

RECT ItemArea(HWND hwnd) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  if (DrawsOwnBorder(hwnd)) InflateRect(&rc, -2, -2);
  return rc;
}

int VisibleCount(HWND hwnd, const ListBoxState& s) {
  const RECT area = ItemArea(hwnd);
  return std::max(1, static_cast<int>(area.bottom - area.top) / ItemHeight(hwnd, s));
}

RECT ItemRect(HWND hwnd, const ListBoxState& s, int index) {
  const RECT area = ItemArea(hwnd);
  const int height = ItemHeight(hwnd, s);
  const int top = area.top + (index - s.top) * height;
  return RECT{area.left, top, area.right, top + height};
}

void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

void ScrollIntoView(HWND hwnd, ListBoxState& s, int index) {
  if (index < 0) return;
  const int visible = VisibleCount(hwnd, s);
  if (index < s.top) s.top = index;
  else if (index >= s.top + visible) s.top = index - visible + 1;
  s.top = std::clamp(s.top, 0, std::max(0, s.items.Count() - 1));
}

void NotifyChange(HWND hwnd, const ListBoxState& s) {
  if (Notifies(hwnd, s) && !s.combo) NotifyParent(hwnd, LBN_SELCHANGE);
}

// ---- Selection -----------------------------------------------------------------

// Single selection: makes index the selected item (-1: none).
void SelectSingle(HWND hwnd, ListBoxState& s, int index) {
  s.current = s.items.Valid(index) ? index : -1;
  ScrollIntoView(hwnd, s, s.current);
  Redraw(hwnd);
}

void SetMultiSelection(HWND hwnd, ListBoxState& s, int index, bool selected) {
  if (index == -1) {
    for (int i = 0; i < s.items.Count(); ++i) s.items.At(i).selected = selected;
  } else if (s.items.Valid(index)) {
    s.items.At(index).selected = selected;
  }
  Redraw(hwnd);
}

int SelectedCount(const ListBoxState& s) {
  int count = 0;
  for (int i = 0; i < s.items.Count(); ++i) count += s.items.At(i).selected ? 1 : 0;
  return count;
}

LRESULT GetSelItems(const ListBoxState& s, WPARAM max, LPARAM out) {
  auto* indexes = reinterpret_cast<int*>(out);
  if (!indexes) return LB_ERR;
  int n = 0;
  for (int i = 0; i < s.items.Count() && n < static_cast<int>(max); ++i)
    if (s.items.At(i).selected) indexes[n++] = i;
  return n;
}

// ---- Painting ----------------------------------------------------------------

void PaintItem(HWND hwnd, HDC hdc, const ListBoxState& s, int index, bool multiple) {
  RECT rc = ItemRect(hwnd, s, index);
  const bool selected = multiple ? s.items.At(index).selected : index == s.current;
  if (selected) {
    FillRect(hdc, &rc, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  }
  RECT text = rc;
  text.left += 2;
  const std::string& item = s.items.At(index).text;
  DrawTextA(hdc, item.c_str(), static_cast<int>(item.size()), &text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (selected) SetTextColor(hdc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  if (s.focused && index == s.current) DrawFocusRect(hdc, &rc);
}

void Paint(HWND hwnd, const ListBoxState& s) {
  PAINTSTRUCT ps{};
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  RECT rc{};
  GetClientRect(hwnd, &rc);
  FillRect(hdc, &rc, ParentBrush(hwnd, hdc, WM_CTLCOLORLISTBOX, COLOR_WINDOW));
  if (DrawsOwnBorder(hwnd)) DrawEdge(hdc, &rc, EDGE_SUNKEN, BF_RECT);
  if (!IsWindowEnabled(hwnd)) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
  const int saved = SaveDC(hdc);
  const RECT area = ItemArea(hwnd);
  IntersectClipRect(hdc, area.left, area.top, area.right, area.bottom);
  HFONT old = SelectControlFont(hdc, s.font);
  SetBkMode(hdc, TRANSPARENT);
  const int last = std::min(s.items.Count(), s.top + VisibleCount(hwnd, s) + 1);
  for (int i = s.top; i < last; ++i) PaintItem(hwnd, hdc, s, i, IsMultiple(hwnd));
  SelectObject(hdc, old);
  RestoreDC(hdc, saved);
  EndPaint(hwnd, &ps);
}

// ---- Input -------------------------------------------------------------------

int ItemAtPoint(HWND hwnd, const ListBoxState& s, LPARAM lParam) {
  const RECT area = ItemArea(hwnd);
  const int y = static_cast<SHORT>(HIWORD(lParam));
  if (y < area.top) return -1;
  const int index = s.top + (y - area.top) / ItemHeight(hwnd, s);
  return s.items.Valid(index) ? index : -1;
}

void Choose(HWND hwnd, std::shared_ptr<ListBoxState> s, int index) {
  if (s->combo) {
    SendMessageA(s->combo, kComboListChosen, static_cast<WPARAM>(index), 0);
    return;
  }
  (void)hwnd;
}

void OnButtonDown(HWND hwnd, std::shared_ptr<ListBoxState> s, LPARAM lParam) {
  if (!s->combo && GetFocus() != hwnd) SetFocus(hwnd);
  const int index = ItemAtPoint(hwnd, *s, lParam);
  if (index < 0 || (Style(hwnd) & LBS_NOSEL)) return;
  if (IsMultiple(hwnd)) {
    s->current = index;
    SetMultiSelection(hwnd, *s, index, !s->items.At(index).selected);
    NotifyChange(hwnd, *s);
    return;
  }
  const bool changed = s->current != index;
  SelectSingle(hwnd, *s, index);
  if (changed) NotifyChange(hwnd, *s);
  if (s->combo) Choose(hwnd, s, index);
}

void MoveCurrent(HWND hwnd, std::shared_ptr<ListBoxState> s, int index) {
  if (s->items.Count() == 0) return;
  index = std::clamp(index, 0, s->items.Count() - 1);
  if (index == s->current) return;
  if (IsMultiple(hwnd)) {
    s->current = index;
    ScrollIntoView(hwnd, *s, index);
    Redraw(hwnd);
    return;
  }
  SelectSingle(hwnd, *s, index);
  NotifyChange(hwnd, *s);
}

void OnKeyDown(HWND hwnd, std::shared_ptr<ListBoxState> s, WPARAM key) {
  const int page = VisibleCount(hwnd, *s);
  const int current = std::max(0, s->current);
  switch (key) {
    case VK_UP: MoveCurrent(hwnd, s, s->current < 0 ? 0 : current - 1); break;
    case VK_DOWN: MoveCurrent(hwnd, s, s->current < 0 ? 0 : current + 1); break;
    case VK_PRIOR: MoveCurrent(hwnd, s, current - page + 1); break;
    case VK_NEXT: MoveCurrent(hwnd, s, current + page - 1); break;
    case VK_HOME: MoveCurrent(hwnd, s, 0); break;
    case VK_END: MoveCurrent(hwnd, s, s->items.Count() - 1); break;
    case VK_SPACE:
      if (IsMultiple(hwnd) && s->items.Valid(s->current)) {
        SetMultiSelection(hwnd, *s, s->current, !s->items.At(s->current).selected);
        NotifyChange(hwnd, *s);
      }
      break;
    case VK_RETURN:
      if (s->combo) Choose(hwnd, s, s->current);
      break;
    case VK_ESCAPE:
      if (s->combo) Choose(hwnd, s, -1);
      break;
    default: break;
  }
}

void OnChar(HWND hwnd, std::shared_ptr<ListBoxState> s, WPARAM code) {
  const char c = static_cast<char>(code & 0xFF);
  if (static_cast<unsigned char>(c) < 0x20) return;
  const int found = s->items.FindByFirstChar(s->current, c);
  if (found >= 0) MoveCurrent(hwnd, s, found);
}

// ---- Messages ----------------------------------------------------------------

LRESULT AddString(HWND hwnd, ListBoxState& s, LPARAM text) {
  const int index = s.items.Add(reinterpret_cast<const char*>(text), (Style(hwnd) & LBS_SORT) != 0);
  if (s.current >= index) ++s.current;
  Redraw(hwnd);
  return index;
}

LRESULT InsertString(HWND hwnd, ListBoxState& s, WPARAM index, LPARAM text) {
  const int at = s.items.Insert(static_cast<int>(static_cast<int32_t>(index)), reinterpret_cast<const char*>(text));
  if (at < 0) return LB_ERR;
  if (s.current >= at) ++s.current;
  Redraw(hwnd);
  return at;
}

LRESULT DeleteString(HWND hwnd, ListBoxState& s, WPARAM index) {
  const int at = static_cast<int>(static_cast<int32_t>(index));
  if (!s.items.Remove(at)) return LB_ERR;
  if (s.current == at) s.current = -1;
  else if (s.current > at) --s.current;
  s.top = std::clamp(s.top, 0, std::max(0, s.items.Count() - 1));
  Redraw(hwnd);
  return s.items.Count();
}

LRESULT SetCurSel(HWND hwnd, ListBoxState& s, WPARAM index) {
  if (IsMultiple(hwnd)) return LB_ERR;
  const int at = static_cast<int>(static_cast<int32_t>(index));
  SelectSingle(hwnd, s, at);
  return s.items.Valid(at) ? at : LB_ERR;
}

LRESULT SetSel(HWND hwnd, ListBoxState& s, WPARAM select, LPARAM index) {
  const int at = static_cast<int>(static_cast<int32_t>(index));
  if (!IsMultiple(hwnd) || (at != -1 && !s.items.Valid(at))) return LB_ERR;
  SetMultiSelection(hwnd, s, at, select != 0);
  if (at >= 0) s.current = at;
  return 0;
}

LRESULT GetSel(HWND hwnd, const ListBoxState& s, WPARAM index) {
  const int at = static_cast<int>(static_cast<int32_t>(index));
  if (!s.items.Valid(at)) return LB_ERR;
  return IsMultiple(hwnd) ? (s.items.At(at).selected ? 1 : 0) : (at == s.current ? 1 : 0);
}

LRESULT SelectString(HWND hwnd, ListBoxState& s, WPARAM start, LPARAM prefix) {
  const int found = s.items.Find(static_cast<int>(static_cast<int32_t>(start)), reinterpret_cast<const char*>(prefix), false);
  if (found < 0 || IsMultiple(hwnd)) return LB_ERR;
  SelectSingle(hwnd, s, found);
  return found;
}

LRESULT GetItemRect(HWND hwnd, const ListBoxState& s, WPARAM index, LPARAM out) {
  const int at = static_cast<int>(static_cast<int32_t>(index));
  if (!out || !s.items.Valid(at)) return LB_ERR;
  *reinterpret_cast<RECT*>(out) = ItemRect(hwnd, s, at);
  return 0;
}

LRESULT HandleListMessage(HWND hwnd, ListBoxState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(static_cast<int32_t>(wParam));
  switch (msg) {
    case LB_ADDSTRING: return AddString(hwnd, s, lParam);
    case LB_INSERTSTRING: return InsertString(hwnd, s, wParam, lParam);
    case LB_DELETESTRING: return DeleteString(hwnd, s, wParam);
    case LB_RESETCONTENT: s.items.Clear(); s.current = -1; s.top = 0; Redraw(hwnd); return 0;
    case LB_GETCOUNT: return s.items.Count();
    case LB_GETTEXT: return CopyItemText(s.items, index, lParam);
    case LB_GETTEXTLEN: return s.items.Valid(index) ? static_cast<LRESULT>(s.items.At(index).text.size()) : LB_ERR;
    case LB_SETCURSEL: return SetCurSel(hwnd, s, wParam);
    case LB_GETCURSEL: return IsMultiple(hwnd) ? s.current : (s.items.Valid(s.current) ? s.current : LB_ERR);
    case LB_SETSEL: return SetSel(hwnd, s, wParam, lParam);
    case LB_GETSEL: return GetSel(hwnd, s, wParam);
    case LB_GETSELCOUNT: return IsMultiple(hwnd) ? SelectedCount(s) : LB_ERR;
    case LB_GETSELITEMS: return IsMultiple(hwnd) ? GetSelItems(s, wParam, lParam) : LB_ERR;
    case LB_FINDSTRING: return s.items.Find(index, reinterpret_cast<const char*>(lParam), false);
    case LB_FINDSTRINGEXACT: return s.items.Find(index, reinterpret_cast<const char*>(lParam), true);
    case LB_SELECTSTRING: return SelectString(hwnd, s, wParam, lParam);
    case LB_GETITEMDATA: return s.items.Valid(index) ? static_cast<LRESULT>(s.items.At(index).data) : LB_ERR;
    case LB_SETITEMDATA:
      if (!s.items.Valid(index)) return LB_ERR;
      s.items.At(index).data = static_cast<ULONG_PTR>(lParam);
      return 0;
    case LB_GETTOPINDEX: return s.top;
    case LB_SETTOPINDEX:
      if (!s.items.Valid(index)) return LB_ERR;
      s.top = index;
      Redraw(hwnd);
      return 0;
    case LB_GETITEMHEIGHT: return ItemHeight(hwnd, s);
    case LB_SETITEMHEIGHT:
      if (LOWORD(lParam) == 0 || LOWORD(lParam) > 255) return LB_ERR;
      s.itemHeight = LOWORD(lParam);
      Redraw(hwnd);
      return 0;
    case LB_GETITEMRECT: return GetItemRect(hwnd, s, wParam, lParam);
    case LB_SETCARETINDEX:
      if (!s.items.Valid(index)) return LB_ERR;
      s.current = index;
      ScrollIntoView(hwnd, s, index);
      Redraw(hwnd);
      return 0;
    case LB_GETCARETINDEX: return s.current;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

LRESULT ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool dropDown) {
  if (msg == WM_NCDESTROY) {
    g_lists.Remove(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  std::shared_ptr<ListBoxState> s = g_lists.Get(hwnd);
  switch (msg) {
    case WM_CREATE:
      if (dropDown) s->combo = static_cast<HWND>(reinterpret_cast<ULONG_PTR>(
                        reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams));
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_PAINT: Paint(hwnd, *s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFONT:
      s->font = static_cast<HFONT>(wParam);
      if (LOWORD(lParam)) Redraw(hwnd);
      return 0;
    case WM_GETFONT: return static_cast<LRESULT>(s->font);
    case WM_ENABLE: Redraw(hwnd); return 0;
    case WM_SIZE: ScrollIntoView(hwnd, *s, s->current); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(hwnd, s, lParam); return 0;
    case WM_LBUTTONDBLCLK:
      OnButtonDown(hwnd, s, lParam);
      if (!s->combo && Notifies(hwnd, *s) && ItemAtPoint(hwnd, *s, lParam) >= 0) NotifyParent(hwnd, LBN_DBLCLK);
      return 0;
    case WM_KEYDOWN: OnKeyDown(hwnd, s, wParam); return 0;
    case WM_CHAR: OnChar(hwnd, s, wParam); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      s->focused = msg == WM_SETFOCUS;
      Redraw(hwnd);
      if (!s->combo) NotifyParent(hwnd, s->focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
      return 0;
    default: return HandleListMessage(hwnd, *s, msg, wParam, lParam);
  }
}

LRESULT CALLBACK ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ListProc(hwnd, msg, wParam, lParam, false);
}

LRESULT CALLBACK ComboListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ListProc(hwnd, msg, wParam, lParam, true);
}

void RegisterList(const char* name, WNDPROC proc, UINT extraStyle) {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS | extraStyle;
  wc.lpfnWndProc = proc;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

}  // namespace

void RegisterListBoxClasses() {
  RegisterList("ListBox", ListBoxProc, 0);
  RegisterList(LV_COMBOLBOX_CLASS, ComboListProc, 0);
}

}  // namespace lv::ctl
