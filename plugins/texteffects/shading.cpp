// Shading images and their blending over the image under the object.
#include "shading.h"

namespace texfx {

namespace {

// Buffers locked for one operation, unlocked on destruction.
class Locks {
 public:
  ~Locks() {
    for (int i = 0; i < count_; ++i) buf32Unlock(handles_[i]);
  }
  void* Lock(HBUF buffer, LONG access) {
    void* pixels = nullptr;
    if (count_ == 4 || !buf32Lock(buffer, access, &pixels)) return nullptr;
    handles_[count_++] = buffer;
    return pixels;
  }

 private:
  HBUF handles_[4] = {};
  int count_ = 0;
};

bool SameSize(const BUFINFO& a, const BUFINFO& b) {
  return a.width == b.width && a.height == b.height;
}

}  // namespace

LONG ShadingImage(HBUF shading, HBUF like, bool white, OwnedBuf* out) {
  BUFINFO shade, image;
  if (LONG code = ReadInfo(shading, &shade)) return code;
  if (LONG code = ReadInfo(like, &image)) return code;
  if (shade.pixelFormat != 8 || !SameSize(shade, image)) return kErrMemory;
  if (white) {
    if (LONG code = NewFilled(image.pixelFormat, image.width, image.height, RGB(255, 255, 255), out))
      return code;
  } else if (!buf32Alloc(out->out(), image.pixelFormat, image.width, image.height, image.kind,
                         nullptr)) {
    return kErrMemory;
  }
  Locks locks;
  void* target = locks.Lock(out->get(), 3);
  const void* source = locks.Lock(shading, 1);
  if (!target || !source) return kErrMemory;
  const LONG count = image.width * image.height;
  return i32ColorspaceConvert(static_cast<BYTE*>(target), source, count, 1) ? 0 : kErrMemory;
}

LONG BlendOver(HBUF result, HBUF mask, HBUF back, LONG mode, LONG value) {
  BUFINFO r, m, b;
  if (LONG code = ReadInfo(result, &r)) return code;
  if (LONG code = ReadInfo(mask, &m)) return code;
  if (LONG code = ReadInfo(back, &b)) return code;
  if (m.pixelFormat != 8 || r.pixelFormat != b.pixelFormat || !SameSize(r, m) || !SameSize(r, b))
    return kErrMemory;
  Locks locks;
  void* out = locks.Lock(result, 3);
  const BYTE* weights = static_cast<const BYTE*>(locks.Lock(mask, 1));
  const void* under = back == result ? out : locks.Lock(back, 1);
  if (!out || !weights || !under) return kErrMemory;
  const LONG count = r.width * r.height;
  return i32Merge(out, out, weights, under, r.bytesPerPixel, count, mode, value) ? 0 : kErrMemory;
}

}  // namespace texfx
