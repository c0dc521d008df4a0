// Window classes, creation and destruction sequences, window values and
// geometry.
#include <gtest/gtest.h>

#include "recorder.h"

#include <useragent.h>

using usertest::Log;
using usertest::MakeRecorder;
using usertest::Messages;

namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Log().clear(); }
};

TEST_F(WindowTest, CreationSendsTheMessagesInOrder) {
  HWND top = MakeRecorder(WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, "Top", 10, 20, 200, 100);
  ASSERT_TRUE(top);
  std::vector<UINT> want = {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
                            WM_SHOWWINDOW};
  EXPECT_EQ(Messages(top, want), want);
  Log().clear();
  HWND child = MakeRecorder(WS_CHILD | WS_VISIBLE, top, 7, "Child", 5, 5, 50, 20);
  ASSERT_TRUE(child);
  std::vector<UINT> childWant = {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW};
  EXPECT_EQ(Messages(child, childWant), childWant);
  EXPECT_EQ(Messages(top, {WM_PARENTNOTIFY}), std::vector<UINT>{WM_PARENTNOTIFY});
  EXPECT_EQ(GetDlgCtrlID(child), 7);
  EXPECT_EQ(GetParent(child), top);
  DestroyWindow(top);
}

TEST_F(WindowTest, DestroySendsDestroyDownAndNcDestroyUp) {
  HWND top = MakeRecorder(WS_POPUP, 0, 0);
  HWND child = MakeRecorder(WS_CHILD, top, 1);
  HWND grandchild = MakeRecorder(WS_CHILD, child, 2);
  Log().clear();
  ASSERT_TRUE(DestroyWindow(top));
  std::vector<HWND> order;
  std::vector<UINT> kinds;
  for (const auto& s : Log())
    if (s.message == WM_DESTROY || s.message == WM_NCDESTROY) {
      order.push_back(s.hwnd);
      kinds.push_back(s.message);
    }
  EXPECT_EQ(order, (std::vector<HWND>{top, child, grandchild, grandchild, child, top}));
  EXPECT_EQ(kinds, (std::vector<UINT>{WM_DESTROY, WM_DESTROY, WM_DESTROY, WM_NCDESTROY, WM_NCDESTROY, WM_NCDESTROY}));
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(grandchild));
}

LRESULT CALLBACK SelfDestroying(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) {
    DestroyWindow(hwnd);
    // The window is gone; asking about it must stay safe.
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 5);
    return GetWindowTextLengthA(hwnd) + 77;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(WindowTest, WindowDestroyedInsideItsOwnMessageIsSafe) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = SelfDestroying;
  wc.lpszClassName = "SelfDestroying";
  ASSERT_TRUE(RegisterClassA(&wc));
  HWND w = CreateWindowA("selfdestroying", "x", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
  ASSERT_TRUE(w);
  EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 77);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 0);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
  EXPECT_TRUE(UnregisterClassA("SelfDestroying", 0));
}

TEST_F(WindowTest, ExtraBytesAreBoundsChecked) {
  HWND w = MakeRecorder(WS_POPUP, 0, 0);  // 8 extra bytes
  struct Case {
    int index;
    bool fits4;
    bool fitsPtr;
  };
  const Case cases[] = {{0, true, true}, {4, true, false}, {5, false, false}, {8, false, false}, {100000, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(SetWindowLongA(w, c.index, 0x11223344), 0);
    EXPECT_EQ(GetWindowLongA(w, c.index), c.fits4 ? 0x11223344 : 0);
    SetWindowLongA(w, c.index, 0);
    LONG_PTR big = static_cast<LONG_PTR>(0x0102030405060708LL);
    SetWindowLongPtrA(w, c.index, big);
    EXPECT_EQ(GetWindowLongPtrA(w, c.index), c.fitsPtr ? big : 0);
    SetWindowLongPtrA(w, c.index, 0);
  }
  EXPECT_EQ(SetWindowLongA(w, GWLP_USERDATA, 9), 0);
  EXPECT_EQ(GetWindowLongA(w, GWLP_USERDATA), 9);
  EXPECT_TRUE(static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE)) & WS_POPUP);
  DestroyWindow(w);
}

