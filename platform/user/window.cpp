// Windows: the window table, creation and destruction with their message
// sequences, window values (GetWindowLong), text, enabling and relations.
#include "userint.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace lvuser {

namespace {
const HWND kDesktop = 0x00010000;
HWND g_nextHandle = 0x00010010;
int g_cascade = 0;

std::unordered_map<HWND, std::unique_ptr<Wnd>>& Table() {
  static std::unordered_map<HWND, std::unique_ptr<Wnd>> table;
  return table;
}

// Windows already destroyed; freed when no message is being sent, so a
// window procedure that destroys its own window can still return safely.
std::vector<std::unique_ptr<Wnd>>& Graveyard() {
  static std::vector<std::unique_ptr<Wnd>> dead;
  return dead;
}

Wnd* Desktop() {
  static Wnd* desktop = [] {
    auto w = std::make_unique<Wnd>();
    w->handle = kDesktop;
    w->proc = DefWindowProcA;
    w->style = WS_VISIBLE | WS_CLIPCHILDREN;
    w->rect = RECT{0, 0, 1024, 768};
    w->client = w->rect;
    Wnd* raw = w.get();
    Table()[kDesktop] = std::move(w);
    return raw;
  }();
  return desktop;
}

HWND NewHandle() {
  do {
    g_nextHandle += 4;
    if (g_nextHandle >= 0x7FFFFFF0u) g_nextHandle = 0x00010010;
  } while (Table().count(g_nextHandle));
  return g_nextHandle;
}

// Sibling list the window is in.
std::vector<HWND>& SiblingsOf(Wnd* w) {
  if (w->parent) {
    if (Wnd* p = FindWnd(w->parent)) return p->children;
  }
  return TopLevelWindows();
}

void Unlink(Wnd* w) {
  auto& list = SiblingsOf(w);
  list.erase(std::remove(list.begin(), list.end(), w->handle), list.end());
}

void ApplyDefaultPosition(bool topLevel, int& x, int& y, int& cx, int& cy) {
  if (x == CW_USEDEFAULT) {
    x = topLevel ? 32 + 24 * (g_cascade % 8) : 0;
    y = topLevel ? 32 + 24 * (g_cascade % 8) : 0;
    if (topLevel) ++g_cascade;
  }
  if (cx == CW_USEDEFAULT) {
    cx = topLevel ? 480 : 0;
    cy = topLevel ? 360 : 0;
  }
}

void SendDestroyTree(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return;
  SendTo(w, WM_DESTROY, 0, 0);
  w = FindWnd(hwnd);
  if (!w) return;
  std::vector<HWND> kids = w->children;
  for (HWND k : kids) {
    if (Wnd* kw = FindWnd(k)) {
      kw->destroying = true;
      SendDestroyTree(k);
    }
  }
}

void Release(Wnd* w) {
  HWND h = w->handle;
  KillWindowTimers(h);
  DropMessagesFor(h);
  ForgetWindow(h);
  if (w->cls) --w->cls->windows;
  Unlink(w);
  FreeSurface(w->surface);
  w->surface = nullptr;
  auto it = Table().find(h);
  if (it != Table().end()) {
    Graveyard().push_back(std::move(it->second));
    Table().erase(it);
  }
}

void NcDestroyTree(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return;
  std::vector<HWND> kids = w->children;
  for (HWND k : kids) NcDestroyTree(k);
  w = FindWnd(hwnd);
  if (!w) return;
  SendTo(w, WM_NCDESTROY, 0, 0);
  w = FindWnd(hwnd);
  if (w) Release(w);
}

void NotifyParent(Wnd* w, UINT event) {
  if (!(w->style & WS_CHILD) || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
  Wnd* p = FindWnd(w->parent);
  if (p && p->handle != kDesktop)
    SendTo(p, WM_PARENTNOTIFY, MAKEWPARAM(event, w->id), static_cast<LPARAM>(w->handle));
}

LONG_PTR* DialogSlot(Wnd* w, int index) {
  if (!w->dialog) return nullptr;
  if (index == DWLP_MSGRESULT) return &w->dialog->msgResult;
  if (index == DWLP_DLGPROC) return reinterpret_cast<LONG_PTR*>(&w->dialog->proc);
  if (index == DWLP_USER) return &w->dialog->user;
  return nullptr;
}

bool ExtraInRange(Wnd* w, int index, size_t width) {
  return index >= 0 && static_cast<size_t>(index) + width <= w->extra.size();
}

LONG_PTR GetValue(Wnd* w, int index, size_t width) {
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return w->instance;
    case GWLP_HWNDPARENT: return (w->style & WS_CHILD) ? w->parent : w->owner;
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWLP_USERDATA: return w->userData;
    case GWLP_ID: return static_cast<LONG_PTR>(w->id);
    default: break;
  }
  if (LONG_PTR* slot = DialogSlot(w, index)) {
    if (width == sizeof(LONG)) return static_cast<LONG>(*slot);
    return *slot;
  }
  if (!ExtraInRange(w, index, width)) return 0;
  if (width == sizeof(LONG)) {
    LONG v = 0;
    std::memcpy(&v, w->extra.data() + index, width);
    return v;
  }
  if (width == sizeof(WORD)) {
    WORD v = 0;
    std::memcpy(&v, w->extra.data() + index, width);
    return v;
  }
  LONG_PTR v = 0;
  std::memcpy(&v, w->extra.data() + index, width);
  return v;
}

void SetStyle(Wnd* w, int index, DWORD value) {
  STYLESTRUCT ss{index == GWL_STYLE ? w->style : w->exStyle, value};
  HWND h = w->handle;
  SendTo(w, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
  if (!(w = FindWnd(h))) return;
  if (index == GWL_STYLE)
    w->style = ss.styleNew;
  else
    w->exStyle = ss.styleNew;
  SendTo(w, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
}

LONG_PTR SetValue(Wnd* w, int index, LONG_PTR value, size_t width) {
  LONG_PTR old = GetValue(w, index, width);
  switch (index) {
    case GWLP_WNDPROC:
      if (width != sizeof(LONG_PTR) || !value) return 0;
      w->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWLP_HINSTANCE: w->instance = static_cast<HINSTANCE>(value); return old;
    case GWLP_HWNDPARENT:
      if (!(w->style & WS_CHILD)) w->owner = static_cast<HWND>(value);
      return old;
    case GWL_STYLE:
    case GWL_EXSTYLE: SetStyle(w, index, static_cast<DWORD>(value)); return old;
    case GWLP_USERDATA: w->userData = value; return old;
    case GWLP_ID: w->id = static_cast<UINT_PTR>(value); return old;
    default: break;
  }
  if (LONG_PTR* slot = DialogSlot(w, index)) {
    *slot = value;
    return old;
  }
  if (!ExtraInRange(w, index, width)) return 0;
  std::memcpy(w->extra.data() + index, &value, width);
  return old;
}

HWND Create(DWORD exStyle, WndClass* cls, LPCSTR windowName, DWORD style, int x, int y, int cx,
            int cy, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param, LPCSTR className) {
  Wnd* parentW = nullptr;
  HWND owner = 0;
  if (style & WS_CHILD) {
    parentW = FindWnd(parent);
    if (!parentW) return 0;
  } else if (Wnd* o = FindWnd(parent)) {
    if (o->handle != kDesktop) owner = TopLevelOf(o)->handle;
  }
  bool topLevel = !(style & WS_CHILD);
  if (topLevel && !(style & WS_POPUP)) style |= WS_CLIPSIBLINGS | WS_CAPTION;
  ApplyDefaultPosition(topLevel, x, y, cx, cy);

  auto owned = std::make_unique<Wnd>();
  Wnd* w = owned.get();
  w->handle = NewHandle();
  w->cls = cls;
  w->proc = cls->proc;
  w->style = style;
  w->exStyle = exStyle;
  w->parent = (parentW && parentW->handle != kDesktop) ? parentW->handle : 0;
  if (!w->parent) w->style &= ~static_cast<DWORD>(WS_CHILD);
  w->owner = owner;
  w->id = (style & WS_CHILD) ? static_cast<UINT_PTR>(menu) : 0;
  w->instance = instance;
  w->extra.assign(static_cast<size_t>(cls->wndExtra), 0);
  w->dialog = std::move(PendingDialogInfo());
  w->rect = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
  w->client = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  HWND h = w->handle;
  ++cls->windows;
  Table()[h] = std::move(owned);
  if (w->parent)
    FindWnd(w->parent)->children.push_back(h);
  else
    TopLevelWindows().insert(TopLevelWindows().begin(), h);

  CREATESTRUCTA cs{param, instance, menu, parent, cy, cx, y, x, static_cast<LONG>(style), windowName,
                   className, exStyle};
  if (topLevel) {
    MINMAXINFO mmi{};
    mmi.ptMaxSize = POINT{1024, 768};
    mmi.ptMaxTrackSize = POINT{1024, 768};
    SendTo(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  }
  if (!(w = FindWnd(h))) return 0;
  if (!SendTo(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    NcDestroyTree(h);
    return 0;
  }
  if (!(w = FindWnd(h))) return 0;
  RecalcClient(w);
  SyncSurface(w);
  if (SendTo(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(h);
    return 0;
  }
  if (!(w = FindWnd(h))) return 0;
  SendTo(w, WM_SIZE, SIZE_RESTORED,
         MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  if (!(w = FindWnd(h))) return 0;
  SendTo(w, WM_MOVE, 0,
         MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
  if (!(w = FindWnd(h))) return 0;
  NotifyParent(w, WM_CREATE);
  if ((w = FindWnd(h)) && (w->style & WS_VISIBLE)) {
    w->style &= ~static_cast<DWORD>(WS_VISIBLE);
    ShowWindow(h, SW_SHOW);
  }
  return IsWindow(h) ? h : 0;
}
}  // namespace

std::unique_ptr<DialogInfo>& PendingDialogInfo() {
  static std::unique_ptr<DialogInfo> pending;
  return pending;
}

Wnd* FindWnd(HWND hwnd) {
  if (!hwnd) return nullptr;
  if (hwnd == kDesktop) return Desktop();
  auto it = Table().find(hwnd);
  return it == Table().end() ? nullptr : it->second.get();
}

std::vector<HWND>& TopLevelWindows() {
  static std::vector<HWND> windows;
  return windows;
}

void CollectDestroyed() {
  if (SendDepth() == 0) Graveyard().clear();
}

HWND DesktopHandle() {
  Desktop();
  return kDesktop;
}

bool IsDescendant(HWND ancestor, HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  while (w && w->parent) {
    if (w->parent == ancestor) return true;
    w = FindWnd(w->parent);
  }
  return false;
}

}  // namespace lvuser

using namespace lvuser;

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  EnsureStarted();
  WndClass* cls = FindClass(className, instance);
  if (!cls) return 0;
  return Create(exStyle, cls, windowName, style, x, y, width, height, parent, menu, instance, param,
                className);
}

BOOL DestroyWindow(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  if (!w || hwnd == kDesktop) return FALSE;
  if (w->destroying) return TRUE;
  w->destroying = true;
  // Owned windows go first.
  std::vector<HWND> tops = TopLevelWindows();
  for (HWND t : tops) {
    Wnd* tw = FindWnd(t);
    if (tw && tw->owner == hwnd) DestroyWindow(t);
  }
  if (!(w = FindWnd(hwnd))) return TRUE;
  if (w->style & WS_VISIBLE) {
    if (w->parent) {
      if (Wnd* p = FindWnd(w->parent)) InvalidateWnd(p, &w->rect, true, true);
    }
    w->style &= ~static_cast<DWORD>(WS_VISIBLE);
  }
  ForgetWindow(hwnd);
  NotifyParent(w, WM_DESTROY);
  SendDestroyTree(hwnd);
  NcDestroyTree(hwnd);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  return w != nullptr;
}

LONG GetWindowLongA(HWND hwnd, int index) {
  Wnd* w = FindWnd(hwnd);
  return w ? static_cast<LONG>(GetValue(w, index, sizeof(LONG))) : 0;
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
  Wnd* w = FindWnd(hwnd);
  if (!w || index == GWLP_WNDPROC) return 0;  // a procedure does not fit in 32 bits
  return static_cast<LONG>(SetValue(w, index, value, sizeof(LONG)));
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
  Wnd* w = FindWnd(hwnd);
  return w ? GetValue(w, index, sizeof(LONG_PTR)) : 0;
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  Wnd* w = FindWnd(hwnd);
  return w ? SetValue(w, index, value, sizeof(LONG_PTR)) : 0;
}

WORD GetWindowWord(HWND hwnd, int index) {
  Wnd* w = FindWnd(hwnd);
  return (w && index >= 0) ? static_cast<WORD>(GetValue(w, index, sizeof(WORD))) : 0;
}

WORD SetWindowWord(HWND hwnd, int index, WORD value) {
  Wnd* w = FindWnd(hwnd);
  if (!w || index < 0) return 0;
  return static_cast<WORD>(SetValue(w, index, value, sizeof(WORD)));
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return FALSE;
  return SendTo(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) != 0;
}

int GetWindowTextA(HWND hwnd, LPSTR text, int size) {
  Wnd* w = FindWnd(hwnd);
  if (!w || !text || size <= 0) return 0;
  text[0] = 0;
  return static_cast<int>(SendTo(w, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthA(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  return w ? static_cast<int>(SendTo(w, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
  if (enable && wasDisabled) {
    w->style &= ~static_cast<DWORD>(WS_DISABLED);
    SendTo(w, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    w->style |= WS_DISABLED;
    HWND focus = GetFocus();
    if (focus == hwnd || IsDescendant(hwnd, focus)) SetFocus(0);
    if (GetCapture() == hwnd) ReleaseCapture();
    if ((w = FindWnd(hwnd))) SendTo(w, WM_ENABLE, FALSE, 0);
  }
  if ((w = FindWnd(hwnd))) InvalidateWnd(w, nullptr, true, true);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  return w && !(w->style & WS_DISABLED);
}

BOOL IsWindowVisible(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  while (w) {
    if (!(w->style & WS_VISIBLE)) return FALSE;
    if (!w->parent) return TRUE;
    w = FindWnd(w->parent);
  }
  return FALSE;
}

BOOL IsIconic(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  return w && w->minimized;
}

BOOL IsZoomed(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  return w && w->maximized;
}

HWND GetParent(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return 0;
  return w->parent ? w->parent : w->owner;
}

HWND SetParent(HWND child, HWND newParent) {
  Wnd* w = FindWnd(child);
  if (!w || child == kDesktop) return 0;
  Wnd* p = newParent ? FindWnd(newParent) : nullptr;
  if (newParent && (!p || newParent == child || IsDescendant(child, newParent))) return 0;
  HWND old = w->parent ? w->parent : kDesktop;
  Unlink(w);
  if (p && p->handle != kDesktop) {
    w->parent = p->handle;
    p->children.insert(p->children.begin(), child);
    FreeSurface(w->surface);
    w->surface = nullptr;
  } else {
    w->parent = 0;
    TopLevelWindows().insert(TopLevelWindows().begin(), child);
    SyncSurface(w);
  }
  InvalidateWnd(w, nullptr, true, true);
  return old;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  Wnd* w = FindWnd(hwnd);
  if (!w || hwnd == kDesktop) return 0;
  switch (flags) {
    case GA_PARENT: return w->parent ? w->parent : kDesktop;
    case GA_ROOT: return TopLevelOf(w)->handle;
    case GA_ROOTOWNER: {
      Wnd* t = TopLevelOf(w);
      while (Wnd* o = FindWnd(t->owner)) t = o;
      return t->handle;
    }
    default: return 0;
  }
}

HWND GetWindow(HWND hwnd, UINT relation) {
  Wnd* w = FindWnd(hwnd);
  if (!w) return 0;
  if (relation == GW_CHILD) {
    if (hwnd == kDesktop) return TopLevelWindows().empty() ? 0 : TopLevelWindows().front();
    return w->children.empty() ? 0 : w->children.front();
  }
  if (relation == GW_OWNER) return w->parent ? 0 : w->owner;
  if (hwnd == kDesktop) return 0;
  auto& list = SiblingsOf(w);
  auto it = std::find(list.begin(), list.end(), hwnd);
  if (it == list.end()) return 0;
  switch (relation) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return (it + 1 == list.end()) ? 0 : *(it + 1);
    case GW_HWNDPREV: return (it == list.begin()) ? 0 : *(it - 1);
    case GW_ENABLEDPOPUP: {
      for (HWND t : TopLevelWindows()) {
        Wnd* tw = FindWnd(t);
        if (tw && tw->owner == hwnd && (tw->style & WS_VISIBLE) && !(tw->style & WS_DISABLED))
          return t;
      }
      return 0;
    }
    default: return 0;
  }
}

HWND GetNextWindow(HWND hwnd, UINT relation) {
  return GetWindow(hwnd, relation);
}

HWND GetTopWindow(HWND hwnd) {
  return GetWindow(hwnd ? hwnd : kDesktop, GW_CHILD);
}

HWND GetDesktopWindow(void) {
  return DesktopHandle();
}

int GetDlgCtrlID(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  return (w && w->parent) ? static_cast<int>(w->id) : 0;
}

namespace {
void CollectDescendants(Wnd* w, std::vector<HWND>& out) {
  for (HWND k : w->children) {
    out.push_back(k);
    if (Wnd* kw = FindWnd(k)) CollectDescendants(kw, out);
  }
}

bool TitleMatches(Wnd* w, LPCSTR className, LPCSTR windowName) {
  if (className) {
    if (IS_INTRESOURCE(className)) {
      if (!w->cls || w->cls->atom != static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(className))) return false;
    } else if (!w->cls || !SameName(w->cls->name, className)) {
      return false;
    }
  }
  return !windowName || w->text == windowName;
}
}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param) {
  Wnd* w = FindWnd(parent ? parent : kDesktop);
  if (!w || !proc) return FALSE;
  std::vector<HWND> all;
  if (!parent || parent == kDesktop) {
    for (HWND t : TopLevelWindows()) {
      all.push_back(t);
      if (Wnd* tw = FindWnd(t)) CollectDescendants(tw, all);
    }
  } else {
    CollectDescendants(w, all);
  }
  for (HWND h : all)
    if (IsWindow(h) && !proc(h, param)) return FALSE;
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM param) {
  if (!proc) return FALSE;
  std::vector<HWND> tops = TopLevelWindows();
  for (HWND h : tops)
    if (IsWindow(h) && !proc(h, param)) return FALSE;
  return TRUE;
}

BOOL IsChild(HWND parent, HWND hwnd) {
  return parent && IsDescendant(parent, hwnd);
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
  return FindWindowExA(0, 0, className, windowName);
}

HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
  EnsureStarted();
  std::vector<HWND> list;
  if (!parent || parent == kDesktop) {
    list = TopLevelWindows();
  } else if (Wnd* p = FindWnd(parent)) {
    list = p->children;
  } else {
    return 0;
  }
  bool started = childAfter == 0;
  for (HWND h : list) {
    if (!started) {
      started = h == childAfter;
      continue;
    }
    Wnd* w = FindWnd(h);
    if (w && TitleMatches(w, className, windowName)) return h;
  }
  return 0;
}
