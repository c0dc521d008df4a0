// Grey dilation and erosion with a round or square structuring element.
//
// The element is cut into horizontal spans: row dy of a disk of radius r
// holds the offsets |dx| <= h(dy), h(dy) = floor(sqrt(r^2 - dy^2)). The
// extreme of a span of half-width w along a row follows from the one of
// half-width w - 1 with one comparison per pixel, e(w, x) = ext(e(w - 1,
// x - 1), e(w - 1, x + 1)) for w >= 2. So each input row is widened step by
// step (h grows as |dy| falls), and whenever the width of some |dy| is reached,
// the widened row is folded into the output rows y - dy and y + dy. The
// cost per pixel is about r widening steps and 2 r + 1 folds: linear in
// the radius, in plain loops over byte rows that the compiler vectorises.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "imgcore.h"
#include "rankfilter.h"

namespace {

struct Greater {
  static constexpr BYTE kNeutral = 0;  // beyond the image: takes no part
  static BYTE Pick(BYTE a, BYTE b) { return a > b ? a : b; }
};
struct Lesser {
  static constexpr BYTE kNeutral = 255;
  static BYTE Pick(BYTE a, BYTE b) { return a < b ? a : b; }
};

// A buffer locked for one call.
class Locked {
 public:
  explicit Locked(HBUF h) : handle_(h) {
    void* p = nullptr;
    if (buf32GetInfo(h, &info_) && buf32Lock(h, 3, &p)) pixels_ = static_cast<BYTE*>(p);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  ~Locked() {
    if (pixels_) buf32Unlock(handle_);
  }
  bool ok() const { return pixels_ != nullptr; }
  const BUFINFO& info() const { return info_; }
  BYTE* Row(LONG y) const { return pixels_ + static_cast<size_t>(y) * info_.rowBytes; }

 private:
  HBUF handle_;
  BUFINFO info_{};
  BYTE* pixels_ = nullptr;
};

// Half-widths of the element's rows for |dy| = 0 .. rows - 1, each capped
// at `cap` (a span as wide as the image row covers all of it).
std::vector<LONG> SpanHalfWidths(LONG radius, LONG rows, LONG shape, LONG cap) {
  std::vector<LONG> half(static_cast<size_t>(rows));
  long long r2 = static_cast<long long>(radius) * radius;
  long long w = radius;
  for (LONG dy = 0; dy < rows; ++dy) {
    if (shape == RANK_DISK) {
      long long rest = r2 - static_cast<long long>(dy) * dy;
      while (w * w > rest) --w;
    }
    half[static_cast<size_t>(dy)] = static_cast<LONG>(std::min<long long>(w, cap));
  }
  return half;
}

// The filter over whole rows: `row` and `next` are scratch of width + 2 pad.
template <typename Op>
class RowFilter {
 public:
  RowFilter(const Locked& in, const Locked& out, LONG radius, LONG shape)
      : in_(in), out_(out), width_(in.info().width), height_(in.info().height) {
    pad_ = std::min(radius, width_ - 1);
    reach_ = std::min(radius, height_ - 1);
    half_ = SpanHalfWidths(radius, reach_ + 1, shape, pad_);
    size_t length = static_cast<size_t>(width_) + 2 * static_cast<size_t>(pad_);
    row_.assign(length, Op::kNeutral);
    next_.assign(length, Op::kNeutral);
  }

  void Run() {
    for (LONG y = 0; y < height_; ++y) std::memset(out_.Row(y), Op::kNeutral, width_);
    for (LONG y = 0; y < height_; ++y) FoldRow(y);
  }

 private:
  // Widens input row y step by step and folds it into every output row
  // whose element reaches it.
  void FoldRow(LONG y) {
    std::fill(row_.begin(), row_.end(), Op::kNeutral);
    std::memcpy(row_.data() + pad_, in_.Row(y), width_);
    LONG reached = 0;
    for (LONG dy = reach_; dy >= 0; --dy) {
      LONG wanted = half_[static_cast<size_t>(dy)];
      while (reached < wanted) Widen(++reached);
      if (y - dy >= 0) Fold(out_.Row(y - dy));
      if (dy > 0 && y + dy < height_) Fold(out_.Row(y + dy));
    }
  }

  // From half-width w - 1 to w over the part of the row still needed. The
  // spans of half-width w - 1 around x - 1 and x + 1 together cover x - w
  // .. x + w once w >= 2; the first step also needs x itself.
  void Widen(LONG w) {
    const BYTE* __restrict from = row_.data();
    BYTE* __restrict to = next_.data();
    size_t end = row_.size() - static_cast<size_t>(w);
    if (w == 1) {
      for (size_t i = 1; i < end; ++i) to[i] = Op::Pick(Op::Pick(from[i - 1], from[i]), from[i + 1]);
    } else {
      for (size_t i = static_cast<size_t>(w); i < end; ++i) to[i] = Op::Pick(from[i - 1], from[i + 1]);
    }
    row_.swap(next_);
  }

  void Fold(BYTE* __restrict target) const {
    const BYTE* __restrict span = row_.data() + pad_;
    for (LONG x = 0; x < width_; ++x) target[x] = Op::Pick(target[x], span[x]);
  }

  const Locked& in_;
  const Locked& out_;
  LONG width_, height_;
  LONG pad_ = 0;    // columns of neutral values on each side of a row
  LONG reach_ = 0;  // largest |dy| that stays inside the image
  std::vector<LONG> half_;
  std::vector<BYTE> row_, next_;
};

template <typename Op>
LONG RankFilter(HBUF source, HBUF* out, LONG radius, LONG shape, LONG reserved) {
  if (!out) return RANK_ERR_ARGUMENT;
  *out = 0;
  if (radius < 0 || reserved != 0 || (shape != RANK_DISK && shape != RANK_SQUARE)) {
    return RANK_ERR_ARGUMENT;
  }
  BUFINFO info{};
  if (!buf32GetInfo(source, &info) || info.pixelFormat != 8) return RANK_ERR_ARGUMENT;
  HBUF result = 0;
  if (!buf32Alloc(&result, 8, info.width, info.height, info.kind, nullptr)) return RANK_ERR_MEMORY;
  try {
    Locked in(source), target(result);
    if (!in.ok() || !target.ok()) throw std::bad_alloc();
    RowFilter<Op> filter(in, target, radius, shape);
    filter.Run();
  } catch (const std::bad_alloc&) {
    buf32Free(result);
    return RANK_ERR_MEMORY;
  }
  *out = result;
  return RANK_OK;
}

}  // namespace

LVEXPORT LONG Maximum(HBUF source, HBUF* out, LONG radius, LONG shape, LONG reserved) {
  return RankFilter<Greater>(source, out, radius, shape, reserved);
}

LVEXPORT LONG Minimum(HBUF source, HBUF* out, LONG radius, LONG shape, LONG reserved) {
  return RankFilter<Lesser>(source, out, radius, shape, reserved);
}
