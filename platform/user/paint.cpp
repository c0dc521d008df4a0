// Painting: update areas, WM_PAINT generation (parents before children),
// BeginPaint/EndPaint and device contexts on the top-level window's surface.
#include "userint.h"

#include <algorithm>

namespace lvuser {

namespace {
bool HasUpdate(Wnd* w) {
  return !IsRectEmpty(&w->update) || w->internalPaint || w->frameDirty;
}

RECT ClientBox(Wnd* w) {
  return RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
}

HWND FindDirty(Wnd* w, HWND filter, bool inFilter) {
  if (!(w->style & WS_VISIBLE) || w->redrawOff) return 0;
  bool in = inFilter || !filter || w->handle == filter;
  if (in && HasUpdate(w)) return w->handle;
  for (HWND k : w->children) {
    Wnd* kw = FindWnd(k);
    if (!kw) continue;
    if (HWND h = FindDirty(kw, filter, in)) return h;
  }
  return 0;
}

void PaintOne(HWND h) {
  Wnd* w = FindWnd(h);
  if (!w) return;
  if (IsRectEmpty(&w->update) && !w->internalPaint) {
    // Only the frame is stale.
    w->frameDirty = false;
    SendTo(w, WM_NCPAINT, 1, 0);
    return;
  }
  MSG m{h, WM_PAINT, 0, 0, Now(), {}};
  DispatchMessageA(&m);
}

void ValidateTree(Wnd* w) {
  w->update = RECT{0, 0, 0, 0};
  w->erase = false;
  w->internalPaint = false;
  for (HWND k : w->children)
    if (Wnd* kw = FindWnd(k)) ValidateTree(kw);
}
}  // namespace

void InvalidateWnd(Wnd* w, const RECT* clientRect, bool erase, bool children) {
  RECT box = ClientBox(w);
  RECT r = box;
  if (clientRect && !IntersectRect(&r, clientRect, &box)) return;
  if (IsRectEmpty(&r)) return;
  UnionRect(&w->update, &w->update, &r);
  w->erase = w->erase || erase;
  if (!children) return;
  for (HWND k : w->children) {
    Wnd* kw = FindWnd(k);
    if (!kw || !(kw->style & WS_VISIBLE)) continue;
    RECT overlap;
    if (!IntersectRect(&overlap, &r, &kw->rect)) continue;
    kw->frameDirty = true;
    OffsetRect(&overlap, -(kw->rect.left + kw->client.left), -(kw->rect.top + kw->client.top));
    InvalidateWnd(kw, &overlap, true, true);
  }
}

void InvalidateFrame(Wnd* w) {
  w->frameDirty = true;
}

HWND NextWindowToPaint(HWND filter) {
  for (HWND t : TopLevelWindows()) {
    Wnd* w = FindWnd(t);
    if (!w) continue;
    if (HWND h = FindDirty(w, filter, false)) return h;
  }
  return 0;
}

void PaintPending(Wnd* top) {
  HWND root = top->handle;
  for (int guard = 0; guard < 10000; ++guard) {
    Wnd* w = FindWnd(root);
    if (!w) return;
    HWND h = FindDirty(w, 0, true);
    if (!h) return;
    PaintOne(h);
  }
  if (Wnd* w = FindWnd(root)) ValidateTree(w);
}

bool SurfaceGeometry(Wnd* w, bool whole, POINT* origin, RECT* clip) {
  Wnd* top = TopLevelOf(w);
  if (!top || !top->surface) return false;
  POINT topOrigin = WindowOrigin(top);
  POINT o = whole ? WindowOrigin(w) : ClientOrigin(w);
  origin->x = o.x - topOrigin.x;
  origin->y = o.y - topOrigin.y;
  RECT r = whole ? RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top} : ClientBox(w);
  OffsetRect(&r, origin->x, origin->y);
  // Each ancestor's client area bounds what the window can show.
  for (Wnd* a = w->parent ? FindWnd(w->parent) : nullptr; a; a = a->parent ? FindWnd(a->parent) : nullptr) {
    POINT ao = ClientOrigin(a);
    RECT ac = ClientBox(a);
    OffsetRect(&ac, ao.x - topOrigin.x, ao.y - topOrigin.y);
    if (!IntersectRect(&r, &r, &ac)) r = RECT{0, 0, 0, 0};
  }
  RECT surface{0, 0, top->surface->width, top->surface->height};
  if (!IntersectRect(&r, &r, &surface)) r = RECT{0, 0, 0, 0};
  *clip = r;
  return true;
}

}  // namespace lvuser

using namespace lvuser;

