// The two ways of running the rank filter over whole images.
#include <algorithm>
#include <cstring>

#include "rank_rows.h"

namespace rankfilter {

// Output row y is the fold of the spans of input rows y - reach .. y +
// reach, each at the half-width its |dy| asks for. The spans of the last
// 2 reach + 1 input rows are kept in a ring, all widths of a row worked out
// in one widening, so each output row is made in one go.
namespace {

template <typename Op>
void RingRows(const BYTE* in, BYTE* out, LONG width, LONG height, const Element& e) {
  size_t w = static_cast<size_t>(width);
  size_t rows = 2 * static_cast<size_t>(e.reach) + 1, kinds = e.widths.size();
  std::vector<BYTE> ring(rows * kinds * w);
  SpanRow<Op> spans(width, e.pad);
  auto slot = [&](LONG y, size_t kind) {
    return ring.data() + ((static_cast<size_t>(y) % rows) * kinds + kind) * w;
  };
  for (LONG y = 0; y < height + e.reach; ++y) {
    if (y < height) {
      spans.Load(in + static_cast<size_t>(y) * w);
      for (size_t k = 0; k < kinds; ++k) {
        spans.WidenTo(e.widths[k]);
        std::memcpy(slot(y, k), spans.Spans(), w);
      }
    }
    LONG yo = y - e.reach;
    if (yo < 0) continue;
    BYTE* target = out + static_cast<size_t>(yo) * w;
    std::memcpy(target, slot(yo, e.slotOf[0]), w);
    for (LONG dy = 1; dy <= e.reach; ++dy) {
      const size_t kind = e.slotOf[static_cast<size_t>(dy)];
      bool above = yo - dy >= 0, below = yo + dy < height;
      if (above && below) {
        FoldPairInto<Op>(target, slot(yo - dy, kind), slot(yo + dy, kind), w);
      } else if (above || below) {
        FoldInto<Op>(target, slot(above ? yo - dy : yo + dy, kind), w);
      }
    }
  }
}

// Each input row, widened step by step as |dy| falls from reach to 0, is
// folded into the output rows y - dy and y + dy as soon as it has the
// width that |dy| asks for.
template <typename Op>
void ScatterRows(const BYTE* in, BYTE* out, LONG width, LONG height, const Element& e) {
  size_t w = static_cast<size_t>(width);
  std::memset(out, Op::kNeutral, w * static_cast<size_t>(height));
  SpanRow<Op> spans(width, e.pad);
  for (LONG y = 0; y < height; ++y) {
    spans.Load(in + static_cast<size_t>(y) * w);
    for (LONG dy = e.reach; dy >= 0; --dy) {
      spans.WidenTo(e.half[static_cast<size_t>(dy)]);
      if (y - dy >= 0) FoldInto<Op>(out + static_cast<size_t>(y - dy) * w, spans.Spans(), w);
      if (dy > 0 && y + dy < height)
        FoldInto<Op>(out + static_cast<size_t>(y + dy) * w, spans.Spans(), w);
    }
  }
}

}  // namespace

// Optimised x86-64 builds carry the row loops twice, for processors with
// 256-bit vector instructions and for the others, chosen when the library
// is loaded; everything the loops call is inlined into each copy.
#if defined(__x86_64__) && defined(__OPTIMIZE__) && !defined(__SANITIZE_ADDRESS__) && !defined(__clang__)
#define RANK_VECTOR_CLONES __attribute__((target_clones("avx2", "default"), flatten))
#else
#define RANK_VECTOR_CLONES
#endif

namespace {

RANK_VECTOR_CLONES void RingGreater(const BYTE* in, BYTE* out, LONG w, LONG h, const Element& e) {
  RingRows<Greater>(in, out, w, h, e);
}
RANK_VECTOR_CLONES void RingLesser(const BYTE* in, BYTE* out, LONG w, LONG h, const Element& e) {
  RingRows<Lesser>(in, out, w, h, e);
}
RANK_VECTOR_CLONES void ScatterGreater(const BYTE* in, BYTE* out, LONG w, LONG h,
                                       const Element& e) {
  ScatterRows<Greater>(in, out, w, h, e);
}
RANK_VECTOR_CLONES void ScatterLesser(const BYTE* in, BYTE* out, LONG w, LONG h, const Element& e) {
  ScatterRows<Lesser>(in, out, w, h, e);
}

}  // namespace

template <>
void RunRing<Greater>(const BYTE* in, BYTE* out, LONG w, LONG h, const Element& e) {
  RingGreater(in, out, w, h, e);
}
template <>
void RunRing<Lesser>(const BYTE* in, BYTE* out, LONG w, LONG h, const Element& e) {
  RingLesser(in, out, w, h, e);
}
template <>
void RunScatter<Greater>(const BYTE* in, BYTE* out, LONG w, LONG h, const Element& e) {
  ScatterGreater(in, out, w, h, e);
}
template <>
void RunScatter<Lesser>(const BYTE* in, BYTE* out, LONG w, LONG h, const Element& e) {
  ScatterLesser(in, out, w, h, e);
}

}  // namespace rankfilter
