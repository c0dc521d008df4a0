// Scroll bars of windows with WS_HSCROLL/WS_VSCROLL: range, page and
// position, painting in the frame, and clicks turned into WM_HSCROLL /
// WM_VSCROLL.
#include "userint.h"

#include <algorithm>

namespace lvuser {

namespace {
const int kColorScrollbar = 0;
const int kColorBtnFace = 15;
const int kColorBtnText = 18;

ScrollBar* BarOf(HWND hwnd, int bar, Wnd** out = nullptr) {
  Wnd* w = FindWnd(hwnd);
  if (out) *out = w;
  if (!w || (bar != SB_HORZ && bar != SB_VERT)) return nullptr;
  return &w->scroll[bar];
}

int MaxPos(const ScrollBar& s) {
  int top = s.max - std::max(static_cast<int>(s.page) - 1, 0);
  return std::max(top, s.min);
}

void Clamp(ScrollBar& s) {
  s.pos = std::clamp(s.pos, s.min, MaxPos(s));
}

void Redraw(Wnd* w, BOOL redraw) {
  if (redraw) InvalidateFrame(w);
}

// The bar's rectangle in window coordinates.
RECT BarRect(Wnd* w, int bar) {
  int size = GetSystemMetrics(bar == SB_VERT ? SM_CXVSCROLL : SM_CYHSCROLL);
  RECT c = w->client;
  if (bar == SB_VERT) return RECT{c.right, c.top, c.right + size, c.bottom};
  return RECT{c.left, c.bottom, c.right, c.bottom + size};
}

// Thumb position along the bar (offset from the bar start) and length.
void Thumb(const ScrollBar& s, int length, int arrow, int* start, int* size) {
  int track = std::max(length - 2 * arrow, 0);
  int range = s.max - s.min + 1;
  int thumb = s.page ? std::max(8, static_cast<int>(static_cast<long long>(track) * s.page / std::max(range, 1))) : arrow;
  thumb = std::min(thumb, track);
  int span = MaxPos(s) - s.min;
  int offset = span > 0 ? static_cast<int>(static_cast<long long>(track - thumb) * (s.pos - s.min) / span) : 0;
  *start = arrow + offset;
  *size = thumb;
}

void PaintBar(Wnd* w, HDC dc, int bar) {
  RECT r = BarRect(w, bar);
  FillSolid(dc, r, SysColor(kColorScrollbar));
  bool vertical = bar == SB_VERT;
  int length = vertical ? r.bottom - r.top : r.right - r.left;
  int arrow = std::min(vertical ? r.right - r.left : r.bottom - r.top, length / 2);
  RECT first = vertical ? RECT{r.left, r.top, r.right, r.top + arrow} : RECT{r.left, r.top, r.left + arrow, r.bottom};
  RECT last = vertical ? RECT{r.left, r.bottom - arrow, r.right, r.bottom} : RECT{r.right - arrow, r.top, r.right, r.bottom};
  const UINT kCentre = 0x0001 | 0x0004 | 0x0020 | 0x0800;
  for (RECT* b : {&first, &last}) {
    FillSolid(dc, *b, SysColor(kColorBtnFace));
    DrawRaisedEdge(dc, *b);
  }
  DrawTextIn(dc, vertical ? "^" : "<", first, kCentre, SysColor(kColorBtnText), 0, false);
  DrawTextIn(dc, vertical ? "v" : ">", last, kCentre, SysColor(kColorBtnText), 0, false);
  const ScrollBar& s = w->scroll[bar];
  if (s.disabled == ESB_DISABLE_BOTH || s.max <= s.min) return;
  int start = 0, size = 0;
  Thumb(s, length, arrow, &start, &size);
  RECT thumb = vertical ? RECT{r.left, r.top + start, r.right, r.top + start + size}
                        : RECT{r.left + start, r.top, r.left + start + size, r.bottom};
  FillSolid(dc, thumb, SysColor(kColorBtnFace));
  DrawRaisedEdge(dc, thumb);
}
}  // namespace

void PaintScrollBars(Wnd* w, HDC dc) {
  if (w->style & WS_VSCROLL) PaintBar(w, dc, SB_VERT);
  if (w->style & WS_HSCROLL) PaintBar(w, dc, SB_HORZ);
}

LRESULT ScrollHitTest(Wnd* w, POINT screen) {
  POINT o = WindowOrigin(w);
  POINT p{screen.x - o.x, screen.y - o.y};
  if ((w->style & WS_VSCROLL)) {
    RECT r = BarRect(w, SB_VERT);
    if (PtInRect(&r, p)) return HTVSCROLL;
  }
  if ((w->style & WS_HSCROLL)) {
    RECT r = BarRect(w, SB_HORZ);
    if (PtInRect(&r, p)) return HTHSCROLL;
  }
  return 0;
}

void ScrollBarClick(Wnd* w, LRESULT hit, POINT screen) {
  int bar = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
  const ScrollBar& s = w->scroll[bar];
  if (s.disabled == ESB_DISABLE_BOTH) return;
  RECT r = BarRect(w, bar);
  POINT o = WindowOrigin(w);
  bool vertical = bar == SB_VERT;
  int at = vertical ? screen.y - o.y - r.top : screen.x - o.x - r.left;
  int length = vertical ? r.bottom - r.top : r.right - r.left;
  int arrow = std::min(vertical ? r.right - r.left : r.bottom - r.top, length / 2);
  int start = 0, size = 0;
  Thumb(s, length, arrow, &start, &size);
  WORD code;
  if (at < arrow)
    code = SB_LINEUP;
  else if (at >= length - arrow)
    code = SB_LINEDOWN;
  else if (at < start)
    code = SB_PAGEUP;
  else if (at >= start + size)
    code = SB_PAGEDOWN;
  else
    return;  // the thumb: dragging is not simulated
  UINT message = vertical ? WM_VSCROLL : WM_HSCROLL;
  HWND h = w->handle;
  SendMessageA(h, message, MAKEWPARAM(code, 0), 0);
  SendMessageA(h, message, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
}

}  // namespace lvuser

using namespace lvuser;

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw) {
  Wnd* w = nullptr;
  ScrollBar* s = BarOf(hwnd, bar, &w);
  if (!s || !info) return 0;
  if (info->fMask & SIF_RANGE) {
    s->min = info->nMin;
    s->max = std::max(info->nMax, info->nMin);
  }
  if (info->fMask & SIF_PAGE) s->page = std::min<UINT>(info->nPage, static_cast<UINT>(s->max - s->min + 1));
  if (info->fMask & SIF_POS) s->pos = info->nPos;
  Clamp(*s);
  Redraw(w, redraw);
  return s->pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
  ScrollBar* s = BarOf(hwnd, bar);
  if (!s || !info) return FALSE;
  if (info->fMask & SIF_RANGE) {
    info->nMin = s->min;
    info->nMax = s->max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = s->page;
  if (info->fMask & SIF_POS) info->nPos = s->pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s->pos;
  return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  Wnd* w = nullptr;
  ScrollBar* s = BarOf(hwnd, bar, &w);
  if (!s) return 0;
  int old = s->pos;
  s->pos = pos;
  Clamp(*s);
  Redraw(w, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  ScrollBar* s = BarOf(hwnd, bar);
  return s ? s->pos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw) {
  Wnd* w = nullptr;
  ScrollBar* s = BarOf(hwnd, bar, &w);
  if (!s) return FALSE;
  s->min = min;
  s->max = std::max(min, max);
  Clamp(*s);
  Redraw(w, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT min, LPINT max) {
  ScrollBar* s = BarOf(hwnd, bar);
  if (!s) return FALSE;
  if (min) *min = s->min;
  if (max) *max = s->max;
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return FALSE;
  DWORD bits = bar == SB_HORZ ? WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : 0;
  if (!bits) return FALSE;
  DWORD style = show ? (w->style | bits) : (w->style & ~bits);
  if (style == w->style) return TRUE;
  w->style = style;
  return SetWindowPos(hwnd, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return FALSE;
  if (bar == SB_HORZ || bar == SB_BOTH) w->scroll[SB_HORZ].disabled = arrows;
  if (bar == SB_VERT || bar == SB_BOTH) w->scroll[SB_VERT].disabled = arrows;
  InvalidateFrame(w);
  return TRUE;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
  (void)scroll;
  (void)clip;
  Wnd* w = FindWnd(hwnd);
  if (!w) return FALSE;
  // Children move with the contents; everything is repainted.
  for (HWND k : w->children) {
    Wnd* kw = FindWnd(k);
    if (!kw) continue;
    OffsetRect(&kw->rect, dx, dy);
  }
  InvalidateWnd(w, nullptr, true, true);
  return TRUE;
}
