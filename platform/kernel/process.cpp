// Facts about the process: environment, version, command line, and MulDiv.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <lvtext.h>
#include <mutex>
#include <string>

#include "errors.h"
#include "paths.h"

int WINAPI MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  int64_t product = static_cast<int64_t>(number) * numerator;
  int64_t half = (denominator < 0 ? -static_cast<int64_t>(denominator) : denominator) / 2;
  bool negative = (product < 0) != (denominator < 0);
  int64_t magnitude = (product < 0 ? -product : product) + half;
  int64_t quotient = magnitude / (denominator < 0 ? -static_cast<int64_t>(denominator) : denominator);
  int64_t result = negative ? -quotient : quotient;
  if (result > INT32_MAX || result < INT32_MIN) return -1;
  return static_cast<int>(result);
}

DWORD WINAPI GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
  const char* value = name ? getenv(name) : nullptr;
  if (!value) {
    SetLastError(ERROR_ENVVAR_NOT_FOUND);
    return 0;
  }
  return lv::CopyOut(lv::Utf8ToAnsi(value), buffer, size);
}

DWORD WINAPI GetVersion(void) { return 0xC0000004u; }

BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info) {
  if (!info || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOA)) return lv::Fail(ERROR_INSUFFICIENT_BUFFER);
  info->dwMajorVersion = 4;
  info->dwMinorVersion = 0;
  info->dwBuildNumber = 950;
  info->dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
  info->szCSDVersion[0] = '\0';
  return TRUE;
}

LPSTR WINAPI GetCommandLineA(void) {
  static std::once_flag once;
  static std::string* line = new std::string;  // lives for the whole process
  std::call_once(once, [] {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string argument;
    while (std::getline(in, argument, '\0')) {
      if (!line->empty()) *line += ' ';
      std::string ansi = lv::Utf8ToAnsi(argument);
      bool quote = ansi.empty() || ansi.find_first_of(" \t") != std::string::npos;
      *line += quote ? "\"" + ansi + "\"" : ansi;
    }
  });
  return line->data();
}

DWORD WINAPI GetCurrentProcessId(void) { return static_cast<DWORD>(getpid()); }

void WINAPI OutputDebugStringA(LPCSTR text) {
  if (text) fputs(lv::AnsiToUtf8(text).c_str(), stderr);
}
