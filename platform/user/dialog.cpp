// Dialog boxes: creation from templates (dialog units from the template
// font), the modal loop with the user agent, EndDialog and the dialog
// class's window procedure.
#include "dlgtemplate.h"
#include "userint.h"

#include <useragent.h>

#include <algorithm>

// Resource lookup of the resource part, bound weakly.
extern "C" {
HRSRC FindResourceA(HMODULE, LPCSTR, LPCSTR) __attribute__((weak));
HGLOBAL LoadResource(HMODULE, HRSRC) __attribute__((weak));
LPVOID LockResource(HGLOBAL) __attribute__((weak));
DWORD SizeofResource(HMODULE, HRSRC) __attribute__((weak));
}

namespace lvuser {

namespace {
const WORD kBnClicked = 0;
const UINT kEmSetSel = 0x00B1;
const int kMaxIdleActs = 100000;  // agent rounds without effect before giving up

int ScaleUnits(int v, int base, int div) {
  long long p = static_cast<long long>(v) * base;
  return static_cast<int>(p >= 0 ? (p + div / 2) / div : (p - div / 2) / div);
}

bool LoadTemplate(HINSTANCE instance, LPCSTR name, const BYTE** data, size_t* size) {
  if (!FindResourceA || !LoadResource || !LockResource || !SizeofResource) return false;
  const LPCSTR kRtDialog = MAKEINTRESOURCEA(5);
  HRSRC res = FindResourceA(instance, name, kRtDialog);
  if (!res) return false;
  HGLOBAL mem = LoadResource(instance, res);
  const void* p = mem ? LockResource(mem) : nullptr;
  if (!p) return false;
  *data = static_cast<const BYTE*>(p);
  *size = SizeofResource(instance, res);
  return *size > 0;
}

// Places the dialog: template coordinates are relative to the owner's
// client area (the screen with DS_ABSALIGN or without owner); DS_CENTER
// centres it over the owner (or the screen).
RECT PlaceDialog(const DialogTemplate& t, DWORD style, DWORD exStyle, HWND owner, int bx, int by) {
  RECT r{0, 0, ScaleUnits(t.cx, bx, 4), ScaleUnits(t.cy, by, 8)};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = ScaleUnits(t.x, bx, 4) + r.left, y = ScaleUnits(t.y, by, 8) + r.top;
  if (style & WS_CHILD) return RECT{ScaleUnits(t.x, bx, 4), ScaleUnits(t.y, by, 8),
                                    ScaleUnits(t.x, bx, 4) + w, ScaleUnits(t.y, by, 8) + h};
  if (t.style & (DS_CENTER | DS_CENTERMOUSE)) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &area);
    x = area.left + ((area.right - area.left) - w) / 2;
    y = area.top + ((area.bottom - area.top) - h) / 2;
  } else if (owner && !(t.style & DS_ABSALIGN)) {
    POINT o{0, 0};
    ClientToScreen(owner, &o);
    x += o.x;
    y += o.y;
  }
  // Keep it on the screen.
  x = std::max(0, std::min(x, GetSystemMetrics(SM_CXSCREEN) - w));
  y = std::max(0, std::min(y, GetSystemMetrics(SM_CYSCREEN) - h));
  return RECT{x, y, x + w, y + h};
}

