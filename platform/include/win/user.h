// The window manager of the Win32 subset: window classes, windows,
// messages, focus and input state, timers, painting, dialogs from
// templates, message boxes, help requests, cursors and icons.
//
// Windows are headless: each top-level window paints into an off-screen
// surface (win/lvsurface.h). When a modal loop has nothing to do it asks the
// user agent (useragent.h) for the next user action.
#pragma once

#include <win/types.h>

// ---------------------------------------------------------------------------
// Window styles
#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_MINIMIZE 0x20000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_CAPTION 0x00C00000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_VSCROLL 0x00200000L
#define WS_HSCROLL 0x00100000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_TILED WS_OVERLAPPED
#define WS_ICONIC WS_MINIMIZE
#define WS_SIZEBOX WS_THICKFRAME
#define WS_OVERLAPPEDWINDOW \
  (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_TILEDWINDOW WS_OVERLAPPEDWINDOW
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)
#define WS_CHILDWINDOW WS_CHILD

#define WS_EX_DLGMODALFRAME 0x00000001L
#define WS_EX_NOPARENTNOTIFY 0x00000004L
#define WS_EX_TOPMOST 0x00000008L
#define WS_EX_ACCEPTFILES 0x00000010L
#define WS_EX_TRANSPARENT 0x00000020L
#define WS_EX_MDICHILD 0x00000040L
#define WS_EX_TOOLWINDOW 0x00000080L
#define WS_EX_WINDOWEDGE 0x00000100L
#define WS_EX_CLIENTEDGE 0x00000200L
#define WS_EX_CONTEXTHELP 0x00000400L
#define WS_EX_RIGHT 0x00001000L
#define WS_EX_LEFT 0x00000000L
#define WS_EX_RTLREADING 0x00002000L
#define WS_EX_LTRREADING 0x00000000L
#define WS_EX_LEFTSCROLLBAR 0x00004000L
#define WS_EX_RIGHTSCROLLBAR 0x00000000L
#define WS_EX_CONTROLPARENT 0x00010000L
#define WS_EX_STATICEDGE 0x00020000L
#define WS_EX_APPWINDOW 0x00040000L
#define WS_EX_OVERLAPPEDWINDOW (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE)
#define WS_EX_PALETTEWINDOW (WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST)

// Dialog styles
#define DS_ABSALIGN 0x01L
#define DS_SYSMODAL 0x02L
#define DS_3DLOOK 0x04L
#define DS_FIXEDSYS 0x08L
#define DS_NOFAILCREATE 0x10L
#define DS_LOCALEDIT 0x20L
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_NOIDLEMSG 0x100L
#define DS_SETFOREGROUND 0x200L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

// Class styles
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_OWNDC 0x0020
#define CS_CLASSDC 0x0040
#define CS_PARENTDC 0x0080
#define CS_NOCLOSE 0x0200
#define CS_SAVEBITS 0x0800
#define CS_BYTEALIGNCLIENT 0x1000
#define CS_BYTEALIGNWINDOW 0x2000
#define CS_GLOBALCLASS 0x4000

// ---------------------------------------------------------------------------
// Messages
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETREDRAW 0x000B
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUERYENDSESSION 0x0011
#define WM_QUIT 0x0012
#define WM_QUERYOPEN 0x0013
#define WM_ERASEBKGND 0x0014
#define WM_SYSCOLORCHANGE 0x0015
#define WM_ENDSESSION 0x0016
#define WM_SHOWWINDOW 0x0018
#define WM_CTLCOLOR 0x0019
#define WM_WININICHANGE 0x001A
#define WM_SETTINGCHANGE WM_WININICHANGE
#define WM_ACTIVATEAPP 0x001C
#define WM_FONTCHANGE 0x001D
#define WM_TIMECHANGE 0x001E
#define WM_CANCELMODE 0x001F
#define WM_SETCURSOR 0x0020
#define WM_MOUSEACTIVATE 0x0021
#define WM_CHILDACTIVATE 0x0022
#define WM_QUEUESYNC 0x0023
#define WM_GETMINMAXINFO 0x0024
#define WM_PAINTICON 0x0026
#define WM_ICONERASEBKGND 0x0027
#define WM_NEXTDLGCTL 0x0028
#define WM_DRAWITEM 0x002B
#define WM_MEASUREITEM 0x002C
#define WM_DELETEITEM 0x002D
#define WM_VKEYTOITEM 0x002E
#define WM_CHARTOITEM 0x002F
#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_QUERYDRAGICON 0x0037
#define WM_COMPAREITEM 0x0039
#define WM_WINDOWPOSCHANGING 0x0046
#define WM_WINDOWPOSCHANGED 0x0047
#define WM_NOTIFY 0x004E
#define WM_HELP 0x0053
#define WM_NOTIFYFORMAT 0x0055
#define WM_CONTEXTMENU 0x007B
#define WM_STYLECHANGING 0x007C
#define WM_STYLECHANGED 0x007D
#define WM_DISPLAYCHANGE 0x007E
#define WM_GETICON 0x007F
#define WM_SETICON 0x0080
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_NCCALCSIZE 0x0083
#define WM_NCHITTEST 0x0084
#define WM_NCPAINT 0x0085
#define WM_NCACTIVATE 0x0086
#define WM_GETDLGCODE 0x0087
#define WM_NCMOUSEMOVE 0x00A0
#define WM_NCLBUTTONDOWN 0x00A1
#define WM_NCLBUTTONUP 0x00A2
#define WM_NCLBUTTONDBLCLK 0x00A3
#define WM_NCRBUTTONDOWN 0x00A4
#define WM_NCRBUTTONUP 0x00A5
#define WM_KEYFIRST 0x0100
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_DEADCHAR 0x0103
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_SYSDEADCHAR 0x0107
#define WM_KEYLAST 0x0108
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_HSCROLL 0x0114
#define WM_VSCROLL 0x0115
#define WM_INITMENU 0x0116
#define WM_INITMENUPOPUP 0x0117
#define WM_MENUSELECT 0x011F
#define WM_MENUCHAR 0x0120
#define WM_ENTERIDLE 0x0121
#define WM_CTLCOLORMSGBOX 0x0132
#define WM_CTLCOLOREDIT 0x0133
#define WM_CTLCOLORLISTBOX 0x0134
#define WM_CTLCOLORBTN 0x0135
#define WM_CTLCOLORDLG 0x0136
#define WM_CTLCOLORSCROLLBAR 0x0137
#define WM_CTLCOLORSTATIC 0x0138
#define WM_MOUSEFIRST 0x0200
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_MBUTTONDBLCLK 0x0209
#define WM_MOUSEWHEEL 0x020A
#define WM_MOUSELAST 0x020A
#define WM_PARENTNOTIFY 0x0210
#define WM_ENTERMENULOOP 0x0211
#define WM_EXITMENULOOP 0x0212
#define WM_CAPTURECHANGED 0x0215
#define WM_MOVING 0x0216
#define WM_ENTERSIZEMOVE 0x0231
#define WM_EXITSIZEMOVE 0x0232
#define WM_DROPFILES 0x0233
#define WM_CUT 0x0300
#define WM_COPY 0x0301
#define WM_PASTE 0x0302
#define WM_CLEAR 0x0303
#define WM_UNDO 0x0304
#define WM_RENDERFORMAT 0x0305
#define WM_RENDERALLFORMATS 0x0306
#define WM_DESTROYCLIPBOARD 0x0307
#define WM_DRAWCLIPBOARD 0x0308
#define WM_PAINTCLIPBOARD 0x0309
#define WM_CHANGECBCHAIN 0x030D
#define WM_QUERYNEWPALETTE 0x030F
#define WM_PALETTEISCHANGING 0x0310
#define WM_PALETTECHANGED 0x0311
#define WM_HOTKEY 0x0312
#define WM_PRINT 0x0317
#define WM_PRINTCLIENT 0x0318
#define WM_APP 0x8000
#define WM_USER 0x0400

