// Internal helpers of hostcommon shared between its source files.
#pragma once

#include <windows.h>

namespace hostcommon {

// This library's own module handle (its string table lives there).
HMODULE OwnModule();

// String numbers of the host's own table that are not error numbers.
constexpr LONG kDefaultCaptionId = 16000;
constexpr LONG kUnknownErrorId = 16001;

// Loads text `id` of the host's string table into buffer (size bytes,
// always terminated); returns its length, 0 when it is missing.
LONG LoadHostString(LONG id, LPSTR buffer, LONG size);

}  // namespace hostcommon
