// The structuring element's rows as they meet an image.
#include <algorithm>

#include "rank_rows.h"

namespace rankfilter {

Element MakeElement(LONG radius, LONG shape, LONG width, LONG height) {
  Element e;
  e.pad = std::min(radius, width - 1);
  e.reach = std::min(radius, height - 1);
  e.half.resize(static_cast<size_t>(e.reach) + 1);
  long long r2 = static_cast<long long>(radius) * radius;
  long long w = radius;
  for (LONG dy = 0; dy <= e.reach; ++dy) {
    if (shape == RANK_DISK) {
      // The largest w with w^2 + dy^2 <= r^2; w only falls as dy grows.
      long long rest = r2 - static_cast<long long>(dy) * dy;
      while (w * w > rest) --w;
    }
    e.half[static_cast<size_t>(dy)] = static_cast<LONG>(std::min<long long>(w, e.pad));
  }
  e.widths = e.half;
  std::sort(e.widths.begin(), e.widths.end());
  e.widths.erase(std::unique(e.widths.begin(), e.widths.end()), e.widths.end());
  for (LONG h : e.half) {
    e.slotOf.push_back(static_cast<size_t>(std::lower_bound(e.widths.begin(), e.widths.end(), h) -
                                           e.widths.begin()));
  }
  return e;
}

size_t RingBytes(LONG width, const Element& e) {
  return (2 * static_cast<size_t>(e.reach) + 1) * e.widths.size() * static_cast<size_t>(width);
}

}  // namespace rankfilter
