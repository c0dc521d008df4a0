// The table of graphics objects and the functions common to all of them:
// creation of pens and brushes, stock objects, selection, deletion and
// descriptions.
#include <algorithm>
#include <cstring>
#include <deque>

#include "gdi_internal.h"

namespace lvgdi {

namespace {

constexpr uint32_t kHandleTag = 0x40000000u;
constexpr uint32_t kIndexBits = 20;
constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
constexpr uint32_t kGenMask = 0x3FF;

struct Slot {
  std::unique_ptr<Object> obj;
  uint32_t gen = 1;
};

struct Table {
  std::vector<Slot> slots;
  std::deque<uint32_t> freeList;  // reused oldest first, so stale handles stay stale
  std::vector<HANDLE> pending;    // deleted while selected
  HGDIOBJ stock[DC_PEN + 1] = {};
  HBRUSH sysBrushes[COLOR_GRADIENTINACTIVECAPTION + 1] = {};
};

Table& T() {
  static Table table;
  return table;
}

HANDLE MakeHandle(uint32_t index, uint32_t gen) {
  return kHandleTag | ((gen & kGenMask) << kIndexBits) | index;
}

bool StateUses(const DcState& s, HANDLE h) {
  return s.pen == h || s.brush == h || s.font == h || s.bitmap == h || s.palette == h;
}

bool SelectedAnywhere(HANDLE h) {
  for (Dc* dc : AllDcs()) {
    if (StateUses(dc->st, h)) return true;
    for (const DcState& s : dc->saved)
      if (StateUses(s, h)) return true;
  }
  return false;
}

HGDIOBJ MakeStock(int index) {
  std::unique_ptr<Object> obj;
  switch (index) {
    case WHITE_BRUSH: case LTGRAY_BRUSH: case GRAY_BRUSH: case DKGRAY_BRUSH: case BLACK_BRUSH: {
      static const COLORREF colors[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
      auto b = std::make_unique<Brush>();
      b->color = colors[index];
      obj = std::move(b);
      break;
    }
    case NULL_BRUSH: {
      auto b = std::make_unique<Brush>();
      b->style = BS_NULL;
      obj = std::move(b);
      break;
    }
    case DC_BRUSH: {
      auto b = std::make_unique<Brush>();
      b->dcBrush = true;
      obj = std::move(b);
      break;
    }
    case WHITE_PEN: case BLACK_PEN: case NULL_PEN: case DC_PEN: {
      auto p = std::make_unique<Pen>();
      p->color = index == WHITE_PEN ? 0xFFFFFF : 0;
      p->style = index == NULL_PEN ? PS_NULL : PS_SOLID;
      p->dcPen = index == DC_PEN;
      obj = std::move(p);
      break;
    }
    case OEM_FIXED_FONT: case ANSI_FIXED_FONT: case ANSI_VAR_FONT: case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: case SYSTEM_FIXED_FONT: case DEFAULT_GUI_FONT: {
      auto f = std::make_unique<Font>();
      f->log.lfHeight = index == DEFAULT_GUI_FONT || index == ANSI_VAR_FONT ? -11 : kFontHeight;
      f->log.lfWeight = FW_NORMAL;
      f->log.lfCharSet = ANSI_CHARSET;
      f->log.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
      strcpy(f->log.lfFaceName, index == SYSTEM_FONT ? "System" : "MS Sans Serif");
      obj = std::move(f);
      break;
    }
    case DEFAULT_PALETTE: {
      auto p = std::make_unique<Palette>();
      p->entries.resize(20);
      GetSystemPaletteEntries(0, 0, 10, p->entries.data());
      GetSystemPaletteEntries(0, 246, 10, p->entries.data() + 10);
      obj = std::move(p);
      break;
    }
    default:
      return 0;
  }
  obj->stock = true;
  return AddObject(std::move(obj));
}

void FreeNow(HANDLE h) {
  Table& t = T();
  uint32_t index = h & kIndexMask;
  Slot& s = t.slots[index];
  if (s.obj && s.obj->kind == Kind::Bitmap) static_cast<Bitmap*>(s.obj.get())->selectedIn = 0;
  s.obj.reset();
  s.gen = (s.gen % kGenMask) + 1;
  t.freeList.push_back(index);
}

}  // namespace

HANDLE AddObject(std::unique_ptr<Object> obj) {
  if (!obj) return 0;
  Table& t = T();
  uint32_t index;
  if (t.freeList.size() > 64) {
    index = t.freeList.front();
    t.freeList.pop_front();
  } else {
    if (t.slots.size() >= kIndexMask) return 0;
    if (t.slots.empty()) t.slots.emplace_back();  // index 0 is never used
    index = (uint32_t)t.slots.size();
    t.slots.emplace_back();
  }
  t.slots[index].obj = std::move(obj);
  return MakeHandle(index, t.slots[index].gen);
}

Object* Lookup(HANDLE h) {
  if ((h & 0xC0000000u) != kHandleTag) return nullptr;
  Table& t = T();
  uint32_t index = h & kIndexMask;
  uint32_t gen = (h >> kIndexBits) & kGenMask;
  if (index == 0 || index >= t.slots.size()) return nullptr;
  Slot& s = t.slots[index];
  if (!s.obj || s.gen != gen) return nullptr;
  return s.obj.get();
}

void RemoveObject(HANDLE h) {
  if (Lookup(h)) FreeNow(h);
}

std::vector<Dc*> AllDcs() {
  std::vector<Dc*> out;
  for (Slot& s : T().slots)
    if (s.obj && s.obj->kind == Kind::Dc) out.push_back(static_cast<Dc*>(s.obj.get()));
  return out;
}

void CollectPending() {
  Table& t = T();
  std::vector<HANDLE> still;
  std::vector<HANDLE> pending;
  pending.swap(t.pending);
  for (HANDLE h : pending) {
    if (!Lookup(h)) continue;
    if (SelectedAnywhere(h))
      still.push_back(h);
    else
      FreeNow(h);
  }
  t.pending.insert(t.pending.end(), still.begin(), still.end());
}

HGDIOBJ Stock(int index) {
  if (index < 0 || index > DC_PEN) return 0;
  Table& t = T();
  if (!t.stock[index]) t.stock[index] = MakeStock(index);
  return t.stock[index];
}

HBITMAP DefaultMonoBitmap() {
  static HBITMAP mono = 0;
  if (!LookupBitmap(mono)) {
    mono = CreateBitmap(1, 1, 1, 1, nullptr);
    if (Object* o = Lookup(mono)) o->stock = true;
  }
  return mono;
}

HBRUSH ResolveBrushArg(HBRUSH b) {
  if (b > 0 && b <= (HBRUSH)(COLOR_GRADIENTINACTIVECAPTION + 1)) return GetSysColorBrush((int)b - 1);
  return b;
}

// Brushes of the system colours, recoloured by SetSysColors.
HBRUSH SysColorBrush(int index, COLORREF color) {
  Table& t = T();
  if (index < 0 || index > COLOR_GRADIENTINACTIVECAPTION) return 0;
  Brush* b = LookupBrush(t.sysBrushes[index]);
  if (!b) {
    auto nb = std::make_unique<Brush>();
    nb->stock = true;
    b = nb.get();
    t.sysBrushes[index] = AddObject(std::move(nb));
  }
  b->color = color;
  return t.sysBrushes[index];
}

}  // namespace lvgdi

using namespace lvgdi;

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
  int s = style & PS_STYLE_MASK;
  if (s > PS_INSIDEFRAME) return 0;
  auto p = std::make_unique<Pen>();
  p->style = s;
  p->width = std::max(width, 0);
  p->color = color;
  return AddObject(std::move(p));
}

