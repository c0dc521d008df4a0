// The window manager's use of the graphics part: surfaces, device contexts,
// fills, text and fonts. Kept in one file so the rest of the window manager
// speaks only in these small helpers.
#include "userint.h"

#include <algorithm>

// The graphics functions are bound weakly: the window manager keeps working
// (without pixels) in a library built without the graphics part.
extern "C" {
HDC lvCreateSurfaceDC(LvSurface*, int, int, const RECT*) __attribute__((weak));
LvSurface* lvSurfaceCreate(int, int) __attribute__((weak));
BOOL lvSurfaceResize(LvSurface*, int, int) __attribute__((weak));
void lvSurfaceDestroy(LvSurface*) __attribute__((weak));
BOOL lvSurfaceWritePng(const LvSurface*, const RECT*, const char*) __attribute__((weak));
BOOL DeleteDC(HDC) __attribute__((weak));
COLORREF SetTextColor(HDC, COLORREF) __attribute__((weak));
int SetBkMode(HDC, int) __attribute__((weak));
HGDIOBJ SelectObject(HDC, HGDIOBJ) __attribute__((weak));
BOOL DeleteObject(HGDIOBJ) __attribute__((weak));
HGDIOBJ GetStockObject(int) __attribute__((weak));
int FillRect(HDC, const RECT*, HBRUSH) __attribute__((weak));
DWORD GetSysColor(int) __attribute__((weak));
HFONT CreateFontA(int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                  LPCSTR) __attribute__((weak));
BOOL GetTextExtentPoint32A(HDC, LPCSTR, int, LPSIZE) __attribute__((weak));
int DrawTextA(HDC, LPCSTR, int, LPRECT, UINT) __attribute__((weak));
HDC CreateCompatibleDC(HDC) __attribute__((weak));
HBRUSH CreateSolidBrush(COLORREF) __attribute__((weak));
BOOL BitBlt(HDC, int, int, int, int, HDC, int, int, DWORD) __attribute__((weak));
}

namespace lvuser {

namespace {
const int kTransparent = 1;       // SetBkMode TRANSPARENT
const int kDefaultGuiFont = 17;   // GetStockObject DEFAULT_GUI_FONT
const int kFwBold = 700;

// Classic system colours, used when the graphics part has none.
COLORREF FallbackSysColor(int index) {
  switch (index) {
    case 5: return 0xFFFFFF;   // window
    case 8: return 0x000000;   // window text
    case 2: return 0x800000;   // active caption
    case 3: return 0x808080;   // inactive caption
    case 9: return 0xFFFFFF;   // caption text
    case 16: return 0x808080;  // button shadow
    case 20: return 0xFFFFFF;  // button highlight
    case 21: return 0x000000;  // dark shadow
    case 22: return 0xC0C0C0;  // light
    default: return 0xC0C0C0;  // button face and the rest
  }
}
}  // namespace

LvSurface* NewSurface(int width, int height) {
  if (!lvSurfaceCreate) return nullptr;
  return lvSurfaceCreate(std::max(width, 1), std::max(height, 1));
}

void ResizeSurface(LvSurface* s, int width, int height) {
  if (s && lvSurfaceResize) lvSurfaceResize(s, std::max(width, 1), std::max(height, 1));
}

void FreeSurface(LvSurface* s) {
  if (s && lvSurfaceDestroy) lvSurfaceDestroy(s);
}

HDC SurfaceDC(LvSurface* s, POINT origin, const RECT* clip) {
  if (!s || !lvCreateSurfaceDC) return 0;
  return lvCreateSurfaceDC(s, origin.x, origin.y, clip);
}

void FreeDC(HDC hdc) {
  if (hdc && DeleteDC) DeleteDC(hdc);
}

HDC ScreenDC() {
  return lvCreateScreenDC();
}

bool CopySurfaceTo(HDC hdc, LvSurface* s, const RECT& part) {
  if (!s || !BitBlt || !lvCreateSurfaceDC || IsRectEmpty(&part)) return false;
  RECT all{0, 0, s->width, s->height};
  HDC src = lvCreateSurfaceDC(s, 0, 0, &all);
  if (!src) return false;
  const DWORD kSrcCopy = 0x00CC0020;
  BOOL ok = BitBlt(hdc, 0, 0, part.right - part.left, part.bottom - part.top, src, part.left, part.top, kSrcCopy);
  FreeDC(src);
  return ok != FALSE;
}

COLORREF SysColor(int index) {
  return GetSysColor ? GetSysColor(index) : FallbackSysColor(index);
}

void FillSolid(HDC hdc, const RECT& r, COLORREF color) {
  if (!hdc || !FillRect || !DeleteObject) return;
  if (!CreateSolidBrush) return;
  HBRUSH brush = CreateSolidBrush(color);
  if (!brush) return;
  FillRect(hdc, &r, brush);
  DeleteObject(brush);
}

void FillWithBrush(HDC hdc, const RECT& r, HBRUSH brush) {
  if (!hdc) return;
  // (HBRUSH)(COLOR_x + 1) stands for a system colour.
  if (brush > 0 && brush <= 31) {
    FillSolid(hdc, r, SysColor(static_cast<int>(brush) - 1));
    return;
  }
  if (brush && FillRect) FillRect(hdc, &r, brush);
}

void DrawTextIn(HDC hdc, const std::string& text, RECT r, UINT format, COLORREF color, HFONT font,
                bool bold) {
  if (!hdc || !DrawTextA || !SetTextColor || !SetBkMode || !SelectObject) return;
  HFONT use = font;
  bool made = false;
  if (!use && bold) {
    use = MakeDialogFont("MS Sans Serif", 8, kFwBold, false);
    made = use != 0;
  }
  if (!use && GetStockObject) use = static_cast<HFONT>(GetStockObject(kDefaultGuiFont));
  HGDIOBJ old = use ? SelectObject(hdc, use) : 0;
  SetTextColor(hdc, color);
  SetBkMode(hdc, kTransparent);
  DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &r, format);
  if (old) SelectObject(hdc, old);
  if (made) FreeFont(use);
}

