// The tab control: items, selection by click and keys, the parent's veto.
#include <cstring>

#include "../../controls/tests/ctltest.h"

namespace {

using ctltest::ControlTest;

struct TabLog {
  std::vector<UINT> codes;
  bool refuse = false;
};
TabLog* g_tabLog = nullptr;
WNDPROC g_parentProc = nullptr;

// Records the tab notifications the parent receives; can refuse a change.
LRESULT CALLBACK TabParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY && g_tabLog) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    g_tabLog->codes.push_back(hdr->code);
    if (hdr->code == TCN_SELCHANGING) return g_tabLog->refuse ? TRUE : FALSE;
    return 0;
  }
  return CallWindowProcA(g_parentProc, hwnd, msg, wParam, lParam);
}

class TabControlTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    g_tabLog = &log_;
    g_parentProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TabParentProc)));
    tabs_ = Child(WC_TABCONTROLA, "", WS_TABSTOP, 600, 10, 10, 300, 200);
    for (const char* text : {"BODY", "IMG "}) {
      TCITEMA item{};
      item.mask = TCIF_TEXT | TCIF_PARAM;
      item.pszText = const_cast<char*>(text);
      item.lParam = static_cast<LPARAM>(std::strlen(text));
      SendMessageA(tabs_, TCM_INSERTITEMA, 99, reinterpret_cast<LPARAM>(&item));
    }
  }
  void TearDown() override {
    g_tabLog = nullptr;
    ControlTest::TearDown();
  }
  POINT TabCentre(int index) {
    RECT rc{};
    EXPECT_TRUE(SendMessageA(tabs_, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc)));
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  }

  HWND tabs_ = 0;
  TabLog log_;
};

TEST_F(TabControlTest, ItemsKeepTextAndParam) {
  EXPECT_EQ(SendMessageA(tabs_, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0), 0) << "the first tab is selected";
  char text[3] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT | TCIF_PARAM;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ASSERT_TRUE(SendMessageA(tabs_, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item)));
  EXPECT_STREQ(text, "IM") << "cut to the buffer";
  EXPECT_EQ(item.lParam, 4);
  EXPECT_FALSE(SendMessageA(tabs_, TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(SendMessageA(tabs_, TCM_SETCURSEL, 1, 0), 0);
  EXPECT_EQ(SendMessageA(tabs_, TCM_SETCURSEL, 5, 0), -1);
  EXPECT_TRUE(log_.codes.empty()) << "TCM_SETCURSEL does not notify";
  EXPECT_TRUE(SendMessageA(tabs_, TCM_DELETEITEM, 0, 0));
  EXPECT_EQ(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0), 0);
}

TEST_F(TabControlTest, ClickAsksThenTells) {
  const POINT second = TabCentre(1);
  ASSERT_TRUE(lv::ClickAt(tabs_, second.x, second.y));
  EXPECT_EQ(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(log_.codes, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
  TCHITTESTINFO hit{{second.x, second.y}, 0};
  EXPECT_EQ(SendMessageA(tabs_, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(TCHT_ONITEMLABEL));
  log_.codes.clear();
  log_.refuse = true;
  const POINT first = TabCentre(0);
  ASSERT_TRUE(lv::ClickAt(tabs_, first.x, first.y));
  EXPECT_EQ(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0), 1) << "the parent refused the change";
  EXPECT_EQ(log_.codes, (std::vector<UINT>{TCN_SELCHANGING}));
}

TEST_F(TabControlTest, ArrowKeysMoveBetweenTabs) {
  SetFocus(tabs_);
  ASSERT_TRUE(lv::PressKey(tabs_, VK_RIGHT));
  EXPECT_EQ(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0), 1);
  ASSERT_TRUE(lv::PressKey(tabs_, VK_RIGHT));
  EXPECT_EQ(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0), 1) << "no tab beyond the last";
  ASSERT_TRUE(lv::PressKey(tabs_, VK_LEFT));
  EXPECT_EQ(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0), 0);
}

TEST_F(TabControlTest, AdjustRectRoundTrips) {
  RECT window{10, 10, 310, 210};
  RECT display = window;
  SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  EXPECT_GT(display.top, window.top + 10) << "the tabs take the top";
  EXPECT_LT(display.right, window.right);
  RECT back = display;
  SendMessageA(tabs_, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&back));
  EXPECT_EQ(back.left, window.left);
  EXPECT_EQ(back.top, window.top);
  EXPECT_EQ(back.right, window.right);
  EXPECT_EQ(back.bottom, window.bottom);
}

}  // namespace
