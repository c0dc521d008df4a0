// Buttons of message box types: what a script may answer and the defaults.
#include <gtest/gtest.h>

#include "../msgboxanswers.h"

TEST(MessageBoxAnswers, ButtonsDefaultsAndCancels) {
  struct Case { UINT type; const char* buttons; int byEnter; int byEscape; } cases[] = {
      {0x000, "ok", 1, 1},                      // MB_OK
      {0x001, "ok, cancel", 1, 2},              // MB_OKCANCEL
      {0x101, "ok, cancel", 2, 2},              // MB_OKCANCEL | MB_DEFBUTTON2
      {0x002, "abort, retry, ignore", 3, 3},    // MB_ABORTRETRYIGNORE
      {0x203, "yes, no, cancel", 2, 2},         // MB_YESNOCANCEL | MB_DEFBUTTON3
      {0x004, "yes, no", 6, 7},                 // MB_YESNO
      {0x104, "yes, no", 7, 7},                 // MB_YESNO | MB_DEFBUTTON2
      {0x005, "retry, cancel", 4, 2},           // MB_RETRYCANCEL
      {0x030, "ok", 1, 1},                      // MB_OK | MB_ICONEXCLAMATION
      {0x300, "ok", 1, 1},                      // a default button beyond the buttons
  };
  for (const auto& c : cases) {
    EXPECT_EQ(lv::msgbox::ButtonNames(c.type), c.buttons) << std::hex << c.type;
    EXPECT_EQ(lv::msgbox::DefaultAnswer(c.type), c.byEnter) << std::hex << c.type;
    EXPECT_EQ(lv::msgbox::CancelAnswer(c.type), c.byEscape) << std::hex << c.type;
  }
  EXPECT_TRUE(lv::msgbox::Offers(0x004, 6));
  EXPECT_FALSE(lv::msgbox::Offers(0x000, 6));
  EXPECT_FALSE(lv::msgbox::Offers(0x001, 7));
  EXPECT_EQ(lv::msgbox::AnswerName(99), "?");
}