LRESULT CALLBACK Doubler(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 1) return 2 * static_cast<LRESULT>(wParam);
  auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  return CallWindowProcA(old, hwnd, message, wParam, lParam);
}

TEST_F(WindowTest, SubclassingReplacesTheProcedure) {
  HWND w = MakeRecorder(WS_POPUP, 0, 0);
  LONG_PTR old = SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Doubler));
  ASSERT_NE(old, 0);
  SetWindowLongPtrA(w, GWLP_USERDATA, old);
  EXPECT_EQ(SendMessageA(w, WM_USER + 1, 21, 0), 42);
  Log().clear();
  SendMessageA(w, WM_USER + 2, 0, 0);
  EXPECT_EQ(Messages(w), std::vector<UINT>{WM_USER + 2});  // passed on to the original
  DestroyWindow(w);
}

TEST_F(WindowTest, TextTravelsThroughMessages) {
  HWND w = MakeRecorder(WS_POPUP, 0, 0, "Hallo Welt");
  char buf[6];
  EXPECT_EQ(GetWindowTextA(w, buf, sizeof buf), 5);
  EXPECT_STREQ(buf, "Hallo");
  EXPECT_EQ(GetWindowTextLengthA(w), 10);
  Log().clear();
  SetWindowTextA(w, "Neu");
  EXPECT_EQ(Messages(w, {WM_SETTEXT}), std::vector<UINT>{WM_SETTEXT});
  char all[32];
  GetWindowTextA(w, all, sizeof all);
  EXPECT_STREQ(all, "Neu");
  EXPECT_EQ(GetWindowTextA(w, all, 0), 0);
  DestroyWindow(w);
}

TEST_F(WindowTest, GeometryOfFramesAndChildren) {
  HWND top = MakeRecorder(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, "T", 100, 50, 300, 200);
  HWND child = MakeRecorder(WS_CHILD | WS_BORDER | WS_VISIBLE, top, 3, "", 10, 20, 40, 30);
  RECT wr, cr;
  GetWindowRect(top, &wr);
  EXPECT_EQ(wr.left, 100);
  EXPECT_EQ(wr.right, 400);
  GetClientRect(top, &cr);
  int frame = GetSystemMetrics(SM_CXDLGFRAME);
  EXPECT_EQ(cr.right, 300 - 2 * frame);
  EXPECT_EQ(cr.bottom, 200 - 2 * frame - GetSystemMetrics(SM_CYCAPTION));
  RECT adjusted{0, 0, cr.right, cr.bottom};
  AdjustWindowRectEx(&adjusted, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, 0);
  EXPECT_EQ(adjusted.right - adjusted.left, 300);
  EXPECT_EQ(adjusted.bottom - adjusted.top, 200);
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 100 + frame + 10 + 1);
  EXPECT_EQ(p.y, 50 + frame + GetSystemMetrics(SM_CYCAPTION) + 20 + 1);
  POINT q{0, 0};
  MapWindowPoints(child, top, &q, 1);
  EXPECT_EQ(q.x, 11);
  EXPECT_EQ(q.y, 21);
  EXPECT_EQ(WindowFromPoint(p), child);
  Log().clear();
  MoveWindow(child, 30, 40, 60, 50, TRUE);
  EXPECT_EQ(Messages(child, {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}),
            (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}));
  GetClientRect(child, &cr);
  EXPECT_EQ(cr.right, 58);
  DestroyWindow(top);
}

