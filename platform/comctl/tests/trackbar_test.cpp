// The track bar: range, ticks, keys, dragging and paging clicks.
#include "../../controls/tests/ctltest.h"

namespace {

using ctltest::ControlTest;

class TrackBarTest : public ControlTest {
 protected:
  void Make(DWORD style, int min, int max, int pos) {
    bar_ = Child(TRACKBAR_CLASSA, "", style | WS_TABSTOP, 400, 10, 10, 216, 30);
    SendMessageA(bar_, TBM_SETRANGEMIN, FALSE, min);
    SendMessageA(bar_, TBM_SETRANGEMAX, FALSE, max);
    SendMessageA(bar_, TBM_SETPOS, TRUE, pos);
  }
  int Pos() { return static_cast<int>(SendMessageA(bar_, TBM_GETPOS, 0, 0)); }
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const auto& s : recorder_.scrolls) codes.push_back(s.code);
    return codes;
  }
  // Client x of the thumb's centre.
  int ThumbX() {
    RECT thumb{};
    SendMessageA(bar_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    return (thumb.left + thumb.right) / 2;
  }
  int ThumbY() {
    RECT thumb{};
    SendMessageA(bar_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    return (thumb.top + thumb.bottom) / 2;
  }

  HWND bar_ = 0;
};

TEST_F(TrackBarTest, RangeClampsThePosition) {
  Make(0, 0, 100, 50);
  const struct {
    int set, expected;
  } cases[] = {{-5, 0}, {101, 100}, {37, 37}};
  for (const auto& c : cases) {
    SendMessageA(bar_, TBM_SETPOS, TRUE, c.set);
    EXPECT_EQ(Pos(), c.expected) << "set " << c.set;
  }
  SendMessageA(bar_, TBM_SETRANGE, TRUE, MAKELPARAM(-360, 360));
  EXPECT_EQ(SendMessageA(bar_, TBM_GETRANGEMIN, 0, 0), -360);
  EXPECT_EQ(SendMessageA(bar_, TBM_GETRANGEMAX, 0, 0), 360);
  SendMessageA(bar_, TBM_SETRANGEMAX, TRUE, 10);
  EXPECT_EQ(Pos(), 10) << "a smaller range pulls the position in";
  EXPECT_TRUE(recorder_.scrolls.empty()) << "messages from the program are not reported";
}

TEST_F(TrackBarTest, TicksAutomaticAndManual) {
  Make(TBS_AUTOTICKS, 0, 100, 0);
  SendMessageA(bar_, TBM_SETTICFREQ, 10, 0);
  EXPECT_EQ(SendMessageA(bar_, TBM_GETNUMTICS, 0, 0), 11);
  HWND manual = Child(TRACKBAR_CLASSA, "", 0, 401, 10, 60, 216, 30);
  SendMessageA(manual, TBM_SETRANGEMAX, FALSE, 900);
  EXPECT_TRUE(SendMessageA(manual, TBM_SETTIC, 0, 300));
  EXPECT_TRUE(SendMessageA(manual, TBM_SETTIC, 0, 30));
  EXPECT_FALSE(SendMessageA(manual, TBM_SETTIC, 0, 1000));
  EXPECT_EQ(SendMessageA(manual, TBM_GETNUMTICS, 0, 0), 4) << "both ends and two set ticks";
  EXPECT_EQ(SendMessageA(manual, TBM_GETTIC, 0, 0), 30);
  EXPECT_EQ(SendMessageA(manual, TBM_GETTIC, 5, 0), -1);
  EXPECT_LT(SendMessageA(manual, TBM_GETTICPOS, 0, 0), SendMessageA(manual, TBM_GETTICPOS, 1, 0));
}

TEST_F(TrackBarTest, KeysStepAndEndTracking) {
  Make(0, 0, 100, 50);
  SendMessageA(bar_, TBM_SETPAGESIZE, 0, 10);
  SetFocus(bar_);
  const struct {
    UINT key;
    int pos;
    int code;
  } cases[] = {{VK_RIGHT, 51, TB_LINEDOWN}, {VK_LEFT, 50, TB_LINEUP}, {VK_NEXT, 60, TB_PAGEDOWN},
               {VK_PRIOR, 50, TB_PAGEUP},   {VK_END, 100, TB_BOTTOM}, {VK_HOME, 0, TB_TOP}};
  for (const auto& c : cases) {
    recorder_.scrolls.clear();
    ASSERT_TRUE(lv::PressKey(bar_, c.key));
    EXPECT_EQ(Pos(), c.pos) << "key " << c.key;
    EXPECT_EQ(Codes(), (std::vector<int>{c.code, TB_ENDTRACK})) << "key " << c.key;
    ASSERT_FALSE(recorder_.scrolls.empty());
    EXPECT_EQ(recorder_.scrolls[0].message, static_cast<UINT>(WM_HSCROLL));
  }
}

TEST_F(TrackBarTest, DraggingTheThumbTracksThenEnds) {
  Make(0, 0, 100, 0);
  const int y = ThumbY();
  ASSERT_TRUE(lv::MouseDown(bar_, ThumbX(), y));
  RECT channel{};
  SendMessageA(bar_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  const int middle = (channel.left + channel.right) / 2;
  ASSERT_TRUE(lv::MouseMove(bar_, middle, y));
  EXPECT_NEAR(Pos(), 50, 1);
  ASSERT_TRUE(lv::MouseMove(bar_, 1000, y));
  EXPECT_EQ(Pos(), 100) << "dragging past the end stops at the maximum";
  ASSERT_TRUE(lv::MouseUp(bar_, 1000, y));
  const std::vector<int> codes = Codes();
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes[0], TB_THUMBTRACK);
  EXPECT_EQ(codes[codes.size() - 2], TB_THUMBPOSITION);
  EXPECT_EQ(recorder_.scrolls[codes.size() - 2].pos, 100);
  EXPECT_EQ(codes.back(), TB_ENDTRACK);
  EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(TrackBarTest, ChannelClickPagesTowardTheClick) {
  Make(0, 0, 100, 50);
  SendMessageA(bar_, TBM_SETPAGESIZE, 0, 10);
  ASSERT_TRUE(lv::ClickAt(bar_, 200, ThumbY()));
  EXPECT_EQ(Pos(), 60);
  EXPECT_EQ(Codes(), (std::vector<int>{TB_PAGEDOWN, TB_ENDTRACK}));
  ASSERT_TRUE(lv::ClickAt(bar_, 9, ThumbY()));
  EXPECT_EQ(Pos(), 50);
}

TEST_F(TrackBarTest, VerticalBarSendsVScroll) {
  bar_ = Child(TRACKBAR_CLASSA, "", TBS_VERT, 402, 10, 10, 30, 200);
  SendMessageA(bar_, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
  SetFocus(bar_);
  ASSERT_TRUE(lv::PressKey(bar_, VK_DOWN));
  EXPECT_EQ(Pos(), 1);
  ASSERT_FALSE(recorder_.scrolls.empty());
  EXPECT_EQ(recorder_.scrolls[0].message, static_cast<UINT>(WM_VSCROLL));
}

}  // namespace
