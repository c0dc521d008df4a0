// Scaled copies of buffers. 8-bit and 24-bit buffers are averaged over the
// covered area when an axis shrinks and interpolated bilinearly when it
// grows; the other formats (1, 16 and 64 bits, whose values are not plain
// intensities) take the nearest pixel.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "bits.h"
#include "buffer.h"

using namespace imgcore;

namespace {

// The source pixels each output pixel of one axis draws on, with weights
// summing to one: output i uses taps [start[i], start[i + 1]).
struct AxisPlan {
  std::vector<size_t> start;
  std::vector<LONG> index;
  std::vector<float> weight;
};

void AddTap(AxisPlan& plan, LONG index, double weight) {
  if (weight <= 1e-9) return;
  plan.index.push_back(index);
  plan.weight.push_back(static_cast<float>(weight));
}

AxisPlan PlanAxis(LONG srcSize, LONG dstSize) {
  AxisPlan plan;
  plan.start.reserve(static_cast<size_t>(dstSize) + 1);
  double scale = static_cast<double>(srcSize) / dstSize;
  for (LONG i = 0; i < dstSize; ++i) {
    plan.start.push_back(plan.index.size());
    if (dstSize < srcSize) {
      // Area average: the output pixel covers [i * scale, (i + 1) * scale).
      double from = i * scale, to = std::min((i + 1) * scale, static_cast<double>(srcSize));
      LONG first = static_cast<LONG>(std::floor(from));
      for (LONG s = first; s < srcSize && s < to; ++s) {
        AddTap(plan, s, (std::min(to, s + 1.0) - std::max(from, static_cast<double>(s))) / scale);
      }
    } else {
      // Bilinear: centres of output pixels mapped onto the source grid.
      double at = std::clamp((i + 0.5) * scale - 0.5, 0.0, srcSize - 1.0);
      LONG s0 = static_cast<LONG>(std::floor(at));
      LONG s1 = std::min(s0 + 1, srcSize - 1);
      double f = at - s0;
      AddTap(plan, s0, 1.0 - f);
      if (s1 != s0) AddTap(plan, s1, f);
      if (plan.index.size() == plan.start.back()) AddTap(plan, s0, 1.0);
    }
  }
  plan.start.push_back(plan.index.size());
  return plan;
}

// Rounds a weighted sum of bytes (never negative) back to a byte.
inline BYTE ToByte(float v) { return static_cast<BYTE>(std::min(v + 0.5f, 255.0f)); }

void HorizontalGrey(const AxisPlan& across, const float* acc, BYTE* out, LONG width) {
  for (LONG x = 0; x < width; ++x) {
    float sum = 0.0f;
    for (size_t t = across.start[x]; t < across.start[x + 1]; ++t) {
      sum += across.weight[t] * acc[across.index[t]];
    }
    out[x] = ToByte(sum);
  }
}

void HorizontalRgb(const AxisPlan& across, const float* acc, BYTE* out, LONG width) {
  for (LONG x = 0; x < width; ++x) {
    float r = 0.0f, g = 0.0f, b = 0.0f;
    for (size_t t = across.start[x]; t < across.start[x + 1]; ++t) {
      const float* p = acc + static_cast<size_t>(across.index[t]) * 3;
      float w = across.weight[t];
      r += w * p[0];
      g += w * p[1];
      b += w * p[2];
    }
    out[3 * static_cast<size_t>(x)] = ToByte(r);
    out[3 * static_cast<size_t>(x) + 1] = ToByte(g);
    out[3 * static_cast<size_t>(x) + 2] = ToByte(b);
  }
}

// Vertical taps into an accumulator row, then horizontal taps per pixel.
void ResampleSmooth(const ImageBuffer& src, ImageBuffer& dst) {
  LONG channels = BytesPerPixel(src.bitsPerPixel);
  AxisPlan across = PlanAxis(src.width, dst.width);
  AxisPlan down = PlanAxis(src.height, dst.height);
  std::vector<float> acc(static_cast<size_t>(src.width) * channels);
  for (LONG y = 0; y < dst.height; ++y) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    for (size_t t = down.start[y]; t < down.start[y + 1]; ++t) {
      const BYTE* row = src.Row(down.index[t]);
      float w = down.weight[t];
      for (size_t k = 0; k < acc.size(); ++k) acc[k] += w * row[k];
    }
    if (channels == 3) {
      HorizontalRgb(across, acc.data(), dst.Row(y), dst.width);
    } else {
      HorizontalGrey(across, acc.data(), dst.Row(y), dst.width);
    }
  }
}

// Source column or row of the nearest pixel for each output position.
std::vector<LONG> NearestMap(LONG srcSize, LONG dstSize) {
  std::vector<LONG> map(static_cast<size_t>(dstSize));
  for (LONG i = 0; i < dstSize; ++i) {
    int64_t s = (2 * static_cast<int64_t>(i) + 1) * srcSize / (2 * static_cast<int64_t>(dstSize));
    map[i] = static_cast<LONG>(std::min<int64_t>(s, srcSize - 1));
  }
  return map;
}

void ResampleNearest(const ImageBuffer& src, ImageBuffer& dst) {
  std::vector<LONG> columns = NearestMap(src.width, dst.width);
  std::vector<LONG> rows = NearestMap(src.height, dst.height);
  LONG bpp = BytesPerPixel(src.bitsPerPixel);
  for (LONG y = 0; y < dst.height; ++y) {
    // Equal source rows in a row (enlarging): copy the finished row.
    if (y > 0 && rows[y] == rows[y - 1]) {
      std::memcpy(dst.Row(y), dst.Row(y - 1), dst.rowBytes);
      continue;
    }
    const BYTE* in = src.Row(rows[y]);
    BYTE* out = dst.Row(y);
    if (src.bitsPerPixel == 1) {
      for (LONG x = 0; x < dst.width; ++x) SetBit(out, x, GetBit(in, columns[x]));
      continue;
    }
    for (LONG x = 0; x < dst.width; ++x) {
      std::memcpy(out + static_cast<size_t>(x) * bpp, in + static_cast<size_t>(columns[x]) * bpp, bpp);
    }
  }
}

BOOL Resample(HBUF* out, HBUF source, const SIZE* size, bool smooth) {
  if (!out) return FALSE;
  *out = 0;
  ImageBuffer* src = FindBuffer(source);
  if (!src || !size) return FALSE;
  std::unique_ptr<ImageBuffer> dst = MakeBuffer(src->bitsPerPixel, size->cx, size->cy, src->kind);
  if (!dst) return FALSE;
  bool intensities = src->bitsPerPixel == 8 || src->bitsPerPixel == 24;
  if (smooth && intensities) {
    ResampleSmooth(*src, *dst);
  } else {
    ResampleNearest(*src, *dst);
  }
  *out = RegisterBuffer(std::move(dst));
  return *out != 0;
}

}  // namespace

LVEXPORT BOOL t32BufferResample(HBUF* out, HBUF source, const SIZE* size, LONG /*reserved*/) {
  return Resample(out, source, size, true);
}

LVEXPORT BOOL t32BufferResampleEx(HBUF* out, HBUF source, const SIZE* size, LONG mode) {
  if (mode < RESAMPLE_NEAREST || mode > RESAMPLE_QUALITY) {
    if (out) *out = 0;
    return FALSE;
  }
  return Resample(out, source, size, mode != RESAMPLE_NEAREST);
}
