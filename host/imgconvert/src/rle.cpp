// Run-length coded bitmaps (BI_RLE8, BI_RLE4). Rows are coded bottom-up;
// escapes: 0 0 end of row, 0 1 end of bitmap, 0 2 dx dy delta, 0 n an
// absolute run of n pixels padded to a 16-bit boundary.
#include <cstring>

#include "dib_decode.h"

namespace imgconvert {
namespace {

class RleCanvas {
 public:
  explicit RleCanvas(const DibLayout& layout, const BufferLock& target)
      : width_(layout.width), height_(layout.height), target_(target) {}
  // Sets the pixel at the cursor (when inside the image) and moves right.
  void Put(BYTE index) {
    if (x_ < width_ && y_ < height_) target_.Row(height_ - 1 - y_)[x_] = index;
    ++x_;
  }
  void NextRow() {
    x_ = 0;
    ++y_;
  }
  void Move(BYTE dx, BYTE dy) {
    x_ += dx;
    y_ += dy;
  }
  bool Finished() const { return y_ >= height_; }

 private:
  int64_t x_ = 0;
  int64_t y_ = 0;
  int64_t width_;
  int64_t height_;
  const BufferLock& target_;
};

// Pixel i of a run whose byte value is `value`: the byte itself (RLE8) or
// its high and low nibbles in turn (RLE4).
inline BYTE RunPixel(BYTE value, unsigned i, bool four) {
  if (!four) return value;
  return (i & 1u) ? static_cast<BYTE>(value & 0x0F) : static_cast<BYTE>(value >> 4);
}

}  // namespace

Status DecodeRle(const DibLayout& layout, const BufferLock& target) {
  const bool four = layout.compression == BI_RLE4;
  const BYTE* data = layout.bits;
  const size_t size = layout.bitsSize;
  RleCanvas canvas(layout, target);
  size_t p = 0;
  while (p + 2 <= size && !canvas.Finished()) {
    BYTE count = data[p], value = data[p + 1];
    p += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i) canvas.Put(RunPixel(value, i, four));
      continue;
    }
    if (value == 0) {
      canvas.NextRow();
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (p + 2 > size) return BadBitmap(CVT32_DETAIL_RLE);
      canvas.Move(data[p], data[p + 1]);
      p += 2;
    } else {
      size_t bytes = four ? (value + 1u) / 2u : value;
      if (p + bytes > size) return BadBitmap(CVT32_DETAIL_RLE);
      for (unsigned i = 0; i < value; ++i) {
        canvas.Put(four ? RunPixel(data[p + i / 2], i, true) : data[p + i]);
      }
      p += bytes + (bytes & 1u);
    }
  }
  return Ok();
}

}  // namespace imgconvert
