// The streak filter: segments whose first pixel is brightest stay as they
// are, peaks are drawn out linearly back to their cut, each mode pulls the
// streaks its way, lengths stay below the limit, and runs repeat.
#include <gtest/gtest.h>

#include <vector>

#include "../streak.h"
#include "support.h"

namespace texfx {
namespace {

using texfxtest::Bytes;

const ProgressLink kQuiet = {0, nullptr, 0, 0, 100};

TEST(StreakTest, LinesThatNeverRiseStayAsTheyAre) {
  struct Case {
    const char* name;
    std::vector<BYTE> line;
  };
  std::vector<BYTE> falling(200), flat(200, 90), zero(200, 0);
  for (size_t i = 0; i < falling.size(); ++i) falling[i] = static_cast<BYTE>(255 - i);
  for (const Case& c : {Case{"falling", falling}, Case{"flat", flat}, Case{"zero", zero}}) {
    std::vector<BYTE> line = c.line;
    Random random(12345);
    StreakLine(line.data(), static_cast<LONG>(line.size()), 100, &random);
    EXPECT_EQ(line, c.line) << c.name;
  }
}

TEST(StreakTest, APeakIsDrawnOutLinearlyBackToItsCut) {
  // One bright pixel at 60 in a dark line: the pixels from the segment's
  // cut s up to the peak become k x 200 / (60 - s), nothing else changes.
  std::vector<BYTE> line(120, 0);
  line[60] = 200;
  Random random(7);
  StreakLine(line.data(), 120, 40, &random);
  LONG first = 60;
  while (first > 0 && line[first - 1] != 0) --first;
  const LONG cut = first - 1;
  ASSERT_LT(60 - cut, 40) << "segments are shorter than the length";
  for (LONG i = 0; i < 120; ++i) {
    const LONG expected = i > cut && i <= 60 ? (i - cut) * 200 / (60 - cut) : 0;
    EXPECT_EQ(line[i], expected) << i;
  }
}

TEST(StreakTest, StreaksOnlyBrighten) {
  std::vector<BYTE> line(300);
  for (size_t i = 0; i < line.size(); ++i) line[i] = static_cast<BYTE>((i * 37) % 256);
  const std::vector<BYTE> before = line;
  Random random(12345);
  StreakLine(line.data(), 300, 30, &random);
  for (size_t i = 0; i < line.size(); ++i) ASSERT_GE(line[i], before[i]) << i;
  EXPECT_NE(line, before);
}

struct ModeCase {
  const char* name;
  LONG mode;
  LONG dx, dy;  // direction the streaks point from a peak
};

class StreakModeTest : public testing::TestWithParam<ModeCase> {};

TEST_P(StreakModeTest, StreaksPointTheModesWay) {
  const ModeCase& c = GetParam();
  // Bright dots on a grid in a dark 60 x 60 mask.
  const LONG size = 60;
  std::vector<BYTE> values(size * size, 0);
  for (LONG y = 5; y < size; y += 11)
    for (LONG x = 5; x < size; x += 11) values[y * size + x] = 240;
  HBUF source = texfxtest::MakeMask(size, size, values);
  HBUF target = texfxtest::FlatMask(size, size, 0);
  ASSERT_EQ(StreakFilter(source, target, c.mode, 10, kQuiet), 0);
  const std::vector<BYTE> out = Bytes(target);
  int lit = 0;
  for (LONG y = 0; y < size; ++y)
    for (LONG x = 0; x < size; ++x) {
      if (!out[y * size + x] || values[y * size + x]) continue;
      ++lit;
      // A lit pixel lies up to 8 places from a dot, in the mode's direction.
      bool fromDot = false;
      for (LONG k = 1; k <= 8 && !fromDot; ++k) {
        const LONG px = x - c.dx * k, py = y - c.dy * k;
        fromDot = px >= 0 && py >= 0 && px < size && py < size && values[py * size + px];
      }
      EXPECT_TRUE(fromDot) << x << "," << y;
    }
  EXPECT_GT(lit, 5) << "some dots were drawn out";
  buf32Free(source);
  buf32Free(target);
}

INSTANTIATE_TEST_SUITE_P(Modes, StreakModeTest,
                         testing::Values(ModeCase{"Left", kStreakLeft, -1, 0},
                                         ModeCase{"Down", kStreakDown, 0, 1},
                                         ModeCase{"Right", kStreakRight, 1, 0},
                                         ModeCase{"Up", kStreakUp, 0, -1}),
                         [](const testing::TestParamInfo<ModeCase>& info) { return info.param.name; });

TEST(StreakTest, RepeatsAndCopiesShortLengths) {
  std::vector<BYTE> values(30 * 20);
  for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<BYTE>(i * 53 % 256);
  HBUF source = texfxtest::MakeMask(30, 20, values);
  HBUF first = texfxtest::FlatMask(30, 20, 0), second = texfxtest::FlatMask(30, 20, 0);
  ASSERT_EQ(StreakFilter(source, first, kStreakUp, 50, kQuiet), 0);
  ASSERT_EQ(StreakFilter(source, second, kStreakUp, 50, kQuiet), 0);
  EXPECT_EQ(Bytes(first), Bytes(second));
  EXPECT_NE(Bytes(first), values);
  // Below 2 no segment holds two pixels: a plain copy, and no endless
  // search for a segment.
  for (LONG length : {0, 1}) {
    ASSERT_EQ(StreakFilter(source, second, kStreakLeft, length, kQuiet), 0);
    EXPECT_EQ(Bytes(second), values) << length;
  }
  // In place.
  ASSERT_EQ(StreakFilter(source, source, kStreakUp, 50, kQuiet), 0);
  EXPECT_EQ(Bytes(source), Bytes(first));
  for (HBUF b : {source, first, second}) buf32Free(b);
}

TEST(StreakTest, RefusesWhatDoesNotFitAndStopsOnEscape) {
  HBUF mask = texfxtest::FlatMask(8, 8, 0), small = texfxtest::FlatMask(8, 7, 0);
  HBUF colour = texfxtest::PatternImage(8, 8);
  struct Case {
    const char* name;
    HBUF source, target;
    LONG mode, length;
  };
  for (const Case& c : {Case{"sizes", mask, small, 0, 10}, Case{"colour", colour, colour, 0, 10},
                        Case{"mode", mask, mask, 4, 10}, Case{"length", mask, mask, 0, 40000},
                        Case{"dead", 0, mask, 0, 10}})
    EXPECT_EQ(StreakFilter(c.source, c.target, c.mode, c.length, kQuiet), 1001) << c.name;
  texfxtest::EscapePressed escape;
  const ProgressLink polling = {1, nullptr, 0, 0, 100};
  EXPECT_EQ(StreakFilter(mask, mask, kStreakUp, 10, polling), 5200);
  for (HBUF b : {mask, small, colour}) buf32Free(b);
}

}  // namespace
}  // namespace texfx