// Dialog manager messages
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
#define DC_HASDEFID 0x534B

// WM_GETDLGCODE results
#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_WANTMESSAGE 0x0004
#define DLGC_HASSETSEL 0x0008
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000

// WM_ACTIVATE states
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2

// WM_SIZE types
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2
#define SIZE_MAXSHOW 3
#define SIZE_MAXHIDE 4

// WM_MOUSEACTIVATE results
#define MA_ACTIVATE 1
#define MA_ACTIVATEANDEAT 2
#define MA_NOACTIVATE 3
#define MA_NOACTIVATEANDEAT 4

// WM_NCHITTEST results
#define HTERROR (-2)
#define HTTRANSPARENT (-1)
#define HTNOWHERE 0
#define HTCLIENT 1
#define HTCAPTION 2
#define HTSYSMENU 3
#define HTGROWBOX 4
#define HTSIZE HTGROWBOX
#define HTMENU 5
#define HTHSCROLL 6
#define HTVSCROLL 7
#define HTMINBUTTON 8
#define HTMAXBUTTON 9
#define HTLEFT 10
#define HTRIGHT 11
#define HTTOP 12
#define HTTOPLEFT 13
#define HTTOPRIGHT 14
#define HTBOTTOM 15
#define HTBOTTOMLEFT 16
#define HTBOTTOMRIGHT 17
#define HTBORDER 18
#define HTCLOSE 20
#define HTHELP 21

// Mouse key state flags in wParam of mouse messages
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

// WM_SYSCOMMAND
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_CLOSE 0xF060
#define SC_RESTORE 0xF120
#define SC_CONTEXTHELP 0xF180

// Scroll bar codes
#define SB_HORZ 0
#define SB_VERT 1
#define SB_CTL 2
#define SB_BOTH 3
#define SB_LINEUP 0
#define SB_LINELEFT 0
#define SB_LINEDOWN 1
#define SB_LINERIGHT 1
#define SB_PAGEUP 2
#define SB_PAGELEFT 2
#define SB_PAGEDOWN 3
#define SB_PAGERIGHT 3
#define SB_THUMBPOSITION 4
#define SB_THUMBTRACK 5
#define SB_TOP 6
#define SB_LEFT 6
#define SB_BOTTOM 7
#define SB_RIGHT 7
#define SB_ENDSCROLL 8

// Scroll bar information
#define SIF_RANGE 0x0001
#define SIF_PAGE 0x0002
#define SIF_POS 0x0004
#define SIF_DISABLENOSCROLL 0x0008
#define SIF_TRACKPOS 0x0010
#define SIF_ALL (SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS)
#define ESB_ENABLE_BOTH 0x0000
#define ESB_DISABLE_BOTH 0x0003
#define ESB_DISABLE_LEFT 0x0001
#define ESB_DISABLE_RIGHT 0x0002
#define ESB_DISABLE_UP 0x0001
#define ESB_DISABLE_DOWN 0x0002

// ---------------------------------------------------------------------------
// ShowWindow commands
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9
#define SW_SHOWDEFAULT 10

// SetWindowPos flags and z-order handles
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080
#define SWP_NOCOPYBITS 0x0100
#define SWP_NOOWNERZORDER 0x0200
#define SWP_NOSENDCHANGING 0x0400
#define SWP_DRAWFRAME SWP_FRAMECHANGED
#define SWP_NOREPOSITION SWP_NOOWNERZORDER
#define HWND_TOP ((HWND)0)
#define HWND_BOTTOM ((HWND)1)
#define HWND_TOPMOST ((HWND)-1)
#define HWND_NOTOPMOST ((HWND)-2)
#define HWND_DESKTOP ((HWND)0)
#define HWND_BROADCAST ((HWND)0xffff)

