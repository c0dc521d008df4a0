// Conversions between the platform's ANSI code page (Windows-1252), UTF-8
// (terminal, file names on disk, source files) and UTF-16 (resources).
#pragma once

#include <win/types.h>

#include <string>
#include <string_view>

namespace lv {

// Windows-1252 text as UTF-8 (every byte has a character; the five bytes
// the code page leaves undefined become the control characters U+0081 etc.).
LVEXPORT std::string AnsiToUtf8(std::string_view ansi);
// UTF-8 text as Windows-1252; characters it cannot show and invalid UTF-8
// sequences become '?'.
LVEXPORT std::string Utf8ToAnsi(std::string_view utf8);
// Windows-1252 text as UTF-16 and back ('?' for what 1252 cannot show).
LVEXPORT std::u16string AnsiToUtf16(std::string_view ansi);
LVEXPORT std::string Utf16ToAnsi(std::u16string_view utf16);

}  // namespace lv
