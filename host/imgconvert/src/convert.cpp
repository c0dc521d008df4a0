// The conversion engine: each target type is written row by row from the
// source's rows read as colours or greys.
#include "convert.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "colour_table.h"
#include "quantize.h"
#include "source_rows.h"

namespace imgconvert {
namespace {

inline int Clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

void WriteRgb(const SourceView& s, const BufferLock& t) {
  std::vector<Rgb> row(s.width);
  for (LONG y = 0; y < s.height; ++y) {
    ReadRgbRow(s, y, row.data());
    std::memcpy(t.Row(y), row.data(), row.size() * sizeof(Rgb));
  }
}

void WriteGrey(const SourceView& s, const BufferLock& t) {
  for (LONG y = 0; y < s.height; ++y) ReadGreyRow(s, y, t.Row(y));
}

void WriteHiColour(const SourceView& s, const BufferLock& t) {
  std::vector<Rgb> row(s.width);
  for (LONG y = 0; y < s.height; ++y) {
    ReadRgbRow(s, y, row.data());
    BYTE* out = t.Row(y);
    for (LONG x = 0; x < s.width; ++x, out += 2) {
      unsigned v = ToHiColour(row[x]);
      out[0] = static_cast<BYTE>(v & 0xFF);
      out[1] = static_cast<BYTE>(v >> 8);
    }
  }
}

// Packs one row of 0/1 values into a 1-bit row (most significant bit first).
void PackBits(const BYTE* bits, LONG width, BYTE* out) {
  std::memset(out, 0, (static_cast<size_t>(width) + 7) / 8);
  for (LONG x = 0; x < width; ++x) {
    if (bits[x]) out[x >> 3] = static_cast<BYTE>(out[x >> 3] | (0x80 >> (x & 7)));
  }
}

void WriteBwThreshold(const SourceView& s, const BufferLock& t, int threshold) {
  std::vector<BYTE> grey(s.width), bits(s.width);
  for (LONG y = 0; y < s.height; ++y) {
    ReadGreyRow(s, y, grey.data());
    for (LONG x = 0; x < s.width; ++x) bits[x] = grey[x] >= threshold ? 1 : 0;
    PackBits(bits.data(), s.width, t.Row(y));
  }
}

// Floyd-Steinberg error diffusion to black and white: 7/16 of a pixel's
// error to the right, 3/16, 5/16 and 1/16 to the row below.
void WriteBwDither(const SourceView& s, const BufferLock& t) {
  std::vector<BYTE> grey(s.width), bits(s.width);
  std::vector<int> current(s.width + 2, 0), next(s.width + 2, 0);
  for (LONG y = 0; y < s.height; ++y) {
    ReadGreyRow(s, y, grey.data());
    std::fill(next.begin(), next.end(), 0);
    for (LONG x = 0; x < s.width; ++x) {
      int want = Clamp255(grey[x] + current[x + 1] / 16);
      int got = want >= 128 ? 255 : 0;
      bits[x] = got ? 1 : 0;
      int error = want - got;
      current[x + 2] += error * 7;
      next[x] += error * 3;
      next[x + 1] += error * 5;
      next[x + 2] += error;
    }
    PackBits(bits.data(), s.width, t.Row(y));
    std::swap(current, next);
  }
}

void CopyBw(const SourceView& s, const BufferLock& t) {
  size_t bytes = (static_cast<size_t>(s.width) + 7) / 8;
  for (LONG y = 0; y < s.height; ++y) std::memcpy(t.Row(y), s.lock->Row(y), bytes);
}

// True when every pixel of an indexed or black-and-white source indexes
// its own palette, so its indices can be kept.
bool IndicesFitPalette(const SourceView& s, int most) {
  if (s.type != CVT32_TYPE_INDEXED256 && s.type != CVT32_TYPE_BW) return false;
  if (s.palette.count == 0 || s.palette.count > most) return false;
  if (s.type == CVT32_TYPE_BW) return true;
  for (LONG y = 0; y < s.height; ++y) {
    const BYTE* row = s.lock->Row(y);
    BYTE top = *std::max_element(row, row + s.width);
    if (top >= s.palette.count) return false;
  }
  return true;
}

void CopyIndices(const SourceView& s, const BufferLock& t) {
  for (LONG y = 0; y < s.height; ++y) {
    const BYTE* in = s.lock->Row(y);
    BYTE* out = t.Row(y);
    if (s.type == CVT32_TYPE_BW) {
      for (LONG x = 0; x < s.width; ++x) out[x] = (in[x >> 3] >> (7 - (x & 7))) & 1;
    } else {
      std::memcpy(out, in, static_cast<size_t>(s.width));
    }
  }
}

void WriteExact(const SourceView& s, const BufferLock& t, const Palette& palette) {
  ColourTable table;
  for (int i = 0; i < palette.count; ++i) table.Add(ColourTable::KeyOf(palette.colours[i]), 256);
  std::vector<Rgb> row(s.width);
  for (LONG y = 0; y < s.height; ++y) {
    ReadRgbRow(s, y, row.data());
    BYTE* out = t.Row(y);
    for (LONG x = 0; x < s.width; ++x) out[x] = table.IndexOf(ColourTable::KeyOf(row[x]));
  }
}

void WriteNearest(const SourceView& s, const BufferLock& t, const Palette& palette) {
  NearestIndex nearest(palette);
  std::vector<Rgb> row(s.width);
  for (LONG y = 0; y < s.height; ++y) {
    ReadRgbRow(s, y, row.data());
    BYTE* out = t.Row(y);
    for (LONG x = 0; x < s.width; ++x) out[x] = nearest.Find(row[x].r, row[x].g, row[x].b);
  }
}

// Floyd-Steinberg error diffusion onto a palette, per channel.
void WriteDithered(const SourceView& s, const BufferLock& t, const Palette& palette) {
  NearestIndex nearest(palette);
  std::vector<Rgb> row(s.width);
  size_t span = (static_cast<size_t>(s.width) + 2) * 3;
  std::vector<int> current(span, 0), next(span, 0);
  for (LONG y = 0; y < s.height; ++y) {
    ReadRgbRow(s, y, row.data());
    std::fill(next.begin(), next.end(), 0);
    BYTE* out = t.Row(y);
    for (LONG x = 0; x < s.width; ++x) {
      int* e = &current[(x + 1) * 3];
      int want[3] = {Clamp255(row[x].r + e[0] / 16), Clamp255(row[x].g + e[1] / 16),
                     Clamp255(row[x].b + e[2] / 16)};
      BYTE i = nearest.Find(want[0], want[1], want[2]);
      out[x] = i;
      const Rgb& got = palette.colours[i];
      int error[3] = {want[0] - got.r, want[1] - got.g, want[2] - got.b};
      for (int c = 0; c < 3; ++c) {
        current[(x + 2) * 3 + c] += error[c] * 7;
        next[x * 3 + c] += error[c] * 3;
        next[(x + 1) * 3 + c] += error[c] * 5;
        next[(x + 2) * 3 + c] += error[c];
      }
    }
    std::swap(current, next);
  }
}

void WriteIndexed(const SourceView& s, const BufferLock& t, LONG targetType,
                  const CVT32OPTIONS& o, Palette* palette) {
  int most = targetType == CVT32_TYPE_INDEXED16 ? 16 : 256;
  if (o.palette == CVT32_PALETTE_FIXED) {
    *palette = FixedPalette(targetType);
  } else if (IndicesFitPalette(s, std::min<int>(most, o.colours))) {
    *palette = s.palette;
    CopyIndices(s, t);
    return;
  } else if (CollectExactColours(s, o.colours, palette)) {
    WriteExact(s, t, *palette);
    return;
  } else {
    Histogram histogram = BuildHistogram(s);
    *palette = o.method == CVT32_METHOD_POPULARITY ? PopularityPalette(histogram, o.colours)
                                                   : MedianCutPalette(histogram, o.colours);
  }
  if (o.dither == CVT32_DITHER_FLOYD_STEINBERG) {
    WriteDithered(s, t, *palette);
  } else {
    WriteNearest(s, t, *palette);
  }
}

void WriteTarget(const SourceView& s, const BufferLock& t, LONG targetType,
                 const CVT32OPTIONS& o, Palette* palette) {
  switch (targetType) {
    case CVT32_TYPE_RGB:
      WriteRgb(s, t);
      break;
    case CVT32_TYPE_GREY:
      WriteGrey(s, t);
      break;
    case CVT32_TYPE_HICOLOR:
      WriteHiColour(s, t);
      break;
    case CVT32_TYPE_BW:
      if (s.type == CVT32_TYPE_BW) {
        CopyBw(s, t);
        *palette = s.palette;
        return;
      }
      *palette = Palette{};
      palette->count = 2;
      palette->colours[1] = {255, 255, 255};
      if (o.dither == CVT32_DITHER_FLOYD_STEINBERG) {
        WriteBwDither(s, t);
      } else {
        WriteBwThreshold(s, t, o.threshold == 0 ? 128 : o.threshold);
      }
      break;
    default:
      WriteIndexed(s, t, targetType, o, palette);
      break;
  }
}

// Describes the locked source: its type from its format and palette.
Status MakeSourceView(const BufferLock& lock, const Palette* sourcePalette, SourceView* s) {
  s->type = TypeOfFormat(lock.info().pixelFormat, sourcePalette != nullptr);
  if (s->type == 0) return CannotServe(CVT32_DETAIL_BUFFER);
  s->width = lock.info().width;
  s->height = lock.info().height;
  s->lock = &lock;
  if (sourcePalette) s->palette = *sourcePalette;
  if (s->type == CVT32_TYPE_BW && !sourcePalette) {
    s->palette.count = 2;
    s->palette.colours[1] = {255, 255, 255};
  }
  if (s->type == CVT32_TYPE_BW && s->palette.count < 2) s->palette.count = 2;
  ComputePaletteGreys(s);
  return Ok();
}

}  // namespace

Status ConvertBuffer(HBUF source, const Palette* sourcePalette, LONG targetType,
                     const CVT32OPTIONS& options, ConvertedImage* out) {
  LONG format = FormatOfType(targetType);
  if (format == 0) return CannotServe(CVT32_DETAIL_TYPE);
  BufferLock in(source, 1);
  if (!in.ok()) return CannotServe(CVT32_DETAIL_BUFFER);
  SourceView view;
  Status s = MakeSourceView(in, sourcePalette, &view);
  if (!s.ok()) return s;
  OwnedBuffer target;
  if (!buf32Alloc(target.Out(), format, view.width, view.height, BUF_KIND_PLAIN, nullptr)) {
    return NoMemory();
  }
  Palette palette;
  {
    BufferLock t(target.get(), 2);
    if (!t.ok()) return NoMemory();
    WriteTarget(view, t, targetType, options, &palette);
  }
  out->palette = palette;
  out->buffer = target.Release();
  return Ok();
}

}  // namespace imgconvert
