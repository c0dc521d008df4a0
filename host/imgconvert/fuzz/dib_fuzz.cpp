// Fuzz target: any bytes as a packed bitmap in a global block. Decoding
// either fails cleanly or gives a buffer of the size the header reports;
// a decoded image survives a conversion to 256 colours and a round trip
// through a packed bitmap.
#include <hostcommon.h>
#include <imgconvert.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Images larger than this are only described, not decoded: run-length data
// lets a few bytes ask for the largest buffer imgcore makes.
constexpr int64_t kMaxFuzzPixels = 1 << 20;

void Check(bool condition) {
  if (!condition) std::abort();
}

void RoundTrip(HBUF buffer, HPALETTE palette, LONG type) {
  HGLOBAL dib = cvt32BufToDIB(buffer, type, palette);
  Check(dib != 0);
  HBUF again = 0;
  HPALETTE againPalette = 0;
  LONG againType = 0;
  Check(cvt32DIBToBuf(dib, &again, &againPalette, &againType, 0) != 0);
  BUFINFO a{}, b{};
  Check(buf32GetInfo(buffer, &a) && buf32GetInfo(again, &b));
  Check(a.width == b.width && a.height == b.height && a.pixelFormat == b.pixelFormat);
  buf32Free(again);
  if (againPalette) DeleteObject(againPalette);
  GlobalFree(dib);
}

void Exercise(HBUF buffer, HPALETTE palette, LONG type, int64_t pixels) {
  RoundTrip(buffer, palette, type);
  if (pixels > 4096) return;
  HBUF indexed = 0;
  HPALETTE indexedPalette = 0;
  Check(cvt32BufType(CVT32_MODE_CONVERT, 0, buffer, CVT32_TYPE_INDEXED256, palette, &indexed,
                     &indexedPalette, nullptr, 0, 0, 0) != 0);
  Check(indexedPalette != 0);
  buf32Free(indexed);
  DeleteObject(indexedPalette);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 256 * 1024) return 0;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return 0;
  if (size) std::memcpy(GlobalLock(block), data, size);
  if (size) GlobalUnlock(block);
  LONG width = 0, height = 0, bits = 0, infoType = 0;
  bool described = cvt32GetDIBInfo(block, &width, &height, &bits, &infoType) != 0;
  if (described && int64_t{width} * height <= kMaxFuzzPixels) {
    HBUF buffer = 0;
    HPALETTE palette = 0;
    LONG type = 0;
    if (cvt32DIBToBuf(block, &buffer, &palette, &type, 0)) {
      BUFINFO info{};
      Check(buf32GetInfo(buffer, &info));
      Check(info.width == width && info.height == height && type == infoType);
      Exercise(buffer, palette, type, int64_t{width} * height);
      buf32Free(buffer);
      if (palette) DeleteObject(palette);
    } else {
      Check(buffer == 0 && palette == 0);
    }
  }
  c32ResetDLLErrInfo();
  GlobalFree(block);
  return 0;
}
