// Device contexts: creation, saved states, attributes, coordinate origins,
// clipping and device capabilities.
#include <algorithm>

#include "gdi_internal.h"

namespace lvgdi {

namespace {

void SetDefaults(DcState& st) {
  st = DcState();
  st.pen = Stock(BLACK_PEN);
  st.brush = Stock(WHITE_BRUSH);
  st.font = Stock(SYSTEM_FONT);
}

// The rectangle a DC may draw in, in device coordinates, before any
// application clip.
RECT BaseDeviceRect(const Dc* dc) {
  if (dc->memory) {
    Bitmap* bm = LookupBitmap(dc->st.bitmap);
    if (!bm) return RECT{0, 0, 0, 0};
    return RECT{0, 0, bm->width, bm->height};
  }
  if (!dc->surface) return RECT{0, 0, 0, 0};
  RECT r = dc->surfaceClip;
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  r.right = std::min<LONG>(r.right, dc->surface->width);
  r.bottom = std::min<LONG>(r.bottom, dc->surface->height);
  r.left -= dc->surfaceOrigin.x;
  r.right -= dc->surfaceOrigin.x;
  r.top -= dc->surfaceOrigin.y;
  r.bottom -= dc->surfaceOrigin.y;
  return r;
}

// The effective clip in device coordinates.
Region DeviceClip(const Dc* dc) {
  Region base = RegionFromRect(BaseDeviceRect(dc));
  if (!dc->st.hasClip) return base;
  return RegionAnd(base, dc->st.clip);
}

// The application clip to refine: the current one, or the whole device.
Region& ClipForEdit(Dc* dc) {
  if (!dc->st.hasClip) {
    dc->st.clip = RegionFromRect(BaseDeviceRect(dc));
    dc->st.hasClip = true;
  }
  return dc->st.clip;
}

RECT LogicalToDevice(const Dc* dc, int l, int t, int r, int b) {
  int ox = dc->st.viewportOrg.x - dc->st.windowOrg.x;
  int oy = dc->st.viewportOrg.y - dc->st.windowOrg.y;
  return RECT{l + ox, t + oy, r + ox, b + oy};
}

void UpdateBitmapOwner(HDC hdc, HBITMAP oldBm, HBITMAP newBm) {
  if (oldBm == newBm) return;
  if (Bitmap* o = LookupBitmap(oldBm)) o->selectedIn = 0;
  if (Bitmap* n = LookupBitmap(newBm)) n->selectedIn = hdc;
}

}  // namespace

Target MakeTarget(HDC hdc) {
  Target t;
  Dc* dc = LookupDc(hdc);
  if (!dc) return t;
  t.dc = dc;
  if (dc->memory) {
    Bitmap* bm = LookupBitmap(dc->st.bitmap);
    if (!bm) return t;
    t.cv = bm->canvas();
    t.monoDdb = bm->mono;
  } else {
    if (!dc->surface) return t;
    t.cv.row0 = reinterpret_cast<uint8_t*>(dc->surface->pixels);
    t.cv.stride = (ptrdiff_t)dc->surface->width * 4;
    t.cv.width = dc->surface->width;
    t.cv.height = dc->surface->height;
    t.cv.bpp = 32;
    SetDefaultMasks(t.cv);
    t.devX = dc->surfaceOrigin.x;
    t.devY = dc->surfaceOrigin.y;
  }
  t.dx = dc->st.viewportOrg.x - dc->st.windowOrg.x + t.devX;
  t.dy = dc->st.viewportOrg.y - dc->st.windowOrg.y + t.devY;
  Region clip = DeviceClip(dc);
  RegionOffset(clip, t.devX, t.devY);
  clip = RegionAnd(clip, RegionFromRect(RECT{0, 0, t.cv.width, t.cv.height}));
  t.clips = std::move(clip.rects);
  return t;
}

bool ClipContains(const Target& t, int x, int y) {
  for (const RECT& r : t.clips)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

HDC NewDc(bool memory) {
  auto dc = std::make_unique<Dc>();
  dc->memory = memory;
  SetDefaults(dc->st);
  if (memory) dc->st.bitmap = DefaultMonoBitmap();
  return AddObject(std::move(dc));
}

void ForgetSurface(const LvSurface* surface) {
  for (Dc* dc : AllDcs())
    if (dc->surface == surface) dc->surface = nullptr;
}

}  // namespace lvgdi

using namespace lvgdi;

HDC WINAPI CreateCompatibleDC(HDC hdc) {
  if (hdc && !LookupDc(hdc)) return 0;
  return NewDc(true);
}

BOOL WINAPI DeleteDC(HDC hdc) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return FALSE;
  UpdateBitmapOwner(hdc, dc->st.bitmap, 0);
  RemoveObject(hdc);
  CollectPending();
  return TRUE;
}

int WINAPI SaveDC(HDC hdc) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return 0;
  dc->saved.push_back(dc->st);
  return (int)dc->saved.size();
}

