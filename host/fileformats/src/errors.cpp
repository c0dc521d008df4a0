// Error reports of the dispatcher into the host's error slot.
#include "errors.h"

#include <fileformats.h>
#include <hostcommon.h>

namespace tf {

void Report(LONG error, LONG operation, LONG detail) {
  c32SetDLLErrInfo(0, error, 0, TF_UNIT, operation, detail);
}

void ReportIfClear(LONG error, LONG operation, LONG detail) {
  if (PendingError() == 0) Report(error, operation, detail);
}

LONG PendingError() { return lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr); }

void ClearError() { c32ResetDLLErrInfo(); }

}  // namespace tf
