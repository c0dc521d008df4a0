// GIF: round trips of the forms GIF stores, transparency, interlacing, a
// frame smaller than the screen (made with giflib in the test) and broken
// data.
#include <gif_lib.h>

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
  std::size_t tableSize;  // the colour table as stored
};

class GifRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(GifRoundTrip, RowsAndFactsComeBackUnchanged) {
  const RoundTripCase& c = GetParam();
  testing::TestImage image = makeImage(c.form, c.width, c.height, c.paletteSize);
  const ImageFacts facts = roundTripFacts(Codec::Gif, image, c.interlace);
  EXPECT_EQ(facts.model, ColourModel::Palette);
  EXPECT_EQ(facts.compression, Compression::Lzw);
  EXPECT_EQ(facts.naturalForm, RowForm::Indexed8);
  EXPECT_EQ(facts.transparentIndex, -1);
  ASSERT_EQ(facts.palette.size(), c.tableSize);
  EXPECT_EQ(std::size_t{1} << facts.bitsPerPixel, c.tableSize);
  for (std::size_t i = 0; i < image.plan.palette.size(); ++i) {
    EXPECT_EQ(facts.palette[i], image.plan.palette[i]) << "entry " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, GifRoundTrip,
    ::testing::Values(RoundTripCase{RowForm::Indexed8, false, 21, 13, 5, 8},
                      RoundTripCase{RowForm::Indexed8, true, 21, 13, 5, 8},
                      RoundTripCase{RowForm::Indexed8, true, 3, 2, 2, 2},
                      RoundTripCase{RowForm::Indexed8, false, 300, 5, 256, 256},
                      RoundTripCase{RowForm::Indexed8, false, 1, 1, 1, 2},
                      RoundTripCase{RowForm::Grey8, false, 17, 9, 0, 256},
                      RoundTripCase{RowForm::Grey8, true, 17, 9, 0, 256},
                      RoundTripCase{RowForm::Bw1, false, 19, 7, 0, 2},
                      RoundTripCase{RowForm::Bw1, true, 19, 10, 0, 2}));

TEST(GifFacts, TransparentIndexAndItsColour) {
  testing::TestImage image = makeImage(RowForm::Indexed8, 9, 5, 6);
  EncodeOptions options;
  options.transparentIndex = 4;
  std::vector<std::uint8_t> file = encodeOrFail(Codec::Gif, image, options);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "GIF89a");
  ImageFacts facts;
  std::vector<std::uint8_t> rgb = decodeOrFail(file, RowForm::Rgb24, &facts);
  EXPECT_EQ(facts.transparentIndex, 4);
  EXPECT_EQ(facts.transparentColour, image.plan.palette[4]);
  EXPECT_EQ(decodeOrFail(file, RowForm::Indexed8), image.rows);
  for (std::size_t i = 0; i < image.rows.size(); ++i) {
    Rgb expected = image.rows[i] == 4 ? Rgb{255, 255, 255} : image.plan.palette[image.rows[i]];
    ASSERT_EQ((Rgb{rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]}), expected) << "pixel " << i;
  }
  std::vector<std::uint8_t> plain = encodeOrFail(Codec::Gif, image);
  EXPECT_EQ(std::string(plain.begin(), plain.begin() + 6), "GIF87a");
}

int appendBytes(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

// A 6 x 4 screen with background index 1 and a 3 x 2 frame at (2, 1), made
// with giflib directly.
std::vector<std::uint8_t> frameOnScreen() {
  std::vector<std::uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, appendBytes, &error);
  GifColorType colours[4] = {{0, 0, 0}, {10, 20, 30}, {200, 0, 0}, {0, 200, 0}};
  ColorMapObject* map = GifMakeMapObject(4, colours);
  EGifPutScreenDesc(gif, 6, 4, 2, 1, map);
  EGifPutImageDesc(gif, 2, 1, 3, 2, false, nullptr);
  GifPixelType rows[2][3] = {{2, 3, 2}, {3, 2, 3}};
  EGifPutLine(gif, rows[0], 3);
  EGifPutLine(gif, rows[1], 3);
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

TEST(GifFacts, FrameIsPlacedOnTheScreenBackground) {
  ImageFacts facts;
  std::vector<std::uint8_t> indices = decodeOrFail(frameOnScreen(), RowForm::Indexed8, &facts);
  EXPECT_EQ(facts.width, 6u);
  EXPECT_EQ(facts.height, 4u);
  EXPECT_EQ(indices, (std::vector<std::uint8_t>{1, 1, 1, 1, 1, 1,  //
                                                1, 1, 2, 3, 2, 1,  //
                                                1, 1, 3, 2, 3, 1,  //
                                                1, 1, 1, 1, 1, 1}));
}

TEST(GifForms, ColourRowsAreRefusedAndIndexedRowsConvert) {
  Error error;
  EXPECT_EQ(makeEncoder(Codec::Gif, {4, 4, RowForm::Rgb24, {}}, {}, &error), nullptr);
  EXPECT_EQ(error.code, ErrorCode::Unsupported);
  testing::TestImage image;
  image.plan = {3, 1, RowForm::Indexed8, {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}}};
  image.rows = {0, 1, 2};
  std::vector<std::uint8_t> file = encodeOrFail(Codec::Gif, image);
  EXPECT_EQ(decodeOrFail(file, RowForm::Grey8), (std::vector<std::uint8_t>{0, 255, 76}));
  EXPECT_EQ(decodeOrFail(file, RowForm::Bw1), (std::vector<std::uint8_t>{0x40}));
}

TEST(GifBroken, TruncatedAndDamagedFilesAreRefused) {
  std::vector<std::uint8_t> file = encodeOrFail(Codec::Gif, makeImage(RowForm::Grey8, 40, 40));
  for (std::size_t length : {std::size_t{6}, std::size_t{12}, std::size_t{13 + 3 * 256 + 5},
                             file.size() / 2, file.size() - 3}) {
    std::vector<std::uint8_t> cut(file.begin(), file.begin() + static_cast<long>(length));
    Error error = decodeError(cut);
    EXPECT_TRUE(error.code == ErrorCode::Truncated || error.code == ErrorCode::Corrupt)
        << "length " << length << ": " << error.message;
  }
  // A screen and a trailer, no image.
  std::vector<std::uint8_t> empty = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B};
  EXPECT_EQ(decodeError(empty).code, ErrorCode::Corrupt);
  // An image descriptor of width 0.
  std::vector<std::uint8_t> zero = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0,
                                    0x2C, 0, 0, 0, 0, 0, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0, 0x3B};
  EXPECT_EQ(decodeError(zero).code, ErrorCode::Corrupt);
}

TEST(GifBroken, OversizeScreenIsRefusedBeforeAllocating) {
  std::vector<std::uint8_t> file = encodeOrFail(Codec::Gif, makeImage(RowForm::Grey8, 40, 40));
  Error error;
  DecodeLimits limits;
  limits.maxSide = 39;
  EXPECT_EQ(openDecoder(file, std::nullopt, &error, limits), nullptr);
  EXPECT_EQ(error.code, ErrorCode::TooLarge);
}

}  // namespace
}  // namespace lvcodecs
