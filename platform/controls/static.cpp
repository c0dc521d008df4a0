// The "Static" class: text labels, icons, bitmaps, filled and etched
// rectangles and frames.
#include <windows.h>

#include "ctlcommon.h"

namespace lv::ctl {
namespace {

struct StaticState {
  HFONT font = 0;   // WM_SETFONT; 0 = the system font
  HANDLE image = 0; // the icon (SS_ICON) or bitmap (SS_BITMAP) shown
};

StateTable<StaticState> g_statics;

UINT StaticType(HWND hwnd) { return StyleOf(hwnd) & SS_TYPEMASK; }

bool IsTextType(UINT type) {
  return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
}

UINT TextFormat(DWORD style) {
  UINT format = DT_EXPANDTABS;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_SIMPLE: format = DT_LEFT | DT_SINGLELINE; break;
    case SS_LEFTNOWORDWRAP: format |= DT_LEFT; break;
    default: format |= DT_LEFT | DT_WORDBREAK; break;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (style & SS_CENTERIMAGE) format = (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
  return format;
}

void PaintText(HWND hwnd, HDC hdc, RECT rc) {
  FillRect(hdc, &rc, ParentBrush(hwnd, hdc, WM_CTLCOLORSTATIC, COLOR_BTNFACE));
  const std::string text = WindowText(hwnd);
  if (text.empty()) return;
  DrawControlText(hdc, text, rc, TextFormat(StyleOf(hwnd)), IsWindowEnabled(hwnd) != 0);
}

HBRUSH RectangleBrush(UINT type) {
  switch (type) {
    case SS_BLACKRECT:
    case SS_BLACKFRAME: return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    case SS_GRAYRECT:
    case SS_GRAYFRAME: return GetSysColorBrush(COLOR_BTNSHADOW);
    default: return GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  }
}

void PaintBitmap(HWND hwnd, HDC hdc, RECT rc, HBITMAP bitmap) {
  FillRect(hdc, &rc, ParentBrush(hwnd, hdc, WM_CTLCOLORSTATIC, COLOR_BTNFACE));
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return;
  HDC memory = CreateCompatibleDC(hdc);
  if (!memory) return;
  HGDIOBJ old = SelectObject(memory, bitmap);
  int x = rc.left, y = rc.top;
  if (StyleOf(hwnd) & SS_CENTERIMAGE) {
    x += (rc.right - rc.left - info.bmWidth) / 2;
    y += (rc.bottom - rc.top - info.bmHeight) / 2;
  }
  BitBlt(hdc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

// Icons are kept and reported (STM_GETICON) but not drawn: the platform has
// no icon drawing yet, so the control shows its background.
void PaintIcon(HWND hwnd, HDC hdc, RECT rc) {
  FillRect(hdc, &rc, ParentBrush(hwnd, hdc, WM_CTLCOLORSTATIC, COLOR_BTNFACE));
}

#ifdef ODT_STATIC
void PaintOwnerDrawn(HWND hwnd, HDC hdc, RECT rc) {
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_STATIC;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED;
  item.hwndItem = hwnd;
  item.hDC = hdc;
  item.rcItem = rc;
  SendMessageA(GetParent(hwnd), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}
#endif

void PaintContent(HWND hwnd, HDC hdc, const StaticState& state, RECT rc) {
  const UINT type = StaticType(hwnd);
  switch (type) {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT: FillRect(hdc, &rc, RectangleBrush(type)); break;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME: FrameRect(hdc, &rc, RectangleBrush(type)); break;
    case SS_ETCHEDHORZ: DrawEdge(hdc, &rc, EDGE_ETCHED, BF_TOP); break;
    case SS_ETCHEDVERT: DrawEdge(hdc, &rc, EDGE_ETCHED, BF_LEFT); break;
    case SS_ETCHEDFRAME: DrawEdge(hdc, &rc, EDGE_ETCHED, BF_RECT); break;
    case SS_BITMAP: PaintBitmap(hwnd, hdc, rc, static_cast<HBITMAP>(state.image)); break;
    case SS_ICON: PaintIcon(hwnd, hdc, rc); break;
#ifdef ODT_STATIC
    case SS_OWNERDRAW: PaintOwnerDrawn(hwnd, hdc, rc); break;
#endif
    default:
      if (IsTextType(type)) PaintText(hwnd, hdc, rc);
      break;
  }
}

void Paint(HWND hwnd, const StaticState& state) {
  PAINTSTRUCT ps{};
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  HFONT oldFont = SelectControlFont(hdc, state.font);
  RECT rc{};
  GetClientRect(hwnd, &rc);
  if (StyleOf(hwnd) & SS_SUNKEN) {
    PaintContent(hwnd, hdc, state, rc);
    DrawEdge(hdc, &rc, BDR_SUNKENOUTER, BF_RECT);
  } else {
    PaintContent(hwnd, hdc, state, rc);
  }
  SelectObject(hdc, oldFont);
  EndPaint(hwnd, &ps);
}

// Bitmaps and icons size the control to the image unless the style keeps the
// control's own size.
void FitToImage(HWND hwnd) {
  const DWORD style = StyleOf(hwnd);
  if (style & (SS_CENTERIMAGE | SS_REALSIZECONTROL)) return;
  const UINT type = style & SS_TYPEMASK;
  const HANDLE image = g_statics.Get(hwnd)->image;
  int width = 0, height = 0;
  if (type == SS_BITMAP) {
    BITMAP info{};
    if (!image || !GetObjectA(image, sizeof info, &info)) return;
    width = info.bmWidth;
    height = info.bmHeight;
  } else if (type == SS_ICON) {
    if (!image) return;
    width = GetSystemMetrics(SM_CXICON);
    height = GetSystemMetrics(SM_CYICON);
  } else {
    return;
  }
  SetWindowPos(hwnd, 0, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The image type STM_SETIMAGE/STM_GETIMAGE accept for the control's style.
bool ImageTypeMatches(HWND hwnd, WPARAM imageType) {
  const UINT type = StaticType(hwnd);
  return (type == SS_BITMAP && imageType == IMAGE_BITMAP) ||
         (type == SS_ICON && (imageType == IMAGE_ICON || imageType == IMAGE_CURSOR));
}

LRESULT SetImage(HWND hwnd, StaticState& state, WPARAM imageType, LPARAM image) {
  if (!ImageTypeMatches(hwnd, imageType)) return 0;
  const HANDLE old = state.image;
  state.image = static_cast<HANDLE>(image);
  FitToImage(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
  return static_cast<LRESULT>(old);
}

// The resource named by the window text of an image static: a name, a
// MAKEINTRESOURCE value or the template's ordinal written as "#n".
LPCSTR ImageResourceName(LPCSTR text) {
  if (!text) return nullptr;
  if (IS_INTRESOURCE(text)) return text;
  if (text[0] == '#' && text[1] >= '0' && text[1] <= '9') {
    unsigned long id = 0;
    for (const char* p = text + 1; *p >= '0' && *p <= '9' && id <= 0xFFFF; ++p) id = id * 10 + static_cast<unsigned long>(*p - '0');
    return id <= 0xFFFF ? MAKEINTRESOURCEA(id) : nullptr;
  }
  return text[0] ? text : nullptr;
}

// An icon or bitmap static named by a resource in its window text (as a
// dialog template gives it) loads the image when it is created.
void LoadImageFromCreation(HWND hwnd, StaticState& state, const CREATESTRUCTA* cs) {
  const UINT type = cs->style & SS_TYPEMASK;
  if (type != SS_ICON && type != SS_BITMAP) return;
  LPCSTR name = ImageResourceName(cs->lpszName);
  if (!name) return;
  if (type == SS_ICON) state.image = LoadIconA(cs->hInstance, name);
  else state.image = LoadBitmapA(cs->hInstance, name);
  FitToImage(hwnd);
}

LRESULT OnEnable(HWND hwnd, WPARAM enabled) {
  if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, enabled ? STN_ENABLE : STN_DISABLE);
  InvalidateRect(hwnd, nullptr, TRUE);
  return 0;
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    g_statics.Remove(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  std::shared_ptr<StaticState> state = g_statics.Get(hwnd);
  switch (msg) {
    case WM_CREATE:
      LoadImageFromCreation(hwnd, *state, reinterpret_cast<const CREATESTRUCTA*>(lParam));
      return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_PAINT: Paint(hwnd, *state); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFONT:
      state->font = static_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return static_cast<LRESULT>(state->font);
    case WM_ENABLE: return OnEnable(hwnd, wParam);
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
#ifdef HTTRANSPARENT
    case WM_NCHITTEST:
      if (!(StyleOf(hwnd) & SS_NOTIFY)) return HTTRANSPARENT;
      return DefWindowProcA(hwnd, msg, wParam, lParam);
#endif
    case WM_LBUTTONDOWN:
      if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (StyleOf(hwnd) & SS_NOTIFY) NotifyParent(hwnd, STN_DBLCLK);
      return 0;
    case STM_SETIMAGE: return SetImage(hwnd, *state, wParam, lParam);
    case STM_GETIMAGE: return ImageTypeMatches(hwnd, wParam) ? static_cast<LRESULT>(state->image) : 0;
    case STM_SETICON: return SetImage(hwnd, *state, IMAGE_ICON, static_cast<LPARAM>(wParam));
    case STM_GETICON: return StaticType(hwnd) == SS_ICON ? static_cast<LRESULT>(state->image) : 0;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

void RegisterStaticClass() {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = StaticProc;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = "Static";
  RegisterClassA(&wc);
}

}  // namespace lv::ctl
