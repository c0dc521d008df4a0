// Failures reach the host through its error slot.
#include "errors.h"

#include <hostcommon.h>

namespace audioinfo {

void ReportError(const MioError& error) {
  // The slot carries the message identifier in its third field; the host
  // reads the text from the module's string table by that identifier.
  c32SetDLLErrInfo(0, MIO_ERROR, error.message, MIO_UNIT, error.category, error.detail);
}

}  // namespace audioinfo
