// Messages: sending, the posted-message queue, GetMessage/PeekMessage with
// timers and paints generated when the queue is empty, translation and
// dispatch, and what a message loop does when nothing is left (ask the
// user agent; without one, close the active window and finally quit).
#include "userint.h"

#include <useragent.h>

#include <chrono>
#include <deque>
#include <thread>

namespace lvuser {

namespace {
std::deque<MSG> g_queue;
int g_sendDepth = 0;
bool g_quitPosted = false;
int g_quitCode = 0;
DWORD g_lastPos = 0;
DWORD g_lastTime = 0;
std::vector<std::string> g_registered;
// Windows the idle handling already asked to close, so a window that
// refuses to close does not keep a loop alive.
std::vector<HWND> g_closeAsked;

bool InRange(UINT message, UINT min, UINT max) {
  if (min == 0 && max == 0) return true;
  return message >= min && message <= max;
}

bool ForWindow(HWND msgWindow, HWND filter) {
  if (!filter) return true;
  if (filter == static_cast<HWND>(-1)) return msgWindow == 0;
  return msgWindow == filter || IsDescendant(filter, msgWindow);
}

void Stamp(MSG* msg) {
  msg->time = Now();
  POINT p{};
  GetCursorPos(&p);
  msg->pt = p;
}

bool TakePosted(MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
  for (auto it = g_queue.begin(); it != g_queue.end(); ++it) {
    if (!ForWindow(it->hwnd, filter) || !InRange(it->message, min, max)) continue;
    *msg = *it;
    if (remove) g_queue.erase(it);
    return true;
  }
  return false;
}

// The next message of any kind, or false when there is none.
bool Fetch(MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
  CollectDestroyed();
  if (TakePosted(msg, filter, min, max, remove)) return true;
  if (g_quitPosted && !filter && InRange(WM_QUIT, min, max)) {
    *msg = MSG{0, WM_QUIT, static_cast<WPARAM>(g_quitCode), 0, 0, {}};
    Stamp(msg);
    if (remove) g_quitPosted = false;
    return true;
  }
  if (InRange(WM_TIMER, min, max) && NextDueTimer(msg, filter, remove)) return true;
  if (InRange(WM_PAINT, min, max)) {
    if (HWND h = NextWindowToPaint(filter)) {
      *msg = MSG{h, WM_PAINT, 0, 0, 0, {}};
      Stamp(msg);
      return true;
    }
  }
  return false;
}

// Nothing is queued: in real time, wait for a timer that is due soon.
bool WaitForRealTimer() {
  if (TimeIsVirtual()) return false;
  long wait = MillisecondsToNextTimer();
  if (wait < 0) return false;
  if (wait > 0) std::this_thread::sleep_for(std::chrono::milliseconds(wait));
  return true;
}

// The idle step of GetMessage: the agent acts, or the loop winds down.
// Returns false when the loop should receive WM_QUIT.
bool Idle() {
  HWND target = AgentTarget();
  if (lv::UserAgent* agent = lv::GetUserAgent()) {
    if (agent->Act(target)) return true;
    if (target) RecordAgentGaveUp(target);
  } else if (WaitForRealTimer()) {
    return true;
  }
  if (target && IsWindow(target)) {
    for (HWND h : g_closeAsked)
      if (h == target) return false;
    g_closeAsked.push_back(target);
    PostMessageA(target, WM_CLOSE, 0, 0);
    return true;
  }
  return false;
}
}  // namespace

LRESULT SendTo(Wnd* w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!w || !w->proc) return 0;
  WNDPROC proc = w->proc;
  HWND h = w->handle;
  ++g_sendDepth;
  LRESULT r = proc(h, message, wParam, lParam);
  --g_sendDepth;
  return r;
}

int SendDepth() {
  return g_sendDepth;
}

void DropMessagesFor(HWND hwnd) {
  for (auto it = g_queue.begin(); it != g_queue.end();) {
    if (it->hwnd == hwnd)
      it = g_queue.erase(it);
    else
      ++it;
  }
}

char CharForKey(UINT vk, bool shift) {
  if (vk >= 'A' && vk <= 'Z') return static_cast<char>(shift ? vk : vk + 32);
  if (vk >= '0' && vk <= '9') return static_cast<char>(vk);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<char>('0' + (vk - VK_NUMPAD0));
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return 0x1B;
    case VK_TAB: return '\t';
    case VK_BACK: return 0x08;
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_MULTIPLY: return '*';
    case VK_DIVIDE: return '/';
    case VK_DECIMAL: return ',';
    default: return 0;
  }
}

HWND AgentTarget() {
  HWND active = GetActiveWindow();
  if (active && IsWindowVisible(active) && IsWindowEnabled(active)) return active;
  for (HWND t : TopLevelWindows())
    if (IsWindowVisible(t) && IsWindowEnabled(t)) return t;
  return 0;
}

