// The default window procedure.
#include "userint.h"

#include <algorithm>
#include <cstring>

namespace lvuser {
namespace {

LRESULT GetText(Wnd* w, WPARAM size, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) return 0;
  size_t n = std::min(w->text.size(), static_cast<size_t>(size) - 1);
  std::memcpy(out, w->text.data(), n);
  out[n] = 0;
  return static_cast<LRESULT>(n);
}

LRESULT SetText(Wnd* w, LPARAM text) {
  const char* s = reinterpret_cast<const char*>(text);
  w->text = (s && !IS_INTRESOURCE(s)) ? s : "";
  if (!w->parent) InvalidateFrame(w);
  return TRUE;
}

LRESULT EraseBackground(Wnd* w, HDC hdc) {
  if (!w->cls || !w->cls->background) return 0;
  RECT r{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  FillWithBrush(hdc, r, w->cls->background);
  return 1;
}

LRESULT HitTest(Wnd* w, LPARAM lParam) {
  POINT p{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
  POINT o = WindowOrigin(w);
  RECT win{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
  if (!PtInRect(&win, p)) return HTNOWHERE;
  RECT client = w->client;
  OffsetRect(&client, o.x, o.y);
  if (PtInRect(&client, p)) return HTCLIENT;
  if (LRESULT bar = ScrollHitTest(w, p)) return bar;
  if ((w->style & WS_CAPTION) == WS_CAPTION && p.y < client.top && p.y >= o.y + 2) return HTCAPTION;
  return HTBORDER;
}

LRESULT OnSetCursor(Wnd* w, WPARAM wParam, LPARAM lParam) {
  // A parent may decide the cursor for its children first.
  if (w->parent && (w->style & WS_CHILD)) {
    if (SendMessageA(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
  }
  if (LOWORD(lParam) == HTCLIENT && w->cls && w->cls->cursor) {
    SetCursor(w->cls->cursor);
    return TRUE;
  }
  if (LOWORD(lParam) != HTCLIENT && !w->parent) {
    SetCursor(LoadCursorA(0, IDC_ARROW));
    return TRUE;
  }
  return FALSE;
}

LRESULT OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
  return 0;
}

void OnPosChanged(Wnd* w, const WINDOWPOS* wp) {
  if (!wp) return;
  HWND h = w->handle;
  if (!(wp->flags & SWP_NOSIZE)) {
    WPARAM kind = w->minimized ? SIZE_MINIMIZED : (w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED);
    SendTo(w, WM_SIZE, kind, MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  }
  if (!(w = FindWnd(h))) return;
  if (!(wp->flags & SWP_NOMOVE))
    SendTo(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
}

// Default colours of controls: window colours for edits and lists, the
// button face for the rest.
LRESULT DefaultControlColour(UINT message, HDC dc) {
  bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  int background = window ? COLOR_WINDOW : COLOR_BTNFACE;
  if (dc) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(background));
  }
  return static_cast<LRESULT>(GetSysColorBrush(background));
}

LRESULT OnKeyOrMouseForParent(Wnd* w, UINT message, WPARAM wParam, LPARAM lParam) {
  // Help and context menus travel up to the parent.
  if (w->parent && (w->style & WS_CHILD)) return SendMessageA(w->parent, message, wParam, lParam);
  return 0;
}
}  // namespace
}  // namespace lvuser

using namespace lvuser;

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return 0;
  switch (message) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      RECT* r = reinterpret_cast<RECT*>(lParam);
      if (!r) return 0;
      if (wParam) r = &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
      RECT in = FrameInsets(w->style, w->exStyle, w->parent != 0);
      r->left += in.left;
      r->top += in.top;
      r->right -= in.right;
      r->bottom -= in.bottom;
      if (r->right < r->left) r->right = r->left;
      if (r->bottom < r->top) r->bottom = r->top;
      return 0;
    }
    case WM_SETTEXT: return SetText(w, lParam);
    case WM_GETTEXT: return GetText(w, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_ERASEBKGND: return EraseBackground(w, static_cast<HDC>(wParam));
    case WM_PAINT: return OnPaint(hwnd);
    case WM_NCPAINT: PaintFrame(w); return 0;
    case WM_NCACTIVATE: InvalidateFrame(w); return TRUE;
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_NCHITTEST: return HitTest(w, lParam);
    case WM_SETCURSOR: return OnSetCursor(w, wParam, lParam);
    case WM_MOUSEACTIVATE:
      if (w->parent && (w->style & WS_CHILD)) {
        LRESULT r = SendMessageA(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !w->minimized) SetFocus(hwnd);
      return 0;
    case WM_WINDOWPOSCHANGED: OnPosChanged(w, reinterpret_cast<const WINDOWPOS*>(lParam)); return 0;
    case WM_SHOWWINDOW: return 0;
    case WM_SETREDRAW: w->redrawOff = !wParam; return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return DefaultControlColour(message, static_cast<HDC>(wParam));
    case WM_HELP:
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL: return OnKeyOrMouseForParent(w, message, wParam, lParam);
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_F1) {
        HELPINFO hi{sizeof(HELPINFO), HELPINFO_WINDOW, static_cast<int>(w->id), hwnd, 0, {}};
        GetCursorPos(&hi.MousePos);
        SendMessageA(hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&hi));
      }
      return 0;
    case WM_NCLBUTTONDOWN:
      if (wParam == HTVSCROLL || wParam == HTHSCROLL)
        ScrollBarClick(w, static_cast<LRESULT>(wParam),
                       POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))});
      return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN: return TRUE;
    case WM_GETFONT: return 0;
    case WM_GETDLGCODE: return 0;
    default: return 0;
  }
}