// GetWindowLong offsets
#define GWL_WNDPROC (-4)
#define GWL_HINSTANCE (-6)
#define GWL_HWNDPARENT (-8)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define GWL_ID (-12)
#define GWLP_WNDPROC (-4)
#define GWLP_HINSTANCE (-6)
#define GWLP_HWNDPARENT (-8)
#define GWLP_USERDATA (-21)
#define GWLP_ID (-12)
// Dialog window offsets: the message result, the dialog procedure and a
// free user value, each pointer-sized.
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC (DWLP_MSGRESULT + (int)sizeof(LRESULT))
#define DWLP_USER (DWLP_DLGPROC + (int)sizeof(DLGPROC))
#define DWL_MSGRESULT DWLP_MSGRESULT
#define DWL_DLGPROC DWLP_DLGPROC
#define DWL_USER DWLP_USER
// Extra window bytes a dialog class reserves for the three values above.
#define DLGWINDOWEXTRA 30

// GetClassLong offsets
#define GCL_MENUNAME (-8)
#define GCL_HBRBACKGROUND (-10)
#define GCL_HCURSOR (-12)
#define GCL_HICON (-14)
#define GCL_HMODULE (-16)
#define GCL_CBWNDEXTRA (-18)
#define GCL_CBCLSEXTRA (-20)
#define GCL_WNDPROC (-24)
#define GCL_STYLE (-26)
#define GCW_ATOM (-32)
#define GCL_HICONSM (-34)
#define GCLP_MENUNAME GCL_MENUNAME
#define GCLP_HBRBACKGROUND GCL_HBRBACKGROUND
#define GCLP_HCURSOR GCL_HCURSOR
#define GCLP_HICON GCL_HICON
#define GCLP_HMODULE GCL_HMODULE
#define GCLP_WNDPROC GCL_WNDPROC
#define GCLP_HICONSM GCL_HICONSM

// GetWindow relations
#define GW_HWNDFIRST 0
#define GW_HWNDLAST 1
#define GW_HWNDNEXT 2
#define GW_HWNDPREV 3
#define GW_OWNER 4
#define GW_CHILD 5
#define GW_ENABLEDPOPUP 6

// GetAncestor
#define GA_PARENT 1
#define GA_ROOT 2
#define GA_ROOTOWNER 3

// ChildWindowFromPointEx
#define CWP_ALL 0x0000
#define CWP_SKIPINVISIBLE 0x0001
#define CWP_SKIPDISABLED 0x0002
#define CWP_SKIPTRANSPARENT 0x0004

// CreateWindow default position and size
#define CW_USEDEFAULT ((int)0x80000000)

// PeekMessage options
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define PM_NOYIELD 0x0002

// RedrawWindow flags
#define RDW_INVALIDATE 0x0001
#define RDW_INTERNALPAINT 0x0002
#define RDW_ERASE 0x0004
#define RDW_VALIDATE 0x0008
#define RDW_NOINTERNALPAINT 0x0010
#define RDW_NOERASE 0x0020
#define RDW_NOCHILDREN 0x0040
#define RDW_ALLCHILDREN 0x0080
#define RDW_UPDATENOW 0x0100
#define RDW_ERASENOW 0x0200
#define RDW_FRAME 0x0400
#define RDW_NOFRAME 0x0800

// PrintWindow
#define PW_CLIENTONLY 0x00000001

// WM_PRINT flags
#define PRF_CHECKVISIBLE 0x00000001L
#define PRF_NONCLIENT 0x00000002L
#define PRF_CLIENT 0x00000004L
#define PRF_ERASEBKGND 0x00000008L
#define PRF_CHILDREN 0x00000010L
#define PRF_OWNED 0x00000020L

// ---------------------------------------------------------------------------
// Virtual keys
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_CANCEL 0x03
#define VK_MBUTTON 0x04
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_CLEAR 0x0C
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_SELECT 0x29
#define VK_PRINT 0x2A
#define VK_EXECUTE 0x2B
#define VK_SNAPSHOT 0x2C
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_HELP 0x2F
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_APPS 0x5D
#define VK_NUMPAD0 0x60
#define VK_NUMPAD1 0x61
#define VK_NUMPAD2 0x62
#define VK_NUMPAD3 0x63
#define VK_NUMPAD4 0x64
#define VK_NUMPAD5 0x65
#define VK_NUMPAD6 0x66
#define VK_NUMPAD7 0x67
#define VK_NUMPAD8 0x68
#define VK_NUMPAD9 0x69
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SEPARATOR 0x6C
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5

// ---------------------------------------------------------------------------
// Message boxes
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_USERICON 0x00000080L
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONSTOP MB_ICONHAND
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_DEFBUTTON4 0x00000300L
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_HELP 0x00004000L
#define MB_NOFOCUS 0x00008000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_DEFAULT_DESKTOP_ONLY 0x00020000L
#define MB_TOPMOST 0x00040000L
#define MB_RIGHT 0x00080000L
#define MB_RTLREADING 0x00100000L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONMASK 0x000000F0L
#define MB_DEFMASK 0x00000F00L
#define MB_MODEMASK 0x00003000L
#define MB_MISCMASK 0x0000C000L


// Dialog box command ids
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9

