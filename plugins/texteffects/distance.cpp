// Signed distance map by exact squared Euclidean distance transforms: for
// each class, the lower envelope of parabolas along every column, then
// along every row, over the mask with a one-pixel outside border.
#include "distance.h"

#include <cmath>
#include <new>

#include "frame.h"

namespace texfx {

namespace {

constexpr double kFar = 1.0e20;  // "no feature here" in a squared distance

// One line of the transform: d[q] = min over p of (q - p)^2 + f[p].
class LineTransform {
 public:
  explicit LineTransform(size_t n) : v_(n), z_(n + 1), d_(n) {}

  void Run(const double* f, size_t n, double* out) {
    size_t k = 0;
    v_[0] = 0;
    z_[0] = -kFar;
    z_[1] = kFar;
    for (size_t q = 1; q < n; ++q) {
      double s = Intersection(f, q, v_[k]);
      while (k > 0 && s <= z_[k]) s = Intersection(f, q, v_[--k]);
      ++k;
      v_[k] = q;
      z_[k] = s;
      z_[k + 1] = kFar;
    }
    k = 0;
    for (size_t q = 0; q < n; ++q) {
      while (z_[k + 1] < static_cast<double>(q)) ++k;
      const double dq = static_cast<double>(q) - static_cast<double>(v_[k]);
      d_[q] = dq * dq + f[v_[k]];
    }
    for (size_t q = 0; q < n; ++q) out[q] = d_[q];
  }

 private:
  static double Intersection(const double* f, size_t q, size_t p) {
    const double dq = static_cast<double>(q), dp = static_cast<double>(p);
    return ((f[q] + dq * dq) - (f[p] + dp * dp)) / (2 * dq - 2 * dp);
  }
  std::vector<size_t> v_;
  std::vector<double> z_;
  std::vector<double> d_;
};

// Squared distances to the features of `grid` (0 at features, kFar
// elsewhere), in place, columns then rows. false on Escape.
bool Transform(std::vector<double>* grid, size_t width, size_t height, RenderProgress* report,
               LONGLONG* done, LONGLONG total) {
  LineTransform line(width > height ? width : height);
  std::vector<double> column(height);
  for (size_t x = 0; x < width; ++x) {
    if (report->Cancelled()) return false;
    for (size_t y = 0; y < height; ++y) column[y] = (*grid)[y * width + x];
    line.Run(column.data(), height, column.data());
    for (size_t y = 0; y < height; ++y) (*grid)[y * width + x] = column[y];
    report->Step(++*done, total);
  }
  for (size_t y = 0; y < height; ++y) {
    if (report->Cancelled()) return false;
    line.Run(grid->data() + y * width, width, grid->data() + y * width);
    report->Step(++*done, total);
  }
  return true;
}

}  // namespace

LONG SignedDistanceMap(HBUF mask, const ProgressLink& progress, std::vector<double>* map) {
  BUFINFO info;
  if (ReadInfo(mask, &info) || info.pixelFormat != 8) return kErrMemory;
  const size_t width = static_cast<size_t>(info.width), height = static_cast<size_t>(info.height);
  const size_t gw = width + 2, gh = height + 2;
  RenderProgress report(&progress);
  try {
    std::vector<BYTE> pixels(width * height);
    if (!buf32GetMem(mask, 0, 0, info.width, info.height, pixels.data())) return kErrMemory;
    // inside: features are the outside pixels and the border; outside:
    // features are the object's pixels.
    std::vector<double> inside(gw * gh, 0.0), outside(gw * gh, kFar);
    for (size_t y = 0; y < height; ++y)
      for (size_t x = 0; x < width; ++x)
        if (pixels[y * width + x]) {
          inside[(y + 1) * gw + x + 1] = kFar;
          outside[(y + 1) * gw + x + 1] = 0.0;
        }
    const LONGLONG total = 2 * static_cast<LONGLONG>(gw + gh);
    LONGLONG done = 0;
    if (!Transform(&inside, gw, gh, &report, &done, total) ||
        !Transform(&outside, gw, gh, &report, &done, total))
      return kErrCancelled;
    map->assign(width * height, 0.0);
    for (size_t y = 0; y < height; ++y)
      for (size_t x = 0; x < width; ++x) {
        const size_t g = (y + 1) * gw + x + 1;
        double& out = (*map)[y * width + x];
        if (pixels[y * width + x]) {
          out = std::sqrt(inside[g]);
        } else {
          out = outside[g] >= kFar / 2 ? kNoObjectDistance : -std::sqrt(outside[g]);
        }
      }
  } catch (const std::bad_alloc&) {
    return kErrMemory;
  }
  return 0;
}

}  // namespace texfx
