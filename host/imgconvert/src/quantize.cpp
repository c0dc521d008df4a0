// Palettes from histograms (median cut, popularity), exact colour sets,
// fixed palettes and the nearest-entry search.
#include "quantize.h"

#include <algorithm>

#include "colour_table.h"

namespace imgconvert {
namespace {

inline int BinOf(Rgb c) { return (c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3); }

Rgb MeanOf(const HistogramBin& bin) {
  uint64_t n = bin.count, half = n / 2;
  return {static_cast<BYTE>((bin.r + half) / n), static_cast<BYTE>((bin.g + half) / n),
          static_cast<BYTE>((bin.b + half) / n)};
}

// One box of median cut: a range of the bin list.
struct Box {
  size_t begin = 0;
  size_t end = 0;
  uint64_t count = 0;
  int longestAxis = 0;
  int longestRange = 0;
};

int Channel(const Rgb& c, int axis) { return axis == 0 ? c.r : axis == 1 ? c.g : c.b; }

struct CutEntry {
  Rgb mean;
  const HistogramBin* bin;
};

void MeasureBox(const std::vector<CutEntry>& entries, Box* box) {
  int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
  box->count = 0;
  for (size_t i = box->begin; i < box->end; ++i) {
    box->count += entries[i].bin->count;
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], Channel(entries[i].mean, a));
      hi[a] = std::max(hi[a], Channel(entries[i].mean, a));
    }
  }
  box->longestAxis = 0;
  box->longestRange = -1;
  for (int a = 0; a < 3; ++a) {
    if (hi[a] - lo[a] > box->longestRange) {
      box->longestRange = hi[a] - lo[a];
      box->longestAxis = a;
    }
  }
}

// Splits box at the pixel median along its longest axis into box and *upper.
void SplitBox(std::vector<CutEntry>& entries, Box* box, Box* upper) {
  int axis = box->longestAxis;
  std::sort(entries.begin() + box->begin, entries.begin() + box->end,
            [axis](const CutEntry& a, const CutEntry& b) {
              return Channel(a.mean, axis) < Channel(b.mean, axis);
            });
  uint64_t half = box->count / 2, seen = 0;
  size_t cut = box->begin + 1;
  for (size_t i = box->begin; i + 1 < box->end; ++i) {
    seen += entries[i].bin->count;
    cut = i + 1;
    if (seen >= half) break;
  }
  *upper = Box{cut, box->end};
  box->end = cut;
  MeasureBox(entries, box);
  MeasureBox(entries, upper);
}

// The box most worth splitting: most pixels times widest range; -1 if none
// can be split.
int PickBox(const std::vector<Box>& boxes) {
  int best = -1;
  uint64_t bestScore = 0;
  for (size_t i = 0; i < boxes.size(); ++i) {
    const Box& b = boxes[i];
    if (b.end - b.begin < 2 || b.longestRange <= 0) continue;
    uint64_t score = b.count * static_cast<uint64_t>(b.longestRange);
    if (best < 0 || score > bestScore) {
      best = static_cast<int>(i);
      bestScore = score;
    }
  }
  return best;
}

}  // namespace

Histogram BuildHistogram(const SourceView& source) {
  Histogram histogram(32768);
  std::vector<Rgb> row(source.width);
  for (LONG y = 0; y < source.height; ++y) {
    ReadRgbRow(source, y, row.data());
    for (const Rgb& c : row) {
      HistogramBin& bin = histogram[BinOf(c)];
      ++bin.count;
      bin.r += c.r;
      bin.g += c.g;
      bin.b += c.b;
    }
  }
  return histogram;
}

bool CollectExactColours(const SourceView& source, int maxColours, Palette* palette) {
  ColourTable table;
  std::vector<Rgb> row(source.width);
  uint32_t last = 0xFFFFFFFFu;
  for (LONG y = 0; y < source.height; ++y) {
    ReadRgbRow(source, y, row.data());
    for (const Rgb& c : row) {
      uint32_t key = ColourTable::KeyOf(c);
      if (key == last) continue;
      last = key;
      if (!table.Add(key, maxColours)) return false;
    }
  }
  // The colours in ascending order of their key, so the palette does not
  // depend on where each colour first appears.
  std::vector<uint32_t> keys = table.SortedKeys();
  *palette = Palette{};
  for (uint32_t key : keys) {
    palette->colours[palette->count++] = {static_cast<BYTE>(key >> 16),
                                          static_cast<BYTE>(key >> 8), static_cast<BYTE>(key)};
  }
  return true;
}

