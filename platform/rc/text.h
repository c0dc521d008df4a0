// Text conversions of the resource compiler: scripts are UTF-8, resources
// hold UTF-16, and narrow data strings are Windows-1252.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lvrc {

// Decodes UTF-8 into code points; nullopt when the bytes are not valid UTF-8
// (overlong forms, surrogates and values above U+10FFFF are rejected).
std::optional<std::u32string> DecodeUtf8(std::string_view utf8);

// Appends the UTF-16 form of a code point (surrogate pairs above U+FFFF).
void AppendUtf16(std::u16string& out, char32_t cp);

// The Unicode code point of a Windows-1252 byte.
char32_t CodePointOfCp1252(uint8_t byte);

// The Windows-1252 byte of a code point, or nullopt when it has none.
std::optional<uint8_t> Cp1252OfCodePoint(char32_t cp);

// Upper-cases ASCII letters (resource names and types are compared so).
std::string UpperAscii(std::string_view s);

}  // namespace lvrc
