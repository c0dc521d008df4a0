// The edit control's text model: lines, steps over line breaks, case.
#include <gtest/gtest.h>

#include "../edit.h"

namespace {

using namespace lv::ctl::edit;

TEST(EditText, LinesAndSteps) {
  const std::string text = "ab\r\n\r\ncd";
  EXPECT_EQ(LineStarts(text), (std::vector<size_t>{0, 4, 6}));
  EXPECT_EQ(LineLength(text, 0), 2u);
  EXPECT_EQ(LineLength(text, 4), 0u);
  EXPECT_EQ(LineLength(text, 6), 2u);
  EXPECT_EQ(LineOfOffset(LineStarts(text), 5), 1u);
  EXPECT_EQ(NextPosition(text, 2), 4u) << "a line break is one step";
  EXPECT_EQ(PreviousPosition(text, 6), 4u);
  EXPECT_EQ(PreviousPosition(text, 0), 0u);
  EXPECT_EQ(NextPosition(text, text.size()), text.size());
  EXPECT_EQ(LineStarts(""), (std::vector<size_t>{0}));
  EXPECT_EQ(LineStarts("a\r"), (std::vector<size_t>{0})) << "a lone CR is no line break";
}

TEST(EditText, WordSteps) {
  const std::string text = "eins  zwei drei";
  EXPECT_EQ(NextWord(text, 0), 6u);
  EXPECT_EQ(NextWord(text, 6), 11u);
  EXPECT_EQ(PreviousWord(text, 11), 6u);
  EXPECT_EQ(PreviousWord(text, 3), 0u);
  EXPECT_EQ(PreviousWord(text, 100), 11u);
}

TEST(EditText, AnsiCase) {
  const struct {
    char lower, upper;
  } pairs[] = {{'a', 'A'}, {'z', 'Z'}, {'\xe4', '\xc4'}, {'\xf6', '\xd6'}, {'\xfc', '\xdc'}, {'\xe9', '\xc9'},
               {'\x9a', '\x8a'}, {'\xff', '\x9f'}};
  for (const auto& p : pairs) {
    EXPECT_EQ(UpperAnsi(p.lower), p.upper) << int(static_cast<unsigned char>(p.lower));
    EXPECT_EQ(LowerAnsi(p.upper), p.lower) << int(static_cast<unsigned char>(p.upper));
  }
  for (char same : {'\xdf', '\xf7', '\xd7', '1', ' '}) {
    EXPECT_EQ(UpperAnsi(same), same);
    EXPECT_EQ(LowerAnsi(same), same);
  }
}

}  // namespace
