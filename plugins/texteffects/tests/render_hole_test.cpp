// "Loch" by value: exact tiling without variation, inversion, the cut to
// the object's mask, determinism with variation, the fill colour, the
// module's own shape and a missing shape file.
#include <gtest/gtest.h>

#include <hostcommon.h>

#include <cstring>
#include <vector>

#include "../renderers.h"
#include "direct_run.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;
using texfxtest::DirectRun;
using texfxtest::FlatMask;
using texfxtest::MakeMask;

// A 4 x 4 shape: a 2 x 2 white square in a black frame, so tiles at 4-pixel
// steps give a regular pattern.
HBUF SquareShape() {
  return MakeMask(4, 4, {0, 0, 0, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 0, 0, 0});
}

class HoleTest : public testing::Test {
 protected:
  void SetUp() override {
    c32ResetDLLErrInfo();
    shape = SquareShape();
    image = texfxtest::PatternImage(6, 5);
    mask = FlatMask(6, 5, 255);
  }
  void TearDown() override {
    for (HBUF b : {shape, image, mask}) buf32Free(b);
  }
  HBUF shape = 0, image = 0, mask = 0;
};

const std::vector<BYTE> kGrid = {
    0, 0, 0, 0, 0, 0,      //
    0, 255, 255, 0, 0, 255,  //
    0, 255, 255, 0, 0, 255,  //
    0, 0, 0, 0, 0, 0,      //
    0, 0, 0, 0, 0, 0};     // row 4 starts the next band of tiles

TEST_F(HoleTest, NoVariationTilesAnExactGridFromTheOrigin) {
  DirectRun r(kHole, image, mask);
  r.data<HoleData>().size = 100;
  r.data<HoleData>().shapeImage = shape;
  ASSERT_EQ(RenderHole(&r.run), 0);
  EXPECT_EQ(Bytes(r.resultMask), kGrid);
  EXPECT_TRUE(buf32GetInfo(shape, nullptr)) << "the record's shape stays the caller's";
}

TEST_F(HoleTest, InvertAndCutToTheObject) {
  HBUF half = MakeMask(6, 5, std::vector<BYTE>(15, 100));  // upper half of the object at 100
  DirectRun r(kHole, image, half);
  r.data<HoleData>().size = 100;
  r.data<HoleData>().invert = 1;
  r.data<HoleData>().shapeImage = shape;
  ASSERT_EQ(RenderHole(&r.run), 0);
  std::vector<BYTE> expected(30, 0);
  for (size_t i = 0; i < 15; ++i) expected[i] = kGrid[i] ? 0 : 100;  // min(mask, 255 - tiles)
  EXPECT_EQ(Bytes(r.resultMask), expected);
  buf32Free(half);
}

TEST_F(HoleTest, VariationMovesTilesTheSameWayEveryRun) {
  HBUF big = texfxtest::PatternImage(40, 40);
  HBUF bigMask = FlatMask(40, 40, 255);
  std::vector<BYTE> first, second;
  for (std::vector<BYTE>* out : {&first, &second}) {
    DirectRun r(kHole, big, bigMask);
    r.data<HoleData>().size = 100;
    r.data<HoleData>().variation = 100;
    r.data<HoleData>().shapeImage = shape;
    ASSERT_EQ(RenderHole(&r.run), 0);
    *out = Bytes(r.resultMask);
  }
  EXPECT_EQ(first, second);
  DirectRun exact(kHole, big, bigMask);
  exact.data<HoleData>().size = 100;
  exact.data<HoleData>().shapeImage = shape;
  ASSERT_EQ(RenderHole(&exact.run), 0);
  EXPECT_NE(first, Bytes(exact.resultMask)) << "variation 100 moves the tiles";
  buf32Free(big);
  buf32Free(bigMask);
}

TEST_F(HoleTest, FillColourOrTheObjectsImage) {
  {
    DirectRun r(kHole, image, mask);
    r.data<HoleData>().shapeImage = shape;  // fill flag set by default, colour black
    r.data<HoleData>().fillColour[0] = 200;
    ASSERT_EQ(RenderHole(&r.run), 0);
    const std::vector<BYTE> pixels = Bytes(r.resultImage);
    ASSERT_EQ(pixels.size(), 90u);
    EXPECT_EQ(pixels[0], 200);
    EXPECT_EQ(pixels[1], 0);
  }
  DirectRun r(kHole, image, mask);
  r.data<HoleData>().shapeImage = shape;
  r.data<HoleData>().fill = 0;
  ASSERT_EQ(RenderHole(&r.run), 0);
  EXPECT_EQ(Bytes(r.resultImage), Bytes(image));
}

TEST_F(HoleTest, ModuleShapeIsLoadedAndFreed) {
  texfxtest::LeakProbe probe;
  {
    DirectRun r(kHole, image, mask);  // empty path: bitmap 124
    r.data<HoleData>().size = 1;      // the tile is 4 x 4 at least
    ASSERT_EQ(RenderHole(&r.run), 0);
    const std::vector<BYTE> bytes = Bytes(r.resultMask);
    EXPECT_EQ(bytes.size(), 30u);
    EXPECT_EQ(r.data<HoleData>().shapeImage, 0u);
  }
  EXPECT_EQ(probe.Leaked(), std::vector<HBUF>{});
}

TEST_F(HoleTest, MissingShapeFileFailsWith4003) {
  texfxtest::LeakProbe probe;
  {
    DirectRun r(kHole, image, mask);
    std::strcpy(r.data<HoleData>().shapePath, "C:\\formen\\stern.bmp");
    EXPECT_EQ(RenderHole(&r.run), 4003);
    EXPECT_EQ(r.resultMask, 0u);
    EXPECT_EQ(lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr), 4003);
    char text[300] = {};
    lvGetDLLErrInfoMessage(text, sizeof text);
    EXPECT_STREQ(text, "Die Datei C:\\formen\\stern.bmp konnte nicht geladen werden.");
  }
  EXPECT_EQ(probe.Leaked(), std::vector<HBUF>{});
}

}  // namespace
}  // namespace texfx