HPEN WINAPI CreatePenIndirect(const LOGPEN* pen) {
  if (!pen) return 0;
  return CreatePen((int)pen->lopnStyle, pen->lopnWidth.x, pen->lopnColor);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  auto b = std::make_unique<Brush>();
  b->color = color;
  return AddObject(std::move(b));
}

HBRUSH WINAPI CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return 0;
  auto b = std::make_unique<Brush>();
  b->style = BS_HATCHED;
  b->hatch = hatch;
  b->color = color;
  return AddObject(std::move(b));
}

HBRUSH WINAPI CreatePatternBrush(HBITMAP bitmap) {
  Bitmap* bm = LookupBitmap(bitmap);
  if (!bm) return 0;
  Canvas cv = bm->canvas();
  if (!cv.valid()) return 0;
  auto b = std::make_unique<Brush>();
  b->style = BS_PATTERN;
  b->hatch = (int)bitmap;
  b->patWidth = cv.width;
  b->patHeight = cv.height;
  b->pattern.resize((size_t)cv.width * cv.height);
  for (int y = 0; y < cv.height; ++y) ReadRow(cv, y, 0, cv.width, &b->pattern[(size_t)y * cv.width]);
  if (bm->mono) {
    b->monoPattern = true;
    b->monoBits.resize(b->pattern.size());
    for (size_t i = 0; i < b->pattern.size(); ++i) b->monoBits[i] = b->pattern[i] ? 1 : 0;
  }
  return AddObject(std::move(b));
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return 0;
  switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_NULL: return (HBRUSH)Stock(NULL_BRUSH);
    case BS_HATCHED: return CreateHatchBrush((int)lb->lbHatch, lb->lbColor);
    case BS_PATTERN: return CreatePatternBrush((HBITMAP)lb->lbHatch);
    default: return 0;
  }
}

