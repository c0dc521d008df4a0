// Conversion between the scripts' UTF-8 and the controls' ANSI text
// (Windows-1252).
#pragma once

#include <string>

namespace lv::scripttext {

// UTF-8 to Windows-1252; characters the code page lacks become '?'.
std::string Utf8ToAnsi(const std::string& utf8);
// Windows-1252 to UTF-8.
std::string AnsiToUtf8(const std::string& ansi);

}  // namespace lv::scripttext
