// The thumbnail window: layout, hit testing, painting, clicks and keys.
#include <vector>

#include "list_fixture.h"
#include "list_view.h"
#include "win/lvsurface.h"

namespace {

using objclips::CellRect;
using objclips::ComputeLayout;
using objclips::HitTest;
using objclips::ListLayout;

TEST(ListLayout, CellsFlowLeftToRightThenDown) {
  IIOPROPS props{};
  props.thumbWidth = 64;
  props.thumbHeight = 40;
  props.showNames = 1;
  ListLayout layout = ComputeLayout(props, 250, 16);  // cells 72 wide: 3 columns
  EXPECT_EQ(layout.columns, 3);
  EXPECT_EQ(layout.cellHeight, 40 + 8 + 16);
  RECT fourth = CellRect(layout, 3, 0);
  EXPECT_EQ(fourth.left, 0);
  EXPECT_EQ(fourth.top, 64);
  RECT scrolled = CellRect(layout, 3, 10);
  EXPECT_EQ(scrolled.top, 54);
  struct Hit {
    LONG x, y, scroll, expected;
  } hits[] = {{0, 0, 0, 0},     {71, 63, 0, 0}, {72, 0, 0, 1},   {150, 70, 0, 5},
              {220, 10, 0, -1},  // right of the last column
              {10, 200, 0, -1},  // below the last item (6 items)
              {10, 60, 10, 3},   {-1, 0, 0, -1}};
  for (const Hit& h : hits) {
    EXPECT_EQ(HitTest(layout, 6, h.x, h.y, h.scroll), h.expected) << h.x << "," << h.y;
  }
  props.showNames = 0;
  EXPECT_EQ(ComputeLayout(props, 10, 16).columns, 1);  // narrower than a cell
  EXPECT_EQ(ComputeLayout(props, 10, 16).cellHeight, 48);
}

TEST(ListPaint, ThumbnailsCentredAndSelectionFramed) {
  LvSurface* surface = lvSurfaceCreate(100, 60);
  ASSERT_NE(surface, nullptr);
  RECT clip{0, 0, 100, 60};
  HDC dc = lvCreateSurfaceDC(surface, 0, 0, &clip);
  OwnedList list(t32CreateIIO(0));
  IIOPROPS props{};
  ASSERT_TRUE(t32IIOAction(list.get(), IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&props)));
  props.thumbWidth = 40;
  props.thumbHeight = 40;
  props.showNames = 0;
  props.background = RGB(0, 0, 255);
  ASSERT_TRUE(t32IIOAction(list.get(), IIO_SETPROPS, 0, reinterpret_cast<LPARAM>(&props)));
  OwnedImage red(24, 20, 10, RGB(255, 0, 0));
  OwnedImage grey(8, 40, 40, RGB(128, 128, 128));
  IIITEM a = Record(red.get(), "a", "");
  IIITEM b = Record(grey.get(), "b", "");
  ASSERT_TRUE(t32IIAction(list.get(), II_ADD, 0, &a));
  ASSERT_TRUE(t32IIAction(list.get(), II_ADD, 0, &b));
  ASSERT_TRUE(t32IIOAction(list.get(), IIO_SELECT, 0, 65536 + 1));
  objclips::ItemList* model = objclips::FindList(list.get());
  ListLayout layout = ComputeLayout(model->props, 100, 0);
  objclips::PaintList(dc, *model, layout, clip, 0);
  auto at = [&](int x, int y) { return surface->pixels[y * 100 + x]; };
  // First cell 48 x 48 at 0: red 20 x 10 centred in the 40 x 40 box at 4.
  EXPECT_EQ(at(14, 19), 0x00FF0000u);
  EXPECT_EQ(at(33, 28), 0x00FF0000u);
  EXPECT_EQ(at(13, 19), 0x000000FFu);
  EXPECT_EQ(at(14, 18), 0x000000FFu);
  // Second cell at x 48: grey fills its box, the selection frames the cell.
  EXPECT_EQ(at(52, 4), 0x00808080u);
  EXPECT_EQ(at(91, 43), 0x00808080u);
  EXPECT_NE(at(48, 20), 0x000000FFu);
  EXPECT_EQ(at(48, 20), at(95, 20));
  EXPECT_EQ(at(97, 20), 0x000000FFu);  // right of the second cell
  DeleteDC(dc);
  lvSurfaceDestroy(surface);
}

// A parent window that records WM_COMMAND notices.
std::vector<WPARAM> g_commands;
LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) g_commands.push_back(wParam);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

class ListWindow : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = "IioTestParent";
    RegisterClassA(&wc);
    parent_ = CreateWindowExA(0, "IioTestParent", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, 0,
                              0, 0, nullptr);
    ASSERT_NE(parent_, 0u);
    // 2 columns of 72 x 72 cells (64 x 64 thumbnails, no names).
    window_ = CreateWindowExA(0, IIO_CLASS_NAME, "", WS_CHILD | WS_VISIBLE, 0, 0, 150, 100, parent_,
                              static_cast<HMENU>(213), 0, nullptr);
    ASSERT_NE(window_, 0u);
    IIOPROPS props{};
    t32IIOAction(list_.get(), IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&props));
    props.showNames = 0;
    t32IIOAction(list_.get(), IIO_SETPROPS, 0, reinterpret_cast<LPARAM>(&props));
    for (const char* name : {"a", "b", "c", "d", "e"}) {
      IIITEM item = Record(0, name, "");
      t32IIAction(list_.get(), II_ADD, 0, &item);
    }
    ASSERT_TRUE(t32IIOAction(list_.get(), IIO_ATTACH, 1, window_));
    g_commands.clear();
  }
  void TearDown() override { DestroyWindow(parent_); }
  LONG Selected() { return t32IIOAction(list_.get(), IIO_GETSEL, 0, 0) - 1; }

  OwnedList list_{t32CreateIIO(0)};
  HWND parent_ = 0;
  HWND window_ = 0;
};

TEST_F(ListWindow, ClickSelectsAndNotifiesTheParent) {
  SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 75));
  EXPECT_EQ(Selected(), 3);
  ASSERT_EQ(g_commands.size(), 1u);
  EXPECT_EQ(g_commands[0], MAKEWPARAM(213, IIN_SELCHANGE));
  SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(145, 5));  // outside the cells
  EXPECT_EQ(Selected(), 3);
  SendMessageA(window_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(80, 75));
  ASSERT_EQ(g_commands.size(), 2u);
  EXPECT_EQ(g_commands[1], MAKEWPARAM(213, IIN_DBLCLK));
}

TEST_F(ListWindow, KeysMoveTheSelectionWithinTheList) {
  struct Step {
    WPARAM key;
    LONG expected;
  } steps[] = {{VK_RIGHT, 0}, {VK_RIGHT, 1}, {VK_DOWN, 3}, {VK_DOWN, 4}, {VK_RIGHT, 4},
               {VK_UP, 2},    {VK_HOME, 0},  {VK_LEFT, 0}, {VK_END, 4}};
  for (const Step& s : steps) {
    SendMessageA(window_, WM_KEYDOWN, s.key, 0);
    EXPECT_EQ(Selected(), s.expected) << "key " << s.key;
  }
  EXPECT_EQ(SendMessageA(window_, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST_F(ListWindow, DestroyingTheWindowDetachesTheList) {
  DestroyWindow(window_);
  IIOPROPS props{};
  ASSERT_TRUE(t32IIOAction(list_.get(), IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&props)));
  EXPECT_EQ(props.window, 0u);
}

}  // namespace