namespace {
HDC WindowDC(HWND hwnd, bool whole, const RECT* limitClient) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return 0;
  POINT origin;
  RECT clip;
  if (!SurfaceGeometry(w, whole, &origin, &clip)) return 0;
  if (limitClient) {
    RECT lim = *limitClient;
    OffsetRect(&lim, origin.x, origin.y);
    if (!IntersectRect(&clip, &clip, &lim)) clip = RECT{0, 0, 0, 0};
  }
  return SurfaceDC(TopLevelOf(w)->surface, origin, &clip);
}

void ForAllTopLevel(void (*fn)(Wnd*)) {
  std::vector<HWND> tops = TopLevelWindows();
  for (HWND t : tops)
    if (Wnd* w = FindWnd(t)) fn(w);
}
}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd) {
    ForAllTopLevel([](Wnd* w) {
      InvalidateFrame(w);
      InvalidateWnd(w, nullptr, true, true);
    });
    return TRUE;
  }
  Wnd* w = FindWnd(hwnd);
  if (!w) return FALSE;
  InvalidateWnd(w, rect, erase != FALSE, true);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return FALSE;
  if (!rect) {
    w->update = RECT{0, 0, 0, 0};
    w->erase = false;
    w->internalPaint = false;
    return TRUE;
  }
  RECT rest;
  if (!SubtractRect(&rest, &w->update, rect)) {
    w->update = RECT{0, 0, 0, 0};
    w->erase = false;
  } else {
    w->update = rest;
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return FALSE;
  if (rect) *rect = w->update;
  if (erase && w->erase && !IsRectEmpty(&w->update)) {
    w->erase = false;
    HDC dc = WindowDC(hwnd, false, &w->update);
    SendTo(w, WM_ERASEBKGND, static_cast<WPARAM>(dc), 0);
    FreeDC(dc);
  }
  return !IsRectEmpty(rect ? rect : &w->update);
}

BOOL UpdateWindow(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return FALSE;
  for (int guard = 0; guard < 10000; ++guard) {
    if (!(w = FindWnd(hwnd))) return TRUE;
    HWND h = FindDirty(w, 0, true);
    if (!h) break;
    PaintOne(h);
  }
  return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* update, HRGN region, UINT flags) {
  (void)region;
  if (!hwnd) {
    for (HWND t : std::vector<HWND>(TopLevelWindows())) RedrawWindow(t, nullptr, 0, flags);
    return TRUE;
  }
  Wnd* w = FindWnd(hwnd);
  if (!w) return FALSE;
  if (flags & RDW_INVALIDATE) InvalidateWnd(w, update, (flags & RDW_ERASE) != 0, !(flags & RDW_NOCHILDREN));
  if (flags & RDW_FRAME) InvalidateFrame(w);
  if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
  if (flags & RDW_VALIDATE) ValidateRect(hwnd, update);
  if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateWindow(hwnd);
  return TRUE;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
  Wnd* w = FindWnd(hwnd);
  if (!w || !paint) return 0;
  *paint = PAINTSTRUCT{};
  if (w->frameDirty) {
    w->frameDirty = false;
    SendTo(w, WM_NCPAINT, 1, 0);
    if (!(w = FindWnd(hwnd))) return 0;
  }
  RECT area = w->update;
  bool erase = w->erase;
  w->update = RECT{0, 0, 0, 0};
  w->erase = false;
  w->internalPaint = false;
  w->painting = true;
  paint->rcPaint = area;
  HDC dc = WindowDC(hwnd, false, &area);
  paint->hdc = dc;
  if (erase && !IsRectEmpty(&area)) paint->fErase = SendTo(w, WM_ERASEBKGND, static_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  if (paint && paint->hdc) FreeDC(paint->hdc);
  if (Wnd* w = FindWnd(hwnd)) w->painting = false;
  return TRUE;
}

HDC GetDC(HWND hwnd) {
  if (!hwnd || hwnd == DesktopHandle()) return ScreenDC();
  return WindowDC(hwnd, false, nullptr);
}

HDC GetWindowDC(HWND hwnd) {
  if (!hwnd || hwnd == DesktopHandle()) return ScreenDC();
  return WindowDC(hwnd, true, nullptr);
}

int ReleaseDC(HWND hwnd, HDC hdc) {
  (void)hwnd;
  if (!hdc) return 0;
  FreeDC(hdc);
  return 1;
}

BOOL PrintWindow(HWND hwnd, HDC hdc, UINT flags) {
  Wnd* w = FindWnd(hwnd);
  if (!w || !hdc) return FALSE;
  PaintPending(TopLevelOf(w));
  if (!(w = FindWnd(hwnd))) return FALSE;
  POINT origin;
  RECT clip;
  if (!SurfaceGeometry(w, !(flags & PW_CLIENTONLY), &origin, &clip)) return FALSE;
  return CopySurfaceTo(hdc, TopLevelOf(w)->surface, clip) ? TRUE : FALSE;
}

BOOL LockWindowUpdate(HWND hwnd) {
  (void)hwnd;
  return TRUE;
}
