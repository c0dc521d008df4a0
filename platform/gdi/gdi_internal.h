// Internal model of the graphics part: pixel canvases, the object table
// (pens, brushes, fonts, bitmaps, regions, palettes, DCs) and the drawing
// target a DC resolves to for one call.
//
// Colours inside are "rgb" values 0x00RRGGBB (the surface's pixel layout);
// COLORREF values (0x00BBGGRR) are converted at the API boundary.
#pragma once

#include <win/gdi.h>
#include <win/lvsurface.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace lvgdi {

inline uint32_t RgbFromColorref(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF ColorrefFromRgb(uint32_t rgb) {
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

// ---------------------------------------------------------------- canvases

// Pixel memory in one of the DIB layouts. row0 points at the top row; stride
// is negative for bottom-up memory.
struct Canvas {
  uint8_t* row0 = nullptr;
  ptrdiff_t stride = 0;
  int width = 0;
  int height = 0;
  int bpp = 32;                      // 1, 4, 8, 16, 24 or 32
  const RGBQUAD* colors = nullptr;   // colour table for 1, 4 and 8 bits
  int colorCount = 0;
  uint32_t masks[3] = {0, 0, 0};     // 16/32 bits: red, green, blue masks
  bool valid() const { return row0 != nullptr && width > 0 && height > 0; }
};

// Fills in the default masks for 16 (5-5-5) and 32 (8-8-8) bits.
void SetDefaultMasks(Canvas& cv);
// Reads n pixels of row y from x as rgb values.
void ReadRow(const Canvas& cv, int y, int x, int n, uint32_t* out);
// Writes n rgb values into row y from x (indexed formats take the nearest
// colour of the table).
void WriteRow(Canvas& cv, int y, int x, int n, const uint32_t* in);
uint32_t ReadPixel(const Canvas& cv, int x, int y);
void WritePixel(Canvas& cv, int x, int y, uint32_t rgb);
// Index of the table colour nearest to rgb.
int NearestIndex(const RGBQUAD* colors, int count, uint32_t rgb);

// ---------------------------------------------------------------- regions

// A region: disjoint rectangles (device coordinates).
struct Region {
  std::vector<RECT> rects;
  bool empty() const { return rects.empty(); }
  RECT box() const;
  int kind() const;  // NULLREGION, SIMPLEREGION or COMPLEXREGION
};
Region RegionFromRect(const RECT& r);
Region RegionAnd(const Region& a, const Region& b);
Region RegionDiff(const Region& a, const Region& b);
Region RegionOr(const Region& a, const Region& b);
Region RegionXor(const Region& a, const Region& b);
void RegionOffset(Region& r, int dx, int dy);
bool RegionContains(const Region& r, int x, int y);

// ---------------------------------------------------------------- objects

enum class Kind { Pen, Brush, Font, Bitmap, Region, Palette, Dc };

struct Object {
  explicit Object(Kind k) : kind(k) {}
  virtual ~Object() = default;
  Kind kind;
  bool stock = false;
  bool deletePending = false;  // DeleteObject while selected: freed on deselect
};

struct Pen : Object {
  Pen() : Object(Kind::Pen) {}
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
  bool dcPen = false;  // DC_PEN: colour comes from the DC
};

struct Bitmap;

struct Brush : Object {
  Brush() : Object(Kind::Brush) {}
  int style = BS_SOLID;
  COLORREF color = 0;
  int hatch = 0;
  bool dcBrush = false;            // DC_BRUSH: colour comes from the DC
  int patWidth = 0, patHeight = 0;
  std::vector<uint32_t> pattern;   // rgb values (colour pattern)
  std::vector<uint8_t> monoBits;   // 1 = background colour (mono pattern)
  bool monoPattern = false;
};

struct Glyph;
struct Font : Object {
  Font() : Object(Kind::Font) {}
  LOGFONTA log{};
  int scale = 1;     // integer magnification of the built-in font
  bool bold = false;
};

struct Bitmap : Object {
  Bitmap() : Object(Kind::Bitmap) {}
  std::vector<uint8_t> storage;
  int width = 0, height = 0;
  int bpp = 32;
  int stride = 0;              // bytes per row (positive)
  bool dib = false;            // DIB section (caller sees the bits)
  bool topDown = true;
  bool mono = false;           // monochrome device-dependent bitmap
  DWORD compression = BI_RGB;
  std::vector<RGBQUAD> colors;
  uint32_t masks[3] = {0, 0, 0};
  HDC selectedIn = 0;
  Canvas canvas();
};

struct Palette : Object {
  Palette() : Object(Kind::Palette) {}
  std::vector<PALETTEENTRY> entries;
};

struct RegionObject : Object {
  RegionObject() : Object(Kind::Region) {}
  Region rgn;
};

// Everything SaveDC keeps.
struct DcState {
  HPEN pen = 0;
  HBRUSH brush = 0;
  HFONT font = 0;
  HBITMAP bitmap = 0;
  HPALETTE palette = 0;
  COLORREF textColor = 0;
  COLORREF bkColor = 0xFFFFFF;
  COLORREF dcBrushColor = 0xFFFFFF;
  COLORREF dcPenColor = 0;
  int bkMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int stretchMode = BLACKONWHITE;
  int polyFillMode = ALTERNATE;
  int mapMode = MM_TEXT;
  UINT textAlign = TA_LEFT | TA_TOP;
  POINT viewportOrg{0, 0};
  POINT windowOrg{0, 0};
  POINT brushOrg{0, 0};
  POINT curPos{0, 0};
  bool hasClip = false;
  Region clip;  // device coordinates
};

struct Dc : Object {
  Dc() : Object(Kind::Dc) {}
  bool memory = false;
  LvSurface* surface = nullptr;  // surface DCs
  POINT surfaceOrigin{0, 0};     // device (0,0) in surface coordinates
  RECT surfaceClip{0, 0, 0, 0};  // surface coordinates
  DcState st;
  std::vector<DcState> saved;
};

HANDLE AddObject(std::unique_ptr<Object> obj);
Object* Lookup(HANDLE h);
template <class T>
T* LookupAs(HANDLE h, Kind k) {
  Object* o = Lookup(h);
  return (o && o->kind == k) ? static_cast<T*>(o) : nullptr;
}
inline Dc* LookupDc(HDC h) { return LookupAs<Dc>(h, Kind::Dc); }
inline Bitmap* LookupBitmap(HBITMAP h) { return LookupAs<Bitmap>(h, Kind::Bitmap); }
inline Pen* LookupPen(HPEN h) { return LookupAs<Pen>(h, Kind::Pen); }
inline Brush* LookupBrush(HBRUSH h) { return LookupAs<Brush>(h, Kind::Brush); }
inline Font* LookupFont(HFONT h) { return LookupAs<Font>(h, Kind::Font); }
inline Palette* LookupPalette(HPALETTE h) { return LookupAs<Palette>(h, Kind::Palette); }
inline RegionObject* LookupRegion(HRGN h) { return LookupAs<RegionObject>(h, Kind::Region); }
// A new DC with default state: a memory DC (1x1 monochrome bitmap) or a
// surface DC to be attached by the caller.
HDC NewDc(bool memory);
// Frees objects whose deletion waited until no DC had them selected.
void CollectPending();
// Every DC currently alive (for surface destruction and pending deletes).
std::vector<Dc*> AllDcs();
// The stock objects made on first use.
HGDIOBJ Stock(int index);
HBITMAP DefaultMonoBitmap();
void RemoveObject(HANDLE h);

// ---------------------------------------------------------------- drawing target

// What a DC draws on for one call: the canvas, the logical-to-canvas
// translation, the clip in canvas coordinates and the DC itself.
struct Target {
  Dc* dc = nullptr;
  Canvas cv;
  int dx = 0, dy = 0;          // canvas = logical + (dx, dy)
  int devX = 0, devY = 0;      // canvas = device + (devX, devY)
  std::vector<RECT> clips;     // disjoint, canvas coordinates, non-empty
  bool monoDdb = false;        // monochrome device-dependent bitmap
  bool ok() const { return dc && cv.valid(); }
};
// The target of hdc; .dc is null when hdc is not a DC.
Target MakeTarget(HDC hdc);

// How spans are painted: a solid colour or a brush pattern, combined with
// the destination by a binary raster operation.
struct Ink {
  uint32_t rgb = 0;
  int rop2 = R2_COPYPEN;
  const Brush* brush = nullptr;  // null: solid rgb
  uint32_t textRgb = 0, bkRgb = 0xFFFFFF;
  bool bkTransparent = false;    // hatch background not drawn
  int orgX = 0, orgY = 0;        // pattern origin in canvas coordinates
  bool nothing = false;          // null pen / null brush
};
Ink InkFromPen(const Target& t, HPEN pen);
Ink InkFromBrush(const Target& t, HBRUSH brush);
// The pattern colour at canvas (x, y); false where a hatch is transparent.
bool InkColorAt(const Ink& ink, int x, int y, uint32_t* rgb);
// Paints [x0, x1) of canvas row y, clipped.
void FillSpan(Target& t, int y, int x0, int x1, const Ink& ink);
// Paints a rectangle in canvas coordinates, clipped.
void FillCanvasRect(Target& t, int left, int top, int right, int bottom, const Ink& ink);
// Combines a pattern row with the destination by rop2.
uint32_t Rop2(int rop2, uint32_t pen, uint32_t dst);
bool ClipContains(const Target& t, int x, int y);
// Resolves a COLORREF (plain, PALETTEINDEX or PALETTERGB) against the DC.
uint32_t ResolveColor(const Dc* dc, COLORREF c);
// A brush handle or (COLOR_xxx + 1) as a brush.
HBRUSH ResolveBrushArg(HBRUSH b);
// The shared brush of system colour index, recoloured to color.
HBRUSH SysColorBrush(int index, COLORREF color);
// Detaches DCs from a surface that is going away.
void ForgetSurface(const LvSurface* surface);

// ---------------------------------------------------------------- DIB rows

// A DIB as described by a BITMAPINFO: sizes, format and colour table.
struct DibFormat {
  int width = 0, height = 0;   // height > 0
  bool topDown = false;
  int bpp = 0;
  int stride = 0;
  DWORD compression = BI_RGB;
  std::vector<RGBQUAD> colors;
  uint32_t masks[3] = {0, 0, 0};
  size_t imageSize() const { return (size_t)stride * (size_t)height; }
};
// Parses a BITMAPINFO (or BITMAPCOREINFO); usage DIB_PAL_COLORS takes colour
// indices into the DC's palette. False for unsupported or absurd headers.
bool ParseDibFormat(const BITMAPINFO* info, UINT usage, const Dc* dc, DibFormat* out);
// A canvas over DIB memory laid out as fmt.
Canvas DibCanvas(const DibFormat& fmt, const void* bits);
// Size of the header plus colour table of info.
size_t DibHeaderSize(const BITMAPINFO* info, UINT usage);

// ---------------------------------------------------------------- fonts

struct GlyphBits {
  int width = 0;             // advance in pixels at scale 1
  uint16_t rows[13] = {};    // bit (15 - x) set = ink at x
};
constexpr int kFontHeight = 13;
constexpr int kFontAscent = 11;
constexpr int kFontInternalLeading = 2;
const GlyphBits& GlyphFor(unsigned char c);
// The font a DC has selected (the system font when none).
const Font& CurrentFont(const Dc* dc);
int CharAdvance(const Font& f, unsigned char c);
int TextWidth(const Font& f, const char* text, int count);
int FontHeight(const Font& f);
int FontAscent(const Font& f);
// Draws the glyphs of text with the top-left of the cell at canvas (x, y),
// in rgb, clipped to t's clip and to clip (canvas coordinates, may be null).
// dx: per-character advances (may be null). Returns the width drawn.
int DrawGlyphRun(Target& t, int x, int y, const char* text, int count, const INT* dx,
                 uint32_t rgb, const RECT* clip, const Font& f);

// ---------------------------------------------------------------- shapes

// Draws a line from canvas (x0, y0) to (x1, y1) with the pen, last point excluded.
void DrawPenLine(Target& t, const Pen& pen, const Ink& ink, int x0, int y0, int x1, int y1,
                 int* dashPhase);
// Fills a polygon given in canvas coordinates.
void FillPolygon(Target& t, const std::vector<POINT>& pts, const Ink& ink, bool winding);

}  // namespace lvgdi
