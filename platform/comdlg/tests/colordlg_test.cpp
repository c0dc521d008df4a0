// The colour dialog driven by a user agent: typed and clicked colours,
// custom colours, the hook and the errors.
#include <colordlg.h>
#include <commdlg.h>
#include <gtest/gtest.h>
#include <useragent.h>
#include <windows.h>

#include <functional>

#include "step_agent.h"

namespace {

class ColorDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cc_.lStructSize = sizeof cc_;
    cc_.lpCustColors = custom_;
    for (int i = 0; i < 16; ++i) custom_[i] = RGB(255, 255, 255);
  }

  // Shows the dialog and runs `act` once in it; when `act` has not ended
  // the dialog, it ends as Escape would.
  BOOL Run(std::function<bool(HWND)> act) {
    lvtest::StepAgent agent({[&act](HWND dialog) { act(dialog); }});
    return ChooseColorA(&cc_);
  }

  CHOOSECOLORA cc_{};
  COLORREF custom_[16];
};

bool TypeRgb(HWND dlg, const char* r, const char* g, const char* b) {
  return lv::ReplaceText(lv::FindControl(dlg, COLOR_RED), r) && lv::ReplaceText(lv::FindControl(dlg, COLOR_GREEN), g) &&
         lv::ReplaceText(lv::FindControl(dlg, COLOR_BLUE), b);
}

// Client point in the middle of swatch `index` of an eight-column grid.
POINT SwatchCenter(HWND grid, int index, int rows) {
  RECT rc{};
  GetClientRect(grid, &rc);
  const int column = index % 8, row = index / 8;
  return POINT{(2 * column + 1) * rc.right / 16, (2 * row + 1) * rc.bottom / (2 * rows)};
}

