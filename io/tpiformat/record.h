// Access to the file-data record and to movable memory blocks.
#pragma once

#include <windows.h>

#include <tpifio.h>

#include <cstdint>
#include <cstring>

namespace tpi {

constexpr char kFormatTag[4] = {'T', 'P', 'I', 'F'};
constexpr WORD kFormatNumber = 400;
constexpr LONG kPrivateLength = 41;

inline LONG Get32(const BYTE* record, size_t offset) {
  LONG value;
  std::memcpy(&value, record + offset, sizeof value);
  return value;
}
inline void Put32(BYTE* record, size_t offset, LONG value) {
  std::memcpy(record + offset, &value, sizeof value);
}
inline void Put16(BYTE* record, size_t offset, WORD value) {
  std::memcpy(record + offset, &value, sizeof value);
}
inline bool HasFormatTag(const BYTE* record) {
  return std::memcmp(record + TFD_FORMAT_TAG, kFormatTag, sizeof kFormatTag) == 0;
}

// A file-data record locked for the length of one call. `data` is NULL when
// the handle is not a live block of at least the common layout's size plus
// the private block.
class LockedRecord {
 public:
  explicit LockedRecord(HGLOBAL handle);
  ~LockedRecord();
  LockedRecord(const LockedRecord&) = delete;
  LockedRecord& operator=(const LockedRecord&) = delete;
  BYTE* data() const { return data_; }
  // Unlocks before the block is resized.
  void Release();

 private:
  HGLOBAL handle_;
  BYTE* data_ = nullptr;
};

// A movable block allocated zero-filled and locked, freed on scope exit.
class LockedBlock {
 public:
  LockedBlock() = default;
  ~LockedBlock() { Free(); }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  enum Result { kOk, kNoMemory, kNoLock };
  // Allocates and locks `bytes` bytes (refused above kMaxBlockBytes).
  Result Allocate(uint64_t bytes);
  BYTE* data() const { return data_; }
  void Free();

 private:
  HGLOBAL handle_ = 0;
  BYTE* data_ = nullptr;
};

// Largest block the module allocates for one call, and largest image it
// accepts from a file: 1 GiB of pixel data.
constexpr uint64_t kMaxBlockBytes = uint64_t{1} << 30;

// Destroys the palette kept at `offset` of the record and clears the slot.
void DropPalette(BYTE* record, size_t offset);

}  // namespace tpi
