// The options dialogs of the conversions to indexed colours and to black
// and white.
#pragma once

#include "common.h"

namespace imgconvert {

// Shows the options dialog of the conversion to targetType (4, 8 or 64)
// over owner and edits *options in place. OK: TRUE. Cancel: FALSE with the
// error slot cleared. No dialog for that type, no options or invalid
// options: FALSE with error 3200 in the slot.
BOOL ShowOptionsDialog(HWND owner, LONG targetType, CVT32OPTIONS* options);

}  // namespace imgconvert
