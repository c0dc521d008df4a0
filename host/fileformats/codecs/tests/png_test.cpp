// PNG: round trips of every row form, header facts, files made by libpng
// directly (16-bit, 2-bit grey) and broken data.
#include <png.h>

#include <cstring>

#include "testimages.h"

namespace lvcodecs {
namespace {

using testing::decodeError;
using testing::decodeOrFail;
using testing::encodeOrFail;
using testing::makeImage;
using testing::roundTripFacts;

struct RoundTripCase {
  RowForm form;
  bool interlace;
  std::uint32_t width, height;
  std::size_t paletteSize;
  ColourModel model;
  std::uint8_t bitsPerPixel;
};

class PngRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(PngRoundTrip, RowsAndFactsComeBackUnchanged) {
  const RoundTripCase& c = GetParam();
  testing::TestImage image = makeImage(c.form, c.width, c.height, c.paletteSize);
  const ImageFacts facts = roundTripFacts(Codec::Png, image, c.interlace);
  EXPECT_EQ(facts.model, c.model);
  EXPECT_EQ(facts.bitsPerPixel, c.bitsPerPixel);
  EXPECT_EQ(facts.naturalForm, c.form);
  EXPECT_EQ(facts.compression, Compression::Deflate);
  EXPECT_EQ(facts.palette, image.plan.palette);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PngRoundTrip,
    ::testing::Values(RoundTripCase{RowForm::Rgb24, false, 37, 11, 0, ColourModel::Rgb, 24},
                      RoundTripCase{RowForm::Rgb24, true, 37, 11, 0, ColourModel::Rgb, 24},
                      RoundTripCase{RowForm::Grey8, false, 5, 9, 0, ColourModel::Grey, 8},
                      RoundTripCase{RowForm::Grey8, true, 1, 1, 0, ColourModel::Grey, 8},
                      RoundTripCase{RowForm::Bw1, false, 13, 7, 0, ColourModel::Grey, 1},
                      RoundTripCase{RowForm::Bw1, true, 17, 9, 0, ColourModel::Grey, 1},
                      RoundTripCase{RowForm::Indexed8, false, 19, 6, 2, ColourModel::Palette, 1},
                      RoundTripCase{RowForm::Indexed8, false, 19, 6, 3, ColourModel::Palette, 2},
                      RoundTripCase{RowForm::Indexed8, true, 19, 6, 16, ColourModel::Palette, 4},
                      RoundTripCase{RowForm::Indexed8, false, 64, 3, 256, ColourModel::Palette,
                                    8}));

TEST(PngFacts, PaletteTransparencyAndResolution) {
  testing::TestImage image = makeImage(RowForm::Indexed8, 8, 4, 5);
  EncodeOptions options;
  options.transparentIndex = 3;
  options.resolution = {ResolutionUnit::PerMetre, 3780, 7560};
  ImageFacts facts;
  std::vector<std::uint8_t> rgb = decodeOrFail(encodeOrFail(Codec::Png, image, options),
                                               RowForm::Rgb24, &facts);
  EXPECT_EQ(facts.transparentIndex, 3);
  EXPECT_EQ(facts.transparentColour, image.plan.palette[3]);
  EXPECT_TRUE(facts.hasAlpha);
  EXPECT_EQ(facts.resolution.unit, ResolutionUnit::PerMetre);
  EXPECT_EQ(facts.resolution.x, 3780u);
  EXPECT_EQ(facts.resolution.y, 7560u);
  EXPECT_NEAR(dotsPerInch(facts.resolution.x, facts.resolution.unit), 96.0, 0.02);
  // Transparent pixels are shown over white, the others in their colour.
  for (std::size_t i = 0; i < image.rows.size(); ++i) {
    Rgb expected = image.rows[i] == 3 ? Rgb{255, 255, 255} : image.plan.palette[image.rows[i]];
    ASSERT_EQ((Rgb{rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]}), expected) << "pixel " << i;
  }
}

TEST(PngFacts, ResolutionPerInchIsStoredPerMetre) {
  EncodeOptions options;
  options.resolution = {ResolutionUnit::PerInch, 300, 150};
  ImageFacts facts;
  decodeOrFail(encodeOrFail(Codec::Png, makeImage(RowForm::Grey8, 2, 2), options), RowForm::Grey8,
               &facts);
  EXPECT_EQ(facts.resolution.unit, ResolutionUnit::PerMetre);
  EXPECT_NEAR(dotsPerInch(facts.resolution.x, facts.resolution.unit), 300.0, 0.02);
  EXPECT_NEAR(dotsPerInch(facts.resolution.y, facts.resolution.unit), 150.0, 0.02);
}

// Writes a PNG with libpng directly: samples given one per 16-bit value.
std::vector<std::uint8_t> writeRawPng(std::uint32_t width, std::uint32_t height, int bitDepth,
                                      int colourType, const std::vector<std::uint8_t>& rowBytes) {
  std::vector<std::uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep d, size_t n) {
        auto* o = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(p));
        o->insert(o->end(), d, d + n);
      },
      nullptr);
  png_set_IHDR(png, info, width, height, bitDepth, colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::size_t stride = rowBytes.size() / height;
  for (std::uint32_t y = 0; y < height; ++y) png_write_row(png, rowBytes.data() + stride * y);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

TEST(PngFacts, SixteenBitSamplesAreScaledToEight) {
  // Big-endian 16-bit RGB: 0x0000, 0x8080, 0xFFFF, 0x1234, 0xFF00, 0x00FF.
  std::vector<std::uint8_t> raw = {0x00, 0x00, 0x80, 0x80, 0xFF, 0xFF,
                                   0x12, 0x34, 0xFF, 0x00, 0x00, 0xFF};
  ImageFacts facts;
  std::vector<std::uint8_t> rgb =
      decodeOrFail(writeRawPng(2, 1, 16, PNG_COLOR_TYPE_RGB, raw), RowForm::Rgb24, &facts);
  EXPECT_EQ(facts.bitsPerSample, 16);
  EXPECT_EQ(facts.bitsPerPixel, 48);
  EXPECT_EQ(rgb, (std::vector<std::uint8_t>{0x00, 0x80, 0xFF, 0x12, 0xFE, 0x01}));
}

TEST(PngFacts, TwoBitGreyIsScaledToTheFullRange) {
  // Four pixels 0, 1, 2, 3 in one byte.
  ImageFacts facts;
  std::vector<std::uint8_t> grey =
      decodeOrFail(writeRawPng(4, 1, 2, PNG_COLOR_TYPE_GRAY, {0x1B}), RowForm::Grey8, &facts);
  EXPECT_EQ(facts.naturalForm, RowForm::Grey8);
  EXPECT_EQ(grey, (std::vector<std::uint8_t>{0, 85, 170, 255}));
  EXPECT_EQ(decodeOrFail(writeRawPng(4, 1, 2, PNG_COLOR_TYPE_GRAY, {0x1B}), RowForm::Indexed8),
            grey);
}

TEST(PngForms, ColourRowsAsGreyAndBlackWhite) {
  testing::TestImage image;
  image.plan = {4, 1, RowForm::Rgb24, {}};
  image.rows = {255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0};
  std::vector<std::uint8_t> file = encodeOrFail(Codec::Png, image);
  EXPECT_EQ(decodeOrFail(file, RowForm::Grey8), (std::vector<std::uint8_t>{255, 0, 76, 150}));
  EXPECT_EQ(decodeOrFail(file, RowForm::Bw1), (std::vector<std::uint8_t>{0x90}));
  std::vector<std::uint8_t> rows;
  Error error;
  EXPECT_FALSE(decodeImage(file, Codec::Png, RowForm::Indexed8, nullptr, &rows, &error));
  EXPECT_EQ(error.code, ErrorCode::Unsupported);
}

TEST(PngBroken, TruncatedAndDamagedFilesAreRefused) {
  std::vector<std::uint8_t> file =
      encodeOrFail(Codec::Png, makeImage(RowForm::Rgb24, 64, 64), EncodeOptions{});
  for (std::size_t length : {std::size_t{8}, std::size_t{20}, std::size_t{40}, file.size() / 2,
                             file.size() - 20}) {
    std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<long>(length));
    Error error = decodeError(cut);
    EXPECT_TRUE(error.code == ErrorCode::Truncated || error.code == ErrorCode::Corrupt)
        << "length " << length << ": " << error.message;
  }
  std::vector<std::uint8_t> damaged = file;
  damaged[damaged.size() / 2] ^= 0x55;  // inside the image data: its checksum fails
  EXPECT_EQ(decodeError(damaged).code, ErrorCode::Corrupt);
  std::vector<std::uint8_t> badHeader = file;
  badHeader[16] = 0;  // width 0 in the header
  badHeader[17] = badHeader[18] = badHeader[19] = 0;
  EXPECT_EQ(decodeError(badHeader).code, ErrorCode::Corrupt);
}

