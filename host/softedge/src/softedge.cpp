// CreateSoftEdgeMask: a ramp across the object's edge from the signed
// Euclidean distance of every pixel to that edge.
#include "softedge.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <vector>

#include "distance.h"
#include "imgcore.h"

namespace {

constexpr LONG kMaxRadius = 65535;
constexpr BYTE kObjectLevel = 128;  // mask values from here on are the object

// A buffer locked for one call.
class Locked {
 public:
  explicit Locked(HBUF h) : handle_(h) {
    void* p = nullptr;
    if (buf32GetInfo(h, &info_) && buf32Lock(h, 3, &p)) pixels_ = static_cast<BYTE*>(p);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  ~Locked() {
    if (pixels_) buf32Unlock(handle_);
  }
  bool ok() const { return pixels_ != nullptr; }
  size_t width() const { return static_cast<size_t>(info_.width); }
  size_t height() const { return static_cast<size_t>(info_.height); }
  BYTE* pixels() const { return pixels_; }

 private:
  HBUF handle_;
  BUFINFO info_{};
  BYTE* pixels_ = nullptr;
};

// Signed distances of the mask's pixels to the object's edge, positive
// inside. The grid is one cell larger on every side, that ring belonging
// to the outside, so an object touching the image's edge ends there.
std::vector<float> SignedDistances(const BYTE* mask, size_t width, size_t height, LONG radius) {
  size_t gw = width + 2, gh = height + 2;
  std::vector<uint8_t> inside(gw * gh, 0);
  for (size_t y = 0; y < height; ++y) {
    uint8_t* row = inside.data() + (y + 1) * gw + 1;
    const BYTE* in = mask + y * width;
    for (size_t x = 0; x < width; ++x) row[x] = in[x] >= kObjectLevel;
  }
  // Beyond radius + 1 every distance gives the same clamped value, so for
  // small radii the distances are capped there, which is much cheaper.
  long cap = static_cast<long>(radius) + 1;
  auto distances = [&](const std::vector<uint8_t>& sites) {
    return cap <= softedge::kWindowCap ? softedge::CappedSquaredDistances(sites, gw, gh, cap)
                                       : softedge::SquaredDistances(sites, gw, gh);
  };
  std::vector<float> toInside = distances(inside);
  for (uint8_t& v : inside) v = !v;
  std::vector<float> toOutside = distances(inside);
  std::vector<float> signedDistance(width * height);
  for (size_t y = 0; y < height; ++y) {
    for (size_t x = 0; x < width; ++x) {
      size_t g = (y + 1) * gw + x + 1;
      bool in = toInside[g] == 0.0f;
      float across = in ? toOutside[g] : toInside[g];
      float d;
      if (across == 1.0f) {
        // A pixel on the edge: its own coverage places the edge inside it,
        // from -0.5 (value 0) to +0.5 (value 255), so soft masks keep their
        // smooth outline.
        d = (static_cast<float>(mask[y * width + x]) - 127.5f) / 255.0f;
      } else {
        // The edge lies half a pixel before the nearest pixel of the other side.
        d = in ? std::sqrt(across) - 0.5f : 0.5f - std::sqrt(across);
      }
      signedDistance[y * width + x] = d;
    }
  }
  return signedDistance;
}

// The ramp's fraction 0..1 at signed distance d.
float RampAt(float d, float radius, LONG mode) {
  float t;
  if (mode == SOFTEDGE_OUTSIDE) {
    t = 1.0f + d / radius;
  } else if (mode == SOFTEDGE_INSIDE) {
    t = d / radius;
  } else {
    t = (d + radius) / (2.0f * radius);
  }
  return std::clamp(t, 0.0f, 1.0f);
}

void WriteRamp(BYTE* mask, const std::vector<float>& distance, LONG radius, LONG mode,
               LONG profile) {
  float r = static_cast<float>(radius);
  for (size_t i = 0; i < distance.size(); ++i) {
    if (radius == 0) {
      mask[i] = distance[i] > 0.0f ? 255 : 0;
      continue;
    }
    float t = RampAt(distance[i], r, mode);
    if (profile == SOFTEDGE_SMOOTH) t = t * t * (3.0f - 2.0f * t);
    mask[i] = static_cast<BYTE>(255.0f * t + 0.5f);  // t is 0 .. 1
  }
}

bool ValidArguments(LONG radius, LONG mode, LONG profile, HBUF* out, LONG newBuffer) {
  if (radius < 0 || radius > kMaxRadius) return false;
  if (mode != SOFTEDGE_OUTSIDE && mode != SOFTEDGE_INSIDE && mode != SOFTEDGE_CENTRED) return false;
  if (profile != SOFTEDGE_LINEAR && profile != SOFTEDGE_SMOOTH) return false;
  return newBuffer == 0 || (newBuffer == 1 && out != nullptr);
}

}  // namespace

LVEXPORT LONG CreateSoftEdgeMask(HBUF source, LONG radius, LONG mode, LONG profile, HBUF* out,
                                 LONG newBuffer) {
  if (newBuffer == 1 && out) *out = 0;
  if (!ValidArguments(radius, mode, profile, out, newBuffer)) return SOFTEDGE_ERR_ARGUMENT;
  BUFINFO info{};
  if (!buf32GetInfo(source, &info) || info.pixelFormat != 8) return SOFTEDGE_ERR_ARGUMENT;
  HBUF target = source;
  if (newBuffer == 1 && !buf32Alloc(&target, 8, info.width, info.height, info.kind, nullptr)) {
    return SOFTEDGE_ERR_MEMORY;
  }
  try {
    std::vector<float> distance;
    {
      Locked in(source);
      if (!in.ok()) throw std::bad_alloc();
      distance = SignedDistances(in.pixels(), in.width(), in.height(), radius);
    }
    Locked result(target);
    if (!result.ok()) throw std::bad_alloc();
    WriteRamp(result.pixels(), distance, radius, mode, profile);
  } catch (const std::bad_alloc&) {
    if (target != source) buf32Free(target);
    return SOFTEDGE_ERR_MEMORY;
  }
  if (newBuffer == 1) *out = target;
  return SOFTEDGE_OK;
}
