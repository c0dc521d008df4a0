// Path utilities and the host's temporary folder.
#include <gtest/gtest.h>

#include <hostcommon.h>

#include <cstdio>
#include <string>

#include "testsupport.h"

namespace {

struct SplitCase {
  const char* path;
  const char* folder;
};

class SplitPathTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitPathTest, FolderWithTrailingBackslash) {
  char folder[MAX_PATH] = "stale";
  EXPECT_TRUE(tfdSplitPathname(GetParam().path, 0, folder));
  EXPECT_STREQ(folder, GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SplitPathTest,
    testing::Values(SplitCase{"C:\\lumivex\\plugins\\gridsplit.tpi", "C:\\lumivex\\plugins\\"},
                    SplitCase{"C:\\file.txt", "C:\\"},
                    SplitCase{"C:file.txt", "C:"},
                    SplitCase{"Z:\\tmp\\dir\\", "Z:\\tmp\\dir\\"},
                    SplitCase{"Z:/mixed/sep.png", "Z:/mixed/"},
                    SplitCase{"plain.txt", ""},
                    SplitCase{"", ""}));

TEST(SplitPathTest, RefusesMissingArgumentsAndOverlongFolders) {
  char folder[MAX_PATH];
  EXPECT_FALSE(tfdSplitPathname(nullptr, 0, folder));
  EXPECT_FALSE(tfdSplitPathname("C:\\a\\b", 0, nullptr));
  std::string deep = "C:\\" + std::string(300, 'a') + "\\name";
  EXPECT_FALSE(tfdSplitPathname(deep.c_str(), 0, folder));
  EXPECT_STREQ(folder, "");
}

struct SlashCase {
  const char* path;
  const char* expected;
};

class AddSlashTest : public testing::TestWithParam<SlashCase> {};

TEST_P(AddSlashTest, OneTrailingBackslash) {
  char path[MAX_PATH];
  std::snprintf(path, sizeof path, "%s", GetParam().path);
  EXPECT_TRUE(tfdAddSlash(path));
  EXPECT_STREQ(path, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, AddSlashTest,
                         testing::Values(SlashCase{"C:\\temp", "C:\\temp\\"},
                                         SlashCase{"C:\\temp\\", "C:\\temp\\"},
                                         SlashCase{"C:", "C:\\"}, SlashCase{"", ""}));

TEST(AddSlashTest, FullBufferIsNotOverrun) {
  char path[MAX_PATH + 4];
  std::string full(MAX_PATH - 1, 'a');
  std::snprintf(path, sizeof path, "%s", full.c_str());
  path[MAX_PATH] = 'g';
  EXPECT_FALSE(tfdAddSlash(path));
  EXPECT_EQ(std::string(path), full);
  EXPECT_EQ(path[MAX_PATH], 'g');
}

TEST(FolderTest, CreatesNestedFoldersAndRecognisesThem) {
  char temp[MAX_PATH] = {};
  ASSERT_TRUE(t32GetTavikTempDir(temp));
  std::string base = temp;
  ASSERT_FALSE(base.empty());
  EXPECT_EQ(base.back(), '\\');
  EXPECT_TRUE(tfdIsDir(temp));

  std::string nested = base + "grid\\deeper\\leaf";
  EXPECT_FALSE(tfdIsDir(nested.c_str()));
  EXPECT_TRUE(tfdCreateDir(nested.c_str()));
  EXPECT_TRUE(tfdIsDir(nested.c_str()));
  EXPECT_TRUE(tfdIsDir((nested + "\\").c_str()));
  EXPECT_TRUE(tfdIsDir((base + "GRID\\Deeper").c_str()));  // names ignore case
  EXPECT_TRUE(tfdCreateDir(nested.c_str()));               // existing folder is fine

  EXPECT_FALSE(tfdIsDir((base + "missing").c_str()));
  EXPECT_FALSE(tfdIsDir(""));
  EXPECT_FALSE(tfdIsDir(nullptr));
  EXPECT_FALSE(tfdCreateDir(""));
}

TEST(FolderTest, FileIsNotAFolder) {
  char temp[MAX_PATH] = {};
  ASSERT_TRUE(t32GetTavikTempDir(temp));
  std::string file = std::string(temp) + "plain.txt";
  HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, 0);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  CloseHandle(handle);
  EXPECT_FALSE(tfdIsDir(file.c_str()));
  EXPECT_FALSE(tfdCreateDir(file.c_str()));
}

}  // namespace
