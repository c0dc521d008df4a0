// JPEG: the five colour models from files made with the JPEG library in the
// test (four-colour files with and without the Adobe marker), round trips of
// every row form, progressive files, quality, density and broken data.
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "testimages.h"

namespace lvcodecs {
namespace {

using testing::decodeError;
using testing::decodeOrFail;
using testing::encodeOrFail;

// Writes a JPEG with the library directly: SAMPLES hold COMPONENTS samples a
// pixel in IN_SPACE, stored as STORED_SPACE.
std::vector<std::uint8_t> writeRawJpeg(std::uint32_t width, std::uint32_t height, J_COLOR_SPACE inSpace,
                                       int components, J_COLOR_SPACE storedSpace, bool adobeMarker,
                                       const std::vector<std::uint8_t>& samples) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = components;
  info.in_color_space = inSpace;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, storedSpace);
  jpeg_set_quality(&info, 95, TRUE);
  info.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
  jpeg_start_compress(&info, TRUE);
  for (std::uint32_t y = 0; y < height; ++y) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + std::size_t{width} * components * y);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

// A 16 x 16 image of four flat 8 x 8 quarters with the given pixels.
std::vector<std::uint8_t> quarters(const std::vector<std::vector<std::uint8_t>>& pixels) {
  std::vector<std::uint8_t> samples;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const auto& p = pixels[static_cast<std::size_t>((y / 8) * 2 + x / 8)];
      samples.insert(samples.end(), p.begin(), p.end());
    }
  }
  return samples;
}

// Checks the centre pixel of each quarter of a decoded 16 x 16 R,G,B image.
void expectQuarters(const std::vector<std::uint8_t>& rgb, const std::vector<Rgb>& expected) {
  ASSERT_EQ(rgb.size(), 16u * 16u * 3u);
  for (std::size_t q = 0; q < 4; ++q) {
    std::size_t x = (q % 2) * 8 + 4, y = (q / 2) * 8 + 4;
    const std::uint8_t* p = rgb.data() + 3 * (y * 16 + x);
    EXPECT_NEAR(p[0], expected[q].r, 6) << "quarter " << q;
    EXPECT_NEAR(p[1], expected[q].g, 6) << "quarter " << q;
    EXPECT_NEAR(p[2], expected[q].b, 6) << "quarter " << q;
  }
}

struct ModelCase {
  const char* name;
  J_COLOR_SPACE inSpace;
  int components;
  J_COLOR_SPACE storedSpace;
  bool adobeMarker;
  std::vector<std::vector<std::uint8_t>> pixels;
  int model;
  ColourModel colourModel;
  bool jfif;
};

