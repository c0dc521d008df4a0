// MaskBlur: repeated box filtering of a mask with running sums.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "locked.h"

using maskkit::Locked;

namespace {

constexpr LONG kMaxPasses = 8;

// One box pass over `n` values spaced `stride` apart: each becomes the
// rounded mean of the 2 radius + 1 values around it, the ends repeating.
// `line` is scratch of n + 2 radius values.
void BoxLine(BYTE* data, size_t n, size_t stride, LONG radius, std::vector<BYTE>& line) {
  size_t r = static_cast<size_t>(radius);
  for (size_t i = 0; i < r; ++i) line[i] = data[0];
  for (size_t i = 0; i < n; ++i) line[r + i] = data[i * stride];
  for (size_t i = 0; i < r; ++i) line[r + n + i] = data[(n - 1) * stride];
  unsigned width = static_cast<unsigned>(2 * r + 1);
  unsigned sum = 0;
  for (size_t i = 0; i < width; ++i) sum += line[i];
  for (size_t i = 0; i < n; ++i) {
    data[i * stride] = static_cast<BYTE>((sum + width / 2) / width);
    if (i + 1 < n) sum += line[i + width] - line[i];
  }
}

// Blurs the 8-bit pixels in place: each pass filters the rows, then the
// columns.
void BlurPixels(BYTE* pixels, LONG width, LONG height, LONG radius, LONG passes) {
  std::vector<BYTE> line(static_cast<size_t>(std::max(width, height)) + 2 * radius);
  size_t w = static_cast<size_t>(width), h = static_cast<size_t>(height);
  for (LONG pass = 0; pass < passes; ++pass) {
    for (size_t y = 0; y < h; ++y) BoxLine(pixels + y * w, w, 1, radius, line);
    for (size_t x = 0; x < w; ++x) BoxLine(pixels + x, h, w, radius, line);
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
