// Cell geometry and grid drawing on image buffers, without any dialog.
#include <gtest/gtest.h>

#include <imgcore.h>

#include <vector>

#include "../render.h"
#include "mask_buffers.h"

namespace gridsplit {
namespace {

using lvtest::PatternImage;

GridParams Settings(LONG rows, LONG columns, LONG lineWidth, LONG border) {
  GridParams params = {};
  params.rows = rows;
  params.columns = columns;
  params.lineWidth = lineWidth;
  params.lineColour = RGB(255, 0, 0);
  params.drawBorder = border;
  params.verticalLines = VerticalLineCount(columns, border);
  params.horizontalLines = HorizontalLineCount(rows, border);
  return params;
}

struct LayoutCase {
  const char* name;
  LONG width, height, rows, columns, lineWidth, border;
  std::vector<LONG> widths, heights, verticalAt, horizontalAt;
};

class LayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, SizesAndLinePositions) {
  const LayoutCase& c = GetParam();
  CellSizes sizes;
  ASSERT_TRUE(ComputeCellSizes(c.width, c.height,
                               Settings(c.rows, c.columns, c.lineWidth, c.border), &sizes));
  EXPECT_EQ(sizes.widths, c.widths);
  EXPECT_EQ(sizes.heights, c.heights);
  EXPECT_EQ(LinePositions(sizes.widths, c.lineWidth, c.border), c.verticalAt);
  EXPECT_EQ(LinePositions(sizes.heights, c.lineWidth, c.border), c.horizontalAt);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, LayoutTest,
    testing::Values(
        LayoutCase{"ThreeColumnsOfHundred", 100, 10, 1, 3, 1, 0, {33, 33, 32}, {10}, {33, 67}, {}},
        LayoutCase{"OneCellNoBorder", 40, 30, 1, 1, 5, 0, {40}, {30}, {}, {}},
        LayoutCase{"OneCellWithBorder", 40, 30, 1, 1, 5, 1, {30}, {20}, {0, 35}, {0, 25}},
        LayoutCase{"BorderLastLineAtEdge", 101, 50, 2, 4, 3, 1, {22, 22, 21, 21}, {21, 20},
                   {0, 25, 50, 74, 98}, {0, 24, 47}},
        LayoutCase{"LeftOverRowsFirst", 10, 11, 4, 1, 1, 0, {10}, {2, 2, 2, 2}, {}, {2, 5, 8}},
        LayoutCase{"MinimalCells", 3, 3, 2, 2, 1, 0, {1, 1}, {1, 1}, {1}, {1}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

struct RefusedCase {
  const char* name;
  LONG width, height;
  GridParams params;
};

class RefusedLayoutTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedLayoutTest, NoSizes) {
  const RefusedCase& c = GetParam();
  CellSizes sizes;
  EXPECT_FALSE(ComputeCellSizes(c.width, c.height, c.params, &sizes));
}

GridParams WithField(GridParams params, int field, LONG value) {
  reinterpret_cast<LONG*>(&params)[field] = value;
  return params;
}

INSTANTIATE_TEST_SUITE_P(
    Grid, RefusedLayoutTest,
    testing::Values(RefusedCase{"CellsNarrowerThanAPixel", 2, 100, Settings(1, 3, 1, 0)},
                    RefusedCase{"LinesWiderThanImage", 100, 100, Settings(2, 2, 99, 1)},
                    RefusedCase{"ZeroColumns", 100, 100, WithField(Settings(2, 2, 1, 0), 1, 0)},
                    RefusedCase{"ZeroRows", 100, 100, WithField(Settings(2, 2, 1, 0), 0, 0)},
                    RefusedCase{"NegativeLineWidth", 100, 100,
                                WithField(Settings(2, 2, 1, 0), 2, -5)},
                    RefusedCase{"HugeColumns", 100, 100,
                                WithField(Settings(2, 2, 1, 0), 1, 0x7fffffff)},
                    RefusedCase{"EmptyImage", 0, 0, Settings(1, 1, 1, 0)}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(LayoutTest, StoredLineCountsCannotMoveCellsOutside) {
  // A block whose stored counts disagree with rows and columns still gets
  // the cells of its rows, columns and border.
  GridParams params = Settings(1, 3, 1, 0);
  params.verticalLines = -40;
  params.horizontalLines = 1000;
  CellSizes sizes;
  ASSERT_TRUE(ComputeCellSizes(100, 10, params, &sizes));
  EXPECT_EQ(sizes.widths, (std::vector<LONG>{33, 33, 32}));
  EXPECT_EQ(sizes.heights, (std::vector<LONG>{10}));
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(CellRectanglesTest, RowByRowLeftToRight) {
  CellSizes sizes;
  ASSERT_TRUE(ComputeCellSizes(100, 21, Settings(2, 3, 1, 0), &sizes));
  std::vector<RECT> cells = CellRectangles(sizes, 1, false);
  const RECT expected[] = {{0, 0, 33, 10},   {34, 0, 67, 10},   {68, 0, 100, 10},
                           {0, 11, 33, 21},  {34, 11, 67, 21},  {68, 11, 100, 21}};
  ASSERT_EQ(cells.size(), 6u);
  for (size_t i = 0; i < cells.size(); ++i)
    EXPECT_TRUE(SameRect(cells[i], expected[i]))
        << "cell " << i << ": " << cells[i].left << "," << cells[i].top << ","
        << cells[i].right << "," << cells[i].bottom;
}

TEST(CellRectanglesTest, BorderInsetsTheOnlyCell) {
  CellSizes sizes;
  ASSERT_TRUE(ComputeCellSizes(40, 30, Settings(1, 1, 4, 1), &sizes));
  std::vector<RECT> cells = CellRectangles(sizes, 4, true);
  ASSERT_EQ(cells.size(), 1u);
  EXPECT_TRUE(SameRect(cells[0], RECT{4, 4, 36, 26}));
}

std::vector<BYTE> Pixels(HBUF buffer, LONG width, LONG height) {
  std::vector<BYTE> pixels(static_cast<size_t>(width) * height * 3);
  buf32GetMem(buffer, 0, 0, width, height, pixels.data());
  return pixels;
}

TEST(DrawGridTest, LinesOverDuplicateSourceUnchanged) {
  const LONG width = 20, height = 12;
  HBUF source = PatternImage(width, height);
  ASSERT_NE(source, 0u);
  GridParams params = Settings(2, 3, 2, 1);
  params.lineColour = RGB(200, 100, 50);
  CellSizes sizes;
  ASSERT_TRUE(ComputeCellSizes(width, height, params, &sizes));
  HBUF result = 0;
  ASSERT_TRUE(DrawGrid(source, params, sizes, &result));
  ASSERT_NE(result, source);

  std::vector<LONG> vertical = LinePositions(sizes.widths, 2, true);
  std::vector<LONG> horizontal = LinePositions(sizes.heights, 2, true);
  auto onLine = [](const std::vector<LONG>& at, LONG v) {
    for (LONG p : at)
      if (v >= p && v < p + 2) return true;
    return false;
  };
  std::vector<BYTE> drawn = Pixels(result, width, height);
  std::vector<BYTE> original = Pixels(source, width, height);
  for (LONG y = 0; y < height; ++y) {
    for (LONG x = 0; x < width; ++x) {
      const BYTE* p = &drawn[(y * width + x) * 3];
      const BYTE* o = &original[(y * width + x) * 3];
      EXPECT_EQ(o[0], x);  // the source is never changed
      if (onLine(vertical, x) || onLine(horizontal, y)) {
        EXPECT_TRUE(p[0] == 200 && p[1] == 100 && p[2] == 50) << "line pixel " << x << "," << y;
      } else {
        EXPECT_TRUE(p[0] == x && p[1] == y && p[2] == 7) << "cell pixel " << x << "," << y;
      }
    }
  }
  buf32Free(result);
  buf32Free(source);
}

TEST(DrawGridTest, OneCellWithoutBorderIsPlainCopy) {
  HBUF source = PatternImage(9, 5);
  ASSERT_NE(source, 0u);
  GridParams params = Settings(1, 1, 3, 0);
  CellSizes sizes;
  ASSERT_TRUE(ComputeCellSizes(9, 5, params, &sizes));
  HBUF result = 0;
  ASSERT_TRUE(DrawGrid(source, params, sizes, &result));
  EXPECT_EQ(Pixels(result, 9, 5), Pixels(source, 9, 5));
  buf32Free(result);
  buf32Free(source);
}

TEST(DrawGridTest, DeadSourceLeavesResultUntouched) {
  GridParams params = Settings(1, 1, 1, 0);
  CellSizes sizes;
  ASSERT_TRUE(ComputeCellSizes(9, 5, params, &sizes));
  HBUF result = 12345;
  EXPECT_FALSE(DrawGrid(0, params, sizes, &result));
  EXPECT_EQ(result, 12345u);
}

}  // namespace
}  // namespace gridsplit