BOOL WINAPI RestoreDC(HDC hdc, int level) {
  Dc* dc = LookupDc(hdc);
  if (!dc || level == 0) return FALSE;
  int count = (int)dc->saved.size();
  int index = level > 0 ? level - 1 : count + level;
  if (index < 0 || index >= count) return FALSE;
  HBITMAP oldBm = dc->st.bitmap;
  dc->st = dc->saved[(size_t)index];
  dc->saved.resize((size_t)index);
  if (!LookupBitmap(dc->st.bitmap) && dc->memory) dc->st.bitmap = DefaultMonoBitmap();
  UpdateBitmapOwner(hdc, oldBm, dc->st.bitmap);
  CollectPending();
  return TRUE;
}

int WINAPI GetDeviceCaps(HDC hdc, int index) {
  if (hdc && !LookupDc(hdc)) return 0;
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return 270;  // 1024 pixels at 96 per inch
    case VERTSIZE: return 203;
    case HORZRES: return 1024;
    case VERTRES: return 768;
    case BITSPIXEL: return 24;
    case PLANES: return 1;
    case NUMBRUSHES: return -1;
    case NUMPENS: return -1;
    case NUMFONTS: return 0;
    case NUMCOLORS: return -1;  // more than 256 colours
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV | RC_BIGFONT |
             RC_STRETCHBLT | RC_FLOODFILL | RC_STRETCHDIB;
    case ASPECTX: return 36;
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case LOGPIXELSX: return 96;
    case LOGPIXELSY: return 96;
    case SIZEPALETTE: return 0;
    case NUMRESERVED: return 20;
    case COLORRES: return 24;
    default: return 0;
  }
}

int WINAPI SetMapMode(HDC hdc, int mode) {
  Dc* dc = LookupDc(hdc);
  if (!dc || mode < 1 || mode > 8) return 0;
  int old = dc->st.mapMode;
  dc->st.mapMode = mode;
  return old;
}

int WINAPI GetMapMode(HDC hdc) {
  Dc* dc = LookupDc(hdc);
  return dc ? dc->st.mapMode : 0;
}

namespace {

BOOL SetOrigin(HDC hdc, POINT DcState::*field, int x, int y, LPPOINT old, bool relative) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return FALSE;
  POINT& p = dc->st.*field;
  if (old) *old = p;
  if (relative) {
    p.x += x;
    p.y += y;
  } else {
    p = POINT{x, y};
  }
  return TRUE;
}

BOOL GetOrigin(HDC hdc, POINT DcState::*field, LPPOINT out) {
  Dc* dc = LookupDc(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->st.*field;
  return TRUE;
}

}  // namespace

BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old) {
  return SetOrigin(hdc, &DcState::viewportOrg, x, y, old, false);
}
BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT org) { return GetOrigin(hdc, &DcState::viewportOrg, org); }
BOOL WINAPI OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT old) {
  return SetOrigin(hdc, &DcState::viewportOrg, dx, dy, old, true);
}
BOOL WINAPI SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old) {
  return SetOrigin(hdc, &DcState::windowOrg, x, y, old, false);
}
BOOL WINAPI GetWindowOrgEx(HDC hdc, LPPOINT org) { return GetOrigin(hdc, &DcState::windowOrg, org); }
BOOL WINAPI OffsetWindowOrgEx(HDC hdc, int dx, int dy, LPPOINT old) {
  return SetOrigin(hdc, &DcState::windowOrg, dx, dy, old, true);
}
BOOL WINAPI SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT old) {
  return SetOrigin(hdc, &DcState::brushOrg, x, y, old, false);
}

