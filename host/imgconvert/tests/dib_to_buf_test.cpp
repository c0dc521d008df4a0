// Packed bitmaps into buffers: every depth, both row orders, bit fields,
// core headers, run-length data, and broken headers refused.
#include <gtest/gtest.h>

#include <hostcommon.h>
#include <imgconvert.h>

#include <string>

#include "dib_builder.h"

namespace {

using cvttest::BuildDib;
using cvttest::Colours;
using cvttest::DibPlan;
using cvttest::GlobalBlock;
using cvttest::Image;
using cvttest::Pixels;

// Converts through the global-block call; false when it fails.
bool Convert(const DibPlan& plan, Image* image) {
  GlobalBlock block(BuildDib(plan));
  return cvt32DIBToBuf(block.handle, &image->buffer, &image->palette, &image->type, 0) != 0;
}

LONG PendingError(LONG* detail = nullptr) {
  LONG unit = 0, category = 0, d = 0;
  LONG error = lvGetDLLErrInfoRecord(&unit, &category, &d);
  if (detail) *detail = d;
  EXPECT_TRUE(error == 0 || unit == CVT32_UNIT) << "unit " << unit;
  return error;
}

struct DepthCase {
  const char* name;
  DibPlan plan;
  LONG type;
  std::vector<uint8_t> pixels;    // buffer rows, top first
  std::vector<uint32_t> palette;  // expected colours (empty: no palette)
};

void PrintTo(const DepthCase& c, std::ostream* os) { *os << c.name; }

class DepthTest : public testing::TestWithParam<DepthCase> {};

TEST_P(DepthTest, DecodesPixelsTypeAndPalette) {
  const DepthCase& c = GetParam();
  c32ResetDLLErrInfo();
  Image image;
  ASSERT_TRUE(Convert(c.plan, &image)) << "error " << PendingError();
  EXPECT_EQ(image.type, c.type);
  EXPECT_EQ(Pixels(image.buffer), c.pixels);
  if (c.palette.empty()) {
    EXPECT_EQ(image.palette, 0u);
  } else {
    ASSERT_NE(image.palette, 0u);
    EXPECT_EQ(Colours(image.palette), c.palette);
  }
}

std::vector<uint32_t> GreyRamp() {
  std::vector<uint32_t> ramp;
  for (uint32_t i = 0; i < 256; ++i) ramp.push_back(i * 0x010101u);
  return ramp;
}

DibPlan Grey8() {
  DibPlan s{40, 2, 2, 8};
  s.colours = GreyRamp();
  s.bits = {10, 20, 0, 0, 30, 40, 0, 0};  // bottom row first
  return s;
}

DibPlan Rle8() {
  DibPlan s{40, 4, 2, 8, BI_RLE8, 0, 3};
  s.colours = {0x000000, 0xFF0000, 0x00FF00};
  // bottom row: absolute 1 1 2 (padded), a run of one 2, end of row; top
  // row: delta of 2, a run of two 2, end of bitmap
  s.bits = {0, 3, 1, 1, 2, 0, 1, 2, 0, 0, 0, 2, 2, 0, 2, 2, 0, 1};
  s.sizeImage = static_cast<uint32_t>(s.bits.size());
  return s;
}

DibPlan Rle4() {
  DibPlan s{40, 6, 1, 4, BI_RLE4, 0, 3};
  s.colours = {0x000000, 0x0000FF, 0xFFFFFF};
  // a run of 3 alternating 1 and 2, then an absolute run of 2, 1, 2
  s.bits = {3, 0x12, 0, 3, 0x21, 0x20, 0, 1};
  s.sizeImage = static_cast<uint32_t>(s.bits.size());
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Depths, DepthTest,
    testing::Values(
        // 1 bit, palette black/white: set bits stay white.
        DepthCase{"bw", DibPlan{40, 3, 1, 1, BI_RGB, 0, 0, {}, {0x000000, 0xFFFFFF}, {0xA0, 0, 0, 0}},
                  64, {0xA0}, {0x000000, 0xFFFFFF}},
        // 1 bit with white first: bits flip so set bits are the brighter colour.
        DepthCase{"bw_inverted",
                  DibPlan{40, 3, 1, 1, BI_RGB, 0, 0, {}, {0xFFFFFF, 0x000000}, {0xA0, 0, 0, 0}},
                  64, {0x40}, {0x000000, 0xFFFFFF}},
        DepthCase{"four_bit",
                  DibPlan{40, 3, 1, 4, BI_RGB, 0, 2, {}, {0x112233, 0x445566}, {0x10, 0x10, 0, 0}},
                  8, {1, 0, 1}, {0x112233, 0x445566}},
        DepthCase{"indexed8", DibPlan{40, 2, 1, 8, BI_RGB, 0, 3, {}, {1, 2, 3}, {2, 1, 0, 0}}, 4,
                  {2, 1}, {1, 2, 3}},
        DepthCase{"grey8", Grey8(), 32, {30, 40, 10, 20}, {}},
        DepthCase{"rgb555", DibPlan{40, 2, 1, 16, BI_RGB, 0, 0, {}, {}, {0x1F, 0x7C, 0xE0, 0x03}},
                  16, {0x1F, 0x7C, 0xE0, 0x03}, {}},
        // 5-6-5: pure red, pure green, pure blue become 5-5-5.
        DepthCase{"rgb565",
                  DibPlan{40, 3, 1, 16, BI_BITFIELDS, 0, 0, {0xF800, 0x07E0, 0x001F}, {},
                          {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0}},
                  16, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00}, {}},
        // Masks inside a V4-sized header.
        DepthCase{"rgb565_v4",
                  DibPlan{108, 1, 1, 16, BI_BITFIELDS, 0, 0, {0xF800, 0x07E0, 0x001F}, {},
                          {0x00, 0xF8, 0, 0}},
                  16, {0x00, 0x7C}, {}},
        DepthCase{"rgb24", DibPlan{40, 1, 2, 24, BI_RGB, 0, 0, {}, {}, {1, 2, 3, 0, 4, 5, 6, 0}},
                  2, {6, 5, 4, 3, 2, 1}, {}},
        DepthCase{"rgb24_topdown",
                  DibPlan{40, 1, -2, 24, BI_RGB, 0, 0, {}, {}, {1, 2, 3, 0, 4, 5, 6, 0}}, 2,
                  {3, 2, 1, 6, 5, 4}, {}},
        DepthCase{"rgb32", DibPlan{40, 1, 1, 32, BI_RGB, 0, 0, {}, {}, {7, 8, 9, 0xFF}}, 2,
                  {9, 8, 7}, {}},
        // 32-bit fields with 10 bits a channel: the top values scale to 255.
        DepthCase{"rgb32_fields",
                  DibPlan{40, 1, 1, 32, BI_BITFIELDS, 0, 0, {0x3FF00000, 0x000FFC00, 0x000003FF},
                          {}, {0xFF, 0x03, 0xF0, 0x3F}},
                  2, {255, 0, 255}, {}},
        DepthCase{"core24", DibPlan{12, 1, 1, 24, BI_RGB, 0, 0, {}, {}, {1, 2, 3, 0}}, 2,
                  {3, 2, 1}, {}},
        DepthCase{"core8", DibPlan{12, 2, 1, 8, BI_RGB, 0, 0, {}, std::vector<uint32_t>(256, 0x0A0B0C), {5, 6, 0, 0}},
                  4, {5, 6}, std::vector<uint32_t>(256, 0x0A0B0C)},
        DepthCase{"rle8", Rle8(), 4, {0, 0, 2, 2, 1, 1, 2, 2}, {0x000000, 0xFF0000, 0x00FF00}},
        DepthCase{"rle4", Rle4(), 8, {1, 2, 1, 2, 1, 2}, {0x000000, 0x0000FF, 0xFFFFFF}}),
    [](const testing::TestParamInfo<DepthCase>& info) { return std::string(info.param.name); });

