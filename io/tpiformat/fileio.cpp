// The host's file handle through the platform's file API.
#include "fileio.h"

namespace tpi {

namespace {

bool Seek(HFILE file, int64_t distance, DWORD method) {
  LONG high = static_cast<LONG>(distance >> 32);
  SetLastError(ERROR_SUCCESS);
  DWORD low = SetFilePointer(file, static_cast<LONG>(distance & 0xFFFFFFFF), &high, method);
  return !(low == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS);
}

}  // namespace

DWORD ReadSome(HFILE file, void* buffer, DWORD bytes) {
  DWORD read = 0;
  if (!ReadFile(file, buffer, bytes, &read, nullptr)) return 0;
  return read;
}

bool ReadExact(HFILE file, void* buffer, DWORD bytes) {
  return ReadSome(file, buffer, bytes) == bytes;
}

bool WriteExact(HFILE file, const void* buffer, DWORD bytes) {
  DWORD written = 0;
  return WriteFile(file, buffer, bytes, &written, nullptr) && written == bytes;
}

bool SeekTo(HFILE file, uint64_t offset) {
  return Seek(file, static_cast<int64_t>(offset), FILE_BEGIN);
}

bool SeekBy(HFILE file, int64_t distance) {
  if (distance == 0) return true;
  return Seek(file, distance, FILE_CURRENT);
}

bool FileSize(HFILE file, uint64_t* size) {
  DWORD high = 0;
  SetLastError(ERROR_SUCCESS);
  DWORD low = GetFileSize(file, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS) return false;
  *size = (static_cast<uint64_t>(high) << 32) | low;
  return true;
}

}  // namespace tpi