BOOL WINAPI LPtoDP(HDC hdc, LPPOINT points, int count) {
  Dc* dc = LookupDc(hdc);
  if (!dc || (!points && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) {
    points[i].x += dc->st.viewportOrg.x - dc->st.windowOrg.x;
    points[i].y += dc->st.viewportOrg.y - dc->st.windowOrg.y;
  }
  return TRUE;
}

BOOL WINAPI DPtoLP(HDC hdc, LPPOINT points, int count) {
  Dc* dc = LookupDc(hdc);
  if (!dc || (!points && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) {
    points[i].x -= dc->st.viewportOrg.x - dc->st.windowOrg.x;
    points[i].y -= dc->st.viewportOrg.y - dc->st.windowOrg.y;
  }
  return TRUE;
}

// Attribute setters share one shape: validate, swap, return the old value.
#define LV_DC_ATTRIBUTE(Type, SetName, GetName, field, fail, valid)  \
  Type WINAPI SetName(HDC hdc, Type value) {                         \
    Dc* dc = LookupDc(hdc);                                          \
    if (!dc || !(valid)) return fail;                                \
    Type old = (Type)dc->st.field;                                   \
    dc->st.field = value;                                            \
    return old;                                                      \
  }                                                                  \
  Type WINAPI GetName(HDC hdc) {                                     \
    Dc* dc = LookupDc(hdc);                                          \
    return dc ? (Type)dc->st.field : fail;                           \
  }

LV_DC_ATTRIBUTE(COLORREF, SetTextColor, GetTextColor, textColor, CLR_INVALID, true)
LV_DC_ATTRIBUTE(COLORREF, SetBkColor, GetBkColor, bkColor, CLR_INVALID, true)
LV_DC_ATTRIBUTE(int, SetBkMode, GetBkMode, bkMode, 0, value == OPAQUE || value == TRANSPARENT)
LV_DC_ATTRIBUTE(int, SetROP2, GetROP2, rop2, 0, value >= R2_BLACK && value <= R2_WHITE)
LV_DC_ATTRIBUTE(int, SetStretchBltMode, GetStretchBltMode, stretchMode, 0,
                value >= BLACKONWHITE && value <= HALFTONE)
LV_DC_ATTRIBUTE(int, SetPolyFillMode, GetPolyFillMode, polyFillMode, 0,
                value == ALTERNATE || value == WINDING)
LV_DC_ATTRIBUTE(UINT, SetTextAlign, GetTextAlign, textAlign, GDI_ERROR, true)

COLORREF WINAPI SetDCBrushColor(HDC hdc, COLORREF color) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF old = dc->st.dcBrushColor;
  dc->st.dcBrushColor = color;
  return old;
}

COLORREF WINAPI SetDCPenColor(HDC hdc, COLORREF color) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF old = dc->st.dcPenColor;
  dc->st.dcPenColor = color;
  return old;
}

int WINAPI SelectClipRgn(HDC hdc, HRGN rgn) { return ExtSelectClipRgn(hdc, rgn, RGN_COPY); }

int WINAPI ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return ERROR;
  RegionObject* r = LookupRegion(rgn);
  if (!r) {
    if (mode != RGN_COPY || rgn) return ERROR;
    dc->st.hasClip = false;
    dc->st.clip = Region();
    return DeviceClip(dc).kind();
  }
  if (mode == RGN_COPY) {
    dc->st.clip = r->rgn;
    dc->st.hasClip = true;
  } else {
    Region& cur = ClipForEdit(dc);
    switch (mode) {
      case RGN_AND: cur = RegionAnd(cur, r->rgn); break;
      case RGN_OR: cur = RegionOr(cur, r->rgn); break;
      case RGN_XOR: cur = RegionXor(cur, r->rgn); break;
      case RGN_DIFF: cur = RegionDiff(cur, r->rgn); break;
      default: return ERROR;
    }
  }
  return DeviceClip(dc).kind();
}

int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return ERROR;
  Region& cur = ClipForEdit(dc);
  cur = RegionAnd(cur, RegionFromRect(LogicalToDevice(dc, left, top, right, bottom)));
  return DeviceClip(dc).kind();
}

int WINAPI ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return ERROR;
  Region& cur = ClipForEdit(dc);
  cur = RegionDiff(cur, RegionFromRect(LogicalToDevice(dc, left, top, right, bottom)));
  return DeviceClip(dc).kind();
}

int WINAPI OffsetClipRgn(HDC hdc, int dx, int dy) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return ERROR;
  if (dc->st.hasClip) RegionOffset(dc->st.clip, dx, dy);
  return DeviceClip(dc).kind();
}

int WINAPI GetClipBox(HDC hdc, LPRECT rect) {
  Dc* dc = LookupDc(hdc);
  if (!dc || !rect) return ERROR;
  Region clip = DeviceClip(dc);
  RECT b = clip.box();
  int ox = dc->st.viewportOrg.x - dc->st.windowOrg.x;
  int oy = dc->st.viewportOrg.y - dc->st.windowOrg.y;
  *rect = RECT{b.left - ox, b.top - oy, b.right - ox, b.bottom - oy};
  return clip.kind();
}

int WINAPI GetClipRgn(HDC hdc, HRGN rgn) {
  Dc* dc = LookupDc(hdc);
  RegionObject* r = LookupRegion(rgn);
  if (!dc || !r) return -1;
  if (!dc->st.hasClip) return 0;
  r->rgn = dc->st.clip;
  return 1;
}

BOOL WINAPI PtVisible(HDC hdc, int x, int y) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return FALSE;
  RECT d = LogicalToDevice(dc, x, y, x + 1, y + 1);
  return RegionContains(DeviceClip(dc), d.left, d.top);
}

BOOL WINAPI RectVisible(HDC hdc, const RECT* rect) {
  Dc* dc = LookupDc(hdc);
  if (!dc || !rect) return FALSE;
  RECT d = LogicalToDevice(dc, rect->left, rect->top, rect->right, rect->bottom);
  return !RegionAnd(DeviceClip(dc), RegionFromRect(d)).empty();
}