TEST(DibPtrToBuf, ReadsAResourceLikePointerAndALockedBlock) {
  DibPlan plan{40, 1, 1, 24, BI_RGB, 0, 0, {}, {}, {1, 2, 3, 0}};
  std::vector<uint8_t> bytes = BuildDib(plan);
  Image plain;
  ASSERT_TRUE(cvt32DIBPtrToBuf(bytes.data(), &plain.buffer, &plain.palette, &plain.type, 0));
  EXPECT_EQ(Pixels(plain.buffer), (std::vector<uint8_t>{3, 2, 1}));

  // A locked global block bounds the read: cut the bits short and it fails.
  bytes.resize(bytes.size() - 2);
  GlobalBlock block(bytes);
  const void* locked = GlobalLock(block.handle);
  Image cut;
  c32ResetDLLErrInfo();
  EXPECT_FALSE(cvt32DIBPtrToBuf(locked, &cut.buffer, &cut.palette, &cut.type, 0));
  GlobalUnlock(block.handle);
  LONG detail = 0;
  EXPECT_EQ(PendingError(&detail), 4005);
  EXPECT_EQ(detail, CVT32_DETAIL_TRUNCATED);
  EXPECT_EQ(cut.buffer, 0u);
}

TEST(GetDIBInfo, ReportsSizeDepthAndType) {
  DibPlan plan = Grey8();
  plan.height = -2;
  GlobalBlock block(BuildDib(plan));
  LONG w = 0, h = 0, bpp = 0, type = 0;
  ASSERT_TRUE(cvt32GetDIBInfo(block.handle, &w, &h, &bpp, &type));
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(bpp, 8);
  EXPECT_EQ(type, 32);
}

