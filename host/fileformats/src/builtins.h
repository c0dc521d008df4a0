// The built-in formats, in the shape of a file-I/O module's exports.
#pragma once

#include "registry.h"

namespace tf {

// Entries for BMP, PNG, JPEG and GIF, in the order of their format indices.
std::vector<FormatEntry> BuiltinFormats();

}  // namespace tf
