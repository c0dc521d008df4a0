// The user agent's side of the window manager: installing the agent, the
// input it gives (mouse, keys, typing) with the real message traffic,
// finding controls, screenshots, and the records of what was shown.
#include "userint.h"

#include <useragent.h>

namespace lvuser {
void ClearMessageBoxRecords();
void ClearCursorRecords();

namespace {
lv::UserAgent* g_agent = nullptr;
std::vector<lv::HelpRecord> g_help;
std::vector<std::string> g_abandoned;
const UINT kEmSetSel = 0x00B1;

enum class Mouse { Down, Move, Up };

bool Usable(HWND hwnd) {
  return IsWindow(hwnd) && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) &&
         IsWindowEnabled(GetAncestor(hwnd, GA_ROOT));
}

// The window the mouse event goes to: the capture, or the window under the
// point. When the window the agent named is under the point, it gets the
// event even if an unrelated sibling (a group frame, say) lies on top.
HWND MouseTarget(HWND named, POINT screen) {
  if (HWND capture = GetCapture()) return capture;
  HWND hit = WindowFromPoint(screen);
  if (hit == named || IsChild(named, hit)) return hit;
  RECT r;
  GetWindowRect(named, &r);
  if (PtInRect(&r, screen)) return named;
  return hit;
}

UINT MouseMessage(Mouse kind, bool client) {
  switch (kind) {
    case Mouse::Down: return client ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN;
    case Mouse::Up: return client ? WM_LBUTTONUP : WM_NCLBUTTONUP;
    default: return client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
  }
}

void ActivateFor(HWND target, LRESULT hit) {
  HWND top = GetAncestor(target, GA_ROOT);
  if (!top || top == GetActiveWindow()) return;
  LRESULT how = SendMessageA(target, WM_MOUSEACTIVATE, static_cast<WPARAM>(top), MAKELPARAM(hit, WM_LBUTTONDOWN));
  if (how != MA_NOACTIVATE && how != MA_NOACTIVATEANDEAT) SetActiveWindow(top);
}

bool MouseEvent(HWND window, int x, int y, Mouse kind) {
  if (!IsWindow(window)) return false;
  bool captured = GetCapture() != 0;
  if (!captured && !Usable(window)) return false;
  POINT screen{x, y};
  ClientToScreen(window, &screen);
  SetCursorPosition(screen);
  HWND target = MouseTarget(window, screen);
  if (!target || target == DesktopHandle()) return false;
  if (!captured && !Usable(target)) return false;
  LRESULT hit = captured ? HTCLIENT : SendMessageA(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
  if (kind == Mouse::Down) {
    SetKeyDown(VK_LBUTTON, true);
    ActivateFor(target, hit);
  } else if (kind == Mouse::Up) {
    SetKeyDown(VK_LBUTTON, false);
  }
  if (!IsWindow(target)) return true;
  if (!captured)
    SendMessageA(target, WM_SETCURSOR, static_cast<WPARAM>(target), MAKELPARAM(hit, MouseMessage(kind, true)));
  bool client = captured || hit == HTCLIENT;
  MSG msg{target, MouseMessage(kind, client), 0, 0, 0, {}};
  if (client) {
    POINT p = screen;
    ScreenToClient(target, &p);
    msg.wParam = MouseKeyFlags();
    msg.lParam = MAKELPARAM(p.x, p.y);
  } else {
    msg.wParam = static_cast<WPARAM>(hit);
    msg.lParam = MAKELPARAM(screen.x, screen.y);
  }
  DeliverInput(msg);
  PumpPending();
  return true;
}

HWND KeyTarget(HWND window) {
  HWND focus = GetFocus();
  if (!window) return focus;
  if (focus && (focus == window || IsChild(window, focus))) return focus;
  if (GetParent(window) && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) SetFocus(window);
  return window;
}

void SendKey(HWND target, UINT vk, bool down, bool alt) {
  SetKeyDown(vk, down);
  UINT message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
  LPARAM lParam = down ? 1 : static_cast<LPARAM>(0xC0000001u);
  if (alt) lParam |= 0x20000000;
  DeliverInput(MSG{target, message, vk, lParam, 0, {}});
}

void Collect(HWND parent, std::vector<HWND>& out) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    out.push_back(c);
    Collect(c, out);
  }
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return SameName(a, b.c_str());
}
}  // namespace

void RecordAgentGaveUp(HWND modal) {
  Wnd* w = FindWnd(modal);
  g_abandoned.push_back(w ? w->text : std::string());
}

}  // namespace lvuser

using namespace lvuser;

BOOL WinHelpA(HWND hwnd, LPCSTR helpFile, UINT command, ULONG_PTR data) {
  (void)hwnd;
  g_help.push_back(lv::HelpRecord{helpFile ? helpFile : "", command, data});
  return TRUE;
}

