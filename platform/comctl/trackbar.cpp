// The track bar ("msctls_trackbar32"): a thumb that slides along a channel
// over a range, with tick marks, paging clicks, keys and scroll
// notifications to the parent.
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ctlcommon.h"

namespace lv::ctl::trackbar {
namespace {

struct TrackBarState {
  int min = 0;              // lowest position
  int max = 100;            // highest position
  int pos = 0;              // current position, inside the range
  int lineSize = 1;         // step of the arrow keys
  int pageSize = 20;        // step of Page Up/Down and of channel clicks
  int ticFrequency = 1;     // spacing of the automatic ticks (TBS_AUTOTICKS)
  std::vector<int> tics;    // ticks set with TBM_SETTIC, ascending
  int selStart = 0;         // selection range (TBS_ENABLESELRANGE)
  int selEnd = 0;
  int thumbLength = 0;      // TBM_SETTHUMBLENGTH; 0 = fit the control
  bool focused = false;     // has the keyboard focus
  bool dragging = false;    // the thumb is held with the mouse
  int dragOffset = 0;       // mouse position minus thumb centre when the drag began
  int pageDirection = 0;    // -1/+1 while a channel click pages toward pageTarget
  int pageTarget = 0;       // position under the mouse of a paging click
};

StateTable<TrackBarState> g_trackbars;

constexpr UINT_PTR kPageTimer = 1;
constexpr int kThumbHalfWidth = 5;
constexpr int kChannelMargin = 8;
constexpr int kTickSpace = 6;

DWORD Style(HWND hwnd) { return StyleOf(hwnd); }
bool IsVertical(HWND hwnd) { return (Style(hwnd) & TBS_VERT) != 0; }

// Geometry along the channel (x for horizontal bars, y for vertical ones)
// and across it.
struct Layout {
  int alongStart;   // channel start (position min)
  int alongEnd;     // channel end (position max)
  int thumbTop;     // thumb across the channel
  int thumbBottom;
  int length;       // control size along the channel
};

Layout LayoutOf(HWND hwnd, const TrackBarState& s) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  const bool vertical = IsVertical(hwnd);
  const int along = vertical ? rc.bottom : rc.right;
  const int across = vertical ? rc.right : rc.bottom;
  const DWORD style = Style(hwnd);
  const bool ticks = !(style & TBS_NOTICKS);
  int top = 2, bottom = across - 2;
  if (ticks && ((style & TBS_BOTH) || (style & TBS_TOP))) top += kTickSpace;
  if (ticks && ((style & TBS_BOTH) || !(style & TBS_TOP))) bottom -= kTickSpace;
  if (s.thumbLength > 0) bottom = std::min(bottom, top + s.thumbLength);
  else bottom = std::min(bottom, top + 21);
  if (bottom <= top) bottom = top + 1;
  return Layout{kChannelMargin, std::max(kChannelMargin + 1, along - kChannelMargin), top, bottom, along};
}

int OffsetOfPosition(const Layout& l, const TrackBarState& s, int pos) {
  if (s.max <= s.min) return l.alongStart;
  const long long span = l.alongEnd - l.alongStart;
  return l.alongStart + static_cast<int>(span * (pos - s.min) / (s.max - s.min));
}

int PositionAtOffset(const Layout& l, const TrackBarState& s, int offset) {
  if (s.max <= s.min) return s.min;
  const long long span = std::max(1, l.alongEnd - l.alongStart);
  const long long scaled = (static_cast<long long>(offset - l.alongStart) * (s.max - s.min) * 2 + span) / (2 * span);
  return std::clamp(static_cast<int>(s.min + scaled), s.min, s.max);
}

RECT ToClient(HWND hwnd, int alongFrom, int alongTo, int acrossFrom, int acrossTo) {
  if (IsVertical(hwnd)) return RECT{acrossFrom, alongFrom, acrossTo, alongTo};
  return RECT{alongFrom, acrossFrom, alongTo, acrossTo};
}

RECT ThumbRect(HWND hwnd, const TrackBarState& s) {
  const Layout l = LayoutOf(hwnd, s);
  const int centre = OffsetOfPosition(l, s, s.pos);
  return ToClient(hwnd, centre - kThumbHalfWidth, centre + kThumbHalfWidth + 1, l.thumbTop, l.thumbBottom);
}

RECT ChannelRect(HWND hwnd, const TrackBarState& s) {
  const Layout l = LayoutOf(hwnd, s);
  const int middle = (l.thumbTop + l.thumbBottom) / 2;
  return ToClient(hwnd, l.alongStart - 2, l.alongEnd + 2, middle - 2, middle + 2);
}

int Clamp(const TrackBarState& s, int pos) { return std::clamp(pos, s.min, std::max(s.min, s.max)); }

void Redraw(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

void Notify(HWND hwnd, int code, int pos) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  const bool carriesPosition = code == TB_THUMBPOSITION || code == TB_THUMBTRACK;
  SendMessageA(parent, IsVertical(hwnd) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, carriesPosition ? pos : 0),
               static_cast<LPARAM>(hwnd));
}

