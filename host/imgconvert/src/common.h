// Types shared by the conversion code: colours, palettes, the outcome of a
// step, and owners for buffers and locks that release on every path.
#pragma once

#include <imgconvert.h>

#include <array>
#include <cstddef>
#include <cstdint>

namespace imgconvert {

struct Rgb {
  BYTE r;
  BYTE g;
  BYTE b;
};

static_assert(sizeof(Rgb) == 3, "a colour is three bytes red, green, blue, as in RGB rows");

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// Grey value of a colour with the host's weights, rounded.
inline BYTE GreyOf(Rgb c) {
  return static_cast<BYTE>((299u * c.r + 587u * c.g + 114u * c.b + 500u) / 1000u);
}

// Up to 256 colours of an indexed image; entries past `count` are black, so
// an index past the end reads as black.
struct Palette {
  int count = 0;
  std::array<Rgb, 256> colours{};
};

// Outcome of an internal step: error 0 is success, otherwise the host error
// number and the detail code (CVT32_DETAIL_*).
struct Status {
  LONG error = 0;
  LONG detail = 0;
  bool ok() const { return error == 0; }
};

inline Status Ok() { return {}; }
inline Status BadBitmap(LONG detail) { return {4005, detail}; }
inline Status NoMemory() { return {1001, CVT32_DETAIL_MEMORY}; }
inline Status CannotServe(LONG detail) { return {3200, detail}; }

// Puts a failed step's error into the host error slot under the function
// number (CVT32_FN_*).
void Report(LONG function, const Status& status);

// Owns a buffer handle until Release(); frees it otherwise.
class OwnedBuffer {
 public:
  OwnedBuffer() = default;
  OwnedBuffer(const OwnedBuffer&) = delete;
  OwnedBuffer& operator=(const OwnedBuffer&) = delete;
  ~OwnedBuffer() {
    if (handle_) buf32Free(handle_);
  }
  HBUF* Out() { return &handle_; }
  HBUF get() const { return handle_; }
  HBUF Release() {
    HBUF h = handle_;
    handle_ = 0;
    return h;
  }

 private:
  HBUF handle_ = 0;
};

// Locks a buffer for the life of the object and describes its rows.
class BufferLock {
 public:
  BufferLock(HBUF buffer, LONG access);
  BufferLock(const BufferLock&) = delete;
  BufferLock& operator=(const BufferLock&) = delete;
  ~BufferLock();
  bool ok() const { return pixels_ != nullptr; }
  const BUFINFO& info() const { return info_; }
  BYTE* Row(LONG y) const { return pixels_ + static_cast<size_t>(y) * info_.rowBytes; }

 private:
  HBUF buffer_;
  BUFINFO info_{};
  BYTE* pixels_ = nullptr;
};

// Owns a locked global block; unlocks it on every path.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL block)
      : block_(block), data_(static_cast<const BYTE*>(GlobalLock(block))) {}
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  ~GlobalLockGuard() {
    if (data_) GlobalUnlock(block_);
  }
  const BYTE* data() const { return data_; }
  size_t size() const { return data_ ? GlobalSize(block_) : 0; }

 private:
  HGLOBAL block_;
  const BYTE* data_;
};

// A palette handle made from the colours (CreatePalette), or 0.
HPALETTE MakePalette(const Palette& palette);
// The colours of a palette handle (at most 256); false for a bad handle.
bool ReadPalette(HPALETTE handle, Palette* palette);

// imgcore pixel format (bits per pixel) that holds a data type, 0 for an
// unknown type.
LONG FormatOfType(LONG dataType);
// Data type of a buffer's format: 8 bits are indexed (4) with a palette,
// grey (32) without one; 0 for a format without a data type.
LONG TypeOfFormat(LONG pixelFormat, bool hasPalette);

}  // namespace imgconvert