TEST(PngBroken, OversizeHeaderIsRefusedBeforeAllocating) {
  std::vector<std::uint8_t> file = encodeOrFail(Codec::Png, makeImage(RowForm::Grey8, 3, 3));
  Error error;
  DecodeLimits limits;
  limits.maxPixels = 8;
  EXPECT_EQ(openDecoder(file, std::nullopt, &error, limits), nullptr);
  EXPECT_EQ(error.code, ErrorCode::TooLarge);
}

TEST(PngDecoderUse, RowsAfterTheLastAndWrongFormsFail) {
  Error error;
  auto decoder = openDecoder(encodeOrFail(Codec::Png, makeImage(RowForm::Grey8, 2, 1)), Codec::Png,
                             &error);
  ASSERT_NE(decoder, nullptr) << error.message;
  std::uint8_t row[6];
  EXPECT_TRUE(decoder->readRow(RowForm::Rgb24, row, &error));
  EXPECT_FALSE(decoder->readRow(RowForm::Rgb24, row, &error));
  EXPECT_EQ(error.code, ErrorCode::InvalidArgument);
  EXPECT_EQ(openDecoder({'G', 'I', 'F', '8', '9', 'a'}, Codec::Png, &error), nullptr);
  EXPECT_EQ(error.code, ErrorCode::NotThisFormat);
}

