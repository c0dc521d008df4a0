// The common controls of the Win32 subset: the notification header shared by
// WM_NOTIFY, class registration, the up-down control and the track bar.
#pragma once

#include <windows.h>

#ifndef WM_USER
#define WM_USER 0x0400
#endif
#ifndef WM_NOTIFY
#define WM_NOTIFY 0x004E
#endif

// ---- Initialisation -------------------------------------------------------
typedef struct tagINITCOMMONCONTROLSEX {
  DWORD dwSize;  // sizeof(INITCOMMONCONTROLSEX)
  DWORD dwICC;   // ICC_* classes wanted
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_HOTKEY_CLASS 0x00000040
#define ICC_ANIMATE_CLASS 0x00000080
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_DATE_CLASSES 0x00000100
#define ICC_USEREX_CLASSES 0x00000200
#define ICC_COOL_CLASSES 0x00000400
#define ICC_STANDARD_CLASSES 0x00004000

// ---- Notifications (WM_NOTIFY) --------------------------------------------
#ifndef LV_HAVE_NMHDR
#define LV_HAVE_NMHDR
// The header every WM_NOTIFY carries in its LPARAM; WPARAM is idFrom.
typedef struct tagNMHDR {
  HWND hwndFrom;    // the control that sends the notification
  UINT_PTR idFrom;  // its control id
  UINT code;        // the notification code (NM_*, UDN_*, ...)
} NMHDR, *LPNMHDR;
#endif

#define NM_FIRST (0U - 0U)
#define NM_OUTOFMEMORY (NM_FIRST - 1)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RETURN (NM_FIRST - 4)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_RDBLCLK (NM_FIRST - 6)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)
#define NM_CUSTOMDRAW (NM_FIRST - 12)

// ---- Up-down control ------------------------------------------------------
#define UPDOWN_CLASSA "msctls_updown32"
#define UPDOWN_CLASS UPDOWN_CLASSA

#define UD_MAXVAL 0x7fff
#define UD_MINVAL (-UD_MAXVAL)

#define UDS_WRAP 0x0001
#define UDS_SETBUDDYINT 0x0002
#define UDS_ALIGNRIGHT 0x0004
#define UDS_ALIGNLEFT 0x0008
#define UDS_AUTOBUDDY 0x0010
#define UDS_ARROWKEYS 0x0020
#define UDS_HORZ 0x0040
#define UDS_NOTHOUSANDS 0x0080
#define UDS_HOTTRACK 0x0100

// lParam = MAKELONG(upper, lower): the maximum comes first.
#define UDM_SETRANGE (WM_USER + 101)
// Returns MAKELONG(upper, lower).
#define UDM_GETRANGE (WM_USER + 102)
// lParam = MAKELONG(pos, 0); returns the previous position.
#define UDM_SETPOS (WM_USER + 103)
// Returns MAKELONG(pos, error); the high word is non-zero on error.
#define UDM_GETPOS (WM_USER + 104)
#define UDM_SETBUDDY (WM_USER + 105)
#define UDM_GETBUDDY (WM_USER + 106)
#define UDM_SETACCEL (WM_USER + 107)
#define UDM_GETACCEL (WM_USER + 108)
#define UDM_SETBASE (WM_USER + 109)
#define UDM_GETBASE (WM_USER + 110)
#define UDM_SETRANGE32 (WM_USER + 111)
#define UDM_GETRANGE32 (WM_USER + 112)
#define UDM_SETPOS32 (WM_USER + 113)
#define UDM_GETPOS32 (WM_USER + 114)

// One acceleration step: after nSec seconds of holding, step by nInc.
typedef struct _UDACCEL {
  UINT nSec;
  UINT nInc;
} UDACCEL, *LPUDACCEL;

#define UDN_FIRST (0U - 721)
#define UDN_LAST (0U - 729)
#define UDN_DELTAPOS (UDN_FIRST - 1)

// UDN_DELTAPOS: the position before the step and the proposed change. A
// non-zero result of the parent's WM_NOTIFY handling cancels the step.
typedef struct _NM_UPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
} NMUPDOWN, *LPNMUPDOWN;
typedef NMUPDOWN NM_UPDOWN;
typedef LPNMUPDOWN LPNM_UPDOWN;

