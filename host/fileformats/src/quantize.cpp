// Reduction of a true-colour image to at most 256 colours: exact palettes
// for images with few colours, median cut over a 5-bit histogram otherwise.
#include "quantize.h"

#include <algorithm>
#include <unordered_map>

namespace tf {

namespace {

constexpr int kCells = 32 * 32 * 32;

int CellOf(const BYTE* rgb) { return ((rgb[0] >> 3) << 10) | ((rgb[1] >> 3) << 5) | (rgb[2] >> 3); }
DWORD Key(const BYTE* rgb) { return (DWORD{rgb[0]} << 16) | (DWORD{rgb[1]} << 8) | rgb[2]; }

struct Histogram {
  std::vector<DWORD> count = std::vector<DWORD>(kCells, 0);
  std::vector<uint64_t> sum = std::vector<uint64_t>(kCells * 3, 0);
};

struct Box {
  int low[3], high[3];  // inclusive 5-bit bounds per channel
  uint64_t pixels = 0;
};

int CellAt(int r, int g, int b) { return (r << 10) | (g << 5) | b; }

void Measure(const Histogram& h, Box* box) {
  box->pixels = 0;
  for (int r = box->low[0]; r <= box->high[0]; ++r)
    for (int g = box->low[1]; g <= box->high[1]; ++g)
      for (int b = box->low[2]; b <= box->high[2]; ++b) box->pixels += h.count[CellAt(r, g, b)];
}

// Splits box along its longest side at the median pixel; false when it
// cannot be split.
bool Split(const Histogram& h, Box* box, Box* other) {
  int axis = 0;
  for (int a = 1; a < 3; ++a)
    if (box->high[a] - box->low[a] > box->high[axis] - box->low[axis]) axis = a;
  if (box->high[axis] == box->low[axis] || box->pixels < 2) return false;
  std::vector<uint64_t> slice(32, 0);
  for (int r = box->low[0]; r <= box->high[0]; ++r)
    for (int g = box->low[1]; g <= box->high[1]; ++g)
      for (int b = box->low[2]; b <= box->high[2]; ++b) {
        int at[3] = {r, g, b};
        slice[static_cast<size_t>(at[axis])] += h.count[CellAt(r, g, b)];
      }
  uint64_t half = box->pixels / 2, seen = 0;
  int cut = box->low[axis];
  for (int v = box->low[axis]; v < box->high[axis]; ++v) {
    seen += slice[static_cast<size_t>(v)];
    cut = v;
    if (seen >= half) break;
  }
  *other = *box;
  box->high[axis] = cut;
  other->low[axis] = cut + 1;
  Measure(h, box);
  Measure(h, other);
  return true;
}

std::array<BYTE, 3> Average(const Histogram& h, const Box& box) {
  uint64_t n = 0, s[3] = {0, 0, 0};
  for (int r = box.low[0]; r <= box.high[0]; ++r)
    for (int g = box.low[1]; g <= box.high[1]; ++g)
      for (int b = box.low[2]; b <= box.high[2]; ++b) {
        int cell = CellAt(r, g, b);
        n += h.count[cell];
        for (int c = 0; c < 3; ++c) s[c] += h.sum[static_cast<size_t>(cell) * 3 + c];
      }
  if (n == 0) return {0, 0, 0};
  return {static_cast<BYTE>(s[0] / n), static_cast<BYTE>(s[1] / n), static_cast<BYTE>(s[2] / n)};
}

std::vector<std::array<BYTE, 3>> MedianCut(const BYTE* rgb, size_t count, int maxColours) {
  Histogram h;
  for (size_t i = 0; i < count; ++i) {
    const BYTE* p = rgb + 3 * i;
    int cell = CellOf(p);
    ++h.count[static_cast<size_t>(cell)];
    for (int c = 0; c < 3; ++c) h.sum[static_cast<size_t>(cell) * 3 + c] += p[c];
  }
  std::vector<Box> boxes(1, Box{{0, 0, 0}, {31, 31, 31}, 0});
  Measure(h, &boxes[0]);
  while (static_cast<int>(boxes.size()) < maxColours) {
    // The box with the most pixels that can still be split.
    std::vector<size_t> order(boxes.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return boxes[a].pixels > boxes[b].pixels; });
    bool split = false;
    for (size_t i : order) {
      Box other;
      if (Split(h, &boxes[i], &other)) {
        boxes.push_back(other);
        split = true;
        break;
      }
    }
    if (!split) break;
  }
  std::vector<std::array<BYTE, 3>> palette;
  for (const Box& box : boxes)
    if (box.pixels) palette.push_back(Average(h, box));
  if (palette.empty()) palette.push_back({0, 0, 0});
  return palette;
}

}  // namespace

std::vector<std::array<BYTE, 3>> ChoosePalette(const BYTE* rgb, size_t count, int maxColours) {
  std::unordered_map<DWORD, int> seen;
  std::vector<std::array<BYTE, 3>> exact;
  for (size_t i = 0; i < count; ++i) {
    const BYTE* p = rgb + 3 * i;
    if (seen.emplace(Key(p), static_cast<int>(exact.size())).second) {
      if (static_cast<int>(exact.size()) == maxColours) return MedianCut(rgb, count, maxColours);
      exact.push_back({p[0], p[1], p[2]});
    }
  }
  if (exact.empty()) exact.push_back({0, 0, 0});
  return exact;
}

PaletteMapper::PaletteMapper(const std::vector<std::array<BYTE, 3>>& palette)
    : palette_(palette), cache_(kCells, 0) {
  for (size_t i = 0; i < palette.size(); ++i) exact_.emplace(Key(palette[i].data()), static_cast<BYTE>(i));
}

BYTE PaletteMapper::Map(const BYTE* rgb) {
  // A palette colour equal to the pixel wins; otherwise the nearest colour
  // found for the first pixel of the pixel's 5-bit cell serves the cell.
  auto found = exact_.find(Key(rgb));
  if (found != exact_.end()) return found->second;
  int& cached = cache_[static_cast<size_t>(CellOf(rgb))];
  if (cached > 0) return static_cast<BYTE>(cached - 1);
  int best = 0;
  long bestDistance = -1;
  for (size_t i = 0; i < palette_.size(); ++i) {
    long dr = palette_[i][0] - rgb[0], dg = palette_[i][1] - rgb[1], db = palette_[i][2] - rgb[2];
    long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  cached = best + 1;
  return static_cast<BYTE>(best);
}

}  // namespace tf
