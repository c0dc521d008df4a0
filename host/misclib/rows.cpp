// Row services: copy, bit inversion, bit expansion, 16-to-24-bit conversion.
#include <misclib.h>

#include <cstring>

void misCopyRow(void* destination, const void* source, LONG bytes) {
  if (bytes > 0) std::memmove(destination, source, static_cast<size_t>(bytes));
}

void misInvertBits(void* destination, const void* source, LONG bytes) {
  BYTE* out = static_cast<BYTE*>(destination);
  const BYTE* in = static_cast<const BYTE*>(source);
  for (LONG i = 0; i < bytes; ++i) out[i] = static_cast<BYTE>(~in[i]);
}

void misExpandBits(void* destination, const void* source, LONG pixels) {
  BYTE* out = static_cast<BYTE*>(destination);
  const BYTE* in = static_cast<const BYTE*>(source);
  for (LONG i = 0; i < pixels; ++i) out[i] = (in[i >> 3] >> (7 - (i & 7))) & 1;
}

void misGreenWordsToRgb(void* destination, const void* source, LONG pixels) {
  BYTE* out = static_cast<BYTE*>(destination);
  const BYTE* in = static_cast<const BYTE*>(source);
  for (LONG i = 0; i < pixels; ++i) {
    const unsigned word = in[2 * i] | (in[2 * i + 1] << 8);
    const unsigned blue = (word >> 3) & 0x1F;
    const unsigned red = (word >> 8) & 0x1F;
    const unsigned green = ((word & 7) << 3) | ((word >> 13) & 7);
    out[3 * i] = static_cast<BYTE>((red << 3) | (red >> 2));
    out[3 * i + 1] = static_cast<BYTE>((green << 2) | (green >> 4));
    out[3 * i + 2] = static_cast<BYTE>((blue << 3) | (blue >> 2));
  }
}