// ---------------------------------------------------------------------------
// Standard cursors and icons (resource ids of the platform)
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_IBEAM MAKEINTRESOURCEA(32513)
#define IDC_WAIT MAKEINTRESOURCEA(32514)
#define IDC_CROSS MAKEINTRESOURCEA(32515)
#define IDC_UPARROW MAKEINTRESOURCEA(32516)
#define IDC_SIZE MAKEINTRESOURCEA(32640)
#define IDC_ICON MAKEINTRESOURCEA(32641)
#define IDC_SIZENWSE MAKEINTRESOURCEA(32642)
#define IDC_SIZENESW MAKEINTRESOURCEA(32643)
#define IDC_SIZEWE MAKEINTRESOURCEA(32644)
#define IDC_SIZENS MAKEINTRESOURCEA(32645)
#define IDC_SIZEALL MAKEINTRESOURCEA(32646)
#define IDC_NO MAKEINTRESOURCEA(32648)
#define IDC_HAND MAKEINTRESOURCEA(32649)
#define IDC_APPSTARTING MAKEINTRESOURCEA(32650)
#define IDC_HELP MAKEINTRESOURCEA(32651)

#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
#define IDI_HAND MAKEINTRESOURCEA(32513)
#define IDI_QUESTION MAKEINTRESOURCEA(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCEA(32515)
#define IDI_ASTERISK MAKEINTRESOURCEA(32516)
#define IDI_WINLOGO MAKEINTRESOURCEA(32517)
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_ERROR IDI_HAND
#define IDI_INFORMATION IDI_ASTERISK

// LoadImage/CopyImage types (the icon and cursor ones; bitmaps are GDI's)
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2

// ---------------------------------------------------------------------------
// WinHelp commands
#define HELP_CONTEXT 0x0001L
#define HELP_QUIT 0x0002L
#define HELP_INDEX 0x0003L
#define HELP_CONTENTS 0x0003L
#define HELP_HELPONHELP 0x0004L
#define HELP_SETINDEX 0x0005L
#define HELP_SETCONTENTS 0x0005L
#define HELP_CONTEXTPOPUP 0x0008L
#define HELP_FORCEFILE 0x0009L
#define HELP_KEY 0x0101L
#define HELP_COMMAND 0x0102L
#define HELP_PARTIALKEY 0x0105L
#define HELP_MULTIKEY 0x0201L
#define HELP_SETWINPOS 0x0203L
#define HELP_CONTEXTMENU 0x000a
#define HELP_FINDER 0x000b
#define HELP_WM_HELP 0x000c
#define HELP_SETPOPUP_POS 0x000d

// ---------------------------------------------------------------------------
// Clipboard formats
#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_METAFILEPICT 3
#define CF_SYLK 4
#define CF_DIF 5
#define CF_TIFF 6
#define CF_OEMTEXT 7
#define CF_DIB 8
#define CF_PALETTE 9
#define CF_RIFF 11
#define CF_WAVE 12
#define CF_UNICODETEXT 13
#define CF_HDROP 15
#define CF_LOCALE 16

// ---------------------------------------------------------------------------
// System metrics
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXDLGFRAME 7
#define SM_CYDLGFRAME 8
#define SM_CYVTHUMB 9
#define SM_CXHTHUMB 10
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXCURSOR 13
#define SM_CYCURSOR 14
#define SM_CYMENU 15
#define SM_CXFULLSCREEN 16
#define SM_CYFULLSCREEN 17
#define SM_CYKANJIWINDOW 18
#define SM_MOUSEPRESENT 19
#define SM_CYVSCROLL 20
#define SM_CXHSCROLL 21
#define SM_DEBUG 22
#define SM_SWAPBUTTON 23
#define SM_CXMIN 28
#define SM_CYMIN 29
#define SM_CXSIZE 30
#define SM_CYSIZE 31
#define SM_CXFRAME 32
#define SM_CYFRAME 33
#define SM_CXMINTRACK 34
#define SM_CYMINTRACK 35
#define SM_CXDOUBLECLK 36
#define SM_CYDOUBLECLK 37
#define SM_CXICONSPACING 38
#define SM_CYICONSPACING 39
#define SM_CXFIXEDFRAME SM_CXDLGFRAME
#define SM_CYFIXEDFRAME SM_CYDLGFRAME
#define SM_CXSIZEFRAME SM_CXFRAME
#define SM_CYSIZEFRAME SM_CYFRAME
#define SM_CXEDGE 45
#define SM_CYEDGE 46
#define SM_CXSMICON 49
#define SM_CYSMICON 50
#define SM_CYSMCAPTION 51
#define SM_CXMAXIMIZED 61
#define SM_CYMAXIMIZED 62
#define SM_CXDRAG 68
#define SM_CYDRAG 69
#define SM_CMOUSEBUTTONS 43
#define SM_CXMENUCHECK 71
#define SM_CYMENUCHECK 72

// ---------------------------------------------------------------------------
// Structures

typedef struct tagMSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
} MSG, *PMSG, *LPMSG;

typedef struct tagWNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
} WNDCLASSA, *PWNDCLASSA, *LPWNDCLASSA, WNDCLASS, *LPWNDCLASS;

typedef struct tagWNDCLASSEXA {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
  HICON hIconSm;
} WNDCLASSEXA, *PWNDCLASSEXA, *LPWNDCLASSEXA, WNDCLASSEX, *LPWNDCLASSEX;

typedef struct tagCREATESTRUCTA {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
} CREATESTRUCTA, *LPCREATESTRUCTA, CREATESTRUCT, *LPCREATESTRUCT;

typedef struct tagWINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
} WINDOWPOS, *LPWINDOWPOS, *PWINDOWPOS;

typedef struct tagNCCALCSIZE_PARAMS {
  RECT rgrc[3];
  PWINDOWPOS lppos;
} NCCALCSIZE_PARAMS, *LPNCCALCSIZE_PARAMS;

typedef struct tagMINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
} MINMAXINFO, *PMINMAXINFO, *LPMINMAXINFO;

