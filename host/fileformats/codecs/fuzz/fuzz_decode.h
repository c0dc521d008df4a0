// The body shared by the codecs' fuzz targets: decodes one input with one
// codec, every row in a form that changes from row to row, under limits
// small enough that a hostile header cannot make the target run out of
// memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codecs.h"

namespace lvcodecs::fuzzing {

inline int decodeAll(Codec codec, const std::uint8_t* data, std::size_t size) {
  if (size > (std::size_t{1} << 20)) return 0;
  DecodeLimits limits;
  limits.maxSide = 4096;
  limits.maxPixels = std::uint64_t{1} << 22;
  Error error;
  auto decoder = openDecoder(std::vector<std::uint8_t>(data, data + size), codec, &error, limits);
  if (!decoder) return 0;
  const ImageFacts& facts = decoder->facts();
  static const RowForm kForms[] = {RowForm::Rgb24, RowForm::Grey8, RowForm::Bw1,
                                   RowForm::Indexed8};
  std::vector<std::uint8_t> row(rowBytes(RowForm::Rgb24, facts.width));
  for (std::uint32_t y = 0; y < facts.height; ++y) {
    RowForm form = kForms[y % 4];
    if (form == RowForm::Indexed8 && facts.naturalForm == RowForm::Rgb24) form = facts.naturalForm;
    if (!decoder->readRow(form, row.data(), &error)) break;
  }
  return 0;
}

}  // namespace lvcodecs::fuzzing
