// Timers and the clock they run on. Time is the kernel's tick count: real
// milliseconds, or virtual time while a user agent is installed, which
// advances only when the agent lets time pass.
#include "userint.h"

#include <useragent.h>

#include <algorithm>
#include <chrono>
#include <thread>

// The kernel's clock; bound weakly so the window manager also runs on its
// own clock in a library built without it.
extern "C" {
DWORD GetTickCount(void) __attribute__((weak));
void lvUseVirtualClock(BOOL on) __attribute__((weak));
void lvAdvanceVirtualClock(DWORD milliseconds) __attribute__((weak));
BOOL lvVirtualClockInUse(void) __attribute__((weak));
}

namespace lvuser {

namespace {
struct Timer {
  HWND hwnd;          // owning window, or 0 for a thread timer
  UINT_PTR id;        // the id (window timers) or the returned id
  UINT elapse;        // interval in milliseconds
  TIMERPROC proc;     // callback instead of WM_TIMER, or null
  DWORD due;          // tick count when it fires next
  unsigned long seq;  // order of setting, breaks ties
};

std::vector<Timer> g_timers;
unsigned long g_seq = 0;
UINT_PTR g_nextThreadTimer = 1;
bool g_ownVirtual = false;
DWORD g_ownVirtualNow = 0;

bool KernelClock() {
  return GetTickCount && lvUseVirtualClock && lvAdvanceVirtualClock && lvVirtualClockInUse;
}

DWORD RealNow() {
  using namespace std::chrono;
  return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool IsDue(const Timer& t, DWORD now) {
  return static_cast<int32_t>(now - t.due) >= 0;
}

// Index of the earliest timer due by `by`, or -1.
long EarliestDue(DWORD by, HWND filter) {
  long best = -1;
  for (size_t i = 0; i < g_timers.size(); ++i) {
    const Timer& t = g_timers[i];
    if (filter && t.hwnd != filter && !IsDescendant(filter, t.hwnd)) continue;
    if (!IsDue(t, by)) continue;
    if (best < 0) {
      best = static_cast<long>(i);
      continue;
    }
    const Timer& b = g_timers[static_cast<size_t>(best)];
    int32_t d = static_cast<int32_t>(t.due - b.due);
    if (d < 0 || (d == 0 && t.seq < b.seq)) best = static_cast<long>(i);
  }
  return best;
}

MSG TimerMessage(const Timer& t) {
  MSG m{t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc), Now(), {}};
  GetCursorPos(&m.pt);
  return m;
}

UINT ClampElapse(UINT elapse) {
  return std::clamp<UINT>(elapse, 10, 0x7FFFFFFF);
}
}  // namespace

DWORD Now() {
  if (KernelClock()) return GetTickCount();
  return g_ownVirtual ? g_ownVirtualNow : RealNow();
}

bool TimeIsVirtual() {
  if (KernelClock()) return lvVirtualClockInUse() != FALSE;
  return g_ownVirtual;
}

void UseVirtualTime(bool on) {
  if (KernelClock()) {
    lvUseVirtualClock(on ? TRUE : FALSE);
    return;
  }
  if (on && !g_ownVirtual) g_ownVirtualNow = RealNow();
  g_ownVirtual = on;
}

void AdvanceTime(DWORD ms) {
  if (KernelClock()) {
    lvAdvanceVirtualClock(ms);
    return;
  }
  if (g_ownVirtual) g_ownVirtualNow += ms;
}

bool NextDueTimer(MSG* msg, HWND filter, bool remove) {
  DWORD now = Now();
  long i = EarliestDue(now, filter);
  if (i < 0) return false;
  Timer& t = g_timers[static_cast<size_t>(i)];
  *msg = TimerMessage(t);
  if (remove) t.due = now + t.elapse;
  return true;
}

long MillisecondsToNextTimer() {
  if (g_timers.empty()) return -1;
  DWORD now = Now();
  long best = -1;
  for (const Timer& t : g_timers) {
    int32_t d = static_cast<int32_t>(t.due - now);
    long wait = d < 0 ? 0 : d;
    if (best < 0 || wait < best) best = wait;
  }
  return best;
}

void KillWindowTimers(HWND hwnd) {
  g_timers.erase(std::remove_if(g_timers.begin(), g_timers.end(), [&](const Timer& t) { return t.hwnd == hwnd; }),
                 g_timers.end());
}

}  // namespace lvuser

using namespace lvuser;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (hwnd && !IsWindow(hwnd)) return 0;
  elapse = ClampElapse(elapse);
  if (hwnd) {
    for (Timer& t : g_timers) {
      if (t.hwnd == hwnd && t.id == id) {
        t.elapse = elapse;
        t.proc = proc;
        t.due = Now() + elapse;
        t.seq = ++g_seq;
        return id ? id : 1;
      }
    }
    g_timers.push_back(Timer{hwnd, id, elapse, proc, Now() + elapse, ++g_seq});
    return id ? id : 1;
  }
  if (!proc) return 0;
  UINT_PTR newId = 0x1000 + g_nextThreadTimer++;
  g_timers.push_back(Timer{0, newId, elapse, proc, Now() + elapse, ++g_seq});
  return newId;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  for (auto it = g_timers.begin(); it != g_timers.end(); ++it) {
    if (it->hwnd == hwnd && it->id == id) {
      g_timers.erase(it);
      return TRUE;
    }
  }
  return FALSE;
}

namespace lv {

// Advances time by milliseconds, firing every timer that falls due on the
// way in the order of its due times (a 100 ms timer fires ten times in one
// second), each with the clock set to its due time.
void LetTimePass(DWORD milliseconds) {
  if (!TimeIsVirtual()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    PumpPending();
    return;
  }
  DWORD start = Now();
  DWORD target = start + milliseconds;
  for (int guard = 0; guard < 1000000; ++guard) {
    long i = EarliestDue(target, 0);
    if (i < 0) break;
    Timer& t = g_timers[static_cast<size_t>(i)];
    DWORD now = Now();
    if (static_cast<int32_t>(t.due - now) > 0) AdvanceTime(t.due - now);
    MSG m = TimerMessage(t);
    t.due += t.elapse;
    if (static_cast<int32_t>(t.due - Now()) <= 0) t.due = Now() + t.elapse;
    DispatchMessageA(&m);
    PumpPending();
  }
  DWORD now = Now();
  if (static_cast<int32_t>(target - now) > 0) AdvanceTime(target - now);
}

}  // namespace lv
