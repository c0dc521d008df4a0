// Focus, activation, capture and the input the agent gives.
#include <gtest/gtest.h>
#include <useragent.h>

#include "recorder.h"

using usertest::Log;
using usertest::MakeRecorder;

namespace {

class FocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Log().clear();
    top = MakeRecorder(WS_POPUP | WS_VISIBLE, 0, 0, "Top", 0, 0, 400, 300);
    a = MakeRecorder(WS_CHILD | WS_VISIBLE, top, 1, "", 10, 10, 100, 50);
    b = MakeRecorder(WS_CHILD | WS_VISIBLE, top, 2, "", 10, 100, 100, 50);
    Log().clear();
  }
  void TearDown() override { DestroyWindow(top); }
  std::vector<usertest::Seen> Of(UINT message) {
    std::vector<usertest::Seen> out;
    for (auto& s : Log())
      if (s.message == message) out.push_back(s);
    return out;
  }
  HWND top = 0, a = 0, b = 0;
};

TEST_F(FocusTest, FocusChangeTellsBothWindows) {
  SetFocus(a);
  Log().clear();
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(GetFocus(), b);
  auto kills = Of(WM_KILLFOCUS);
  auto sets = Of(WM_SETFOCUS);
  ASSERT_EQ(kills.size(), 1u);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(kills[0].hwnd, a);
  EXPECT_EQ(kills[0].wParam, static_cast<WPARAM>(b));
  EXPECT_EQ(sets[0].hwnd, b);
  EXPECT_EQ(sets[0].wParam, static_cast<WPARAM>(a));
  EXPECT_EQ(GetActiveWindow(), top);
  DestroyWindow(b);
  EXPECT_EQ(GetFocus(), 0u);
}

TEST_F(FocusTest, CaptureChangesAreAnnounced) {
  EXPECT_EQ(SetCapture(a), 0u);
  Log().clear();
  SetCapture(b);
  auto changed = Of(WM_CAPTURECHANGED);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].hwnd, a);
  EXPECT_EQ(changed[0].lParam, static_cast<LPARAM>(b));
  // With capture, mouse input goes to the capturing window.
  Log().clear();
  EXPECT_TRUE(lv::MouseMove(a, 5, 5));
  auto moves = Of(WM_MOUSEMOVE);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].hwnd, b);
  EXPECT_EQ(static_cast<short>(LOWORD(moves[0].lParam)), 5);
  Log().clear();
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), 0u);
  ASSERT_EQ(Of(WM_CAPTURECHANGED).size(), 1u);
  EXPECT_EQ(Of(WM_CAPTURECHANGED)[0].hwnd, b);
}

TEST_F(FocusTest, ClickGoesToTheWindowUnderThePointWithButtonState) {
  EXPECT_TRUE(lv::ClickAt(a, 3, 4));
  auto downs = Of(WM_LBUTTONDOWN);
  auto ups = Of(WM_LBUTTONUP);
  ASSERT_EQ(downs.size(), 1u);
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(downs[0].hwnd, a);
  EXPECT_EQ(downs[0].wParam & MK_LBUTTON, static_cast<WPARAM>(MK_LBUTTON));
  EXPECT_EQ(downs[0].lParam, MAKELPARAM(3, 4));
  EXPECT_EQ(ups[0].wParam & MK_LBUTTON, 0u);
  EXPECT_FALSE(Of(WM_SETCURSOR).empty());
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 13);
  EXPECT_EQ(p.y, 14);
  EnableWindow(a, FALSE);
  EXPECT_FALSE(lv::Click(a));
  EXPECT_FALSE(lv::Click(0x7777));
}

TEST_F(FocusTest, TypingAndKeysReachTheFocusWithKeyState) {
  Log().clear();
  EXPECT_TRUE(lv::TypeText(a, "Hi"));
  EXPECT_EQ(GetFocus(), a);
  auto chars = Of(WM_CHAR);
  ASSERT_EQ(chars.size(), 2u);
  EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('H'));
  EXPECT_EQ(chars[1].wParam, static_cast<WPARAM>('i'));
  Log().clear();
  EXPECT_TRUE(lv::PressKeyWith(top, 'X', true, false, false));
  auto downs = Of(WM_KEYDOWN);
  ASSERT_EQ(downs.size(), 2u);  // Shift, then X
  EXPECT_EQ(downs[1].wParam, static_cast<WPARAM>('X'));
  EXPECT_EQ(downs[1].hwnd, a);
  ASSERT_EQ(Of(WM_CHAR).size(), 1u);
  EXPECT_EQ(Of(WM_CHAR)[0].wParam, static_cast<WPARAM>('X'));
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
}

TEST_F(FocusTest, AsyncKeyStateRemembersAPressUntilAsked) {
  GetAsyncKeyState(VK_ESCAPE);  // forget earlier presses
  EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE), 0);
  EXPECT_TRUE(lv::PressKey(a, VK_ESCAPE));  // down and up again before the poll
  SHORT state = GetAsyncKeyState(VK_ESCAPE);
  EXPECT_EQ(state & 0x8000, 0) << "released already";
  EXPECT_EQ(state & 1, 1) << "but pressed since the last query";
  EXPECT_EQ(GetAsyncKeyState(VK_ESCAPE), 0) << "a press is reported once";
}

}  // namespace
