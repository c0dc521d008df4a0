// How an opened TPI file is laid out, derived from the file-data record.
#include "layout.h"

#include <tpifio.h>

#include "record.h"

namespace tpi {

namespace {

// File and host bits per pixel of a data type; false for an unknown type.
bool BitsOfType(LONG type, bool stores32, int* fileBits, int* hostBits) {
  switch (type) {
    case TFD_TYPE_BW: *fileBits = 1; *hostBits = 1; return true;
    case TFD_TYPE_16: *fileBits = 4; *hostBits = 8; return true;
    case TFD_TYPE_256:
    case TFD_TYPE_GREY: *fileBits = 8; *hostBits = 8; return true;
    case TFD_TYPE_HICOLOR: *fileBits = 16; *hostBits = 16; return true;
    case TFD_TYPE_RGB: *fileBits = stores32 ? 32 : 24; *hostBits = 24; return true;
    default: return false;
  }
}

}  // namespace

bool LayoutFromRecord(const BYTE* record, Layout* layout) {
  Layout l;
  l.type = Get32(record, TFD_DATA_TYPE);
  l.width = Get32(record, TFD_WIDTH);
  l.height = Get32(record, TFD_HEIGHT);
  l.stores32 = Get32(record, TFD_STORES32) == 1;
  l.is565 = Get32(record, TFD_LAYOUT16) == 16;
  l.invert = Get32(record, TFD_INVERT_BITS) == 1;
  l.pixelOffset = static_cast<DWORD>(Get32(record, TFD_PIXEL_OFFSET));
  if (!BitsOfType(l.type, l.stores32, &l.fileBits, &l.hostBits)) return false;
  if (!SizeWithinLimits(static_cast<uint64_t>(l.fileBits), static_cast<uint64_t>(l.hostBits),
                        l.width, l.height))
    return false;
  l.stride = Stride(static_cast<uint64_t>(l.fileBits), static_cast<uint64_t>(l.width));
  *layout = l;
  return true;
}

bool SizeWithinLimits(uint64_t fileBits, uint64_t hostBits, LONG width, LONG height) {
  if (width < 1 || height < 1 || width > kMaxDimension || height > kMaxDimension) return false;
  const uint64_t w = static_cast<uint64_t>(width), rows = static_cast<uint64_t>(height);
  return Stride(fileBits, w) * rows <= kMaxFileImageBytes &&
         RowBytes(hostBits, w) * rows <= kMaxHostImageBytes;
}

int HostBytesPerPixel(LONG type) {
  switch (type) {
    case TFD_TYPE_RGB: return 3;
    case TFD_TYPE_HICOLOR: return 2;
    case TFD_TYPE_256:
    case TFD_TYPE_GREY: return 1;
    default: return 0;
  }
}

}  // namespace tpi
