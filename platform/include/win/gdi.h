// Graphics device interface of the Win32 subset: device contexts on
// off-screen surfaces and bitmaps, pens, brushes, regions, fonts (a built-in
// bitmap font), palettes and DIB drawing. Also the drawing helpers that the
// real platform keeps in its window library (FillRect, DrawEdge, DrawTextA,
// GetSysColor, ...), since they only draw.
#pragma once

#include <win/types.h>

// ---------------------------------------------------------------- records

#pragma pack(push, 2)
typedef struct tagBITMAPFILEHEADER {
  WORD bfType;
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
} BITMAPFILEHEADER, *LPBITMAPFILEHEADER, *PBITMAPFILEHEADER;
#pragma pack(pop)

typedef struct tagBITMAPCOREHEADER {
  DWORD bcSize;
  WORD bcWidth;
  WORD bcHeight;
  WORD bcPlanes;
  WORD bcBitCount;
} BITMAPCOREHEADER, *LPBITMAPCOREHEADER, *PBITMAPCOREHEADER;

typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER, *PBITMAPINFOHEADER;

typedef struct tagRGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
} RGBQUAD, *LPRGBQUAD;

typedef struct tagRGBTRIPLE {
  BYTE rgbtBlue;
  BYTE rgbtGreen;
  BYTE rgbtRed;
} RGBTRIPLE, *LPRGBTRIPLE;

typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
} BITMAPINFO, *LPBITMAPINFO, *PBITMAPINFO;

typedef struct tagBITMAPCOREINFO {
  BITMAPCOREHEADER bmciHeader;
  RGBTRIPLE bmciColors[1];
} BITMAPCOREINFO, *LPBITMAPCOREINFO;

typedef struct tagBITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
} BITMAP, *PBITMAP, *LPBITMAP;

typedef struct tagDIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3];
  HANDLE dshSection;
  DWORD dsOffset;
} DIBSECTION, *LPDIBSECTION, *PDIBSECTION;

typedef struct tagLOGPEN {
  UINT lopnStyle;
  POINT lopnWidth;
  COLORREF lopnColor;
} LOGPEN, *PLOGPEN, *LPLOGPEN;

typedef struct tagLOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  ULONG_PTR lbHatch;
} LOGBRUSH, *PLOGBRUSH, *LPLOGBRUSH;

#define LF_FACESIZE 32
typedef struct tagLOGFONTA {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA, *PLOGFONTA, *LPLOGFONTA;
typedef LOGFONTA LOGFONT;

typedef struct tagTEXTMETRICA {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
} TEXTMETRICA, *PTEXTMETRICA, *LPTEXTMETRICA;
typedef TEXTMETRICA TEXTMETRIC;

typedef struct tagPALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;
} PALETTEENTRY, *PPALETTEENTRY, *LPPALETTEENTRY;

typedef struct tagLOGPALETTE {
  WORD palVersion;
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[1];
} LOGPALETTE, *PLOGPALETTE, *LPLOGPALETTE;

typedef struct tagDRAWTEXTPARAMS {
  UINT cbSize;
  int iTabLength;
  int iLeftMargin;
  int iRightMargin;
  UINT uiLengthDrawn;
} DRAWTEXTPARAMS, *LPDRAWTEXTPARAMS;

// ---------------------------------------------------------------- constants

// Bitmap compression and colour-table use.
#define BI_RGB 0
#define BI_RLE8 1
#define BI_RLE4 2
#define BI_BITFIELDS 3
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1
#define CBM_INIT 0x04

// Object types (GetObjectType, GetCurrentObject).
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_METADC 4
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_METAFILE 9
#define OBJ_MEMDC 10
#define OBJ_EXTPEN 11
#define OBJ_ENHMETADC 12
#define OBJ_ENHMETAFILE 13

// Stock objects.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define ANSI_VAR_FONT 12
#define SYSTEM_FONT 13
#define DEVICE_DEFAULT_FONT 14
#define DEFAULT_PALETTE 15
#define SYSTEM_FIXED_FONT 16
#define DEFAULT_GUI_FONT 17
#define DC_BRUSH 18
#define DC_PEN 19

