// The cell list in movable global memory.
#include <gtest/gtest.h>

#include <vector>

#include "../render.h"

namespace gridsplit {
namespace {

TEST(CellListTest, CountAndRectanglesInGlobalMemory) {
  std::vector<RECT> cells = {{0, 0, 5, 5}, {6, 0, 10, 5}};
  HGLOBAL list = MakeCellList(&cells);
  ASSERT_NE(list, 0u);
  EXPECT_EQ(GlobalSize(list), 4u + 16u * 2u);
  const LONG* values = static_cast<const LONG*>(GlobalLock(list));
  ASSERT_NE(values, nullptr);
  const LONG expected[] = {2, 0, 0, 5, 5, 6, 0, 10, 5};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(values[i], expected[i]) << "value " << i;
  GlobalUnlock(list);
  GlobalFree(list);

  HGLOBAL none = MakeCellList(nullptr);
  ASSERT_NE(none, 0u);
  EXPECT_EQ(*static_cast<const LONG*>(GlobalLock(none)), -1);
  GlobalUnlock(none);
  GlobalFree(none);
}

}  // namespace
}  // namespace gridsplit
