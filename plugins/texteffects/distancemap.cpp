// The signed distance map in two passes. Each pixel keeps the position of
// the nearest pixel of the other class found so far. A neighbour of the
// other class offers its own position, a neighbour of the same class the
// position it keeps; the pixel takes the offer nearest to it (a tie keeps
// the earlier one). The top-down pass looks at the left and the three
// upper neighbours sweeping left to right, then at the right neighbour
// sweeping back; the bottom-up pass does the same with the lower
// neighbours and writes the distances.
#include "distancemap.h"

#include <cmath>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace texfx {

namespace {

// Position of a pixel, or kFar for "none found yet": far enough that every
// real position is nearer, near enough that squares fit 64 bits.
struct Position {
  int32_t x, y;
};
constexpr int32_t kFar = 1 << 29;

// The working state: classes and nearest positions of the image with a
// one-pixel frame of background (never updated) around it.
struct Field {
  LONG width = 0, height = 0;
  size_t stride = 0;          // entries per padded row: width + 2
  std::vector<BYTE> inside;   // 1 object, 0 background, per padded pixel
  std::vector<Position> near; // nearest pixel of the other class found so far

  size_t Index(LONG x, LONG y) const {
    return static_cast<size_t>(y + 1) * stride + static_cast<size_t>(x + 1);
  }
};

LONG Prepare(const BYTE* mask, LONG width, LONG height, LONG rowBytes, Field* field) {
  field->width = width;
  field->height = height;
  field->stride = static_cast<size_t>(width) + 2;
  const size_t count = field->stride * (static_cast<size_t>(height) + 2);
  try {
    field->inside.assign(count, 0);
    field->near.assign(count, Position{kFar, kFar});
  } catch (const std::bad_alloc&) {
    return kErrMemory;
  }
  for (LONG y = 0; y < height; ++y) {
    const BYTE* row = mask + static_cast<size_t>(y) * static_cast<size_t>(rowBytes);
    BYTE* inside = field->inside.data() + field->Index(0, y);
    for (LONG x = 0; x < width; ++x) inside[x] = row[x] != 0;
  }
  return 0;
}

inline int64_t Squared(const Position& p, LONG x, LONG y) {
  const int64_t dx = static_cast<int64_t>(p.x) - x, dy = static_cast<int64_t>(p.y) - y;
  return dx * dx + dy * dy;
}

// The pixel at index i, (x, y), looks at its neighbour (x + dx, y + dy).
inline void Consider(Field* f, size_t i, LONG x, LONG y, LONG dx, LONG dy, int64_t* best) {
  const size_t q = static_cast<size_t>(static_cast<ptrdiff_t>(i) +
                                       static_cast<ptrdiff_t>(dy) * static_cast<ptrdiff_t>(f->stride) + dx);
  const Position offer = f->inside[q] != f->inside[i]
                             ? Position{static_cast<int32_t>(x + dx), static_cast<int32_t>(y + dy)}
                             : f->near[q];
  const int64_t d = Squared(offer, x, y);
  if (d < *best) {
    *best = d;
    f->near[i] = offer;
  }
}

// One row of a pass: left to right with the left neighbour and the three
// of the row `dy` away, then right to left with the right neighbour.
void SweepRow(Field* f, LONG y, LONG dy) {
  size_t i = f->Index(0, y);
  for (LONG x = 0; x < f->width; ++x, ++i) {
    int64_t best = Squared(f->near[i], x, y);
    Consider(f, i, x, y, -1, 0, &best);
    Consider(f, i, x, y, -1, dy, &best);
    Consider(f, i, x, y, 0, dy, &best);
    Consider(f, i, x, y, 1, dy, &best);
  }
  i = f->Index(f->width - 1, y);
  for (LONG x = f->width - 1; x >= 0; --x, --i) {
    int64_t best = Squared(f->near[i], x, y);
    Consider(f, i, x, y, 1, 0, &best);
  }
}

void WriteRow(const Field& f, LONG y, double* out) {
  const size_t i = f.Index(0, y);
  for (LONG x = 0; x < f.width; ++x) {
    const double d = std::sqrt(static_cast<double>(Squared(f.near[i + x], x, y)));
    out[x] = f.inside[i + x] ? d : -d;
  }
}

}  // namespace

LONG SignedDistances(const BYTE* mask, LONG width, LONG height, LONG rowBytes, double* out,
                     const ProgressLink& progress) {
  if (!mask || !out || width < 1 || height < 1 || width > 1048576 || height > 1048576 ||
      rowBytes < width)
    return kErrMemory;
  Field field;
  if (LONG code = Prepare(mask, width, height, rowBytes, &field)) return code;
  RenderProgress report(&progress);
  const LONGLONG total = 2LL * height;
  for (LONG y = 0; y < height; ++y) {
    if (report.Cancelled()) return kErrCancelled;
    SweepRow(&field, y, -1);
    report.Step(y + 1, total);
  }
  for (LONG y = height - 1; y >= 0; --y) {
    if (report.Cancelled()) return kErrCancelled;
    SweepRow(&field, y, 1);
    WriteRow(field, y, out + static_cast<size_t>(y) * static_cast<size_t>(width));
    report.Step(2LL * height - y, total);
  }
  return 0;
}

LONG SignedDistanceMap(HBUF mask, OwnedBuf* out, const ProgressLink& progress) {
  BUFINFO info;
  if (ReadInfo(mask, &info) || info.pixelFormat != 8) return kErrMemory;
  OwnedBuf map;
  if (!buf32Alloc(map.out(), 64, info.width, info.height, BUF_KIND_PLAIN, nullptr))
    return kErrMemory;
  void* maskPixels = nullptr;
  void* mapPixels = nullptr;
  if (!buf32Lock(mask, 1, &maskPixels)) return kErrMemory;
  if (!buf32Lock(map.get(), 2, &mapPixels)) {
    buf32Unlock(mask);
    return kErrMemory;
  }
  const LONG code = SignedDistances(static_cast<const BYTE*>(maskPixels), info.width, info.height,
                                    info.rowBytes, static_cast<double*>(mapPixels), progress);
  buf32Unlock(map.get());
  buf32Unlock(mask);
  if (code) return code;
  *out = std::move(map);
  return 0;
}

}  // namespace texfx
