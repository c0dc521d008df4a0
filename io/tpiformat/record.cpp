// Access to the file-data record and to movable memory blocks.
#include "record.h"

namespace tpi {

LockedRecord::LockedRecord(HGLOBAL handle) : handle_(handle) {
  if (!handle_ || GlobalSize(handle_) < TFD_RECORD_SIZE) return;
  data_ = static_cast<BYTE*>(GlobalLock(handle_));
}

LockedRecord::~LockedRecord() { Release(); }

void LockedRecord::Release() {
  if (data_) GlobalUnlock(handle_);
  data_ = nullptr;
}

LockedBlock::Result LockedBlock::Allocate(uint64_t bytes) {
  Free();
  if (bytes > kMaxBlockBytes) return kNoMemory;
  handle_ = GlobalAlloc(GHND, static_cast<SIZE_T>(bytes));
  if (!handle_) return kNoMemory;
  data_ = static_cast<BYTE*>(GlobalLock(handle_));
  return data_ ? kOk : kNoLock;
}

void LockedBlock::Free() {
  if (!handle_) return;
  if (data_) GlobalUnlock(handle_);
  GlobalFree(handle_);
  handle_ = 0;
  data_ = nullptr;
}

void DropPalette(BYTE* record, size_t offset) {
  HPALETTE palette = static_cast<HPALETTE>(Get32(record, offset));
  if (palette) DeleteObject(palette);
  Put32(record, offset, 0);
}

}  // namespace tpi
