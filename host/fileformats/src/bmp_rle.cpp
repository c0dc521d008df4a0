// Decoding of run-length encoded BMP pixel data, row by row: one row of
// indices is kept and handed on when the data moves past it.
#include "bmp_rle.h"

#include <cstring>
#include <vector>

namespace tf {

namespace {

class RleDecoder {
 public:
  RleDecoder(LONG width, LONG height, bool nibbles, const ByteSource& next, const RowSink& sink)
      : width_(width), height_(height), nibbles_(nibbles), next_(next), sink_(sink),
        row_(static_cast<size_t>(width), 0) {}

  bool Run() {
    BYTE count = 0, value = 0;
    while (y_ < height_) {
      if (!next_(&count) || !next_(&value)) break;
      if (count > 0) {
        Repeat(count, value);
      } else if (value == 0) {
        if (!EndRow()) return false;
      } else if (value == 1) {
        break;
      } else if (value == 2) {
        BYTE dx = 0, dy = 0;
        if (!next_(&dx) || !next_(&dy)) break;
        x_ += dx;
        for (int i = 0; i < dy && y_ < height_; ++i) {
          LONG keepX = x_;
          if (!EndRow()) return false;
          x_ = keepX;
        }
      } else if (!Literal(value)) {
        break;
      }
    }
    while (y_ < height_)
      if (!EndRow()) return false;
    return true;
  }

 private:
  void Put(BYTE index) {
    if (x_ < width_) row_[static_cast<size_t>(x_)] = index;
    ++x_;
  }

  void Repeat(int count, BYTE value) {
    for (int i = 0; i < count; ++i) Put(nibbles_ ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
  }

  // An absolute run of count pixels, padded to a 16-bit boundary.
  bool Literal(int count) {
    int bytes = nibbles_ ? (count + 1) / 2 : count;
    BYTE value = 0;
    for (int i = 0; i < count; ++i) {
      if (nibbles_) {
        if (!(i & 1) && !next_(&value)) return false;
        Put((i & 1) ? (value & 0x0F) : (value >> 4));
      } else {
        if (!next_(&value)) return false;
        Put(value);
      }
    }
    if (bytes & 1) return next_(&value);
    return true;
  }

  bool EndRow() {
    bool go = sink_(y_, row_.data());
    std::memset(row_.data(), 0, row_.size());
    ++y_;
    x_ = 0;
    return go;
  }

  LONG width_, height_;
  bool nibbles_;
  const ByteSource& next_;
  const RowSink& sink_;
  std::vector<BYTE> row_;
  LONG x_ = 0, y_ = 0;
};

}  // namespace

bool DecodeBmpRle(LONG width, LONG height, bool nibbles, const ByteSource& next, const RowSink& sink) {
  return RleDecoder(width, height, nibbles, next, sink).Run();
}

}  // namespace tf
