// The up-down control ("msctls_updown32"): two arrow buttons that step a
// position inside a range, optionally shown in a buddy window.
#include <algorithm>

#include "ctlcommon.h"
#include "updown.h"

namespace lv::ctl::updown {
namespace {

StateTable<UpDownState> g_updowns;

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatDelay = 500;
constexpr UINT kRepeatInterval = 100;

DWORD Style(HWND hwnd) { return StyleOf(hwnd); }
bool IsHorizontal(HWND hwnd) { return (Style(hwnd) & UDS_HORZ) != 0; }
int Lowest(const UpDownState& s) { return std::min(s.lower, s.upper); }
int Highest(const UpDownState& s) { return std::max(s.lower, s.upper); }
int Clamp(const UpDownState& s, int pos) { return std::clamp(pos, Lowest(s), Highest(s)); }

void ShowInBuddy(HWND hwnd, const UpDownState& s) {
  if (!(Style(hwnd) & UDS_SETBUDDYINT) || !s.buddy || !IsWindow(s.buddy)) return;
  const std::string text = FormatPosition(s.pos, s.base, !(Style(hwnd) & UDS_NOTHOUSANDS));
  SetWindowTextA(s.buddy, text.c_str());
}

// Reads the buddy's text into the position; false when it holds no number
// inside the range.
bool ReadBuddy(HWND hwnd, UpDownState& s) {
  if (!(Style(hwnd) & UDS_SETBUDDYINT) || !s.buddy || !IsWindow(s.buddy)) return true;
  int value = 0;
  if (!ParsePosition(WindowText(s.buddy), s.base, &value)) return false;
  if (value < Lowest(s) || value > Highest(s)) return false;
  s.pos = value;
  return true;
}

// The step for how long an arrow has been held; keys step by the first entry.
int Acceleration(const UpDownState& s) {
  if (!s.pressed) return s.accel.empty() ? 1 : static_cast<int>(s.accel.front().nInc);
  const DWORD seconds = (GetTickCount() - s.pressTime) / 1000;
  int increment = s.accel.empty() ? 1 : static_cast<int>(s.accel.front().nInc);
  for (const UDACCEL& a : s.accel) {
    if (seconds >= a.nSec) increment = static_cast<int>(a.nInc);
  }
  return increment;
}

// Asks the parent with UDN_DELTAPOS; true when it lets the step happen.
bool ParentAllowsStep(HWND hwnd, const UpDownState& s, int* delta) {
  NMUPDOWN nm{};
  nm.hdr.hwndFrom = hwnd;
  nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
  nm.hdr.code = UDN_DELTAPOS;
  nm.iPos = s.pos;
  nm.iDelta = *delta;
  HWND parent = GetParent(hwnd);
  if (parent && SendMessageA(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm)) != 0) return false;
  *delta = nm.iDelta;
  return true;
}

int SteppedPosition(HWND hwnd, const UpDownState& s, int delta) {
  const long long target = static_cast<long long>(s.pos) + delta;
  const bool wrap = (Style(hwnd) & UDS_WRAP) != 0;
  if (target > Highest(s)) return wrap ? Lowest(s) : Highest(s);
  if (target < Lowest(s)) return wrap ? Highest(s) : Lowest(s);
  return static_cast<int>(target);
}

void NotifyScroll(HWND hwnd, UINT code, int pos) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  const UINT msg = IsHorizontal(hwnd) ? WM_HSCROLL : WM_VSCROLL;
  SendMessageA(parent, msg, MAKEWPARAM(code, pos), static_cast<LPARAM>(hwnd));
}

void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

// ---- Buddy -------------------------------------------------------------------

// UDS_ALIGNRIGHT / UDS_ALIGNLEFT: the control sits at the buddy's side, as
// high as the buddy, and the buddy gives up the room.
void AlignWithBuddy(HWND hwnd, HWND buddy) {
  const DWORD style = Style(hwnd);
  if (!(style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) || !buddy) return;
  HWND parent = GetParent(hwnd);
  RECT b{};
  GetWindowRect(buddy, &b);
  MapWindowPoints(0, parent, reinterpret_cast<POINT*>(&b), 2);
  RECT own{};
  GetWindowRect(hwnd, &own);
  int width = own.right - own.left;
  if (width <= 0) width = GetSystemMetrics(SM_CXVSCROLL);
  const int buddyWidth = std::max(0, static_cast<int>(b.right - b.left) - width);
  const int height = b.bottom - b.top;
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (style & UDS_ALIGNRIGHT) {
    SetWindowPos(buddy, 0, b.left, b.top, buddyWidth, height, flags);
    SetWindowPos(hwnd, 0, b.left + buddyWidth, b.top, width, height, flags);
  } else {
    SetWindowPos(buddy, 0, b.left + width, b.top, buddyWidth, height, flags);
    SetWindowPos(hwnd, 0, b.left, b.top, width, height, flags);
  }
}

