// Row conversions between the file's pixel forms and the host's.
#include "convert.h"

namespace tpi {

namespace {

inline unsigned LoadWord(const BYTE* p) { return p[0] | (p[1] << 8); }
inline void StoreWord(BYTE* p, unsigned w) {
  p[0] = static_cast<BYTE>(w);
  p[1] = static_cast<BYTE>(w >> 8);
}

}  // namespace

void SwapRedBlue(BYTE* row, size_t pixels) {
  for (size_t i = 0; i < pixels; ++i, row += 3) {
    const BYTE first = row[0];
    row[0] = row[2];
    row[2] = first;
  }
}

void SwapRedBlueCopy(BYTE* out, const BYTE* in, size_t pixels) {
  for (size_t i = 0; i < pixels; ++i, out += 3, in += 3) {
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
  }
}

void DropFirstOfFour(BYTE* out, const BYTE* in, size_t pixels) {
  for (size_t i = 0; i < pixels; ++i, out += 3, in += 4) {
    out[0] = in[1];
    out[1] = in[2];
    out[2] = in[3];
  }
}

void ExpandNibbles(BYTE* out, const BYTE* in, size_t pixels) {
  const size_t pairs = pixels / 2;
  for (size_t i = 0; i < pairs; ++i) {
    out[2 * i] = in[i] >> 4;
    out[2 * i + 1] = in[i] & 0x0F;
  }
  if (pixels & 1) out[pixels - 1] = in[pairs] >> 4;
}

void PackNibbles(BYTE* out, const BYTE* in, size_t pixels) {
  const size_t pairs = pixels / 2;
  for (size_t i = 0; i < pairs; ++i)
    out[i] = static_cast<BYTE>(((in[2 * i] & 0x0F) << 4) | (in[2 * i + 1] & 0x0F));
  if (pixels & 1) out[pairs] = static_cast<BYTE>((in[pixels - 1] & 0x0F) << 4);
}

void Words565To555(BYTE* row, size_t pixels) {
  for (size_t i = 0; i < pixels; ++i, row += 2) {
    const unsigned w = LoadWord(row);
    StoreWord(row, ((w & 0xFFC0) >> 1) | (w & 0x1F));
  }
}

void WordsToGreenWords(BYTE* row, size_t pixels, bool is565) {
  for (size_t i = 0; i < pixels; ++i, row += 2) {
    const unsigned w = LoadWord(row);
    unsigned g;
    if (is565)
      g = ((w & 0xF800) >> 3) | ((w & 0x1F) << 3) | ((w & 0x700) >> 8) | ((w & 0xE0) << 8);
    else
      g = ((w & 0x7C00) >> 2) | ((w & 0x1F) << 3) | ((w & 0x380) >> 7) | ((w & 0x60) << 9);
    StoreWord(row, g);
  }
}

}  // namespace tpi
