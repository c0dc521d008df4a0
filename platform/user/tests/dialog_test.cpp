// Dialogs from in-memory templates driven by a scripted agent.
#include <gtest/gtest.h>
#include <win/lvsurface.h>

#include <cstdio>
#include <filesystem>

#include "recorder.h"
#include "step_agent.h"
#include "testsupport.h"

// Surfaces come from the graphics part; a build without it has none.
#pragma weak lvSurfaceCreate

using usertest::Log;
using usertest::TemplateBuilder;

namespace {

const WORD kFirst = 100, kSkipped = 101, kLast = 102;

struct DialogRun {
  std::vector<UINT> messages;
  WPARAM initFocus = 0;
  LPARAM initParam = 0;
  bool initResult = true;
  bool endOnCancel = true;
  std::vector<int> commands;
};
DialogRun* g_run = nullptr;

INT_PTR CALLBACK TestDlgProc(HWND dlg, UINT message, WPARAM wParam, LPARAM lParam) {
  g_run->messages.push_back(message);
  switch (message) {
    case WM_INITDIALOG:
      g_run->initFocus = wParam;
      g_run->initParam = lParam;
      return g_run->initResult;
    case WM_COMMAND:
      g_run->commands.push_back(LOWORD(wParam));
      if (LOWORD(wParam) == IDOK) EndDialog(dlg, 42);
      if (LOWORD(wParam) == IDCANCEL && g_run->endOnCancel) EndDialog(dlg, IDCANCEL);
      return TRUE;
    case WM_USER + 5:
      SetWindowLongPtrA(dlg, DWLP_MSGRESULT, 1234);
      return TRUE;
    case WM_CTLCOLORDLG: return 0;
    default: return FALSE;
  }
}

TemplateBuilder ThreeControls() {
  TemplateBuilder t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 10, 10, 160, 90, "Testdialog",
                    "MS Sans Serif", 8);
  t.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP, 7, 7, 50, 14, kFirst, "Recorder", "&Erste")
      .Item(WS_CHILD | WS_VISIBLE, 7, 27, 50, 14, kSkipped, "Recorder", "Zweite")
      .Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP, 7, 47, 50, 14, kLast, "recorder", "&Letzte");
  return t;
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    usertest::RecorderClass();
    Log().clear();
    g_run = &run;
    lv::ClearRecords();
  }
  void TearDown() override { g_run = nullptr; }
  INT_PTR Run(TemplateBuilder& t, HWND owner = 0) {
    return DialogBoxIndirectParamA(0, t.Get(), owner, TestDlgProc, 77);
  }
  DialogRun run;
};

TEST_F(DialogTest, InitDialogFocusesTheFirstTabStopAndTabCycles) {
  std::vector<int> focusIds;
  auto note = [&](HWND) { focusIds.push_back(GetDlgCtrlID(GetFocus())); };
  lvtest::StepAgent agent({note,
                           [&](HWND d) {
                             lv::PressKey(d, VK_TAB);
                             note(d);
                           },
                           [&](HWND d) {
                             lv::PressKey(d, VK_TAB);
                             note(d);
                           },
                           [&](HWND d) {
                             lv::PressKeyWith(d, VK_TAB, true, false, false);
                             note(d);
                           },
                           [&](HWND d) { lv::PressKey(d, VK_RETURN); }});
  auto t = ThreeControls();
  EXPECT_EQ(Run(t), 42);
  EXPECT_EQ(focusIds, (std::vector<int>{kFirst, kLast, kFirst, kLast}));
  EXPECT_EQ(run.initParam, 77);
  EXPECT_NE(run.initFocus, 0u);
  EXPECT_EQ(run.commands, std::vector<int>{IDOK});
  EXPECT_TRUE(lv::AbandonedDialogs().empty());
}

TEST_F(DialogTest, EscapeCancelsAndInitDialogFalseLeavesFocusAlone) {
  run.initResult = false;
  HWND focusAtStart = 1;
  lvtest::StepAgent agent({[&](HWND d) {
    focusAtStart = GetFocus();
    lv::PressKey(d, VK_ESCAPE);
  }});
  auto t = ThreeControls();
  EXPECT_EQ(Run(t), IDCANCEL);
  EXPECT_NE(GetDlgCtrlID(focusAtStart), kFirst);
}

TEST_F(DialogTest, WithoutAnAgentTheDialogEndsAsCancelledOrWithMinusOne) {
  auto t = ThreeControls();
  EXPECT_EQ(Run(t), IDCANCEL);
  run.endOnCancel = false;
  auto t2 = ThreeControls();
  EXPECT_EQ(Run(t2), -1);
  // An agent with nothing to do is recorded as having given up.
  lvtest::StepAgent idle({});
  auto t3 = ThreeControls();
  EXPECT_EQ(Run(t3), -1);
  ASSERT_EQ(lv::AbandonedDialogs().size(), 1u);
  EXPECT_EQ(lv::AbandonedDialogs()[0], "Testdialog");
}

