// Pieces shared by the two ways of running the rank filter: the extreme
// taken, the element's span widths, and widening a row's spans.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "imgcore.h"
#include "rankfilter.h"

namespace rankfilter {

// Dilation: the largest value; pixels beyond the image count as 0.
struct Greater {
  static constexpr BYTE kNeutral = 0;
  static BYTE Pick(BYTE a, BYTE b) { return a > b ? a : b; }
};
// Erosion: the smallest value; pixels beyond the image count as 255.
struct Lesser {
  static constexpr BYTE kNeutral = 255;
  static BYTE Pick(BYTE a, BYTE b) { return a < b ? a : b; }
};

// The element as it meets an image: for each |dy| from 0 to `reach` (the
// largest that stays inside the image) the half-width of its row, capped at
// `pad` (width - 1: a wider span covers the row all the same).
struct Element {
  LONG reach = 0;
  LONG pad = 0;
  std::vector<LONG> half;      // half-width per |dy|
  std::vector<LONG> widths;    // the distinct half-widths, ascending
  std::vector<size_t> slotOf;  // index into widths per |dy|
};

// The element of `shape` and `radius` (at least 0) on a width x height image.
Element MakeElement(LONG radius, LONG shape, LONG width, LONG height);

// A row padded by `pad` neutral values on each side, and the spans of one
// half-width after another taken over it. Throws std::bad_alloc.
template <typename Op>
class SpanRow {
 public:
  SpanRow(LONG width, LONG pad)
      : width_(static_cast<size_t>(width)),
        pad_(static_cast<size_t>(pad)),
        row_(width_ + 2 * pad_, Op::kNeutral),
        next_(row_.size(), Op::kNeutral) {}

  // Starts over with `pixels` (half-width 0).
  void Load(const BYTE* pixels) {
    std::fill(row_.begin(), row_.end(), Op::kNeutral);
    std::copy(pixels, pixels + width_, row_.begin() + static_cast<std::ptrdiff_t>(pad_));
    half_ = 0;
  }

  // Widens the spans to half-width `target` (not below the current one).
  // From half-width h, one step reaches up to 2 h: the spans of half-width
  // h around x - s and x + s, s <= h, cover x - h - s .. x + h + s.
  void WidenTo(LONG target) {
    while (half_ < target) {
      LONG next = half_ == 0 ? 1 : std::min(target, 2 * half_);
      Step(next);
    }
  }

  // The extremes of the current spans at the image's columns.
  const BYTE* Spans() const { return row_.data() + pad_; }

 private:
  void Step(LONG next) {
    const BYTE* __restrict from = row_.data();
    BYTE* __restrict to = next_.data();
    size_t begin = static_cast<size_t>(next), end = row_.size() - begin;
    if (half_ == 0) {
      for (size_t i = begin; i < end; ++i)
        to[i] = Op::Pick(Op::Pick(from[i - 1], from[i]), from[i + 1]);
    } else {
      size_t s = static_cast<size_t>(next - half_);
      for (size_t i = begin; i < end; ++i) to[i] = Op::Pick(from[i - s], from[i + s]);
    }
    row_.swap(next_);
    half_ = next;
  }

  size_t width_, pad_;
  std::vector<BYTE> row_, next_;
  LONG half_ = 0;
};

// out[x] = ext(out[x], span[x]) for x < width.
template <typename Op>
inline void FoldInto(BYTE* __restrict out, const BYTE* __restrict span, size_t width) {
  for (size_t x = 0; x < width; ++x) out[x] = Op::Pick(out[x], span[x]);
}

// out[x] = ext(out[x], a[x], b[x]) for x < width: one pass for two rows.
template <typename Op>
inline void FoldPairInto(BYTE* __restrict out, const BYTE* __restrict a, const BYTE* __restrict b,
                         size_t width) {
  for (size_t x = 0; x < width; ++x) out[x] = Op::Pick(out[x], Op::Pick(a[x], b[x]));
}

// Runs the filter from `in` to `out` (locked pixel memory of width x height
// bytes each, row step `width`). The ring way keeps the spans of the rows
// an output row needs; it takes (2 reach + 1) x widths x width bytes. The
// scatter way folds each input row into every output row it reaches at
// once and needs only two padded rows. Both throw std::bad_alloc.
template <typename Op>
void RunRing(const BYTE* in, BYTE* out, LONG width, LONG height, const Element& e);
template <typename Op>
void RunScatter(const BYTE* in, BYTE* out, LONG width, LONG height, const Element& e);

// Bytes RunRing would take.
size_t RingBytes(LONG width, const Element& e);

}  // namespace rankfilter
