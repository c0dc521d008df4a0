// Dialogs with the standard controls: typing, default button, clicks,
// mnemonics, and a screenshot showing them.
#include <gtest/gtest.h>

#include <filesystem>

#include "recorder.h"
#include "step_agent.h"
#include "testsupport.h"

using usertest::TemplateBuilder;

namespace {

const WORD kRows = 100, kCheck = 101;
const WORD kButtonClass = 0x80, kEditClass = 0x81, kStaticClass = 0x82;

int g_rowsAtOk = -1;
bool g_checkedAtOk = false;

INT_PTR CALLBACK RowsProc(HWND dlg, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SetDlgItemInt(dlg, kRows, 3, FALSE);
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    BOOL ok = FALSE;
    g_rowsAtOk = static_cast<int>(GetDlgItemInt(dlg, kRows, &ok, FALSE));
    if (!ok) g_rowsAtOk = -2;
    g_checkedAtOk = IsDlgButtonChecked(dlg, kCheck) == BST_CHECKED;
    EndDialog(dlg, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

TemplateBuilder RowsDialog() {
  TemplateBuilder t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 150, 80, "Raster",
                    "MS Sans Serif", 8);
  t.ItemWithClassOrdinal(WS_CHILD | WS_VISIBLE | SS_LEFT, 7, 9, 40, 8, 0xFFFF, kStaticClass, "&Zeilen:")
      .ItemWithClassOrdinal(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 50, 7, 40, 12, kRows,
                            kEditClass, "")
      .ItemWithClassOrdinal(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 7, 26, 80, 10, kCheck,
                            kButtonClass, "&Rahmen")
      .ItemWithClassOrdinal(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 20, 58, 50, 14, IDOK,
                            kButtonClass, "OK")
      .ItemWithClassOrdinal(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 80, 58, 50, 14, IDCANCEL,
                            kButtonClass, "Abbrechen");
  return t;
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_rowsAtOk = -1;
    g_checkedAtOk = false;
    WNDCLASSA wc{};
    if (!GetClassInfoA(0, "Button", &wc) || !GetClassInfoA(0, "Edit", &wc)) GTEST_SKIP() << "no standard controls";
  }
  INT_PTR Run() {
    auto t = RowsDialog();
    return DialogBoxIndirectParamA(0, t.Get(), 0, RowsProc, 0);
  }
};

TEST_F(ControlsTest, TypedValueAndEnterReachTheDialog) {
  lvtest::StepAgent agent({[](HWND d) {
                             HWND edit = lv::FindControl(d, kRows);
                             EXPECT_EQ(GetFocus(), edit);  // first tab stop, text selected
                             EXPECT_TRUE(lv::ReplaceText(edit, "12"));
                             EXPECT_TRUE(lv::Click(lv::FindControlByText(d, "Rahmen")));
                           },
                           [](HWND d) { EXPECT_TRUE(lv::PressKey(d, VK_RETURN)); }});
  EXPECT_EQ(Run(), IDOK);
  EXPECT_EQ(g_rowsAtOk, 12);
  EXPECT_TRUE(g_checkedAtOk);
}

TEST_F(ControlsTest, ClickingCancelAndEscapeEndTheDialog) {
  lvtest::StepAgent agent(
      {[](HWND d) { EXPECT_TRUE(lv::Click(lv::FindControlByText(d, "Abbrechen"))); }});
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(g_rowsAtOk, 3);
  lvtest::StepAgent escape({[](HWND d) { lv::PressKey(d, VK_ESCAPE); }});
  EXPECT_EQ(Run(), IDCANCEL);
}

TEST_F(ControlsTest, TabAndMnemonicsMoveTheFocus) {
  std::vector<int> ids;
  lvtest::StepAgent agent(
      {[&](HWND d) {
         lv::PressKey(d, VK_TAB);
         ids.push_back(GetDlgCtrlID(GetFocus()));
         lv::PressKey(d, VK_TAB);
         ids.push_back(GetDlgCtrlID(GetFocus()));
         lv::PressKeyWith(d, 'Z', false, false, true);  // Alt+Z: the label's edit
         ids.push_back(GetDlgCtrlID(GetFocus()));
         lv::PressKeyWith(d, 'R', false, false, true);  // Alt+R: toggles the check box
       },
       [](HWND d) { lv::PressKey(d, VK_RETURN); }});
  EXPECT_EQ(Run(), IDOK);
  EXPECT_EQ(ids, (std::vector<int>{kCheck, IDOK, kRows}));
  EXPECT_TRUE(g_checkedAtOk);
}

TEST_F(ControlsTest, ScreenshotShowsTheDialog) {
  auto path = lvtest::Prefix() / "raster.png";
  bool written = false;
  lvtest::StepAgent agent({[&](HWND d) {
    written = lv::Screenshot(d, path.string());
    EndDialog(d, 0);
  }});
  Run();
  ASSERT_TRUE(written);
  EXPECT_GT(std::filesystem::file_size(path), 200u);
}

}  // namespace
