// Surfaces, their DCs (origin and clip) and the PNG writer.
#include <gtest/gtest.h>
#include <png.h>
#include <windows.h>
#include <win/lvsurface.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "testsupport.h"

namespace {

struct PngImage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;
};

bool ReadPng(const std::string& path, PngImage* out) {
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&img, path.c_str())) return false;
  img.format = PNG_FORMAT_RGB;
  out->width = (int)img.width;
  out->height = (int)img.height;
  out->rgb.resize(PNG_IMAGE_SIZE(img));
  bool ok = png_image_finish_read(&img, nullptr, out->rgb.data(), 0, nullptr);
  png_image_free(&img);
  return ok;
}

TEST(Surface, CreateFillsButtonFaceAndResizeKeepsPixels) {
  LvSurface* s = lvSurfaceCreate(4, 3);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->pixels[0], 0xC0C0C0u);
  s->pixels[1 * 4 + 2] = 0x123456;
  ASSERT_TRUE(lvSurfaceResize(s, 6, 5));
  EXPECT_EQ(s->width, 6);
  EXPECT_EQ(s->pixels[1 * 6 + 2], 0x123456u);
  EXPECT_EQ(s->pixels[4 * 6 + 5], 0xC0C0C0u);
  EXPECT_FALSE(lvSurfaceResize(s, -1, 5));
  lvSurfaceDestroy(s);
  EXPECT_EQ(lvSurfaceCreate(-3, 2), nullptr);
}

TEST(Surface, DcDrawsAtOriginAndStaysInsideClip) {
  LvSurface* s = lvSurfaceCreate(20, 20);
  RECT clip{5, 5, 12, 12};
  HDC dc = lvCreateSurfaceDC(s, 4, 6, &clip);
  ASSERT_NE(dc, 0u);
  RECT all{-100, -100, 100, 100};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &all, red);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      bool inside = x >= 5 && x < 12 && y >= 5 && y < 12;
      EXPECT_EQ(s->pixels[y * 20 + x], inside ? 0xFF0000u : 0xC0C0C0u) << x << "," << y;
    }
  // Logical (0,0) is surface (4,6); GetClipBox reports logical coordinates.
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 1);
  EXPECT_EQ(box.top, -1);
  EXPECT_EQ(box.right, 8);
  EXPECT_EQ(box.bottom, 6);
  SetPixel(dc, 2, 0, RGB(0, 0, 255));
  EXPECT_EQ(s->pixels[6 * 20 + 6], 0x0000FFu);
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);  // surface (4,6) is outside the clip
  EXPECT_TRUE(DeleteDC(dc));
  DeleteObject(red);
  lvSurfaceDestroy(s);
}

TEST(Surface, DcOfDestroyedSurfaceDrawsNothing) {
  LvSurface* s = lvSurfaceCreate(8, 8);
  HDC dc = lvCreateSurfaceDC(s, 0, 0, nullptr);
  lvSurfaceDestroy(s);
  RECT r{0, 0, 8, 8};
  EXPECT_NE(FillRect(dc, &r, (HBRUSH)GetStockObject(BLACK_BRUSH)), 0);
  EXPECT_EQ(GetPixel(dc, 1, 1), CLR_INVALID);
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(SurfacePng, WritesRectangleAndReadsBack) {
  LvSurface* s = lvSurfaceCreate(10, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) s->pixels[y * 10 + x] = (uint32_t)((x * 20) << 16 | (y * 30) << 8 | 7);
  std::string path = (lvtest::Prefix() / "shot.png").string();
  RECT r{2, 1, 7, 5};
  ASSERT_TRUE(lvSurfaceWritePng(s, &r, path.c_str()));
  PngImage img;
  ASSERT_TRUE(ReadPng(path, &img));
  ASSERT_EQ(img.width, 5);
  ASSERT_EQ(img.height, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) {
      const uint8_t* p = &img.rgb[(size_t)(y * 5 + x) * 3];
      EXPECT_EQ(p[0], (x + 2) * 20);
      EXPECT_EQ(p[1], (y + 1) * 30);
      EXPECT_EQ(p[2], 7);
    }
  ASSERT_TRUE(lvSurfaceWritePng(s, nullptr, path.c_str()));
  ASSERT_TRUE(ReadPng(path, &img));
  EXPECT_EQ(img.width, 10);
  // No temporary file is left beside it.
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(lvtest::Prefix()))
    if (e.path().extension() != "") files += e.path().filename().string().rfind("shot.png", 0) == 0;
  EXPECT_EQ(files, 1);
  lvSurfaceDestroy(s);
}

TEST(SurfacePng, FailsCleanly) {
  LvSurface* s = lvSurfaceCreate(4, 4);
  std::string missing = (lvtest::Prefix() / "no-such-dir" / "x.png").string();
  EXPECT_FALSE(lvSurfaceWritePng(s, nullptr, missing.c_str()));
  EXPECT_FALSE(std::filesystem::exists(lvtest::Prefix() / "no-such-dir"));
  RECT empty{3, 3, 3, 9};
  std::string path = (lvtest::Prefix() / "empty.png").string();
  EXPECT_FALSE(lvSurfaceWritePng(s, &empty, path.c_str()));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(lvSurfaceWritePng(nullptr, nullptr, path.c_str()));
  lvSurfaceDestroy(s);
}

}  // namespace

namespace {

TEST(ScreenDc, CompatibleBitmapsAreColourAndDrawingIsHarmless) {
  HDC screen = lvCreateScreenDC();
  ASSERT_NE(screen, 0u);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 3, 2);
  BITMAP bm;
  GetObjectA(bmp, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 24);
  RECT r{0, 0, 10, 10};
  EXPECT_NE(FillRect(screen, &r, (HBRUSH)GetStockObject(BLACK_BRUSH)), 0);
  EXPECT_EQ(GetPixel(screen, 1, 1), CLR_INVALID);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, bmp);
  SetPixel(mem, 2, 1, RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(mem, 2, 1), RGB(1, 2, 3));
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteDC(screen);
  DeleteObject(bmp);
}

}  // namespace