TEST(PngEncoderUse, BadPlansAndRowCountsAreRefused) {
  Error error;
  EXPECT_EQ(makeEncoder(Codec::Png, {0, 5, RowForm::Grey8, {}}, {}, &error), nullptr);
  EXPECT_EQ(makeEncoder(Codec::Png, {5, 5, RowForm::Indexed8, {}}, {}, &error), nullptr);
  EncodeOptions badIndex;
  badIndex.transparentIndex = 2;
  EXPECT_EQ(makeEncoder(Codec::Png, {5, 5, RowForm::Indexed8, {{1, 2, 3}, {4, 5, 6}}}, badIndex,
                        &error),
            nullptr);
  EXPECT_EQ(error.code, ErrorCode::InvalidArgument);

  auto encoder = makeEncoder(Codec::Png, {2, 2, RowForm::Indexed8, {{1, 2, 3}, {4, 5, 6}}}, {},
                             &error);
  ASSERT_NE(encoder, nullptr);
  std::uint8_t good[2] = {0, 1}, bad[2] = {1, 2};
  EXPECT_TRUE(encoder->writeRow(good, &error));
  std::vector<std::uint8_t> file;
  EXPECT_FALSE(encoder->finish(&file, &error));  // a row missing
  EXPECT_FALSE(encoder->writeRow(bad, &error));  // index 2 beyond the palette
  EXPECT_EQ(error.code, ErrorCode::InvalidArgument);
}

}  // namespace
}  // namespace lvcodecs
