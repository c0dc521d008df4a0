// Squared Euclidean distances by the lower envelope of parabolas, one pass
// down the columns and one along the rows; linear in the pixel count.
#include "distance.h"

#include <algorithm>
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

}  // namespace

std::vector<float> SquaredDistances(const std::vector<bool>& isSite, size_t width, size_t height) {
  std::vector<float> grid(width * height);
  for (size_t i = 0; i < grid.size(); ++i) grid[i] = isSite[i] ? 0.0f : kFar;
  Envelope column(height);
  for (size_t x = 0; x < width; ++x) {
    for (size_t y = 0; y < height; ++y) column.line[y] = grid[y * width + x];
    LineTransform(column, height);
    for (size_t y = 0; y < height; ++y) grid[y * width + x] = std::min(column.result[y], kFar);
  }
  Envelope row(width);
  for (size_t y = 0; y < height; ++y) {
    float* r = grid.data() + y * width;
    std::copy(r, r + width, row.line.begin());
    LineTransform(row, width);
    for (size_t x = 0; x < width; ++x) r[x] = std::min(row.result[x], kFar);
  }
  return grid;
}

}  // namespace softedge
