// The emboss shader: light offsets and weights, the flat-field grey, the
// shading of steps in the height field in 8 and 24 bits, Escape.
#include <gtest/gtest.h>

#include <vector>

#include "../emboss.h"
#include "../frame.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;
using texfxtest::MakeMask;

struct OffsetCase {
  LONG distance, direction;
  LONG ix, iy, margin;
  double fx, fy;
};

class LightOffsetTest : public testing::TestWithParam<OffsetCase> {};

TEST_P(LightOffsetTest, WholePartAndWeights) {
  const OffsetCase& c = GetParam();
  const LightOffset l = ComputeLightOffset(c.distance, c.direction);
  EXPECT_EQ(l.ix, c.ix);
  EXPECT_EQ(l.iy, c.iy);
  EXPECT_EQ(l.margin, c.margin);
  EXPECT_NEAR(l.w10 + l.w11, c.fx, 1e-9);  // fx
  EXPECT_NEAR(l.w01 + l.w11, c.fy, 1e-9);  // fy
  EXPECT_NEAR(l.w00 + l.w01 + l.w10 + l.w11, 1.0, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, LightOffsetTest,
    testing::Values(OffsetCase{10, 0, -1, 0, 1, 0.0, 0.0},               // g to the left
                    OffsetCase{10, 45, -1, 0, 1, 0.29289321881, 0.70710678118},
                    // Degrees turn into radians with a factor a hair above pi / 180, so
                    // the vanishing part of an offset lands just beside 0.
                    OffsetCase{20, 90, 0, 2, 2, 0.0, 0.0},               // g below
                    OffsetCase{25, 180, 2, -1, 3, 0.5, 1.0},             // right, half way
                    OffsetCase{10, 270, -1, -1, 1, 1.0, 0.0}));          // above

// Shades a height field with the given rows and returns the output.
std::vector<BYTE> Shade(LONG width, LONG height, const std::vector<BYTE>& heights, LONG distance,
                        LONG gain, LONG direction) {
  HBUF in = MakeMask(width, height, heights);
  HBUF out = MakeMask(width, height, {});
  ProgressLink link = {0, nullptr, 0, 0, 100};
  EXPECT_EQ(EmbossShade(in, out, distance, gain, direction, 0x808080, link), 0);
  std::vector<BYTE> result = Bytes(out);
  buf32Free(in);
  buf32Free(out);
  return result;
}

TEST(EmbossShadeTest, FlatFieldIsBaseGrey) {
  EXPECT_EQ(Shade(5, 3, std::vector<BYTE>(15, 77), 30, 50, 123), std::vector<BYTE>(15, 128));
}

TEST(EmbossShadeTest, LightFromTheLeftDarkensTheRisingEdge) {
  // Columns 0..1 low, 2..3 high; the sample lies one pixel to the left.
  const std::vector<BYTE> heights = {0, 0, 200, 200, 0, 0, 200, 200};
  // x = 2: 128 + trunc(1.0 x (0 - 200) x 128 / 255) = 128 - 100.
  EXPECT_EQ(Shade(4, 2, heights, 10, 10, 0), (std::vector<BYTE>{128, 128, 28, 128, 128, 128, 28, 128}));
  // Gain 2.0 saturates at 0.
  EXPECT_EQ(Shade(4, 2, heights, 10, 20, 0)[2], 0);
}

TEST(EmbossShadeTest, NinetyDegreesSamplesBelow) {
  const std::vector<BYTE> heights = {0, 0, 0, 0, 200, 200};  // rows 0 and 1 low, row 2 high
  EXPECT_EQ(Shade(2, 3, heights, 10, 10, 90), (std::vector<BYTE>{128, 128, 228, 228, 128, 128}));
}

TEST(EmbossShadeTest, TwentyFourBitsShiftEveryChannelOfTheBase) {
  HBUF in = 0, out = 0;
  ASSERT_TRUE(buf32Alloc(&in, 24, 3, 1, BUF_KIND_PLAIN, nullptr));
  ASSERT_TRUE(buf32Alloc(&out, 24, 3, 1, BUF_KIND_PLAIN, nullptr));
  const BYTE row[9] = {0, 0, 0, 90, 90, 90, 90, 90, 90};  // heights 0, 270, 270
  buf32Line(in, 0, 2, const_cast<BYTE*>(row));
  ProgressLink link = {0, nullptr, 0, 0, 100};
  ASSERT_EQ(EmbossShade(in, out, 10, 10, 0, RGB(100, 150, 200), link), 0);
  // x = 1: d = trunc((0 - 270) / 3 x 128 / 255) = -45.
  EXPECT_EQ(Bytes(out), (std::vector<BYTE>{100, 150, 200, 55, 105, 155, 100, 150, 200}));
  buf32Free(in);
  buf32Free(out);
}

TEST(EmbossShadeTest, DifferingBuffersFail) {
  HBUF in = MakeMask(4, 4, {});
  HBUF out = MakeMask(4, 3, {});
  ProgressLink link = {0, nullptr, 0, 0, 100};
  EXPECT_EQ(EmbossShade(in, out, 10, 10, 0, 0x808080, link), kErrMemory);
  buf32Free(in);
  buf32Free(out);
}

TEST(EmbossShadeTest, EscapeStopsTheShader) {
  HBUF in = MakeMask(4, 4, {});
  HBUF out = MakeMask(4, 4, {});
  ProgressLink link = {1, nullptr, 0, 0, 100};
  texfxtest::EscapePressed escape;
  EXPECT_EQ(EmbossShade(in, out, 10, 10, 0, 0x808080, link), kErrCancelled);
  buf32Free(in);
  buf32Free(out);
}

}  // namespace
}  // namespace texfx
