// wsprintfA against a table of formats and the outputs the real function gives.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct IntCase {
  const char* format;
  int value;
  const char* expected;
};

TEST(Wsprintf, FormatsIntegers) {
  const IntCase cases[] = {
      {"%d", 0, "0"},           {"%d", -42, "-42"},        {"%i", 17, "17"},
      {"%u", -1, "4294967295"}, {"%ld", -7, "-7"},         {"%lu", 7, "7"},
      {"%li", 12, "12"},        {"%x", 255, "ff"},         {"%X", 255, "FF"},
      {"%lx", 0xABCD, "abcd"},  {"%#x", 255, "0xff"},      {"%#X", 255, "0XFF"},
      {"%#x", 0, "0"},          {"%5d", 42, "   42"},      {"%-5d|", 42, "42   |"},
      {"%05d", -42, "-0042"},   {"%-05d|", 7, "7    |"},   {"%2.2x", 5, "05"},
      {"%.3d", 7, "007"},       {"%08X", 0xBEEF, "0000BEEF"}, {"%hd", 70000, "4464"},
      {"%hu", -1, "65535"},     {"%d", INT32_MIN, "-2147483648"},
      {"%#06x", 10, "0x000a"},
  };
  for (const IntCase& c : cases) {
    char out[1024];
    int n = wsprintfA(out, c.format, c.value);
    EXPECT_STREQ(out, c.expected) << "format " << c.format;
    EXPECT_EQ(n, static_cast<int>(strlen(c.expected))) << "format " << c.format;
  }
}

struct TextCase {
  const char* format;
  const char* value;
  const char* expected;
};

TEST(Wsprintf, FormatsStrings) {
  const TextCase cases[] = {
      {"%s", "Bild", "Bild"},       {"[%6s]", "ab", "[    ab]"}, {"[%-6s]", "ab", "[ab    ]"},
      {"%.3s", "abcdef", "abc"},    {"%s", nullptr, "(null)"},   {"%s!", "", "!"},
      {"%s", "\xe4\xf6\xfc", "\xe4\xf6\xfc"},
  };
  for (const TextCase& c : cases) {
    char out[1024];
    wsprintfA(out, c.format, c.value);
    EXPECT_STREQ(out, c.expected) << "format " << c.format;
  }
}

TEST(Wsprintf, MixesArgumentsCharactersAndPercent) {
  char out[1024];
  int n = wsprintfA(out, "%s: %d%% von %c%u", "Fortschritt", 50, 'N', 10u);
  EXPECT_STREQ(out, "Fortschritt: 50% von N10");
  EXPECT_EQ(n, 24);
  wsprintfA(out, "a%qb");  // unknown conversion: the letter itself
  EXPECT_STREQ(out, "aqb");
  wsprintfA(out, "trailing %");
  EXPECT_STREQ(out, "trailing ");
}

TEST(Wsprintf, CutsOutputAt1023Characters) {
  std::string longText(2000, 'x');
  char out[1024 + 16];
  memset(out, '#', sizeof out);
  int n = wsprintfA(out, "%s%s", longText.c_str(), "tail");
  EXPECT_EQ(n, 1023);
  EXPECT_EQ(out[1023], '\0');
  EXPECT_EQ(out[1024], '#');  // nothing written past the limit
  n = wsprintfA(out, "%5000d", 1);  // huge width is cut too
  EXPECT_EQ(n, 1023);
}

}  // namespace
