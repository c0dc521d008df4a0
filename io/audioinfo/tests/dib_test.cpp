// Packed bitmaps from files are taken only when every part lies inside them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../dib.h"
#include "bytes.h"

namespace {

using audioinfo::CheckPackedDib;
using audioinfo::DibSize;
using miotest::Put16;
using miotest::Put32;

struct Header {
  int32_t width = 20, height = 10;
  uint16_t planes = 1, bits = 8;
  uint32_t compression = 0, sizeImage = 0, coloursUsed = 0;
};

std::vector<BYTE> Dib(const Header& h, size_t colours, size_t pixelBytes) {
  std::vector<BYTE> out;
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(h.width));
  Put32(out, static_cast<uint32_t>(h.height));
  Put16(out, h.planes);
  Put16(out, h.bits);
  Put32(out, h.compression);
  Put32(out, h.sizeImage);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, h.coloursUsed);
  Put32(out, 0);
  out.resize(out.size() + colours * 4 + pixelBytes, 0);
  return out;
}

TEST(PackedDibTest, WholeBitmapsGiveTheirSize) {
  DibSize size;
  std::vector<BYTE> eight = Dib({}, 256, 20 * 10);
  ASSERT_TRUE(CheckPackedDib(eight.data(), eight.size(), &size));
  EXPECT_EQ(size.width, 20);
  EXPECT_EQ(size.height, 10);

  Header topDown;
  topDown.height = -7;
  topDown.bits = 24;
  std::vector<BYTE> rgb = Dib(topDown, 0, 60 * 7);
  ASSERT_TRUE(CheckPackedDib(rgb.data(), rgb.size(), &size));
  EXPECT_EQ(size.height, 7);

  Header fewColours;
  fewColours.bits = 4;
  fewColours.coloursUsed = 3;
  std::vector<BYTE> four = Dib(fewColours, 3, 12 * 10);
  EXPECT_TRUE(CheckPackedDib(four.data(), four.size(), &size));
}

struct BadCase {
  const char* name;
  Header header;
  size_t colours, pixels;
};

class PackedDibBadTest : public testing::TestWithParam<BadCase> {};

TEST_P(PackedDibBadTest, Refused) {
  const BadCase& c = GetParam();
  std::vector<BYTE> dib = Dib(c.header, c.colours, c.pixels);
  DibSize size;
  EXPECT_FALSE(CheckPackedDib(dib.data(), dib.size(), &size));
}

Header With(void (*change)(Header&)) {
  Header h;
  change(h);
  return h;
}

INSTANTIATE_TEST_SUITE_P(
    Broken, PackedDibBadTest,
    testing::Values(BadCase{"PixelsCut", Header{}, 256, 199},
                    BadCase{"ColourTableCut", Header{}, 255, 0},
                    BadCase{"ZeroWidth", With([](Header& h) { h.width = 0; }), 256, 200},
                    BadCase{"ZeroHeight", With([](Header& h) { h.height = 0; }), 256, 200},
                    BadCase{"HugeWidth", With([](Header& h) { h.width = 0x7FFFFFFF; }), 256, 200},
                    BadCase{"TwoPlanes", With([](Header& h) { h.planes = 2; }), 256, 200},
                    BadCase{"OddBitCount", With([](Header& h) { h.bits = 7; }), 256, 200},
                    BadCase{"UnknownCompression", With([](Header& h) { h.compression = 9; }), 256, 200},
                    BadCase{"TooManyColours", With([](Header& h) { h.coloursUsed = 100000; }), 0, 200},
                    BadCase{"RunLengthPastTheEnd",
                            With([](Header& h) { h.compression = 1; h.sizeImage = 500; }), 256, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PackedDibTest, ShorterThanAHeader) {
  std::vector<BYTE> dib = Dib({}, 0, 0);
  DibSize size;
  EXPECT_FALSE(CheckPackedDib(dib.data(), 39, &size));
}

}  // namespace
