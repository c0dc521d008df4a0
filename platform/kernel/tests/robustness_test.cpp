// Outside data the kernel reads (profile files, patterns, paths, formats)
// gives results or clean errors, never a crash or an overrun.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <string>

#include "testsupport.h"

namespace {

std::string RandomBytes(std::mt19937& random, size_t size) {
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    // Mostly the characters that mean something in the inputs.
    static const char kSpecial[] = "[]=;\r\n \t\"'*?.\\/:%-#0123456789lhdsx";
    c = (random() % 3) ? kSpecial[random() % (sizeof kSpecial - 1)] : static_cast<char>(random());
  }
  return bytes;
}

TEST(Robustness, GarbageProfileFiles) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::ofstream(lvtest::Prefix() / "C" / "temp" / "junk.ini", std::ios::binary) << RandomBytes(random, random() % 400);
    char out[32];
    memset(out, 'x', sizeof out);
    DWORD n = GetPrivateProfileStringA(nullptr, nullptr, "", out, 24, "C:\\temp\\junk.ini");
    ASSERT_LE(n, 22u);
    EXPECT_EQ(out[24], 'x');  // never past the given size
    n = GetPrivateProfileStringA(out, nullptr, "", out, 24, "C:\\temp\\junk.ini");
    ASSERT_LE(n, 22u);
    n = GetPrivateProfileStringA("a", "b", "default", out, 24, "C:\\temp\\junk.ini");
    ASSERT_LE(n, 23u);
    ASSERT_TRUE(WritePrivateProfileStringA("Section", "Key", "Value", "C:\\temp\\junk.ini"));
    ASSERT_EQ(GetPrivateProfileStringA("section", "key", "", out, 24, "C:\\temp\\junk.ini"), 5u);
  }
}

TEST(Robustness, GarbagePathsPatternsAndFormats) {
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    std::string text = RandomBytes(random, random() % 120);
    text.erase(std::find(text.begin(), text.end(), '\0'), text.end());
    char out[64];
    lvWinPathToUnix(text.c_str(), out, sizeof out);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(("C:\\temp\\" + text).c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    GetFileAttributesA(text.c_str());
    GetFullPathNameA(text.c_str(), sizeof out, out, nullptr);
    // Formats without conversions that read arguments.
    std::string format;
    for (char c : text) format += (c == '%') ? "%%" : std::string(1, c);
    char formatted[1024];
    ASSERT_LE(wsprintfA(formatted, format.c_str()), 1023);
  }
  std::string deep(5000, 'a');
  for (size_t i = 10; i < deep.size(); i += 11) deep[i] = '\\';
  EXPECT_EQ(CreateFileA(("C:\\" + deep).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0),
            INVALID_HANDLE_VALUE);
  EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
}

}  // namespace
