// The built-in formats, in the shape of a file-I/O module's exports.
#pragma once

#include "registry.h"

namespace tf {

// Fills a built-in format's information record (capabilities read and
// write, plus save options when hasOptions).
void SetFormatInfo(TFFORMATINFO* info, const char* shortName, const char* description, const char* extensions,
                   LONG dataTypes, bool hasOptions);

// Entries for BMP, PNG, JPEG and GIF, in the order of their format indices.
std::vector<FormatEntry> BuiltinFormats();

}  // namespace tf
