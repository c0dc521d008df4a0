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