void DrawFrameRect(HDC hdc, RECT r, COLORREF color) {
  FillSolid(hdc, RECT{r.left, r.top, r.right, r.top + 1}, color);
  FillSolid(hdc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, color);
  FillSolid(hdc, RECT{r.left, r.top, r.left + 1, r.bottom}, color);
  FillSolid(hdc, RECT{r.right - 1, r.top, r.right, r.bottom}, color);
}

void DrawRaisedEdge(HDC hdc, RECT r) {
  // Outer: light grey top-left, black bottom-right; inner: white / grey.
  auto line = [&](RECT x, COLORREF c) { FillSolid(hdc, x, c); };
  line(RECT{r.left, r.top, r.right - 1, r.top + 1}, SysColor(22));
  line(RECT{r.left, r.top, r.left + 1, r.bottom - 1}, SysColor(22));
  line(RECT{r.left, r.bottom - 1, r.right, r.bottom}, SysColor(21));
  line(RECT{r.right - 1, r.top, r.right, r.bottom}, SysColor(21));
  InflateRect(&r, -1, -1);
  line(RECT{r.left, r.top, r.right - 1, r.top + 1}, SysColor(20));
  line(RECT{r.left, r.top, r.left + 1, r.bottom - 1}, SysColor(20));
  line(RECT{r.left, r.bottom - 1, r.right, r.bottom}, SysColor(16));
  line(RECT{r.right - 1, r.top, r.right, r.bottom}, SysColor(16));
}

HFONT MakeDialogFont(const std::string& face, int pointSize, int weight, bool italic) {
  if (!CreateFontA) return 0;
  // Point size at 96 pixels per inch, as a character height (negative).
  int height = -((pointSize * 96 + 36) / 72);
  return CreateFontA(height, 0, 0, 0, weight, italic ? 1 : 0, 0, 0, 0, 0, 0, 0, 0, face.c_str());
}

void FreeFont(HFONT font) {
  if (font && DeleteObject) DeleteObject(font);
}

bool MeasureText(HFONT font, const char* text, SIZE* size) {
  if (!CreateCompatibleDC || !GetTextExtentPoint32A || !SelectObject || !DeleteDC) return false;
  HDC dc = CreateCompatibleDC(0);
  if (!dc) return false;
  HFONT use = font;
  if (!use && GetStockObject) use = static_cast<HFONT>(GetStockObject(kDefaultGuiFont));
  HGDIOBJ old = use ? SelectObject(dc, use) : 0;
  BOOL ok = GetTextExtentPoint32A(dc, text, static_cast<int>(std::char_traits<char>::length(text)), size);
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
  return ok != FALSE;
}

bool WritePng(LvSurface* s, const RECT& r, const std::string& path) {
  if (!s || !lvSurfaceWritePng) return false;
  return lvSurfaceWritePng(s, &r, path.c_str()) != FALSE;
}

}  // namespace lvuser
