// Resampling: sizes, area averaging, bilinear enlargement, nearest pixel.
#include <cstdlib>

#include "buffer_fixture.h"

namespace {

struct SizeCase {
  LONG bits, fromW, fromH, toW, toH;
};

class ResampleSizes : public testing::TestWithParam<SizeCase> {};

TEST_P(ResampleSizes, MakesTheRequestedSizeKeepingFormatAndKind) {
  const SizeCase& c = GetParam();
  OwnedBuf src;
  ASSERT_TRUE(buf32Alloc(src.out(), c.bits, c.fromW, c.fromH, 2, nullptr));
  SIZE size{c.toW, c.toH};
  OwnedBuf out;
  ASSERT_TRUE(t32BufferResample(out.out(), src.get(), &size, 0));
  BUFINFO info{};
  ASSERT_TRUE(buf32GetInfo(out.get(), &info));
  EXPECT_EQ(info.width, c.toW);
  EXPECT_EQ(info.height, c.toH);
  EXPECT_EQ(info.pixelFormat, c.bits);
  EXPECT_EQ(info.kind, 2);
}

INSTANTIATE_TEST_SUITE_P(Formats, ResampleSizes,
                         testing::Values(SizeCase{8, 100, 50, 1, 1}, SizeCase{8, 1, 1, 300, 2},
                                         SizeCase{24, 640, 480, 80, 50},
                                         SizeCase{24, 7, 3, 7, 3}, SizeCase{24, 10, 10, 3, 40},
                                         SizeCase{1, 9, 9, 20, 3}, SizeCase{16, 5, 5, 2, 9},
                                         SizeCase{64, 4, 4, 8, 8}));

TEST(Resample, RefusesBadSizesAndArguments) {
  OwnedBuf src(MakeBuf(8, 4, 4));
  HBUF out = 9;
  for (SIZE size : {SIZE{0, 4}, SIZE{4, 0}, SIZE{-1, 4}, SIZE{1 << 21, 1}, SIZE{50000, 50000}}) {
    EXPECT_FALSE(t32BufferResample(&out, src.get(), &size, 0)) << size.cx << "x" << size.cy;
    EXPECT_EQ(out, 0u);
  }
  EXPECT_FALSE(t32BufferResample(&out, src.get(), nullptr, 0));
  SIZE ok{2, 2};
  EXPECT_FALSE(t32BufferResample(nullptr, src.get(), &ok, 0));
  EXPECT_FALSE(t32BufferResampleEx(&out, src.get(), &ok, 3));
  EXPECT_FALSE(t32BufferResampleEx(&out, src.get(), &ok, -1));
}

TEST(Resample, ShrinkingAveragesTheCoveredArea) {
  // 4 x 2 grey: halves to 2 x 1, each output the mean of a 2 x 2 block.
  OwnedBuf src(MakeBuf(8, 4, 2));
  BYTE rows[2][4] = {{0, 100, 200, 255}, {50, 150, 0, 1}};
  ASSERT_TRUE(buf32Line(src.get(), 0, 2, rows[0]));
  ASSERT_TRUE(buf32Line(src.get(), 1, 2, rows[1]));
  SIZE half{2, 1};
  OwnedBuf out;
  ASSERT_TRUE(t32BufferResample(out.out(), src.get(), &half, 0));
  EXPECT_EQ(AllBytes(out.get()), (std::vector<BYTE>{75, 114}));  // 300/4, 456/4

  // 3 -> 2 along one axis: outputs cover 1.5 pixels each.
  OwnedBuf line(MakeBuf(8, 3, 1));
  BYTE three[3] = {0, 90, 180};
  ASSERT_TRUE(buf32Line(line.get(), 0, 2, three));
  SIZE two{2, 1};
  OwnedBuf shrunk;
  ASSERT_TRUE(t32BufferResample(shrunk.out(), line.get(), &two, 0));
  EXPECT_EQ(AllBytes(shrunk.get()), (std::vector<BYTE>{30, 150}));  // (0 + 45)/1.5, (45 + 180)/1.5
}

TEST(Resample, ShrinkingRgbKeepsAFlatColourExact) {
  COLORREF c = RGB(12, 200, 77);
  OwnedBuf src;
  ASSERT_TRUE(buf32Alloc(src.out(), 24, 333, 127, BUF_KIND_FILLED, &c));
  SIZE size{17, 5};
  OwnedBuf out;
  ASSERT_TRUE(t32BufferResample(out.out(), src.get(), &size, 0));
  std::vector<BYTE> bytes = AllBytes(out.get());
  for (size_t i = 0; i < bytes.size(); i += 3) {
    ASSERT_EQ(bytes[i], 12);
    ASSERT_EQ(bytes[i + 1], 200);
    ASSERT_EQ(bytes[i + 2], 77);
  }
}

TEST(Resample, EnlargingInterpolatesBetweenNeighbours) {
  OwnedBuf src(MakeBuf(8, 2, 1));
  BYTE row[2] = {0, 200};
  ASSERT_TRUE(buf32Line(src.get(), 0, 2, row));
  SIZE four{4, 1};
  OwnedBuf out;
  ASSERT_TRUE(t32BufferResample(out.out(), src.get(), &four, 0));
  // Output centres at source 0 (clamped), 0.25, 0.75, 1 (clamped).
  EXPECT_EQ(AllBytes(out.get()), (std::vector<BYTE>{0, 50, 150, 200}));
  // Ramp values stay monotonic when enlarging a gradient.
  OwnedBuf ramp(MakeBuf(24, 8, 1));
  PaintBytes(ramp.get(), [](LONG i) { return (i / 3) * 30; });
  SIZE wide{29, 3};
  OwnedBuf big;
  ASSERT_TRUE(t32BufferResample(big.out(), ramp.get(), &wide, 0));
  std::vector<BYTE> bytes = AllBytes(big.get());
  for (size_t i = 3; i < 29 * 3; i += 3) ASSERT_LE(bytes[i - 3], bytes[i]);
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[28 * 3], 210);
}