Palette FixedPalette(LONG targetType) {
  Palette p;
  if (targetType == CVT32_TYPE_INDEXED16) {
    static const Rgb kStandard[16] = {
        {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (const Rgb& c : kStandard) p.colours[p.count++] = c;
    return p;
  }
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) {
        p.colours[p.count++] = {static_cast<BYTE>(r * 51), static_cast<BYTE>(g * 51),
                                static_cast<BYTE>(b * 51)};
      }
  for (int v = 1; v < 256 && p.count < 256; ++v) {
    if (v % 51 == 0) continue;
    if (v % 6 != 0) continue;  // 40 evenly spaced greys that the cube lacks
    p.colours[p.count++] = {static_cast<BYTE>(v), static_cast<BYTE>(v), static_cast<BYTE>(v)};
  }
  return p;
}

Palette MedianCutPalette(const Histogram& histogram, int colours) {
  std::vector<CutEntry> entries;
  for (const HistogramBin& bin : histogram) {
    if (bin.count) entries.push_back({MeanOf(bin), &bin});
  }
  Palette p;
  if (entries.empty()) return p;
  std::vector<Box> boxes(1, Box{0, entries.size()});
  MeasureBox(entries, &boxes[0]);
  while (static_cast<int>(boxes.size()) < colours) {
    int pick = PickBox(boxes);
    if (pick < 0) break;
    Box upper;
    SplitBox(entries, &boxes[pick], &upper);
    boxes.push_back(upper);
  }
  for (const Box& box : boxes) {
    HistogramBin sum;
    for (size_t i = box.begin; i < box.end; ++i) {
      sum.count += entries[i].bin->count;
      sum.r += entries[i].bin->r;
      sum.g += entries[i].bin->g;
      sum.b += entries[i].bin->b;
    }
    p.colours[p.count++] = MeanOf(sum);
  }
  return p;
}

Palette PopularityPalette(const Histogram& histogram, int colours) {
  std::vector<const HistogramBin*> full;
  for (const HistogramBin& bin : histogram) {
    if (bin.count) full.push_back(&bin);
  }
  size_t keep = std::min(full.size(), static_cast<size_t>(colours));
  std::partial_sort(full.begin(), full.begin() + keep, full.end(),
                    [](const HistogramBin* a, const HistogramBin* b) { return a->count > b->count; });
  Palette p;
  for (size_t i = 0; i < keep; ++i) p.colours[p.count++] = MeanOf(*full[i]);
  return p;
}

NearestIndex::NearestIndex(const Palette& palette) : cache_(1 << 18, -1) {
  for (int i = 0; i < palette.count; ++i) {
    const Rgb& c = palette.colours[i];
    byRed_.push_back({c.r, c.g, c.b, static_cast<BYTE>(i)});
  }
  std::stable_sort(byRed_.begin(), byRed_.end(),
                   [](const Entry& a, const Entry& b) { return a.r < b.r; });
}

BYTE NearestIndex::Find(int r, int g, int b) {
  int cell = (r >> 2) << 12 | (g >> 2) << 6 | (b >> 2);
  int16_t& slot = cache_[cell];
  if (slot < 0) slot = Search(r, g, b);
  return static_cast<BYTE>(slot);
}

// Walks outwards from the first entry with red >= r in both directions;
// ties go to the lower palette index.
BYTE NearestIndex::Search(int r, int g, int b) const {
  if (byRed_.empty()) return 0;
  auto start = std::lower_bound(byRed_.begin(), byRed_.end(), r,
                                [](const Entry& e, int red) { return e.r < red; });
  int best = -1, bestDistance = 1 << 30;
  auto consider = [&](const Entry& e) {
    int dr = r - e.r, dg = g - e.g, db = b - e.b;
    int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance || (d == bestDistance && e.index < best)) {
      bestDistance = d;
      best = e.index;
    }
  };
  for (auto it = start; it != byRed_.end() && (it->r - r) * (it->r - r) <= bestDistance; ++it) {
    consider(*it);
  }
  for (auto it = start; it != byRed_.begin();) {
    --it;
    if ((r - it->r) * (r - it->r) > bestDistance) break;
    consider(*it);
  }
  return static_cast<BYTE>(best);
}

}  // namespace imgconvert
