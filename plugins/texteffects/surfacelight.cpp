// Surface lighting, row by row over the locked picture, height field and
// result, with the normals from the normal map.
#include "surfacelight.h"

#include <cmath>

#include "normalmap.h"

namespace texfx {

namespace {

constexpr double kDegreesToRadians = 0.017453292519944444;
constexpr double kGradientScale = 0.000392156862745098;  // 1 / 2550
constexpr double kViewerHeight = 512.0;

struct Vector {
  double x, y, z;
};

inline double Dot(const Vector& a, const Vector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vector Normalized(const Vector& v) {
  const double length = std::sqrt(Dot(v, v));
  return Vector{v.x / length, v.y / length, v.z / length};
}

inline BYTE Channel(double value) {
  if (value < 1.0) return 0;
  if (value >= 255.0) return 255;
  return static_cast<BYTE>(value + 0.5);
}

// The light falling on one pixel: lit with strength a I, or facing away.
struct Shade {
  bool lit;
  double strength;  // a I when lit
};

Shade ShadeAt(LONG x, LONG y, int height, const Gradient& g, const LightPoint& light,
              LONG halfWidth, LONG halfHeight) {
  const Vector n = Normalized(Vector{-g.gx * kGradientScale, -g.gy * kGradientScale, 1.0});
  const Vector toLight{static_cast<double>(light.x) - x, static_cast<double>(light.y) - y,
                       static_cast<double>(light.z) - height};
  const double r = std::sqrt(Dot(toLight, toLight));
  // A light standing exactly on the surface point lights it from above.
  const Vector l = r > 0 ? Vector{toLight.x / r, toLight.y / r, toLight.z / r} : Vector{0, 0, 1};
  const double d = Dot(n, l);
  if (d < 0) return Shade{false, 0.0};
  const Vector v = Normalized(Vector{static_cast<double>(halfWidth) - x,
                                     static_cast<double>(halfHeight) - y, kViewerHeight - height});
  const double q = r > 0 ? light.z / r : 1.0;
  const double a = std::fmin(q * q * q, 1.0);
  const Vector mirrored{2 * d * n.x - l.x, 2 * d * n.y - l.y, 2 * d * n.z - l.z};
  const double s = std::fmax(Dot(mirrored, v), 0.0);
  const double s2 = s * s;
  return Shade{true, a * (0.5 * s2 * s2 * s + 0.45 * d)};
}

// The lit pixels of one row: `channels` bytes per pixel (1 or 3), with the
// surface and ambient colour per channel.
struct RowJob {
  const BYTE* heights;
  LONG heightBytes;  // bytes per height pixel (1 or 3)
  const BYTE* picture;
  BYTE* out;
  LONG channels;
  double surface[3];
  double ambient[3];  // 0.1 W per channel
};

void LightRow(const RowJob& job, const NormalMap& map, LONG y, const LightPoint& light) {
  const LONG halfWidth = map.width / 2, halfHeight = map.height / 2;
  for (LONG x = 0; x < map.width; ++x) {
    const BYTE* hp = job.heights + static_cast<size_t>(x) * job.heightBytes;
    const int h = job.heightBytes == 3 ? (hp[0] + hp[1] + hp[2]) / 3 : hp[0];
    const Shade shade = ShadeAt(x, y, h, map.at(x, y), light, halfWidth, halfHeight);
    const BYTE* p = job.picture + static_cast<size_t>(x) * job.channels;
    BYTE* o = job.out + static_cast<size_t>(x) * job.channels;
    for (LONG k = 0; k < job.channels; ++k) {
      const double lightValue = shade.lit ? job.surface[k] * shade.strength : 0.0;
      o[k] = Channel((lightValue + job.ambient[k]) * p[k] / 255.0);
    }
  }
}

// Per-channel colours of a picture of `channels` channels: red, green,
// blue, or the grey value for one channel.
void ChannelsOf(COLORREF colour, LONG channels, double scale, double* out) {
  if (channels == 3) {
    out[0] = GetRValue(colour) * scale;
    out[1] = GetGValue(colour) * scale;
    out[2] = GetBValue(colour) * scale;
  } else {
    const LONG grey =
        (299 * GetRValue(colour) + 587 * GetGValue(colour) + 114 * GetBValue(colour) + 500) / 1000;
    out[0] = grey * scale;
  }
}

// The result buffer: the one held refilled with 0 if it fits, else new.
LONG PrepareResult(const BUFINFO& picture, OwnedBuf* result) {
  BUFINFO held;
  if (result->get() && buf32GetInfo(result->get(), &held) &&
      held.pixelFormat == picture.pixelFormat && held.width == picture.width &&
      held.height == picture.height) {
    const COLORREF black = 0;
    return buf32FillOneColor(result->get(), &black) ? 0 : kErrMemory;
  }
  return buf32Alloc(result->out(), picture.pixelFormat, picture.width, picture.height,
                    BUF_KIND_PLAIN, nullptr)
             ? 0
             : kErrMemory;
}

// Locks of the three buffers, released together.
class Locks {
 public:
  ~Locks() {
    for (int i = 0; i < count_; ++i) buf32Unlock(held_[i]);
  }
  BYTE* Lock(HBUF buffer, LONG access) {
    void* pixels = nullptr;
    if (!buf32Lock(buffer, access, &pixels)) return nullptr;
    held_[count_++] = buffer;
    return static_cast<BYTE*>(pixels);
  }

 private:
  HBUF held_[3] = {};
  int count_ = 0;
};

}  // namespace

LightPoint LightOverArea(LONG width, LONG height, double elevationDegrees, LONG directionDegrees) {
  const double elevation = elevationDegrees * kDegreesToRadians;
  const double direction = directionDegrees * kDegreesToRadians;
  const double e = width / 2, f = height / 2;
  LightPoint light;
  light.x = static_cast<LONG>((std::cos(elevation) * std::cos(direction) + 1) * e + 0.5);
  light.y = static_cast<LONG>((1 - std::cos(elevation) * std::sin(direction)) * f + 0.5);
  light.z = static_cast<LONG>(std::sin(elevation) * (e + f) / 2 + 0.5) + 255;
  return light;
}

LONG LightSurface(HBUF picture, HBUF heights, const SurfaceLighting& lighting, OwnedBuf* result,
                  const ProgressLink& progress) {
  if (!heights) return kErrNoHeightField;
  if (result->get() == picture || result->get() == heights) return kErrMemory;
  BUFINFO pictureInfo, heightInfo;
  if (ReadInfo(picture, &pictureInfo) || ReadInfo(heights, &heightInfo)) return kErrMemory;
  if ((pictureInfo.pixelFormat != 8 && pictureInfo.pixelFormat != 24) ||
      (heightInfo.pixelFormat != 8 && heightInfo.pixelFormat != 24) ||
      pictureInfo.width != heightInfo.width || pictureInfo.height != heightInfo.height)
    return kErrMemory;
  NormalMap map;
  if (LONG code = BuildNormalMap(heights, &map)) return code;
  if (LONG code = PrepareResult(pictureInfo, result)) return code;

  Locks locks;
  const BYTE* heightPixels = locks.Lock(heights, 1);
  const BYTE* picturePixels = locks.Lock(picture, 1);
  BYTE* outPixels = locks.Lock(result->get(), 3);
  if (!heightPixels || !picturePixels || !outPixels) return kErrMemory;

  RowJob job;
  job.heightBytes = heightInfo.bytesPerPixel;
  job.channels = pictureInfo.bytesPerPixel;
  ChannelsOf(lighting.surface, job.channels, 1.0, job.surface);
  ChannelsOf(lighting.ambient, job.channels, 0.1, job.ambient);
  RenderProgress report(&progress);
  for (LONG y = 0; y < pictureInfo.height; ++y) {
    if (report.Cancelled()) return kErrCancelled;
    job.heights = heightPixels + static_cast<size_t>(y) * heightInfo.rowBytes;
    job.picture = picturePixels + static_cast<size_t>(y) * pictureInfo.rowBytes;
    job.out = outPixels + static_cast<size_t>(y) * pictureInfo.rowBytes;
    LightRow(job, map, y, lighting.light);
    report.Step(y + 1, pictureInfo.height);
  }
  return 0;
}

}  // namespace texfx