void DeliverInput(MSG msg) {
  Stamp(&msg);
  HWND dialog = DialogOfWindow(msg.hwnd);
  // Dialogs nested as controls hand keyboard navigation to their top dialog.
  while (dialog) {
    HWND up = DialogOfWindow(GetParent(dialog));
    Wnd* dw = FindWnd(dialog);
    if (!up || !dw || !(dw->style & WS_CHILD)) break;
    dialog = up;
  }
  if (dialog && IsDialogMessageA(dialog, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void PumpPending() {
  MSG msg;
  int guard = 0;
  while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE) && ++guard < 100000) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    HWND dialog = DialogOfWindow(msg.hwnd);
    if (dialog && IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace lvuser

using namespace lvuser;

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    std::vector<HWND> tops = TopLevelWindows();
    for (HWND t : tops)
      if (Wnd* w = FindWnd(t)) SendTo(w, message, wParam, lParam);
    return 0;
  }
  return SendTo(FindWnd(hwnd), message, wParam, lParam);
}

BOOL SendNotifyMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(hwnd) && hwnd != HWND_BROADCAST) return FALSE;
  SendMessageA(hwnd, message, wParam, lParam);
  return TRUE;
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    for (HWND t : TopLevelWindows()) PostMessageA(t, message, wParam, lParam);
    return TRUE;
  }
  if (hwnd && !IsWindow(hwnd)) return FALSE;
  MSG msg{hwnd, message, wParam, lParam, 0, {}};
  Stamp(&msg);
  g_queue.push_back(msg);
  return TRUE;
}

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  (void)threadId;
  return PostMessageA(0, message, wParam, lParam);
}

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!msg) return FALSE;
  EnsureStarted();
  for (;;) {
    if (Fetch(msg, hwnd, filterMin, filterMax, true)) break;
    if (!Idle()) {
      *msg = MSG{0, WM_QUIT, static_cast<WPARAM>(g_quitCode), 0, 0, {}};
      Stamp(msg);
      break;
    }
  }
  g_lastTime = msg->time;
  g_lastPos = MAKELONG(static_cast<WORD>(msg->pt.x), static_cast<WORD>(msg->pt.y));
  return msg->message != WM_QUIT;
}

BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove) {
  if (!msg) return FALSE;
  EnsureStarted();
  if (!Fetch(msg, hwnd, filterMin, filterMax, (remove & PM_REMOVE) != 0)) return FALSE;
  g_lastTime = msg->time;
  g_lastPos = MAKELONG(static_cast<WORD>(msg->pt.x), static_cast<WORD>(msg->pt.y));
  return TRUE;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  if (KeyDown(VK_CONTROL) || (msg->message == WM_KEYDOWN && KeyDown(VK_MENU))) return FALSE;
  char ch = CharForKey(static_cast<UINT>(msg->wParam), KeyDown(VK_SHIFT));
  if (!ch) return FALSE;
  UINT charMessage = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  PostMessageA(msg->hwnd, charMessage, static_cast<unsigned char>(ch), msg->lParam);
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    proc(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(msg->time));
    return 0;
  }
  Wnd* w = FindWnd(msg->hwnd);
  if (!w) return 0;
  LRESULT r = SendTo(w, msg->message, msg->wParam, msg->lParam);
  // A window that ignores WM_PAINT would be asked forever: what it left
  // unpainted is dropped.
  if (msg->message == WM_PAINT && (w = FindWnd(msg->hwnd)) && !w->painting) {
    ValidateRect(msg->hwnd, nullptr);
    if (w->frameDirty) PaintFrame(w);
  }
  return r;
}

void PostQuitMessage(int exitCode) {
  g_quitPosted = true;
  g_quitCode = exitCode;
}

BOOL WaitMessage(void) {
  MSG msg;
  if (Fetch(&msg, 0, 0, 0, false)) return TRUE;
  return Idle() ? TRUE : FALSE;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  ++g_sendDepth;
  LRESULT r = proc(hwnd, message, wParam, lParam);
  --g_sendDepth;
  return r;
}

BOOL InSendMessage(void) {
  return FALSE;  // one thread: no message comes from another thread
}

DWORD GetMessagePos(void) {
  return g_lastPos;
}

LONG GetMessageTime(void) {
  return static_cast<LONG>(g_lastTime);
}

DWORD GetQueueStatus(UINT flags) {
  (void)flags;
  return g_queue.empty() ? 0 : static_cast<DWORD>(g_queue.size());
}

UINT RegisterWindowMessageA(LPCSTR name) {
  if (!name || !*name) return 0;
  for (size_t i = 0; i < g_registered.size(); ++i)
    if (SameName(g_registered[i], name)) return static_cast<UINT>(0xC000 + i);
  if (g_registered.size() >= 0x3FFF) return 0;
  g_registered.push_back(name);
  return static_cast<UINT>(0xC000 + g_registered.size() - 1);
}
