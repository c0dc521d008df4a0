// Maximum and Minimum: grey dilation and erosion with a round or square
// structuring element.
//
// The element is cut into horizontal spans: row dy of a disk of radius r
// holds the offsets |dx| <= h(dy), the largest h with h^2 + dy^2 <= r^2.
// The extremes of all spans of one half-width along a row follow from
// those of a smaller half-width with one comparison per pixel (rank_rows.h),
// and an output row is the extreme over the 2 r + 1 input rows around it of
// their spans. The cost per pixel grows linearly with the radius.
#include <new>

#include "rank_rows.h"

namespace {

using rankfilter::Element;

// Above this the ring of spans would take too much memory; the scatter way
// does the same work in two rows.
constexpr size_t kRingBudget = 64u << 20;

// A buffer locked for one call.
class Locked {
 public:
  explicit Locked(HBUF h) : handle_(h) {
    void* p = nullptr;
    if (buf32Lock(h, 3, &p)) pixels_ = static_cast<BYTE*>(p);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  ~Locked() {
    if (pixels_) buf32Unlock(handle_);
  }
  BYTE* pixels() const { return pixels_; }

 private:
  HBUF handle_;
  BYTE* pixels_ = nullptr;
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
    if (!in.pixels() || !target.pixels()) throw std::bad_alloc();
    Element e = rankfilter::MakeElement(radius, shape, info.width, info.height);
    if (rankfilter::RingBytes(info.width, e) <= kRingBudget) {
      rankfilter::RunRing<Op>(in.pixels(), target.pixels(), info.width, info.height, e);
    } else {
      rankfilter::RunScatter<Op>(in.pixels(), target.pixels(), info.width, info.height, e);
    }
  } catch (const std::bad_alloc&) {
    buf32Free(result);
    return RANK_ERR_MEMORY;
  }
  *out = result;
  return RANK_OK;
}

}  // namespace

LVEXPORT LONG Maximum(HBUF source, HBUF* out, LONG radius, LONG shape, LONG reserved) {
  return RankFilter<rankfilter::Greater>(source, out, radius, shape, reserved);
}

LVEXPORT LONG Minimum(HBUF source, HBUF* out, LONG radius, LONG shape, LONG reserved) {
  return RankFilter<rankfilter::Lesser>(source, out, radius, shape, reserved);
}
