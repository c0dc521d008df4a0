// Conversions between Windows-1252, UTF-8 and UTF-16.
#include <lvtext.h>
#include <win/kernel.h>

#include <string>
#include <string_view>

#include "ansi.h"

namespace lv {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsAnsiCodePage(UINT codePage) { return codePage == CP_ACP || codePage == 1252; }

// Multi-byte text to UTF-16; false for invalid UTF-8 when `strict`.
bool DecodeToUtf16(UINT codePage, std::string_view src, bool strict, std::u16string& out) {
  if (IsAnsiCodePage(codePage)) {
    for (char c : src) out += AnsiToUnicode(static_cast<unsigned char>(c));
    return true;
  }
  for (size_t i = 0; i < src.size();) {
    long c = DecodeUtf8(src, i);
    if (c < 0) {
      if (strict) return false;
      out += kReplacement;
    } else if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return true;
}

// The next Unicode character of UTF-16 text; lone surrogates give U+FFFD.
char32_t NextUtf16(std::u16string_view s, size_t& i) {
  char16_t unit = s[i++];
  if (unit >= 0xD800 && unit <= 0xDBFF && i < s.size() && s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
    char32_t low = s[i++];
    return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
  }
  if (unit >= 0xD800 && unit <= 0xDFFF) return kReplacement;
  return unit;
}

// UTF-16 text to ANSI with `fallback` for what 1252 cannot show.
std::string EncodeAnsi(std::u16string_view src, char fallback, bool* usedFallback) {
  std::string out;
  for (size_t i = 0; i < src.size();) {
    int c = UnicodeToAnsi(NextUtf16(src, i));
    if (c < 0) {
      out += fallback;
      if (usedFallback) *usedFallback = true;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string EncodeUtf8(std::u16string_view src) {
  std::string out;
  for (size_t i = 0; i < src.size();) AppendUtf8(out, NextUtf16(src, i));
  return out;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  for (char c : ansi) AppendUtf8(out, AnsiToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    long c = DecodeUtf8(utf8, i);
    int ansi = c < 0 ? -1 : UnicodeToAnsi(static_cast<char32_t>(c));
    out += ansi < 0 ? '?' : static_cast<char>(ansi);
  }
  return out;
}

std::u16string AnsiToUtf16(std::string_view ansi) {
  std::u16string out;
  DecodeToUtf16(CP_ACP, ansi, false, out);
  return out;
}

std::string Utf16ToAnsi(std::u16string_view utf16) { return EncodeAnsi(utf16, '?', nullptr); }

}  // namespace lv

namespace {

bool SupportedCodePage(UINT codePage) {
  return codePage == CP_ACP || codePage == 1252 || codePage == CP_UTF8;
}

size_t WideLength(LPCWSTR s) {
  size_t n = 0;
  while (s[n]) ++n;
  return n;
}

}  // namespace

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcLength, LPWSTR dst,
                               int dstLength) {
  if (!SupportedCodePage(codePage) || !src || srcLength < -1 || srcLength == 0 || dstLength < 0 ||
      (dstLength > 0 && !dst)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t length = srcLength == -1 ? strlen(src) + 1 : static_cast<size_t>(srcLength);
  std::u16string wide;
  if (!lv::DecodeToUtf16(codePage, std::string_view(src, length),
                         (flags & MB_ERR_INVALID_CHARS) != 0, wide)) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return 0;
  }
  if (dstLength == 0) return static_cast<int>(wide.size());
  if (wide.size() > static_cast<size_t>(dstLength)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  for (size_t i = 0; i < wide.size(); ++i) dst[i] = wide[i];
  return static_cast<int>(wide.size());
}

int WINAPI WideCharToMultiByte(UINT codePage, DWORD /*flags*/, LPCWSTR src, int srcLength, LPSTR dst,
                               int dstLength, LPCSTR defaultChar, LPBOOL usedDefault) {
  bool utf8 = codePage == CP_UTF8;
  if (!SupportedCodePage(codePage) || !src || srcLength < -1 || srcLength == 0 || dstLength < 0 ||
      (dstLength > 0 && !dst) || (utf8 && (defaultChar || usedDefault))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t length = srcLength == -1 ? WideLength(src) + 1 : static_cast<size_t>(srcLength);
  std::u16string wide(src, src + length);
  bool fallbackUsed = false;
  std::string out = utf8 ? lv::EncodeUtf8(wide)
                         : lv::EncodeAnsi(wide, defaultChar ? *defaultChar : '?', &fallbackUsed);
  if (usedDefault) *usedDefault = fallbackUsed ? TRUE : FALSE;
  if (dstLength == 0) return static_cast<int>(out.size());
  if (out.size() > static_cast<size_t>(dstLength)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  memcpy(dst, out.data(), out.size());
  return static_cast<int>(out.size());
}

UINT WINAPI GetACP(void) { return 1252; }
