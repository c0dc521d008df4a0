// A table of objects addressed by 32-bit handles. A handle is the table's tag
// in the top byte and a running number below it; numbers are handed out in
// order and only come round again after 16 million allocations, skipping
// those still in use, so a freed handle stays invalid for a long time and a
// handle of another kind never matches. Callers hold their own lock.
#pragma once

#include <win/types.h>

#include <unordered_map>
#include <utility>

namespace lv {

template <class Entry>
class HandleTable {
 public:
  explicit HandleTable(uint8_t tag) : tag_(static_cast<uint32_t>(tag) << 24) {}

  // Stores the entry; returns its new handle, or 0 when the table is full.
  HANDLE Add(Entry entry) {
    if (entries_.size() >= kMaxNumber) return 0;
    for (;;) {
      uint32_t number = next_;
      next_ = next_ >= kMaxNumber ? 1 : next_ + 1;
      HANDLE handle = tag_ | number;
      if (entries_.find(handle) == entries_.end()) {
        entries_.emplace(handle, std::move(entry));
        return handle;
      }
    }
  }

  // The entry of a live handle, or nullptr.
  Entry* Find(HANDLE handle) {
    auto it = entries_.find(handle);
    return it == entries_.end() ? nullptr : &it->second;
  }

  // Removes a live handle; false when it was not one.
  bool Remove(HANDLE handle) { return entries_.erase(handle) != 0; }

  std::unordered_map<HANDLE, Entry>& Entries() { return entries_; }

 private:
  static constexpr uint32_t kMaxNumber = 0x00FFFFFF;
  uint32_t tag_;
  uint32_t next_ = 1;
  std::unordered_map<HANDLE, Entry> entries_;
};

// The tags of the kernel's handle kinds.
enum HandleTag : uint8_t {
  kModuleTag = 0x10,
  kMemoryTag = 0x20,
  kFileTag = 0x30,
  kFindTag = 0x31,
};

}  // namespace lv
