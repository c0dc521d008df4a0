// Dialogs loaded from the program's compiled resources (both template forms).
#include <gtest/gtest.h>

#include "step_agent.h"

namespace {

const int kPlain = 200, kExtended = 201, kValue = 300;

INT_PTR CALLBACK ValueProc(HWND dlg, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    BOOL ok = FALSE;
    UINT v = GetDlgItemInt(dlg, kValue, &ok, FALSE);
    EndDialog(dlg, ok ? static_cast<INT_PTR>(v) : -2);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    EndDialog(dlg, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

class ResourceDialogTest : public ::testing::TestWithParam<int> {};

TEST_P(ResourceDialogTest, LoadsTypesAndEnds) {
  WNDCLASSA wc{};
  if (!GetClassInfoA(0, "Edit", &wc)) GTEST_SKIP() << "no standard controls";
  std::string caption;
  lvtest::StepAgent agent({[&](HWND d) {
    caption = lvtest::WindowText(d);
    EXPECT_TRUE(lv::TypeText(lv::FindControl(d, kValue), "77"));
    EXPECT_TRUE(lv::PressKey(d, VK_RETURN));
  }});
  EXPECT_EQ(DialogBoxParamA(0, MAKEINTRESOURCEA(GetParam()), 0, ValueProc, 0), 77);
  EXPECT_EQ(caption, GetParam() == kPlain ? "Gr\xF6\xDF" "e" : "Erweitert");
}

INSTANTIATE_TEST_SUITE_P(BothForms, ResourceDialogTest, ::testing::Values(kPlain, kExtended));

TEST(ResourceDialog, CentredDialogSitsInTheMiddleOfTheScreen) {
  WNDCLASSA wc{};
  if (!GetClassInfoA(0, "Edit", &wc)) GTEST_SKIP() << "no standard controls";
  RECT r{};
  lvtest::StepAgent agent({[&](HWND d) {
    GetWindowRect(d, &r);
    EndDialog(d, 0);
  }});
  DialogBoxParamA(0, MAKEINTRESOURCEA(kExtended), 0, ValueProc, 0);
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

}  // namespace
