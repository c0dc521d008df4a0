// The wave displacement, row by row over the locked buffers.
#include "wave.h"

#include <cmath>

#include "frame.h"

namespace texfx {

namespace {

constexpr double kTwoPiBy17 = 0.3695991357058824;
constexpr double kPiBy51 = 0.06159985588235294;
constexpr double kHalfPi = 1.570796327;
constexpr double kLargestAmplitude = 64.0;

inline LONG Clamp(LONG v, LONG low, LONG high) { return v < low ? low : v > high ? high : v; }

// One row of the destination.
void DisplaceRow(const WaveTable& table, const BUFINFO& info, const BYTE* in, BYTE* out, LONG y) {
  const LONG bpp = info.bytesPerPixel;
  const ptrdiff_t rowBytes = info.rowBytes;
  for (LONG x = 0; x < info.width; ++x, out += bpp) {
    const WavePlace place = WaveSource(table, x, y);
    const double rowFloor = std::floor(place.row), columnFloor = std::floor(place.column);
    // The amplitude is limited, so the place lies near the buffer and its
    // whole parts fit a LONG.
    const LONG r0 = static_cast<LONG>(rowFloor), c0 = static_cast<LONG>(columnFloor);
    const LONG r = Clamp(r0, 0, info.height - 1), below = Clamp(r0 + 1, 0, info.height - 1);
    const BYTE* upper = in + r * rowBytes;
    if (c0 < 0 || c0 + 1 >= info.width) {
      const BYTE* edge = upper + (c0 < 0 ? 0 : static_cast<ptrdiff_t>(info.width - 1) * bpp);
      for (LONG i = 0; i < bpp; ++i) out[i] = edge[i];
      continue;
    }
    const WaveWeights w = WaveWeightsOf(place.column - columnFloor, place.row - rowFloor);
    const BYTE* p = upper + static_cast<ptrdiff_t>(c0) * bpp;
    const BYTE* q = in + below * rowBytes + static_cast<ptrdiff_t>(c0) * bpp;
    for (LONG i = 0; i < bpp; ++i)
      out[i] = static_cast<BYTE>(
          (w.w00 * p[i] + w.w10 * p[i + bpp] + w.w01 * q[i] + w.w11 * q[i + bpp]) >> 8);
  }
}

// Every row of the destination, top to bottom.
LONG DisplaceRows(const WaveTable& table, const BUFINFO& info, const BYTE* in, BYTE* out,
                  const ProgressLink& progress) {
  RenderProgress report(&progress);
  for (LONG y = 0; y < info.height; ++y) {
    if (report.Cancelled()) return kErrCancelled;
    DisplaceRow(table, info, in, out + static_cast<ptrdiff_t>(y) * info.rowBytes, y);
    report.Step(y + 1, info.height);
  }
  return 0;
}

bool FitTogether(const BUFINFO& in, const BUFINFO& out) {
  return in.width == out.width && in.height == out.height && in.pixelFormat == out.pixelFormat &&
         in.rowBytes == out.rowBytes && (in.pixelFormat == 8 || in.pixelFormat == 24);
}

}  // namespace

WaveTable MakeWaveTable(double amplitude) {
  WaveTable t{};
  for (int i = 0; i <= 50; ++i)
    t[static_cast<size_t>(i)] = amplitude * std::sin(kTwoPiBy17 * (i % 17) - kHalfPi) *
                                std::sin(kPiBy51 * (i % 51));
  t[51] = t[50];
  return t;
}

double WaveAt(const WaveTable& table, double u) {
  u = std::fabs(u);
  const double whole = std::trunc(u);
  const double f = u - whole;
  const size_t k = static_cast<size_t>(std::fmod(whole, 51.0));
  return (1 - f) * table[k] + f * table[k + 1];
}

WavePlace WaveSource(const WaveTable& table, LONG x, LONG y) {
  const double fx = x, fy = y;
  return WavePlace{fx + WaveAt(table, fy - 0.5 * fx), fy + WaveAt(table, 25.5 - 0.5 * fy + fx)};
}

WaveWeights WaveWeightsOf(double fx, double fy) {
  const double x256 = fx * 256, y256 = fy * 256;
  WaveWeights w;
  w.w11 = static_cast<LONG>(x256 * y256 / 256);
  w.w01 = static_cast<LONG>(y256 - w.w11);
  w.w10 = static_cast<LONG>(x256 - w.w11);
  w.w00 = 256 - w.w11 - w.w01 - w.w10;
  return w;
}

LONG WaveDisplace(HBUF source, HBUF destination, double amplitude, const ProgressLink& progress) {
  BUFINFO in, out;
  if (source == destination || ReadInfo(source, &in) || ReadInfo(destination, &out) ||
      !FitTogether(in, out))
    return kErrMemory;
  if (!(amplitude >= 0 && amplitude <= kLargestAmplitude)) return kErrMemory;
  void* sourcePixels = nullptr;
  void* targetPixels = nullptr;
  if (!buf32Lock(source, 1, &sourcePixels)) return kErrMemory;
  if (!buf32Lock(destination, 3, &targetPixels)) {
    buf32Unlock(source);
    return kErrMemory;
  }
  const LONG code = DisplaceRows(MakeWaveTable(amplitude), in,
                                 static_cast<const BYTE*>(sourcePixels),
                                 static_cast<BYTE*>(targetPixels), progress);
  buf32Unlock(destination);
  buf32Unlock(source);
  return code;
}

}  // namespace texfx
