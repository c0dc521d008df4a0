// Buttons driven by the user agent's clicks and keys.
#include "ctltest.h"

namespace {

using ctltest::ControlTest;

struct ToggleCase {
  const char* name;
  DWORD style;
  std::vector<UINT> checksAfterEachClick;
};

class ButtonToggleTest : public ControlTest, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(ButtonToggleTest, EachClickChangesStateAndNotifies) {
  const ToggleCase& c = GetParam();
  HWND button = Child("Button", "Option", c.style | WS_TABSTOP, 101);
  for (size_t i = 0; i < c.checksAfterEachClick.size(); ++i) {
    ASSERT_TRUE(lv::Click(button)) << c.name;
    EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), static_cast<LRESULT>(c.checksAfterEachClick[i]))
        << c.name << " after click " << i + 1;
    EXPECT_EQ(Count(101, BN_CLICKED), static_cast<int>(i + 1)) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ButtonToggleTest,
    ::testing::Values(ToggleCase{"autocheck", BS_AUTOCHECKBOX, {BST_CHECKED, BST_UNCHECKED, BST_CHECKED}},
                      ToggleCase{"auto3state", BS_AUTO3STATE, {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}},
                      ToggleCase{"manual check", BS_CHECKBOX, {BST_UNCHECKED, BST_UNCHECKED}},
                      ToggleCase{"push", BS_PUSHBUTTON, {0, 0}},
                      ToggleCase{"autoradio", BS_AUTORADIOBUTTON, {BST_CHECKED, BST_CHECKED}}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name) if (ch == ' ') ch = '_';
      return name;
    });

TEST_F(ControlTest, AutoRadioUnchecksOnlyItsOwnGroup) {
  HWND a = Child("Button", "A", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 1, 10, 10);
  HWND b = Child("Button", "B", BS_AUTORADIOBUTTON, 2, 10, 35);
  HWND c = Child("Button", "C", BS_AUTORADIOBUTTON, 3, 10, 60);
  HWND other = Child("Button", "X", BS_AUTORADIOBUTTON | WS_GROUP, 4, 10, 85);
  SendMessageA(a, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(other, BM_SETCHECK, BST_CHECKED, 0);

  ASSERT_TRUE(lv::Click(c));
  EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(c, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(other, BM_GETCHECK, 0, 0), BST_CHECKED) << "the next group must stay as it was";
  // The checked radio button of a group is the one Tab lands on.
  EXPECT_TRUE(GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongA(a, GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(Count(3, BN_CLICKED), 1);
}

TEST_F(ControlTest, SpaceKeyClicksFocusedCheckBox) {
  HWND box = Child("Button", "Box", BS_AUTOCHECKBOX | WS_TABSTOP, 7);
  SetFocus(box);
  ASSERT_TRUE(lv::PressKey(box, VK_SPACE));
  EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Count(7, BN_CLICKED), 1);
  EXPECT_EQ(SendMessageA(box, BM_GETSTATE, 0, 0) & BST_FOCUS, BST_FOCUS);
}

TEST_F(ControlTest, ReleaseOutsideTheButtonIsNoClick) {
  HWND button = Child("Button", "Push", BS_PUSHBUTTON, 9, 50, 50, 80, 24);
  ASSERT_TRUE(lv::MouseDown(button, 10, 10));
  EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
  ASSERT_TRUE(lv::MouseMove(button, -30, -30));
  EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0) << "pushed look follows the mouse";
  ASSERT_TRUE(lv::MouseUp(button, -30, -30));
  EXPECT_EQ(Count(9, BN_CLICKED), 0);
  EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(ControlTest, GroupBoxTakesNoClickAndNoFocus) {
  HWND group = Child("Button", "Gruppe", BS_GROUPBOX, 11, 10, 10, 200, 100);
  SendMessageA(group, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  SendMessageA(group, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  EXPECT_EQ(Count(11, BN_CLICKED), 0);
  EXPECT_NE(GetFocus(), group);
}

TEST_F(ControlTest, DialogCodesAndDefaultStyle) {
  const struct {
    DWORD style;
    LRESULT code;
  } cases[] = {
      {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON}, {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {BS_AUTOCHECKBOX, DLGC_BUTTON},                      {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
      {BS_GROUPBOX, DLGC_STATIC},
  };
  int id = 20;
  for (const auto& c : cases) {
    HWND button = Child("Button", "x", c.style, id++);
    EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), c.code) << "style " << c.style;
  }
  // The dialog manager moves the default with BM_SETSTYLE.
  HWND push = Child("Button", "OK", BS_PUSHBUTTON | WS_TABSTOP, 30);
  SendMessageA(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(SendMessageA(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  EXPECT_TRUE(GetWindowLongA(push, GWL_STYLE) & WS_TABSTOP) << "BM_SETSTYLE keeps the other style bits";
}

TEST_F(ControlTest, ThreeStateOnlyForThreeStateButtons) {
  HWND two = Child("Button", "2", BS_CHECKBOX, 40);
  HWND three = Child("Button", "3", BS_3STATE, 41, 10, 40);
  SendMessageA(two, BM_SETCHECK, BST_INDETERMINATE, 0);
  SendMessageA(three, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(SendMessageA(two, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(three, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_EQ(Count(40, BN_CLICKED), 0) << "BM_SETCHECK does not notify";
}

TEST_F(ControlTest, BmClickOnDisabledButtonDoesNothing) {
  HWND button = Child("Button", "Aus", BS_AUTOCHECKBOX, 50);
  EnableWindow(button, FALSE);
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(Count(50, BN_CLICKED), 0);
  EnableWindow(button, TRUE);
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(Count(50, BN_CLICKED), 1);
  EXPECT_EQ(SendMessageA(button, BM_GETCHECK, 0, 0), BST_CHECKED);
}

}  // namespace
