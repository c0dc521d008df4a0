// Files through the file API: creation modes, reading and writing, file
// pointer, the old _l* functions, name operations and folder searches.
#include <gtest/gtest.h>
#include <windows.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

HANDLE Open(const char* name, DWORD access, DWORD creation) {
  return CreateFileA(name, access, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, 0);
}

void WriteText(const char* name, const std::string& text) {
  HANDLE h = Open(name, GENERIC_WRITE, CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
  EXPECT_EQ(written, text.size());
  CloseHandle(h);
}

std::string ReadText(const char* name) {
  HANDLE h = Open(name, GENERIC_READ, OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string text(GetFileSize(h, nullptr), '\0');
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(h, text.data(), static_cast<DWORD>(text.size()), &read, nullptr));
  CloseHandle(h);
  return text.substr(0, read);
}

TEST(Files, CreationModes) {
  struct Case {
    DWORD creation;
    bool exists;
    bool succeeds;
    DWORD error;
    const char* content;  // afterwards
  };
  const Case cases[] = {
      {CREATE_NEW, false, true, ERROR_SUCCESS, ""},
      {CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
      {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
      {CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
      {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, "<missing>"},
      {OPEN_EXISTING, true, true, ERROR_SUCCESS, "old"},
      {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
      {OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
      {TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, ""},
      {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, "<missing>"},
  };
  const char* name = "C:\\temp\\mode.bin";
  for (const Case& c : cases) {
    DeleteFileA(name);
    if (c.exists) WriteText(name, "old");
    HANDLE h = Open(name, GENERIC_READ | GENERIC_WRITE, c.creation);
    DWORD error = GetLastError();
    EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.succeeds) << "mode " << c.creation << " exists " << c.exists;
    EXPECT_EQ(error, c.error) << "mode " << c.creation << " exists " << c.exists;
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    EXPECT_EQ(ReadText(name), c.content) << "mode " << c.creation << " exists " << c.exists;
  }
  EXPECT_EQ(Open("C:\\no\\such\\folder\\x", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(Open("C:\\temp", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST(Files, PointerSizeAndEnd) {
  const char* name = "C:\\temp\\pointer.bin";
  WriteText(name, "0123456789");
  HANDLE h = Open(name, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(SetFilePointer(h, -3, nullptr, FILE_END), 7u);
  char buffer[8] = {};
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(h, buffer, 8, &read, nullptr));
  EXPECT_EQ(read, 3u);
  EXPECT_STREQ(buffer, "789");
  EXPECT_TRUE(ReadFile(h, buffer, 8, &read, nullptr));
  EXPECT_EQ(read, 0u);  // end of file is not an error
  EXPECT_EQ(SetFilePointer(h, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  EXPECT_EQ(SetFilePointer(h, 4, nullptr, FILE_BEGIN), 4u);
  EXPECT_TRUE(SetEndOfFile(h));
  DWORD high = 1;
  EXPECT_EQ(GetFileSize(h, &high), 4u);
  EXPECT_EQ(high, 0u);
  EXPECT_TRUE(FlushFileBuffers(h));
  FILETIME written{};
  EXPECT_TRUE(GetFileTime(h, nullptr, nullptr, &written));
  EXPECT_GT(written.dwHighDateTime, 0x01D00000u);  // after 2015
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(ReadText(name), "0123");
  for (HANDLE bad : {h, HANDLE(0), INVALID_HANDLE_VALUE}) {
    EXPECT_FALSE(ReadFile(bad, buffer, 1, &read, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(CloseHandle(bad));
  }
  HANDLE readOnly = Open(name, GENERIC_READ, OPEN_EXISTING);
  DWORD written2 = 0;
  EXPECT_FALSE(WriteFile(readOnly, "x", 1, &written2, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(readOnly);
}

uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

uint64_t TicksOf(int64_t seconds, uint32_t nanoseconds) {
  return 116444736000000000ull + static_cast<uint64_t>(seconds) * 10000000 + nanoseconds / 100;
}

// The creation time is the file system's birth time where it keeps one, else
// the last write time; a change of permissions does not move it.
TEST(Files, CreationTimeIsBirthOrWriteTime) {
  const char* name = "C:\\temp\\born.bin";
  WriteText(name, "first");
  HANDLE h = Open(name, GENERIC_READ, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FILETIME created{}, written{};
  ASSERT_TRUE(GetFileTime(h, &created, nullptr, &written));
  EXPECT_LE(Ticks(created), Ticks(written));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_TRUE(SetFileAttributesA(name, FILE_ATTRIBUTE_READONLY));  // moves the status change time
  FILETIME again{};
  ASSERT_TRUE(GetFileTime(h, &again, nullptr, nullptr));
  EXPECT_EQ(Ticks(again), Ticks(created));
  CloseHandle(h);
  SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL);

  char unixPath[MAX_PATH];
  ASSERT_TRUE(lvWinPathToUnix(name, unixPath, sizeof unixPath));
  struct statx sx{};
  ASSERT_EQ(statx(AT_FDCWD, unixPath, 0, STATX_BTIME | STATX_MTIME, &sx), 0);
  uint64_t expected = (sx.stx_mask & STATX_BTIME) ? TicksOf(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec)
                                                  : TicksOf(sx.stx_mtime.tv_sec, sx.stx_mtime.tv_nsec);
  EXPECT_EQ(Ticks(created), expected);

  // A search and the attribute query report the same creation time.
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(name, &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_EQ(Ticks(found.ftCreationTime), expected);
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  ASSERT_TRUE(GetFileAttributesExA(name, GetFileExInfoStandard, &attributes));
  EXPECT_EQ(Ticks(attributes.ftCreationTime), expected);
}

TEST(Files, OldFileFunctions) {
  HFILE f = _lcreat("C:\\temp\\old.txt", 0);
  ASSERT_NE(f, HFILE_ERROR);
  EXPECT_EQ(_lwrite(f, "Hallo Welt", 10), 10u);
  EXPECT_EQ(_llseek(f, 6, FILE_BEGIN), 6);
  char buffer[8] = {};
  EXPECT_EQ(_lread(f, buffer, 7), 4u);
  EXPECT_STREQ(buffer, "Welt");
  EXPECT_EQ(_lclose(f), 0u);
  EXPECT_EQ(_lclose(f), HFILE_ERROR);
  EXPECT_EQ(_lopen("C:\\temp\\missing.txt", OF_READ), HFILE_ERROR);
  f = _lopen("c:\\TEMP\\OLD.TXT", OF_READ);
  ASSERT_NE(f, HFILE_ERROR);
  EXPECT_EQ(_llseek(f, 0, FILE_END), 10);
  _lclose(f);
}

TEST(Files, NameOperations) {
  CreateDirectoryA("C:\\temp\\ops", nullptr);
  EXPECT_FALSE(CreateDirectoryA("C:\\temp\\ops", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectoryA("C:\\temp\\none\\deeper", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  WriteText("C:\\temp\\ops\\a.txt", "A");
  WriteText("C:\\temp\\ops\\b.txt", "B");
  EXPECT_FALSE(MoveFileA("C:\\temp\\ops\\a.txt", "C:\\temp\\ops\\b.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(MoveFileExA("C:\\temp\\ops\\a.txt", "C:\\temp\\ops\\b.txt", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(ReadText("C:\\temp\\ops\\b.txt"), "A");
  EXPECT_EQ(GetFileAttributesA("C:\\temp\\ops\\a.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(CopyFileA("C:\\temp\\ops\\b.txt", "C:\\temp\\ops\\c.txt", TRUE));
  EXPECT_FALSE(CopyFileA("C:\\temp\\ops\\b.txt", "C:\\temp\\ops\\c.txt", TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  EXPECT_FALSE(CopyFileA("C:\\temp\\ops\\b.txt", "C:\\temp\\ops\\B.TXT", FALSE));  // itself
  EXPECT_EQ(ReadText("C:\\temp\\ops\\b.txt"), "A");
  EXPECT_EQ(ReadText("C:\\temp\\ops\\c.txt"), "A");
  EXPECT_EQ(GetFileAttributesA("C:\\temp\\ops"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_TRUE(SetFileAttributesA("C:\\temp\\ops\\c.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(GetFileAttributesA("C:\\temp\\ops\\c.txt") & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(SetFileAttributesA("C:\\temp\\ops\\c.txt", FILE_ATTRIBUTE_NORMAL));
  WIN32_FILE_ATTRIBUTE_DATA info{};
  EXPECT_TRUE(GetFileAttributesExA("C:\\temp\\ops\\c.txt", GetFileExInfoStandard, &info));
  EXPECT_EQ(info.nFileSizeLow, 1u);
  EXPECT_FALSE(RemoveDirectoryA("C:\\temp\\ops"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
  EXPECT_FALSE(DeleteFileA("C:\\temp\\ops"));
  EXPECT_TRUE(DeleteFileA("C:\\temp\\ops\\b.txt"));
  EXPECT_TRUE(DeleteFileA("C:\\temp\\ops\\C.TXT"));
  EXPECT_FALSE(DeleteFileA("C:\\temp\\ops\\c.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(RemoveDirectoryA("C:\\temp\\ops"));
}

std::vector<std::string> FindAll(const char* pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(pattern, &data);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(data.cFileName);
  } while (FindNextFileA(h, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  EXPECT_TRUE(FindClose(h));
  return names;
}

TEST(Files, FindsWithWildcards) {
  CreateDirectoryA("C:\\temp\\find", nullptr);
  for (const char* name : {"b.htm", "A.HTM", "c.html", "readme", "x1.gif", "x22.gif"}) {
    WriteText((std::string("C:\\temp\\find\\") + name).c_str(), name);
  }
  using Names = std::vector<std::string>;
  EXPECT_EQ(FindAll("C:\\temp\\find\\*.htm"), (Names{"A.HTM", "b.htm"}));
  EXPECT_EQ(FindAll("c:/TEMP/find/*.HTM*"), (Names{"A.HTM", "b.htm", "c.html"}));
  EXPECT_EQ(FindAll("C:\\temp\\find\\x?.gif"), (Names{"x1.gif"}));
  EXPECT_EQ(FindAll("C:\\temp\\find\\readme.*"), (Names{"readme"}));
  EXPECT_EQ(FindAll("C:\\temp\\find\\*.*").size(), 8u);  // with "." and ".."
  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA("C:\\temp\\find\\*.png", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FindFirstFileA("C:\\temp\\nowhere\\*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  HANDLE h = FindFirstFileA("C:\\temp\\find\\b.htm", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.nFileSizeLow, 5u);
  EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  FindClose(h);
  EXPECT_FALSE(FindClose(h));
}

TEST(Files, TemporaryNames) {
  char name[MAX_PATH];
  UINT first = GetTempFileNameA("C:\\temp", "lvx-long", 0, name);
  ASSERT_NE(first, 0u);
  EXPECT_EQ(std::string(name).substr(0, 11), "C:\\temp\\lvx");
  EXPECT_NE(GetFileAttributesA(name), INVALID_FILE_ATTRIBUTES);  // the name is taken
  char second[MAX_PATH];
  EXPECT_NE(GetTempFileNameA("C:\\temp\\", "lvx", 0, second), 0u);
  EXPECT_STRNE(name, second);
  EXPECT_EQ(GetTempFileNameA("C:\\temp", "ab", 0x1F, name), 0x1Fu);
  EXPECT_STREQ(name, "C:\\temp\\ab1F.TMP");
  EXPECT_EQ(GetTempFileNameA("C:\\missing", "ab", 0, name), 0u);
}

}  // namespace
