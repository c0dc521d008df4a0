// Allocation, information, duplication, fills and the handle table.
#include <algorithm>
#include <cstring>
#include <vector>

#include "buffer_fixture.h"

namespace {

struct AllocCase {
  LONG bits, width, height;
  LONG bytesPerPixel, rowBytes, tileCount;
};

class AllocGeometry : public testing::TestWithParam<AllocCase> {};

TEST_P(AllocGeometry, ReportsFormatSizeAndTiles) {
  const AllocCase& c = GetParam();
  OwnedBuf b(MakeBuf(c.bits, c.width, c.height));
  BUFINFO info;
  std::memset(&info, 0xAB, sizeof info);
  ASSERT_TRUE(buf32GetInfo(b.get(), &info));
  EXPECT_EQ(info.kind, BUF_KIND_PLAIN);
  EXPECT_EQ(info.pixelFormat, c.bits);
  EXPECT_EQ(info.bytesPerPixel, c.bytesPerPixel);
  EXPECT_EQ(info.width, c.width);
  EXPECT_EQ(info.height, c.height);
  EXPECT_EQ(info.rowBytes, c.rowBytes);
  EXPECT_EQ(info.dataSize, c.rowBytes * c.height);
  EXPECT_EQ(info.tileCount, c.tileCount);
  EXPECT_EQ(info.reserved[14], 0);
  for (BYTE v : AllBytes(b.get())) ASSERT_EQ(v, 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, AllocGeometry,
                         testing::Values(AllocCase{1, 1, 1, 0, 1, 1}, AllocCase{1, 9, 3, 0, 2, 1},
                                         AllocCase{1, 257, 2, 0, 33, 2},
                                         AllocCase{8, 256, 256, 1, 256, 1},
                                         AllocCase{8, 257, 513, 1, 257, 6},
                                         AllocCase{16, 3, 2, 2, 6, 1},
                                         AllocCase{24, 5, 7, 3, 15, 1},
                                         AllocCase{64, 300, 1, 8, 2400, 2}));

TEST(Alloc, RefusesBadFormatsAndSizes) {
  struct Bad {
    LONG bits, width, height;
  } cases[] = {{0, 4, 4},   {4, 4, 4},       {32, 4, 4},       {8, 0, 4},
               {8, 4, 0},   {8, -1, 4},      {24, 4, -5},      {8, 0x7FFFFFFF, 1},
               {64, 60000, 60000},  // 28.8 GB: refused before allocating
               {24, 1048576, 1048576}, {8, 1048577, 1}};
  for (const Bad& c : cases) {
    HBUF h = 123;
    EXPECT_FALSE(buf32Alloc(&h, c.bits, c.width, c.height, BUF_KIND_PLAIN, nullptr))
        << c.bits << " bits " << c.width << "x" << c.height;
    EXPECT_EQ(h, 0u);
  }
  EXPECT_FALSE(buf32Alloc(nullptr, 8, 4, 4, BUF_KIND_PLAIN, nullptr));
}

struct FillCase {
  LONG bits;
  COLORREF colour;
  std::vector<BYTE> pixel;  // encoded pixel, repeated over the row
};

class FillColours : public testing::TestWithParam<FillCase> {};

TEST_P(FillColours, AllocAndFillOneColorEncodeTheSame) {
  const FillCase& c = GetParam();
  const LONG width = 5, height = 3;
  OwnedBuf filled;
  ASSERT_TRUE(buf32Alloc(filled.out(), c.bits, width, height, BUF_KIND_FILLED, &c.colour));
  OwnedBuf refilled(MakeBuf(c.bits, width, height));
  ASSERT_TRUE(buf32FillOneColor(refilled.get(), &c.colour));
  std::vector<BYTE> expected;
  for (LONG y = 0; y < height; ++y) {
    for (LONG x = 0; x < width; ++x) expected.insert(expected.end(), c.pixel.begin(), c.pixel.end());
  }
  EXPECT_EQ(AllBytes(filled.get()), expected);
  EXPECT_EQ(AllBytes(refilled.get()), expected);
  LONG kind = -1;
  ASSERT_TRUE(buf32GetWHU(filled.get(), nullptr, nullptr, &kind));
  EXPECT_EQ(kind, BUF_KIND_FILLED);
}

INSTANTIATE_TEST_SUITE_P(
    PerFormat, FillColours,
    testing::Values(FillCase{8, RGB(100, 100, 100), {100}}, FillCase{8, RGB(255, 0, 0), {76}},
                    FillCase{8, RGB(0, 255, 0), {150}}, FillCase{8, RGB(0, 0, 255), {29}},
                    FillCase{8, RGB(0, 0, 5), {1}},  // 0.57 rounds up
                    FillCase{16, RGB(255, 0, 0), {0x00, 0x7C}},
                    FillCase{16, RGB(0, 255, 0), {0xE0, 0x03}},
                    FillCase{16, RGB(8, 16, 255), {0x5F, 0x04}},
                    FillCase{24, RGB(1, 2, 3), {1, 2, 3}},
                    FillCase{64, 0x00123456, {0x56, 0x34, 0x12, 0, 0, 0, 0, 0}}));

TEST(Fill, OneBitSetsOnlyImageBitsForNonBlack) {
  // 5 pixels a row: the three spare bits of each row byte stay clear.
  for (COLORREF colour : {RGB(1, 0, 0), RGB(0, 0, 200), RGB(255, 255, 255)}) {
    OwnedBuf b;
    ASSERT_TRUE(buf32Alloc(b.out(), 1, 5, 2, BUF_KIND_FILLED, &colour));
    EXPECT_EQ(AllBytes(b.get()), (std::vector<BYTE>{0xF8, 0xF8}));
  }
  COLORREF black = RGB(0, 0, 0) | 0x01000000;  // flag byte ignored
  OwnedBuf b;
  ASSERT_TRUE(buf32Alloc(b.out(), 1, 12, 1, BUF_KIND_FILLED, &black));
  EXPECT_EQ(AllBytes(b.get()), (std::vector<BYTE>{0, 0}));
  COLORREF white = RGB(255, 255, 255);
  ASSERT_TRUE(buf32FillOneColor(b.get(), &white));
  EXPECT_EQ(AllBytes(b.get()), (std::vector<BYTE>{0xFF, 0xF0}));
}

TEST(Alloc, KindIsKeptAndFilledWithoutColourStaysZero) {
  OwnedBuf a;
  ASSERT_TRUE(buf32Alloc(a.out(), 24, 4, 4, BUF_KIND_FILLED, nullptr));
  for (BYTE v : AllBytes(a.get())) ASSERT_EQ(v, 0);
  OwnedBuf b;
  ASSERT_TRUE(buf32Alloc(b.out(), 8, 4, 4, 2, nullptr));
  BUFINFO info{};
  ASSERT_TRUE(buf32GetInfo(b.get(), &info));
  EXPECT_EQ(info.kind, 2);
}

TEST(Handles, StaleAndUnknownHandlesFailCleanly) {
  HBUF h = MakeBuf(8, 4, 4);
  ASSERT_TRUE(buf32GetInfo(h, nullptr));
  ASSERT_TRUE(buf32Free(h));
  EXPECT_FALSE(buf32Free(h));
  EXPECT_FALSE(buf32GetInfo(h, nullptr));
  BYTE row[4];
  void* p = &row;
  HBUF out = 77;
  LONG w = -1;
  SIZE size{2, 2};
  COLORREF c = 0;
  for (HBUF bad : {h, HBUF{0}, HBUF{0xFFFFFFFF}}) {
    EXPECT_FALSE(buf32GetWHU(bad, &w, nullptr, nullptr));
    EXPECT_FALSE(buf32Lock(bad, 3, &p));
    EXPECT_EQ(p, nullptr);
    EXPECT_FALSE(buf32Unlock(bad));
    EXPECT_EQ(buf32PointAddr(bad, 0, 0), nullptr);
    EXPECT_FALSE(buf32Line(bad, 0, 1, row));
    EXPECT_FALSE(buf32GetMem(bad, 0, 0, 1, 1, row));
    EXPECT_FALSE(buf32GetBuf(bad, 0, 0, 1, 1, &out));
    EXPECT_EQ(out, 0u);
    EXPECT_FALSE(buf32DupBuf(bad, &out));
    EXPECT_FALSE(t32BufferResample(&out, bad, &size, 0));
    EXPECT_FALSE(buf32FillOneColor(bad, &c));
    EXPECT_FALSE(buf32MergeBuf(bad, 0, 0, 1, 1, bad, 0, 0));
  }
  EXPECT_EQ(w, -1);
}

TEST(Handles, FreedHandlesAreNotReusedSoon) {
  HBUF first = MakeBuf(8, 1, 1);
  ASSERT_TRUE(buf32Free(first));
  for (int i = 0; i < 1000; ++i) {
    HBUF next = MakeBuf(8, 1, 1);
    ASSERT_NE(next, first);
    ASSERT_TRUE(buf32Free(next));
  }
}

TEST(DupBuf, CopyIsIndependent) {
  OwnedBuf src(MakeBuf(24, 7, 3));
  PaintBytes(src.get(), [](LONG i) { return i * 7 + 1; });
  OwnedBuf copy;
  ASSERT_TRUE(buf32DupBuf(src.get(), copy.out()));
  ASSERT_NE(copy.get(), src.get());
  std::vector<BYTE> before = AllBytes(src.get());
  EXPECT_EQ(AllBytes(copy.get()), before);
  COLORREF white = RGB(255, 255, 255);
  ASSERT_TRUE(buf32FillOneColor(copy.get(), &white));
  EXPECT_EQ(AllBytes(src.get()), before);
  EXPECT_FALSE(buf32DupBuf(src.get(), nullptr));
}

// Large pixel blocks are reused after a free: a new buffer of the same size
// must still start at zero, and a duplicate must hold the source's bytes.
TEST(LargeBuffers, ReusedMemoryStartsClearAndDuplicatesCopyEverything) {
  const LONG width = 2048, height = 2048;  // 12 MiB at 24 bits
  COLORREF red = RGB(255, 0, 0);
  HBUF dirty = 0;
  ASSERT_TRUE(buf32Alloc(&dirty, 24, width, height, BUF_KIND_FILLED, &red));
  ASSERT_TRUE(buf32Free(dirty));
  HBUF fresh = MakeBuf(24, width, height);
  std::vector<BYTE> row(width * 3);
  for (LONG y : {LONG{0}, height / 2, height - 1}) {
    ASSERT_TRUE(buf32Line(fresh, y, 1, row.data()));
    EXPECT_EQ(std::count(row.begin(), row.end(), 0), static_cast<long>(row.size())) << "row " << y;
  }
  COLORREF blue = RGB(0, 0, 255);
  ASSERT_TRUE(buf32FillOneColor(fresh, &blue));
  HBUF copy = 0;
  ASSERT_TRUE(buf32DupBuf(fresh, &copy));
  OwnedBuf ownedCopy(copy);
  ASSERT_TRUE(buf32Free(fresh));
  HBUF again = 0;
  ASSERT_TRUE(buf32DupBuf(copy, &again));  // may take the block just freed
  OwnedBuf ownedAgain(again);
  EXPECT_EQ(AllBytes(again), AllBytes(copy));
}

}  // namespace