HWND AttachBuddy(HWND hwnd, UpDownState& s, HWND buddy) {
  const HWND old = s.buddy;
  if (old) ReleaseBuddy(hwnd, old);
  s.buddy = (buddy && IsWindow(buddy)) ? buddy : 0;
  if (!s.buddy) return old;
  AlignWithBuddy(hwnd, s.buddy);
  if (Style(hwnd) & UDS_ARROWKEYS) SubclassBuddy(hwnd, s.buddy);
  return old;
}

// ---- Messages ----------------------------------------------------------------

LRESULT SetPosition(HWND hwnd, UpDownState& s, int pos) {
  const int old = s.pos;
  s.pos = Clamp(s, pos);
  ShowInBuddy(hwnd, s);
  return old;
}

LRESULT GetPosition16(HWND hwnd, UpDownState& s) {
  const bool ok = ReadBuddy(hwnd, s);
  return MAKELONG(static_cast<WORD>(s.pos), ok ? 0 : 1);
}

LRESULT GetPosition32(HWND hwnd, UpDownState& s, LPARAM errorOut) {
  const bool ok = ReadBuddy(hwnd, s);
  if (errorOut) *reinterpret_cast<BOOL*>(errorOut) = ok ? FALSE : TRUE;
  return s.pos;
}

LRESULT SetAccel(UpDownState& s, WPARAM count, LPARAM table) {
  const auto* accel = reinterpret_cast<const UDACCEL*>(table);
  if (!accel || count == 0) return FALSE;
  s.accel.assign(accel, accel + count);
  return TRUE;
}

LRESULT GetAccel(const UpDownState& s, WPARAM count, LPARAM table) {
  auto* accel = reinterpret_cast<UDACCEL*>(table);
  if (accel) std::copy_n(s.accel.begin(), std::min<size_t>(count, s.accel.size()), accel);
  return static_cast<LRESULT>(s.accel.size());
}

LRESULT SetBase(HWND hwnd, UpDownState& s, WPARAM base) {
  if (base != 10 && base != 16) return 0;
  const int old = s.base;
  s.base = static_cast<int>(base);
  ShowInBuddy(hwnd, s);
  return old;
}

LRESULT GetRange32(const UpDownState& s, WPARAM lowerOut, LPARAM upperOut) {
  if (lowerOut) *reinterpret_cast<int*>(lowerOut) = s.lower;
  if (upperOut) *reinterpret_cast<int*>(upperOut) = s.upper;
  return 0;
}

// ---- Mouse and keyboard ------------------------------------------------------

int ArrowAt(HWND hwnd, LPARAM lParam) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  const int x = static_cast<SHORT>(LOWORD(lParam)), y = static_cast<SHORT>(HIWORD(lParam));
  if (IsHorizontal(hwnd)) return x >= rc.right / 2 ? 1 : -1;
  return y < rc.bottom / 2 ? 1 : -1;
}

void OnButtonDown(HWND hwnd, UpDownState& s, LPARAM lParam) {
  if (!IsWindowEnabled(hwnd)) return;
  s.pressed = ArrowAt(hwnd, lParam);
  s.pressTime = GetTickCount();
  SetCapture(hwnd);
  Redraw(hwnd);
  SetTimer(hwnd, kRepeatTimer, kFirstRepeatDelay, nullptr);
  Step(hwnd, s.pressed);
}

void EndPress(HWND hwnd, UpDownState& s, bool notify) {
  if (!s.pressed) return;
  s.pressed = 0;
  KillTimer(hwnd, kRepeatTimer);
  Redraw(hwnd);
  if (GetCapture() == hwnd) ReleaseCapture();
  if (notify) NotifyScroll(hwnd, SB_ENDSCROLL, s.pos);
}

void OnTimer(HWND hwnd, UpDownState& s, WPARAM id) {
  if (id != kRepeatTimer || !s.pressed) return;
  SetTimer(hwnd, kRepeatTimer, kRepeatInterval, nullptr);
  Step(hwnd, s.pressed);
}

void OnKeyDown(HWND hwnd, WPARAM key) {
  if (!(Style(hwnd) & UDS_ARROWKEYS)) return;
  if (key == VK_UP || key == VK_RIGHT) Step(hwnd, 1);
  if (key == VK_DOWN || key == VK_LEFT) Step(hwnd, -1);
}

// ---- Painting ----------------------------------------------------------------

void DrawArrow(HDC hdc, RECT rc, bool horizontal, int dir, bool enabled) {
  const int size = std::max(1, static_cast<int>(std::min(rc.right - rc.left, rc.bottom - rc.top)) / 3);
  const int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
  HBRUSH brush = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  for (int i = 0; i < size; ++i) {
    // Row or column i of the triangle, counted from its tip, is 2i+1 long.
    RECT line{};
    if (horizontal) {
      const int x = dir > 0 ? cx + size / 2 - i : cx - size / 2 + i;
      line = RECT{x, cy - i, x + 1, cy + i + 1};
    } else {
      const int y = dir > 0 ? cy - size / 2 + i : cy + size / 2 - i;
      line = RECT{cx - i, y, cx + i + 1, y + 1};
    }
    FillRect(hdc, &line, brush);
  }
}