BOOL MessageBeep(UINT type) {
  (void)type;
  return TRUE;
}

namespace lv {

void SetUserAgent(UserAgent* agent) {
  g_agent = agent;
  UseVirtualTime(agent != nullptr);
}

UserAgent* GetUserAgent() {
  return g_agent;
}

bool Click(HWND window) {
  RECT r;
  if (!GetClientRect(window, &r)) return false;
  return ClickAt(window, r.right / 2, r.bottom / 2);
}

bool ClickAt(HWND window, int x, int y) {
  if (!MouseDown(window, x, y)) return false;
  if (IsWindow(window)) return MouseUp(window, x, y);
  // The window went away on the press (a dialog closed): release anyway.
  SetKeyDown(VK_LBUTTON, false);
  return true;
}

bool MouseDown(HWND window, int x, int y) {
  return MouseEvent(window, x, y, Mouse::Down);
}

bool MouseMove(HWND window, int x, int y) {
  return MouseEvent(window, x, y, Mouse::Move);
}

bool MouseUp(HWND window, int x, int y) {
  return MouseEvent(window, x, y, Mouse::Up);
}

bool TypeText(HWND window, const std::string& ansiText) {
  if (!Usable(window)) return false;
  if (GetFocus() != window) SetFocus(window);
  for (char c : ansiText) {
    if (!IsWindow(window)) return false;
    char ch = c == '\n' ? '\r' : c;
    DeliverInput(MSG{window, WM_CHAR, static_cast<unsigned char>(ch), 1, 0, {}});
    PumpPending();
  }
  return true;
}

bool ReplaceText(HWND edit, const std::string& ansiText) {
  if (!Usable(edit)) return false;
  if (GetFocus() != edit) SetFocus(edit);
  SendMessageA(edit, kEmSetSel, 0, -1);
  if (ansiText.empty()) {
    DeliverInput(MSG{edit, WM_CHAR, VK_BACK, 1, 0, {}});
    PumpPending();
    return true;
  }
  return TypeText(edit, ansiText);
}

bool PressKeyWith(HWND window, UINT virtualKey, bool shift, bool control, bool alt) {
  if (window && !Usable(window)) return false;
  HWND target = KeyTarget(window);
  if (!target) return false;
  if (shift) SendKey(target, VK_SHIFT, true, false);
  if (control) SendKey(target, VK_CONTROL, true, false);
  if (alt) SetKeyDown(VK_MENU, true);
  SendKey(target, virtualKey, true, alt);
  PumpPending();
  // The key may have moved the focus or closed the window.
  HWND after = GetFocus() ? GetFocus() : target;
  if (IsWindow(after)) SendKey(after, virtualKey, false, alt);
  if (alt) SetKeyDown(VK_MENU, false);
  if (control && IsWindow(after)) SendKey(after, VK_CONTROL, false, false);
  if (shift && IsWindow(after)) SendKey(after, VK_SHIFT, false, false);
  SetKeyDown(VK_CONTROL, false);
  SetKeyDown(VK_SHIFT, false);
  PumpPending();
  return true;
}

bool PressKey(HWND window, UINT virtualKey) {
  return PressKeyWith(window, virtualKey, false, false, false);
}

HWND FindControl(HWND dialog, int id) {
  if (HWND c = GetDlgItem(dialog, id)) return c;
  std::vector<HWND> all;
  Collect(dialog, all);
  for (HWND c : all)
    if (GetDlgCtrlID(c) == id) return c;
  return 0;
}

HWND FindControlByText(HWND dialog, const std::string& text) {
  std::vector<HWND> all;
  Collect(dialog, all);
  std::string want = StripMnemonic(text);
  for (HWND c : all) {
    Wnd* w = FindWnd(c);
    if (w && StripMnemonic(w->text) == want) return c;
  }
  for (HWND c : all) {
    Wnd* w = FindWnd(c);
    if (w && SameIgnoringCase(StripMnemonic(w->text), want)) return c;
  }
  return 0;
}

bool Screenshot(HWND window, const std::string& unixPath) {
  Wnd* w = FindWnd(window);
  if (!w || unixPath.empty()) return false;
  PumpPending();
  if (!(w = FindWnd(window))) return false;
  Wnd* top = TopLevelOf(w);
  PaintPending(top);
  if (!(w = FindWnd(window))) return false;
  POINT origin;
  RECT clip;
  if (!SurfaceGeometry(w, true, &origin, &clip) || IsRectEmpty(&clip)) return false;
  return WritePng(TopLevelOf(w)->surface, clip, unixPath);
}

const std::vector<HelpRecord>& HelpRequests() {
  return g_help;
}

const std::vector<std::string>& AbandonedDialogs() {
  return g_abandoned;
}

void ClearRecords() {
  ClearMessageBoxRecords();
  ClearCursorRecords();
  g_help.clear();
  g_abandoned.clear();
}

}  // namespace lv