// Moves to pos and reports it with code when the position changed.
void MoveTo(HWND hwnd, TrackBarState& s, int pos, int code) {
  pos = Clamp(s, pos);
  if (pos == s.pos) return;
  s.pos = pos;
  Redraw(hwnd);
  Notify(hwnd, code, pos);
}

// ---- Ticks -------------------------------------------------------------------

std::vector<int> TickPositions(HWND hwnd, const TrackBarState& s) {
  std::vector<int> positions{s.min};
  if ((Style(hwnd) & TBS_AUTOTICKS) && s.ticFrequency > 0) {
    for (long long p = static_cast<long long>(s.min) + s.ticFrequency; p < s.max; p += s.ticFrequency)
      positions.push_back(static_cast<int>(p));
  } else {
    positions.insert(positions.end(), s.tics.begin(), s.tics.end());
  }
  if (s.max != s.min) positions.push_back(s.max);
  return positions;
}

LRESULT SetTic(TrackBarState& s, int pos) {
  if (pos <= s.min || pos >= s.max) return FALSE;
  auto it = std::lower_bound(s.tics.begin(), s.tics.end(), pos);
  if (it == s.tics.end() || *it != pos) s.tics.insert(it, pos);
  return TRUE;
}

LRESULT TicPosition(HWND hwnd, const TrackBarState& s, WPARAM index) {
  if (index >= s.tics.size()) return -1;
  const Layout l = LayoutOf(hwnd, s);
  return OffsetOfPosition(l, s, s.tics[index]);
}

// ---- Painting ----------------------------------------------------------------

void PaintTicks(HWND hwnd, HDC hdc, const TrackBarState& s, const Layout& l) {
  const DWORD style = Style(hwnd);
  if (style & TBS_NOTICKS) return;
  HBRUSH brush = GetSysColorBrush(COLOR_BTNTEXT);
  const bool before = (style & TBS_BOTH) || (style & TBS_TOP);
  const bool after = (style & TBS_BOTH) || !(style & TBS_TOP);
  for (int pos : TickPositions(hwnd, s)) {
    const int at = OffsetOfPosition(l, s, pos);
    if (before) {
      RECT tick = ToClient(hwnd, at, at + 1, l.thumbTop - 5, l.thumbTop - 2);
      FillRect(hdc, &tick, brush);
    }
    if (after) {
      RECT tick = ToClient(hwnd, at, at + 1, l.thumbBottom + 2, l.thumbBottom + 5);
      FillRect(hdc, &tick, brush);
    }
  }
}

