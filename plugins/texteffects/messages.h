// The module's registered window messages, made at attach from the key.
#pragma once

#include <windows.h>

namespace texfx {

// Registers "<key>-1", "<key>-2" and "<key>-3" and keeps their numbers.
void RegisterModuleMessages(const char* key);
// "<key>-1": a parameter control's edit text is not a number.
UINT NotNumberMessage();
// "<key>-2": RangeMessage, a value left its range.
UINT RangeMessage();
// "<key>-3": ValidateMessage, a page is asked to check its values.
UINT ValidateMessage();

}  // namespace texfx
