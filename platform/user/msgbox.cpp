// Message boxes: a modal window with the text, an icon mark and the German
// buttons; the user agent chooses the answer (without one: the default
// button). Every box is recorded.
#include "userint.h"

#include <useragent.h>

#include <algorithm>
#include <sstream>

namespace lvuser {

namespace {
const char kBoxClass[] = "LvMessageBox";
const int kButtonWidth = 75;
const int kButtonHeight = 23;
const int kGap = 6;
const int kMargin = 12;
const int kIconSize = 32;
const int kColorBtnFace = 15;
const UINT kDtCenter = 0x0001;
const UINT kDtVCenter = 0x0004;
const UINT kDtSingleLine = 0x0020;
const UINT kDtNoPrefix = 0x0800;

struct Button {
  int id;
  const char* label;
};

struct BoxState {
  std::string text;
  std::vector<Button> buttons;
  size_t defaultIndex = 0;
  UINT icon = 0;  // MB_ICON* bits
  int lineHeight = 13;
  RECT textRect{};
};

std::vector<Button> ButtonsFor(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Abbrechen"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "Ab&brechen"}, {IDRETRY, "&Wiederholen"}, {IDIGNORE, "&Ignorieren"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Ja"}, {IDNO, "&Nein"}, {IDCANCEL, "Abbrechen"}};
    case MB_YESNO: return {{IDYES, "&Ja"}, {IDNO, "&Nein"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Wiederholen"}, {IDCANCEL, "Abbrechen"}};
    default: return {{IDOK, "OK"}};
  }
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line.push_back(c);
    }
  }
  lines.push_back(line);
  return lines;
}

RECT ButtonRect(const BoxState& s, size_t i, int clientWidth, int clientHeight) {
  int total = static_cast<int>(s.buttons.size()) * kButtonWidth + static_cast<int>(s.buttons.size() - 1) * kGap;
  int x = (clientWidth - total) / 2 + static_cast<int>(i) * (kButtonWidth + kGap);
  int y = clientHeight - kMargin - kButtonHeight;
  return RECT{x, y, x + kButtonWidth, y + kButtonHeight};
}

void PaintIcon(HDC dc, UINT icon, RECT r) {
  COLORREF colour = 0;
  const char* mark = nullptr;
  switch (icon & MB_ICONMASK) {
    case MB_ICONHAND: colour = RGB(255, 0, 0); mark = "X"; break;
    case MB_ICONQUESTION: colour = RGB(0, 0, 255); mark = "?"; break;
    case MB_ICONEXCLAMATION: colour = RGB(255, 255, 0); mark = "!"; break;
    case MB_ICONASTERISK: colour = RGB(0, 0, 255); mark = "i"; break;
    default: return;
  }
  FillSolid(dc, r, colour);
  DrawFrameRect(dc, r, 0);
  COLORREF ink = (icon & MB_ICONMASK) == MB_ICONEXCLAMATION ? 0 : RGB(255, 255, 255);
  DrawTextIn(dc, mark, r, kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix, ink, 0, true);
}

