// The ANSI string functions: copy, concatenate, compare and case.
#include <win/kernel.h>

#include "ansi.h"

namespace {

// Base letter of the accented letters of 1252, for dictionary order.
unsigned char BaseLetter(unsigned char c) {
  unsigned char lower = lv::AnsiLower(c);
  if (lower >= 0xE0 && lower <= 0xE5) return 'a';
  if (lower == 0xE7) return 'c';
  if (lower >= 0xE8 && lower <= 0xEB) return 'e';
  if (lower >= 0xEC && lower <= 0xEF) return 'i';
  if (lower == 0xF1) return 'n';
  if ((lower >= 0xF2 && lower <= 0xF6) || lower == 0xF8) return 'o';
  if (lower >= 0xF9 && lower <= 0xFC) return 'u';
  if (lower == 0xFD || lower == 0xFF) return 'y';
  if (lower == 0x9A || lower == 0xDF) return 's';
  if (lower == 0x9E) return 'z';
  return lower;
}

// Primary weight: symbols and digits by code, every letter after them by its base.
int PrimaryWeight(unsigned char c) {
  if (lv::AnsiIsAlpha(c)) return 0x1000 + BaseLetter(c);
  return c;
}

// Secondary weight: the accent (the letter itself, lowered).
int SecondaryWeight(unsigned char c) { return lv::AnsiLower(c); }

// Tertiary weight: lower case before upper case.
int TertiaryWeight(unsigned char c) { return lv::AnsiIsUpper(c) ? 1 : 0; }

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

// Compares by one weight over the whole strings; 0 when equal at that level.
template <class Weight>
int CompareLevel(const unsigned char* a, const unsigned char* b, Weight weight) {
  for (;; ++a, ++b) {
    if (!*a || !*b) return Sign(static_cast<int>(*a != 0) - static_cast<int>(*b != 0));
    int d = weight(*a) - weight(*b);
    if (d) return Sign(d);
  }
}

int DictionaryCompare(LPCSTR a, LPCSTR b, bool withCase) {
  auto* x = reinterpret_cast<const unsigned char*>(a ? a : "");
  auto* y = reinterpret_cast<const unsigned char*>(b ? b : "");
  if (int r = CompareLevel(x, y, PrimaryWeight)) return r;
  if (int r = CompareLevel(x, y, SecondaryWeight)) return r;
  return withCase ? CompareLevel(x, y, TertiaryWeight) : 0;
}

bool IsSingleCharacter(LPCSTR s) { return (reinterpret_cast<ULONG_PTR>(s) >> 16) == 0; }

template <class Convert>
LPSTR ConvertCase(LPSTR s, Convert convert) {
  if (IsSingleCharacter(s)) {
    auto c = static_cast<unsigned char>(reinterpret_cast<ULONG_PTR>(s));
    return reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(convert(c)));
  }
  for (char* p = s; *p; ++p) *p = static_cast<char>(convert(static_cast<unsigned char>(*p)));
  return s;
}

}  // namespace

int WINAPI lstrlenA(LPCSTR s) { return s ? static_cast<int>(strlen(s)) : 0; }

LPSTR WINAPI lstrcpyA(LPSTR dst, LPCSTR src) {
  if (!dst || !src) return nullptr;
  return strcpy(dst, src);
}

LPSTR WINAPI lstrcpynA(LPSTR dst, LPCSTR src, int max) {
  if (!dst || max <= 0) return dst;
  int i = 0;
  if (src) {
    for (; i < max - 1 && src[i]; ++i) dst[i] = src[i];
  }
  dst[i] = '\0';
  return dst;
}

LPSTR WINAPI lstrcatA(LPSTR dst, LPCSTR src) {
  if (!dst || !src) return nullptr;
  return strcat(dst, src);
}

int WINAPI lstrcmpA(LPCSTR a, LPCSTR b) { return DictionaryCompare(a, b, true); }

int WINAPI lstrcmpiA(LPCSTR a, LPCSTR b) { return DictionaryCompare(a, b, false); }

LPSTR WINAPI CharUpperA(LPSTR s) { return ConvertCase(s, lv::AnsiUpper); }

LPSTR WINAPI CharLowerA(LPSTR s) { return ConvertCase(s, lv::AnsiLower); }

DWORD WINAPI CharUpperBuffA(LPSTR s, DWORD length) {
  if (!s) return 0;
  for (DWORD i = 0; i < length; ++i) s[i] = static_cast<char>(lv::AnsiUpper(static_cast<unsigned char>(s[i])));
  return length;
}

DWORD WINAPI CharLowerBuffA(LPSTR s, DWORD length) {
  if (!s) return 0;
  for (DWORD i = 0; i < length; ++i) s[i] = static_cast<char>(lv::AnsiLower(static_cast<unsigned char>(s[i])));
  return length;
}

LPSTR WINAPI CharNextA(LPCSTR s) {
  if (!s) return nullptr;
  return const_cast<LPSTR>(*s ? s + 1 : s);
}

LPSTR WINAPI CharPrevA(LPCSTR start, LPCSTR s) {
  if (!s) return nullptr;
  return const_cast<LPSTR>(start && s > start ? s - 1 : s);
}

BOOL WINAPI IsCharAlphaA(CHAR c) { return lv::AnsiIsAlpha(static_cast<unsigned char>(c)); }

BOOL WINAPI IsCharAlphaNumericA(CHAR c) {
  return IsCharAlphaA(c) || (c >= '0' && c <= '9');
}

BOOL WINAPI IsCharUpperA(CHAR c) { return lv::AnsiIsUpper(static_cast<unsigned char>(c)); }

BOOL WINAPI IsCharLowerA(CHAR c) { return lv::AnsiIsLower(static_cast<unsigned char>(c)); }
