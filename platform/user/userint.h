// Internal state of the window manager, shared by its files.
#pragma once

#include <windows.h>
#include <win/lvsurface.h>

#include <memory>
#include <string>
#include <vector>

namespace lvuser {

// A registered window class.
struct WndClass {
  std::string name;          // as registered (compared case-insensitively)
  ATOM atom = 0;             // the class atom RegisterClass returned
  UINT style = 0;            // CS_* flags
  WNDPROC proc = nullptr;    // the class window procedure
  int clsExtra = 0;          // bytes of class extra memory
  int wndExtra = 0;          // bytes of extra memory in each window
  HINSTANCE instance = 0;    // the registering instance
  HICON icon = 0;            // large icon
  HICON iconSm = 0;          // small icon
  HCURSOR cursor = 0;        // cursor set by WM_SETCURSOR's default handling
  HBRUSH background = 0;     // erase brush or (HBRUSH)(COLOR_x + 1)
  std::string menuName;      // menu resource name (unused: no menus)
  std::vector<BYTE> extra;   // class extra bytes
  int windows = 0;           // number of live windows of the class
};

// The state of a window that is a dialog box.
struct DialogInfo {
  DLGPROC proc = nullptr;    // the dialog procedure (DWLP_DLGPROC)
  LRESULT msgResult = 0;     // DWLP_MSGRESULT
  LONG_PTR user = 0;         // DWLP_USER
  WORD defId = 0;            // default push button id set with DM_SETDEFID
  bool hasDefId = false;     // whether defId is set
  bool ended = false;        // EndDialog was called
  INT_PTR result = 0;        // EndDialog's result
  HFONT font = 0;            // the template font (WM_GETFONT)
  HFONT ownedFont = 0;       // font made from the template, freed with the dialog
  int baseX = 0;             // dialog base units of the font, horizontal
  int baseY = 0;             // and vertical
  HWND focusSaved = 0;       // control that had the focus at deactivation
  bool modal = false;        // run by DialogBox
  HWND disabledOwner = 0;    // owner the modal loop disabled, re-enabled by EndDialog
};

// A window's own scroll bar.
struct ScrollBar {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  UINT disabled = 0;  // ESB_DISABLE_* arrows
};

// A window.
struct Wnd {
  HWND handle = 0;
  WndClass* cls = nullptr;
  WNDPROC proc = nullptr;        // current window procedure (subclassing)
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = 0;               // parent (child windows) or 0 (top-level)
  HWND owner = 0;                // owner of a top-level window
  std::vector<HWND> children;    // z-order, topmost first
  std::string text;              // window text as kept by DefWindowProc
  RECT rect{};                   // window rect: parent client coords (screen for top-level)
  RECT client{};                 // client rect in window coordinates
  UINT_PTR id = 0;               // control id (child windows)
  LONG_PTR userData = 0;         // GWLP_USERDATA
  HINSTANCE instance = 0;
  std::vector<BYTE> extra;       // window extra bytes
  bool destroying = false;       // DestroyWindow in progress
  LvSurface* surface = nullptr;  // top-level windows: where they paint
  RECT update{};                 // invalid part of the client area
  bool erase = false;            // the invalid part needs erasing
  bool frameDirty = false;       // the non-client frame needs painting
  bool internalPaint = false;    // RDW_INTERNALPAINT requested
  bool painting = false;         // between BeginPaint and EndPaint
  bool minimized = false;
  bool maximized = false;
  bool redrawOff = false;        // WM_SETREDRAW FALSE
  ScrollBar scroll[2];            // SB_HORZ, SB_VERT
  std::unique_ptr<DialogInfo> dialog;
};

// --- Window table (window.cpp) ---
Wnd* FindWnd(HWND hwnd);
// Dialog state handed to the next window created (the dialog being made).
std::unique_ptr<DialogInfo>& PendingDialogInfo();
// All top-level windows, front first.
std::vector<HWND>& TopLevelWindows();
// Frees windows destroyed earlier once no message is being sent.
void CollectDestroyed();
// The desktop window's handle.
HWND DesktopHandle();

// --- Classes (class.cpp) ---
WndClass* FindClass(LPCSTR name, HINSTANCE instance);
// Starts the window system once (registers the dialog class and the
// standard controls).
void EnsureStarted();
// The dialog class atom name "#32770".
extern const char kDialogClass[];

// --- Geometry (winpos.cpp) ---
// Screen position of a window's top-left corner.
POINT WindowOrigin(Wnd* w);
// Screen position of a window's client area origin.
POINT ClientOrigin(Wnd* w);
// The top-level ancestor (the window itself when top-level).
Wnd* TopLevelOf(Wnd* w);
// Computes insets of the non-client frame for a style.
RECT FrameInsets(DWORD style, DWORD exStyle, bool child);
// Recomputes the client rect through WM_NCCALCSIZE.
void RecalcClient(Wnd* w);
// Keeps a top-level window's surface the size of the window.
void SyncSurface(Wnd* w);
bool IsDescendant(HWND ancestor, HWND hwnd);

// --- Messages (message.cpp) ---
LRESULT SendTo(Wnd* w, UINT message, WPARAM wParam, LPARAM lParam);
// Delivers user input synchronously through the dialog manager of the
// active dialog (IsDialogMessage) or straight to the window.
void DeliverInput(MSG msg);
// Runs everything queued (posted messages, paints) without asking the agent.
void PumpPending();
// Depth of nested SendMessage calls.
int SendDepth();
// Removes posted messages of a destroyed window.
void DropMessagesFor(HWND hwnd);
// The character a key produces (0 for none), for TranslateMessage.
char CharForKey(UINT vk, bool shift);
// The modal window the agent acts on: the active window or the topmost
// visible enabled top-level window.
HWND AgentTarget();

// --- Focus (focus.cpp) ---
void SetKeyDown(UINT vk, bool down);
bool KeyDown(UINT vk);
// Keeps focus, activation and capture sane when a window goes away.
void ForgetWindow(HWND hwnd);
void ActivateTopLevel(HWND hwnd, int how);
DWORD MouseKeyFlags();
void SetCursorPosition(POINT p);

// --- Timers (timer.cpp) ---
DWORD Now();
// Fills msg with the next due timer; reschedules it when remove.
bool NextDueTimer(MSG* msg, HWND filter, bool remove);
// Milliseconds until the next timer is due, or -1 when there is none.
long MillisecondsToNextTimer();
void KillWindowTimers(HWND hwnd);
void AdvanceTime(DWORD ms);
bool TimeIsVirtual();
void UseVirtualTime(bool on);

// --- Painting (paint.cpp, nonclient.cpp) ---
// Finds a window needing WM_PAINT, parents before children.
HWND NextWindowToPaint(HWND filter);
// Paints everything pending in the tree of a top-level window.
void PaintPending(Wnd* top);
void InvalidateWnd(Wnd* w, const RECT* clientRect, bool erase, bool children);
void InvalidateFrame(Wnd* w);
// Paints the non-client frame (borders, caption) into the surface.
void PaintFrame(Wnd* w);
// The visible part of a window's client area (or whole window) in its
// top-level surface coordinates, and the origin of its coordinates there.
bool SurfaceGeometry(Wnd* w, bool whole, POINT* origin, RECT* clip);

// --- Scroll bars (scroll.cpp) ---
// Paints the window's scroll bars into its frame.
void PaintScrollBars(Wnd* w, HDC windowDC);
// The scroll bar part at a screen point (HTHSCROLL/HTVSCROLL) or 0.
LRESULT ScrollHitTest(Wnd* w, POINT screen);
// A click on a scroll bar: WM_HSCROLL/WM_VSCROLL for the part hit.
void ScrollBarClick(Wnd* w, LRESULT hit, POINT screen);

// --- Dialogs (dialog.cpp, dlgtemplate.cpp, dlgmsg.cpp) ---
DialogInfo* DialogOf(HWND hwnd);
// Runs the modal loop of a dialog until EndDialog; returns its result.
INT_PTR RunModalLoop(HWND dialog, HWND owner);
// Base units (x, y) of a font; the system font when font is 0.
void FontBaseUnits(HFONT font, int* x, int* y);
// The control of the dialog whose text has the mnemonic ch, or 0.
HWND FindMnemonic(HWND dialog, char ch);
// Calls the control's WM_GETDLGCODE.
UINT DlgCode(HWND hwnd, const MSG* msg);
// The dialog box that contains hwnd (hwnd itself when it is one), or 0.
HWND DialogOfWindow(HWND hwnd);

// --- Drawing through the graphics part (gdiglue.cpp) ---
LvSurface* NewSurface(int width, int height);
void ResizeSurface(LvSurface* s, int width, int height);
void FreeSurface(LvSurface* s);
HDC SurfaceDC(LvSurface* s, POINT origin, const RECT* clip);
void FreeDC(HDC hdc);
// A memory DC standing for the screen (GetDC(NULL)).
HDC ScreenDC();
// Copies part of a surface to (0,0) of a DC.
bool CopySurfaceTo(HDC hdc, LvSurface* s, const RECT& part);
void FillSolid(HDC hdc, const RECT& r, COLORREF color);
void FillWithBrush(HDC hdc, const RECT& r, HBRUSH brush);
void DrawTextIn(HDC hdc, const std::string& text, RECT r, UINT format, COLORREF color, HFONT font,
                bool bold);
void DrawRaisedEdge(HDC hdc, RECT r);
void DrawFrameRect(HDC hdc, RECT r, COLORREF color);
HFONT MakeDialogFont(const std::string& face, int pointSize, int weight, bool italic);
void FreeFont(HFONT font);
bool MeasureText(HFONT font, const char* text, SIZE* size);
COLORREF SysColor(int index);
bool WritePng(LvSurface* s, const RECT& r, const std::string& path);

// --- Records (agent.cpp) ---
void RecordAgentGaveUp(HWND modal);

// Case-insensitive ANSI comparison of names.
bool SameName(const std::string& a, const char* b);
// Text without '&' markers ("&&" stays one '&').
std::string StripMnemonic(const std::string& text);

}  // namespace lvuser
