// A small open-addressing table of up to 256 distinct colours, each with a
// palette index: for images that fit a palette exactly.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "common.h"

namespace imgconvert {

class ColourTable {
 public:
  ColourTable() { keys_.fill(kEmpty); }
  // Key of a colour: 0x00RRGGBB.
  static uint32_t KeyOf(Rgb c) { return static_cast<uint32_t>(c.r) << 16 | c.g << 8 | c.b; }
  // Adds the colour with the next index unless present; false when the
  // table already holds `most` colours and this one is new.
  bool Add(uint32_t key, int most) {
    size_t slot = Find(key);
    if (keys_[slot] == key) return true;
    if (count_ >= most) return false;
    keys_[slot] = key;
    values_[slot] = static_cast<BYTE>(count_++);
    return true;
  }
  // Index of a colour that was added (0 for one that was not).
  BYTE IndexOf(uint32_t key) const {
    size_t slot = Find(key);
    return keys_[slot] == key ? values_[slot] : 0;
  }
  int count() const { return count_; }
  // The colours held, in ascending order of their key.
  std::vector<uint32_t> SortedKeys() const {
    std::vector<uint32_t> keys;
    for (uint32_t key : keys_) {
      if (key != kEmpty) keys.push_back(key);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
  }

 private:
  static constexpr uint32_t kEmpty = 0xFFFFFFFFu;  // no colour has this key
  static constexpr size_t kSlots = 1024;           // four times the most colours
  size_t Find(uint32_t key) const {
    size_t slot = (key * 2654435761u) >> 22;  // top 10 bits of the product
    while (keys_[slot] != kEmpty && keys_[slot] != key) slot = (slot + 1) & (kSlots - 1);
    return slot;
  }
  std::array<uint32_t, kSlots> keys_;
  std::array<BYTE, kSlots> values_{};
  int count_ = 0;
};

}  // namespace imgconvert