void PaintChannel(HWND hwnd, HDC hdc, const TrackBarState& s, const Layout& l) {
  RECT channel = ChannelRect(hwnd, s);
  DrawEdge(hdc, &channel, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(hdc, &channel, GetSysColorBrush(COLOR_WINDOW));
  if ((Style(hwnd) & TBS_ENABLESELRANGE) && s.selEnd > s.selStart) {
    const int middle = (l.thumbTop + l.thumbBottom) / 2;
    RECT selection = ToClient(hwnd, OffsetOfPosition(l, s, s.selStart), OffsetOfPosition(l, s, s.selEnd) + 1,
                              middle - 1, middle + 1);
    FillRect(hdc, &selection, GetSysColorBrush(COLOR_HIGHLIGHT));
  }
}

void Paint(HWND hwnd, const TrackBarState& s) {
  PAINTSTRUCT ps{};
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  RECT rc{};
  GetClientRect(hwnd, &rc);
  FillRect(hdc, &rc, ParentBrush(hwnd, hdc, WM_CTLCOLORSTATIC, COLOR_BTNFACE));
  const Layout l = LayoutOf(hwnd, s);
  PaintTicks(hwnd, hdc, s, l);
  PaintChannel(hwnd, hdc, s, l);
  if (!(Style(hwnd) & TBS_NOTHUMB)) {
    RECT thumb = ThumbRect(hwnd, s);
    DrawEdge(hdc, &thumb, s.dragging ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
  if (s.focused) {
    RECT focus = rc;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(hdc, &focus);
  }
  EndPaint(hwnd, &ps);
}

// ---- Mouse and keyboard ------------------------------------------------------

int AlongOf(HWND hwnd, LPARAM lParam) {
  return IsVertical(hwnd) ? static_cast<SHORT>(HIWORD(lParam)) : static_cast<SHORT>(LOWORD(lParam));
}

void PageTowardTarget(HWND hwnd, TrackBarState& s) {
  if (s.pageDirection < 0 && s.pos > s.pageTarget)
    MoveTo(hwnd, s, std::max(s.pageTarget, s.pos - s.pageSize), TB_PAGEUP);
  else if (s.pageDirection > 0 && s.pos < s.pageTarget)
    MoveTo(hwnd, s, std::min(s.pageTarget, s.pos + s.pageSize), TB_PAGEDOWN);
}

void OnButtonDown(HWND hwnd, TrackBarState& s, LPARAM lParam) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
  SetCapture(hwnd);
  const Layout l = LayoutOf(hwnd, s);
  const int at = AlongOf(hwnd, lParam);
  const int centre = OffsetOfPosition(l, s, s.pos);
  if (!(Style(hwnd) & TBS_NOTHUMB) && at >= centre - kThumbHalfWidth && at <= centre + kThumbHalfWidth) {
    s.dragging = true;
    s.dragOffset = at - centre;
    Redraw(hwnd);
    return;
  }
  s.pageTarget = PositionAtOffset(l, s, at);
  s.pageDirection = at < centre ? -1 : 1;
  PageTowardTarget(hwnd, s);
  SetTimer(hwnd, kPageTimer, 500, nullptr);
}

void OnMouseMove(HWND hwnd, TrackBarState& s, LPARAM lParam) {
  if (!s.dragging) return;
  const Layout l = LayoutOf(hwnd, s);
  const int pos = PositionAtOffset(l, s, AlongOf(hwnd, lParam) - s.dragOffset);
  if (pos == s.pos) return;
  s.pos = pos;
  Redraw(hwnd);
  Notify(hwnd, TB_THUMBTRACK, pos);
}

void EndTracking(HWND hwnd, TrackBarState& s, bool notify) {
  const bool wasDragging = s.dragging, wasPaging = s.pageDirection != 0;
  if (!wasDragging && !wasPaging) return;
  s.dragging = false;
  s.pageDirection = 0;
  KillTimer(hwnd, kPageTimer);
  if (GetCapture() == hwnd) ReleaseCapture();
  Redraw(hwnd);
  if (!notify) return;
  if (wasDragging) Notify(hwnd, TB_THUMBPOSITION, s.pos);
  Notify(hwnd, TB_ENDTRACK, 0);
}

void OnTimer(HWND hwnd, TrackBarState& s, WPARAM id) {
  if (id != kPageTimer || !s.pageDirection) return;
  SetTimer(hwnd, kPageTimer, 100, nullptr);
  PageTowardTarget(hwnd, s);
}

bool OnKeyDown(HWND hwnd, TrackBarState& s, WPARAM key) {
  switch (key) {
    case VK_LEFT:
    case VK_UP: MoveTo(hwnd, s, s.pos - s.lineSize, TB_LINEUP); return true;
    case VK_RIGHT:
    case VK_DOWN: MoveTo(hwnd, s, s.pos + s.lineSize, TB_LINEDOWN); return true;
    case VK_PRIOR: MoveTo(hwnd, s, s.pos - s.pageSize, TB_PAGEUP); return true;
    case VK_NEXT: MoveTo(hwnd, s, s.pos + s.pageSize, TB_PAGEDOWN); return true;
    case VK_HOME: MoveTo(hwnd, s, s.min, TB_TOP); return true;
    case VK_END: MoveTo(hwnd, s, s.max, TB_BOTTOM); return true;
    default: return false;
  }
}

void OnKeyUp(HWND hwnd, WPARAM key) {
  switch (key) {
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
    case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
      Notify(hwnd, TB_ENDTRACK, 0);
      break;
    default:
      break;
  }
}

// ---- Messages ----------------------------------------------------------------

void SetRange(HWND hwnd, TrackBarState& s, int min, int max, WPARAM redraw) {
  s.min = min;
  s.max = std::max(min, max);
  s.pos = Clamp(s, s.pos);
  if (redraw) Redraw(hwnd);
}

LRESULT WriteRect(HWND, LPARAM out, RECT rect) {
  if (out) *reinterpret_cast<RECT*>(out) = rect;
  return 0;
}

LRESULT HandleTrackBarMessage(HWND hwnd, TrackBarState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
  const int value = static_cast<int>(static_cast<int32_t>(lParam));
  switch (msg) {
    case TBM_GETPOS: return s.pos;
    case TBM_SETPOS:
      s.pos = Clamp(s, value);
      if (wParam) Redraw(hwnd);
      return 0;
    case TBM_GETRANGEMIN: return s.min;
    case TBM_GETRANGEMAX: return s.max;
    case TBM_SETRANGE:
      SetRange(hwnd, s, static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam)), wParam);
      return 0;
    case TBM_SETRANGEMIN: SetRange(hwnd, s, value, std::max(value, s.max), wParam); return 0;
    case TBM_SETRANGEMAX: SetRange(hwnd, s, std::min(value, s.min), value, wParam); return 0;
    case TBM_SETTICFREQ: s.ticFrequency = std::max(1, static_cast<int>(static_cast<int32_t>(wParam))); Redraw(hwnd); return 0;
    case TBM_SETTIC: return SetTic(s, value);
    case TBM_CLEARTICS: s.tics.clear(); if (wParam) Redraw(hwnd); return 0;
    case TBM_GETTIC: return wParam < s.tics.size() ? s.tics[wParam] : -1;
    case TBM_GETNUMTICS: return Style(hwnd) & TBS_NOTICKS ? 0 : static_cast<LRESULT>(TickPositions(hwnd, s).size());
    case TBM_GETPTICS: return s.tics.empty() ? 0 : reinterpret_cast<LRESULT>(s.tics.data());
    case TBM_GETTICPOS: return TicPosition(hwnd, s, wParam);
    case TBM_SETPAGESIZE: { const int old = s.pageSize; s.pageSize = value; return old; }
    case TBM_GETPAGESIZE: return s.pageSize;
    case TBM_SETLINESIZE: { const int old = s.lineSize; s.lineSize = value; return old; }
    case TBM_GETLINESIZE: return s.lineSize;
    case TBM_SETSEL:
      s.selStart = static_cast<SHORT>(LOWORD(lParam));
      s.selEnd = static_cast<SHORT>(HIWORD(lParam));
      if (wParam) Redraw(hwnd);
      return 0;
    case TBM_SETSELSTART: s.selStart = value; if (wParam) Redraw(hwnd); return 0;
    case TBM_SETSELEND: s.selEnd = value; if (wParam) Redraw(hwnd); return 0;
    case TBM_GETSELSTART: return s.selStart;
    case TBM_GETSELEND: return s.selEnd;
    case TBM_CLEARSEL: s.selStart = s.selEnd = 0; if (wParam) Redraw(hwnd); return 0;
    case TBM_GETTHUMBRECT: return WriteRect(hwnd, lParam, ThumbRect(hwnd, s));
    case TBM_GETCHANNELRECT: return WriteRect(hwnd, lParam, ChannelRect(hwnd, s));
    case TBM_SETTHUMBLENGTH: s.thumbLength = static_cast<int>(wParam); Redraw(hwnd); return 0;
    case TBM_GETTHUMBLENGTH: {
      const Layout l = LayoutOf(hwnd, s);
      return l.thumbBottom - l.thumbTop;
    }
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

LRESULT CALLBACK TrackBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    g_trackbars.Remove(hwnd);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  std::shared_ptr<TrackBarState> s = g_trackbars.Get(hwnd);
  switch (msg) {
    case WM_PAINT: Paint(hwnd, *s); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_ENABLE: Redraw(hwnd); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      s->focused = msg == WM_SETFOCUS;
      if (!s->focused) EndTracking(hwnd, *s, true);
      Redraw(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnButtonDown(hwnd, *s, lParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(hwnd, *s, lParam); return 0;
    case WM_LBUTTONUP: EndTracking(hwnd, *s, true); return 0;
    case WM_CAPTURECHANGED: EndTracking(hwnd, *s, true); return 0;
    case WM_TIMER: OnTimer(hwnd, *s, wParam); return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(hwnd, *s, wParam)) return 0;
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_KEYUP: OnKeyUp(hwnd, wParam); return 0;
    case WM_DESTROY: KillTimer(hwnd, kPageTimer); return 0;
    default: return HandleTrackBarMessage(hwnd, *s, msg, wParam, lParam);
  }
}

}  // namespace
}  // namespace lv::ctl::trackbar

namespace lv::ctl {

void RegisterTrackBarClass() {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = trackbar::TrackBarProc;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = TRACKBAR_CLASSA;
  RegisterClassA(&wc);
}

}  // namespace lv::ctl