typedef struct tagSTYLESTRUCT {
  DWORD styleOld;
  DWORD styleNew;
} STYLESTRUCT, *LPSTYLESTRUCT;

typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT, *PPAINTSTRUCT, *LPPAINTSTRUCT;

// Owner-drawn controls (WM_DRAWITEM, WM_MEASUREITEM, ...)
#define ODT_MENU 1
#define ODT_LISTBOX 2
#define ODT_COMBOBOX 3
#define ODT_BUTTON 4
#define ODT_STATIC 5
#define ODA_DRAWENTIRE 0x0001
#define ODA_SELECT 0x0002
#define ODA_FOCUS 0x0004
#define ODS_SELECTED 0x0001
#define ODS_GRAYED 0x0002
#define ODS_DISABLED 0x0004
#define ODS_CHECKED 0x0008
#define ODS_FOCUS 0x0010
#define ODS_DEFAULT 0x0020
#define ODS_COMBOBOXEDIT 0x1000

typedef struct tagDRAWITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemAction;
  UINT itemState;
  HWND hwndItem;
  HDC hDC;
  RECT rcItem;
  ULONG_PTR itemData;
} DRAWITEMSTRUCT, *PDRAWITEMSTRUCT, *LPDRAWITEMSTRUCT;

typedef struct tagMEASUREITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemWidth;
  UINT itemHeight;
  ULONG_PTR itemData;
} MEASUREITEMSTRUCT, *PMEASUREITEMSTRUCT, *LPMEASUREITEMSTRUCT;

typedef struct tagDELETEITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  HWND hwndItem;
  ULONG_PTR itemData;
} DELETEITEMSTRUCT, *PDELETEITEMSTRUCT, *LPDELETEITEMSTRUCT;

typedef struct tagCOMPAREITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  HWND hwndItem;
  UINT itemID1;
  ULONG_PTR itemData1;
  UINT itemID2;
  ULONG_PTR itemData2;
  DWORD dwLocaleId;
} COMPAREITEMSTRUCT, *PCOMPAREITEMSTRUCT, *LPCOMPAREITEMSTRUCT;

// DrawIconEx flags
#define DI_MASK 0x0001
#define DI_IMAGE 0x0002
#define DI_NORMAL 0x0003
#define DI_COMPAT 0x0004
#define DI_DEFAULTSIZE 0x0008

typedef struct tagSCROLLINFO {
  UINT cbSize;
  UINT fMask;
  int nMin;
  int nMax;
  UINT nPage;
  int nPos;
  int nTrackPos;
} SCROLLINFO, *LPSCROLLINFO;
typedef const SCROLLINFO* LPCSCROLLINFO;

typedef struct tagHELPINFO {
  UINT cbSize;
  int iContextType;
  int iCtrlId;
  HANDLE hItemHandle;
  DWORD_PTR dwContextId;
  POINT MousePos;
} HELPINFO, *LPHELPINFO;
#define HELPINFO_WINDOW 0x0001
#define HELPINFO_MENUITEM 0x0002

// Dialog templates as stored in resources: a header followed by WORD
// aligned variable parts (menu, class, title, optional font), then the items,
// each DWORD aligned. The structures are packed to their stored sizes.
#pragma pack(push, 2)
typedef struct {
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
} DLGTEMPLATE, *LPDLGTEMPLATEA, *LPDLGTEMPLATE;
typedef const DLGTEMPLATE* LPCDLGTEMPLATEA;
typedef const DLGTEMPLATE* LPCDLGTEMPLATE;

typedef struct {
  DWORD style;
  DWORD dwExtendedStyle;
  short x;
  short y;
  short cx;
  short cy;
  WORD id;
} DLGITEMTEMPLATE, *PDLGITEMTEMPLATEA, *LPDLGITEMTEMPLATE;
#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(DLGTEMPLATE) == 18, "DLGTEMPLATE is 18 bytes");
static_assert(sizeof(DLGITEMTEMPLATE) == 18, "DLGITEMTEMPLATE is 18 bytes");
#endif

typedef BOOL (*WNDENUMPROC)(HWND, LPARAM);

// ---------------------------------------------------------------------------
// Functions

LV_BEGIN_DECLS

// --- Window classes ---
// Registers a window class; returns its atom or 0 (already registered for
// this instance, missing name or procedure, negative extra byte counts).
// Names compare case-insensitively; CS_GLOBALCLASS classes are found from any
// instance. (HBRUSH)(COLOR_x + 1) background values stand for system colours.
LVEXPORT ATOM RegisterClassA(const WNDCLASSA* wc);
LVEXPORT ATOM RegisterClassExA(const WNDCLASSEXA* wc);
// Removes a class no window uses any more; FALSE when unknown or in use.
LVEXPORT BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
// Copies a class's registration; FALSE when no such class is visible.
LVEXPORT BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, WNDCLASSA* wc);
LVEXPORT BOOL GetClassInfoExA(HINSTANCE instance, LPCSTR className, WNDCLASSEXA* wc);
// Class values by GCL_* index or the class extra bytes at offsets >= 0.
LVEXPORT DWORD GetClassLongA(HWND hwnd, int index);
LVEXPORT DWORD SetClassLongA(HWND hwnd, int index, LONG value);
LVEXPORT ULONG_PTR GetClassLongPtrA(HWND hwnd, int index);
LVEXPORT ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value);
// Copies the window's class name (terminated, truncated to size); length.
LVEXPORT int GetClassNameA(HWND hwnd, LPSTR name, int size);

