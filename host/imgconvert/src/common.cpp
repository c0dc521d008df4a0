// Error reporting, buffer locks, palettes and type-to-format mapping.
#include "common.h"

#include <hostcommon.h>

#include <vector>

namespace imgconvert {

void Report(LONG function, const Status& status) {
  c32SetDLLErrInfo(0, status.error, 0, CVT32_UNIT, function, status.detail);
}

BufferLock::BufferLock(HBUF buffer, LONG access) : buffer_(buffer) {
  if (!buf32GetInfo(buffer, &info_)) return;
  void* pixels = nullptr;
  if (!buf32Lock(buffer, access, &pixels)) return;
  pixels_ = static_cast<BYTE*>(pixels);
}

BufferLock::~BufferLock() {
  if (pixels_) buf32Unlock(buffer_);
}

HPALETTE MakePalette(const Palette& palette) {
  int count = palette.count < 1 ? 1 : palette.count;
  std::vector<BYTE> memory(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * count);
  auto* log = reinterpret_cast<LOGPALETTE*>(memory.data());
  log->palVersion = 0x300;
  log->palNumEntries = static_cast<WORD>(count);
  for (int i = 0; i < count; ++i) {
    log->palPalEntry[i] = {palette.colours[i].r, palette.colours[i].g, palette.colours[i].b, 0};
  }
  return CreatePalette(log);
}

bool ReadPalette(HPALETTE handle, Palette* palette) {
  UINT count = GetPaletteEntries(handle, 0, 0, nullptr);
  if (count == 0) return false;
  if (count > 256) count = 256;
  PALETTEENTRY entries[256];
  UINT got = GetPaletteEntries(handle, 0, count, entries);
  *palette = Palette{};
  palette->count = static_cast<int>(got);
  for (UINT i = 0; i < got; ++i) {
    palette->colours[i] = {entries[i].peRed, entries[i].peGreen, entries[i].peBlue};
  }
  return got > 0;
}

LONG FormatOfType(LONG dataType) {
  switch (dataType) {
    case CVT32_TYPE_RGB:
      return 24;
    case CVT32_TYPE_INDEXED256:
    case CVT32_TYPE_INDEXED16:
    case CVT32_TYPE_GREY:
      return 8;
    case CVT32_TYPE_HICOLOR:
      return 16;
    case CVT32_TYPE_BW:
      return 1;
    default:
      return 0;
  }
}

LONG TypeOfFormat(LONG pixelFormat, bool hasPalette) {
  switch (pixelFormat) {
    case 24:
      return CVT32_TYPE_RGB;
    case 16:
      return CVT32_TYPE_HICOLOR;
    case 8:
      return hasPalette ? CVT32_TYPE_INDEXED256 : CVT32_TYPE_GREY;
    case 1:
      return CVT32_TYPE_BW;
    default:
      return 0;
  }
}

}  // namespace imgconvert