TEST_F(WindowTest, ClassesAreFoundIgnoringCaseAndProtectedWhileUsed) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "MyClass";
  wc.hbrBackground = static_cast<HBRUSH>(15 + 1);
  wc.cbClsExtra = 4;
  ASSERT_TRUE(RegisterClassExA(&wc));
  EXPECT_FALSE(RegisterClassExA(&wc));  // twice for the same instance
  WNDCLASSA info{};
  ASSERT_TRUE(GetClassInfoA(0, "MYCLASS", &info));
  EXPECT_EQ(info.hbrBackground, static_cast<HBRUSH>(16));
  HWND w = CreateWindowA("myclass", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
  ASSERT_TRUE(w);
  EXPECT_EQ(GetClassLongA(w, GCL_HBRBACKGROUND), 16u);
  SetClassLongA(w, 0, 1234);
  EXPECT_EQ(GetClassLongA(w, 0), 1234u);
  EXPECT_EQ(GetClassLongA(w, 4), 0u);  // beyond the class extra bytes
  char name[4];
  EXPECT_EQ(GetClassNameA(w, name, sizeof name), 3);
  EXPECT_STREQ(name, "MyC");
  EXPECT_FALSE(UnregisterClassA("MyClass", 0));
  DestroyWindow(w);
  EXPECT_TRUE(UnregisterClassA("MyClass", 0));
  EXPECT_FALSE(CreateWindowA("MyClass", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr));
  EXPECT_TRUE(GetClassInfoA(0, "#32770", &info));
}

TEST_F(WindowTest, ChildWithoutParentFailsAndRelationsHold) {
  EXPECT_FALSE(MakeRecorder(WS_CHILD, 0, 1));
  HWND top = MakeRecorder(WS_POPUP, 0, 0, "Finder");
  HWND a = MakeRecorder(WS_CHILD, top, 1);
  HWND b = MakeRecorder(WS_CHILD, top, 2);
  EXPECT_EQ(GetWindow(top, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDPREV), a);
  EXPECT_TRUE(IsChild(top, b));
  EXPECT_FALSE(IsChild(a, b));
  EXPECT_EQ(FindWindowA("recorder", "Finder"), top);
  EXPECT_EQ(FindWindowA(nullptr, "nobody"), 0u);
  int count = 0;
  EnumChildWindows(top, [](HWND, LPARAM p) -> BOOL { ++*reinterpret_cast<int*>(p); return TRUE; },
                   reinterpret_cast<LPARAM>(&count));
  EXPECT_EQ(count, 2);
  EXPECT_FALSE(IsWindowVisible(a));
  ShowWindow(top, SW_SHOW);
  ShowWindow(a, SW_SHOW);
  EXPECT_TRUE(IsWindowVisible(a));
  Log().clear();
  EXPECT_FALSE(EnableWindow(a, FALSE));
  EXPECT_EQ(Messages(a, {WM_ENABLE}), std::vector<UINT>{WM_ENABLE});
  EXPECT_FALSE(IsWindowEnabled(a));
  EXPECT_TRUE(EnableWindow(a, TRUE));
  DestroyWindow(top);
}

}  // namespace

namespace {

TEST_F(WindowTest, ScrollBarsClampAndAnswerClicks) {
  HWND w = MakeRecorder(WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, "", 0, 0, 200, 200);
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 200 - GetSystemMetrics(SM_CXVSCROLL));
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 500, 0};
  EXPECT_EQ(SetScrollInfo(w, SB_VERT, &si, TRUE), 90);  // max - page + 1
  EXPECT_EQ(SetScrollPos(w, SB_VERT, -5, TRUE), 90);
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 0);
  Log().clear();
  int bar = client.right + 5;
  EXPECT_TRUE(lv::ClickAt(w, bar, client.bottom - 3));  // lower arrow
  EXPECT_TRUE(lv::ClickAt(w, bar, client.bottom / 2));  // below the thumb
  std::vector<WPARAM> codes;
  for (auto& s : Log())
    if (s.message == WM_VSCROLL) codes.push_back(LOWORD(s.wParam));
  EXPECT_EQ(codes, (std::vector<WPARAM>{SB_LINEDOWN, SB_ENDSCROLL, SB_PAGEDOWN, SB_ENDSCROLL}));
  DestroyWindow(w);
}

}  // namespace
