// The "ClrBox" colour box window class.
#include <effect/colorbox.h>
#include <effect/common.h>

#include <commdlg.h>
#include <hostcommon.h>
#include <imgcore.h>

#include <vector>

namespace effect {

namespace {

constexpr char kClassName[] = "ClrBox";
constexpr int kColourValue = 0;
constexpr int kIndexValue = 4;

ColorBoxSettings g_settings = {nullptr, T32_DT_RGB, nullptr};

// Fills the inside of the box with its colour: a 24-bit image of the inner
// size, every pixel red, green, blue, drawn by the host's display service.
void PaintInside(HDC dc, const RECT& inside, COLORREF colour) {
  const LONG width = inside.right - inside.left;
  const LONG height = inside.bottom - inside.top;
  if (width <= 0 || height <= 0) return;
  const LONG rowBytes = width * 3;
  std::vector<BYTE> pixels(static_cast<size_t>(rowBytes) * height, 0);
  const BYTE rgb[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
  mem32Fill(pixels.data(), rgb, 3, width * height);
  DISPCONTEXT context;
  if (!disp32ShowInit(&context, dc, 24, inside.left, inside.top, inside.right, inside.bottom, 0, 0,
                      0))
    return;
  disp32ShowData(&context, pixels.data(), 0, 0, height, rowBytes);
  disp32ShowEnd(&context);
}

// One-pixel sunken frame: shadow on the left and top, highlight on the
// right and bottom.
void PaintFrame(HDC dc, const RECT& client) {
  HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HPEN highlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HGDIOBJ old = SelectObject(dc, shadow);
  MoveToEx(dc, client.left, client.bottom - 1, nullptr);
  LineTo(dc, client.left, client.top);
  LineTo(dc, client.right, client.top);
  SelectObject(dc, highlight);
  MoveToEx(dc, client.right - 1, client.top + 1, nullptr);
  LineTo(dc, client.right - 1, client.bottom - 1);
  LineTo(dc, client.left, client.bottom - 1);
  SelectObject(dc, old);
  DeleteObject(shadow);
  DeleteObject(highlight);
}

void OnPaint(HWND box) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(box, &paint);
  RECT client;
  GetClientRect(box, &client);
  PaintFrame(dc, client);
  RECT inside = {client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
  PaintInside(dc, inside, ColorBoxColour(box));
  EndPaint(box, &paint);
}

// Centres the colour dialog over the plug-in dialog when it opens.
UINT_PTR ColourDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const CHOOSECOLORA* choose = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    if (choose) t32MoveWindow(dialog, static_cast<HWND>(choose->lCustData), 1);
    return 1;
  }
  return 0;
}

// The palette of the run's image (request 1008): entries and their count.
int HostPalette(PALETTEENTRY* entries) {
  HPALETTE palette = 0;
  HostRequest(g_settings.host, T32_REQ_PALETTE, 0, 0, reinterpret_cast<LONG_PTR>(&palette), 0);
  if (!palette) return 0;
  return static_cast<int>(GetPaletteEntries(palette, 0, 256, entries));
}

void OnClick(HWND box) {
  CHOOSECOLORA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = box;
  choose.rgbResult = ColorBoxColour(box);
  choose.lpCustColors = g_settings.customColours;
  choose.Flags = CC_RGBINIT | CC_ENABLEHOOK;
  choose.lCustData = static_cast<LPARAM>(GetParent(box));
  choose.lpfnHook = ColourDialogHook;
  if (!ChooseColorA(&choose)) return;
  PALETTEENTRY palette[256] = {};
  int count = 0;
  if (g_settings.dataType != T32_DT_RGB && g_settings.dataType != T32_DT_GREY)
    count = HostPalette(palette);
  LONG index = 0;
  COLORREF colour = MapColourToDataType(choose.rgbResult, g_settings.dataType, palette, count,
                                        &index);
  SetColorBox(box, colour, index);
  HWND parent = GetParent(box);
  LONG id = GetDlgCtrlID(box);
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, 0), static_cast<LPARAM>(box));
}

LRESULT ColorBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint(box);
      return 0;
    case WM_LBUTTONDOWN:
      OnClick(box);
      return 0;
    default:
      return DefWindowProcA(box, message, wParam, lParam);
  }
}

}  // namespace

BOOL RegisterColorBox(HINSTANCE instance, const ColorBoxSettings& settings) {
  g_settings = settings;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = ColorBoxProc;
  windowClass.cbWndExtra = 8;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(0, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

void UnregisterColorBox(HINSTANCE instance) {
  UnregisterClassA(kClassName, instance);
  g_settings = {nullptr, T32_DT_RGB, nullptr};
}

void SetColorBox(HWND box, COLORREF colour, LONG index) {
  SetWindowLongA(box, kColourValue, static_cast<LONG>(colour));
  SetWindowLongA(box, kIndexValue, index);
  InvalidateRect(box, nullptr, FALSE);
}

COLORREF ColorBoxColour(HWND box) {
  return static_cast<COLORREF>(GetWindowLongA(box, kColourValue));
}

LONG ColorBoxIndex(HWND box) { return GetWindowLongA(box, kIndexValue); }

COLORREF MapColourToDataType(COLORREF chosen, LONG dataType, const PALETTEENTRY* palette,
                             int count, LONG* index) {
  LONG chosenIndex = 0;
  COLORREF result = chosen & 0x00FFFFFF;
  if (dataType == T32_DT_GREY) {
    BYTE grey = 0;
    i32ColorspaceConvert(&grey, &result, 1, 0);
    result = static_cast<COLORREF>(grey) * 0x010101u;
  } else if (dataType != T32_DT_RGB && palette && count > 0) {
    LONG best = -1;
    LONG bestIndex = 0;
    for (int i = 0; i < count; ++i) {
      LONG dr = palette[i].peRed - GetRValue(result);
      LONG dg = palette[i].peGreen - GetGValue(result);
      LONG db = palette[i].peBlue - GetBValue(result);
      LONG distance = dr * dr + dg * dg + db * db;
      if (best < 0 || distance < best) {
        best = distance;
        bestIndex = i;
      }
    }
    chosenIndex = bestIndex;
    result = RGB(palette[bestIndex].peRed, palette[bestIndex].peGreen, palette[bestIndex].peBlue);
  }
  if (index) *index = chosenIndex;
  return result;
}

}  // namespace effect
