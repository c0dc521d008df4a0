// Reading the rows of a source buffer of any data type as colours.
#pragma once

#include "common.h"

namespace imgconvert {

// A locked source buffer and what its pixels mean.
struct SourceView {
  LONG type = 0;        // data type: 2, 4 (also for 8), 16, 32 or 64
  LONG width = 0;
  LONG height = 0;
  const BufferLock* lock = nullptr;
  Palette palette;      // colours of indexed types; the two colours of type 64
  std::array<BYTE, 256> greys{};  // grey value of each palette entry
};

// Fills the grey value of each palette entry of the view.
void ComputePaletteGreys(SourceView* source);

// Row y of the source as width colours.
void ReadRgbRow(const SourceView& source, LONG y, Rgb* out);
// Row y of the source as width grey values (host weights, rounded).
void ReadGreyRow(const SourceView& source, LONG y, BYTE* out);

// 5-5-5 hi-colour to 8-bit channels, and back (truncating).
inline Rgb FromHiColour(unsigned v) {
  unsigned r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
  return {static_cast<BYTE>(r << 3 | r >> 2), static_cast<BYTE>(g << 3 | g >> 2),
          static_cast<BYTE>(b << 3 | b >> 2)};
}
inline unsigned ToHiColour(Rgb c) {
  return static_cast<unsigned>((c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3));
}

}  // namespace imgconvert
