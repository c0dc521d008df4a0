// Geometry and painting of the "Edit" class: where characters are, which
// character lies under a point, scrolling the caret into view, WM_PAINT.
#include <algorithm>

#include "ctlcommon.h"
#include "edit.h"

namespace lv::ctl::edit {
namespace {

// A device context of the control with its font selected, for measuring.
class MeasureDC {
 public:
  MeasureDC(HWND hwnd, HFONT font) : hwnd_(hwnd), hdc_(GetDC(hwnd)) {
    if (hdc_) old_ = SelectControlFont(hdc_, font);
  }
  ~MeasureDC() {
    if (!hdc_) return;
    SelectObject(hdc_, old_);
    ReleaseDC(hwnd_, hdc_);
  }
  MeasureDC(const MeasureDC&) = delete;
  MeasureDC& operator=(const MeasureDC&) = delete;
  HDC get() const { return hdc_; }

 private:
  HWND hwnd_;
  HDC hdc_;
  HFONT old_ = 0;
};

bool IsMultiLine(HWND hwnd) { return (StyleOf(hwnd) & ES_MULTILINE) != 0; }

// The control draws its own sunken edge when it asks for a border and the
// window manager gave it no non-client frame.
bool DrawsOwnBorder(HWND hwnd) {
  const DWORD style = StyleOf(hwnd);
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
  if (!(style & WS_BORDER) && !(exStyle & WS_EX_CLIENTEDGE)) return false;
  RECT window{}, client{};
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  return window.right - window.left == client.right && window.bottom - window.top == client.bottom;
}

struct LineSpan {
  size_t start;   // offset of the line's first character
  size_t length;  // characters without the line break
  int index;      // line number
};

LineSpan LineAt(const EditState& s, size_t offset, bool multiLine) {
  if (!multiLine) return {0, s.text.size(), 0};
  const std::vector<size_t> starts = LineStarts(s.text);
  const size_t line = LineOfOffset(starts, offset);
  return {starts[line], LineLength(s.text, starts[line]), static_cast<int>(line)};
}

int LineOriginX(HWND hwnd, HDC hdc, const EditState& s, const std::string& shown, const LineSpan& line) {
  const RECT fr = FormattingRect(hwnd, s);
  const int width = fr.right - fr.left;
  const int textWidth = TextWidth(hdc, shown.c_str() + line.start, line.length);
  const DWORD align = StyleOf(hwnd) & (ES_CENTER | ES_RIGHT);
  if (textWidth < width && align == ES_CENTER) return fr.left + (width - textWidth) / 2;
  if (textWidth < width && align == ES_RIGHT) return fr.right - textWidth;
  return fr.left - s.scrollX;
}

int LineTop(HWND hwnd, HDC hdc, const EditState& s, int line) {
  const RECT fr = FormattingRect(hwnd, s);
  const int height = LineHeight(hdc);
  if (!IsMultiLine(hwnd)) return fr.top + std::max(0, (static_cast<int>(fr.bottom - fr.top) - height) / 2);
  return fr.top + (line - static_cast<int>(s.firstLine)) * height;
}

POINT PositionIn(HWND hwnd, HDC hdc, const EditState& s, size_t offset) {
  offset = std::min(offset, s.text.size());
  const std::string shown = DisplayText(s);
  const LineSpan line = LineAt(s, offset, IsMultiLine(hwnd));
  const int x = LineOriginX(hwnd, hdc, s, shown, line) + TextWidth(hdc, shown.c_str() + line.start, offset - line.start);
  return POINT{x, LineTop(hwnd, hdc, s, line.index)};
}

int VisibleLines(HWND hwnd, HDC hdc, const EditState& s) {
  const RECT fr = FormattingRect(hwnd, s);
  return std::max(1, static_cast<int>(fr.bottom - fr.top) / std::max(1, LineHeight(hdc)));
}

void ScrollHorizontally(HWND hwnd, HDC hdc, EditState& s) {
  const RECT fr = FormattingRect(hwnd, s);
  const int width = std::max(1, static_cast<int>(fr.right - fr.left));
  const std::string shown = DisplayText(s);
  const LineSpan line = LineAt(s, s.caret, IsMultiLine(hwnd));
  const int lineWidth = TextWidth(hdc, shown.c_str() + line.start, line.length);
  const int caretX = TextWidth(hdc, shown.c_str() + line.start, s.caret - line.start);
  if (lineWidth < width && !IsMultiLine(hwnd)) {
    s.scrollX = 0;
  } else if (caretX - s.scrollX >= width) {
    s.scrollX = caretX - width * 3 / 4;
  } else if (caretX < s.scrollX) {
    s.scrollX = std::max(0, caretX - width / 4);
  }
}

void ScrollVertically(HWND hwnd, HDC hdc, EditState& s) {
  const std::vector<size_t> starts = LineStarts(s.text);
  const size_t line = LineOfOffset(starts, s.caret);
  const size_t visible = static_cast<size_t>(VisibleLines(hwnd, hdc, s));
  if (line < s.firstLine) s.firstLine = line;
  else if (line >= s.firstLine + visible) s.firstLine = line - visible + 1;
}

void DrawLine(HDC hdc, const std::string& shown, const LineSpan& line, POINT origin, size_t selStart, size_t selEnd,
              int lineHeight) {
  const char* text = shown.c_str() + line.start;
  TextOutA(hdc, origin.x, origin.y, text, static_cast<int>(line.length));
  const size_t from = std::max(selStart, line.start);
  const size_t to = std::min(selEnd, line.start + line.length);
  if (from >= to) return;
  const int x0 = origin.x + TextWidth(hdc, text, from - line.start);
  const int x1 = origin.x + TextWidth(hdc, text, to - line.start);
  RECT highlight{x0, origin.y, x1, origin.y + lineHeight};
  FillRect(hdc, &highlight, GetSysColorBrush(COLOR_HIGHLIGHT));
  const COLORREF old = SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  TextOutA(hdc, x0, origin.y, shown.c_str() + from, static_cast<int>(to - from));
  SetTextColor(hdc, old);
}

void DrawContents(HWND hwnd, HDC hdc, const EditState& s) {
  const std::string shown = DisplayText(s);
  const bool multiLine = IsMultiLine(hwnd);
  const bool showSelection = s.focused || (StyleOf(hwnd) & ES_NOHIDESEL);
  const size_t selStart = showSelection ? SelStart(s) : 0;
  const size_t selEnd = showSelection ? SelEnd(s) : 0;
  const int height = LineHeight(hdc);
  std::vector<size_t> starts = multiLine ? LineStarts(s.text) : std::vector<size_t>{0};
  const size_t last = std::min(starts.size(), s.firstLine + static_cast<size_t>(VisibleLines(hwnd, hdc, s)) + 1);
  for (size_t i = multiLine ? s.firstLine : 0; i < last; ++i) {
    const LineSpan line{starts[i], multiLine ? LineLength(s.text, starts[i]) : s.text.size(), static_cast<int>(i)};
    const POINT origin{LineOriginX(hwnd, hdc, s, shown, line), LineTop(hwnd, hdc, s, line.index)};
    DrawLine(hdc, shown, line, origin, selStart, selEnd, height);
  }
  if (s.focused) {
    const POINT caret = PositionIn(hwnd, hdc, s, s.caret);
    RECT bar{caret.x, caret.y, caret.x + 1, caret.y + height};
    FillRect(hdc, &bar, GetSysColorBrush(COLOR_WINDOWTEXT));
  }
}

}  // namespace

RECT FormattingRect(HWND hwnd, const EditState& s) {
  RECT rc{};
  GetClientRect(hwnd, &rc);
  if (DrawsOwnBorder(hwnd)) InflateRect(&rc, -2, -2);
  rc.left += s.leftMargin;
  rc.right -= s.rightMargin;
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  return rc;
}

std::string DisplayText(const EditState& s) {
  if (!s.passwordChar) return s.text;
  return std::string(s.text.size(), s.passwordChar);
}

POINT PositionOfChar(HWND hwnd, const EditState& s, size_t offset) {
  MeasureDC dc(hwnd, s.font);
  if (!dc.get()) return POINT{0, 0};
  return PositionIn(hwnd, dc.get(), s, offset);
}

size_t CharFromPoint(HWND hwnd, const EditState& s, POINT pt) {
  MeasureDC dc(hwnd, s.font);
  if (!dc.get()) return 0;
  const bool multiLine = IsMultiLine(hwnd);
  size_t lineStart = 0, lineLength = s.text.size();
  if (multiLine) {
    const std::vector<size_t> starts = LineStarts(s.text);
    const RECT fr = FormattingRect(hwnd, s);
    const int height = std::max(1, LineHeight(dc.get()));
    int line = static_cast<int>(s.firstLine) + (pt.y < fr.top ? -1 : (pt.y - fr.top) / height);
    line = std::clamp(line, 0, static_cast<int>(starts.size()) - 1);
    lineStart = starts[static_cast<size_t>(line)];
    lineLength = LineLength(s.text, lineStart);
  }
  const std::string shown = DisplayText(s);
  const LineSpan span{lineStart, lineLength, 0};
  const int origin = LineOriginX(hwnd, dc.get(), s, shown, span);
  int previousX = origin;
  for (size_t i = 1; i <= lineLength; ++i) {
    const int x = origin + TextWidth(dc.get(), shown.c_str() + lineStart, i);
    if (pt.x < (previousX + x) / 2) return lineStart + i - 1;
    previousX = x;
  }
  return lineStart + lineLength;
}

void ScrollCaretIntoView(HWND hwnd, EditState& s) {
  MeasureDC dc(hwnd, s.font);
  if (!dc.get()) return;
  ScrollHorizontally(hwnd, dc.get(), s);
  if (IsMultiLine(hwnd)) ScrollVertically(hwnd, dc.get(), s);
}

void Paint(HWND hwnd, const EditState& s) {
  PAINTSTRUCT ps{};
  HDC hdc = BeginPaint(hwnd, &ps);
  if (!hdc) return;
  const DWORD style = StyleOf(hwnd);
  const bool enabled = IsWindowEnabled(hwnd) != 0;
  const bool greyBackground = !enabled || (style & ES_READONLY);
  HBRUSH brush = greyBackground ? ParentBrush(hwnd, hdc, WM_CTLCOLORSTATIC, COLOR_BTNFACE)
                                : ParentBrush(hwnd, hdc, WM_CTLCOLOREDIT, COLOR_WINDOW);
  RECT rc{};
  GetClientRect(hwnd, &rc);
  FillRect(hdc, &rc, brush);
  if (DrawsOwnBorder(hwnd)) DrawEdge(hdc, &rc, EDGE_SUNKEN, BF_RECT);
  if (!enabled) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
  const int saved = SaveDC(hdc);
  HFONT oldFont = SelectControlFont(hdc, s.font);
  const RECT fr = FormattingRect(hwnd, s);
  IntersectClipRect(hdc, fr.left, fr.top, fr.right, fr.bottom);
  SetBkMode(hdc, TRANSPARENT);
  DrawContents(hwnd, hdc, s);
  SelectObject(hdc, oldFont);
  RestoreDC(hdc, saved);
  EndPaint(hwnd, &ps);
}

}  // namespace lv::ctl::edit
