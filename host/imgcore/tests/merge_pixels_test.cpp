// i32Merge blend modes, grey-to-colour conversion and the live-buffer count.
#include <gtest/gtest.h>

#include <vector>

#include "buffer_fixture.h"
#include "imgcore.h"

namespace {

struct MergeCase {
  LONG mode, value;
  BYTE src, back, mask;
  BYTE expected;
};

TEST(I32Merge, ChannelValuesByModeAndMask) {
  const MergeCase cases[] = {
      {MERGE_NORMAL, 100, 200, 100, 255, 200},
      {MERGE_NORMAL, 100, 200, 100, 0, 100},
      {MERGE_NORMAL, 100, 200, 100, 128, 150},  // 100 + 100 x 128 / 255 = 150.2
      {MERGE_NORMAL, 50, 200, 100, 255, 150},
      {MERGE_NORMAL, 0, 200, 100, 255, 100},
      {MERGE_NORMAL, 30, 0, 255, 255, 178},  // 255 - 76.5, the half away from 0
      {MERGE_HARDLIGHT, 0, 128, 77, 255, 77},
      {MERGE_HARDLIGHT, 0, 0, 77, 255, 0},
      {MERGE_HARDLIGHT, 0, 255, 77, 255, 255},
      {MERGE_HARDLIGHT, 0, 64, 200, 255, 100},  // 200 x 64 / 128
      {MERGE_HARDLIGHT, 0, 192, 55, 255, 156},  // 255 - (200 x 63 + 63) / 127
      {MERGE_HARDLIGHT, 0, 64, 200, 128, 150},  // halfway between 200 and 100
  };
  for (const MergeCase& c : cases) {
    BYTE out = 0;
    ASSERT_TRUE(i32Merge(&out, &c.src, &c.mask, &c.back, 1, 1, c.mode, c.value));
    EXPECT_EQ(out, c.expected) << "mode " << c.mode << " src " << int(c.src) << " back "
                               << int(c.back) << " mask " << int(c.mask);
  }
}

TEST(I32Merge, RgbInPlaceAndHiColour) {
  std::vector<BYTE> shade = {128, 128, 128, 0, 0, 0, 255, 255, 255};
  const std::vector<BYTE> back = {10, 20, 30, 10, 20, 30, 10, 20, 30};
  const BYTE mask[3] = {255, 255, 255};
  ASSERT_TRUE(i32Merge(shade.data(), shade.data(), mask, back.data(), 3, 3, MERGE_HARDLIGHT, 0));
  EXPECT_EQ(shade, (std::vector<BYTE>{10, 20, 30, 0, 0, 0, 255, 255, 255}));
  // 5-5-5: pure red over pure blue at 100 % through a full mask is red.
  const BYTE red[2] = {0x00, 0x7C}, blue[2] = {0x1F, 0x00};
  BYTE out[2] = {0, 0};
  ASSERT_TRUE(i32Merge(out, red, mask, blue, 2, 1, MERGE_NORMAL, 100));
  EXPECT_EQ(out[0] | (out[1] << 8), 0x7C00);
  ASSERT_TRUE(i32Merge(out, red, mask, blue, 2, 1, MERGE_NORMAL, 0));
  EXPECT_EQ(out[0] | (out[1] << 8), 0x001F);
}

TEST(I32Merge, RefusesBadArgumentsWithoutWriting) {
  BYTE out = 9, src = 1, back = 2, mask = 255;
  EXPECT_FALSE(i32Merge(&out, &src, &mask, &back, 1, 1, 2, 0));
  EXPECT_FALSE(i32Merge(&out, &src, &mask, &back, 1, 1, MERGE_NORMAL, 101));
  EXPECT_FALSE(i32Merge(&out, &src, &mask, &back, 1, 1, MERGE_NORMAL, -1));
  EXPECT_FALSE(i32Merge(&out, &src, &mask, &back, 5, 1, MERGE_NORMAL, 50));
  EXPECT_FALSE(i32Merge(&out, &src, &mask, &back, 1, -1, MERGE_NORMAL, 50));
  EXPECT_FALSE(i32Merge(&out, &src, nullptr, &back, 1, 1, MERGE_NORMAL, 50));
  EXPECT_EQ(out, 9);
  EXPECT_TRUE(i32Merge(nullptr, nullptr, nullptr, nullptr, 1, 0, MERGE_NORMAL, 50));
}

TEST(ColourspaceConvert, GreyIntoTheTargetBuffersFormat) {
  const std::vector<BYTE> grey = {0, 100, 255};
  struct Case {
    LONG bits;
    std::vector<BYTE> expected;
  };
  const Case cases[] = {
      {8, {0, 100, 255}},
      {24, {0, 0, 0, 100, 100, 100, 255, 255, 255}},
      // 100 >> 3 = 12 in each 5-bit field: 0x318C; 255: 0x7FFF.
      {16, {0x00, 0x00, 0x8C, 0x31, 0xFF, 0x7F}},
  };
  for (const Case& c : cases) {
    OwnedBuf target(MakeBuf(c.bits, 3, 1));
    void* p = nullptr;
    ASSERT_TRUE(buf32Lock(target.get(), 2, &p));
    EXPECT_TRUE(i32ColorspaceConvert(static_cast<BYTE*>(p), grey.data(), 3, 1));
    ASSERT_TRUE(buf32Unlock(target.get()));
    EXPECT_EQ(AllBytes(target.get()), c.expected) << c.bits << " bits";
  }
  // Plain memory takes three bytes per pixel.
  BYTE plain[6] = {};
  ASSERT_TRUE(i32ColorspaceConvert(plain, grey.data(), 2, 1));
  EXPECT_EQ(std::vector<BYTE>(plain, plain + 6), (std::vector<BYTE>{0, 0, 0, 100, 100, 100}));
}

TEST(ColourspaceConvert, RunLeavingTheTargetBufferFails) {
  OwnedBuf target(MakeBuf(24, 2, 2));
  void* p = nullptr;
  ASSERT_TRUE(buf32Lock(target.get(), 2, &p));
  const std::vector<BYTE> grey(5, 200);
  // Four pixels fit from the start, but not from the second pixel on.
  EXPECT_TRUE(i32ColorspaceConvert(static_cast<BYTE*>(p), grey.data(), 4, 1));
  EXPECT_FALSE(i32ColorspaceConvert(static_cast<BYTE*>(p) + 3, grey.data(), 4, 1));
  EXPECT_FALSE(i32ColorspaceConvert(static_cast<BYTE*>(p), grey.data(), 5, 1));
  ASSERT_TRUE(buf32Unlock(target.get()));
  EXPECT_EQ(AllBytes(target.get()), std::vector<BYTE>(12, 200));
}

TEST(LiveCount, FollowsAllocationAndRelease) {
  LONG before = buf32LiveCount();
  HBUF a = MakeBuf(8, 4, 4), b = 0;
  ASSERT_TRUE(buf32DupBuf(a, &b));
  EXPECT_EQ(buf32LiveCount(), before + 2);
  buf32Free(a);
  EXPECT_FALSE(buf32Free(a));
  EXPECT_EQ(buf32LiveCount(), before + 1);
  buf32Free(b);
  EXPECT_EQ(buf32LiveCount(), before);
}

}  // namespace
