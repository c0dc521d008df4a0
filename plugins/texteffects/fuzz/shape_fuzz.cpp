// Fuzz target: any bytes as a shape file. Reading either fails with one of
// the shape file codes or gives a packed bitmap whose conversion gives an
// 8-bit grey shape or fails cleanly.
#include <imgconvert.h>

#include <cstdint>
#include <cstdlib>

#include "../frame.h"
#include "../shapes.h"

namespace {

// Inputs beyond this are refused before anything is read.
constexpr size_t kMaxInput = 1 << 20;
// Bitmaps of more pixels are only described: run-length data lets a few
// bytes ask for very large buffers.
constexpr int64_t kMaxPixels = 1 << 20;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsShapeFileCode(LONG code) {
  return code == texfx::kErrRead || code == texfx::kErrNotBmp || code == texfx::kErrMemory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  texfx::MemorySource source(data, static_cast<DWORD>(size));
  HGLOBAL dib = 0;
  const LONG code = texfx::ReadPackedBitmap(&source, &dib);
  if (code) {
    Check(IsShapeFileCode(code) && dib == 0);
    return 0;
  }
  LONG width = 0, height = 0;
  const bool described = cvt32GetDIBInfo(dib, &width, &height, nullptr, nullptr);
  if (described && static_cast<int64_t>(width) * height <= kMaxPixels) {
    HBUF shape = 0;
    if (texfx::ShapeFromPackedBitmap(dib, &shape) == 0) {
      BUFINFO info = {};
      Check(buf32GetInfo(shape, &info) && info.pixelFormat == 8 && info.width == width &&
            info.height == height);
      buf32Free(shape);
    }
  }
  GlobalFree(dib);
  return 0;
}