HGDIOBJ WINAPI GetStockObject(int index) { return Stock(index); }

DWORD WINAPI GetObjectType(HGDIOBJ h) {
  Object* o = Lookup(h);
  if (!o) return 0;
  switch (o->kind) {
    case Kind::Pen: return OBJ_PEN;
    case Kind::Brush: return OBJ_BRUSH;
    case Kind::Font: return OBJ_FONT;
    case Kind::Bitmap: return OBJ_BITMAP;
    case Kind::Region: return OBJ_REGION;
    case Kind::Palette: return OBJ_PAL;
    case Kind::Dc: return static_cast<Dc*>(o)->memory ? OBJ_MEMDC : OBJ_DC;
  }
  return 0;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  Dc* dc = LookupDc(hdc);
  Object* o = Lookup(h);
  if (!dc || !o || o->deletePending) return 0;
  HGDIOBJ old = 0;
  switch (o->kind) {
    case Kind::Pen: old = dc->st.pen; dc->st.pen = h; break;
    case Kind::Brush: old = dc->st.brush; dc->st.brush = h; break;
    case Kind::Font: old = dc->st.font; dc->st.font = h; break;
    case Kind::Region: return (HGDIOBJ)SelectClipRgn(hdc, h);
    case Kind::Bitmap: {
      Bitmap* bm = static_cast<Bitmap*>(o);
      if (!dc->memory) return 0;
      if (bm->selectedIn && bm->selectedIn != hdc && !bm->stock) return 0;
      old = dc->st.bitmap;
      if (Bitmap* prev = LookupBitmap(old)) prev->selectedIn = 0;
      bm->selectedIn = hdc;
      dc->st.bitmap = h;
      // A new bitmap resets the clip to its bounds.
      dc->st.hasClip = false;
      dc->st.clip = Region();
      break;
    }
    default: return 0;
  }
  CollectPending();
  return old;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
  Dc* dc = LookupDc(hdc);
  if (!dc) return 0;
  switch (type) {
    case OBJ_PEN: return dc->st.pen;
    case OBJ_BRUSH: return dc->st.brush;
    case OBJ_FONT: return dc->st.font;
    case OBJ_BITMAP: return dc->st.bitmap;
    case OBJ_PAL: return dc->st.palette ? dc->st.palette : Stock(DEFAULT_PALETTE);
    default: return 0;
  }
}

