// MaskInvert, MaskMap, MaskThresh and MaskFill by value.
#include <gtest/gtest.h>

#include <numeric>

#include "mask_buffers.h"
#include "maskkit.h"

namespace {

using lvtest::BufferOf;
using lvtest::BytesOf;
using lvtest::MaskOf;
using lvtest::Owned;

TEST(MaskPointwise, InvertMapThresh) {
  const std::vector<BYTE> in = {0, 1, 127, 128, 254, 255};
  HBUF m = MaskOf(3, 2, in);
  Owned own{m};
  ASSERT_EQ(MaskInvert(m), MASK_OK);
  EXPECT_EQ(BytesOf(m), (std::vector<BYTE>{255, 254, 128, 127, 1, 0}));
  BYTE table[256];
  for (int i = 0; i < 256; ++i) table[i] = static_cast<BYTE>(i == 128 ? 0 : 255 - i / 2);
  ASSERT_EQ(MaskMap(m, table), MASK_OK);
  EXPECT_EQ(BytesOf(m), (std::vector<BYTE>{128, 128, 0, 192, 255, 255}));
  ASSERT_EQ(MaskThresh(m, 192), MASK_OK);
  EXPECT_EQ(BytesOf(m), (std::vector<BYTE>{0, 0, 0, 255, 255, 255}));
}

TEST(MaskPointwise, ThresholdEnds) {
  struct Case {
    LONG threshold;
    std::vector<BYTE> expected;
  };
  const Case cases[] = {
      {0, {255, 255, 255}}, {1, {0, 255, 255}}, {255, {0, 0, 255}}, {256, {0, 0, 0}}};
  for (const Case& c : cases) {
    HBUF m = MaskOf(3, 1, {0, 1, 255});
    Owned own{m};
    ASSERT_EQ(MaskThresh(m, c.threshold), MASK_OK);
    EXPECT_EQ(BytesOf(m), c.expected) << c.threshold;
  }
  HBUF m = MaskOf(3, 1, {0, 1, 255});
  Owned own{m};
  EXPECT_EQ(MaskThresh(m, -1), MASK_ERR_ARGUMENT);
  EXPECT_EQ(MaskThresh(m, 257), MASK_ERR_ARGUMENT);
  EXPECT_EQ(MaskMap(m, nullptr), MASK_ERR_ARGUMENT);
  EXPECT_EQ(BytesOf(m), (std::vector<BYTE>{0, 1, 255}));
}

TEST(MaskFill, MovesTargetTowardsValueByMask) {
  HBUF mask = MaskOf(4, 1, {0, 255, 128, 51});
  HBUF grey = MaskOf(4, 1, {10, 10, 10, 255});
  HBUF rgb = BufferOf(24, 4, 1, {0, 100, 255, 0, 100, 255, 0, 100, 255, 0, 100, 255});
  Owned own{mask, grey, rgb};
  ASSERT_EQ(MaskFill(mask, grey, 128), MASK_OK);
  // 10 + 118 x 128 / 255 = 69.2; 255 - 127 x 51 / 255 = 229.6.
  EXPECT_EQ(BytesOf(grey), (std::vector<BYTE>{10, 128, 69, 230}));
  ASSERT_EQ(MaskFill(mask, rgb, 128), MASK_OK);
  EXPECT_EQ(BytesOf(rgb),
            (std::vector<BYTE>{0, 100, 255, 128, 128, 128, 64, 114, 191, 26, 106, 230}));
  HBUF other = MaskOf(2, 1, {0, 0});
  own.Add(other);
  EXPECT_EQ(MaskFill(mask, other, 1), MASK_ERR_SIZE);
  EXPECT_EQ(MaskFill(mask, grey, 256), MASK_ERR_ARGUMENT);
}

}  // namespace