// Pen styles.
#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_DASHDOT 3
#define PS_DASHDOTDOT 4
#define PS_NULL 5
#define PS_INSIDEFRAME 6
#define PS_STYLE_MASK 0x0000000F

// Brush styles and hatches.
#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL
#define BS_HATCHED 2
#define BS_PATTERN 3
#define BS_DIBPATTERN 5
#define HS_HORIZONTAL 0
#define HS_VERTICAL 1
#define HS_FDIAGONAL 2
#define HS_BDIAGONAL 3
#define HS_CROSS 4
#define HS_DIAGCROSS 5

// Background modes, drawing modes, stretch modes, polygon fill modes.
#define TRANSPARENT 1
#define OPAQUE 2
#define R2_BLACK 1
#define R2_NOTMERGEPEN 2
#define R2_MASKNOTPEN 3
#define R2_NOTCOPYPEN 4
#define R2_MASKPENNOT 5
#define R2_NOT 6
#define R2_XORPEN 7
#define R2_NOTMASKPEN 8
#define R2_MASKPEN 9
#define R2_NOTXORPEN 10
#define R2_NOP 11
#define R2_MERGENOTPEN 12
#define R2_COPYPEN 13
#define R2_MERGEPENNOT 14
#define R2_MERGEPEN 15
#define R2_WHITE 16
#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4
#define STRETCH_ANDSCANS BLACKONWHITE
#define STRETCH_ORSCANS WHITEONBLACK
#define STRETCH_DELETESCANS COLORONCOLOR
#define STRETCH_HALFTONE HALFTONE
#define ALTERNATE 1
#define WINDING 2

// Mapping modes (only MM_TEXT is drawn; others are accepted and reported).
#define MM_TEXT 1

// Raster operations.
#define SRCCOPY 0x00CC0020
#define SRCPAINT 0x00EE0086
#define SRCAND 0x008800C6
#define SRCINVERT 0x00660046
#define SRCERASE 0x00440328
#define NOTSRCCOPY 0x00330008
#define NOTSRCERASE 0x001100A6
#define MERGECOPY 0x00C000CA
#define MERGEPAINT 0x00BB0226
#define PATCOPY 0x00F00021
#define PATPAINT 0x00FB0A09
#define PATINVERT 0x005A0049
#define DSTINVERT 0x00550009
#define BLACKNESS 0x00000042
#define WHITENESS 0x00FF0062

// Regions.
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define RGN_ERROR ERROR
#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5

// GetDeviceCaps indexes and values.
#define DRIVERVERSION 0
#define TECHNOLOGY 2
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMBRUSHES 16
#define NUMPENS 18
#define NUMFONTS 22
#define NUMCOLORS 24
#define RASTERCAPS 38
#define ASPECTX 40
#define ASPECTY 42
#define ASPECTXY 44
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SIZEPALETTE 104
#define NUMRESERVED 106
#define COLORRES 108
#define DT_RASDISPLAY 1
#define RC_BITBLT 1
#define RC_BANDING 2
#define RC_SCALING 4
#define RC_BITMAP64 8
#define RC_GDI20_OUTPUT 0x0010
#define RC_DI_BITMAP 0x0080
#define RC_PALETTE 0x0100
#define RC_DIBTODEV 0x0200
#define RC_BIGFONT 0x0400
#define RC_STRETCHBLT 0x0800
#define RC_FLOODFILL 0x1000
#define RC_STRETCHDIB 0x2000

// Fonts.
#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_REGULAR 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define FW_HEAVY 900
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define OEM_CHARSET 255
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DRAFT_QUALITY 1
#define PROOF_QUALITY 2
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30
#define FF_SCRIPT 0x40
#define FF_DECORATIVE 0x50
#define TMPF_FIXED_PITCH 0x01
#define TMPF_VECTOR 0x02
#define TMPF_TRUETYPE 0x04

// Text alignment and ExtTextOut options.
#define TA_NOUPDATECP 0
#define TA_UPDATECP 1
#define TA_LEFT 0
#define TA_RIGHT 2
#define TA_CENTER 6
#define TA_TOP 0
#define TA_BOTTOM 8
#define TA_BASELINE 24
#define ETO_OPAQUE 0x0002
#define ETO_CLIPPED 0x0004
#define GDI_ERROR 0xFFFFFFFFu
#define CLR_INVALID 0xFFFFFFFFu

