// Choosing a palette for an image and finding the nearest palette entry.
#pragma once

#include <cstdint>
#include <vector>

#include "source_rows.h"

namespace imgconvert {

// Colour histogram with 5 bits a channel; each bin keeps its pixel count and
// channel sums, so a bin's mean is its exact average colour.
struct HistogramBin {
  uint64_t count = 0;
  uint64_t r = 0, g = 0, b = 0;
};
using Histogram = std::vector<HistogramBin>;  // 32768 bins, index r5 << 10 | g5 << 5 | b5

Histogram BuildHistogram(const SourceView& source);

// The image's colours in ascending order of their 0xRRGGBB value, when
// there are at most maxColours of them; false otherwise.
bool CollectExactColours(const SourceView& source, int maxColours, Palette* palette);
// The fixed palette of an indexed type: for 4 the 6 x 6 x 6 colour cube
// (levels 0, 51, .., 255) followed by the 40 greys between its levels; for
// 8 the 16 standard colours.
Palette FixedPalette(LONG targetType);
// Up to `colours` colours: boxes of the colour space split along their
// longest side at the pixel median, each giving its mean colour.
Palette MedianCutPalette(const Histogram& histogram, int colours);
// The means of the `colours` fullest histogram bins.
Palette PopularityPalette(const Histogram& histogram, int colours);

// Nearest palette entry (squared RGB distance) of a colour, remembered per
// cell of 6 bits a channel.
class NearestIndex {
 public:
  explicit NearestIndex(const Palette& palette);
  BYTE Find(int r, int g, int b);

 private:
  // One palette entry, kept sorted by red so a search can stop once the
  // red distance alone exceeds the best match.
  struct Entry {
    int r, g, b;
    BYTE index;
  };
  BYTE Search(int r, int g, int b) const;
  std::vector<Entry> byRed_;
  std::vector<int16_t> cache_;
};

}  // namespace imgconvert
