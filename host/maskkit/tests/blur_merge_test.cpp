// MaskBlur, MergeImage and ApplyPalette by value, and no buffer left over.
#include <gtest/gtest.h>

#include "mask_buffers.h"
#include "maskkit.h"

namespace {

using lvtest::BufferOf;
using lvtest::BytesOf;
using lvtest::MaskOf;
using lvtest::Owned;

TEST(MaskBlur, BoxPassesByValue) {
  // One bright pixel in a row of 7: one pass of radius 1 spreads it over
  // three pixels, two passes into a tent of five.
  struct Case {
    LONG radius, passes;
    std::vector<BYTE> expected;
  };
  const Case cases[] = {
      {0, 1, {0, 0, 0, 90, 0, 0, 0}},
      {1, 1, {0, 0, 30, 30, 30, 0, 0}},
      {1, 2, {0, 10, 20, 30, 20, 10, 0}},
  };
  for (const Case& c : cases) {
    HBUF src = MaskOf(7, 1, {0, 0, 0, 90, 0, 0, 0});
    HBUF out = 0;
    Owned own{src};
    ASSERT_TRUE(MaskBlur(src, c.radius, c.passes, &out, 1));
    own.Add(out);
    EXPECT_NE(out, src);
    EXPECT_EQ(BytesOf(out), c.expected) << c.radius << "/" << c.passes;
    EXPECT_EQ(BytesOf(src), (std::vector<BYTE>{0, 0, 0, 90, 0, 0, 0})) << "source untouched";
  }
}

TEST(MaskBlur, FlatStaysFlatEdgesRepeatAndInPlaceWorks) {
  HBUF flat = MaskOf(5, 4, std::vector<BYTE>(20, 77));
  HBUF step = MaskOf(4, 1, {0, 0, 255, 255});
  Owned own{flat, step};
  ASSERT_TRUE(MaskBlur(flat, 3, 3, nullptr, 0));
  EXPECT_EQ(BytesOf(flat), std::vector<BYTE>(20, 77));
  ASSERT_TRUE(MaskBlur(step, 1, 1, nullptr, 0));
  EXPECT_EQ(BytesOf(step), (std::vector<BYTE>{0, 85, 170, 255}));
}

TEST(MaskBlur, BadCallsFailWithoutLeaks) {
  HBUF src = MaskOf(3, 3, std::vector<BYTE>(9, 1)), rgb = 0;
  ASSERT_TRUE(buf32Alloc(&rgb, 24, 3, 3, BUF_KIND_PLAIN, nullptr));
  Owned own{src, rgb};
  LONG live = buf32LiveCount();
  HBUF out = 123;
  EXPECT_FALSE(MaskBlur(src, -1, 1, &out, 1));
  EXPECT_EQ(out, 0u);
  EXPECT_FALSE(MaskBlur(src, 1, 0, &out, 1));
  EXPECT_FALSE(MaskBlur(src, 1, 9, &out, 1));
  EXPECT_FALSE(MaskBlur(src, 1, 1, nullptr, 1));
  EXPECT_FALSE(MaskBlur(rgb, 1, 1, &out, 1));
  EXPECT_FALSE(MaskBlur(0, 1, 1, &out, 1));
  EXPECT_EQ(buf32LiveCount(), live);
  // A radius far beyond the image is as good as the image's size.
  ASSERT_TRUE(MaskBlur(src, 0x7FFFFFFF, 2, &out, 1));
  own.Add(out);
  EXPECT_EQ(BytesOf(out), std::vector<BYTE>(9, 1));
}

TEST(MergeImage, LaysSourceOverTargetThroughMask) {
  HBUF mask = MaskOf(3, 1, {0, 255, 128});
  HBUF src = MaskOf(3, 1, {200, 200, 200});
  HBUF dst = MaskOf(3, 1, {100, 100, 100});
  HBUF src24 = BufferOf(24, 3, 1, {255, 0, 10, 255, 0, 10, 255, 0, 10});
  HBUF dst24 = BufferOf(24, 3, 1, {0, 255, 20, 0, 255, 20, 0, 255, 20});
  Owned own{mask, src, dst, src24, dst24};
  ASSERT_EQ(MergeImage(src, dst, mask), MASK_OK);
  EXPECT_EQ(BytesOf(dst), (std::vector<BYTE>{100, 200, 150}));
  ASSERT_EQ(MergeImage(src24, dst24, mask), MASK_OK);
  EXPECT_EQ(BytesOf(dst24), (std::vector<BYTE>{0, 255, 20, 255, 0, 10, 128, 127, 15}));
  EXPECT_EQ(MergeImage(src, dst24, mask), MASK_ERR_ARGUMENT);
  EXPECT_EQ(MergeImage(src24, dst24, src24), MASK_ERR_ARGUMENT);
}

TEST(ApplyPalette, IndexesThePaletteInEachFormat) {
  std::vector<BYTE> palette(768);
  for (int i = 0; i < 256; ++i) {
    palette[3 * i] = static_cast<BYTE>(i);
    palette[3 * i + 1] = static_cast<BYTE>(255 - i);
    palette[3 * i + 2] = 8;
  }
  HBUF index = MaskOf(3, 1, {0, 255, 100});
  HBUF rgb = 0, grey = 0, hi = 0;
  ASSERT_TRUE(buf32Alloc(&rgb, 24, 3, 1, BUF_KIND_PLAIN, nullptr));
  ASSERT_TRUE(buf32Alloc(&grey, 8, 3, 1, BUF_KIND_PLAIN, nullptr));
  ASSERT_TRUE(buf32Alloc(&hi, 16, 3, 1, BUF_KIND_PLAIN, nullptr));
  Owned own{index, rgb, grey, hi};
  ASSERT_EQ(ApplyPalette(rgb, palette.data(), index), MASK_OK);
  EXPECT_EQ(BytesOf(rgb), (std::vector<BYTE>{0, 255, 8, 255, 0, 8, 100, 155, 8}));
  ASSERT_EQ(ApplyPalette(grey, palette.data(), index), MASK_OK);
  // (587 x 255 + 114 x 8) / 1000 = 150.6; (299 x 255 + 912) / 1000 = 77.2;
  // (29900 + 90985 + 912) / 1000 = 121.8.
  EXPECT_EQ(BytesOf(grey), (std::vector<BYTE>{151, 77, 122}));
  ASSERT_EQ(ApplyPalette(hi, palette.data(), index), MASK_OK);
  // Entry 255: red 31, green 0, blue 1 -> 0x7C01.
  std::vector<BYTE> words = BytesOf(hi);
  EXPECT_EQ(words[2] | (words[3] << 8), 0x7C01);
  EXPECT_EQ(ApplyPalette(rgb, nullptr, index), MASK_ERR_ARGUMENT);
  EXPECT_EQ(ApplyPalette(rgb, palette.data(), rgb), MASK_ERR_ARGUMENT);
}

}  // namespace
