// The up-down control: range, position, buddy text, clicks and keys.
#include "../../controls/tests/ctltest.h"
#include "step_agent.h"

namespace {

using ctltest::ControlTest;
using lvtest::WindowText;

class UpDownTest : public ControlTest {
 protected:
  // An edit with an up-down control attached as its buddy.
  void MakePair(DWORD extraStyle, int lower, int upper, int pos) {
    edit_ = Child("Edit", "", WS_BORDER | ES_AUTOHSCROLL, 300, 10, 10, 80, 20);
    updown_ = Child(UPDOWN_CLASSA, "", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | extraStyle, 301, 0, 0,
                    16, 20);
    SendMessageA(updown_, UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
    SendMessageA(updown_, UDM_SETPOS32, 0, pos);
  }
  bool ClickUp() { return lv::ClickAt(updown_, 8, 2); }
  bool ClickDown() {
    RECT rc{};
    GetClientRect(updown_, &rc);
    return lv::ClickAt(updown_, 8, rc.bottom - 2);
  }
  int Pos() { return static_cast<int>(SendMessageA(updown_, UDM_GETPOS32, 0, 0)); }

  HWND edit_ = 0;
  HWND updown_ = 0;
};

TEST_F(UpDownTest, RangeMessagesKeepTheirWordOrder) {
  HWND updown = Child(UPDOWN_CLASSA, "", 0, 310);
  EXPECT_EQ(SendMessageA(updown, UDM_GETRANGE, 0, 0), MAKELONG(0, 100)) << "default range 100..0";
  SendMessageA(updown, UDM_SETRANGE, 0, MAKELPARAM(99, 1));  // MAKELONG(max, min)
  int lower = 0, upper = 0;
  SendMessageA(updown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
  EXPECT_EQ(lower, 1);
  EXPECT_EQ(upper, 99);
  SendMessageA(updown, UDM_SETRANGE, 0, MAKELPARAM(-5, -360));
  EXPECT_EQ(SendMessageA(updown, UDM_GETRANGE, 0, 0), MAKELONG(static_cast<WORD>(-5), static_cast<WORD>(-360)));
  const struct {
    int set, expected;
  } positions[] = {{-100, -100}, {0, -5}, {-1000, -360}, {-360, -360}};
  for (const auto& p : positions) {
    SendMessageA(updown, UDM_SETPOS32, 0, p.set);
    EXPECT_EQ(SendMessageA(updown, UDM_GETPOS32, 0, 0), p.expected) << "set " << p.set;
  }
  SendMessageA(updown, UDM_SETRANGE, 0, MAKELPARAM(99, 1));
  EXPECT_EQ(SendMessageA(updown, UDM_GETPOS32, 0, 0), -360) << "a new range leaves the position";
  EXPECT_EQ(SendMessageA(updown, UDM_SETPOS, 0, MAKELPARAM(50, 0)), -360) << "returns the previous position";
  EXPECT_EQ(SendMessageA(updown, UDM_GETPOS, 0, 0), MAKELONG(50, 0));
}

TEST_F(UpDownTest, AutoBuddyAlignsAndShowsThePosition) {
  MakePair(0, 1, 99, 5);
  EXPECT_EQ(static_cast<HWND>(SendMessageA(updown_, UDM_GETBUDDY, 0, 0)), edit_);
  EXPECT_EQ(WindowText(edit_), "5");
  RECT e{}, u{};
  GetWindowRect(edit_, &e);
  GetWindowRect(updown_, &u);
  EXPECT_EQ(e.right, u.left) << "the up-down sits at the buddy's right edge";
  EXPECT_EQ(e.right - e.left, 80 - 16);
  EXPECT_EQ(u.bottom - u.top, e.bottom - e.top);
}

TEST_F(UpDownTest, ClicksStepNotifyAndClamp) {
  MakePair(0, 1, 3, 2);
  ASSERT_TRUE(ClickUp());
  EXPECT_EQ(Pos(), 3);
  EXPECT_EQ(WindowText(edit_), "3");
  ASSERT_EQ(recorder_.deltas.size(), 1u);
  EXPECT_EQ(recorder_.deltas[0].iPos, 2);
  EXPECT_EQ(recorder_.deltas[0].iDelta, 1);
  EXPECT_EQ(recorder_.deltas[0].hdr.idFrom, 301u);
  ASSERT_FALSE(recorder_.scrolls.empty());
  EXPECT_EQ(recorder_.scrolls[0].message, static_cast<UINT>(WM_VSCROLL));
  EXPECT_EQ(recorder_.scrolls[0].code, SB_THUMBPOSITION);
  EXPECT_EQ(recorder_.scrolls[0].pos, 3);
  recorder_.scrolls.clear();
  ASSERT_TRUE(ClickUp());
  EXPECT_EQ(Pos(), 3) << "clamped at the maximum";
  for (const auto& s : recorder_.scrolls) EXPECT_NE(s.code, SB_THUMBPOSITION) << "nothing moved";
  ASSERT_TRUE(ClickDown());
  ASSERT_TRUE(ClickDown());
  ASSERT_TRUE(ClickDown());
  EXPECT_EQ(Pos(), 1);
  EXPECT_EQ(WindowText(edit_), "1");
}

TEST_F(UpDownTest, WrapGoesToTheOtherEnd) {
  MakePair(UDS_WRAP, 0, 9, 9);
  ASSERT_TRUE(ClickUp());
  EXPECT_EQ(Pos(), 0);
  ASSERT_TRUE(ClickDown());
  EXPECT_EQ(Pos(), 9);
}

TEST_F(UpDownTest, ParentCancelsWithDeltaPos) {
  MakePair(0, 0, 10, 4);
  recorder_.deltaResult = 1;
  ASSERT_TRUE(ClickUp());
  EXPECT_EQ(Pos(), 4);
  EXPECT_EQ(WindowText(edit_), "4");
  EXPECT_EQ(recorder_.deltas.size(), 1u);
}

TEST_F(UpDownTest, InvertedRangeMovesUpTowardTheUpperValue) {
  MakePair(0, 10, 0, 5);  // lower 10, upper 0
  ASSERT_TRUE(ClickUp());
  EXPECT_EQ(Pos(), 4);
  ASSERT_EQ(recorder_.deltas.size(), 1u);
  EXPECT_EQ(recorder_.deltas[0].iDelta, -1);
}

TEST_F(UpDownTest, TypedBuddyTextIsReadBack) {
  MakePair(0, 0, 100, 0);
  ASSERT_TRUE(lv::ReplaceText(edit_, "42"));
  EXPECT_EQ(SendMessageA(updown_, UDM_GETPOS, 0, 0), MAKELONG(42, 0));
  ASSERT_TRUE(ClickUp());
  EXPECT_EQ(WindowText(edit_), "43") << "a click continues from the typed value";
  const char* bad[] = {"abc", "", "101", "-1", "4x"};
  for (const char* text : bad) {
    SetWindowTextA(edit_, text);
    const LRESULT result = SendMessageA(updown_, UDM_GETPOS, 0, 0);
    EXPECT_NE(HIWORD(result), 0) << "\"" << text << "\"";
    EXPECT_EQ(LOWORD(result), 43) << "the position stays on error";
    BOOL error = FALSE;
    SendMessageA(updown_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error));
    EXPECT_TRUE(error);
  }
}

TEST_F(UpDownTest, ThousandsSeparatorAndBase) {
  MakePair(0, 0, 5000, 1234);
  EXPECT_EQ(WindowText(edit_), "1.234");
  EXPECT_EQ(SendMessageA(updown_, UDM_GETPOS, 0, 0), MAKELONG(1234, 0));
  EXPECT_EQ(SendMessageA(updown_, UDM_SETBASE, 16, 0), 10);
  EXPECT_EQ(WindowText(edit_), "0x04D2");
  EXPECT_EQ(SendMessageA(updown_, UDM_SETBASE, 7, 0), 0) << "only 10 and 16";
  EXPECT_EQ(SendMessageA(updown_, UDM_GETBASE, 0, 0), 16);
  SetWindowTextA(edit_, "0x10");
  EXPECT_EQ(SendMessageA(updown_, UDM_GETPOS32, 0, 0), 16);
}

TEST_F(UpDownTest, NoThousandsKeepsDigitsTogether) {
  MakePair(UDS_NOTHOUSANDS, -5000, 5000, -1234);
  EXPECT_EQ(WindowText(edit_), "-1234");
}

TEST_F(UpDownTest, ArrowKeysInTheBuddyStep) {
  MakePair(UDS_ARROWKEYS, 0, 10, 5);
  ASSERT_TRUE(lv::PressKey(edit_, VK_UP));
  EXPECT_EQ(Pos(), 6);
  ASSERT_TRUE(lv::PressKey(edit_, VK_DOWN));
  ASSERT_TRUE(lv::PressKey(edit_, VK_DOWN));
  EXPECT_EQ(Pos(), 4);
  EXPECT_EQ(WindowText(edit_), "4");
}

TEST_F(UpDownTest, HorizontalSendsHScroll) {
  HWND updown = Child(UPDOWN_CLASSA, "", UDS_HORZ, 320, 10, 10, 30, 16);
  SendMessageA(updown, UDM_SETRANGE32, 0, 10);
  ASSERT_TRUE(lv::ClickAt(updown, 25, 8));
  EXPECT_EQ(SendMessageA(updown, UDM_GETPOS32, 0, 0), 1);
  ASSERT_FALSE(recorder_.scrolls.empty());
  EXPECT_EQ(recorder_.scrolls[0].message, static_cast<UINT>(WM_HSCROLL));
  ASSERT_TRUE(lv::ClickAt(updown, 3, 8));
  EXPECT_EQ(SendMessageA(updown, UDM_GETPOS32, 0, 0), 0);
}

TEST_F(UpDownTest, AccelerationTable) {
  HWND updown = Child(UPDOWN_CLASSA, "", 0, 330);
  UDACCEL accel[2] = {{0, 2}, {1, 10}};
  EXPECT_TRUE(SendMessageA(updown, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accel)));
  EXPECT_FALSE(SendMessageA(updown, UDM_SETACCEL, 0, reinterpret_cast<LPARAM>(accel)));
  UDACCEL back[3] = {};
  EXPECT_EQ(SendMessageA(updown, UDM_GETACCEL, 3, reinterpret_cast<LPARAM>(back)), 2);
  EXPECT_EQ(back[1].nInc, 10u);
  SendMessageA(updown, UDM_SETRANGE32, 0, 100);
  ASSERT_TRUE(lv::ClickAt(updown, 5, 2));
  EXPECT_EQ(SendMessageA(updown, UDM_GETPOS32, 0, 0), 2) << "a click steps by the first increment";
}

TEST_F(UpDownTest, InitCommonControlsChecksItsArgument) {
  InitCommonControls();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
  EXPECT_TRUE(InitCommonControlsEx(&icc));
  icc.dwSize = 3;
  EXPECT_FALSE(InitCommonControlsEx(&icc));
  EXPECT_FALSE(InitCommonControlsEx(nullptr));
  HWND made = CreateUpDownControl(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT, 0, 0, 16, 20, parent_, 340, 0, 0, 50, 10, 70);
  ASSERT_NE(made, 0u);
  EXPECT_EQ(SendMessageA(made, UDM_GETPOS32, 0, 0), 50) << "clamped into 10..50";
}

}  // namespace
