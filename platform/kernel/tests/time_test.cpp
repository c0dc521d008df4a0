// Calendar conversions of file times, the tick count and the virtual clock,
// MulDiv and process facts.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <windows.h>

namespace {

TEST(Time, ConvertsBetweenFileAndSystemTime) {
  struct Case {
    SYSTEMTIME st;  // year, month, day of week, day, hour, minute, second, ms
    ULONGLONG ticks;
  };
  const Case cases[] = {
      {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
      {{1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000ULL},
      {{2000, 2, 2, 29, 12, 30, 15, 250}, 125963010152500000ULL},
      {{2024, 12, 2, 31, 23, 59, 59, 999}, 133801631999990000ULL},
  };
  for (const Case& c : cases) {
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&c.st, &ft)) << c.st.wYear;
    EXPECT_EQ((ULONGLONG(ft.dwHighDateTime) << 32) | ft.dwLowDateTime, c.ticks) << c.st.wYear;
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    EXPECT_EQ(memcmp(&back, &c.st, sizeof back), 0) << c.st.wYear << " weekday " << back.wDayOfWeek;
  }
  SYSTEMTIME bad = {2023, 2, 0, 29, 0, 0, 0, 0};
  FILETIME ft;
  EXPECT_FALSE(SystemTimeToFileTime(&bad, &ft));
  bad = {2024, 13, 0, 1, 0, 0, 0, 0};
  EXPECT_FALSE(SystemTimeToFileTime(&bad, &ft));
  FILETIME negative = {0, 0x80000000u};
  SYSTEMTIME st;
  EXPECT_FALSE(FileTimeToSystemTime(&negative, &st));
}

TEST(Time, DosDateTime) {
  SYSTEMTIME st = {2001, 9, 0, 11, 14, 46, 31, 0};
  FILETIME ft;
  ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
  WORD date, time;
  ASSERT_TRUE(FileTimeToDosDateTime(&ft, &date, &time));
  EXPECT_EQ(date, (21 << 9) | (9 << 5) | 11);
  EXPECT_EQ(time, (14 << 11) | (46 << 5) | 15);  // two-second steps
  FILETIME back;
  ASSERT_TRUE(DosDateTimeToFileTime(date, time, &back));
  SYSTEMTIME b;
  FileTimeToSystemTime(&back, &b);
  EXPECT_EQ(b.wSecond, 30);
  SYSTEMTIME old = {1979, 12, 0, 31, 0, 0, 0, 0};
  SystemTimeToFileTime(&old, &ft);
  EXPECT_FALSE(FileTimeToDosDateTime(&ft, &date, &time));
}

TEST(Time, LocalTimeFollowsTheZone) {
  setenv("TZ", "CET-1", 1);
  tzset();
  FILETIME utc = {0, 0x01D00000u}, local, back;
  ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  EXPECT_EQ(((ULONGLONG(local.dwHighDateTime) << 32) | local.dwLowDateTime) -
                ((ULONGLONG(utc.dwHighDateTime) << 32) | utc.dwLowDateTime),
            36000000000ULL);
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
  EXPECT_EQ(back.dwLowDateTime, utc.dwLowDateTime);
  SYSTEMTIME now;
  GetSystemTime(&now);
  EXPECT_GE(now.wYear, 2024);
  unsetenv("TZ");
  tzset();
}

TEST(Time, VirtualClock) {
  EXPECT_FALSE(lvVirtualClockInUse());
  lvUseVirtualClock(TRUE);
  DWORD start = GetTickCount();
  Sleep(5000);  // returns at once
  EXPECT_EQ(GetTickCount() - start, 5000u);
  lvAdvanceVirtualClock(250);
  EXPECT_EQ(GetTickCount() - start, 5250u);
  EXPECT_TRUE(lvVirtualClockInUse());
  lvUseVirtualClock(FALSE);
  DWORD real = GetTickCount();
  Sleep(20);
  EXPECT_GE(GetTickCount() - real, 19u);
}

TEST(Process, MulDivAndFacts) {
  struct Case {
    int a, b, c, expected;
  };
  const Case cases[] = {
      {10, 3, 4, 8},   {-10, 3, 4, -8},  {5, 1, 2, 3},         {-5, 1, 2, -3},
      {7, 1, 0, -1},   {INT32_MAX, 2, 1, -1}, {INT32_MAX, 2, 2, INT32_MAX}, {300, 96, 72, 400},
  };
  for (const Case& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
  EXPECT_EQ(LOBYTE(LOWORD(GetVersion())), 4);
  EXPECT_TRUE(GetVersion() & 0x80000000u);
  setenv("KERNEL_TEST_VALUE", "Gr\xc3\xbc\xc3\x9f" "e", 1);
  char value[16];
  EXPECT_EQ(GetEnvironmentVariableA("KERNEL_TEST_VALUE", value, sizeof value), 5u);
  EXPECT_STREQ(value, "Gr\xfc\xdf" "e");
  EXPECT_EQ(GetEnvironmentVariableA("KERNEL_TEST_VALUE", value, 3), 6u);
  EXPECT_EQ(GetEnvironmentVariableA("KERNEL_TEST_UNSET", value, sizeof value), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
  EXPECT_NE(strstr(GetCommandLineA(), "kernel_tests"), nullptr);
  EXPECT_NE(GetCurrentProcessId(), 0u);
}

}  // namespace