// --- Windows ---
// Creates a window: WM_GETMINMAXINFO (overlapped), WM_NCCREATE,
// WM_NCCALCSIZE, WM_CREATE, WM_SIZE and WM_MOVE, then WM_SHOWWINDOW when
// WS_VISIBLE. Child windows take hMenu as their id. 0 on failure (unknown
// class, missing parent for WS_CHILD, WM_NCCREATE/WM_CREATE refused).
LVEXPORT HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                              int y, int width, int height, HWND parent, HMENU menu,
                              HINSTANCE instance, LPVOID param);
#define CreateWindowA(c, n, s, x, y, w, h, p, m, i, l) CreateWindowExA(0, c, n, s, x, y, w, h, p, m, i, l)
#define CreateWindow CreateWindowA
#define CreateWindowEx CreateWindowExA
// Destroys a window, its owned windows and its children: WM_DESTROY to the
// window then its children, WM_NCDESTROY to the children then the window.
// Safe inside the window's own messages.
LVEXPORT BOOL DestroyWindow(HWND hwnd);
LVEXPORT BOOL IsWindow(HWND hwnd);
// Window values by GWL_*/GWLP_*/DWLP_* index or the window extra bytes at
// offsets >= 0 (checked against cbWndExtra; 0 and no change when out of
// range). Set returns the previous value.
LVEXPORT LONG GetWindowLongA(HWND hwnd, int index);
LVEXPORT LONG SetWindowLongA(HWND hwnd, int index, LONG value);
LVEXPORT LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);
LVEXPORT LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
LVEXPORT WORD GetWindowWord(HWND hwnd, int index);
LVEXPORT WORD SetWindowWord(HWND hwnd, int index, WORD value);
// Window text through WM_SETTEXT / WM_GETTEXT / WM_GETTEXTLENGTH.
LVEXPORT BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
LVEXPORT int GetWindowTextA(HWND hwnd, LPSTR text, int size);
LVEXPORT int GetWindowTextLengthA(HWND hwnd);
// Shows or hides; returns whether the window was visible before.
LVEXPORT BOOL ShowWindow(HWND hwnd, int command);
// Enables or disables (WM_ENABLE); returns whether it was disabled before.
LVEXPORT BOOL EnableWindow(HWND hwnd, BOOL enable);
LVEXPORT BOOL IsWindowEnabled(HWND hwnd);
// Visible when it and all its ancestors have WS_VISIBLE.
LVEXPORT BOOL IsWindowVisible(HWND hwnd);
LVEXPORT BOOL IsIconic(HWND hwnd);
LVEXPORT BOOL IsZoomed(HWND hwnd);
// Position in parent client coordinates (screen for top-level windows).
LVEXPORT BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
LVEXPORT BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
LVEXPORT BOOL BringWindowToTop(HWND hwnd);
// Window rectangle in screen coordinates; client rectangle from (0,0).
LVEXPORT BOOL GetWindowRect(HWND hwnd, LPRECT rect);
LVEXPORT BOOL GetClientRect(HWND hwnd, LPRECT rect);
LVEXPORT BOOL ClientToScreen(HWND hwnd, LPPOINT point);
LVEXPORT BOOL ScreenToClient(HWND hwnd, LPPOINT point);
// Maps points between client coordinates of two windows (0 = screen).
// Returns the offset as MAKELONG(dx, dy).
LVEXPORT int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);
// The parent of a child window, the owner of a top-level window.
LVEXPORT HWND GetParent(HWND hwnd);
LVEXPORT HWND SetParent(HWND child, HWND newParent);
LVEXPORT HWND GetAncestor(HWND hwnd, UINT flags);
LVEXPORT HWND GetWindow(HWND hwnd, UINT relation);
LVEXPORT HWND GetTopWindow(HWND hwnd);
LVEXPORT HWND GetNextWindow(HWND hwnd, UINT relation);
// The desktop: a 1024x768 virtual screen.
LVEXPORT HWND GetDesktopWindow(void);
LVEXPORT int GetSystemMetrics(int index);
LVEXPORT int GetDlgCtrlID(HWND hwnd);
LVEXPORT BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param);
LVEXPORT BOOL EnumWindows(WNDENUMPROC proc, LPARAM param);
LVEXPORT BOOL IsChild(HWND parent, HWND hwnd);
// Top-level window by class and/or title (NULL matches any).
LVEXPORT HWND FindWindowA(LPCSTR className, LPCSTR windowName);
LVEXPORT HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName);
// The deepest visible window at a screen point.
LVEXPORT HWND WindowFromPoint(POINT point);
LVEXPORT HWND ChildWindowFromPoint(HWND parent, POINT point);
LVEXPORT HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags);
LVEXPORT BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu);
LVEXPORT BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);

// --- Rectangles ---
LVEXPORT BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
LVEXPORT BOOL SetRectEmpty(LPRECT rect);
LVEXPORT BOOL CopyRect(LPRECT dst, const RECT* src);
LVEXPORT BOOL InflateRect(LPRECT rect, int dx, int dy);
LVEXPORT BOOL OffsetRect(LPRECT rect, int dx, int dy);
LVEXPORT BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b);
LVEXPORT BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b);
LVEXPORT BOOL SubtractRect(LPRECT dst, const RECT* a, const RECT* b);
LVEXPORT BOOL IsRectEmpty(const RECT* rect);
LVEXPORT BOOL PtInRect(const RECT* rect, POINT point);
LVEXPORT BOOL EqualRect(const RECT* a, const RECT* b);