TEST_F(ColorDialogTest, TypedColourIsReturnedByOk) {
  const BOOL ok = Run([](HWND dlg) {
    EXPECT_EQ(lvtest::WindowText(dlg), "Farbe");
    EXPECT_TRUE(TypeRgb(dlg, "12", "34", "56"));
    return lv::Click(lv::FindControl(dlg, IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(cc_.rgbResult, RGB(12, 34, 56));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(ColorDialogTest, ComponentsAboveTheMaximumAreCut) {
  const BOOL ok = Run([](HWND dlg) {
    EXPECT_TRUE(TypeRgb(dlg, "300", "0", "999"));
    BOOL translated = FALSE;
    EXPECT_EQ(GetDlgItemInt(dlg, COLOR_RED, &translated, FALSE), 255u);
    return lv::Click(lv::FindControl(dlg, IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(cc_.rgbResult, RGB(255, 0, 255));
}

TEST_F(ColorDialogTest, CancelAndGivingUpReturnFalseWithoutError) {
  cc_.rgbResult = RGB(1, 2, 3);
  EXPECT_FALSE(Run([](HWND dlg) {
    TypeRgb(dlg, "9", "9", "9");
    return lv::Click(lv::FindControl(dlg, IDCANCEL));
  }));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(cc_.rgbResult, RGB(1, 2, 3));
  EXPECT_FALSE(Run([](HWND) { return false; }));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(ColorDialogTest, ClickedBasicSwatchIsChosen) {
  const BOOL ok = Run([](HWND dlg) {
    HWND grid = lv::FindControl(dlg, COLOR_BOX1);
    const POINT pt = SwatchCenter(grid, 8, 6);  // second row, first column: pure red
    EXPECT_TRUE(lv::ClickAt(grid, pt.x, pt.y));
    BOOL translated = FALSE;
    EXPECT_EQ(GetDlgItemInt(dlg, COLOR_RED, &translated, FALSE), 255u);
    EXPECT_EQ(GetDlgItemInt(dlg, COLOR_HUE, &translated, FALSE), 0u);
    EXPECT_EQ(GetDlgItemInt(dlg, COLOR_SAT, &translated, FALSE), 240u);
    EXPECT_EQ(GetDlgItemInt(dlg, COLOR_LUM, &translated, FALSE), 120u);
    return lv::Click(lv::FindControl(dlg, IDOK));
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(cc_.rgbResult, RGB(255, 0, 0));
}

TEST_F(ColorDialogTest, AddedCustomColourIsStoredOnOkOnly) {
  cc_.Flags = CC_FULLOPEN;
  auto addToThirdBox = [](HWND dlg) {
    HWND grid = lv::FindControl(dlg, COLOR_CUSTOM1);
    const POINT pt = SwatchCenter(grid, 3, 2);
    EXPECT_TRUE(lv::ClickAt(grid, pt.x, pt.y));
    EXPECT_TRUE(TypeRgb(dlg, "10", "20", "30"));
    EXPECT_TRUE(lv::Click(lv::FindControl(dlg, COLOR_ADD)));
  };
  EXPECT_FALSE(Run([&](HWND dlg) {
    addToThirdBox(dlg);
    return lv::Click(lv::FindControl(dlg, IDCANCEL));
  }));
  EXPECT_EQ(custom_[3], RGB(255, 255, 255)) << "Cancel leaves the caller's custom colours";
  EXPECT_TRUE(Run([&](HWND dlg) {
    addToThirdBox(dlg);
    return lv::Click(lv::FindControl(dlg, IDOK));
  }));
  EXPECT_EQ(custom_[3], RGB(10, 20, 30));
  EXPECT_EQ(custom_[2], RGB(255, 255, 255));
  EXPECT_EQ(custom_[4], RGB(255, 255, 255));
}

TEST_F(ColorDialogTest, RgbInitShowsTheStartColour) {
  cc_.Flags = CC_RGBINIT;
  cc_.rgbResult = RGB(200, 100, 50);
  EXPECT_TRUE(Run([](HWND dlg) {
    BOOL translated = FALSE;
    EXPECT_EQ(GetDlgItemInt(dlg, COLOR_RED, &translated, FALSE), 200u);
    EXPECT_EQ(GetDlgItemInt(dlg, COLOR_GREEN, &translated, FALSE), 100u);
    EXPECT_EQ(GetDlgItemInt(dlg, COLOR_BLUE, &translated, FALSE), 50u);
    return lv::Click(lv::FindControl(dlg, IDOK));
  }));
  EXPECT_EQ(cc_.rgbResult, RGB(200, 100, 50));
  cc_.Flags = 0;
  EXPECT_TRUE(Run([](HWND dlg) { return lv::Click(lv::FindControl(dlg, IDOK)); }));
  EXPECT_EQ(cc_.rgbResult, RGB(0, 0, 0)) << "without CC_RGBINIT the dialog starts at black";
}

TEST_F(ColorDialogTest, HlsEditsSetTheColour) {
  cc_.Flags = CC_FULLOPEN;
  EXPECT_TRUE(Run([](HWND dlg) {
    EXPECT_TRUE(lv::ReplaceText(lv::FindControl(dlg, COLOR_HUE), "80"));
    EXPECT_TRUE(lv::ReplaceText(lv::FindControl(dlg, COLOR_SAT), "240"));
    EXPECT_TRUE(lv::ReplaceText(lv::FindControl(dlg, COLOR_LUM), "120"));
    return lv::Click(lv::FindControl(dlg, IDOK));
  }));
  EXPECT_EQ(cc_.rgbResult, RGB(0, 255, 0));
}

TEST_F(ColorDialogTest, FlagsShowAndDisableButtons) {
  cc_.Flags = CC_PREVENTFULLOPEN | CC_SHOWHELP;
  Run([](HWND dlg) {
    EXPECT_FALSE(IsWindowEnabled(lv::FindControl(dlg, COLOR_MIX)));
    EXPECT_TRUE(IsWindowVisible(lv::FindControl(dlg, pshHelp)));
    EXPECT_NE(lv::FindControlByText(dlg, "Farben hinzuf\xfcgen"), 0u);
    return false;
  });
  cc_.Flags = 0;
  Run([](HWND dlg) {
    EXPECT_TRUE(IsWindowEnabled(lv::FindControl(dlg, COLOR_MIX)));
    EXPECT_FALSE(IsWindowVisible(lv::FindControl(dlg, pshHelp)));
    RECT small{};
    GetWindowRect(dlg, &small);
    EXPECT_TRUE(lv::Click(lv::FindControl(dlg, COLOR_MIX)));
    RECT full{};
    GetWindowRect(dlg, &full);
    EXPECT_GT(full.right - full.left, small.right - small.left) << "the mixer opens";
    EXPECT_FALSE(IsWindowEnabled(lv::FindControl(dlg, COLOR_MIX)));
    return false;
  });
}

// The hook's record of what it saw.
struct HookLog {
  LPARAM initParam = 0;
  int okCommandsSeen = 0;
  bool blockOk = false;
};
HookLog* g_hookLog = nullptr;

UINT_PTR CALLBACK RecordingHook(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) g_hookLog->initParam = lParam;
  if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
    ++g_hookLog->okCommandsSeen;
    return g_hookLog->blockOk ? TRUE : FALSE;
  }
  return FALSE;
}

TEST_F(ColorDialogTest, HookSeesInitDialogAndMessagesFirst) {
  HookLog log;
  g_hookLog = &log;
  cc_.Flags = CC_ENABLEHOOK;
  cc_.lpfnHook = RecordingHook;
  cc_.lCustData = 0x1234;
  EXPECT_TRUE(Run([](HWND dlg) { return lv::Click(lv::FindControl(dlg, IDOK)); }));
  EXPECT_EQ(log.initParam, reinterpret_cast<LPARAM>(&cc_));
  EXPECT_EQ(reinterpret_cast<CHOOSECOLORA*>(log.initParam)->lCustData, 0x1234);
  EXPECT_EQ(log.okCommandsSeen, 1);
  log.blockOk = true;
  EXPECT_FALSE(Run([](HWND dlg) { return lv::Click(lv::FindControl(dlg, IDOK)); }))
      << "a hook that handles IDOK keeps the dialog open";
  EXPECT_EQ(log.okCommandsSeen, 2);
  g_hookLog = nullptr;
}

TEST(ChooseColorErrors, BadStructuresAreRefused) {
  COLORREF custom[16] = {};
  const struct {
    const char* name;
    DWORD size;
    DWORD flags;
    bool withCustom;
    DWORD error;
  } cases[] = {
      {"wrong size", 12, 0, true, CDERR_STRUCTSIZE},
      {"hook flag without hook", sizeof(CHOOSECOLORA), CC_ENABLEHOOK, true, CDERR_NOHOOK},
      {"no custom colours", sizeof(CHOOSECOLORA), 0, false, CDERR_INITIALIZATION},
      {"template without name", sizeof(CHOOSECOLORA), CC_ENABLETEMPLATE, true, CDERR_NOTEMPLATE},
  };
  for (const auto& c : cases) {
    CHOOSECOLORA cc{};
    cc.lStructSize = c.size;
    cc.Flags = c.flags;
    cc.lpCustColors = c.withCustom ? custom : nullptr;
    EXPECT_FALSE(ChooseColorA(&cc)) << c.name;
    EXPECT_EQ(CommDlgExtendedError(), c.error) << c.name;
  }
  CHOOSECOLORA missing{};
  missing.lStructSize = sizeof missing;
  missing.lpCustColors = custom;
  missing.Flags = CC_ENABLETEMPLATE;
  missing.hInstance = static_cast<HWND>(GetModuleHandleA(nullptr));
  missing.lpTemplateName = "NO_SUCH_TEMPLATE";
  EXPECT_FALSE(ChooseColorA(&missing));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_FINDRESFAILURE));
  EXPECT_FALSE(ChooseColorA(nullptr));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_INITIALIZATION));
}

}  // namespace
