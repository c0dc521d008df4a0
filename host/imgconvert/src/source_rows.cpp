// Source rows as colours or grey values, one tight loop per data type.
#include "source_rows.h"

namespace imgconvert {

void ComputePaletteGreys(SourceView* source) {
  for (int i = 0; i < 256; ++i) source->greys[i] = GreyOf(source->palette.colours[i]);
}

void ReadRgbRow(const SourceView& s, LONG y, Rgb* out) {
  const BYTE* row = s.lock->Row(y);
  switch (s.type) {
    case CVT32_TYPE_RGB:
      for (LONG x = 0; x < s.width; ++x, row += 3) out[x] = {row[0], row[1], row[2]};
      break;
    case CVT32_TYPE_HICOLOR:
      for (LONG x = 0; x < s.width; ++x, row += 2) {
        out[x] = FromHiColour(static_cast<unsigned>(row[0] | row[1] << 8));
      }
      break;
    case CVT32_TYPE_GREY:
      for (LONG x = 0; x < s.width; ++x) out[x] = {row[x], row[x], row[x]};
      break;
    case CVT32_TYPE_BW:
      for (LONG x = 0; x < s.width; ++x) {
        out[x] = s.palette.colours[(row[x >> 3] >> (7 - (x & 7))) & 1];
      }
      break;
    default:  // indexed
      for (LONG x = 0; x < s.width; ++x) out[x] = s.palette.colours[row[x]];
      break;
  }
}

void ReadGreyRow(const SourceView& s, LONG y, BYTE* out) {
  if (s.type == CVT32_TYPE_GREY) {
    const BYTE* row = s.lock->Row(y);
    for (LONG x = 0; x < s.width; ++x) out[x] = row[x];
    return;
  }
  if (s.type == CVT32_TYPE_INDEXED256 || s.type == CVT32_TYPE_BW) {
    const std::array<BYTE, 256>& greys = s.greys;
    const BYTE* row = s.lock->Row(y);
    if (s.type == CVT32_TYPE_BW) {
      for (LONG x = 0; x < s.width; ++x) out[x] = greys[(row[x >> 3] >> (7 - (x & 7))) & 1];
    } else {
      for (LONG x = 0; x < s.width; ++x) out[x] = greys[row[x]];
    }
    return;
  }
  const BYTE* row = s.lock->Row(y);
  if (s.type == CVT32_TYPE_RGB) {
    for (LONG x = 0; x < s.width; ++x, row += 3) out[x] = GreyOf({row[0], row[1], row[2]});
    return;
  }
  for (LONG x = 0; x < s.width; ++x, row += 2) {
    out[x] = GreyOf(FromHiColour(static_cast<unsigned>(row[0] | row[1] << 8)));
  }
}

}  // namespace imgconvert