struct BrokenCase {
  const char* name;
  DibPlan plan;
  size_t cut;  // bytes removed from the end
  LONG detail;
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }

class BrokenTest : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenTest, RefusedWithClearError) {
  const BrokenCase& c = GetParam();
  std::vector<uint8_t> bytes = BuildDib(c.plan);
  bytes.resize(bytes.size() - std::min(c.cut, bytes.size()));
  GlobalBlock block(bytes);
  c32ResetDLLErrInfo();
  Image image;
  image.buffer = 0x1234;  // must be cleared
  EXPECT_FALSE(cvt32DIBToBuf(block.handle, &image.buffer, &image.palette, &image.type, 0));
  EXPECT_EQ(image.buffer, 0u);
  EXPECT_EQ(image.palette, 0u);
  LONG detail = 0;
  EXPECT_EQ(PendingError(&detail), 4005);
  EXPECT_EQ(detail, c.detail);
  // Run-length faults show only when decoding; the header itself is sound.
  if (c.detail != CVT32_DETAIL_RLE) {
    EXPECT_FALSE(cvt32GetDIBInfo(block.handle, nullptr, nullptr, nullptr, nullptr));
  }
}

DibPlan Rgb1x1() { return DibPlan{40, 1, 1, 24, BI_RGB, 0, 0, {}, {}, {1, 2, 3, 0}}; }

