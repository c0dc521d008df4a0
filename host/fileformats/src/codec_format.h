// The built-in PNG, JPEG and GIF formats: the host's codecs wrapped into the
// file-I/O module entry types.
#pragma once

#include "registry.h"

namespace tf {

// Entries for PNG, JPEG and GIF.
FormatEntry PngEntry();
FormatEntry JpegEntry();
FormatEntry GifEntry();

}  // namespace tf
