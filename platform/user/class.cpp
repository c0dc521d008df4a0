// Window classes: registration, lookup (case-insensitive, instance classes
// before global ones), class values.
#include "userint.h"

#include <algorithm>
#include <cstring>

extern "C" void lvRegisterStandardControls(void) __attribute__((weak));

namespace lvuser {

const char kDialogClass[] = "#32770";

namespace {
std::vector<std::unique_ptr<WndClass>>& Classes() {
  static std::vector<std::unique_ptr<WndClass>> classes;
  return classes;
}

ATOM g_nextAtom = 0xC000;
bool g_started = false;

// A class name given as a string or as an atom (MAKEINTATOM).
bool MatchesName(const WndClass& c, LPCSTR name) {
  if (IS_INTRESOURCE(name)) return c.atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
  return SameName(c.name, name);
}

ATOM Register(const WNDCLASSEXA& wc) {
  EnsureStarted();
  if (!wc.lpszClassName || !wc.lpfnWndProc || wc.cbClsExtra < 0 || wc.cbWndExtra < 0 ||
      wc.cbClsExtra > 4096 || wc.cbWndExtra > 4096)
    return 0;
  if (IS_INTRESOURCE(wc.lpszClassName) || !*wc.lpszClassName) return 0;
  for (auto& c : Classes()) {
    if (SameName(c->name, wc.lpszClassName) &&
        (c->instance == wc.hInstance || ((c->style & CS_GLOBALCLASS) && (wc.style & CS_GLOBALCLASS))))
      return 0;
  }
  auto c = std::make_unique<WndClass>();
  c->name = wc.lpszClassName;
  c->atom = g_nextAtom++;
  c->style = wc.style;
  c->proc = wc.lpfnWndProc;
  c->clsExtra = wc.cbClsExtra;
  c->wndExtra = wc.cbWndExtra;
  c->instance = wc.hInstance;
  c->icon = wc.hIcon;
  c->iconSm = wc.hIconSm;
  c->cursor = wc.hCursor;
  c->background = wc.hbrBackground;
  if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) c->menuName = wc.lpszMenuName;
  c->extra.assign(static_cast<size_t>(wc.cbClsExtra), 0);
  ATOM atom = c->atom;
  Classes().insert(Classes().begin(), std::move(c));
  return atom;
}

WndClass* ClassOfWindow(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  return w ? w->cls : nullptr;
}

void FillClassInfo(const WndClass& c, WNDCLASSEXA* wc) {
  wc->style = c.style;
  wc->lpfnWndProc = c.proc;
  wc->cbClsExtra = c.clsExtra;
  wc->cbWndExtra = c.wndExtra;
  wc->hInstance = c.instance;
  wc->hIcon = c.icon;
  wc->hCursor = c.cursor;
  wc->hbrBackground = c.background;
  wc->lpszMenuName = c.menuName.empty() ? nullptr : c.menuName.c_str();
  wc->lpszClassName = c.name.c_str();
  wc->hIconSm = c.iconSm;
}

ULONG_PTR ClassValue(WndClass* c, int index) {
  switch (index) {
    case GCL_HBRBACKGROUND: return c->background;
    case GCL_HCURSOR: return c->cursor;
    case GCL_HICON: return c->icon;
    case GCL_HICONSM: return c->iconSm;
    case GCL_HMODULE: return c->instance;
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c->wndExtra);
    case GCL_CBCLSEXTRA: return static_cast<ULONG_PTR>(c->clsExtra);
    case GCL_WNDPROC: return reinterpret_cast<ULONG_PTR>(c->proc);
    case GCL_STYLE: return c->style;
    case GCW_ATOM: return c->atom;
    default: return 0;
  }
}

ULONG_PTR SetClassValue(WndClass* c, int index, LONG_PTR value, size_t width) {
  if (index >= 0) {
    if (static_cast<size_t>(index) + width > c->extra.size()) return 0;
    ULONG_PTR old = 0;
    std::memcpy(&old, c->extra.data() + index, width);
    std::memcpy(c->extra.data() + index, &value, width);
    return old;
  }
  ULONG_PTR old = ClassValue(c, index);
  switch (index) {
    case GCL_HBRBACKGROUND: c->background = static_cast<HBRUSH>(value); break;
    case GCL_HCURSOR: c->cursor = static_cast<HCURSOR>(value); break;
    case GCL_HICON: c->icon = static_cast<HICON>(value); break;
    case GCL_HICONSM: c->iconSm = static_cast<HICON>(value); break;
    case GCL_WNDPROC: c->proc = reinterpret_cast<WNDPROC>(value); break;
    case GCL_STYLE: c->style = static_cast<UINT>(value); break;
    default: return 0;
  }
  return old;
}

ULONG_PTR ReadClassExtra(WndClass* c, int index, size_t width) {
  if (index < 0 || static_cast<size_t>(index) + width > c->extra.size()) return 0;
  ULONG_PTR v = 0;
  std::memcpy(&v, c->extra.data() + index, width);
  return v;
}
}  // namespace

