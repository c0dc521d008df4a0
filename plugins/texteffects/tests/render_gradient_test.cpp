// "Farbverlauf" by value on small masks: the three gradient styles at known
// pixels, the mask scaling, the image kept or recoloured, progress per cell
// and Escape.
#include <gtest/gtest.h>

#include <hostcommon.h>
#include <texteffects/effects.h>

#include <vector>

#include "../renderers.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;
using texfxtest::FlatMask;
using texfxtest::LeakProbe;

struct GradientRun {
  EffectBlock block = {};
  ProgressLink link = {0, nullptr, 0, 0, 100};
  HBUF resultImage = 0, resultMask = 0;
  EffectRun run = {};

  GradientRun(HBUF image, HBUF mask, LONG style, BYTE start, BYTE end) {
    block.header.effect = kGradient;
    WriteDefaultData(kGradient, block.data);
    block.header.data = kDataPresent;
    GradientData& data = *DataOf<GradientData>(&block);
    data.style = style;
    data.startOpacity = start;
    data.endOpacity = end;
    run.objectImage = image;
    run.objectMask = mask;
    run.resultImage = &resultImage;
    run.resultMask = &resultMask;
    run.x = 5;
    run.y = 6;
    run.block = &block;
    run.progress = &link;
  }
  ~GradientRun() {
    if (resultImage) buf32Free(resultImage);
    if (resultMask) buf32Free(resultMask);
  }
  GradientData& data() { return *DataOf<GradientData>(&block); }
};

struct StyleCase {
  const char* name;
  LONG style, width, height;
  BYTE start, end;
  std::vector<BYTE> expected;  // the result mask of a flat 255 mask
};

class GradientStyleTest : public testing::TestWithParam<StyleCase> {};

TEST_P(GradientStyleTest, OpacityAtEveryPixel) {
  const StyleCase& c = GetParam();
  HBUF image = texfxtest::PatternImage(c.width, c.height);
  HBUF mask = FlatMask(c.width, c.height, 255);
  {
    GradientRun g(image, mask, c.style, c.start, c.end);
    ASSERT_EQ(RenderGradient(&g.run), 0);
    EXPECT_EQ(Bytes(g.resultMask), c.expected);
    EXPECT_EQ(g.run.x, 5);  // the object keeps its position
    EXPECT_EQ(g.run.y, 6);
  }
  buf32Free(image);
  buf32Free(mask);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, GradientStyleTest,
    testing::Values(
        StyleCase{"LinearTopToBottom", 1001, 2, 4, 255, 0,
                  {255, 255, 191, 191, 127, 127, 63, 63}},
        StyleCase{"RectangularCentreEndBorderStart", 1002, 5, 5, 255, 0,
                  {255, 255, 255, 255, 255,  //
                   255, 127, 127, 127, 255,  //
                   255, 127, 0, 127, 255,    //
                   255, 127, 127, 127, 255,  //
                   255, 255, 255, 255, 255}},
        StyleCase{"RectangularOneRowHighIsAllStart", 1002, 6, 1, 200, 10,
                  {200, 200, 200, 200, 200, 200}},
        StyleCase{"EllipticalOutsideKeepsStart", 1003, 8, 4, 100, 200,
                  {100, 100, 100, 100, 100, 100, 100, 100,  //
                   100, 113, 125, 150, 150, 150, 125, 113,  //
                   100, 125, 150, 175, 200, 175, 150, 125,  //
                   100, 113, 125, 150, 150, 150, 125, 113}},
        StyleCase{"EqualEndsKeepTheMask", 1003, 3, 3, 255, 255,
                  std::vector<BYTE>(9, 255)}),
    [](const testing::TestParamInfo<StyleCase>& info) { return info.param.name; });

