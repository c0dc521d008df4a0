// Profile files: reading values and lists, writing and deleting, the
// failure-safe write, and win.ini for a German system.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "testsupport.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string List(const char* buffer, DWORD length) {
  std::string list(buffer, length);
  for (char& c : list) {
    if (c == '\0') c = '|';
  }
  return list;
}

class Profiles : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    file_ = lvtest::Prefix() / "C" / "temp" / "t32Pi.cfg";
    std::ofstream(file_, std::ios::binary)
        << "; Einstellungen\r\n[PLUG_IN_INIT]\r\nPainting Effect = 3 \r\nName=\"  Bild  \"\r\n\r\n"
        << "[Other]\r\nkey=value\r\nnumber=-12abc\r\n";
  }
  fs::path file_;
  const char* name_ = "C:\\TEMP\\t32pi.cfg";
};

TEST_F(Profiles, ReadsValues) {
  char out[64];
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"PLUG_IN_INIT", "Painting Effect", "3"}, {"plug_in_init", "PAINTING EFFECT", "3"},
      {"PLUG_IN_INIT", "Name", "  Bild  "},     {"Other", "key", "value"},
      {"Other", "missing", "fallback"},         {"Missing", "key", "fallback"},
  };
  for (const Case& c : cases) {
    DWORD n = GetPrivateProfileStringA(c.section, c.key, "fallback  ", out, sizeof out, name_);
    EXPECT_STREQ(out, c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(n, strlen(c.expected));
  }
  EXPECT_EQ(GetPrivateProfileStringA("Other", "key", "", out, 4, name_), 3u);
  EXPECT_STREQ(out, "val");
  EXPECT_EQ(GetPrivateProfileIntA("PLUG_IN_INIT", "Painting Effect", 9, name_), 3u);
  EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("Other", "number", 9, name_)), -12);
  EXPECT_EQ(GetPrivateProfileIntA("Other", "key", 9, name_), 0u);
  EXPECT_EQ(GetPrivateProfileIntA("Other", "none", 9, name_), 9u);
  EXPECT_EQ(GetPrivateProfileIntA("Other", "none", 9, "C:\\temp\\no-such.ini"), 9u);
}

TEST_F(Profiles, ListsSectionsAndKeys) {
  char out[64];
  DWORD n = GetPrivateProfileStringA(nullptr, nullptr, "", out, sizeof out, name_);
  EXPECT_EQ(List(out, n + 1), "PLUG_IN_INIT|Other||");
  n = GetPrivateProfileStringA("other", nullptr, "", out, sizeof out, name_);
  EXPECT_EQ(List(out, n + 1), "key|number||");
  n = GetPrivateProfileStringA(nullptr, nullptr, "", out, 8, name_);
  EXPECT_EQ(n, 6u);
  EXPECT_EQ(List(out, 8), "PLUG_I||");
}

TEST_F(Profiles, WritesAndDeletes) {
  ASSERT_TRUE(WritePrivateProfileStringA("PLUG_IN_INIT", "painting effect", "4", name_));
  ASSERT_TRUE(WritePrivateProfileStringA("PLUG_IN_INIT", "New", "x", name_));
  ASSERT_TRUE(WritePrivateProfileStringA("Fresh", "a", "1", name_));
  ASSERT_TRUE(WritePrivateProfileStringA("Other", "key", nullptr, name_));
  ASSERT_TRUE(WritePrivateProfileStringA("Other", "absent", nullptr, name_));
  EXPECT_EQ(Slurp(file_),
            "; Einstellungen\r\n[PLUG_IN_INIT]\r\npainting effect=4\r\nName=\"  Bild  \"\r\nNew=x\r\n\r\n"
            "[Other]\r\nnumber=-12abc\r\n\r\n[Fresh]\r\na=1\r\n");
  ASSERT_TRUE(WritePrivateProfileStringA("other", nullptr, nullptr, name_));
  char out[64];
  DWORD n = GetPrivateProfileStringA(nullptr, nullptr, "", out, sizeof out, name_);
  EXPECT_EQ(List(out, n + 1), "PLUG_IN_INIT|Fresh||");
  EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", "C:\\no\\such\\folder\\x.ini"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(WritePrivateProfileStringA("s", "k", "v", "C:\\temp\\new.ini"));
  EXPECT_EQ(GetPrivateProfileIntA("S", "K", 0, "C:\\temp\\new.ini"), 0u);
  EXPECT_EQ(Slurp(lvtest::Prefix() / "C" / "temp" / "new.ini"), "[s]\r\nk=v\r\n");
}

TEST_F(Profiles, FailedWriteKeepsTheOldFile) {
  std::string before = Slurp(file_);
  // Whatever stands in the way of the temporary file makes the write fail.
  fs::path blocker = file_;
  blocker += ".~" + std::to_string(GetCurrentProcessId());
  fs::create_directory(blocker);
  EXPECT_FALSE(WritePrivateProfileStringA("PLUG_IN_INIT", "Painting Effect", "99", name_));
  EXPECT_EQ(Slurp(file_), before);
  fs::remove(blocker);
  EXPECT_TRUE(WritePrivateProfileStringA("PLUG_IN_INIT", "Painting Effect", "99", name_));
  EXPECT_EQ(GetPrivateProfileIntA("PLUG_IN_INIT", "Painting Effect", 0, name_), 99u);
}

TEST(WinIni, GermanDefaultsAndWrites) {
  char out[32];
  EXPECT_EQ(GetProfileIntA("intl", "iMeasure", 1), 0u);
  GetProfileStringA("intl", "sDecimal", "", out, sizeof out);
  EXPECT_STREQ(out, ",");
  GetProfileStringA("intl", "sThousand", "", out, sizeof out);
  EXPECT_STREQ(out, ".");
  GetProfileStringA("intl", "sList", "", out, sizeof out);
  EXPECT_STREQ(out, ";");
  EXPECT_TRUE(WriteProfileStringA("Lumivex", "Zoom", "200"));
  EXPECT_EQ(GetPrivateProfileIntA("lumivex", "zoom", 0, "win.ini"), 200u);
  EXPECT_TRUE(fs::exists(lvtest::Prefix() / "C" / "windows" / "win.ini"));
}

}  // namespace
