// File times (100-ns intervals since 1601, UTC), calendar conversions, the
// tick count and the virtual clock used while a user agent drives the program.
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "errors.h"
#include "files.h"

namespace {

constexpr int64_t kTicksPerMillisecond = 10000;
constexpr int64_t kTicksPerDay = 864000000000LL;
constexpr int64_t kDaysFrom1601To1970 = 134774;

int64_t TicksOf(const FILETIME& t) {
  return static_cast<int64_t>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

FILETIME FileTimeFromTicks(int64_t ticks) {
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32)};
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  unsigned yoe = static_cast<unsigned>(y - era * 400);
  unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

// The civil date of a day count since 1970-01-01.
void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  unsigned doe = static_cast<unsigned>(z - era * 146097);
  unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<int64_t>(yoe) + era * 400 + (m <= 2);
}

unsigned DaysInMonth(unsigned year, unsigned month) {
  static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Seconds the local time zone is ahead of UTC now.
int64_t LocalOffsetSeconds() {
  time_t now = time(nullptr);
  struct tm local;
  if (!localtime_r(&now, &local)) return 0;
  return local.tm_gmtoff;
}

FILETIME Now() {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  return lv::FileTimeOf(now);
}

DWORD MonotonicMilliseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<DWORD>(static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000);
}

std::atomic<bool> virtualClockOn{false};
std::atomic<DWORD> virtualNow{0};

}  // namespace

BOOL WINAPI FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime) {
  if (!fileTime || !systemTime) return lv::Fail(ERROR_INVALID_PARAMETER);
  int64_t ticks = TicksOf(*fileTime);
  if (ticks < 0) return lv::Fail(ERROR_INVALID_PARAMETER);
  int64_t days = ticks / kTicksPerDay;
  int64_t inDay = ticks % kTicksPerDay;
  int64_t year;
  unsigned month, day;
  CivilFromDays(days - kDaysFrom1601To1970, year, month, day);
  systemTime->wYear = static_cast<WORD>(year);
  systemTime->wMonth = static_cast<WORD>(month);
  systemTime->wDay = static_cast<WORD>(day);
  systemTime->wDayOfWeek = static_cast<WORD>((days + 1) % 7);  // 1601-01-01 was a Monday
  int64_t ms = inDay / kTicksPerMillisecond;
  systemTime->wHour = static_cast<WORD>(ms / 3600000);
  systemTime->wMinute = static_cast<WORD>(ms / 60000 % 60);
  systemTime->wSecond = static_cast<WORD>(ms / 1000 % 60);
  systemTime->wMilliseconds = static_cast<WORD>(ms % 1000);
  return TRUE;
}

BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* st, LPFILETIME fileTime) {
  if (!st || !fileTime) return lv::Fail(ERROR_INVALID_PARAMETER);
  if (st->wYear < 1601 || st->wYear > 30827 || st->wMonth < 1 || st->wMonth > 12 || st->wDay < 1 ||
      st->wDay > DaysInMonth(st->wYear, st->wMonth) || st->wHour > 23 || st->wMinute > 59 ||
      st->wSecond > 59 || st->wMilliseconds > 999)
    return lv::Fail(ERROR_INVALID_PARAMETER);
  int64_t days = DaysFromCivil(st->wYear, st->wMonth, st->wDay) + kDaysFrom1601To1970;
  int64_t ms = ((st->wHour * 60 + st->wMinute) * 60 + st->wSecond) * 1000LL + st->wMilliseconds;
  *fileTime = FileTimeFromTicks(days * kTicksPerDay + ms * kTicksPerMillisecond);
  return TRUE;
}

BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* utc, LPFILETIME local) {
  if (!utc || !local) return lv::Fail(ERROR_INVALID_PARAMETER);
  *local = FileTimeFromTicks(TicksOf(*utc) + LocalOffsetSeconds() * 10000000);
  return TRUE;
}

BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* local, LPFILETIME utc) {
  if (!local || !utc) return lv::Fail(ERROR_INVALID_PARAMETER);
  *utc = FileTimeFromTicks(TicksOf(*local) - LocalOffsetSeconds() * 10000000);
  return TRUE;
}

BOOL WINAPI FileTimeToDosDateTime(const FILETIME* fileTime, LPWORD dosDate, LPWORD dosTime) {
  SYSTEMTIME st;
  if (!dosDate || !dosTime || !FileTimeToSystemTime(fileTime, &st)) return lv::Fail(ERROR_INVALID_PARAMETER);
  if (st.wYear < 1980 || st.wYear > 2107) return lv::Fail(ERROR_INVALID_PARAMETER);
  *dosDate = static_cast<WORD>(((st.wYear - 1980) << 9) | (st.wMonth << 5) | st.wDay);
  *dosTime = static_cast<WORD>((st.wHour << 11) | (st.wMinute << 5) | (st.wSecond / 2));
  return TRUE;
}

BOOL WINAPI DosDateTimeToFileTime(WORD dosDate, WORD dosTime, LPFILETIME fileTime) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(1980 + (dosDate >> 9));
  st.wMonth = static_cast<WORD>((dosDate >> 5) & 15);
  st.wDay = static_cast<WORD>(dosDate & 31);
  st.wHour = static_cast<WORD>(dosTime >> 11);
  st.wMinute = static_cast<WORD>((dosTime >> 5) & 63);
  st.wSecond = static_cast<WORD>((dosTime & 31) * 2);
  return SystemTimeToFileTime(&st, fileTime);
}

void WINAPI GetSystemTimeAsFileTime(LPFILETIME fileTime) {
  if (fileTime) *fileTime = Now();
}

void WINAPI GetSystemTime(LPSYSTEMTIME systemTime) {
  FILETIME now = Now();
  if (systemTime) FileTimeToSystemTime(&now, systemTime);
}

void WINAPI GetLocalTime(LPSYSTEMTIME systemTime) {
  FILETIME now = Now(), local;
  FileTimeToLocalFileTime(&now, &local);
  if (systemTime) FileTimeToSystemTime(&local, systemTime);
}

DWORD WINAPI GetTickCount(void) {
  return virtualClockOn ? virtualNow.load() : MonotonicMilliseconds();
}

void WINAPI Sleep(DWORD milliseconds) {
  if (virtualClockOn) {
    virtualNow += milliseconds;
    return;
  }
  timespec wait{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000};
  while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

void lvUseVirtualClock(BOOL on) {
  if (on && !virtualClockOn) virtualNow = MonotonicMilliseconds();
  virtualClockOn = on != FALSE;
}

void lvAdvanceVirtualClock(DWORD milliseconds) {
  if (virtualClockOn) virtualNow += milliseconds;
}

BOOL lvVirtualClockInUse(void) { return virtualClockOn ? TRUE : FALSE; }
