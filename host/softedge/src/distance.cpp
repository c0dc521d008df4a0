// Squared Euclidean distances: the distance along each column first, then
// per row the lower envelope of the parabolas those distances span; linear
// in the pixel count.
#include "distance.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace softedge {
namespace {

constexpr float kFar = 1e30f;

// Scratch of one line: envelope parabola places and their boundaries.
struct Envelope {
  std::vector<size_t> place;
  std::vector<float> bound;
  std::vector<float> line, result;
  explicit Envelope(size_t n) : place(n), bound(n + 1), line(n), result(n) {}
};

// d[q] = min over p of (q - p)^2 + f[p], for q, p in 0 .. n - 1.
void LineTransform(Envelope& e, size_t n) {
  const float* f = e.line.data();
  const float inf = std::numeric_limits<float>::infinity();
  size_t k = 0;
  e.place[0] = 0;
  e.bound[0] = -inf;
  e.bound[1] = inf;
  for (size_t q = 1; q < n; ++q) {
    float fq = f[q] + static_cast<float>(q) * static_cast<float>(q);
    // The bounds are finite from index 1 on and bound[0] is -inf, so the
    // walk back stops at the first parabola at the latest.
    float s;
    for (;;) {
      size_t p = e.place[k];
      float fp = f[p] + static_cast<float>(p) * static_cast<float>(p);
      s = (fq - fp) / (2.0f * static_cast<float>(q - p));
      if (s > e.bound[k]) break;
      --k;
    }
    ++k;
    e.place[k] = q;
    e.bound[k] = s;
    e.bound[k + 1] = inf;
  }
  k = 0;
  for (size_t q = 0; q < n; ++q) {
    while (e.bound[k + 1] < static_cast<float>(q)) ++k;
    float dq = static_cast<float>(q) - static_cast<float>(e.place[k]);
    e.result[q] = dq * dq + f[e.place[k]];
  }
}

// Distance down or up the column to the nearest site, for all columns at
// once, row after row: two sweeps, each a plain loop along a row.
std::vector<float> ColumnDistances(const std::vector<uint8_t>& isSite, size_t width,
                                   size_t height) {
  const float none = kFar;
  std::vector<float> g(width * height);
  for (size_t y = 0; y < height; ++y) {
    const uint8_t* site = isSite.data() + y * width;
    float* row = g.data() + y * width;
    const float* above = y > 0 ? row - width : nullptr;
    for (size_t x = 0; x < width; ++x) {
      row[x] = site[x] ? 0.0f : (above ? std::min(above[x] + 1.0f, none) : none);
    }
  }
  for (size_t y = height - 1; y-- > 0;) {
    float* row = g.data() + y * width;
    const float* below = row + width;
    for (size_t x = 0; x < width; ++x) row[x] = std::min(row[x], below[x] + 1.0f);
  }
  return g;
}

// Optimised x86-64 builds carry the row loop twice, for processors with
// 256-bit vector instructions and for the others, chosen at load time.
#if defined(__x86_64__) && defined(__OPTIMIZE__) && !defined(__SANITIZE_ADDRESS__) && !defined(__clang__)
#define SOFTEDGE_VECTOR_CLONES __attribute__((target_clones("avx2", "default"), noinline))
#else
#define SOFTEDGE_VECTOR_CLONES __attribute__((noinline))
#endif

// to[x] = min(to[x], from[x] + step) along a row. Kept out of line so the
// compiler keeps this loop innermost (swapped with the loop over the
// window it becomes a scalar reduction).
SOFTEDGE_VECTOR_CLONES void MinShifted(float* __restrict to, const float* __restrict from,
                                       float step, size_t width) {
  for (size_t x = 0; x < width; ++x) to[x] = std::min(to[x], from[x] + step);
}

// to[x] = min over |dx| <= cap of g2[x + dx] + dx^2; g2 readable from
// -cap to width + cap.
void NearestInWindow(float* to, const float* g2, size_t width, long cap) {
  for (long dx = -cap; dx <= cap; ++dx) {
    MinShifted(to, g2 + dx, static_cast<float>(dx) * static_cast<float>(dx), width);
  }
}

}  // namespace

std::vector<float> SquaredDistances(const std::vector<uint8_t>& isSite, size_t width,
                                    size_t height) {
  std::vector<float> grid = ColumnDistances(isSite, width, height);
  Envelope row(width);
  for (size_t y = 0; y < height; ++y) {
    float* r = grid.data() + y * width;
    for (size_t x = 0; x < width; ++x) row.line[x] = r[x] >= kFar ? kFar : r[x] * r[x];
    LineTransform(row, width);
    for (size_t x = 0; x < width; ++x) r[x] = std::min(row.result[x], kFar);
  }
  return grid;
}

std::vector<float> CappedSquaredDistances(const std::vector<uint8_t>& isSite, size_t width,
                                          size_t height, long cap) {
  std::vector<float> grid = ColumnDistances(isSite, width, height);
  const float far = static_cast<float>(cap) * static_cast<float>(cap);
  const size_t c = static_cast<size_t>(cap);
  // Squared column distances, with cap columns of `far` on each side.
  std::vector<float> padded(width + 2 * c, far);
  std::vector<float> nearest(width);
  for (size_t y = 0; y < height; ++y) {
    float* r = grid.data() + y * width;
    float* g2 = padded.data() + c;
    for (size_t x = 0; x < width; ++x) g2[x] = std::min(r[x] * r[x], far);
    std::fill(nearest.begin(), nearest.end(), far);
    NearestInWindow(nearest.data(), g2, width, cap);
    std::copy(nearest.begin(), nearest.end(), r);
  }
  return grid;
}

}  // namespace softedge
