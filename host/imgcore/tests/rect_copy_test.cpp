// Rectangles: buf32GetMem, buf32GetBuf and buf32MergeBuf.
#include <cstring>

#include "buffer_fixture.h"

namespace {

// An 8-bit buffer whose pixel (x, y) is 10 * y + x.
HBUF NumberedGrey(LONG width, LONG height) {
  HBUF h = MakeBuf(8, width, height);
  void* p = nullptr;
  EXPECT_TRUE(buf32Lock(h, 2, &p));
  for (LONG y = 0; y < height; ++y) {
    for (LONG x = 0; x < width; ++x) static_cast<BYTE*>(p)[y * width + x] = static_cast<BYTE>(10 * y + x);
  }
  EXPECT_TRUE(buf32Unlock(h));
  return h;
}

struct MemCase {
  LONG x, y, width, height;
  std::vector<BYTE> expected;
};

class GetMemGrey : public testing::TestWithParam<MemCase> {};

TEST_P(GetMemGrey, CopiesRowsAndRepeatsEdgesOutside) {
  const MemCase& c = GetParam();
  OwnedBuf b(NumberedGrey(4, 3));
  std::vector<BYTE> out(c.expected.size(), 0xEE);
  ASSERT_TRUE(buf32GetMem(b.get(), c.x, c.y, c.width, c.height, out.data()));
  EXPECT_EQ(out, c.expected);
  OwnedBuf part;
  ASSERT_TRUE(buf32GetBuf(b.get(), c.x, c.y, c.width, c.height, part.out()));
  LONG w = 0, h = 0;
  ASSERT_TRUE(buf32GetWHU(part.get(), &w, &h, nullptr));
  EXPECT_EQ(w, c.width);
  EXPECT_EQ(h, c.height);
  EXPECT_EQ(AllBytes(part.get()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, GetMemGrey,
    testing::Values(MemCase{1, 1, 2, 2, {11, 12, 21, 22}},
                    MemCase{0, 0, 4, 3, {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23}},
                    MemCase{-1, -1, 3, 2, {0, 0, 1, 0, 0, 1}},        // top-left margin
                    MemCase{3, 2, 3, 2, {23, 23, 23, 23, 23, 23}},    // bottom-right margin
                    MemCase{-2, 1, 8, 1, {10, 10, 10, 11, 12, 13, 13, 13}},  // both sides
                    MemCase{9, -9, 2, 1, {3, 3}}));                   // wholly outside

TEST(GetMem, RgbAndOneBitRows) {
  OwnedBuf rgb(MakeBuf(24, 3, 2));
  PaintBytes(rgb.get(), [](LONG i) { return i; });
  BYTE out[6];
  ASSERT_TRUE(buf32GetMem(rgb.get(), 1, 1, 2, 1, out));
  EXPECT_EQ(std::vector<BYTE>(out, out + 6), (std::vector<BYTE>{12, 13, 14, 15, 16, 17}));

  OwnedBuf bits(MakeBuf(1, 12, 2));
  BYTE row0[2] = {0b10110011, 0b10100000};
  ASSERT_TRUE(buf32Line(bits.get(), 0, 2, row0));
  BYTE got[2] = {0xFF, 0xFF};
  ASSERT_TRUE(buf32GetMem(bits.get(), 3, 0, 9, 1, got));  // bits 3..11: 1 0011 1010
  EXPECT_EQ(got[0], 0b10011101);
  EXPECT_EQ(got[1], 0b00000000);
  ASSERT_TRUE(buf32GetMem(bits.get(), -2, 0, 4, 1, got));  // repeats pixel 0 (set)
  EXPECT_EQ(got[0], 0b11100000);
}

TEST(GetMem, RefusesEmptyAndOversizeRectangles) {
  OwnedBuf b(MakeBuf(24, 4, 4));
  BYTE out[64];
  HBUF part = 5;
  for (auto [w, h] : {std::pair{0, 1}, {1, 0}, {-3, 2}, {2, -1}, {1 << 21, 1}, {40000, 40000}}) {
    EXPECT_FALSE(buf32GetMem(b.get(), 0, 0, w, h, out)) << w << "x" << h;
    EXPECT_FALSE(buf32GetBuf(b.get(), 0, 0, w, h, &part));
    EXPECT_EQ(part, 0u);
  }
  EXPECT_FALSE(buf32GetMem(b.get(), 0, 0, 1, 1, nullptr));
  EXPECT_FALSE(buf32GetBuf(b.get(), 0, 0, 1, 1, nullptr));
}

struct MergeCase {
  LONG x, y, width, height, targetX, targetY;
  std::vector<BYTE> expected;  // target 4 x 3 afterwards, initially all 0xFF
};

class MergeGrey : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeGrey, CopiesTheClippedRectangle) {
  const MergeCase& c = GetParam();
  OwnedBuf src(NumberedGrey(4, 3));
  OwnedBuf dst(MakeBuf(8, 4, 3));
  COLORREF white = RGB(255, 255, 255);
  ASSERT_TRUE(buf32FillOneColor(dst.get(), &white));
  ASSERT_TRUE(buf32MergeBuf(src.get(), c.x, c.y, c.width, c.height, dst.get(), c.targetX, c.targetY));
  EXPECT_EQ(AllBytes(dst.get()), c.expected);
}

constexpr BYTE W = 0xFF;
INSTANTIATE_TEST_SUITE_P(
    Edges, MergeGrey,
    testing::Values(
        MergeCase{0, 0, 4, 3, 0, 0, {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23}},
        MergeCase{1, 1, 2, 1, 0, 2, {W, W, W, W, W, W, W, W, 11, 12, W, W}},
        MergeCase{0, 0, 4, 3, 2, 1, {W, W, W, W, W, W, 0, 1, W, W, 10, 11}},  // past target
        MergeCase{0, 0, 4, 3, -3, -2, {23, W, W, W, W, W, W, W, W, W, W, W}},  // before target
        MergeCase{-2, -1, 3, 2, 0, 0, {W, W, W, W, W, W, 0, W, W, W, W, W}},   // before source
        MergeCase{2, 0, 9, 1, 0, 0, {2, 3, W, W, W, W, W, W, W, W, W, W}},     // past source
        MergeCase{0, 0, 4, 3, 4, 0, {W, W, W, W, W, W, W, W, W, W, W, W}},     // misses target
        MergeCase{0, 0, 0, 3, 0, 0, {W, W, W, W, W, W, W, W, W, W, W, W}}));   // empty

TEST(MergeBuf, RefusesMixedFormatsAndNegativeSizes) {
  OwnedBuf grey(MakeBuf(8, 4, 4));
  OwnedBuf rgb(MakeBuf(24, 4, 4));
  EXPECT_FALSE(buf32MergeBuf(grey.get(), 0, 0, 1, 1, rgb.get(), 0, 0));
  EXPECT_FALSE(buf32MergeBuf(grey.get(), 0, 0, -1, 1, grey.get(), 0, 0));
  EXPECT_FALSE(buf32MergeBuf(grey.get(), 0, 0, 1, -1, grey.get(), 0, 0));
}

TEST(MergeBuf, OverlapWithinOneBuffer) {
  OwnedBuf b(NumberedGrey(4, 3));
  ASSERT_TRUE(buf32MergeBuf(b.get(), 0, 0, 4, 2, b.get(), 1, 1));  // down and right
  EXPECT_EQ(AllBytes(b.get()), (std::vector<BYTE>{0, 1, 2, 3, 10, 0, 1, 2, 20, 10, 11, 12}));
  OwnedBuf c(NumberedGrey(4, 3));
  ASSERT_TRUE(buf32MergeBuf(c.get(), 1, 1, 3, 2, c.get(), 0, 0));  // up and left
  EXPECT_EQ(AllBytes(c.get()), (std::vector<BYTE>{11, 12, 13, 3, 21, 22, 23, 13, 20, 21, 22, 23}));
}

TEST(MergeBuf, RgbBarsAndOneBitRows) {
  COLORREF red = RGB(255, 0, 0);
  OwnedBuf bar;
  ASSERT_TRUE(buf32Alloc(bar.out(), 24, 1, 2, BUF_KIND_FILLED, &red));
  OwnedBuf img(MakeBuf(24, 3, 2));
  ASSERT_TRUE(buf32MergeBuf(bar.get(), 0, 0, 1, 2, img.get(), 2, 0));
  EXPECT_EQ(AllBytes(img.get()),
            (std::vector<BYTE>{0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0}));

  COLORREF white = RGB(255, 255, 255);
  OwnedBuf ones;
  ASSERT_TRUE(buf32Alloc(ones.out(), 1, 5, 1, BUF_KIND_FILLED, &white));
  OwnedBuf bits(MakeBuf(1, 13, 1));
  ASSERT_TRUE(buf32MergeBuf(ones.get(), 0, 0, 5, 1, bits.get(), 6, 0));
  EXPECT_EQ(AllBytes(bits.get()), (std::vector<BYTE>{0b00000011, 0b11100000}));
}

}  // namespace