// --- Messages ---
// Calls the window procedure at once and returns its result.
LVEXPORT LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LVEXPORT BOOL SendNotifyMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Queues a message (hwnd 0: a thread message). FALSE for a bad window.
LVEXPORT BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LVEXPORT BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
// Takes the next message: posted ones first, then due timers, then WM_PAINT.
// When nothing is left the user agent is asked to act; without one (or when
// it has nothing more to do) the active window is closed and finally WM_QUIT
// is returned, so a message loop never waits forever. FALSE for WM_QUIT.
LVEXPORT BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax);
// As GetMessageA but never waits; FALSE when there is no message.
LVEXPORT BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove);
// Posts WM_CHAR for a WM_KEYDOWN of a key that produces a character.
LVEXPORT BOOL TranslateMessage(const MSG* msg);
// Calls the window procedure (or the TIMERPROC of a WM_TIMER with one).
LVEXPORT LRESULT DispatchMessageA(const MSG* msg);
LVEXPORT void PostQuitMessage(int exitCode);
// Returns at once when a message is waiting; otherwise lets the agent act.
LVEXPORT BOOL WaitMessage(void);
LVEXPORT LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The default handling of every message.
LVEXPORT LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LVEXPORT BOOL InSendMessage(void);
LVEXPORT DWORD GetMessagePos(void);
LVEXPORT LONG GetMessageTime(void);
LVEXPORT DWORD GetQueueStatus(UINT flags);
// A message number in 0xC000..0xFFFF unique to the name (case-insensitive).
LVEXPORT UINT RegisterWindowMessageA(LPCSTR name);

// --- Focus, activation, capture and input state ---
LVEXPORT HWND SetFocus(HWND hwnd);
LVEXPORT HWND GetFocus(void);
LVEXPORT HWND SetActiveWindow(HWND hwnd);
LVEXPORT HWND GetActiveWindow(void);
LVEXPORT BOOL SetForegroundWindow(HWND hwnd);
LVEXPORT HWND GetForegroundWindow(void);
LVEXPORT HWND SetCapture(HWND hwnd);
LVEXPORT BOOL ReleaseCapture(void);
LVEXPORT HWND GetCapture(void);
// Key state as the user agent's input left it: bit 15 down, bit 0 toggled.
LVEXPORT SHORT GetKeyState(int virtualKey);
LVEXPORT SHORT GetAsyncKeyState(int virtualKey);
LVEXPORT BOOL GetKeyboardState(BYTE* state);
LVEXPORT BOOL GetCursorPos(LPPOINT point);
LVEXPORT BOOL SetCursorPos(int x, int y);

// --- Timers ---
// Window timers (hwnd != 0) are identified by (hwnd, id); a repeated
// SetTimer replaces the interval. Without a window a new id is returned.
// Due timers come as WM_TIMER (or a TIMERPROC call) from the message loop.
LVEXPORT UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
LVEXPORT BOOL KillTimer(HWND hwnd, UINT_PTR id);

// --- Painting ---
LVEXPORT BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
LVEXPORT BOOL ValidateRect(HWND hwnd, const RECT* rect);
LVEXPORT BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
// Sends WM_PAINT at once when the window has something to repaint.
LVEXPORT BOOL UpdateWindow(HWND hwnd);
LVEXPORT BOOL RedrawWindow(HWND hwnd, const RECT* update, HRGN region, UINT flags);
// Starts painting: WM_ERASEBKGND when requested, the update area validated.
LVEXPORT HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint);
LVEXPORT BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
// A device context on the window's client area (GetWindowDC: whole window)
// in its top-level window's surface; release with ReleaseDC.
LVEXPORT HDC GetDC(HWND hwnd);
LVEXPORT HDC GetWindowDC(HWND hwnd);
LVEXPORT int ReleaseDC(HWND hwnd, HDC hdc);
LVEXPORT BOOL PrintWindow(HWND hwnd, HDC hdc, UINT flags);
LVEXPORT BOOL LockWindowUpdate(HWND hwnd);

// --- Dialogs ---
// Modal dialogs from a RT_DIALOG resource or an in-memory template. The
// owner is disabled while the dialog runs; the result is EndDialog's value,
// or -1 when the dialog could not be created.
LVEXPORT INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc,
                                 LPARAM param);
LVEXPORT INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate,
                                         HWND owner, DLGPROC proc, LPARAM param);
#define DialogBoxA(i, t, o, p) DialogBoxParamA(i, t, o, p, 0)
#define DialogBox DialogBoxA
#define DialogBoxParam DialogBoxParamA
#define DialogBoxIndirectA(i, t, o, p) DialogBoxIndirectParamA(i, t, o, p, 0)
#define DialogBoxIndirect DialogBoxIndirectA
// Modeless dialogs; 0 on failure.
LVEXPORT HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc,
                                 LPARAM param);
LVEXPORT HWND CreateDialogIndirectParamA(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate,
                                         HWND owner, DLGPROC proc, LPARAM param);
#define CreateDialogA(i, t, o, p) CreateDialogParamA(i, t, o, p, 0)
#define CreateDialog CreateDialogA
#define CreateDialogParam CreateDialogParamA
#define CreateDialogIndirectA(i, t, o, p) CreateDialogIndirectParamA(i, t, o, p, 0)
// Ends a modal dialog with a result (its loop returns it).
LVEXPORT BOOL EndDialog(HWND dialog, INT_PTR result);
// The dialog class's window procedure: calls the dialog procedure and
// handles what it leaves (DM_GETDEFID/SETDEFID, WM_NEXTDLGCTL, WM_CLOSE ...).
LVEXPORT LRESULT DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Dialog units of the dialog's font to pixels.
LVEXPORT BOOL MapDialogRect(HWND dialog, LPRECT rect);
// Base units of the system font: MAKELONG(x, y).
LVEXPORT LONG GetDialogBaseUnits(void);
// Keyboard navigation of a dialog: Tab, Enter, Escape, arrows in groups,
// mnemonics. TRUE when the message was for the dialog and has been handled.
LVEXPORT BOOL IsDialogMessageA(HWND dialog, LPMSG msg);
#define IsDialogMessage IsDialogMessageA
LVEXPORT HWND GetDlgItem(HWND dialog, int id);
LVEXPORT BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
LVEXPORT UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int size);
LVEXPORT BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
// Reads the control's text as a number: leading blanks allowed, then an
// optional '-' when signed, then digits, then nothing else. *translated
// receives FALSE (and the result is 0) when not a number or out of range.
LVEXPORT UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
LVEXPORT BOOL CheckDlgButton(HWND dialog, int id, UINT check);
LVEXPORT UINT IsDlgButtonChecked(HWND dialog, int id);
// Checks `check` and clears the other buttons with ids first..last.
LVEXPORT BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
LVEXPORT LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
// The next (or previous) visible, enabled WS_TABSTOP control, wrapping.
LVEXPORT HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The next (or previous) control in control's WS_GROUP group, wrapping.
LVEXPORT HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

