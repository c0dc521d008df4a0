// Error reports of the dispatcher into the host's error slot.
#pragma once

#include <windows.h>

namespace tf {

// Host error numbers the dispatcher reports (texts in the host's table).
enum HostError : LONG {
  kErrMemory = 1001,
  kErrCannotServe = 3200,
  kErrOpen = 4004,
  kErrNotImage = 4005,
  kErrWrite = 4008,
  kErrRead = 4020,
  kErrMissing = 4027,
  kErrCancelled = 5200,
};

// Puts (error, unit TF_UNIT, operation, detail) into the host's error slot.
void Report(LONG error, LONG operation, LONG detail);
// Reports only when the slot is empty (a format handler may have put a more
// precise error there already).
void ReportIfClear(LONG error, LONG operation, LONG detail);
// The pending error number, 0 when the slot is clear.
LONG PendingError();
void ClearError();

}  // namespace tf
