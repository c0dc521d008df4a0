// Files through the platform's file API.
#include "fileio.h"

namespace tf {

std::string WinPath(const char* path) {
  if (!path) return std::string();
  if (path[0] == '/') {
    char win[MAX_PATH * 2];
    if (lvUnixPathToWin(path, win, sizeof win)) return win;
  }
  return path;
}

HANDLE OpenForReading(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0);
}

HANDLE CreateForWriting(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0);
}

DWORD FileSizeOf(HANDLE file) {
  DWORD high = 0;
  DWORD low = GetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE) return 0;
  return high ? 0xFFFFFFFFu : low;
}

bool SeekTo(HANDLE file, DWORD offset) {
  LONG high = 0;
  return SetFilePointer(file, static_cast<LONG>(offset), &high, FILE_BEGIN) == offset;
}

DWORD ReadAt(HANDLE file, DWORD offset, void* data, DWORD size) {
  if (!SeekTo(file, offset)) return 0;
  DWORD done = 0;
  if (!ReadFile(file, data, size, &done, nullptr)) return 0;
  return done;
}

bool ReadExact(HANDLE file, void* data, DWORD size) {
  DWORD done = 0;
  return ReadFile(file, data, size, &done, nullptr) && done == size;
}

bool WriteAll(HANDLE file, const void* data, DWORD size) {
  DWORD done = 0;
  return WriteFile(file, data, size, &done, nullptr) && done == size;
}

std::string TemporaryNameFor(const std::string& target) { return target + ".lvtmp"; }

bool MoveIntoPlace(const std::string& temporary, const std::string& target) {
  return MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace tf