DibPlan With(DibPlan s, void (*change)(DibPlan&)) {
  change(s);
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Headers, BrokenTest,
    testing::Values(
        BrokenCase{"header_size", With(Rgb1x1(), [](DibPlan& s) { s.headerSize = 41; }), 0,
                   CVT32_DETAIL_HEADER},
        BrokenCase{"zero_width", With(Rgb1x1(), [](DibPlan& s) { s.width = 0; }), 0,
                   CVT32_DETAIL_HEADER},
        BrokenCase{"negative_width", With(Rgb1x1(), [](DibPlan& s) { s.width = -5; }), 0,
                   CVT32_DETAIL_HEADER},
        BrokenCase{"zero_height", With(Rgb1x1(), [](DibPlan& s) { s.height = 0; }), 0,
                   CVT32_DETAIL_HEADER},
        BrokenCase{"min_height", With(Rgb1x1(), [](DibPlan& s) { s.height = INT32_MIN; }), 0,
                   CVT32_DETAIL_HEADER},
        BrokenCase{"huge_size",
                   With(Rgb1x1(), [](DibPlan& s) { s.width = 1000000; s.height = 1000000; }), 0,
                   CVT32_DETAIL_HEADER},
        BrokenCase{"depth", With(Rgb1x1(), [](DibPlan& s) { s.bitCount = 7; }), 0,
                   CVT32_DETAIL_HEADER},
        BrokenCase{"jpeg_compression", With(Rgb1x1(), [](DibPlan& s) { s.compression = 4; }), 0,
                   CVT32_DETAIL_COMPRESSION},
        BrokenCase{"rle8_on_24", With(Rgb1x1(), [](DibPlan& s) { s.compression = BI_RLE8; }), 0,
                   CVT32_DETAIL_COMPRESSION},
        BrokenCase{"fields_on_24", With(Rgb1x1(), [](DibPlan& s) { s.compression = BI_BITFIELDS; }),
                   0, CVT32_DETAIL_COMPRESSION},
        BrokenCase{"bits_short", Rgb1x1(), 1, CVT32_DETAIL_TRUNCATED},
        BrokenCase{"header_short", Rgb1x1(), 20, CVT32_DETAIL_TRUNCATED},
        BrokenCase{"table_past_end",
                   DibPlan{40, 1, 1, 8, BI_RGB, 0, 0, {}, {1, 2, 3}, {}}, 0,
                   CVT32_DETAIL_TRUNCATED},
        BrokenCase{"too_many_colours",
                   DibPlan{40, 1, 1, 8, BI_RGB, 0, 257, {}, {}, {0, 0, 0, 0}}, 0,
                   CVT32_DETAIL_HEADER},
        BrokenCase{"overlapping_masks",
                   DibPlan{40, 1, 1, 16, BI_BITFIELDS, 0, 0, {0xF800, 0x0FE0, 0x001F}, {}, {0, 0, 0, 0}},
                   0, CVT32_DETAIL_MASKS},
        BrokenCase{"split_mask",
                   DibPlan{40, 1, 1, 16, BI_BITFIELDS, 0, 0, {0xF000, 0x0500, 0x001F}, {}, {0, 0, 0, 0}},
                   0, CVT32_DETAIL_MASKS},
        BrokenCase{"mask_past_depth",
                   DibPlan{40, 1, 1, 16, BI_BITFIELDS, 0, 0, {0xF0000, 0x07E0, 0x001F}, {}, {0, 0, 0, 0}},
                   0, CVT32_DETAIL_MASKS},
        BrokenCase{"masks_missing",
                   DibPlan{40, 1, 1, 16, BI_BITFIELDS, 0, 0, {}, {}, {}}, 0,
                   CVT32_DETAIL_TRUNCATED},
        BrokenCase{"rle_size_past_end",
                   DibPlan{40, 2, 1, 8, BI_RLE8, 64, 1, {}, {0}, {2, 0, 0, 1}}, 0,
                   CVT32_DETAIL_TRUNCATED},
        BrokenCase{"rle_absolute_past_end",
                   DibPlan{40, 8, 1, 8, BI_RLE8, 0, 1, {}, {0}, {0, 8, 1, 2}}, 0,
                   CVT32_DETAIL_RLE},
        BrokenCase{"rle_topdown", DibPlan{40, 2, -1, 8, BI_RLE8, 0, 1, {}, {0}, {0, 1}}, 0,
                   CVT32_DETAIL_COMPRESSION}),
    [](const testing::TestParamInfo<BrokenCase>& info) { return std::string(info.param.name); });

TEST(DibToBuf, BadArgumentsFailWith3200) {
  HBUF buffer = 0;
  c32ResetDLLErrInfo();
  EXPECT_FALSE(cvt32DIBToBuf(0, &buffer, nullptr, nullptr, 0));
  EXPECT_EQ(PendingError(), 3200);
  GlobalBlock block(BuildDib(Rgb1x1()));
  EXPECT_FALSE(cvt32DIBToBuf(block.handle, nullptr, nullptr, nullptr, 0));
  EXPECT_FALSE(cvt32DIBPtrToBuf(nullptr, &buffer, nullptr, nullptr, 0));
}

}  // namespace
