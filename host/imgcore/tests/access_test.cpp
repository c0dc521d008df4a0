// Locks, point addresses, row copies and tiles (cells).
#include <cstring>
#include <set>

#include "buffer_fixture.h"

namespace {

TEST(Lock, GivesTheRowsAndNests) {
  OwnedBuf b(MakeBuf(24, 4, 3));
  void* p = nullptr;
  EXPECT_FALSE(buf32Lock(b.get(), 0, &p));
  EXPECT_FALSE(buf32Lock(b.get(), 4, &p));
  EXPECT_FALSE(buf32Lock(b.get(), 1, nullptr));
  EXPECT_FALSE(buf32Unlock(b.get()));  // not locked
  ASSERT_TRUE(buf32Lock(b.get(), 3, &p));
  BYTE* bytes = static_cast<BYTE*>(p);
  bytes[2 * 12 + 3 * 3 + 1] = 99;  // green of pixel (3, 2)
  BYTE row[12];
  ASSERT_TRUE(buf32Line(b.get(), 2, 1, row));
  EXPECT_EQ(row[10], 99);
  void* again = nullptr;
  ASSERT_TRUE(buf32Lock(b.get(), 1, &again));
  EXPECT_EQ(again, p);
  EXPECT_TRUE(buf32Unlock(b.get()));
  EXPECT_TRUE(buf32Unlock(b.get()));
  EXPECT_FALSE(buf32Unlock(b.get()));
}

TEST(PointAddr, OnlyInsideALockedBuffer) {
  OwnedBuf rgb(MakeBuf(24, 10, 5));
  EXPECT_EQ(buf32PointAddr(rgb.get(), 0, 0), nullptr);  // not locked
  void* p = nullptr;
  ASSERT_TRUE(buf32Lock(rgb.get(), 3, &p));
  BYTE* base = static_cast<BYTE*>(p);
  EXPECT_EQ(buf32PointAddr(rgb.get(), 0, 0), base);
  EXPECT_EQ(buf32PointAddr(rgb.get(), 9, 4), base + 4 * 30 + 27);
  EXPECT_EQ(buf32PointAddr(rgb.get(), 10, 0), nullptr);
  EXPECT_EQ(buf32PointAddr(rgb.get(), 0, 5), nullptr);
  EXPECT_EQ(buf32PointAddr(rgb.get(), -1, 0), nullptr);
  ASSERT_TRUE(buf32Unlock(rgb.get()));

  OwnedBuf bits(MakeBuf(1, 20, 2));
  ASSERT_TRUE(buf32Lock(bits.get(), 1, &p));
  EXPECT_EQ(buf32PointAddr(bits.get(), 17, 1), static_cast<BYTE*>(p) + 3 + 2);
  ASSERT_TRUE(buf32Unlock(bits.get()));
}

TEST(Line, WritesAndReadsWholeRowsOnly) {
  OwnedBuf b(MakeBuf(1, 11, 3));  // 1-bit rows are 2 bytes
  BYTE in[2] = {0xA5, 0xE0};
  ASSERT_TRUE(buf32Line(b.get(), 1, 2, in));
  EXPECT_EQ(AllBytes(b.get()), (std::vector<BYTE>{0, 0, 0xA5, 0xE0, 0, 0}));
  BYTE out[2] = {};
  EXPECT_FALSE(buf32Line(b.get(), 3, 1, out));
  EXPECT_FALSE(buf32Line(b.get(), -1, 1, out));
  EXPECT_FALSE(buf32Line(b.get(), 0, 3, out));
  EXPECT_FALSE(buf32Line(b.get(), 0, 1, nullptr));
}

TEST(CellLock, TilesCoverTheImageOnceWithTheRowStep) {
  const LONG width = 600, height = 300;
  OwnedBuf b(MakeBuf(8, width, height));
  BUFINFO info{};
  ASSERT_TRUE(buf32GetInfo(b.get(), &info));
  ASSERT_EQ(info.tileCount, 3 * 2);
  void* whole = nullptr;
  ASSERT_TRUE(buf32Lock(b.get(), 1, &whole));
  std::vector<int> covered(static_cast<size_t>(width) * height);
  for (LONG t = 0; t < info.tileCount; ++t) {
    void* p = nullptr;
    BUFCELL cell{};
    ASSERT_TRUE(buf32CellLock(b.get(), t, &p, &cell));
    EXPECT_EQ(cell.rowStep, width);
    EXPECT_EQ(p, buf32PointAddr(b.get(), cell.left, cell.top));
    for (LONG y = 0; y < cell.height; ++y) {
      for (LONG x = 0; x < cell.width; ++x) {
        BYTE* px = static_cast<BYTE*>(p) + static_cast<size_t>(y) * cell.rowStep + x;
        *px = static_cast<BYTE>(t + 1);
        ++covered[static_cast<size_t>(cell.top + y) * width + cell.left + x];
      }
    }
    ASSERT_TRUE(buf32CellUnlock(b.get(), t));
  }
  for (int n : covered) ASSERT_EQ(n, 1);
  BUFCELL last{};
  void* p = nullptr;
  ASSERT_TRUE(buf32CellLock(b.get(), 5, &p, &last));
  EXPECT_EQ(last.left, 512);
  EXPECT_EQ(last.top, 256);
  EXPECT_EQ(last.width, 88);
  EXPECT_EQ(last.height, 44);
  EXPECT_EQ(*static_cast<BYTE*>(p), 6);
  EXPECT_TRUE(buf32CellUnlock(b.get(), 5));
  EXPECT_TRUE(buf32Unlock(b.get()));
}

TEST(CellLock, RefusesTilesOutsideAndBadArguments) {
  OwnedBuf b(MakeBuf(24, 10, 10));
  void* p = nullptr;
  BUFCELL cell{};
  EXPECT_FALSE(buf32CellLock(b.get(), 1, &p, &cell));
  EXPECT_FALSE(buf32CellLock(b.get(), -1, &p, &cell));
  EXPECT_FALSE(buf32CellLock(b.get(), 0, nullptr, &cell));
  EXPECT_FALSE(buf32CellLock(b.get(), 0, &p, nullptr));
  EXPECT_FALSE(buf32CellUnlock(b.get(), 0));  // nothing locked
  ASSERT_TRUE(buf32CellLock(b.get(), 0, &p, &cell));
  EXPECT_EQ(cell.rowStep, 30);
  EXPECT_EQ(cell.width, 10);
  EXPECT_FALSE(buf32CellUnlock(b.get(), 1));
  EXPECT_TRUE(buf32CellUnlock(b.get(), 0));
}

TEST(CellLock, OneBitTilesStartOnWholeBytes) {
  OwnedBuf b(MakeBuf(1, 700, 2));
  void* base = nullptr;
  ASSERT_TRUE(buf32Lock(b.get(), 1, &base));
  void* p = nullptr;
  BUFCELL cell{};
  ASSERT_TRUE(buf32CellLock(b.get(), 2, &p, &cell));
  EXPECT_EQ(cell.left, 512);
  EXPECT_EQ(cell.width, 188);
  EXPECT_EQ(cell.rowStep, 88);
  EXPECT_EQ(p, static_cast<BYTE*>(base) + 64);
  EXPECT_TRUE(buf32CellUnlock(b.get(), 2));
  EXPECT_TRUE(buf32Unlock(b.get()));
}

}  // namespace
