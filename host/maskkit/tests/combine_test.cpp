// MaskKit and MaskAddEx: every operation by value.
#include <gtest/gtest.h>

#include "mask_buffers.h"
#include "maskkit.h"

namespace {

using lvtest::BytesOf;
using lvtest::MaskOf;
using lvtest::Owned;

struct CombineCase {
  LONG op;
  std::vector<BYTE> expected;  // b after MaskKit(a, b, op)
};

// a and b hold the pairs that tell the operations apart: empty, full,
// partial over partial both ways, and saturating sums.
const std::vector<BYTE> kA = {0, 255, 200, 100, 0, 255, 128, 30};
const std::vector<BYTE> kB = {0, 0, 100, 200, 77, 255, 200, 0};

TEST(MaskKit, EachOperationByValue) {
  const CombineCase cases[] = {
      {MASKKIT_ADD, {0, 255, 255, 255, 77, 255, 255, 30}},
      {MASKKIT_BAND, {0, 255, 100, 0, 0, 0, 0, 30}},
      {MASKKIT_INTERSECT, {0, 0, 100, 100, 0, 255, 128, 0}},
      // a + b - a b / 255: 200 + 100 - 78 = 222; 128 + 200 - 100 = 228.
      {MASKKIT_SCREEN, {0, 255, 222, 222, 77, 255, 228, 30}},
      {MASKKIT_UNION, {0, 255, 200, 200, 77, 255, 200, 30}},
      {MASKKIT_CLIP, {0, 0, 100, 200, 0, 255, 200, 0}},
  };
  for (const CombineCase& c : cases) {
    HBUF a = MaskOf(4, 2, kA), b = MaskOf(4, 2, kB);
    Owned own{a, b};
    EXPECT_EQ(MaskKit(a, b, c.op), MASK_OK) << "op " << c.op;
    EXPECT_EQ(BytesOf(b), c.expected) << "op " << c.op;
    EXPECT_EQ(BytesOf(a), kA) << "a stays as it was, op " << c.op;
  }
}

TEST(MaskKit, RefusesBadCallsAndLeavesTargetAlone) {
  HBUF a = MaskOf(4, 2, kA), b = MaskOf(4, 2, kB), small = MaskOf(2, 2, {1, 2, 3, 4});
  HBUF rgb = 0;
  ASSERT_TRUE(buf32Alloc(&rgb, 24, 4, 2, BUF_KIND_PLAIN, nullptr));
  Owned own{a, b, small, rgb};
  EXPECT_EQ(MaskKit(a, b, 2), MASK_ERR_ARGUMENT);
  EXPECT_EQ(MaskKit(a, b, 10), MASK_ERR_ARGUMENT);
  EXPECT_EQ(MaskKit(a, small, MASKKIT_UNION), MASK_ERR_SIZE);
  EXPECT_EQ(MaskKit(a, rgb, MASKKIT_UNION), MASK_ERR_ARGUMENT);
  EXPECT_EQ(MaskKit(a, 0, MASKKIT_UNION), MASK_ERR_ARGUMENT);
  EXPECT_EQ(MaskKit(999999, b, MASKKIT_UNION), MASK_ERR_ARGUMENT);
  EXPECT_EQ(BytesOf(b), kB);
  // The failed calls left no lock behind: the buffers free cleanly and a
  // later call works.
  EXPECT_EQ(MaskKit(a, b, MASKKIT_UNION), MASK_OK);
}

TEST(MaskAddEx, AddsClippedAtAnyPlace) {
  struct Case {
    LONG x, y, mode;
    std::vector<BYTE> expected;  // 4 x 3 target, all 100 before
  };
  const std::vector<BYTE> tile = {10, 200, 30, 40};  // 2 x 2
  const Case cases[] = {
      {0, 0, MASKADD_SUM, {110, 255, 100, 100, 130, 140, 100, 100, 100, 100, 100, 100}},
      {3, 2, MASKADD_SUM, {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 110}},
      {-1, -1, MASKADD_SUM, {140, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100}},
      {1, 1, MASKADD_MAX, {100, 100, 100, 100, 100, 100, 200, 100, 100, 100, 100, 100}},
      {4, 0, MASKADD_SUM, std::vector<BYTE>(12, 100)},
      {-2, 0, MASKADD_SUM, std::vector<BYTE>(12, 100)},
      {0x7FFFFFFF, -0x7FFFFFFF, MASKADD_SUM, std::vector<BYTE>(12, 100)},
  };
  for (const Case& c : cases) {
    HBUF t = MaskOf(2, 2, tile), m = MaskOf(4, 3, std::vector<BYTE>(12, 100));
    Owned own{t, m};
    EXPECT_EQ(MaskAddEx(t, m, c.x, c.y, c.mode), MASK_OK) << c.x << "," << c.y;
    EXPECT_EQ(BytesOf(m), c.expected) << c.x << "," << c.y;
  }
}

TEST(MaskAddEx, IntoItselfAddsTheMaskAsItWas) {
  HBUF m = MaskOf(4, 1, {10, 20, 30, 40});
  Owned own{m};
  LONG live = buf32LiveCount();
  ASSERT_EQ(MaskAddEx(m, m, 1, 0, MASKADD_SUM), MASK_OK);
  EXPECT_EQ(BytesOf(m), (std::vector<BYTE>{10, 30, 50, 70}));
  EXPECT_EQ(buf32LiveCount(), live);
}

TEST(MaskAddEx, RefusesUnknownModeAndFormats) {
  HBUF t = MaskOf(2, 2, {1, 2, 3, 4}), m = MaskOf(4, 3, std::vector<BYTE>(12, 0)), rgb = 0;
  ASSERT_TRUE(buf32Alloc(&rgb, 24, 2, 2, BUF_KIND_PLAIN, nullptr));
  Owned own{t, m, rgb};
  EXPECT_EQ(MaskAddEx(t, m, 0, 0, 2), MASK_ERR_ARGUMENT);
  EXPECT_EQ(MaskAddEx(rgb, m, 0, 0, 0), MASK_ERR_ARGUMENT);
  EXPECT_EQ(BytesOf(m), std::vector<BYTE>(12, 0));
}

}  // namespace