// DrawText formats.
#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_EXPANDTABS 0x00000040
#define DT_TABSTOP 0x00000080
#define DT_NOCLIP 0x00000100
#define DT_EXTERNALLEADING 0x00000200
#define DT_CALCRECT 0x00000400
#define DT_NOPREFIX 0x00000800
#define DT_INTERNAL 0x00001000
#define DT_EDITCONTROL 0x00002000
#define DT_PATH_ELLIPSIS 0x00004000
#define DT_END_ELLIPSIS 0x00008000
#define DT_MODIFYSTRING 0x00010000
#define DT_WORD_ELLIPSIS 0x00040000
#define DT_HIDEPREFIX 0x00100000

// Palettes.
#define PC_RESERVED 0x01
#define PC_EXPLICIT 0x02
#define PC_NOCOLLAPSE 0x04
#define PALETTERGB(r, g, b) (0x02000000 | RGB(r, g, b))
#define PALETTEINDEX(i) ((COLORREF)(0x01000000 | (DWORD)(WORD)(i)))

// Images loaded from resources.
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2
#define LR_DEFAULTCOLOR 0x00000000
#define LR_MONOCHROME 0x00000001
#define LR_LOADFROMFILE 0x00000010
#define LR_LOADTRANSPARENT 0x00000020
#define LR_DEFAULTSIZE 0x00000040
#define LR_LOADMAP3DCOLORS 0x00001000
#define LR_CREATEDIBSECTION 0x00002000
#define LR_SHARED 0x00008000

// DrawEdge.
#define BDR_RAISEDOUTER 0x0001
#define BDR_SUNKENOUTER 0x0002
#define BDR_RAISEDINNER 0x0004
#define BDR_SUNKENINNER 0x0008
#define BDR_OUTER (BDR_RAISEDOUTER | BDR_SUNKENOUTER)
#define BDR_INNER (BDR_RAISEDINNER | BDR_SUNKENINNER)
#define BDR_RAISED (BDR_RAISEDOUTER | BDR_RAISEDINNER)
#define BDR_SUNKEN (BDR_SUNKENOUTER | BDR_SUNKENINNER)
#define EDGE_RAISED (BDR_RAISEDOUTER | BDR_RAISEDINNER)
#define EDGE_SUNKEN (BDR_SUNKENOUTER | BDR_SUNKENINNER)
#define EDGE_ETCHED (BDR_SUNKENOUTER | BDR_RAISEDINNER)
#define EDGE_BUMP (BDR_RAISEDOUTER | BDR_SUNKENINNER)
#define BF_LEFT 0x0001
#define BF_TOP 0x0002
#define BF_RIGHT 0x0004
#define BF_BOTTOM 0x0008
#define BF_TOPLEFT (BF_TOP | BF_LEFT)
#define BF_TOPRIGHT (BF_TOP | BF_RIGHT)
#define BF_BOTTOMLEFT (BF_BOTTOM | BF_LEFT)
#define BF_BOTTOMRIGHT (BF_BOTTOM | BF_RIGHT)
#define BF_RECT (BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM)
#define BF_DIAGONAL 0x0010
#define BF_MIDDLE 0x0800
#define BF_SOFT 0x1000
#define BF_ADJUST 0x2000
#define BF_FLAT 0x4000
#define BF_MONO 0x8000

// System colours.
#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_DESKTOP COLOR_BACKGROUND
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_3DFACE COLOR_BTNFACE
#define COLOR_BTNSHADOW 16
#define COLOR_3DSHADOW COLOR_BTNSHADOW
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DHIGHLIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DHILIGHT COLOR_BTNHIGHLIGHT
#define COLOR_BTNHILIGHT COLOR_BTNHIGHLIGHT
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
#define COLOR_HOTLIGHT 26
#define COLOR_GRADIENTACTIVECAPTION 27
#define COLOR_GRADIENTINACTIVECAPTION 28

