// mem32Fill and i32ColorspaceConvert.
#include <cstring>
#include <vector>

#include "imgcore.h"
#include <gtest/gtest.h>

namespace {

TEST(Mem32Fill, RepeatsThePatternExactlyCountTimes) {
  struct Case {
    std::vector<BYTE> pattern;
    LONG count;
  } cases[] = {{{7}, 1}, {{1, 2, 3}, 5}, {{9, 8}, 1000}, {{1, 2, 3, 4, 5, 6, 7, 8}, 33}};
  for (const Case& c : cases) {
    size_t total = c.pattern.size() * c.count;
    std::vector<BYTE> memory(total + 4, 0xEE);
    mem32Fill(memory.data(), c.pattern.data(), static_cast<LONG>(c.pattern.size()), c.count);
    for (size_t i = 0; i < total; ++i) ASSERT_EQ(memory[i], c.pattern[i % c.pattern.size()]) << i;
    for (size_t i = total; i < memory.size(); ++i) ASSERT_EQ(memory[i], 0xEE) << "overrun at " << i;
  }
}

TEST(Mem32Fill, NothingHappensForEmptyOrMissingArguments) {
  BYTE memory[4] = {1, 1, 1, 1};
  BYTE pattern[2] = {5, 6};
  mem32Fill(memory, pattern, 2, 0);
  mem32Fill(memory, pattern, 2, -4);
  mem32Fill(memory, pattern, 0, 2);
  mem32Fill(memory, nullptr, 2, 2);
  mem32Fill(nullptr, pattern, 2, 2);
  EXPECT_EQ(std::vector<BYTE>(memory, memory + 4), (std::vector<BYTE>{1, 1, 1, 1}));
}

TEST(ColorspaceConvert, GreyIsTheRoundedWeightedSum) {
  const COLORREF in[] = {RGB(0, 0, 0),     RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 255, 0),
                         RGB(0, 0, 255),   RGB(0, 0, 5),       RGB(0, 0, 4),   RGB(77, 77, 77),
                         RGB(1, 1, 1) | 0xFF000000};
  const BYTE expected[] = {0, 255, 76, 150, 29, 1, 0, 77, 1};
  BYTE out[9] = {};
  ASSERT_TRUE(i32ColorspaceConvert(out, in, 9, 0));
  EXPECT_EQ(std::vector<BYTE>(out, out + 9), std::vector<BYTE>(expected, expected + 9));
}

TEST(ColorspaceConvert, RefusesUnknownDirectionsAndMissingMemory) {
  COLORREF in[1] = {RGB(9, 9, 9)};
  BYTE out[1] = {42};
  EXPECT_FALSE(i32ColorspaceConvert(out, in, 1, 7));
  EXPECT_FALSE(i32ColorspaceConvert(nullptr, in, 1, 0));
  EXPECT_FALSE(i32ColorspaceConvert(out, nullptr, 1, 0));
  EXPECT_FALSE(i32ColorspaceConvert(out, in, -1, 0));
  EXPECT_EQ(out[0], 42);
  EXPECT_TRUE(i32ColorspaceConvert(out, in, 0, 0));
}

}  // namespace