void PaintBox(HWND hwnd, BoxState* s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    FillSolid(dc, client, SysColor(kColorBtnFace));
    PaintIcon(dc, s->icon, RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize});
    RECT line = s->textRect;
    for (const std::string& l : Lines(s->text)) {
      line.bottom = line.top + s->lineHeight;
      DrawTextIn(dc, l, line, kDtSingleLine | kDtNoPrefix, 0, 0, false);
      line.top += s->lineHeight;
    }
    for (size_t i = 0; i < s->buttons.size(); ++i) {
      RECT b = ButtonRect(*s, i, client.right, client.bottom);
      FillSolid(dc, b, SysColor(kColorBtnFace));
      if (i == s->defaultIndex) {
        DrawFrameRect(dc, b, 0);
        InflateRect(&b, -1, -1);
      }
      DrawRaisedEdge(dc, b);
      DrawTextIn(dc, s->buttons[i].label, b, kDtCenter | kDtVCenter | kDtSingleLine, 0, 0, false);
    }
  }
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = reinterpret_cast<BoxState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_PAINT && s) {
    PaintBox(hwnd, s);
    return 0;
  }
  if (message == WM_CLOSE) return 0;  // closed by its answer only
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterBoxClass() {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(0, kBoxClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = CS_GLOBALCLASS | CS_SAVEBITS;
  wc.lpfnWndProc = BoxProc;
  wc.hbrBackground = static_cast<HBRUSH>(kColorBtnFace + 1);
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = kBoxClass;
  RegisterClassExA(&wc);
}

// Sizes the box to its text and buttons and centres it over the owner.
RECT LayoutBox(BoxState* s, HWND owner) {
  int textWidth = 0;
  int lines = 0;
  for (const std::string& l : Lines(s->text)) {
    SIZE size{static_cast<LONG>(l.size() * 6), 13};
    MeasureText(0, l.c_str(), &size);
    textWidth = std::max<int>(textWidth, size.cx);
    s->lineHeight = std::max<int>(13, size.cy);
    ++lines;
  }
  int iconSpace = (s->icon & MB_ICONMASK) ? kIconSize + kMargin : 0;
  int textHeight = lines * s->lineHeight;
  int buttons = static_cast<int>(s->buttons.size()) * (kButtonWidth + kGap) - kGap;
  int width = std::max(kMargin * 2 + iconSpace + textWidth, kMargin * 2 + buttons);
  width = std::min(width, GetSystemMetrics(SM_CXSCREEN) - 16);
  int top = std::max(textHeight, iconSpace ? kIconSize : 0);
  int height = kMargin + top + kMargin + kButtonHeight + kMargin;
  int textTop = kMargin + (top - textHeight) / 2;
  s->textRect = RECT{kMargin + iconSpace, textTop, width - kMargin, textTop + textHeight};
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
  int w = r.right - r.left, h = r.bottom - r.top;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner) GetWindowRect(owner, &area);
  int x = std::clamp<int>(area.left + (area.right - area.left - w) / 2, 0, std::max(0, GetSystemMetrics(SM_CXSCREEN) - w));
  int y = std::clamp<int>(area.top + (area.bottom - area.top - h) / 2, 0, std::max(0, GetSystemMetrics(SM_CYSCREEN) - h));
  return RECT{x, y, x + w, y + h};
}

int ValidAnswer(const BoxState& s, int answer) {
  for (const Button& b : s.buttons)
    if (b.id == answer) return answer;
  return s.buttons[s.defaultIndex].id;
}

std::vector<lv::MessageBoxRecord>& Records() {
  static std::vector<lv::MessageBoxRecord> records;
  return records;
}
}  // namespace

}  // namespace lvuser

using namespace lvuser;

int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD language) {
  (void)language;
  EnsureStarted();
  RegisterBoxClass();
  BoxState state;
  state.text = text ? text : "";
  state.buttons = ButtonsFor(type);
  state.defaultIndex = std::min<size_t>((type & MB_DEFMASK) >> 8, state.buttons.size() - 1);
  state.icon = type & MB_ICONMASK;
  std::string title = caption ? caption : "Fehler";
  HWND top = owner ? GetAncestor(owner, GA_ROOT) : 0;
  RECT place = LayoutBox(&state, top);
  HWND box = CreateWindowExA(WS_EX_DLGMODALFRAME, kBoxClass, title.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             place.left, place.top, place.right - place.left, place.bottom - place.top, top,
                             0, 0, nullptr);
  bool reenable = false;
  if (box) {
    SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    if (top && IsWindowEnabled(top)) {
      EnableWindow(top, FALSE);
      reenable = true;
    }
    ShowWindow(box, SW_SHOWNORMAL);
    UpdateWindow(box);
  }
  int answer = state.buttons[state.defaultIndex].id;
  if (lv::UserAgent* agent = lv::GetUserAgent())
    answer = ValidAnswer(state, agent->AnswerMessageBox(owner, state.text, title, type));
  if (reenable) EnableWindow(top, TRUE);
  if (box) {
    SetWindowLongPtrA(box, GWLP_USERDATA, 0);
    DestroyWindow(box);
  }
  Records().push_back(lv::MessageBoxRecord{owner, state.text, title, type, answer});
  return answer;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return MessageBoxExA(owner, text, caption, type, 0);
}

namespace lv {

const std::vector<MessageBoxRecord>& MessageBoxesShown() {
  return Records();
}

}  // namespace lv

namespace lvuser {
void ClearMessageBoxRecords() {
  Records().clear();
}
}  // namespace lvuser