LV_BEGIN_DECLS

// ---------------------------------------------------------------- device contexts

// A memory DC compatible with hdc (or with the screen when hdc is 0), with a
// 1x1 monochrome bitmap selected. Freed with DeleteDC.
LVEXPORT HDC WINAPI CreateCompatibleDC(HDC hdc);
// Frees any DC: memory DCs and the surface DCs made by lvCreateSurfaceDC.
// Objects selected into it are not deleted.
LVEXPORT BOOL WINAPI DeleteDC(HDC hdc);
// Pushes the DC's state (objects, colours, modes, origins, clip); returns the
// new level (>= 1) or 0.
LVEXPORT int WINAPI SaveDC(HDC hdc);
// Pops to level (> 0) or by -level steps (< 0); FALSE when no such level.
LVEXPORT BOOL WINAPI RestoreDC(HDC hdc, int level);
// Device capabilities of the emulated display (1024x768, 24 bits, 96 dpi).
LVEXPORT int WINAPI GetDeviceCaps(HDC hdc, int index);
LVEXPORT HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type);
LVEXPORT int WINAPI SetMapMode(HDC hdc, int mode);
LVEXPORT int WINAPI GetMapMode(HDC hdc);

// Coordinates: device = logical - window origin + viewport origin.
LVEXPORT BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT old);
LVEXPORT BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT org);
LVEXPORT BOOL WINAPI OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT old);
LVEXPORT BOOL WINAPI SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT old);
LVEXPORT BOOL WINAPI GetWindowOrgEx(HDC hdc, LPPOINT org);
LVEXPORT BOOL WINAPI OffsetWindowOrgEx(HDC hdc, int dx, int dy, LPPOINT old);
LVEXPORT BOOL WINAPI SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT old);
LVEXPORT BOOL WINAPI LPtoDP(HDC hdc, LPPOINT points, int count);
LVEXPORT BOOL WINAPI DPtoLP(HDC hdc, LPPOINT points, int count);

// Attributes; each Set returns the previous value.
LVEXPORT COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color);
LVEXPORT COLORREF WINAPI GetTextColor(HDC hdc);
LVEXPORT COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color);
LVEXPORT COLORREF WINAPI GetBkColor(HDC hdc);
LVEXPORT int WINAPI SetBkMode(HDC hdc, int mode);
LVEXPORT int WINAPI GetBkMode(HDC hdc);
LVEXPORT int WINAPI SetROP2(HDC hdc, int mode);
LVEXPORT int WINAPI GetROP2(HDC hdc);
LVEXPORT int WINAPI SetStretchBltMode(HDC hdc, int mode);
LVEXPORT int WINAPI GetStretchBltMode(HDC hdc);
LVEXPORT int WINAPI SetPolyFillMode(HDC hdc, int mode);
LVEXPORT int WINAPI GetPolyFillMode(HDC hdc);
LVEXPORT UINT WINAPI SetTextAlign(HDC hdc, UINT align);
LVEXPORT UINT WINAPI GetTextAlign(HDC hdc);
LVEXPORT COLORREF WINAPI SetDCBrushColor(HDC hdc, COLORREF color);
LVEXPORT COLORREF WINAPI SetDCPenColor(HDC hdc, COLORREF color);

// ---------------------------------------------------------------- clipping and regions

