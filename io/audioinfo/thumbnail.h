// Thumbnails: the file's own picture or the format's built-in picture.
#pragma once

#include <windows.h>

#include "errors.h"

namespace audioinfo {

// The thumbnail of the file of format `index` (0..3) as a packed bitmap in
// new movable memory owned by the caller; 0 with *error set when the
// built-in picture is missing or memory runs out.
HGLOBAL MakeThumbnail(LONG index, LPCSTR fileName, MioError* error);

}  // namespace audioinfo