// ---- Track bar ------------------------------------------------------------
#define TRACKBAR_CLASSA "msctls_trackbar32"
#define TRACKBAR_CLASS TRACKBAR_CLASSA

#define TBS_AUTOTICKS 0x0001
#define TBS_VERT 0x0002
#define TBS_HORZ 0x0000
#define TBS_TOP 0x0004
#define TBS_BOTTOM 0x0000
#define TBS_LEFT 0x0004
#define TBS_RIGHT 0x0000
#define TBS_BOTH 0x0008
#define TBS_NOTICKS 0x0010
#define TBS_ENABLESELRANGE 0x0020
#define TBS_FIXEDLENGTH 0x0040
#define TBS_NOTHUMB 0x0080
#define TBS_TOOLTIPS 0x0100

#define TBM_GETPOS (WM_USER)
#define TBM_GETRANGEMIN (WM_USER + 1)
#define TBM_GETRANGEMAX (WM_USER + 2)
#define TBM_GETTIC (WM_USER + 3)
#define TBM_SETTIC (WM_USER + 4)
#define TBM_SETPOS (WM_USER + 5)          // wParam redraw, lParam position
#define TBM_SETRANGE (WM_USER + 6)        // wParam redraw, lParam MAKELONG(min, max)
#define TBM_SETRANGEMIN (WM_USER + 7)
#define TBM_SETRANGEMAX (WM_USER + 8)
#define TBM_CLEARTICS (WM_USER + 9)
#define TBM_SETSEL (WM_USER + 10)
#define TBM_SETSELSTART (WM_USER + 11)
#define TBM_SETSELEND (WM_USER + 12)
#define TBM_GETPTICS (WM_USER + 14)
#define TBM_GETTICPOS (WM_USER + 15)
#define TBM_GETNUMTICS (WM_USER + 16)
#define TBM_GETSELSTART (WM_USER + 17)
#define TBM_GETSELEND (WM_USER + 18)
#define TBM_CLEARSEL (WM_USER + 19)
#define TBM_SETTICFREQ (WM_USER + 20)
#define TBM_SETPAGESIZE (WM_USER + 21)    // returns the previous page size
#define TBM_GETPAGESIZE (WM_USER + 22)
#define TBM_SETLINESIZE (WM_USER + 23)    // returns the previous line size
#define TBM_GETLINESIZE (WM_USER + 24)
#define TBM_GETTHUMBRECT (WM_USER + 25)   // lParam RECT*: the thumb in client coordinates
#define TBM_GETCHANNELRECT (WM_USER + 26) // lParam RECT*: the channel in client coordinates
#define TBM_SETTHUMBLENGTH (WM_USER + 27)
#define TBM_GETTHUMBLENGTH (WM_USER + 28)

// Scroll codes of the WM_HSCROLL / WM_VSCROLL a track bar sends.
#define TB_LINEUP 0
#define TB_LINEDOWN 1
#define TB_PAGEUP 2
#define TB_PAGEDOWN 3
#define TB_THUMBPOSITION 4
#define TB_THUMBTRACK 5
#define TB_TOP 6
#define TB_BOTTOM 7
#define TB_ENDTRACK 8

LV_BEGIN_DECLS
// The common control classes are registered when the window system starts;
// these only check their argument. InitCommonControlsEx returns FALSE for a
// null pointer or a wrong dwSize, TRUE otherwise.
LVEXPORT void InitCommonControls(void);
LVEXPORT BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);
// Creates an up-down control as a child of hParent with the given buddy,
// range (nUpper, nLower) and position; 0 on failure.
LVEXPORT HWND CreateUpDownControl(DWORD dwStyle, int x, int y, int cx, int cy, HWND hParent, int nID,
                                  HINSTANCE hInst, HWND hBuddy, int nUpper, int nLower, int nPos);
LV_END_DECLS
