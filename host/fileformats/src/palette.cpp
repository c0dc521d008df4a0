// Logical palettes from colour tables and back.
#include "palette.h"

#include <vector>

namespace tf {

HPALETTE MakePalette(const BYTE (*rgb)[3], int count) {
  if (count <= 0 || count > 256) return 0;
  std::vector<BYTE> memory(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(count));
  LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(memory.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(count);
  for (int i = 0; i < count; ++i) {
    logical->palPalEntry[i].peRed = rgb[i][0];
    logical->palPalEntry[i].peGreen = rgb[i][1];
    logical->palPalEntry[i].peBlue = rgb[i][2];
    logical->palPalEntry[i].peFlags = 0;
  }
  return CreatePalette(logical);
}

int ReadPalette(HPALETTE palette, BYTE (*rgb)[3], int count) {
  if (!palette || count <= 0) return 0;
  PALETTEENTRY entries[256];
  if (count > 256) count = 256;
  UINT got = GetPaletteEntries(palette, 0, static_cast<UINT>(count), entries);
  for (UINT i = 0; i < got; ++i) {
    rgb[i][0] = entries[i].peRed;
    rgb[i][1] = entries[i].peGreen;
    rgb[i][2] = entries[i].peBlue;
  }
  return static_cast<int>(got);
}

void GreyRamp(BYTE (*rgb)[3], int count) {
  for (int i = 0; i < count; ++i) {
    BYTE v = static_cast<BYTE>(count > 1 ? i * 255 / (count - 1) : 0);
    rgb[i][0] = rgb[i][1] = rgb[i][2] = v;
  }
}

HPALETTE CopyPalette(HPALETTE palette) {
  BYTE rgb[256][3];
  int count = ReadPalette(palette, rgb, 256);
  return count ? MakePalette(rgb, count) : 0;
}

}  // namespace tf
