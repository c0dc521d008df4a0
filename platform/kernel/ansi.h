// Character facts of the ANSI code page (Windows-1252) shared by the string,
// code-page, path and profile functions.
#pragma once

#include <win/types.h>

#include <string>
#include <string_view>

namespace lv {

// The Unicode character of an ANSI byte.
char16_t AnsiToUnicode(unsigned char c);
// The ANSI byte of a Unicode character, or -1 when 1252 has none.
int UnicodeToAnsi(char32_t c);

unsigned char AnsiUpper(unsigned char c);
unsigned char AnsiLower(unsigned char c);
bool AnsiIsAlpha(unsigned char c);
bool AnsiIsUpper(unsigned char c);
bool AnsiIsLower(unsigned char c);

// Case-insensitive equality of two ANSI strings.
bool AnsiEqualNoCase(std::string_view a, std::string_view b);

// Decodes one UTF-8 sequence at s[i], advancing i; returns -1 for an invalid
// sequence (i then moves past one byte).
long DecodeUtf8(std::string_view s, size_t& i);
// Appends the UTF-8 form of a Unicode character.
void AppendUtf8(std::string& out, char32_t c);

}  // namespace lv
