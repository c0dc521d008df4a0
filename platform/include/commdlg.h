// The common dialogs of the Win32 subset: the colour dialog.
#pragma once

#include <windows.h>

typedef struct tagCHOOSECOLORA {
  DWORD lStructSize;        // sizeof(CHOOSECOLORA)
  HWND hwndOwner;           // owner of the dialog, or 0
  HWND hInstance;           // module of the template (CC_ENABLETEMPLATE) or its memory (CC_ENABLETEMPLATEHANDLE)
  COLORREF rgbResult;       // start colour with CC_RGBINIT; the chosen colour after OK
  COLORREF* lpCustColors;   // 16 custom colours, read at start and written back after OK
  DWORD Flags;              // CC_*
  LPARAM lCustData;         // passed to the hook with WM_INITDIALOG (inside the structure)
  LPCCHOOKPROC lpfnHook;    // hook procedure with CC_ENABLEHOOK
  LPCSTR lpTemplateName;    // template name with CC_ENABLETEMPLATE
} CHOOSECOLORA, *LPCHOOSECOLORA;
typedef CHOOSECOLORA CHOOSECOLOR;
typedef LPCHOOSECOLORA LPCHOOSECOLOR;

#define CC_RGBINIT 0x00000001
#define CC_FULLOPEN 0x00000002
#define CC_PREVENTFULLOPEN 0x00000004
#define CC_SHOWHELP 0x00000008
#define CC_ENABLEHOOK 0x00000010
#define CC_ENABLETEMPLATE 0x00000020
#define CC_ENABLETEMPLATEHANDLE 0x00000040
#define CC_SOLIDCOLOR 0x00000080
#define CC_ANYCOLOR 0x00000100

// Extended errors (CommDlgExtendedError).
#define CDERR_DIALOGFAILURE 0xFFFF
#define CDERR_GENERALCODES 0x0000
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_NOTEMPLATE 0x0003
#define CDERR_NOHINSTANCE 0x0004
#define CDERR_LOADSTRFAILURE 0x0005
#define CDERR_FINDRESFAILURE 0x0006
#define CDERR_LOADRESFAILURE 0x0007
#define CDERR_LOCKRESFAILURE 0x0008
#define CDERR_MEMALLOCFAILURE 0x0009
#define CDERR_MEMLOCKFAILURE 0x000A
#define CDERR_NOHOOK 0x000B
#define CDERR_REGISTERMSGFAIL 0x000C

// Names of the registered messages common dialogs exchange with hooks and owners.
#define LBSELCHSTRINGA "commdlg_LBSelChangedNotify"
#define SHAREVISTRINGA "commdlg_ShareViolation"
#define FILEOKSTRINGA "commdlg_FileNameOK"
#define COLOROKSTRINGA "commdlg_ColorOK"
#define SETRGBSTRINGA "commdlg_SetRGBColor"
#define HELPMSGSTRINGA "commdlg_help"
#define FINDMSGSTRINGA "commdlg_FindReplace"
#define LBSELCHSTRING LBSELCHSTRINGA
#define SHAREVISTRING SHAREVISTRINGA
#define FILEOKSTRING FILEOKSTRINGA
#define COLOROKSTRING COLOROKSTRINGA
#define SETRGBSTRING SETRGBSTRINGA
#define HELPMSGSTRING HELPMSGSTRINGA
#define FINDMSGSTRING FINDMSGSTRINGA

LV_BEGIN_DECLS
// Shows the modal colour dialog described by *lpcc. Returns TRUE after OK
// (rgbResult holds the colour, lpCustColors the custom colours); FALSE after
// Cancel (CommDlgExtendedError() is then 0) or on failure (CommDlgExtendedError()
// names it: CDERR_STRUCTSIZE, CDERR_INITIALIZATION, CDERR_NOHOOK, ...).
LVEXPORT BOOL ChooseColorA(LPCHOOSECOLORA lpcc);
// The error of the last common dialog call of this thread, 0 when none.
LVEXPORT DWORD CommDlgExtendedError(void);
LV_END_DECLS
#define ChooseColor ChooseColorA
