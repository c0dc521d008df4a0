// A buffer locked for the length of one operation, with its geometry.
#pragma once

#include <cstddef>

#include "imgcore.h"
#include "maskkit.h"

namespace maskkit {

class Locked {
 public:
  // Locks `handle` for reading and writing; ok() tells whether it is live.
  explicit Locked(HBUF handle) : handle_(handle) {
    if (!buf32GetInfo(handle, &info_)) return;
    void* p = nullptr;
    if (!buf32Lock(handle, 3, &p)) return;
    pixels_ = static_cast<BYTE*>(p);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  ~Locked() {
    if (pixels_) buf32Unlock(handle_);
  }

  bool ok() const { return pixels_ != nullptr; }
  // Live and of the pixel format `bits`.
  bool Is(LONG bits) const { return ok() && info_.pixelFormat == bits; }
  bool SameSize(const Locked& other) const {
    return info_.width == other.info_.width && info_.height == other.info_.height;
  }
  LONG width() const { return info_.width; }
  LONG height() const { return info_.height; }
  LONG bits() const { return info_.pixelFormat; }
  size_t rowBytes() const { return static_cast<size_t>(info_.rowBytes); }
  // Pixel count (8-bit buffers: also the byte count).
  size_t count() const {
    return static_cast<size_t>(info_.width) * static_cast<size_t>(info_.height);
  }
  BYTE* pixels() const { return pixels_; }
  BYTE* Row(LONG y) const { return pixels_ + static_cast<size_t>(y) * rowBytes(); }

 private:
  HBUF handle_;
  BUFINFO info_{};
  BYTE* pixels_ = nullptr;
};

// MASK_OK when both are live 8-bit buffers of one size, else the error.
inline LONG CheckPair(const Locked& a, const Locked& b) {
  if (!a.Is(8) || !b.Is(8)) return MASK_ERR_ARGUMENT;
  return a.SameSize(b) ? MASK_OK : MASK_ERR_SIZE;
}

}  // namespace maskkit
