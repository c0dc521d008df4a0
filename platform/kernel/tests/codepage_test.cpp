// Conversions between Windows-1252, UTF-8 and UTF-16.
#include <gtest/gtest.h>
#include <lvtext.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

struct TextCase {
  std::string ansi;
  std::string utf8;
};

TEST(CodePage, AnsiAndUtf8RoundTrip) {
  const TextCase cases[] = {
      {"Gr\xfc\xdf" "e", "Grüße"},
      {"\x80 5", "€ 5"},
      {"\x84Zitat\x93", "„Zitat“"},
      {"\x8a\x9e\x9f", "ŠžŸ"},
      {"plain", "plain"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(lv::AnsiToUtf8(c.ansi), c.utf8);
    EXPECT_EQ(lv::Utf8ToAnsi(c.utf8), c.ansi);
    EXPECT_EQ(lv::Utf16ToAnsi(lv::AnsiToUtf16(c.ansi)), c.ansi);
  }
}

TEST(CodePage, UnmappableAndBrokenTextBecomesQuestionMarks) {
  EXPECT_EQ(lv::Utf8ToAnsi("Ωmega 日本"), "?mega ??");
  EXPECT_EQ(lv::Utf8ToAnsi("a\xc3"), "a?");          // cut sequence
  EXPECT_EQ(lv::Utf8ToAnsi("\xc0\xaf"), "??");        // overlong form
  EXPECT_EQ(lv::Utf8ToAnsi("\xed\xa0\x80"), "???");   // encoded surrogate
  EXPECT_EQ(lv::Utf8ToAnsi("😀"), "?");
}

TEST(CodePage, MultiByteToWideCharLengthsAndErrors) {
  WCHAR wide[16];
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\x80\xe4", -1, nullptr, 0), 3);
  ASSERT_EQ(MultiByteToWideChar(1252, 0, "\x80\xe4", -1, wide, 16), 3);
  EXPECT_EQ(wide[0], 0x20AC);
  EXPECT_EQ(wide[1], 0x00E4);
  EXPECT_EQ(wide[2], 0);
  ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, "😀", -1, wide, 16), 3);  // surrogate pair
  EXPECT_EQ(wide[0], 0xD83D);
  EXPECT_EQ(wide[1], 0xDE00);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "ab\xff", 3, wide, 16), 3);
  EXPECT_EQ(wide[2], 0xFFFD);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "ab\xff", 3, wide, 16), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abcdef", -1, wide, 3), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(MultiByteToWideChar(932, 0, "a", 1, wide, 16), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(CodePage, WideCharToMultiByteReportsDefaults) {
  const WCHAR text[] = {0x00FC, 0x03A9, 0x20AC, 0};
  char out[16];
  BOOL usedDefault = FALSE;
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, out, 16, "#", &usedDefault), 4);
  EXPECT_STREQ(out, "\xfc#\x80");
  EXPECT_TRUE(usedDefault);
  ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, text, 3, out, 16, nullptr, nullptr), 7);
  EXPECT_EQ(std::string(out, 7), "üΩ€");
  const WCHAR lone[] = {0xD800, 'x'};
  ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, lone, 2, out, 16, nullptr, nullptr), 4);
  EXPECT_EQ(std::string(out, 4), "\xef\xbf\xbdx");
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, text, -1, out, 2, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

}  // namespace