BOOL WINAPI DeleteObject(HGDIOBJ h) {
  Object* o = Lookup(h);
  if (!o || o->kind == Kind::Dc) return FALSE;
  if (o->stock) return TRUE;
  if (SelectedAnywhere(h)) {
    // Still in use by a DC: freed when it is deselected or the DC goes.
    if (!o->deletePending) {
      o->deletePending = true;
      T().pending.push_back(h);
    }
    return TRUE;
  }
  FreeNow(h);
  return TRUE;
}

BOOL WINAPI UnrealizeObject(HGDIOBJ h) { return Lookup(h) != nullptr; }

namespace {

int CopyOut(const void* src, int srcSize, int size, LPVOID buffer) {
  if (!buffer) return srcSize;
  if (size <= 0) return 0;
  int n = std::min(size, srcSize);
  memcpy(buffer, src, (size_t)n);
  return n;
}

int DescribeBitmap(Bitmap* bm, int size, LPVOID buffer) {
  DIBSECTION ds{};
  ds.dsBm.bmType = 0;
  ds.dsBm.bmWidth = bm->width;
  ds.dsBm.bmHeight = bm->height;
  ds.dsBm.bmWidthBytes = bm->dib ? bm->stride : ((bm->width * bm->bpp + 15) / 16) * 2;
  ds.dsBm.bmPlanes = 1;
  ds.dsBm.bmBitsPixel = (WORD)bm->bpp;
  ds.dsBm.bmBits = bm->dib ? bm->storage.data() : nullptr;
  if (!bm->dib) return CopyOut(&ds.dsBm, sizeof(BITMAP), size, buffer);
  ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
  ds.dsBmih.biWidth = bm->width;
  ds.dsBmih.biHeight = bm->topDown ? -bm->height : bm->height;
  ds.dsBmih.biPlanes = 1;
  ds.dsBmih.biBitCount = (WORD)bm->bpp;
  ds.dsBmih.biCompression = bm->compression;
  ds.dsBmih.biSizeImage = (DWORD)bm->storage.size();
  ds.dsBmih.biClrUsed = (DWORD)bm->colors.size();
  for (int i = 0; i < 3; ++i) ds.dsBitfields[i] = bm->compression == BI_BITFIELDS ? bm->masks[i] : 0;
  if (buffer && size >= (int)sizeof(DIBSECTION)) return CopyOut(&ds, sizeof(DIBSECTION), size, buffer);
  if (!buffer) return sizeof(DIBSECTION);
  return CopyOut(&ds.dsBm, sizeof(BITMAP), size, buffer);
}

}  // namespace

int WINAPI GetObjectA(HGDIOBJ h, int size, LPVOID buffer) {
  Object* o = Lookup(h);
  if (!o) return 0;
  switch (o->kind) {
    case Kind::Pen: {
      Pen* p = static_cast<Pen*>(o);
      LOGPEN lp{(UINT)p->style, POINT{p->width, 0}, p->color};
      return CopyOut(&lp, sizeof lp, size, buffer);
    }
    case Kind::Brush: {
      Brush* b = static_cast<Brush*>(o);
      LOGBRUSH lb{(UINT)b->style, b->color, (ULONG_PTR)(UINT)b->hatch};
      return CopyOut(&lb, sizeof lb, size, buffer);
    }
    case Kind::Font: return CopyOut(&static_cast<Font*>(o)->log, sizeof(LOGFONTA), size, buffer);
    case Kind::Palette: {
      WORD n = (WORD)static_cast<Palette*>(o)->entries.size();
      return CopyOut(&n, sizeof n, size, buffer);
    }
    case Kind::Bitmap: return DescribeBitmap(static_cast<Bitmap*>(o), size, buffer);
    default: return 0;
  }
}
