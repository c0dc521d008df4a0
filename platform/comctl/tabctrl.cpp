// The tab control ("SysTabControl32"): a row of tabs above a display area;
// choosing a tab asks the parent (TCN_SELCHANGING) and tells it
// (TCN_SELCHANGE) through WM_NOTIFY.
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ctlcommon.h"

namespace lv::ctl::tabs {
namespace {

struct Tab {
  std::string text;   // label (TCIF_TEXT)
  int image = -1;     // image index (TCIF_IMAGE)
  LPARAM param = 0;   // the caller's value (TCIF_PARAM)
  DWORD state = 0;    // TCIS_* (TCIF_STATE)
};

struct TabState {
  std::vector<Tab> tabs;   // the tabs, left to right
  int current = -1;        // selected tab
  int focusTab = -1;       // tab with the focus rectangle
  HFONT font = 0;          // WM_SETFONT; 0 = the system font
  bool focused = false;    // has the keyboard focus
  int fixedWidth = 0;      // TCM_SETITEMSIZE
  int fixedHeight = 0;
  HANDLE imageList = 0;    // TCM_SETIMAGELIST (kept for TCM_GETIMAGELIST)
};

StateTable<TabState> g_tabs;

constexpr int kMargin = 2;     // between the control's edge and the first tab
constexpr int kPadding = 6;    // beside a tab's text
constexpr int kLift = 2;       // how far the selected tab stands out

void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

class FontDC {
 public:
  FontDC(HWND hwnd, HFONT font) : hwnd_(hwnd), hdc_(GetDC(hwnd)) {
    if (hdc_) old_ = SelectControlFont(hdc_, font);
  }
  ~FontDC() {
    if (!hdc_) return;
    SelectObject(hdc_, old_);
    ReleaseDC(hwnd_, hdc_);
  }
  FontDC(const FontDC&) = delete;
  FontDC& operator=(const FontDC&) = delete;
  HDC get() const { return hdc_; }