TEST_F(DialogTest, OwnerIsDisabledWhileModalAndEnabledAfter) {
  HWND owner = usertest::MakeRecorder(WS_POPUP | WS_VISIBLE, 0, 0, "Owner", 0, 0, 500, 400);
  bool ownerEnabledDuring = true;
  HWND activeDuring = 0;
  lvtest::StepAgent agent({[&](HWND d) {
    ownerEnabledDuring = IsWindowEnabled(owner);
    activeDuring = GetActiveWindow();
    EXPECT_EQ(activeDuring, d);
    EXPECT_FALSE(lv::Click(owner));  // input to the disabled owner is refused
    EndDialog(d, 5);
  }});
  auto t = ThreeControls();
  EXPECT_EQ(Run(t, owner), 5);
  EXPECT_FALSE(ownerEnabledDuring);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
  DestroyWindow(owner);
}

TEST_F(DialogTest, MessageResultAndDefaultIdAndItemHelpers) {
  auto t = ThreeControls();
  HWND dlg = CreateDialogIndirectParamA(0, t.Get(), 0, TestDlgProc, 0);
  ASSERT_TRUE(dlg);
  EXPECT_EQ(SendMessageA(dlg, WM_USER + 5, 0, 0), 1234);
  EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), 0);
  SendMessageA(dlg, DM_SETDEFID, kLast, 0);
  EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(kLast, DC_HASDEFID));
  EXPECT_EQ(GetNextDlgTabItem(dlg, GetDlgItem(dlg, kLast), FALSE), GetDlgItem(dlg, kFirst));
  EXPECT_EQ(GetNextDlgTabItem(dlg, 0, TRUE), GetDlgItem(dlg, kLast));
  EXPECT_EQ(lv::FindControlByText(dlg, "Letzte"), GetDlgItem(dlg, kLast));
  EXPECT_EQ(lv::FindControl(dlg, kSkipped), GetDlgItem(dlg, kSkipped));
  SetDlgItemInt(dlg, kFirst, static_cast<UINT>(-5), TRUE);
  char buf[16];
  EXPECT_EQ(GetDlgItemTextA(dlg, kFirst, buf, sizeof buf), 2u);
  EXPECT_STREQ(buf, "-5");
  // Control positions follow the dialog units of the template font.
  // Position and size are mapped separately: {x, y, cx, cy}.
  RECT units{7, 47, 50, 14};
  ASSERT_TRUE(MapDialogRect(dlg, &units));
  RECT actual;
  GetWindowRect(GetDlgItem(dlg, kLast), &actual);
  MapWindowPoints(0, dlg, reinterpret_cast<POINT*>(&actual), 2);
  EXPECT_EQ(actual.left, units.left);
  EXPECT_EQ(actual.top, units.top);
  EXPECT_EQ(actual.right - actual.left, units.right);
  EXPECT_EQ(actual.bottom - actual.top, units.bottom);
  DestroyWindow(dlg);
}

TEST_F(DialogTest, GetDlgItemIntReadsNumbersStrictly) {
  auto t = ThreeControls();
  HWND dlg = CreateDialogIndirectParamA(0, t.Get(), 0, TestDlgProc, 0);
  ASSERT_TRUE(dlg);
  struct Case {
    const char* text;
    bool isSigned;
    bool ok;
    UINT value;
  };
  const Case cases[] = {
      {"42", false, true, 42},
      {"   -17", true, true, static_cast<UINT>(-17)},
      {"-17", false, false, 0},
      {"12a", false, false, 0},
      {"", false, false, 0},
      {"  7  ", false, true, 7},
      {"4294967295", false, true, 4294967295u},
      {"4294967296", false, false, 0},
      {"2147483647", true, true, 2147483647u},
      {"2147483648", true, false, 0},
      {"-2147483648", true, true, 0x80000000u},
      {"99999999999999999999999", false, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SetDlgItemTextA(dlg, kFirst, c.text);
    BOOL ok = 2;
    EXPECT_EQ(GetDlgItemInt(dlg, kFirst, &ok, c.isSigned), c.value);
    EXPECT_EQ(ok, c.ok ? TRUE : FALSE);
  }
  BOOL ok = TRUE;
  EXPECT_EQ(GetDlgItemInt(dlg, 999, &ok, FALSE), 0u);
  EXPECT_FALSE(ok);
  DestroyWindow(dlg);
}

TEST_F(DialogTest, BrokenTemplatesAndMissingResourcesFailCleanly) {
  EXPECT_EQ(DialogBoxParamA(0, MAKEINTRESOURCEA(4711), 0, TestDlgProc, 0), -1);
  auto t = ThreeControls();
  const DLGTEMPLATE* good = t.Get();
  // A control of an unknown class makes creation fail.
  TemplateBuilder bad(WS_POPUP, 0, 0, 50, 50, "x");
  bad.Item(WS_CHILD, 0, 0, 10, 10, 1, "NoSuchClass", "");
  EXPECT_EQ(DialogBoxIndirectParamA(0, bad.Get(), 0, TestDlgProc, 0), -1);
  EXPECT_TRUE(good);
}

TEST_F(DialogTest, ScreenshotOfADialogIsWritten) {
  auto path = lvtest::Prefix() / "dialog.png";
  bool written = false;
  lvtest::StepAgent agent({[&](HWND d) {
    written = lv::Screenshot(d, path.string());
    EndDialog(d, 1);
  }});
  auto t = ThreeControls();
  EXPECT_EQ(Run(t), 1);
  if (!written && !lvSurfaceCreate) GTEST_SKIP() << "no surfaces in this build";
  ASSERT_TRUE(written);
  EXPECT_GT(std::filesystem::file_size(path), 100u);
}

}  // namespace
