// Reduction of a true-colour image to at most 256 colours.
#pragma once

#include <windows.h>

#include <array>
#include <unordered_map>
#include <vector>

namespace tf {

// Chooses a palette of at most maxColours colours for the RGB pixels
// (count pixels, 3 bytes each): every colour when there are no more than
// maxColours distinct ones, else boxes split at the median of their longest
// side over a 5-bit-per-channel histogram.
std::vector<std::array<BYTE, 3>> ChoosePalette(const BYTE* rgb, size_t count, int maxColours);

// Maps RGB pixels to the nearest palette index.
class PaletteMapper {
 public:
  explicit PaletteMapper(const std::vector<std::array<BYTE, 3>>& palette);
  BYTE Map(const BYTE* rgb);

 private:
  const std::vector<std::array<BYTE, 3>>& palette_;
  std::vector<int> cache_;  // per 5-5-5 cell: index + 1, 0 when not yet known
  std::unordered_map<DWORD, BYTE> exact_;  // palette colours (0xRRGGBB) to index
};

}  // namespace tf
