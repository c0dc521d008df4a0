// Colour references in the pixel formats, and whole-buffer fills.
#include <cstring>

#include "buffer.h"

namespace imgcore {

BYTE GreyOf(COLORREF colour) {
  unsigned sum = 299u * GetRValue(colour) + 587u * GetGValue(colour) + 114u * GetBValue(colour);
  return static_cast<BYTE>((sum + 500u) / 1000u);
}

void EncodeColour(LONG bitsPerPixel, COLORREF colour, BYTE out[8]) {
  std::memset(out, 0, 8);
  BYTE r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
  switch (bitsPerPixel) {
    case 1:
      out[0] = (colour & 0x00FFFFFFu) != 0 ? 1 : 0;
      break;
    case 8:
      out[0] = GreyOf(colour);
      break;
    case 16: {
      WORD v = static_cast<WORD>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
      out[0] = static_cast<BYTE>(v & 0xFF);
      out[1] = static_cast<BYTE>(v >> 8);
      break;
    }
    case 24:
      out[0] = r;
      out[1] = g;
      out[2] = b;
      break;
    case 64:
      for (int i = 0; i < 4; ++i) out[i] = static_cast<BYTE>(colour >> (8 * i));
      break;
    default:
      break;
  }
}

void FillBuffer(ImageBuffer& buffer, COLORREF colour) {
  BYTE pixel[8];
  EncodeColour(buffer.bitsPerPixel, colour, pixel);
  if (buffer.bitsPerPixel == 1) {
    // Whole bytes of set or clear bits; the unused low bits of the last
    // byte of each row stay clear.
    BYTE value = pixel[0] ? 0xFF : 0x00;
    LONG spare = static_cast<LONG>(buffer.rowBytes * 8) - buffer.width;
    BYTE last = static_cast<BYTE>(value & (0xFF << spare));
    for (LONG y = 0; y < buffer.height; ++y) {
      BYTE* row = buffer.Row(y);
      std::memset(row, value, buffer.rowBytes);
      row[buffer.rowBytes - 1] = last;
    }
    return;
  }
  LONG bpp = BytesPerPixel(buffer.bitsPerPixel);
  // First row by pattern, the others copied from it.
  mem32Fill(buffer.Row(0), pixel, bpp, buffer.width);
  for (LONG y = 1; y < buffer.height; ++y) std::memcpy(buffer.Row(y), buffer.Row(0), buffer.rowBytes);
}

}  // namespace imgcore
