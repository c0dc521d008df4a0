// The host's colour picker: the system colour dialog with the host's own
// custom colours, kept for the life of the process.
#include <hostcommon.h>

#include <commdlg.h>

namespace {
COLORREF g_customColours[16] = {};
}  // namespace

LONG t32ChooseColorEx(HWND owner, COLORREF* colour, DWORD flags, LONG /*reserved*/) {
  if (!colour) return 0;
  CHOOSECOLORA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.rgbResult = *colour;
  choose.lpCustColors = g_customColours;
  // Only the flags that need no hook or template are passed on.
  choose.Flags = CC_RGBINIT | (flags & (CC_FULLOPEN | CC_PREVENTFULLOPEN | CC_SOLIDCOLOR | CC_ANYCOLOR));
  if (!ChooseColorA(&choose)) return 0;
  *colour = choose.rgbResult;
  return 1;
}