void DrawButton(HDC hdc, RECT rc, bool pressed, bool horizontal, int dir, bool enabled) {
  FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  RECT edge = rc;
  DrawEdge(hdc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  if (pressed) OffsetRect(&edge, 1, 1);
  DrawArrow(hdc, edge, horizontal, dir, enabled);
}

void Paint(HWND hwnd, const UpDownState& s) {
  PAINTSTRUCT ps{};
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  RECT rc{};
  GetClientRect(hwnd, &rc);
  const bool horizontal = IsHorizontal(hwnd);
  const bool enabled = IsWindowEnabled(hwnd) != 0;
  RECT up = rc, down = rc;
  if (horizontal) {
    down.right = rc.right / 2;
    up.left = down.right;
  } else {
    up.bottom = rc.bottom / 2;
    down.top = up.bottom;
  }
  DrawButton(hdc, up, s.pressed > 0, horizontal, 1, enabled);
  DrawButton(hdc, down, s.pressed < 0, horizontal, -1, enabled);
  EndPaint(hwnd, &ps);
}

void OnCreate(HWND hwnd, UpDownState& s) {
  if (!(Style(hwnd) & UDS_AUTOBUDDY)) return;
  HWND previous = GetWindow(hwnd, GW_HWNDPREV);
  if (!previous) return;
  AttachBuddy(hwnd, s, previous);
  ShowInBuddy(hwnd, s);
}

void OnDestroy(HWND hwnd, UpDownState& s) {
  KillTimer(hwnd, kRepeatTimer);
  if (s.buddy) ReleaseBuddy(hwnd, s.buddy);
  s.buddy = 0;
}

LRESULT HandleUpDownMessage(HWND hwnd, UpDownState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case UDM_SETRANGE:
      s.upper = static_cast<SHORT>(LOWORD(lParam));
      s.lower = static_cast<SHORT>(HIWORD(lParam));
      return 0;
    case UDM_GETRANGE: return MAKELONG(static_cast<SHORT>(s.upper), static_cast<SHORT>(s.lower));
    case UDM_SETRANGE32:
      s.lower = static_cast<int>(static_cast<int32_t>(wParam));
      s.upper = static_cast<int>(static_cast<int32_t>(lParam));
      return 0;
    case UDM_GETRANGE32: return GetRange32(s, wParam, lParam);
    case UDM_SETPOS: return SetPosition(hwnd, s, static_cast<SHORT>(LOWORD(lParam)));
    case UDM_GETPOS: return GetPosition16(hwnd, s);
    case UDM_SETPOS32: return SetPosition(hwnd, s, static_cast<int>(static_cast<int32_t>(lParam)));
    case UDM_GETPOS32: return GetPosition32(hwnd, s, lParam);
    case UDM_SETBUDDY: return static_cast<LRESULT>(AttachBuddy(hwnd, s, static_cast<HWND>(wParam)));
    case UDM_GETBUDDY: return static_cast<LRESULT>(s.buddy);
    case UDM_SETACCEL: return SetAccel(s, wParam, lParam);
    case UDM_GETACCEL: return GetAccel(s, wParam, lParam);
    case UDM_SETBASE: return SetBase(hwnd, s, wParam);
    case UDM_GETBASE: return s.base;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK UpDownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    g_updowns.Remove(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  std::shared_ptr<UpDownState> s = g_updowns.Get(hwnd);
  switch (msg) {
    case WM_CREATE: OnCreate(hwnd, *s); return 0;
    case WM_DESTROY: OnDestroy(hwnd, *s); return 0;
    case WM_PAINT: Paint(hwnd, *s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_ENABLE: Redraw(hwnd); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(hwnd, *s, lParam); return 0;
    case WM_LBUTTONUP: EndPress(hwnd, *s, true); return 0;
    case WM_CAPTURECHANGED: EndPress(hwnd, *s, false); return 0;
    case WM_TIMER: OnTimer(hwnd, *s, wParam); return 0;
    case WM_KEYDOWN: OnKeyDown(hwnd, wParam); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    default: return HandleUpDownMessage(hwnd, *s, msg, wParam, lParam);
  }
}

}  // namespace

void Step(HWND hwnd, int dir) {
  std::shared_ptr<UpDownState> s = g_updowns.Get(hwnd);
  if (!ReadBuddy(hwnd, *s)) s->pos = Clamp(*s, s->pos);
  int delta = dir * Acceleration(*s) * (s->upper < s->lower ? -1 : 1);
  if (!ParentAllowsStep(hwnd, *s, &delta)) return;
  if (!IsWindow(hwnd)) return;
  const int next = SteppedPosition(hwnd, *s, delta);
  if (next == s->pos) return;
  s->pos = next;
  ShowInBuddy(hwnd, *s);
  NotifyScroll(hwnd, SB_THUMBPOSITION, s->pos);
}

}  // namespace lv::ctl::updown

namespace lv::ctl {

void RegisterUpDownClass() {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = updown::UpDownProc;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = UPDOWN_CLASSA;
  RegisterClassA(&wc);
}

}  // namespace lv::ctl
