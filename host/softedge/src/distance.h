// Exact Euclidean distance transform of a binary image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace softedge {

// For every cell of a width x height grid, the squared Euclidean distance to
// the nearest cell for which `isSite` is true (cells centre to centre).
// `isSite` holds width x height flags, row by row. Cells are far (1e30)
// when there is no site at all. Throws std::bad_alloc when memory runs out.
std::vector<float> SquaredDistances(const std::vector<uint8_t>& isSite, size_t width,
                                    size_t height);

// The same distances capped at cap^2: min(true squared distance, cap^2),
// for a cap of 1 .. kWindowCap. Each row takes the nearest of the column
// distances within cap pixels to either side, in plain loops along the row.
constexpr long kWindowCap = 64;
std::vector<float> CappedSquaredDistances(const std::vector<uint8_t>& isSite, size_t width,
                                          size_t height, long cap);

}  // namespace softedge
