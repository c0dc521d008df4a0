// Drive mapping and case-insensitive name resolution.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "testsupport.h"

namespace fs = std::filesystem;

namespace {

std::string ToUnix(const std::string& win) {
  char out[1024];
  EXPECT_TRUE(lvWinPathToUnix(win.c_str(), out, sizeof out)) << win;
  return out;
}

std::string ToWin(const std::string& unixPath) {
  char out[1024];
  EXPECT_TRUE(lvUnixPathToWin(unixPath.c_str(), out, sizeof out)) << unixPath;
  return out;
}

std::string DriveC() { return (lvtest::Prefix() / "C").string(); }

TEST(Paths, MapsDrives) {
  struct Case {
    std::string win;
    std::string unixPath;
  };
  const Case cases[] = {
      {"Z:\\", "/"},
      {"Z:\\usr\\bin", "/usr/bin"},
      {"z:/usr/./lib/../bin/", "/usr/bin"},
      {"C:\\windows", DriveC() + "/windows"},
      {"c:\\WINDOWS\\Neu.ini", DriveC() + "/windows/Neu.ini"},  // missing name kept as written
      {"C:\\temp\\new file.txt", DriveC() + "/temp/new file.txt"},
      {"C:\\..\\..\\windows", DriveC() + "/windows"},            // cannot climb out of a drive
  };
  for (const Case& c : cases) EXPECT_EQ(ToUnix(c.win), c.unixPath) << c.win;
  EXPECT_EQ(ToWin("/usr/bin"), "Z:\\usr\\bin");
  EXPECT_EQ(ToWin("/"), "Z:\\");
  EXPECT_EQ(ToWin(DriveC() + "/temp/x.txt"), "C:\\temp\\x.txt");
  EXPECT_EQ(ToWin(DriveC()), "C:\\");
  char out[8];
  EXPECT_FALSE(lvWinPathToUnix("D:\\data", out, sizeof out));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(lvWinPathToUnix("Z:\\a\\long\\path", out, sizeof out));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_FALSE(lvUnixPathToWin("/a/long/path", out, sizeof out));
}

TEST(Paths, ResolvesNamesWithoutRegardToCase) {
  fs::create_directories(DriveC() + "/Projekte/Übersicht");
  std::ofstream(DriveC() + "/Projekte/Übersicht/Bild.PNG") << "x";
  EXPECT_EQ(ToUnix("C:\\PROJEKTE\\\xfc" "bersicht\\bild.png"), DriveC() + "/Projekte/Übersicht/Bild.PNG");
  EXPECT_EQ(ToUnix("C:\\projekte\\neu\\Datei.txt"), DriveC() + "/Projekte/neu/Datei.txt");
  EXPECT_EQ(ToWin(DriveC() + "/Projekte/Übersicht"), "C:\\Projekte\\\xdc" "bersicht");
  EXPECT_NE(GetFileAttributesA("c:\\projekte\\\xdc" "BERSICHT\\BILD.png"), INVALID_FILE_ATTRIBUTES);
}

TEST(Paths, CurrentFolderAndFullNames) {
  char previous[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryA(sizeof previous, previous), 0u);
  fs::create_directories(DriveC() + "/work/sub");
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\WORK"));
  char buffer[MAX_PATH];
  EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 7u);
  EXPECT_STREQ(buffer, "C:\\work");
  LPSTR filePart = nullptr;
  EXPECT_EQ(GetFullPathNameA("sub\\..\\file.txt", sizeof buffer, buffer, &filePart), 16u);
  EXPECT_STREQ(buffer, "C:\\work\\file.txt");
  EXPECT_STREQ(filePart, "file.txt");
  EXPECT_EQ(GetFullPathNameA("\\x", sizeof buffer, buffer, nullptr), 4u);
  EXPECT_STREQ(buffer, "C:\\x");
  EXPECT_EQ(GetFullPathNameA("Z:/tmp/", sizeof buffer, buffer, nullptr), 7u);
  EXPECT_STREQ(buffer, "Z:\\tmp\\");
  EXPECT_EQ(GetFullPathNameA("sub", 4, buffer, nullptr), 12u);  // size needed
  EXPECT_EQ(ToUnix("sub"), DriveC() + "/work/sub");
  EXPECT_FALSE(SetCurrentDirectoryA("C:\\no\\such\\folder"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  ASSERT_TRUE(SetCurrentDirectoryA(previous));
}

TEST(Paths, SystemFolders) {
  char buffer[MAX_PATH];
  EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 8u);
  EXPECT_STREQ(buffer, "C:\\temp\\");
  EXPECT_EQ(GetWindowsDirectoryA(buffer, sizeof buffer), 10u);
  EXPECT_STREQ(buffer, "C:\\windows");
  EXPECT_EQ(GetSystemDirectoryA(buffer, sizeof buffer), 17u);
  EXPECT_EQ(GetTempPathA(3, buffer), 9u);  // size needed
  EXPECT_TRUE(fs::is_directory(DriveC() + "/temp"));
  EXPECT_TRUE(fs::is_directory(DriveC() + "/windows/system"));
}

}  // namespace