LVEXPORT HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom);
LVEXPORT HRGN WINAPI CreateRectRgnIndirect(const RECT* rect);
// dest = src1 op src2 (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY); returns
// the kind of the result or ERROR.
LVEXPORT int WINAPI CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
LVEXPORT BOOL WINAPI SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
LVEXPORT int WINAPI OffsetRgn(HRGN rgn, int dx, int dy);
LVEXPORT int WINAPI GetRgnBox(HRGN rgn, LPRECT rect);
LVEXPORT BOOL WINAPI PtInRegion(HRGN rgn, int x, int y);
LVEXPORT BOOL WINAPI RectInRegion(HRGN rgn, const RECT* rect);
LVEXPORT BOOL WINAPI EqualRgn(HRGN a, HRGN b);
LVEXPORT BOOL WINAPI FillRgn(HDC hdc, HRGN rgn, HBRUSH brush);
LVEXPORT BOOL WINAPI PaintRgn(HDC hdc, HRGN rgn);
// Region in device coordinates (copied); 0 restores the default clip.
LVEXPORT int WINAPI SelectClipRgn(HDC hdc, HRGN rgn);
LVEXPORT int WINAPI ExtSelectClipRgn(HDC hdc, HRGN rgn, int mode);
LVEXPORT int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
LVEXPORT int WINAPI ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
LVEXPORT int WINAPI OffsetClipRgn(HDC hdc, int dx, int dy);
// Bounding box of the drawable area in logical coordinates.
LVEXPORT int WINAPI GetClipBox(HDC hdc, LPRECT rect);
// Copies the application clip region into rgn: 1 when there is one, 0 none.
LVEXPORT int WINAPI GetClipRgn(HDC hdc, HRGN rgn);
LVEXPORT BOOL WINAPI PtVisible(HDC hdc, int x, int y);
LVEXPORT BOOL WINAPI RectVisible(HDC hdc, const RECT* rect);

// ---------------------------------------------------------------- objects

LVEXPORT HPEN WINAPI CreatePen(int style, int width, COLORREF color);
LVEXPORT HPEN WINAPI CreatePenIndirect(const LOGPEN* pen);
LVEXPORT HBRUSH WINAPI CreateSolidBrush(COLORREF color);
LVEXPORT HBRUSH WINAPI CreateHatchBrush(int hatch, COLORREF color);
// An 8x8 (or the bitmap's size) tiled pattern; monochrome bitmaps draw with
// the DC's text (0 bits) and background (1 bits) colours. The bitmap is copied.
LVEXPORT HBRUSH WINAPI CreatePatternBrush(HBITMAP bitmap);
LVEXPORT HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* brush);
LVEXPORT HGDIOBJ WINAPI GetStockObject(int index);
// Selects a pen, brush, font or bitmap (memory DCs only) and returns the one
// it replaces; for a region, selects it as clip and returns the region kind.
LVEXPORT HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ obj);
// Deletes a pen, brush, font, bitmap, region or palette. Stock objects are
// never deleted (TRUE). Objects selected into a DC stay alive until
// deselected (FALSE returned is not used: they are deleted when freed).
LVEXPORT BOOL WINAPI DeleteObject(HGDIOBJ obj);
// Copies the object's description: BITMAP or DIBSECTION, LOGPEN, LOGBRUSH,
// LOGFONTA, WORD entry count of a palette. With buffer NULL, the size.
LVEXPORT int WINAPI GetObjectA(HGDIOBJ obj, int size, LPVOID buffer);
#define GetObject GetObjectA
LVEXPORT DWORD WINAPI GetObjectType(HGDIOBJ obj);
LVEXPORT BOOL WINAPI UnrealizeObject(HGDIOBJ obj);

// ---------------------------------------------------------------- bitmaps

LVEXPORT HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                                     const void* bits);
LVEXPORT HBITMAP WINAPI CreateBitmapIndirect(const BITMAP* bm);
LVEXPORT HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int width, int height);
// A DIB whose pixel memory (*bits) the caller may read and write directly.
// 1, 4, 8, 16, 24 and 32 bits, BI_RGB or BI_BITFIELDS, either row order.
LVEXPORT HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits,
                                         HANDLE section, DWORD offset);
LVEXPORT HBITMAP WINAPI CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init,
                                       const void* bits, const BITMAPINFO* info, UINT usage);
// Copies scan lines [start, start + lines) (counted from the bottom for a
// bottom-up format) into bits in the format of info; with bits NULL fills in
// info (size, colour table). Returns the number of lines copied, 0 on error.
LVEXPORT int WINAPI GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits,
                              LPBITMAPINFO info, UINT usage);
LVEXPORT int WINAPI SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
                              const BITMAPINFO* info, UINT usage);
LVEXPORT LONG WINAPI GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits);
LVEXPORT LONG WINAPI SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits);
LVEXPORT BOOL WINAPI GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size);
LVEXPORT UINT WINAPI GetDIBColorTable(HDC hdc, UINT start, UINT count, RGBQUAD* colors);
LVEXPORT UINT WINAPI SetDIBColorTable(HDC hdc, UINT start, UINT count, const RGBQUAD* colors);