TEST(Resample, NearestForOtherFormatsAndModeZero) {
  OwnedBuf src(MakeBuf(16, 2, 1));
  BYTE row[4] = {1, 2, 3, 4};
  ASSERT_TRUE(buf32Line(src.get(), 0, 2, row));
  SIZE size{4, 2};
  OwnedBuf out;
  ASSERT_TRUE(t32BufferResample(out.out(), src.get(), &size, 0));
  EXPECT_EQ(AllBytes(out.get()), (std::vector<BYTE>{1, 2, 1, 2, 3, 4, 3, 4, 1, 2, 1, 2, 3, 4, 3, 4}));

  OwnedBuf bits(MakeBuf(1, 4, 1));
  BYTE pattern[1] = {0b10100000};
  ASSERT_TRUE(buf32Line(bits.get(), 0, 2, pattern));
  SIZE twice{8, 1};
  OwnedBuf wide;
  ASSERT_TRUE(t32BufferResample(wide.out(), bits.get(), &twice, 0));
  EXPECT_EQ(AllBytes(wide.get()), (std::vector<BYTE>{0b11001100}));

  OwnedBuf grey(MakeBuf(8, 2, 1));
  BYTE two[2] = {0, 200};
  ASSERT_TRUE(buf32Line(grey.get(), 0, 2, two));
  SIZE four{4, 1};
  OwnedBuf nearest;
  ASSERT_TRUE(t32BufferResampleEx(nearest.out(), grey.get(), &four, RESAMPLE_NEAREST));
  EXPECT_EQ(AllBytes(nearest.get()), (std::vector<BYTE>{0, 0, 200, 200}));
  OwnedBuf quality;
  ASSERT_TRUE(t32BufferResampleEx(quality.out(), grey.get(), &four, RESAMPLE_QUALITY));
  EXPECT_EQ(AllBytes(quality.get()), (std::vector<BYTE>{0, 50, 150, 200}));
}

}  // namespace
