// Helpers for the buffer tests: owned handles and pixel access by row.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "imgcore.h"

// A buffer freed at the end of the test.
class OwnedBuf {
 public:
  OwnedBuf() = default;
  explicit OwnedBuf(HBUF h) : handle_(h) {}
  OwnedBuf(const OwnedBuf&) = delete;
  OwnedBuf& operator=(const OwnedBuf&) = delete;
  ~OwnedBuf() {
    if (handle_) buf32Free(handle_);
  }
  HBUF get() const { return handle_; }
  HBUF* out() { return &handle_; }

 private:
  HBUF handle_ = 0;
};

// A new zero buffer; the test fails when allocation fails.
inline HBUF MakeBuf(LONG bits, LONG width, LONG height) {
  HBUF h = 0;
  EXPECT_TRUE(buf32Alloc(&h, bits, width, height, BUF_KIND_PLAIN, nullptr));
  return h;
}

// Every byte of the buffer's pixel memory, via buf32Line.
inline std::vector<BYTE> AllBytes(HBUF h) {
  BUFINFO info{};
  EXPECT_TRUE(buf32GetInfo(h, &info));
  std::vector<BYTE> bytes(static_cast<size_t>(info.dataSize));
  for (LONG y = 0; y < info.height; ++y) {
    EXPECT_TRUE(buf32Line(h, y, 1, bytes.data() + static_cast<size_t>(y) * info.rowBytes));
  }
  return bytes;
}

// Writes bytes[i] = f(i) over the whole pixel memory.
template <typename F>
void PaintBytes(HBUF h, F f) {
  void* p = nullptr;
  ASSERT_TRUE(buf32Lock(h, 2, &p));
  BUFINFO info{};
  ASSERT_TRUE(buf32GetInfo(h, &info));
  BYTE* bytes = static_cast<BYTE*>(p);
  for (LONG i = 0; i < info.dataSize; ++i) bytes[i] = static_cast<BYTE>(f(i));
  ASSERT_TRUE(buf32Unlock(h));
}
