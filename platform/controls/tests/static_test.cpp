// Static controls: notifications, images and text.
#include "ctltest.h"
#include "step_agent.h"

namespace {

using ctltest::ControlTest;
using lvtest::WindowText;

TEST_F(ControlTest, StaticNotifiesOnlyWithSsNotify) {
  HWND quiet = Child("Static", "Text", SS_LEFT, 200, 10, 10);
  HWND notifying = Child("Static", "Link", SS_LEFT | SS_NOTIFY, 201, 10, 40);
  SendMessageA(quiet, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageA(notifying, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(Count(200, STN_CLICKED), 0);
  EXPECT_EQ(Count(201, STN_CLICKED), 1);
  EXPECT_EQ(SendMessageA(quiet, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
  SetWindowTextA(quiet, "Neu");
  EXPECT_EQ(WindowText(quiet), "Neu");
}

TEST_F(ControlTest, BitmapStaticTakesOnlyBitmapsAndSizesToThem) {
  HWND picture = Child("Static", "", SS_BITMAP, 202, 10, 10, 5, 5);
  HWND label = Child("Static", "", SS_LEFT, 203, 10, 60);
  HBITMAP bitmap = CreateBitmap(32, 24, 1, 32, nullptr);
  ASSERT_NE(bitmap, 0u);
  EXPECT_EQ(SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(bitmap)), 0);
  EXPECT_EQ(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), static_cast<LRESULT>(bitmap));
  EXPECT_EQ(SendMessageA(picture, STM_GETIMAGE, IMAGE_ICON, 0), 0) << "wrong image type";
  RECT rc{};
  GetClientRect(picture, &rc);
  EXPECT_EQ(rc.right, 32);
  EXPECT_EQ(rc.bottom, 24);
  EXPECT_EQ(SendMessageA(label, STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(bitmap)), 0);
  EXPECT_EQ(SendMessageA(label, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "a text static holds no bitmap";
  DestroyWindow(picture);
  DeleteObject(bitmap);
}

}  // namespace

namespace {

TEST_F(ControlTest, BitmapStaticLoadsItsResourceAtCreation) {
  HWND picture = CreateWindowExA(0, "Static", "#7", WS_CHILD | WS_VISIBLE | SS_BITMAP, 5, 5, 50, 50, parent_,
                                 static_cast<HMENU>(204), GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(picture, 0u);
  const HANDLE image = static_cast<HANDLE>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_NE(image, 0u) << "bitmap 7 of the test program";
  RECT rc{};
  GetClientRect(picture, &rc);
  EXPECT_EQ(rc.right, 2);
  EXPECT_EQ(rc.bottom, 3);
}

}  // namespace