WndClass* FindClass(LPCSTR name, HINSTANCE instance) {
  EnsureStarted();
  if (!name) return nullptr;
  for (auto& c : Classes())
    if (MatchesName(*c, name) && c->instance == instance && !(c->style & CS_GLOBALCLASS))
      return c.get();
  for (auto& c : Classes())
    if (MatchesName(*c, name) && (c->style & CS_GLOBALCLASS)) return c.get();
  // An instance class of another module is still found by name, as a
  // program's classes are visible to the libraries it loads.
  for (auto& c : Classes())
    if (MatchesName(*c, name)) return c.get();
  return nullptr;
}

void EnsureStarted() {
  if (g_started) return;
  g_started = true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_SAVEBITS;
  wc.lpfnWndProc = DefDlgProcA;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.lpszClassName = kDialogClass;
  Register(wc);
  if (lvRegisterStandardControls) lvRegisterStandardControls();
}

bool SameName(const std::string& a, const char* b) {
  if (!b) return false;
  size_t n = std::strlen(b);
  if (n != a.size()) return false;
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace lvuser

using namespace lvuser;

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (!wc) return 0;
  WNDCLASSEXA ex{};
  ex.cbSize = sizeof ex;
  ex.style = wc->style;
  ex.lpfnWndProc = wc->lpfnWndProc;
  ex.cbClsExtra = wc->cbClsExtra;
  ex.cbWndExtra = wc->cbWndExtra;
  ex.hInstance = wc->hInstance;
  ex.hIcon = wc->hIcon;
  ex.hCursor = wc->hCursor;
  ex.hbrBackground = wc->hbrBackground;
  ex.lpszMenuName = wc->lpszMenuName;
  ex.lpszClassName = wc->lpszClassName;
  return Register(ex);
}

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXA)) return 0;
  return Register(*wc);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  auto& all = Classes();
  for (size_t i = 0; i < all.size(); ++i) {
    WndClass& c = *all[i];
    if (!MatchesName(c, className)) continue;
    if (c.instance != instance && !(c.style & CS_GLOBALCLASS)) continue;
    if (c.windows > 0) return FALSE;
    all.erase(all.begin() + static_cast<long>(i));
    return TRUE;
  }
  return FALSE;
}

BOOL GetClassInfoExA(HINSTANCE instance, LPCSTR className, WNDCLASSEXA* wc) {
  WndClass* c = FindClass(className, instance);
  if (!c || !wc) return FALSE;
  FillClassInfo(*c, wc);
  wc->cbSize = sizeof(WNDCLASSEXA);
  return TRUE;
}

BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, WNDCLASSA* wc) {
  WNDCLASSEXA ex{};
  if (!wc || !GetClassInfoExA(instance, className, &ex)) return FALSE;
  wc->style = ex.style;
  wc->lpfnWndProc = ex.lpfnWndProc;
  wc->cbClsExtra = ex.cbClsExtra;
  wc->cbWndExtra = ex.cbWndExtra;
  wc->hInstance = ex.hInstance;
  wc->hIcon = ex.hIcon;
  wc->hCursor = ex.hCursor;
  wc->hbrBackground = ex.hbrBackground;
  wc->lpszMenuName = ex.lpszMenuName;
  wc->lpszClassName = ex.lpszClassName;
  return TRUE;
}

DWORD GetClassLongA(HWND hwnd, int index) {
  WndClass* c = ClassOfWindow(hwnd);
  if (!c) return 0;
  if (index >= 0) return static_cast<DWORD>(ReadClassExtra(c, index, sizeof(DWORD)));
  return static_cast<DWORD>(ClassValue(c, index));
}

DWORD SetClassLongA(HWND hwnd, int index, LONG value) {
  WndClass* c = ClassOfWindow(hwnd);
  if (!c) return 0;
  return static_cast<DWORD>(SetClassValue(c, index, value, sizeof(DWORD)));
}

ULONG_PTR GetClassLongPtrA(HWND hwnd, int index) {
  WndClass* c = ClassOfWindow(hwnd);
  if (!c) return 0;
  if (index >= 0) return ReadClassExtra(c, index, sizeof(ULONG_PTR));
  return ClassValue(c, index);
}

ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  WndClass* c = ClassOfWindow(hwnd);
  if (!c) return 0;
  return SetClassValue(c, index, value, sizeof(ULONG_PTR));
}

int GetClassNameA(HWND hwnd, LPSTR name, int size) {
  WndClass* c = ClassOfWindow(hwnd);
  if (!c || !name || size <= 0) return 0;
  size_t n = std::min(c->name.size(), static_cast<size_t>(size - 1));
  std::memcpy(name, c->name.data(), n);
  name[n] = 0;
  return static_cast<int>(n);
}
