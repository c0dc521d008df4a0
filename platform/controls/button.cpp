// The "Button" class: push buttons, check boxes, radio buttons, group boxes
// and owner-drawn buttons.
#include <windows.h>

#include "ctlcommon.h"

namespace lv::ctl {
namespace {

struct ButtonState {
  UINT check = BST_UNCHECKED;  // BST_CHECKED or BST_INDETERMINATE for check boxes and radio buttons
  bool pushed = false;         // drawn pressed (mouse held inside, space held, BM_SETSTATE)
  bool focused = false;        // has the keyboard focus
  bool tracking = false;       // left button went down here and the mouse is captured
  bool spaceHeld = false;      // space went down while focused
  HFONT font = 0;              // WM_SETFONT; 0 = the system font
  HANDLE image = 0;            // BM_SETIMAGE
};

StateTable<ButtonState> g_buttons;

constexpr int kCheckBoxSize = 13;

UINT ButtonType(HWND hwnd) { return StyleOf(hwnd) & BS_TYPEMASK; }

bool IsCheckType(UINT type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}
bool IsRadioType(UINT type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool IsThreeState(UINT type) { return type == BS_3STATE || type == BS_AUTO3STATE; }

void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

// Sets the check state; radio buttons carry WS_TABSTOP only while checked,
// so the dialog's Tab key lands on the chosen button of a group.
void SetCheck(HWND hwnd, ButtonState& state, UINT check) {
  const UINT type = ButtonType(hwnd);
  if (!IsCheckType(type) && !IsRadioType(type)) return;
  if (check == BST_INDETERMINATE && !IsThreeState(type)) check = BST_CHECKED;
  if (check > BST_INDETERMINATE) check = BST_CHECKED;
  if (IsRadioType(type)) {
    DWORD style = StyleOf(hwnd);
    style = check ? (style | WS_TABSTOP) : (style & ~static_cast<DWORD>(WS_TABSTOP));
    SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style));
  }
  if (state.check != check) {
    state.check = check;
    Redraw(hwnd);
  }
}

// The first sibling of hwnd's group: walking back to the nearest window with
// WS_GROUP (hwnd itself included).
HWND GroupStart(HWND hwnd) {
  HWND start = hwnd;
  while (!(StyleOf(start) & WS_GROUP)) {
    HWND previous = GetWindow(start, GW_HWNDPREV);
    if (!previous) break;
    start = previous;
  }
  return start;
}

// Unchecks every other radio button of hwnd's group.
void UncheckGroupSiblings(HWND hwnd) {
  HWND sibling = GroupStart(hwnd);
  bool first = true;
  while (sibling) {
    if (!first && (StyleOf(sibling) & WS_GROUP)) break;
    first = false;
    if (sibling != hwnd && (SendMessageA(sibling, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
      SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    sibling = GetWindow(sibling, GW_HWNDNEXT);
  }
}

// A completed click: automatic buttons change state, then the parent hears
// BN_CLICKED. Nothing of the state is used after the notification, which may
// destroy the button.
void Clicked(HWND hwnd, ButtonState& state) {
  switch (ButtonType(hwnd)) {
    case BS_AUTOCHECKBOX:
      SetCheck(hwnd, state, state.check ? BST_UNCHECKED : BST_CHECKED);
      break;
    case BS_AUTO3STATE:
      SetCheck(hwnd, state, (state.check + 1) % 3);
      break;
    case BS_AUTORADIOBUTTON:
      SetCheck(hwnd, state, BST_CHECKED);
      UncheckGroupSiblings(hwnd);
      break;
    default:
      break;
  }
  NotifyParent(hwnd, BN_CLICKED);
}

void SetPushed(HWND hwnd, ButtonState& state, bool pushed) {
  if (state.pushed == pushed) return;
  state.pushed = pushed;
  Redraw(hwnd);
  if (StyleOf(hwnd) & BS_NOTIFY) NotifyParent(hwnd, pushed ? BN_HILITE : BN_UNHILITE);
}

bool PointInClient(HWND hwnd, LPARAM lParam) {
  RECT client{};
  GetClientRect(hwnd, &client);
  POINT pt{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
  return PtInRect(&client, pt) != 0;
}

// ---- Painting --------------------------------------------------------------

UINT TextAlignment(DWORD style, UINT fallback) {
  switch (style & BS_CENTER) {
    case BS_LEFT: return DT_LEFT;
    case BS_RIGHT: return DT_RIGHT;
    case BS_CENTER: return DT_CENTER;
    default: return fallback;
  }
}

UINT TextFormat(DWORD style, UINT horizontal) {
  UINT format = TextAlignment(style, horizontal);
  if (style & BS_MULTILINE) return format | DT_WORDBREAK;
  return format | DT_SINGLELINE | DT_VCENTER;
}

void DrawFocusAround(HDC hdc, HWND hwnd, const std::string& text, RECT textRect, UINT format) {
  RECT measured = textRect;
  DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &measured, (format & ~DT_VCENTER) | DT_CALCRECT);
  const int width = measured.right - measured.left;
  const int height = measured.bottom - measured.top;
  RECT focus = textRect;
  if ((format & DT_CENTER) == DT_CENTER) focus.left += (textRect.right - textRect.left - width) / 2;
  else if ((format & DT_RIGHT) == DT_RIGHT) focus.left = textRect.right - width;
  focus.right = focus.left + width;
  if (format & DT_VCENTER) focus.top += (textRect.bottom - textRect.top - height) / 2;
  focus.bottom = focus.top + height;
  InflateRect(&focus, 1, 1);
  RECT client{};
  GetClientRect(hwnd, &client);
  IntersectRect(&focus, &focus, &client);
  DrawFocusRect(hdc, &focus);
}

void PaintPushButton(HWND hwnd, HDC hdc, const ButtonState& state) {
  const DWORD style = StyleOf(hwnd);
  RECT rc{};
  GetClientRect(hwnd, &rc);
  ParentBrush(hwnd, hdc, WM_CTLCOLORBTN, COLOR_BTNFACE);
  FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
    FrameRect(hdc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&rc, -1, -1);
  }
  if (state.pushed || state.check == BST_CHECKED) {
    FrameRect(hdc, &rc, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&rc, -1, -1);
  } else {
    DrawEdge(hdc, &rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
  }
  const std::string text = WindowText(hwnd);
  RECT textRect = rc;
  if (state.pushed) OffsetRect(&textRect, 1, 1);
  const UINT format = TextFormat(style, DT_CENTER);
  SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  DrawControlText(hdc, text, textRect, format, IsWindowEnabled(hwnd));
  if (state.focused) {
    RECT focus = rc;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(hdc, &focus);
  }
}

void DrawCheckMark(HDC hdc, const RECT& box, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(hdc, pen);
  for (int row = 0; row < 3; ++row) {
    MoveToEx(hdc, box.left + 3, box.top + 5 + row, nullptr);
    LineTo(hdc, box.left + 5, box.top + 7 + row);
    LineTo(hdc, box.left + 10, box.top + 2 + row);
  }
  SelectObject(hdc, old);
  DeleteObject(pen);
}

void DrawCheckBox(HDC hdc, RECT box, const ButtonState& state, bool enabled) {
  DrawEdge(hdc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  const bool greyed = state.pushed || !enabled || state.check == BST_INDETERMINATE;
  FillRect(hdc, &box, GetSysColorBrush(greyed ? COLOR_BTNFACE : COLOR_WINDOW));
  InflateRect(&box, 2, 2);
  if (state.check == BST_CHECKED) DrawCheckMark(hdc, box, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  if (state.check == BST_INDETERMINATE) DrawCheckMark(hdc, box, GetSysColor(COLOR_BTNSHADOW));
}

void DrawRadioCircle(HDC hdc, RECT box, const ButtonState& state, bool enabled) {
  HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ oldPen = SelectObject(hdc, shadow);
  HGDIOBJ oldBrush = SelectObject(hdc, GetSysColorBrush((state.pushed || !enabled) ? COLOR_BTNFACE : COLOR_WINDOW));
  Ellipse(hdc, box.left, box.top, box.right - 1, box.bottom - 1);
  if (state.check) {
    HGDIOBJ dotBrush = GetSysColorBrush(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    SelectObject(hdc, dotBrush);
    SelectObject(hdc, GetStockObject(NULL_PEN));
    Ellipse(hdc, box.left + 4, box.top + 4, box.left + 9, box.top + 9);
  }
  SelectObject(hdc, oldBrush);
  SelectObject(hdc, oldPen);
  DeleteObject(shadow);
}

void PaintCheckOrRadio(HWND hwnd, HDC hdc, const ButtonState& state) {
  const DWORD style = StyleOf(hwnd);
  RECT rc{};
  GetClientRect(hwnd, &rc);
  FillRect(hdc, &rc, ParentBrush(hwnd, hdc, WM_CTLCOLORSTATIC, COLOR_BTNFACE));
  const bool leftText = (style & BS_LEFTTEXT) != 0;
  RECT box{};
  box.top = rc.top + (rc.bottom - rc.top - kCheckBoxSize) / 2;
  box.bottom = box.top + kCheckBoxSize;
  box.left = leftText ? rc.right - kCheckBoxSize : rc.left;
  box.right = box.left + kCheckBoxSize;
  const bool enabled = IsWindowEnabled(hwnd) != 0;
  if (IsRadioType(style & BS_TYPEMASK)) DrawRadioCircle(hdc, box, state, enabled);
  else DrawCheckBox(hdc, box, state, enabled);
  RECT textRect = rc;
  if (leftText) textRect.right = box.left - 4;
  else textRect.left = box.right + 4;
  const std::string text = WindowText(hwnd);
  const UINT format = TextFormat(style, DT_LEFT);
  DrawControlText(hdc, text, textRect, format, enabled);
  if (state.focused && !text.empty()) DrawFocusAround(hdc, hwnd, text, textRect, format);
}

void PaintGroupBox(HWND hwnd, HDC hdc) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  HBRUSH background = ParentBrush(hwnd, hdc, WM_CTLCOLORSTATIC, COLOR_BTNFACE);
  const int lineHeight = LineHeight(hdc);
  const std::string text = WindowText(hwnd);
  RECT frame = rc;
  frame.top += lineHeight / 2;
  DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
  if (text.empty()) return;
  RECT textRect{rc.left + 8, rc.top, rc.right - 8, rc.top + lineHeight};
  RECT measured = textRect;
  DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
  RECT gap{measured.left - 2, measured.top, measured.right + 2, measured.bottom};
  FillRect(hdc, &gap, background);
  DrawControlText(hdc, text, textRect, DT_SINGLELINE | DT_LEFT, IsWindowEnabled(hwnd));
}

#ifdef ODT_BUTTON
void PaintOwnerDrawn(HWND hwnd, HDC hdc, const ButtonState& state) {
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = (state.pushed ? ODS_SELECTED : 0) | (state.focused ? ODS_FOCUS : 0) |
                   (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED);
  item.hwndItem = hwnd;
  item.hDC = hdc;
  GetClientRect(hwnd, &item.rcItem);
  SendMessageA(GetParent(hwnd), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}
#endif

void Paint(HWND hwnd, const ButtonState& state) {
  PAINTSTRUCT ps{};
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  HFONT oldFont = SelectControlFont(hdc, state.font);
  switch (ButtonType(hwnd)) {
    case BS_GROUPBOX: PaintGroupBox(hwnd, hdc); break;
#ifdef ODT_BUTTON
    case BS_OWNERDRAW: PaintOwnerDrawn(hwnd, hdc, state); break;
#endif
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      if (StyleOf(hwnd) & BS_PUSHLIKE) PaintPushButton(hwnd, hdc, state);
      else PaintCheckOrRadio(hwnd, hdc, state);
      break;
    default: PaintPushButton(hwnd, hdc, state); break;
  }
  SelectObject(hdc, oldFont);
  EndPaint(hwnd, &ps);
}

// ---- Input -----------------------------------------------------------------

LRESULT DialogCode(HWND hwnd) {
  switch (ButtonType(hwnd)) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
    case BS_OWNERDRAW:
    case BS_PUSHBOX:
    case BS_USERBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
  }
}

void OnButtonDown(HWND hwnd, ButtonState& state) {
  if (ButtonType(hwnd) == BS_GROUPBOX) return;
  SetFocus(hwnd);
  SetCapture(hwnd);
  state.tracking = true;
  SetPushed(hwnd, state, true);
}

void OnButtonUp(HWND hwnd, std::shared_ptr<ButtonState> state, LPARAM lParam) {
  if (!state->tracking) return;
  const bool inside = PointInClient(hwnd, lParam);
  state->tracking = false;
  SetPushed(hwnd, *state, false);
  if (GetCapture() == hwnd) ReleaseCapture();
  if (inside) Clicked(hwnd, *state);
}

void OnCaptureLost(HWND hwnd, ButtonState& state) {
  if (!state.tracking) return;
  state.tracking = false;
  SetPushed(hwnd, state, false);
}

void OnKeyUp(HWND hwnd, ButtonState& state, WPARAM key) {
  if (key != VK_SPACE || !state.spaceHeld) return;
  state.spaceHeld = false;
  SetPushed(hwnd, state, false);
  Clicked(hwnd, state);
}

void OnKillFocus(HWND hwnd, ButtonState& state) {
  state.focused = false;
  state.spaceHeld = false;
  if (state.tracking && GetCapture() == hwnd) ReleaseCapture();
  state.tracking = false;
  SetPushed(hwnd, state, false);
  Redraw(hwnd);
  if (StyleOf(hwnd) & BS_NOTIFY) NotifyParent(hwnd, BN_KILLFOCUS);
}

void OnSetFocus(HWND hwnd, ButtonState& state) {
  state.focused = true;
  Redraw(hwnd);
  if (StyleOf(hwnd) & BS_NOTIFY) NotifyParent(hwnd, BN_SETFOCUS);
}

LRESULT SetStyle(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  const DWORD style = (StyleOf(hwnd) & ~static_cast<DWORD>(BS_TYPEMASK)) | (wParam & BS_TYPEMASK);
  SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style));
  if (lParam) Redraw(hwnd);
  return 0;
}

LRESULT GetState(const ButtonState& state) {
  return state.check | (state.pushed ? BST_PUSHED : 0) | (state.focused ? BST_FOCUS : 0);
}

LRESULT SetFont(HWND hwnd, ButtonState& state, WPARAM wParam, LPARAM lParam) {
  state.font = static_cast<HFONT>(wParam);
  if (LOWORD(lParam)) Redraw(hwnd);
  return 0;
}

LRESULT OnClickMessage(HWND hwnd) {
  if (!IsWindowEnabled(hwnd)) return 0;
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
  return 0;
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    g_buttons.Remove(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  std::shared_ptr<ButtonState> state = g_buttons.Get(hwnd);
  switch (msg) {
    case WM_GETDLGCODE: return DialogCode(hwnd);
    case WM_PAINT: Paint(hwnd, *state); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFONT: return SetFont(hwnd, *state, wParam, lParam);
    case WM_GETFONT: return static_cast<LRESULT>(state->font);
    case WM_ENABLE: Redraw(hwnd); return 0;
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
      Redraw(hwnd);
      return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(hwnd, *state); return 0;
    case WM_MOUSEMOVE:
      if (state->tracking) SetPushed(hwnd, *state, PointInClient(hwnd, lParam));
      return 0;
    case WM_LBUTTONUP: OnButtonUp(hwnd, state, lParam); return 0;
    case WM_CAPTURECHANGED: OnCaptureLost(hwnd, *state); return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && ButtonType(hwnd) != BS_GROUPBOX && !state->spaceHeld) {
        state->spaceHeld = true;
        SetPushed(hwnd, *state, true);
      }
      return 0;
    case WM_KEYUP: OnKeyUp(hwnd, *state, wParam); return 0;
    case WM_SETFOCUS: OnSetFocus(hwnd, *state); return 0;
    case WM_KILLFOCUS: OnKillFocus(hwnd, *state); return 0;
    case BM_GETCHECK: return state->check;
    case BM_SETCHECK: SetCheck(hwnd, *state, static_cast<UINT>(wParam)); return 0;
    case BM_GETSTATE: return GetState(*state);
    case BM_SETSTATE: SetPushed(hwnd, *state, wParam != 0); return 0;
    case BM_SETSTYLE: return SetStyle(hwnd, wParam, lParam);
    case BM_CLICK: return OnClickMessage(hwnd);
    case BM_GETIMAGE: return static_cast<LRESULT>(state->image);
    case BM_SETIMAGE: {
      HANDLE old = state->image;
      state->image = static_cast<HANDLE>(lParam);
      Redraw(hwnd);
      return static_cast<LRESULT>(old);
    }
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

void RegisterButtonClass() {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = ButtonProc;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = "Button";
  RegisterClassA(&wc);
}

}  // namespace lv::ctl
