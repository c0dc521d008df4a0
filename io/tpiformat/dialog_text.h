// Texts of the properties dialog, built from the file-data record and the
// intl settings of the Windows profile.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tpi {

// The path in lower case, shortened to 30 characters: the first three
// characters, "...\", the folder part with its leading folders removed until
// the result fits, and the file name. When the file name alone is too long
// the result keeps the whole file name after "...\".
std::string ShortenPath(const std::string& path);

// The number grouped by threes from the right with `separator` between the
// groups (every group after the first padded to three digits).
std::string GroupThousands(uint64_t value, const std::string& separator);

// "%s Bytes" up to 101,376 bytes, else "%s KB" with (bytes + 512) / 1024,
// the number grouped by GroupThousands; patterns from the string table.
std::string SizeText(uint64_t bytes, const std::string& separator, const std::string& bytesPattern,
                     const std::string& kbPattern);

// The resolution (ten-thousandths of a pixel per inch) in pixels per inch,
// or per centimetre when `metric`, as an unsigned 16-bit value.
WORD ResolutionValue(DWORD resolution, bool metric);

}  // namespace tpi
