// ANSI string functions: copying with limits, dictionary comparison and
// Windows-1252 case rules.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

TEST(Strings, CopyConcatenateAndLength) {
  char buffer[16];
  memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(lstrcpynA(buffer, "Bildbearbeitung", 5), buffer);
  EXPECT_STREQ(buffer, "Bild");
  EXPECT_EQ(buffer[5], '#');  // nothing past the limit
  lstrcpynA(buffer, nullptr, 4);
  EXPECT_STREQ(buffer, "");
  lstrcpyA(buffer, "ab");
  lstrcatA(buffer, "cd");
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_EQ(lstrlenA(buffer), 4);
  EXPECT_EQ(lstrlenA(nullptr), 0);
  EXPECT_EQ(lstrcpyA(nullptr, "x"), nullptr);
}

struct CompareCase {
  const char* a;
  const char* b;
  int exact;      // lstrcmpA
  int ignoring;   // lstrcmpiA
};

TEST(Strings, ComparesInDictionaryOrder) {
  const CompareCase cases[] = {
      {"abc", "abc", 0, 0},          {"abc", "ABC", -1, 0},       {"ABC", "abd", -1, -1},
      {"a", "B", -1, -1},            {"Z", "a", 1, 1},            {"ab", "abc", -1, -1},
      {"\xe4pfel", "Apfel", 1, 1},   {"\xe4pfel", "Birne", -1, -1},  // ä sorts with a
      {"\xc4PFEL", "\xe4pfel", 1, 0}, {"1", "a", -1, -1},          {nullptr, "", 0, 0},
  };
  for (const CompareCase& c : cases) {
    EXPECT_EQ(lstrcmpA(c.a, c.b), c.exact) << (c.a ? c.a : "(null)") << " vs " << c.b;
    EXPECT_EQ(lstrcmpiA(c.a, c.b), c.ignoring) << (c.a ? c.a : "(null)") << " vs " << c.b;
    EXPECT_EQ(lstrcmpA(c.b, c.a), -c.exact) << "reversed";
  }
}

TEST(Strings, ChangesCaseInWindows1252) {
  char text[] = "gr\xfc\xdf" "e \xe0\xff\x9a\x9c abc";
  CharUpperA(text);
  EXPECT_STREQ(text, "GR\xdc\xdf" "E \xc0\x9f\x8a\x8c ABC");  // sharp s has no capital
  CharLowerBuffA(text, 3);
  EXPECT_STREQ(text, "gr\xfc\xdf" "E \xc0\x9f\x8a\x8c ABC");
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(ULONG_PTR(0xE4)))), 0xC4u);
  EXPECT_EQ(reinterpret_cast<ULONG_PTR>(CharLowerA(reinterpret_cast<LPSTR>(ULONG_PTR('Q')))), ULONG_PTR('q'));
  EXPECT_EQ(CharUpperBuffA(text, 0), 0u);
}

TEST(Strings, ClassifiesCharactersAndSteps) {
  for (char c : {'a', 'Z', '\xe4', '\xdf', '\xc9', '\x8a'}) EXPECT_TRUE(IsCharAlphaA(c)) << int(c);
  for (char c : {'1', ' ', '-', '\xd7', '\xf7', '\x80'}) EXPECT_FALSE(IsCharAlphaA(c)) << int(c);
  EXPECT_TRUE(IsCharAlphaNumericA('7'));
  EXPECT_FALSE(IsCharAlphaNumericA('.'));
  EXPECT_TRUE(IsCharUpperA('\xc4'));
  EXPECT_TRUE(IsCharLowerA('\xdf'));
  const char* s = "ab";
  EXPECT_EQ(CharNextA(s), s + 1);
  EXPECT_EQ(CharNextA(s + 2), s + 2);  // stays on the terminator
  EXPECT_EQ(CharPrevA(s, s + 1), s);
  EXPECT_EQ(CharPrevA(s, s), s);  // stays on the start
}

}  // namespace
