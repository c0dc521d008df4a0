// Single pixels of 1-bit rows: eight pixels a byte, most significant first.
#pragma once

#include <cstdint>

#include "imgcore.h"

namespace imgcore {

inline bool GetBit(const BYTE* row, int64_t x) { return (row[x >> 3] >> (7 - (x & 7))) & 1; }

inline void SetBit(BYTE* row, int64_t x, bool on) {
  BYTE mask = static_cast<BYTE>(0x80 >> (x & 7));
  if (on) {
    row[x >> 3] |= mask;
  } else {
    row[x >> 3] &= static_cast<BYTE>(~mask);
  }
}

}  // namespace imgcore