LVEXPORT BOOL WINAPI BitBlt(HDC dest, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc,
                            DWORD rop);
// Nearest-neighbour stretch; negative sizes mirror.
LVEXPORT BOOL WINAPI StretchBlt(HDC dest, int x, int y, int cx, int cy, HDC src, int xSrc, int ySrc,
                                int cxSrc, int cySrc, DWORD rop);
LVEXPORT BOOL WINAPI PatBlt(HDC hdc, int x, int y, int cx, int cy, DWORD rop);
// Draws lines [startScan, startScan + lines) of a DIB whose whole extent is
// given by info; (xSrc, ySrc) is counted from the DIB's bottom-left corner for
// bottom-up DIBs as the real API does. Returns the lines drawn.
LVEXPORT int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD cx, DWORD cy, int xSrc,
                                      int ySrc, UINT startScan, UINT lines, const void* bits,
                                      const BITMAPINFO* info, UINT usage);
// Stretches a rectangle of a DIB (source y counted from the bottom for
// bottom-up DIBs). Returns the number of source lines, 0 on error.
LVEXPORT int WINAPI StretchDIBits(HDC hdc, int xDest, int yDest, int cxDest, int cyDest, int xSrc,
                                  int ySrc, int cxSrc, int cySrc, const void* bits,
                                  const BITMAPINFO* info, UINT usage, DWORD rop);

// A bitmap resource (RT_BITMAP, a packed DIB) of module inst as a colour
// device-dependent bitmap; 0 when missing or malformed.
LVEXPORT HBITMAP WINAPI LoadBitmapA(HINSTANCE inst, LPCSTR name);
#define LoadBitmap LoadBitmapA
// IMAGE_BITMAP from a resource, or from a .bmp file named by name with
// LR_LOADFROMFILE; LR_CREATEDIBSECTION gives a DIB section, cx/cy (when not
// 0) the size to stretch to, LR_LOADMAP3DCOLORS and LR_LOADTRANSPARENT map
// colour-table entries to system colours. Other image types give 0.
LVEXPORT HANDLE WINAPI LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int cx, int cy,
                                  UINT flags);
#define LoadImage LoadImageA

// ---------------------------------------------------------------- drawing

LVEXPORT BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT old);
LVEXPORT BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT pos);
// Line from the current position to (x, y), last pixel excluded.
LVEXPORT BOOL WINAPI LineTo(HDC hdc, int x, int y);
LVEXPORT BOOL WINAPI Polyline(HDC hdc, const POINT* points, int count);
LVEXPORT BOOL WINAPI PolylineTo(HDC hdc, const POINT* points, int count);
LVEXPORT BOOL WINAPI Polygon(HDC hdc, const POINT* points, int count);
// Outline with the pen, inside with the brush; right and bottom excluded.
LVEXPORT BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom);
LVEXPORT BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom);
LVEXPORT BOOL WINAPI RoundRect(HDC hdc, int left, int top, int right, int bottom, int width,
                               int height);
LVEXPORT COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color);
LVEXPORT BOOL WINAPI SetPixelV(HDC hdc, int x, int y, COLORREF color);
// CLR_INVALID outside the bitmap or the clip.
LVEXPORT COLORREF WINAPI GetPixel(HDC hdc, int x, int y);
// The following four belong to the window library on the real platform.
// A brush value of (COLOR_xxx + 1) means that system colour.
LVEXPORT int WINAPI FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
LVEXPORT int WINAPI FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
LVEXPORT BOOL WINAPI InvertRect(HDC hdc, const RECT* rect);
// A dotted rectangle drawn by inverting every other pixel (drawing twice
// removes it).
LVEXPORT BOOL WINAPI DrawFocusRect(HDC hdc, const RECT* rect);
// Three-dimensional borders in the system colours; BF_ADJUST shrinks rect
// by the border drawn.
LVEXPORT BOOL WINAPI DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags);

// ---------------------------------------------------------------- system colours

