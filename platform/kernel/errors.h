// The platform's last-error code and its mapping from the C library's errno.
#pragma once

#include <win/kernel.h>

namespace lv {

// The Win32 error code for an errno value of a failed file operation.
DWORD ErrorFromErrno(int error);
// Sets the last error from errno and returns FALSE, for one-line failures.
BOOL FailWithErrno();
// Sets the last error and returns FALSE.
BOOL Fail(DWORD error);

}  // namespace lv