 private:
  HWND hwnd_;
  HDC hdc_;
  HFONT old_ = 0;
};

int TabHeight(HWND hwnd, const TabState& s) {
  if (s.fixedHeight > 0) return s.fixedHeight;
  FontDC dc(hwnd, s.font);
  return dc.get() ? LineHeight(dc.get()) + 6 : 19;
}

// The tab rectangles in client coordinates (unselected size).
std::vector<RECT> TabRects(HWND hwnd, const TabState& s) {
  std::vector<RECT> rects;
  FontDC dc(hwnd, s.font);
  const int top = kMargin + kLift;
  const int bottom = top + TabHeight(hwnd, s);
  int x = kMargin;
  for (const Tab& tab : s.tabs) {
    int width = s.fixedWidth;
    if (!(StyleOf(hwnd) & TCS_FIXEDWIDTH) || width <= 0) {
      width = (dc.get() ? TextWidth(dc.get(), tab.text.c_str(), tab.text.size()) : 8 * static_cast<int>(tab.text.size())) +
              2 * kPadding;
    }
    rects.push_back(RECT{x, top, x + width, bottom});
    x += width;
  }
  return rects;
}

// The area below the tabs where the pages go, in client coordinates.
RECT DisplayRect(HWND hwnd, const TabState& s) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  rc.top = kMargin + kLift + TabHeight(hwnd, s);
  InflateRect(&rc, -kMargin, -kMargin);
  return rc;
}

int TabAt(HWND hwnd, const TabState& s, POINT pt) {
  const std::vector<RECT> rects = TabRects(hwnd, s);
  for (size_t i = 0; i < rects.size(); ++i) {
    RECT r = rects[i];
    if (static_cast<int>(i) == s.current) InflateRect(&r, kLift, kLift);
    if (PtInRect(&r, pt)) return static_cast<int>(i);
  }
  return -1;
}

LRESULT NotifyParent(HWND hwnd, UINT code) {
  NMHDR hdr{hwnd, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd)), code};
  HWND parent = GetParent(hwnd);
  if (!parent) return 0;
  return SendMessageA(parent, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

// The user chooses tab index: the parent may refuse with TCN_SELCHANGING.
void ChooseTab(HWND hwnd, TabState& s, int index) {
  if (index < 0 || index >= static_cast<int>(s.tabs.size()) || index == s.current) return;
  if (NotifyParent(hwnd, TCN_SELCHANGING)) return;
  s.current = s.focusTab = index;
  Redraw(hwnd);
  NotifyParent(hwnd, TCN_SELCHANGE);
}

// ---- Painting ----------------------------------------------------------------

void PaintTab(HWND hwnd, HDC hdc, const TabState& s, RECT rc, int index) {
  const bool selected = index == s.current;
  if (selected) {
    rc.left -= kLift;
    rc.right += kLift;
    rc.top -= kLift;
    rc.bottom += 1;
  }
  FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(hdc, &rc, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
  const std::string& text = s.tabs[static_cast<size_t>(index)].text;
  RECT label = rc;
  DrawControlText(hdc, text, label, DT_CENTER | DT_VCENTER | DT_SINGLELINE, IsWindowEnabled(hwnd) != 0);
  if (selected && s.focused) {
    InflateRect(&label, -3, -3);
    DrawFocusRect(hdc, &label);
  }
}

void Paint(HWND hwnd, const TabState& s) {
  PAINTSTRUCT ps{};
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  RECT rc{};
  GetClientRect(hwnd, &rc);
  FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  HFONT old = SelectControlFont(hdc, s.font);
  SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  RECT body = DisplayRect(hwnd, s);
  InflateRect(&body, kMargin, kMargin);
  DrawEdge(hdc, &body, EDGE_RAISED, BF_RECT | BF_SOFT);
  const std::vector<RECT> rects = TabRects(hwnd, s);
  for (size_t i = 0; i < rects.size(); ++i)
    if (static_cast<int>(i) != s.current) PaintTab(hwnd, hdc, s, rects[i], static_cast<int>(i));
  if (s.current >= 0 && s.current < static_cast<int>(rects.size()))
    PaintTab(hwnd, hdc, s, rects[static_cast<size_t>(s.current)], s.current);
  SelectObject(hdc, old);
  EndPaint(hwnd, &ps);
}

// ---- Messages ----------------------------------------------------------------

void ApplyItem(Tab& tab, const TCITEMA& item) {
  if ((item.mask & TCIF_TEXT) && item.pszText) tab.text = item.pszText;
  if (item.mask & TCIF_IMAGE) tab.image = item.iImage;
  if (item.mask & TCIF_PARAM) tab.param = item.lParam;
  if (item.mask & TCIF_STATE) tab.state = (tab.state & ~item.dwStateMask) | (item.dwState & item.dwStateMask);
}

LRESULT InsertItem(HWND hwnd, TabState& s, WPARAM index, LPARAM lParam) {
  const auto* item = reinterpret_cast<const TCITEMA*>(lParam);
  const int at = static_cast<int>(static_cast<int32_t>(index));
  if (!item || at < 0) return -1;
  const int position = std::min(at, static_cast<int>(s.tabs.size()));
  Tab tab;
  ApplyItem(tab, *item);
  s.tabs.insert(s.tabs.begin() + position, tab);
  if (s.current >= position) ++s.current;
  if (s.current < 0) s.current = 0;
  Redraw(hwnd);
  return position;
}

LRESULT GetItem(const TabState& s, WPARAM index, LPARAM lParam) {
  auto* item = reinterpret_cast<TCITEMA*>(lParam);
  if (!item || index >= s.tabs.size()) return FALSE;
  const Tab& tab = s.tabs[index];
  if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
    const size_t count = std::min(tab.text.size(), static_cast<size_t>(item->cchTextMax) - 1);
    std::memcpy(item->pszText, tab.text.data(), count);
    item->pszText[count] = '\0';
  }
  if (item->mask & TCIF_IMAGE) item->iImage = tab.image;
  if (item->mask & TCIF_PARAM) item->lParam = tab.param;
  if (item->mask & TCIF_STATE) item->dwState = tab.state & item->dwStateMask;
  return TRUE;
}

LRESULT SetItem(HWND hwnd, TabState& s, WPARAM index, LPARAM lParam) {
  const auto* item = reinterpret_cast<const TCITEMA*>(lParam);
  if (!item || index >= s.tabs.size()) return FALSE;
  ApplyItem(s.tabs[index], *item);
  Redraw(hwnd);
  return TRUE;
}

LRESULT DeleteItem(HWND hwnd, TabState& s, WPARAM index) {
  if (index >= s.tabs.size()) return FALSE;
  const int at = static_cast<int>(index);
  s.tabs.erase(s.tabs.begin() + at);
  if (s.current == at) s.current = s.tabs.empty() ? -1 : std::min(at, static_cast<int>(s.tabs.size()) - 1);
  else if (s.current > at) --s.current;
  s.focusTab = s.current;
  Redraw(hwnd);
  return TRUE;
}

LRESULT SetCurSel(HWND hwnd, TabState& s, WPARAM index) {
  const int old = s.current;
  const int at = static_cast<int>(static_cast<int32_t>(index));
  if (at < 0 || at >= static_cast<int>(s.tabs.size())) return -1;
  s.current = s.focusTab = at;
  Redraw(hwnd);
  return old;
}

LRESULT GetItemRect(HWND hwnd, const TabState& s, WPARAM index, LPARAM out) {
  const std::vector<RECT> rects = TabRects(hwnd, s);
  if (!out || index >= rects.size()) return FALSE;
  *reinterpret_cast<RECT*>(out) = rects[index];
  return TRUE;
}

LRESULT HitTest(HWND hwnd, const TabState& s, LPARAM lParam) {
  auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
  if (!info) return -1;
  const int index = TabAt(hwnd, s, info->pt);
  info->flags = index >= 0 ? TCHT_ONITEMLABEL : TCHT_NOWHERE;
  return index;
}

// TCM_ADJUSTRECT: from the window rectangle to the display rectangle, or
// back when larger is TRUE.
LRESULT AdjustRect(HWND hwnd, const TabState& s, WPARAM larger, LPARAM lParam) {
  auto* rc = reinterpret_cast<RECT*>(lParam);
  if (!rc) return 0;
  RECT client{};
  GetClientRect(hwnd, &client);
  const RECT display = DisplayRect(hwnd, s);
  const int left = display.left, top = display.top;
  const int right = client.right - display.right, bottom = client.bottom - display.bottom;
  const int sign = larger ? -1 : 1;
  rc->left += sign * left;
  rc->top += sign * top;
  rc->right -= sign * right;
  rc->bottom -= sign * bottom;
  return 0;
}

LRESULT SetItemSize(HWND hwnd, TabState& s, LPARAM lParam) {
  const LRESULT old = MAKELONG(s.fixedWidth, s.fixedHeight);
  s.fixedWidth = LOWORD(lParam);
  s.fixedHeight = HIWORD(lParam);
  Redraw(hwnd);
  return old;
}

void OnKeyDown(HWND hwnd, TabState& s, WPARAM key) {
  NMTCKEYDOWN nm{};
  nm.hdr = NMHDR{hwnd, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd)), TCN_KEYDOWN};
  nm.wVKey = static_cast<WORD>(key);
  if (HWND parent = GetParent(hwnd)) SendMessageA(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
  if (key == VK_LEFT) ChooseTab(hwnd, s, s.current - 1);
  else if (key == VK_RIGHT) ChooseTab(hwnd, s, s.current + 1);
  else if (key == VK_HOME) ChooseTab(hwnd, s, 0);
  else if (key == VK_END) ChooseTab(hwnd, s, static_cast<int>(s.tabs.size()) - 1);
}

