// Memory and file byte sources.
#include "bytesource.h"

#include <algorithm>
#include <cstring>

namespace audioinfo {

namespace {

// Bytes read from the file at once; VOC headers and blocks are short.
constexpr size_t kWindowBytes = 4096;

}  // namespace

bool MemorySource::ReadAt(uint64_t offset, void* out, size_t count) {
  if (offset > size_ || count > size_ - offset) return false;
  if (count) std::memcpy(out, data_ + offset, count);
  return true;
}

FileSource::~FileSource() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool FileSource::Open(LPCSTR fileName) {
  file_ = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, 0);
  if (file_ == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  DWORD low = GetFileSize(file_, &high);
  if (low == INVALID_FILE_SIZE && high == 0) {
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    return false;
  }
  size_ = (static_cast<uint64_t>(high) << 32) | low;
  return true;
}

// Loads the window starting at offset; false when nothing could be read.
bool FileSource::Fill(uint64_t offset) {
  window_.clear();
  windowStart_ = offset;
  if (offset >= size_) return false;
  LONG high = static_cast<LONG>(offset >> 32);
  SetLastError(NO_ERROR);
  if (SetFilePointer(file_, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN) ==
          INVALID_SET_FILE_POINTER &&
      GetLastError() != NO_ERROR)
    return false;
  const size_t wanted = static_cast<size_t>(std::min<uint64_t>(kWindowBytes, size_ - offset));
  window_.resize(wanted);
  DWORD got = 0;
  if (!ReadFile(file_, window_.data(), static_cast<DWORD>(wanted), &got, nullptr)) got = 0;
  window_.resize(got);
  return got > 0;
}

bool FileSource::ReadAt(uint64_t offset, void* out, size_t count) {
  if (file_ == INVALID_HANDLE_VALUE) return false;
  if (offset > size_ || count > size_ - offset) return false;
  BYTE* target = static_cast<BYTE*>(out);
  while (count > 0) {
    if (offset < windowStart_ || offset >= windowStart_ + window_.size()) {
      if (!Fill(offset)) return false;
    }
    const size_t at = static_cast<size_t>(offset - windowStart_);
    const size_t take = std::min(count, window_.size() - at);
    std::memcpy(target, window_.data() + at, take);
    target += take;
    offset += take;
    count -= take;
  }
  return true;
}

}  // namespace audioinfo