TEST(GradientTest, MaskValuesScaleAndZeroStaysZero) {
  HBUF image = texfxtest::PatternImage(3, 2);
  HBUF mask = texfxtest::MakeMask(3, 2, {0, 128, 255, 255, 128, 0});
  {
    GradientRun g(image, mask, 1001, 255, 0);  // opacity 255 in row 0, 127 in row 1
    ASSERT_EQ(RenderGradient(&g.run), 0);
    EXPECT_EQ(Bytes(g.resultMask), (std::vector<BYTE>{0, 128, 255, 127, 63, 0}));
    EXPECT_EQ(Bytes(g.resultImage), Bytes(image)) << "colours unchanged";
    EXPECT_NE(g.resultImage, image);
  }
  buf32Free(image);
  buf32Free(mask);
}

TEST(GradientTest, RecolourFillsTheImageOfTheObjectsType) {
  HBUF image = texfxtest::PatternImage(2, 2);
  HBUF mask = FlatMask(2, 2, 255);
  {
    GradientRun g(image, mask, 1001, 255, 255);
    g.data().recolour = 1;
    g.data().fillColour[0] = 9;
    g.data().fillColour[1] = 8;
    g.data().fillColour[2] = 7;
    ASSERT_EQ(RenderGradient(&g.run), 0);
    EXPECT_EQ(Bytes(g.resultImage), (std::vector<BYTE>{9, 8, 7, 9, 8, 7, 9, 8, 7, 9, 8, 7}));
  }
  buf32Free(image);
  buf32Free(mask);
}

std::vector<LONG> g_progress;
LONG RecordProgress(LONG code, LONG word2, LONG_PTR, LONG_PTR) {
  if (code == 1 || code == 2 || code == 4) g_progress.push_back(word2);
  return 1;
}

TEST(GradientTest, ProgressPerCellWithinTheRange) {
  HBUF image = texfxtest::PatternImage(600, 300);  // 3 x 2 cells of 256
  HBUF mask = FlatMask(600, 300, 255);
  g_progress.clear();
  {
    GradientRun g(image, mask, 1001, 255, 0);
    g.link = {0, RecordProgress, 0, 40, 100};
    ASSERT_EQ(RenderGradient(&g.run), 0);
  }
  EXPECT_EQ(g_progress, (std::vector<LONG>{40, 50, 60, 70, 80, 90, 100}));
  buf32Free(image);
  buf32Free(mask);
}

TEST(GradientTest, EscapeStopsWithNothingLeftBehind) {
  HBUF image = texfxtest::PatternImage(300, 10);
  HBUF mask = FlatMask(300, 10, 255);
  g_progress.clear();
  LeakProbe probe;
  {
    texfxtest::EscapePressed escape;
    GradientRun g(image, mask, 1001, 255, 0);
    g.link = {1, RecordProgress, 0, 0, 100};
    EXPECT_EQ(RenderGradient(&g.run), 5200);
    EXPECT_EQ(g.resultImage, 0u);
    EXPECT_EQ(g.resultMask, 0u);
    LONG unit = 0;
    EXPECT_EQ(lvGetDLLErrInfoRecord(&unit, nullptr, nullptr), 5200);
    EXPECT_EQ(unit, 71750);
  }
  EXPECT_EQ(probe.Leaked(), std::vector<HBUF>{});
  EXPECT_EQ(g_progress, (std::vector<LONG>{0, 100})) << "start and end notices on failure too";
  buf32Free(image);
  buf32Free(mask);
}

TEST(GradientTest, UnreadableImageFailsWith5804) {
  HBUF mask = FlatMask(2, 2, 255);
  LeakProbe probe;
  {
    GradientRun g(0xFFFFFF0u, mask, 1001, 255, 0);
    EXPECT_EQ(RenderGradient(&g.run), 5804);
    EXPECT_EQ(g.resultMask, 0u);
  }
  EXPECT_EQ(probe.Leaked(), std::vector<HBUF>{});
  buf32Free(mask);
}

}  // namespace
}  // namespace texfx