// --- Message boxes, help, sounds ---
// Shows a modal message box (caption "Fehler" when NULL) and returns the
// chosen button id; the user agent answers, without one the default button.
LVEXPORT int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
LVEXPORT int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD language);
#define MessageBox MessageBoxA
LVEXPORT BOOL MessageBeep(UINT type);
// Records the help request (file as passed, command, data); TRUE.
LVEXPORT BOOL WinHelpA(HWND hwnd, LPCSTR helpFile, UINT command, ULONG_PTR data);
#define WinHelp WinHelpA

// --- Scroll bars of windows (WS_HSCROLL / WS_VSCROLL; SB_HORZ, SB_VERT) ---
// Positions are clamped to min .. max - page + 1. Set functions return the
// new (SetScrollInfo) or previous (SetScrollPos) position. Clicking a bar
// sends WM_HSCROLL/WM_VSCROLL with the SB_* code of the part hit.
LVEXPORT int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
LVEXPORT BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
LVEXPORT int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
LVEXPORT int GetScrollPos(HWND hwnd, int bar);
LVEXPORT BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw);
LVEXPORT BOOL GetScrollRange(HWND hwnd, int bar, LPINT min, LPINT max);
LVEXPORT BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
LVEXPORT BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
LVEXPORT BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip);

// --- Clipboard ---
// One opener at a time; SetClipboardData hands the global memory block to
// the clipboard, which frees it when emptied. Text is also kept in the
// platform prefix so other programs of the installation see it.
LVEXPORT BOOL OpenClipboard(HWND owner);
LVEXPORT BOOL CloseClipboard(void);
LVEXPORT BOOL EmptyClipboard(void);
LVEXPORT HANDLE SetClipboardData(UINT format, HANDLE data);
// The block of a format while the clipboard is open (still the clipboard's).
LVEXPORT HANDLE GetClipboardData(UINT format);
LVEXPORT BOOL IsClipboardFormatAvailable(UINT format);
LVEXPORT int CountClipboardFormats(void);
LVEXPORT UINT EnumClipboardFormats(UINT format);
LVEXPORT HWND GetClipboardOwner(void);
LVEXPORT UINT RegisterClipboardFormatA(LPCSTR name);
#define RegisterClipboardFormat RegisterClipboardFormatA

// --- Cursors and icons ---
// Standard cursors (instance 0, IDC_*) have fixed handles; others come from
// the module's RT_GROUP_CURSOR resources.
LVEXPORT HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
#define LoadCursor LoadCursorA
LVEXPORT HCURSOR SetCursor(HCURSOR cursor);
LVEXPORT HCURSOR GetCursor(void);
LVEXPORT BOOL DestroyCursor(HCURSOR cursor);
LVEXPORT int ShowCursor(BOOL show);
LVEXPORT HICON LoadIconA(HINSTANCE instance, LPCSTR name);
#define LoadIcon LoadIconA
LVEXPORT BOOL DestroyIcon(HICON icon);
// Draws an icon or cursor at (x, y): the image where its mask is clear, at
// its own size (DrawIcon) or scaled to cx x cy (0: own size).
LVEXPORT BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);
LVEXPORT BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flicker,
                         UINT flags);
// Image bytes of a cursor or icon loaded from resources (the stored image,
// a DIB with an AND mask); NULL for the standard ones.
LVEXPORT const BYTE* lvCursorImage(HCURSOR cursor, DWORD* size, POINT* hotspot);

LV_END_DECLS

#define SendMessage SendMessageA
#define SendDlgItemMessage SendDlgItemMessageA
#define SetDlgItemText SetDlgItemTextA
#define GetDlgItemText GetDlgItemTextA
#define SetWindowText SetWindowTextA
#define GetWindowText GetWindowTextA
#define GetWindowTextLength GetWindowTextLengthA
#define PostMessage PostMessageA
#define PeekMessage PeekMessageA
#define GetMessage GetMessageA
#define DispatchMessage DispatchMessageA
#define DefWindowProc DefWindowProcA
#define DefDlgProc DefDlgProcA
#define CallWindowProc CallWindowProcA
#define RegisterClass RegisterClassA
#define RegisterClassEx RegisterClassExA
#define UnregisterClass UnregisterClassA
#define GetClassInfo GetClassInfoA
#define GetClassInfoEx GetClassInfoExA
#define GetClassLong GetClassLongA
#define SetClassLong SetClassLongA
#define GetClassName GetClassNameA
#define GetWindowLong GetWindowLongA
#define SetWindowLong SetWindowLongA
#define GetWindowLongPtr GetWindowLongPtrA
#define SetWindowLongPtr SetWindowLongPtrA
#define FindWindow FindWindowA
#define FindWindowEx FindWindowExA
#define RegisterWindowMessage RegisterWindowMessageA
#define MessageBoxEx MessageBoxExA
#define PostThreadMessage PostThreadMessageA
#define SendNotifyMessage SendNotifyMessageA
