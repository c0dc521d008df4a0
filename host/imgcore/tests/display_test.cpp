// Display drawing into a device context on an off-screen surface.
#include <gtest/gtest.h>

#include <vector>

#include "imgcore.h"
#include "win/lvsurface.h"

namespace {

class SurfaceDc : public testing::Test {
 protected:
  void SetUp() override {
    surface_ = lvSurfaceCreate(20, 16);
    ASSERT_NE(surface_, nullptr);
    for (int i = 0; i < 20 * 16; ++i) surface_->pixels[i] = 0x00ABCDEF;
    RECT clip{0, 0, 20, 16};
    dc_ = lvCreateSurfaceDC(surface_, 0, 0, &clip);
    ASSERT_NE(dc_, 0u);
  }
  void TearDown() override {
    if (dc_) DeleteDC(dc_);
    if (surface_) lvSurfaceDestroy(surface_);
  }
  uint32_t At(int x, int y) const { return surface_->pixels[y * 20 + x]; }

  LvSurface* surface_ = nullptr;
  HDC dc_ = 0;
};

TEST_F(SurfaceDc, RgbRowsLandInTheRectangleInOrder) {
  // 3 x 2 image at (5, 7), rows padded to 10 bytes, given one row per call.
  const BYTE rows[2][10] = {{255, 0, 0, 0, 255, 0, 0, 0, 255, 99}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 99}};
  DISPCONTEXT context;
  ASSERT_TRUE(disp32ShowInit(&context, dc_, 24, 5, 7, 8, 9, 0, 0, 0));
  ASSERT_TRUE(disp32ShowData(&context, rows[0], 0, 0, 1, 10));
  ASSERT_TRUE(disp32ShowData(&context, rows[1], 0, 0, 1, 10));
  ASSERT_TRUE(disp32ShowEnd(&context));
  EXPECT_EQ(At(5, 7), 0x00FF0000u);
  EXPECT_EQ(At(6, 7), 0x0000FF00u);
  EXPECT_EQ(At(7, 7), 0x000000FFu);
  EXPECT_EQ(At(5, 8), 0x00010203u);
  EXPECT_EQ(At(7, 8), 0x00070809u);
  EXPECT_EQ(At(4, 7), 0x00ABCDEFu);
  EXPECT_EQ(At(8, 8), 0x00ABCDEFu);
  EXPECT_EQ(At(5, 9), 0x00ABCDEFu);
  EXPECT_FALSE(disp32ShowData(&context, rows[0], 0, 0, 1, 10));  // ended
}

TEST_F(SurfaceDc, GreyRowsInOneCallAndRowsBelowAreDropped) {
  std::vector<BYTE> rows(2 * 5);  // 2 wide, 5 rows given, rectangle 3 high
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<BYTE>(10 * i);
  DISPCONTEXT context;
  ASSERT_TRUE(disp32ShowInit(&context, dc_, 8, 0, 0, 2, 3, 0, 0, 0));
  ASSERT_TRUE(disp32ShowData(&context, rows.data(), 0, 0, 5, 2));
  ASSERT_TRUE(disp32ShowEnd(&context));
  EXPECT_EQ(At(0, 0), 0x00000000u);
  EXPECT_EQ(At(1, 0), 0x000A0A0Au);
  EXPECT_EQ(At(1, 2), 0x00323232u);
  EXPECT_EQ(At(0, 3), 0x00ABCDEFu);
}

TEST_F(SurfaceDc, RefusesBadFormatsRectanglesAndShortRows) {
  DISPCONTEXT context;
  BYTE row[12] = {};
  EXPECT_FALSE(disp32ShowInit(&context, dc_, 16, 0, 0, 4, 4, 0, 0, 0));
  EXPECT_FALSE(disp32ShowData(&context, row, 0, 0, 1, 12));  // failed init leaves no context
  EXPECT_FALSE(disp32ShowInit(&context, dc_, 24, 4, 0, 4, 4, 0, 0, 0));
  EXPECT_FALSE(disp32ShowInit(&context, dc_, 24, 0, 5, 4, 4, 0, 0, 0));
  EXPECT_FALSE(disp32ShowInit(&context, 0, 24, 0, 0, 4, 4, 0, 0, 0));
  EXPECT_FALSE(disp32ShowInit(nullptr, dc_, 24, 0, 0, 4, 4, 0, 0, 0));
  ASSERT_TRUE(disp32ShowInit(&context, dc_, 24, 0, 0, 4, 4, 0, 0, 0));
  EXPECT_FALSE(disp32ShowData(&context, row, 0, 0, 1, 11));  // 4 RGB pixels need 12 bytes
  EXPECT_FALSE(disp32ShowData(&context, nullptr, 0, 0, 1, 12));
  EXPECT_FALSE(disp32ShowData(&context, row, 0, 0, -1, 12));
  EXPECT_EQ(At(0, 0), 0x00ABCDEFu);
  EXPECT_TRUE(disp32ShowEnd(&context));
  EXPECT_FALSE(disp32ShowEnd(&context));
}

TEST(DevInfo, DescribesTheScreen) {
  DISPDEVINFO info;
  ASSERT_TRUE(disp32GetDevInfo(&info));
  EXPECT_GT(info.widthPixels, 0);
  EXPECT_GT(info.heightPixels, 0);
  EXPECT_GT(info.widthMm, 0);
  EXPECT_GE(info.bitsPerPixel * info.planes, 24);
  EXPECT_EQ(info.mode, DISP_MODE_TRUECOLOR);
  EXPECT_FALSE(disp32GetDevInfo(nullptr));
}

}  // namespace