void OnButtonDown(HWND hwnd, TabState& s, LPARAM lParam) {
  const POINT pt{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
  const int index = TabAt(hwnd, s, pt);
  if (index < 0) return;
  if ((StyleOf(hwnd) & TCS_FOCUSONBUTTONDOWN) && !(StyleOf(hwnd) & TCS_FOCUSNEVER)) SetFocus(hwnd);
  ChooseTab(hwnd, s, index);
}

LRESULT HandleTabMessage(HWND hwnd, TabState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case TCM_GETITEMCOUNT: return static_cast<LRESULT>(s.tabs.size());
    case TCM_INSERTITEMA: return InsertItem(hwnd, s, wParam, lParam);
    case TCM_GETITEMA: return GetItem(s, wParam, lParam);
    case TCM_SETITEMA: return SetItem(hwnd, s, wParam, lParam);
    case TCM_DELETEITEM: return DeleteItem(hwnd, s, wParam);
    case TCM_DELETEALLITEMS: s.tabs.clear(); s.current = s.focusTab = -1; Redraw(hwnd); return TRUE;
    case TCM_GETCURSEL: return s.current;
    case TCM_SETCURSEL: return SetCurSel(hwnd, s, wParam);
    case TCM_GETCURFOCUS: return s.focusTab;
    case TCM_SETCURFOCUS: ChooseTab(hwnd, s, static_cast<int>(static_cast<int32_t>(wParam))); return 0;
    case TCM_GETITEMRECT: return GetItemRect(hwnd, s, wParam, lParam);
    case TCM_HITTEST: return HitTest(hwnd, s, lParam);
    case TCM_ADJUSTRECT: return AdjustRect(hwnd, s, wParam, lParam);
    case TCM_SETITEMSIZE: return SetItemSize(hwnd, s, lParam);
    case TCM_GETROWCOUNT: return 1;
    case TCM_SETITEMEXTRA: return wParam <= sizeof(LPARAM) ? TRUE : FALSE;
    case TCM_GETIMAGELIST: return static_cast<LRESULT>(s.imageList);
    case TCM_SETIMAGELIST: {
      const HANDLE old = s.imageList;
      s.imageList = static_cast<HANDLE>(lParam);
      return static_cast<LRESULT>(old);
    }
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK TabProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    g_tabs.Remove(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  std::shared_ptr<TabState> s = g_tabs.Get(hwnd);
  switch (msg) {
    case WM_PAINT: Paint(hwnd, *s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
      s->font = static_cast<HFONT>(wParam);
      if (LOWORD(lParam)) Redraw(hwnd);
      return 0;
    case WM_GETFONT: return static_cast<LRESULT>(s->font);
    case WM_ENABLE: Redraw(hwnd); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      s->focused = msg == WM_SETFOCUS;
      Redraw(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(hwnd, *s, lParam); return 0;
    case WM_KEYDOWN: OnKeyDown(hwnd, *s, wParam); return 0;
    default: return HandleTabMessage(hwnd, *s, msg, wParam, lParam);
  }
}

}  // namespace
}  // namespace lv::ctl::tabs

namespace lv::ctl {

void RegisterTabControlClass() {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = tabs::TabProc;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = WC_TABCONTROLA;
  RegisterClassA(&wc);
}

}  // namespace lv::ctl