bool CreateItems(HWND dialog, HINSTANCE instance, const DialogTemplate& t, HFONT font, int bx, int by) {
  for (const DialogItem& item : t.items) {
    int x = ScaleUnits(item.x, bx, 4), y = ScaleUnits(item.y, by, 8);
    int cx = ScaleUnits(item.cx, bx, 4), cy = ScaleUnits(item.cy, by, 8);
    LPVOID data = item.data.empty() ? nullptr : const_cast<BYTE*>(item.data.data());
    HWND ctl = CreateWindowExA(item.exStyle | WS_EX_NOPARENTNOTIFY, item.className.c_str(),
                               item.title.c_str(), item.style | WS_CHILD, x, y, cx, cy, dialog,
                               static_cast<HMENU>(item.id), instance, data);
    if (!IsWindow(dialog)) return false;
    if (!ctl) {
      if (!(t.style & DS_NOFAILCREATE)) return false;
      continue;
    }
    if (font) SendMessageA(ctl, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  }
  return true;
}

void FocusControl(HWND ctl) {
  if (!ctl) return;
  if (DlgCode(ctl, nullptr) & DLGC_HASSETSEL) SendMessageA(ctl, kEmSetSel, 0, -1);
  SetFocus(ctl);
}

HWND CreateFromTemplate(HINSTANCE instance, const DialogTemplate& t, HWND owner, DLGPROC proc,
                        LPARAM param, bool modal) {
  auto info = std::make_unique<DialogInfo>();
  info->modal = modal;
  HFONT font = 0;
  if (t.hasFont) {
    font = MakeDialogFont(t.face, t.pointSize, t.weight, t.italic);
    info->ownedFont = font;
  }
  FontBaseUnits(font, &info->baseX, &info->baseY);
  if (!font && t.hasFont) {
    // No font could be made: the dialog font's usual units.
    info->baseX = 6;
    info->baseY = 13;
  }
  info->font = font;
  int bx = info->baseX, by = info->baseY;
  DWORD style = t.style & ~static_cast<DWORD>(WS_VISIBLE);
  DWORD exStyle = t.exStyle;
  if (t.style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
  if (t.style & DS_CONTROL) {
    style = (style & ~static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_POPUP)) | WS_CHILD;
    exStyle |= WS_EX_CONTROLPARENT;
  }
  if ((style & WS_CHILD) && !owner) return 0;
  HWND top = owner;
  if (owner && !(style & WS_CHILD)) top = GetAncestor(owner, GA_ROOT);
  RECT place = PlaceDialog(t, style, exStyle, top, bx, by);
  const char* cls = t.className.empty() ? kDialogClass : t.className.c_str();
  PendingDialogInfo() = std::move(info);
  HWND dlg = CreateWindowExA(exStyle, cls, t.title.c_str(), style, place.left, place.top,
                             place.right - place.left, place.bottom - place.top, top, 0, instance,
                             reinterpret_cast<LPVOID>(param));
  PendingDialogInfo().reset();
  DialogInfo* d = DialogOf(dlg);
  if (!dlg || !d) {
    if (dlg) DestroyWindow(dlg);
    FreeFont(font);
    return 0;
  }
  d->proc = proc;
  if (font) SendMessageA(dlg, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  if (!IsWindow(dlg)) return 0;
  if (!CreateItems(dlg, instance, t, font, bx, by)) {
    DestroyWindow(dlg);
    return 0;
  }
  HWND first = GetNextDlgTabItem(dlg, 0, FALSE);
  if (SendMessageA(dlg, WM_INITDIALOG, static_cast<WPARAM>(first), param) && IsWindow(dlg)) {
    // The procedure may have changed the controls: look again.
    HWND target = GetNextDlgTabItem(dlg, 0, FALSE);
    FocusControl(target);
  }
  if (!IsWindow(dlg)) return 0;
  if ((t.style & WS_VISIBLE) && !modal) ShowWindow(dlg, SW_SHOWNORMAL);
  return dlg;
}

HWND CreateIndirect(HINSTANCE instance, const BYTE* data, size_t size, HWND owner, DLGPROC proc,
                    LPARAM param, bool modal) {
  EnsureStarted();
  DialogTemplate t;
  std::string error;
  if (!ParseDialogTemplate(data, size, &t, &error)) return 0;
  return CreateFromTemplate(instance, t, owner, proc, param, modal);
}

// Size limit for in-memory templates, whose size is not given.
const size_t kIndirectLimit = 1u << 20;

// Ends a dialog whose agent gave up the way the Escape key would; when the
// dialog ignores that too, it ends with -1 so nothing waits forever.
void CancelLikeEscape(HWND dlg) {
  HWND cancel = GetDlgItem(dlg, IDCANCEL);
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, kBnClicked), static_cast<LPARAM>(cancel));
  PumpPending();
  DialogInfo* d = DialogOf(dlg);
  if (d && !d->ended) EndDialog(dlg, -1);
}

bool Ended(HWND dlg) {
  DialogInfo* d = DialogOf(dlg);
  return !d || d->ended;
}
}  // namespace

DialogInfo* DialogOf(HWND hwnd) {
  Wnd* w = FindWnd(hwnd);
  return w ? w->dialog.get() : nullptr;
}

HWND DialogOfWindow(HWND hwnd) {
  for (Wnd* w = FindWnd(hwnd); w; w = w->parent ? FindWnd(w->parent) : nullptr)
    if (w->dialog) return w->handle;
  return 0;
}

