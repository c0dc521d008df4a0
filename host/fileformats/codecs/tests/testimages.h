// Test images of every row form and helpers that run them through a codec.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "codecs.h"

namespace lvcodecs::testing {

// A test image: plan and rows.
struct TestImage {
  EncodePlan plan;
  std::vector<std::uint8_t> rows;
};

// A WIDTH x HEIGHT image in FORM with varied content (for Indexed8 a palette
// of PALETTE_SIZE colours).
inline TestImage makeImage(RowForm form, std::uint32_t width, std::uint32_t height,
                           std::size_t paletteSize = 16) {
  TestImage image;
  image.plan.width = width;
  image.plan.height = height;
  image.plan.form = form;
  std::size_t stride = rowBytes(form, width);
  image.rows.assign(stride * height, 0);
  if (form == RowForm::Indexed8) {
    for (std::size_t i = 0; i < paletteSize; ++i) {
      image.plan.palette.push_back({static_cast<std::uint8_t>(i * 37),
                                    static_cast<std::uint8_t>(255 - i * 11),
                                    static_cast<std::uint8_t>(i * 91)});
    }
  }
  for (std::uint32_t y = 0; y < height; ++y) {
    std::uint8_t* row = image.rows.data() + stride * y;
    for (std::size_t i = 0; i < stride; ++i) {
      unsigned v = static_cast<unsigned>(i * 7 + y * 13 + (i * y) % 5);
      row[i] = static_cast<std::uint8_t>(form == RowForm::Indexed8 ? v % paletteSize : v);
    }
    if (form == RowForm::Bw1 && width % 8 != 0) {
      row[stride - 1] &= static_cast<std::uint8_t>(0xFF00u >> (width % 8));
    }
  }
  return image;
}

// Encodes IMAGE with CODEC and OPTIONS; fails the test on error.
inline std::vector<std::uint8_t> encodeOrFail(Codec codec, const TestImage& image,
                                              const EncodeOptions& options = {}) {
  std::vector<std::uint8_t> file;
  Error error;
  EXPECT_TRUE(encodeImage(codec, image.plan, options, image.rows.data(), &file, &error))
      << error.message;
  return file;
}

// Decodes FILE in FORM; fails the test on error.
inline std::vector<std::uint8_t> decodeOrFail(const std::vector<std::uint8_t>& file,
                                              RowForm form, ImageFacts* facts = nullptr) {
  std::vector<std::uint8_t> rows;
  Error error;
  EXPECT_TRUE(decodeImage(file, std::nullopt, form, facts, &rows, &error)) << error.message;
  return rows;
}

// Encodes IMAGE with CODEC, interlaced or not, and decodes it in its own
// form: expects the same rows back and facts naming the codec, the size and
// the interlacing; returns the facts for the codec's own checks.
inline ImageFacts roundTripFacts(Codec codec, const TestImage& image, bool interlace) {
  EncodeOptions options;
  options.interlace = interlace;
  std::vector<std::uint8_t> file = encodeOrFail(codec, image, options);
  ImageFacts facts;
  EXPECT_EQ(decodeOrFail(file, image.plan.form, &facts), image.rows);
  EXPECT_EQ(facts.codec, codec);
  EXPECT_EQ(facts.width, image.plan.width);
  EXPECT_EQ(facts.height, image.plan.height);
  EXPECT_EQ(facts.interlaced, interlace);
  return facts;
}

// Decodes FILE completely; returns the error (None on success).
inline Error decodeError(const std::vector<std::uint8_t>& file) {
  std::vector<std::uint8_t> rows;
  Error error;
  decodeImage(file, std::nullopt, RowForm::Rgb24, nullptr, &rows, &error);
  return error;
}

}  // namespace lvcodecs::testing
