// Dialog set-up shared by the modules' dialogs.
#include <hostcommon.h>
#include <misclib.h>

BOOL misDialogSetup(HWND dialog, LONG mode) {
  if (mode != 1 || !IsWindow(dialog)) return FALSE;
  HWND owner = GetParent(dialog);
  return t32MoveWindow(dialog, owner ? owner : static_cast<HWND>(-1), 1);
}
