// Failures reach the host through its error slot.
#include "errors.h"

#include <hostcommon.h>

#include "module.h"

namespace audioinfo {

void ReportError(const MioError& error) {
  // The slot carries the module's message text (from its string table) and
  // the message identifier, so the host can show the module's own words.
  char text[256] = "";
  LoadStringA(ModuleInstance(), static_cast<UINT>(error.message), text, sizeof text);
  c32SetDLLErrInfo(reinterpret_cast<LONG_PTR>(text), MIO_ERROR, error.message, MIO_UNIT,
                   error.category, error.detail);
}

}  // namespace audioinfo
