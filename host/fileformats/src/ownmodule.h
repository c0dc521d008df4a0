// The dispatcher's own library, whose resources hold its dialogs and texts.
#pragma once

#include <windows.h>

namespace tf {

// The module handle of the library this code is linked into (for its
// dialogs and strings); 0 when the platform cannot tell.
HMODULE OwnModule();

}  // namespace tf