LVEXPORT DWORD WINAPI GetSysColor(int index);
// A stock brush of the colour (never delete it; deleting is harmless).
LVEXPORT HBRUSH WINAPI GetSysColorBrush(int index);
LVEXPORT BOOL WINAPI SetSysColors(int count, const INT* indexes, const COLORREF* colors);

// ---------------------------------------------------------------- text

// Fonts map to the built-in bitmap font: height 13 cells ("MS Sans Serif" 8,
// the stock fonts) or integer multiples of it for larger requests; weights
// of FW_BOLD and more are emboldened.
LVEXPORT HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation,
                                  int weight, DWORD italic, DWORD underline, DWORD strikeOut,
                                  DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                                  DWORD quality, DWORD pitchAndFamily, LPCSTR face);
LVEXPORT HFONT WINAPI CreateFontIndirectA(const LOGFONTA* font);
#define CreateFont CreateFontA
#define CreateFontIndirect CreateFontIndirectA
LVEXPORT BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA metrics);
#define GetTextMetrics GetTextMetricsA
LVEXPORT BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size);
LVEXPORT BOOL WINAPI GetTextExtentPointA(HDC hdc, LPCSTR text, int count, LPSIZE size);
#define GetTextExtentPoint32 GetTextExtentPoint32A
#define GetTextExtentPoint GetTextExtentPointA
LVEXPORT BOOL WINAPI GetCharWidth32A(HDC hdc, UINT first, UINT last, LPINT widths);
LVEXPORT BOOL WINAPI GetCharWidthA(HDC hdc, UINT first, UINT last, LPINT widths);
LVEXPORT int WINAPI GetTextFaceA(HDC hdc, int count, LPSTR face);
LVEXPORT BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int count);
#define TextOut TextOutA
// dx (optional) gives the advance of each character.
LVEXPORT BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect,
                                 LPCSTR text, UINT count, const INT* dx);
#define ExtTextOut ExtTextOutA
// Formats text in rect; count -1 for a zero-terminated string. Returns the
// height of the text drawn (DT_CALCRECT: sets rect's right/bottom, draws
// nothing).
LVEXPORT int WINAPI DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format);
LVEXPORT int WINAPI DrawTextExA(HDC hdc, LPSTR text, int count, LPRECT rect, UINT format,
                                LPDRAWTEXTPARAMS params);
#define DrawText DrawTextA
#define DrawTextEx DrawTextExA

// ---------------------------------------------------------------- palettes

LVEXPORT HPALETTE WINAPI CreatePalette(const LOGPALETTE* palette);
// Selects a logical palette into the DC (0 or DEFAULT_PALETTE for the default).
LVEXPORT HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE palette, BOOL forceBackground);
// The display is true colour: nothing to map, returns 0 entries changed.
LVEXPORT UINT WINAPI RealizePalette(HDC hdc);
LVEXPORT UINT WINAPI GetPaletteEntries(HPALETTE palette, UINT start, UINT count,
                                       LPPALETTEENTRY entries);
LVEXPORT UINT WINAPI SetPaletteEntries(HPALETTE palette, UINT start, UINT count,
                                       const PALETTEENTRY* entries);
LVEXPORT BOOL WINAPI ResizePalette(HPALETTE palette, UINT count);
LVEXPORT BOOL WINAPI AnimatePalette(HPALETTE palette, UINT start, UINT count,
                                    const PALETTEENTRY* entries);
// Index of the entry closest (squared RGB distance) to color; CLR_INVALID on error.
LVEXPORT UINT WINAPI GetNearestPaletteIndex(HPALETTE palette, COLORREF color);
// The colour the device shows for color (itself on a true-colour display).
LVEXPORT COLORREF WINAPI GetNearestColor(HDC hdc, COLORREF color);
// The 20 static colours of the system palette (the rest black).
LVEXPORT UINT WINAPI GetSystemPaletteEntries(HDC hdc, UINT start, UINT count,
                                             LPPALETTEENTRY entries);
LVEXPORT UINT WINAPI GetSystemPaletteUse(HDC hdc);
LVEXPORT BOOL WINAPI GdiFlush(void);

LV_END_DECLS
