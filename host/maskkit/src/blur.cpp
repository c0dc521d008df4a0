// MaskBlur: repeated box filtering of a mask with running sums.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "locked.h"

using maskkit::Locked;

namespace {

constexpr LONG kMaxPasses = 8;

// Rounded mean of a window sum: (sum + width / 2) / width, by multiplying
// with the reciprocal. The quotient's fraction is at most 1 - 1 / width,
// and 1 / width stays above the 1e-7 nudge for every width an image allows,
// so the nudge only lifts products that fell just short of a whole number.
struct Mean {
  explicit Mean(LONG radius)
      : half(static_cast<uint32_t>(radius)), inverse(1.0 / (2.0 * radius + 1.0)) {}
  BYTE operator()(uint32_t sum) const {
    return static_cast<BYTE>(static_cast<double>(sum + half) * inverse + 1e-7);
  }
  uint32_t half;
  double inverse;
};

// One box pass along a row of n pixels, the ends repeating; `line` is
// scratch of n + 2 radius values.
void BoxRow(BYTE* row, size_t n, LONG radius, const Mean& mean, std::vector<BYTE>& line) {
  size_t r = static_cast<size_t>(radius);
  std::memset(line.data(), row[0], r);
  std::memcpy(line.data() + r, row, n);
  std::memset(line.data() + r + n, row[n - 1], r);
  size_t width = 2 * r + 1;
  uint32_t sum = 0;
  for (size_t i = 0; i < width; ++i) sum += line[i];
  for (size_t i = 0; i < n; ++i) {
    row[i] = mean(sum);
    if (i + 1 < n) sum = sum + line[i + width] - line[i];
  }
}

// One box pass down the columns, worked row by row: `sums` holds each
// column's window sum, moved down one row at a time. Reads `in`, writes
// `out` (both w x h).
void BoxColumns(const BYTE* in, BYTE* out, size_t w, size_t h, LONG radius, const Mean& mean,
                std::vector<uint32_t>& sums) {
  long r = radius, last = static_cast<long>(h) - 1;
  auto row = [&](long y) { return in + static_cast<size_t>(std::clamp(y, 0L, last)) * w; };
  std::fill(sums.begin(), sums.end(), 0u);
  for (long y = -r; y <= r; ++y) {
    const BYTE* src = row(y);
    for (size_t x = 0; x < w; ++x) sums[x] += src[x];
  }
  for (long y = 0; y <= last; ++y) {
    BYTE* dst = out + static_cast<size_t>(y) * w;
    for (size_t x = 0; x < w; ++x) dst[x] = mean(sums[x]);
    const BYTE* enter = row(y + r + 1);
    const BYTE* leave = row(y - r);
    for (size_t x = 0; x < w; ++x) sums[x] = sums[x] + enter[x] - leave[x];
  }
}

// Blurs the 8-bit pixels in place: each pass filters the rows, then the
// columns.
void BlurPixels(BYTE* pixels, LONG width, LONG height, LONG radius, LONG passes) {
  size_t w = static_cast<size_t>(width), h = static_cast<size_t>(height);
  std::vector<BYTE> line(w + 2 * static_cast<size_t>(radius));
  std::vector<BYTE> copy(w * h);
  std::vector<uint32_t> sums(w);
  Mean mean(radius);
  for (LONG pass = 0; pass < passes; ++pass) {
    for (size_t y = 0; y < h; ++y) BoxRow(pixels + y * w, w, radius, mean, line);
    std::memcpy(copy.data(), pixels, w * h);
    BoxColumns(copy.data(), pixels, w, h, radius, mean, sums);
  }
}

// A radius beyond the image's larger edge blurs as much as that edge.
LONG UsefulRadius(LONG radius, LONG width, LONG height) {
  return std::min(radius, std::max(width, height));
}

}  // namespace

LVEXPORT BOOL MaskBlur(HBUF source, LONG radius, LONG passes, HBUF* out, LONG newBuffer) {
  if (newBuffer == 1 && out) *out = 0;
  if (radius < 0 || passes < 1 || passes > kMaxPasses) return FALSE;
  if ((newBuffer != 0 && newBuffer != 1) || (newBuffer == 1 && !out)) return FALSE;
  BUFINFO info{};
  if (!buf32GetInfo(source, &info) || info.pixelFormat != 8) return FALSE;
  HBUF work = source;
  if (newBuffer == 1 && !buf32DupBuf(source, &work)) return FALSE;
  try {
    Locked w(work);
    if (!w.ok()) throw std::bad_alloc();
    LONG r = UsefulRadius(radius, w.width(), w.height());
    if (r > 0) BlurPixels(w.pixels(), w.width(), w.height(), r, passes);
  } catch (const std::bad_alloc&) {
    if (work != source) buf32Free(work);
    return FALSE;
  }
  if (newBuffer == 1) *out = work;
  return TRUE;
}
