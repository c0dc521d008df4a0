// The non-client frame: borders, edges and the caption bar with its text,
// painted into the top-level surface so screenshots show them.
#include "userint.h"

namespace lvuser {

namespace {
// System colour indexes used here.
const int kActiveCaption = 2;
const int kInactiveCaption = 3;
const int kCaptionText = 9;
const int kInactiveCaptionText = 19;
const int kBtnFace = 15;
const int kBtnShadow = 16;
const int kBtnHighlight = 20;
const int kDarkShadow = 21;
const int kLight = 22;

// DrawText formats used here.
const UINT kDtCenter = 0x0001;
const UINT kDtVCenter = 0x0004;
const UINT kDtSingleLine = 0x0020;
const UINT kDtNoPrefix = 0x0800;
const UINT kDtEndEllipsis = 0x8000;

void SunkenEdge(HDC dc, RECT r) {
  FillSolid(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, SysColor(kBtnShadow));
  FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, SysColor(kBtnShadow));
  FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, SysColor(kBtnHighlight));
  FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, SysColor(kBtnHighlight));
  InflateRect(&r, -1, -1);
  FillSolid(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, SysColor(kDarkShadow));
  FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, SysColor(kDarkShadow));
  FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, SysColor(kLight));
  FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, SysColor(kLight));
}

// Fills the ring between outer and inner with a colour.
void FillRing(HDC dc, const RECT& outer, const RECT& inner, COLORREF c) {
  FillSolid(dc, RECT{outer.left, outer.top, outer.right, inner.top}, c);
  FillSolid(dc, RECT{outer.left, inner.bottom, outer.right, outer.bottom}, c);
  FillSolid(dc, RECT{outer.left, inner.top, inner.left, inner.bottom}, c);
  FillSolid(dc, RECT{inner.right, inner.top, outer.right, inner.bottom}, c);
}

void PaintCaption(HDC dc, Wnd* w, RECT bar) {
  bool active = GetActiveWindow() == w->handle;
  FillSolid(dc, bar, SysColor(active ? kActiveCaption : kInactiveCaption));
  RECT text = bar;
  text.left += 4;
  if (w->style & WS_SYSMENU) {
    int size = bar.bottom - bar.top - 4;
    RECT close{bar.right - size - 4, bar.top + 2, bar.right - 2, bar.bottom - 2};
    FillSolid(dc, close, SysColor(kBtnFace));
    DrawRaisedEdge(dc, close);
    DrawTextIn(dc, "x", close, kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix, 0, 0, true);
    text.right = close.left - 2;
  }
  DrawTextIn(dc, w->text, text, kDtVCenter | kDtSingleLine | kDtNoPrefix | kDtEndEllipsis,
             SysColor(active ? kCaptionText : kInactiveCaptionText), 0, true);
}
}  // namespace

void PaintFrame(Wnd* w) {
  w->frameDirty = false;
  RECT all{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  if (EqualRect(&all, &w->client)) return;
  HDC dc = GetWindowDC(w->handle);
  if (!dc) return;
  RECT r = all;
  bool thick = (w->style & WS_THICKFRAME) || (w->style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME);
  if (thick) {
    DrawRaisedEdge(dc, r);
    RECT in = FrameInsets(w->style & ~static_cast<DWORD>(WS_CAPTION | WS_VSCROLL | WS_HSCROLL),
                          w->exStyle & ~static_cast<DWORD>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE), w->parent != 0);
    RECT inner{r.left + in.left, r.top + in.top, r.right - in.right, r.bottom - in.bottom};
    InflateRect(&r, -2, -2);
    FillRing(dc, r, inner, SysColor(kBtnFace));
    r = inner;
  } else if (w->style & WS_BORDER) {
    DrawFrameRect(dc, r, 0);
    InflateRect(&r, -1, -1);
  }
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    int h = (w->exStyle & WS_EX_TOOLWINDOW) ? GetSystemMetrics(SM_CYSMCAPTION) : GetSystemMetrics(SM_CYCAPTION);
    PaintCaption(dc, w, RECT{r.left, r.top, r.right, r.top + h - 1});
    FillSolid(dc, RECT{r.left, r.top + h - 1, r.right, r.top + h}, SysColor(kBtnFace));
    r.top += h;
  }
  if (w->exStyle & WS_EX_CLIENTEDGE) {
    SunkenEdge(dc, r);
    InflateRect(&r, -2, -2);
  } else if (w->exStyle & WS_EX_STATICEDGE) {
    FillRing(dc, r, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, SysColor(kBtnShadow));
    InflateRect(&r, -1, -1);
  }
  PaintScrollBars(w, dc);
  if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL))
    FillSolid(dc, RECT{w->client.right, w->client.bottom, r.right, r.bottom}, SysColor(kBtnFace));
  FreeDC(dc);
}

}  // namespace lvuser
