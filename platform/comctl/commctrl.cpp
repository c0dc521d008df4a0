// Initialisation entry points of the common controls and the up-down
// creation helper.
#include <commctrl.h>

void InitCommonControls(void) {}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
  if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  return TRUE;
}

HWND CreateUpDownControl(DWORD dwStyle, int x, int y, int cx, int cy, HWND hParent, int nID, HINSTANCE hInst,
                         HWND hBuddy, int nUpper, int nLower, int nPos) {
  HWND updown = CreateWindowExA(0, UPDOWN_CLASSA, nullptr, dwStyle, x, y, cx, cy, hParent,
                                static_cast<HMENU>(nID), hInst, nullptr);
  if (!updown) return 0;
  SendMessageA(updown, UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper);
  if (hBuddy) SendMessageA(updown, UDM_SETBUDDY, static_cast<WPARAM>(hBuddy), 0);
  SendMessageA(updown, UDM_SETPOS32, 0, nPos);
  return updown;
}