void FontBaseUnits(HFONT font, int* x, int* y) {
  SIZE size{};
  if (MeasureText(font, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &size) && size.cx > 0 &&
      size.cy > 0) {
    *x = static_cast<int>((size.cx / 26 + 1) / 2);
    *y = static_cast<int>(size.cy);
    return;
  }
  *x = 8;
  *y = 16;
}

INT_PTR RunModalLoop(HWND dlg, HWND owner) {
  DialogInfo* d = DialogOf(dlg);
  if (!d) return -1;
  if (owner && owner != dlg && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    if ((d = DialogOf(dlg))) d->disabledOwner = owner;
  }
  if (IsWindow(dlg) && !Ended(dlg)) ShowWindow(dlg, SW_SHOWNORMAL);
  int idle = 0;
  while (IsWindow(dlg) && !Ended(dlg)) {
    MSG msg;
    if (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
      idle = 0;
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        if (DialogOf(dlg)) EndDialog(dlg, -1);
        break;
      }
      if (!IsDialogMessageA(dlg, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      continue;
    }
    if (HWND o = GetWindow(dlg, GW_OWNER))
      if (!(GetWindowLongA(dlg, GWL_STYLE) & DS_NOIDLEMSG)) SendMessageA(o, WM_ENTERIDLE, 0, static_cast<LPARAM>(dlg));
    if (!IsWindow(dlg) || Ended(dlg)) break;
    lv::UserAgent* agent = lv::GetUserAgent();
    if (agent && ++idle < kMaxIdleActs && agent->Act(dlg)) continue;
    if (agent) RecordAgentGaveUp(dlg);
    if (IsWindow(dlg)) CancelLikeEscape(dlg);
    break;
  }
  INT_PTR result = -1;
  if ((d = DialogOf(dlg))) {
    result = d->result;
    if (d->disabledOwner) {
      HWND o = d->disabledOwner;
      d->disabledOwner = 0;
      EnableWindow(o, TRUE);
    }
  }
  DestroyWindow(dlg);
  return result;
}

}  // namespace lvuser

using namespace lvuser;

INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND owner,
                                DLGPROC proc, LPARAM param) {
  if (!dialogTemplate) return -1;
  HWND top = owner ? GetAncestor(owner, GA_ROOT) : 0;
  HWND dlg = CreateIndirect(instance, reinterpret_cast<const BYTE*>(dialogTemplate), kIndirectLimit, top,
                            proc, param, true);
  if (!dlg) return -1;
  return RunModalLoop(dlg, top);
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM param) {
  const BYTE* data = nullptr;
  size_t size = 0;
  if (!LoadTemplate(instance, templateName, &data, &size)) return -1;
  HWND top = owner ? GetAncestor(owner, GA_ROOT) : 0;
  HWND dlg = CreateIndirect(instance, data, size, top, proc, param, true);
  if (!dlg) return -1;
  return RunModalLoop(dlg, top);
}

HWND CreateDialogIndirectParamA(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND owner,
                                DLGPROC proc, LPARAM param) {
  if (!dialogTemplate) return 0;
  return CreateIndirect(instance, reinterpret_cast<const BYTE*>(dialogTemplate), kIndirectLimit, owner,
                        proc, param, false);
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM param) {
  const BYTE* data = nullptr;
  size_t size = 0;
  if (!LoadTemplate(instance, templateName, &data, &size)) return 0;
  return CreateIndirect(instance, data, size, owner, proc, param, false);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  DialogInfo* d = DialogOf(dialog);
  if (!d) return FALSE;
  d->ended = true;
  d->result = result;
  if (d->disabledOwner) {
    HWND o = d->disabledOwner;
    d->disabledOwner = 0;
    EnableWindow(o, TRUE);
  }
  if (IsWindow(dialog)) ShowWindow(dialog, SW_HIDE);
  return TRUE;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  DialogInfo* d = DialogOf(dialog);
  if (!d || !rect) return FALSE;
  rect->left = ScaleUnits(rect->left, d->baseX, 4);
  rect->right = ScaleUnits(rect->right, d->baseX, 4);
  rect->top = ScaleUnits(rect->top, d->baseY, 8);
  rect->bottom = ScaleUnits(rect->bottom, d->baseY, 8);
  return TRUE;
}

LONG GetDialogBaseUnits(void) {
  int x = 0, y = 0;
  FontBaseUnits(0, &x, &y);
  return MAKELONG(x, y);
}