const std::vector<Rgb> kColours = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {128, 128, 128}};
const std::vector<std::vector<std::uint8_t>> kRgbPixels = {
    {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {128, 128, 128}};
// Inks of the four colours as files with the Adobe marker store them
// (inverted: 255 no ink) and as plain files do.
const std::vector<std::vector<std::uint8_t>> kAdobeInks = {
    {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 128}};
const std::vector<std::vector<std::uint8_t>> kPlainInks = {
    {0, 255, 255, 0}, {255, 0, 255, 0}, {255, 255, 0, 0}, {0, 0, 0, 127}};

class JpegModels : public ::testing::TestWithParam<ModelCase> {};

TEST_P(JpegModels, FactsAndColours) {
  const ModelCase& c = GetParam();
  std::vector<std::uint8_t> file = writeRawJpeg(16, 16, c.inSpace, c.components, c.storedSpace,
                                                c.adobeMarker, quarters(c.pixels));
  ImageFacts facts;
  std::vector<std::uint8_t> rgb = decodeOrFail(file, RowForm::Rgb24, &facts);
  EXPECT_EQ(facts.codec, Codec::Jpeg);
  EXPECT_EQ(facts.jpegColourModel, c.model);
  EXPECT_EQ(facts.model, c.colourModel);
  EXPECT_EQ(facts.channels, c.components);
  EXPECT_EQ(facts.bitsPerPixel, 8 * c.components);
  EXPECT_EQ(facts.jfifMarker, c.jfif);
  EXPECT_EQ(facts.adobeMarker, c.adobeMarker);
  EXPECT_FALSE(facts.progressive);
  EXPECT_EQ(facts.compression, Compression::JpegDct);
  if (c.components == 1) {
    expectQuarters(rgb, {{255, 255, 255}, {0, 0, 0}, {128, 128, 128}, {64, 64, 64}});
  } else {
    expectQuarters(rgb, kColours);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Models, JpegModels,
    ::testing::Values(
        ModelCase{"grey", JCS_GRAYSCALE, 1, JCS_GRAYSCALE, false, {{255}, {0}, {128}, {64}}, 1,
                  ColourModel::Grey, true},
        ModelCase{"rgb", JCS_RGB, 3, JCS_RGB, true, kRgbPixels, 2, ColourModel::Rgb, false},
        ModelCase{"ycbcr", JCS_RGB, 3, JCS_YCbCr, false, kRgbPixels, 3, ColourModel::YCbCr, true},
        ModelCase{"cmyk", JCS_CMYK, 4, JCS_CMYK, true, kAdobeInks, 4, ColourModel::Cmyk, false},
        ModelCase{"ycck", JCS_CMYK, 4, JCS_YCCK, true, kAdobeInks, 5, ColourModel::Ycck, false},
        ModelCase{"plaincmyk", JCS_CMYK, 4, JCS_CMYK, false, kPlainInks, 4, ColourModel::Cmyk,
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

// A flat-block image (16 x 16 blocks, whole units of subsampled colour) in
// FORM, which JPEG keeps nearly exactly.
testing::TestImage blockImage(RowForm form, std::uint32_t width, std::uint32_t height) {
  testing::TestImage image = testing::makeImage(form, width, height, 4);
  std::size_t stride = rowBytes(form, width);
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      unsigned block = (x / 16 + y / 16 * 3) % 4;
      std::uint8_t* row = image.rows.data() + stride * y;
      switch (form) {
        case RowForm::Rgb24:
          row[3 * x] = static_cast<std::uint8_t>(block * 80);
          row[3 * x + 1] = static_cast<std::uint8_t>(255 - block * 60);
          row[3 * x + 2] = static_cast<std::uint8_t>(block * 30);
          break;
        case RowForm::Indexed8:
        case RowForm::Grey8:
          row[x] = static_cast<std::uint8_t>(form == RowForm::Grey8 ? block * 85 : block);
          break;
        case RowForm::Bw1:
          if (block % 2) {
            row[x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
          } else {
            row[x / 8] &= static_cast<std::uint8_t>(~(0x80u >> (x % 8)));
          }
          break;
      }
    }
  }
  return image;
}

struct FormCase {
  RowForm form;
  bool progressive;
  int model;
};

class JpegRoundTrip : public ::testing::TestWithParam<FormCase> {};

TEST_P(JpegRoundTrip, RowsComeBackCloseToTheOriginal) {
  const FormCase& c = GetParam();
  testing::TestImage image = blockImage(c.form, 48, 32);
  EncodeOptions options;
  options.quality = 95;
  options.progressive = c.progressive;
  ImageFacts facts;
  std::vector<std::uint8_t> rgb =
      decodeOrFail(encodeOrFail(Codec::Jpeg, image, options), RowForm::Rgb24, &facts);
  EXPECT_EQ(facts.progressive, c.progressive);
  EXPECT_EQ(facts.jpegColourModel, c.model);
  EXPECT_TRUE(facts.jfifMarker);
  std::vector<std::uint8_t> expected(rgb.size());
  std::size_t stride = rowBytes(c.form, 48);
  for (std::uint32_t y = 0; y < 32; ++y) {
    const std::uint8_t* row = image.rows.data() + stride * y;
    for (std::uint32_t x = 0; x < 48; ++x) {
      std::uint8_t* e = expected.data() + 3 * (48 * y + x);
      if (c.form == RowForm::Rgb24) {
        std::copy(row + 3 * x, row + 3 * x + 3, e);
      } else if (c.form == RowForm::Indexed8) {
        const Rgb& p = image.plan.palette[row[x]];
        e[0] = p.r, e[1] = p.g, e[2] = p.b;
      } else if (c.form == RowForm::Grey8) {
        e[0] = e[1] = e[2] = row[x];
      } else {
        e[0] = e[1] = e[2] = (row[x / 8] & (0x80u >> (x % 8))) ? 255 : 0;
      }
    }
  }
  int worst = 0;
  std::size_t worstAt = 0;
  for (std::size_t i = 0; i < rgb.size(); ++i) {
    // Colour is smoothed across block edges; the blocks' insides must keep it.
    std::size_t x = i / 3 % 48, y = i / 3 / 48;
    if (x % 16 < 2 || x % 16 > 13 || y % 16 < 2 || y % 16 > 13) continue;
    int difference = std::abs(rgb[i] - expected[i]);
    if (difference > worst) worst = difference, worstAt = i;
  }
  EXPECT_LE(worst, 24) << "largest difference of a sample, at pixel " << worstAt / 3 << " ("
                       << int{rgb[worstAt]} << " for " << int{expected[worstAt]} << ")";
  if (c.form == RowForm::Bw1) {
    EXPECT_EQ(decodeOrFail(encodeOrFail(Codec::Jpeg, image, options), RowForm::Bw1), image.rows);
  }
}

INSTANTIATE_TEST_SUITE_P(Forms, JpegRoundTrip,
                         ::testing::Values(FormCase{RowForm::Rgb24, false, 3},
                                           FormCase{RowForm::Rgb24, true, 3},
                                           FormCase{RowForm::Indexed8, false, 3},
                                           FormCase{RowForm::Grey8, false, 1},
                                           FormCase{RowForm::Grey8, true, 1},
                                           FormCase{RowForm::Bw1, false, 1}));

TEST(JpegOptions, LowerQualityMakesSmallerFiles) {
  testing::TestImage image = testing::makeImage(RowForm::Rgb24, 64, 64);
  EncodeOptions low, high;
  low.quality = 10;
  high.quality = 95;
  EXPECT_LT(encodeOrFail(Codec::Jpeg, image, low).size(),
            encodeOrFail(Codec::Jpeg, image, high).size());
  Error error;
  EncodeOptions bad;
  bad.quality = 101;
  EXPECT_EQ(makeEncoder(Codec::Jpeg, image.plan, bad, &error), nullptr);
  EXPECT_EQ(error.code, ErrorCode::InvalidArgument);
}

TEST(JpegOptions, DensityPerInchAndPerMetre) {
  testing::TestImage image = blockImage(RowForm::Grey8, 8, 8);
  struct {
    Resolution stored;
    Resolution read;
  } cases[] = {
      {{ResolutionUnit::PerInch, 300, 200}, {ResolutionUnit::PerInch, 300, 200}},
      {{ResolutionUnit::PerMetre, 11811, 3937}, {ResolutionUnit::PerMetre, 11800, 3900}},
      {{ResolutionUnit::None, 1, 2}, {ResolutionUnit::None, 1, 2}},
  };
  for (const auto& c : cases) {
    EncodeOptions options;
    options.resolution = c.stored;
    ImageFacts facts;
    decodeOrFail(encodeOrFail(Codec::Jpeg, image, options), RowForm::Grey8, &facts);
    EXPECT_EQ(facts.resolution.unit, c.read.unit);
    EXPECT_EQ(facts.resolution.x, c.read.x);
    EXPECT_EQ(facts.resolution.y, c.read.y);
  }
}

TEST(JpegBroken, TruncatedAndDamagedFilesAreRefused) {
  EncodeOptions progressive;
  progressive.progressive = true;
  for (bool isProgressive : {false, true}) {
    std::vector<std::uint8_t> file = encodeOrFail(
        Codec::Jpeg, testing::makeImage(RowForm::Rgb24, 48, 48), isProgressive ? progressive : EncodeOptions{});
    for (std::size_t length : {std::size_t{3}, std::size_t{30}, std::size_t{200}, file.size() / 2,
                               file.size() - 3}) {
      std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<long>(length));
      Error error = decodeError(cut);
      EXPECT_TRUE(error.code == ErrorCode::Truncated || error.code == ErrorCode::Corrupt)
          << "length " << length << ": " << error.message;
    }
  }
  std::vector<std::uint8_t> noImage = {0xFF, 0xD8, 0xFF, 0xD9};
  EXPECT_EQ(decodeError(noImage).code, ErrorCode::Corrupt);
  std::vector<std::uint8_t> garbage = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x02, 0x12, 0x34, 0x56};
  EXPECT_NE(decodeError(garbage).code, ErrorCode::None);
}

}  // namespace
}  // namespace lvcodecs
