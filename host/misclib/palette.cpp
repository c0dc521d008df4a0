// Copy of a logical palette.
#include <misclib.h>

#include <vector>

HPALETTE misCopyPalette(HPALETTE palette) {
  WORD count = 0;
  if (!palette || GetObjectA(palette, sizeof count, &count) != sizeof count || count == 0) return 0;
  std::vector<BYTE> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  LOGPALETTE* copy = reinterpret_cast<LOGPALETTE*>(block.data());
  copy->palVersion = 0x300;
  copy->palNumEntries = count;
  if (GetPaletteEntries(palette, 0, count, copy->palPalEntry) != count) return 0;
  return CreatePalette(copy);
}
