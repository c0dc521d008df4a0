// Reading and writing rows of pixel memory in the DIB layouts.
#include <cstring>

#include "gdi_internal.h"

namespace lvgdi {

namespace {

// Extracts a masked channel scaled to 0..255.
inline uint32_t Channel(uint32_t v, uint32_t mask) {
  if (!mask) return 0;
  int shift = __builtin_ctz(mask);
  uint32_t m = mask >> shift;
  uint32_t c = (v & mask) >> shift;
  if (m == 0xFF) return c;
  return (c * 255 + m / 2) / m;
}

inline uint32_t Pack(uint32_t c, uint32_t mask) {
  if (!mask) return 0;
  int shift = __builtin_ctz(mask);
  uint32_t m = mask >> shift;
  uint32_t v = m == 0xFF ? c : (c * m + 127) / 255;
  return (v << shift) & mask;
}

inline uint32_t TableRgb(const Canvas& cv, int index) {
  if (index >= cv.colorCount || !cv.colors) return 0;
  const RGBQUAD& q = cv.colors[index];
  return ((uint32_t)q.rgbRed << 16) | ((uint32_t)q.rgbGreen << 8) | q.rgbBlue;
}

// Remembers the last colour looked up, so flat areas map quickly.
struct NearestCache {
  const RGBQUAD* colors = nullptr;
  int count = 0;
  uint32_t rgb = 0xFFFFFFFF;
  int index = 0;
  int lookup(const RGBQUAD* c, int n, uint32_t v) {
    if (c != colors || n != count || v != rgb) {
      colors = c;
      count = n;
      rgb = v;
      index = NearestIndex(c, n, v);
    }
    return index;
  }
};

}  // namespace

void SetDefaultMasks(Canvas& cv) {
  if (cv.bpp == 16) {
    cv.masks[0] = 0x7C00;
    cv.masks[1] = 0x03E0;
    cv.masks[2] = 0x001F;
  } else if (cv.bpp == 32 || cv.bpp == 24) {
    cv.masks[0] = 0xFF0000;
    cv.masks[1] = 0x00FF00;
    cv.masks[2] = 0x0000FF;
  }
}

int NearestIndex(const RGBQUAD* colors, int count, uint32_t rgb) {
  int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  int best = 0;
  int bestDist = 0x7FFFFFFF;
  for (int i = 0; i < count; ++i) {
    int dr = colors[i].rgbRed - r, dg = colors[i].rgbGreen - g, db = colors[i].rgbBlue - b;
    int d = dr * dr + dg * dg + db * db;
    if (d < bestDist) {
      bestDist = d;
      best = i;
      if (d == 0) break;
    }
  }
  return best;
}

void ReadRow(const Canvas& cv, int y, int x, int n, uint32_t* out) {
  const uint8_t* row = cv.row0 + (ptrdiff_t)y * cv.stride;
  switch (cv.bpp) {
    case 32:
      if (cv.masks[0] == 0xFF0000 && cv.masks[1] == 0xFF00 && cv.masks[2] == 0xFF) {
        const uint32_t* p = reinterpret_cast<const uint32_t*>(row) + x;
        for (int i = 0; i < n; ++i) out[i] = p[i] & 0xFFFFFF;
      } else {
        for (int i = 0; i < n; ++i) {
          uint32_t v;
          memcpy(&v, row + (size_t)(x + i) * 4, 4);
          out[i] = (Channel(v, cv.masks[0]) << 16) | (Channel(v, cv.masks[1]) << 8) |
                   Channel(v, cv.masks[2]);
        }
      }
      break;
    case 24: {
      const uint8_t* p = row + (size_t)x * 3;
      for (int i = 0; i < n; ++i, p += 3) out[i] = ((uint32_t)p[2] << 16) | ((uint32_t)p[1] << 8) | p[0];
      break;
    }
    case 16: {
      const uint8_t* p = row + (size_t)x * 2;
      for (int i = 0; i < n; ++i, p += 2) {
        uint32_t v = p[0] | ((uint32_t)p[1] << 8);
        out[i] = (Channel(v, cv.masks[0]) << 16) | (Channel(v, cv.masks[1]) << 8) |
                 Channel(v, cv.masks[2]);
      }
      break;
    }
    case 8:
      for (int i = 0; i < n; ++i) out[i] = TableRgb(cv, row[x + i]);
      break;
    case 4:
      for (int i = 0; i < n; ++i) {
        int px = x + i;
        int v = (row[px >> 1] >> ((px & 1) ? 0 : 4)) & 0xF;
        out[i] = TableRgb(cv, v);
      }
      break;
    case 1:
      for (int i = 0; i < n; ++i) {
        int px = x + i;
        int v = (row[px >> 3] >> (7 - (px & 7))) & 1;
        out[i] = TableRgb(cv, v);
      }
      break;
    default:
      for (int i = 0; i < n; ++i) out[i] = 0;
  }
}

void WriteRow(Canvas& cv, int y, int x, int n, const uint32_t* in) {
  uint8_t* row = cv.row0 + (ptrdiff_t)y * cv.stride;
  NearestCache cache;
  switch (cv.bpp) {
    case 32:
      if (cv.masks[0] == 0xFF0000 && cv.masks[1] == 0xFF00 && cv.masks[2] == 0xFF) {
        uint32_t* p = reinterpret_cast<uint32_t*>(row) + x;
        for (int i = 0; i < n; ++i) p[i] = in[i] & 0xFFFFFF;
      } else {
        for (int i = 0; i < n; ++i) {
          uint32_t c = in[i];
          uint32_t v = Pack((c >> 16) & 0xFF, cv.masks[0]) | Pack((c >> 8) & 0xFF, cv.masks[1]) |
                       Pack(c & 0xFF, cv.masks[2]);
          memcpy(row + (size_t)(x + i) * 4, &v, 4);
        }
      }
      break;
    case 24: {
      uint8_t* p = row + (size_t)x * 3;
      for (int i = 0; i < n; ++i, p += 3) {
        p[0] = in[i] & 0xFF;
        p[1] = (in[i] >> 8) & 0xFF;
        p[2] = (in[i] >> 16) & 0xFF;
      }
      break;
    }
    case 16: {
      uint8_t* p = row + (size_t)x * 2;
      for (int i = 0; i < n; ++i, p += 2) {
        uint32_t c = in[i];
        uint32_t v = Pack((c >> 16) & 0xFF, cv.masks[0]) | Pack((c >> 8) & 0xFF, cv.masks[1]) |
                     Pack(c & 0xFF, cv.masks[2]);
        p[0] = v & 0xFF;
        p[1] = (v >> 8) & 0xFF;
      }
      break;
    }
    case 8:
      for (int i = 0; i < n; ++i) row[x + i] = (uint8_t)cache.lookup(cv.colors, cv.colorCount, in[i]);
      break;
    case 4:
      for (int i = 0; i < n; ++i) {
        int px = x + i;
        int v = cache.lookup(cv.colors, cv.colorCount, in[i]) & 0xF;
        uint8_t& b = row[px >> 1];
        b = (px & 1) ? (uint8_t)((b & 0xF0) | v) : (uint8_t)((b & 0x0F) | (v << 4));
      }
      break;
    case 1:
      for (int i = 0; i < n; ++i) {
        int px = x + i;
        int v = cache.lookup(cv.colors, cv.colorCount, in[i]) & 1;
        uint8_t bit = (uint8_t)(0x80 >> (px & 7));
        uint8_t& b = row[px >> 3];
        b = v ? (uint8_t)(b | bit) : (uint8_t)(b & ~bit);
      }
      break;
    default:
      break;
  }
}

uint32_t ReadPixel(const Canvas& cv, int x, int y) {
  uint32_t v = 0;
  ReadRow(cv, y, x, 1, &v);
  return v;
}

void WritePixel(Canvas& cv, int x, int y, uint32_t rgb) { WriteRow(cv, y, x, 1, &rgb); }

}  // namespace lvgdi
