// Helpers for tests of image buffers (they link imgcore): buffers from byte
// lists and back, and handles freed at the end of a test.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <vector>

#include "imgcore.h"

namespace lvtest {

// A buffer of `bits` and size holding `bytes` (row after row); 0 on failure.
inline HBUF BufferOf(LONG bits, LONG width, LONG height, const std::vector<BYTE>& bytes) {
  HBUF h = 0;
  EXPECT_TRUE(buf32Alloc(&h, bits, width, height, BUF_KIND_PLAIN, nullptr));
  void* p = nullptr;
  EXPECT_TRUE(buf32Lock(h, 2, &p));
  if (p) std::memcpy(p, bytes.data(), bytes.size());
  buf32Unlock(h);
  return h;
}

// An 8-bit mask holding `bytes`.
inline HBUF MaskOf(LONG width, LONG height, const std::vector<BYTE>& bytes) {
  return BufferOf(8, width, height, bytes);
}

// A 24-bit buffer width x height whose pixel (x, y) holds the bytes
// (x, y, 7) (x and y wrap at 256), so a pixel shows where it came from; 0
// when it cannot be made. The caller frees it.
inline HBUF PatternImage(LONG width, LONG height) {
  HBUF buffer = 0;
  if (!buf32Alloc(&buffer, 24, width, height, BUF_KIND_PLAIN, nullptr)) return 0;
  std::vector<BYTE> row(static_cast<size_t>(width) * 3);
  for (LONG y = 0; y < height; ++y) {
    for (LONG x = 0; x < width; ++x) {
      row[x * 3] = static_cast<BYTE>(x);
      row[x * 3 + 1] = static_cast<BYTE>(y);
      row[x * 3 + 2] = 7;
    }
    buf32Line(buffer, y, 2, row.data());
  }
  return buffer;
}

// Every byte of the buffer's pixels.
inline std::vector<BYTE> BytesOf(HBUF h) {
  BUFINFO info{};
  EXPECT_TRUE(buf32GetInfo(h, &info));
  std::vector<BYTE> out(static_cast<size_t>(info.dataSize));
  void* p = nullptr;
  EXPECT_TRUE(buf32Lock(h, 1, &p));
  if (p) std::memcpy(out.data(), p, out.size());
  buf32Unlock(h);
  return out;
}

// Frees the handles it holds at the end of a test.
class Owned {
 public:
  Owned(std::initializer_list<HBUF> handles) : handles_(handles) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() {
    for (HBUF h : handles_) buf32Free(h);
  }
  void Add(HBUF h) { handles_.push_back(h); }

 private:
  std::vector<HBUF> handles_;
};

}  // namespace lvtest
