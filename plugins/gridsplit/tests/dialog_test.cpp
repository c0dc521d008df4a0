// Dialog 202 driven by a user agent: set-up, validation order, messages,
// mode bits, help, the colour box and what reaches the host.
#include <gtest/gtest.h>

#include <colordlg.h>
#include <commctrl.h>
#include <hostcommon.h>
#include <imgcore.h>
#include <useragent.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "../params.h"
#include "module.h"
#include "step_agent.h"

namespace {

using gridsplit::GridParams;
using gridtest::Grid;
using gridtest::RecordingHost;
using lvtest::StepAgent;
using lvtest::WindowText;

const char kRangeMessage[] = "Der Wert mu\xdf innerhalb des Bereiches (1..99) liegen.";
const char kTooManyObjects[] =
    "Die Maximalanzahl erzeugter Objekte kann nicht 1000 \xfc"
    "bersteigen.  Bitte reduzieren Sie Ihren Reihen/Spaltenwert und versuchen es erneut.";
const char kCellsTooSmall[] =
    "Gitter und Aufteilung k\xf6nnen basierend auf den momentanen Einstellungen nicht erstellt "
    "werden. Zu viele Aufteilungs- oder Gitterlinien sind zu breit.";

HWND Control(HWND dialog, int id) { return lv::FindControl(dialog, id); }

// Types text into a field; text starting with '=' is set directly (as a
// paste would), past the field's text limit.
void Type(HWND dialog, int id, const std::string& text) {
  if (!text.empty() && text[0] == '=') {
    SetWindowTextA(Control(dialog, id), text.c_str() + 1);
  } else {
    lv::ReplaceText(Control(dialog, id), text);
  }
}

void ClickOk(HWND dialog) { lv::Click(Control(dialog, IDOK)); }
void ClickCancel(HWND dialog) { lv::Click(Control(dialog, IDCANCEL)); }

class GridDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Grid().module, 0u) << "gridsplit.tpi not loaded";
    c32ResetDLLErrInfo();
    lv::ClearRecords();
    source_ = lvtest::PatternImage(100, 60);
  }
  void TearDown() override {
    if (result_) buf32Free(result_);
    buf32Free(source_);
  }
  BOOL Run(LONG mode, GridParams* block) {
    return Grid().action(nullptr, 0, mode, 0, block, T32_DT_RGB, source_, 0, &result_,
                         host_.object());
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& shown : lv::MessageBoxesShown()) texts.push_back(shown.text);
    return texts;
  }

  HBUF source_ = 0;
  HBUF result_ = 0;
  RecordingHost host_;
};

TEST_F(GridDialogTest, SetUpShowsTheBlockAndModeOneStoresWithoutDrawing) {
  GridParams block = {4, 5, 3, RGB(10, 20, 30), 1, 0, 6, 5};
  StepAgent script({[](HWND dialog) {
    EXPECT_EQ(WindowText(dialog), "Gitter und Aufteilung");
    EXPECT_EQ(WindowText(Control(dialog, 71)), "4");
    EXPECT_EQ(WindowText(Control(dialog, 72)), "5");
    EXPECT_EQ(WindowText(Control(dialog, 73)), "3");
    for (int id : {71, 72, 73})
      EXPECT_EQ(SendMessageA(Control(dialog, id), EM_GETLIMITTEXT, 0, 0), 2);
    for (int id : {181, 182, 183})
      EXPECT_EQ(SendMessageA(Control(dialog, id), UDM_GETRANGE, 0, 0), MAKELONG(99, 1));
    EXPECT_EQ(LOWORD(SendMessageA(Control(dialog, 182), UDM_GETPOS, 0, 0)), 5);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 51), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 52), BST_UNCHECKED);
    HWND box = Control(dialog, 221);
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_EQ(static_cast<COLORREF>(GetWindowLongA(box, 0)), RGB(10, 20, 30));
    EXPECT_EQ(GetWindowLongA(box, 4), 0);
    EXPECT_TRUE(IsWindowEnabled(Control(dialog, 200)));
    Type(dialog, 71, "7");
    lv::Click(Control(dialog, 51));
    lv::Click(Control(dialog, 52));
    ClickOk(dialog);
  }});
  EXPECT_TRUE(Run(T32_MODE_EDIT, &block));
  const GridParams expected = {7, 5, 3, RGB(10, 20, 30), 0, 1, 4, 6};
  EXPECT_EQ(std::memcmp(&block, &expected, sizeof block), 0)
      << block.rows << " " << block.columns << " " << block.drawBorder << " "
      << block.cellsToObjects << " " << block.verticalLines << " " << block.horizontalLines;
  EXPECT_EQ(result_, 0u);
  EXPECT_EQ(host_.Find(T32_REQ_CELLS), nullptr);
  const gridtest::HostCall* opened = host_.Find(T32_REQ_DIALOG_NOTICE, 272);
  const gridtest::HostCall* closed = host_.Find(T32_REQ_DIALOG_NOTICE, 273);
  ASSERT_NE(opened, nullptr);
  ASSERT_NE(closed, nullptr);
  EXPECT_EQ(closed->value2, 1);
  EXPECT_EQ(opened->argument, closed->argument);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(GridDialogTest, OkInModeFourDrawsAfterTheDialogCloses) {
  GridParams block = {2, 2, 1, RGB(0, 255, 0), 0, 1, 1, 1};
  StepAgent script({ClickOk});
  EXPECT_TRUE(Run(T32_MODE_DIALOG, &block));
  ASSERT_NE(result_, 0u);
  const auto& calls = host_.calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[calls.size() - 2].code, T32_REQ_DIALOG_NOTICE);
  EXPECT_EQ(calls.back().code, T32_REQ_CELLS);
  EXPECT_EQ(calls.back().cellCount, 4);
}

struct RangeCase {
  const char* name;
  int field;
  const char* text;
};

class RangeMessageTest : public GridDialogTest, public testing::WithParamInterface<RangeCase> {};

TEST_P(RangeMessageTest, MessageThenFieldFocusedAndSelected) {
  GridParams block = {2, 2, 1, 0, 0, 0, 1, 1};
  const GridParams kept = block;
  const RangeCase c = GetParam();
  StepAgent script({[&](HWND dialog) {
                      Type(dialog, c.field, c.text);
                      ClickOk(dialog);
                    },
                    [&](HWND dialog) {
                      HWND field = Control(dialog, c.field);
                      EXPECT_EQ(GetFocus(), field);
                      DWORD start = 0, end = 0;
                      SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                   reinterpret_cast<LPARAM>(&end));
                      EXPECT_EQ(start, 0u);
                      EXPECT_EQ(end, static_cast<DWORD>(WindowText(field).size()));
                      ClickCancel(dialog);
                    }});
  c32SetDLLErrInfo(0, 1001, 0, 1, 1, 1);
  EXPECT_FALSE(Run(T32_MODE_DIALOG, &block));
  EXPECT_EQ(script.stepsRun(), 2u);
  EXPECT_EQ(Messages(), std::vector<std::string>{kRangeMessage});
  EXPECT_EQ(std::memcmp(&block, &kept, sizeof block), 0);
  EXPECT_EQ(result_, 0u);
  EXPECT_EQ(lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr), 0);  // cancel clears the slot
  const gridtest::HostCall* closed = host_.Find(T32_REQ_DIALOG_NOTICE, 273);
  ASSERT_NE(closed, nullptr);
  EXPECT_EQ(closed->value2, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, RangeMessageTest,
    testing::Values(RangeCase{"RowsZero", 71, "0"}, RangeCase{"RowsEmpty", 71, ""},
                    RangeCase{"ColumnsAbove", 72, "=100"}, RangeCase{"ColumnsWord", 72, "ab"},
                    RangeCase{"LineWidthZero", 73, "0"}, RangeCase{"LineWidthNegative", 73, "-1"},
                    RangeCase{"LineWidthHuge", 73, "=4294967297"}),
    [](const testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

TEST_F(GridDialogTest, RowsCheckedBeforeColumnsBeforeLineWidth) {
  GridParams block = {2, 2, 1, 0, 0, 0, 1, 1};
  std::vector<int> focused;
  auto fixAndRetry = [&](int id) {
    return [&, id](HWND dialog) {
      focused.push_back(GetDlgCtrlID(GetFocus()));
      Type(dialog, id, "3");
      ClickOk(dialog);
    };
  };
  StepAgent script({[](HWND dialog) {
                      Type(dialog, 73, "0");
                      Type(dialog, 72, "0");
                      Type(dialog, 71, "0");
                      ClickOk(dialog);
                    },
                    fixAndRetry(71), fixAndRetry(72), fixAndRetry(73)});
  EXPECT_TRUE(Run(T32_MODE_EDIT, &block));
  EXPECT_EQ(focused, (std::vector<int>{71, 72, 73}));
  EXPECT_EQ(Messages().size(), 3u);
  EXPECT_EQ(block.rows, 3);
  EXPECT_EQ(block.columns, 3);
  EXPECT_EQ(block.lineWidth, 3);
}

TEST_F(GridDialogTest, ThousandObjectsAcceptedMoreRefused) {
  buf32Free(source_);
  source_ = lvtest::PatternImage(200, 100);
  GridParams block = {2, 2, 1, 0, 0, 1, 1, 1};
  StepAgent script({[](HWND dialog) {
                      Type(dialog, 71, "21");
                      Type(dialog, 72, "50");
                      ClickOk(dialog);
                    },
                    [](HWND dialog) {
                      Type(dialog, 71, "20");
                      ClickOk(dialog);
                    }});
  EXPECT_TRUE(Run(T32_MODE_EDIT, &block));
  EXPECT_EQ(Messages(), std::vector<std::string>{kTooManyObjects});
  EXPECT_EQ(block.rows, 20);
  EXPECT_EQ(block.columns, 50);
}

TEST_F(GridDialogTest, TooManyObjectsOnlyWhenCellsBecomeObjects) {
  buf32Free(source_);
  source_ = lvtest::PatternImage(300, 300);
  GridParams block = {2, 2, 1, 0, 0, 0, 1, 1};
  StepAgent script({[](HWND dialog) {
    Type(dialog, 71, "99");
    Type(dialog, 72, "99");
    ClickOk(dialog);
  }});
  EXPECT_TRUE(Run(T32_MODE_EDIT, &block));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(block.verticalLines, 98);
}

TEST_F(GridDialogTest, LinesThatLeaveNoCellsAreRefused) {
  GridParams block = {2, 2, 1, 0, 0, 0, 1, 1};
  // 100 x 60 image: 20 rows with border and 2-pixel lines leave 60 - 42 = 18
  // rows of pixels for 20 rows of cells.
  StepAgent script({[](HWND dialog) {
                      Type(dialog, 71, "20");
                      Type(dialog, 73, "2");
                      lv::Click(Control(dialog, 51));
                      ClickOk(dialog);
                    },
                    [](HWND dialog) {
                      Type(dialog, 71, "19");  // 60 - 40 = 20 pixels for 19 rows
                      ClickOk(dialog);
                    }});
  EXPECT_TRUE(Run(T32_MODE_EDIT, &block));
  EXPECT_EQ(Messages(), std::vector<std::string>{kCellsTooSmall});
  EXPECT_EQ(block.rows, 19);
  EXPECT_EQ(block.horizontalLines, 20);
  EXPECT_EQ(block.drawBorder, 1);
}

struct ModeButtonCase {
  const char* name;
  LONG mode;
  int id;
  bool enabled;
  bool visible;
};

class ModeButtonTest : public GridDialogTest, public testing::WithParamInterface<ModeButtonCase> {};

TEST_P(ModeButtonTest, ModeBitsDisableOrHide) {
  GridParams block = {2, 2, 1, 0, 0, 0, 1, 1};
  const ModeButtonCase c = GetParam();
  StepAgent script({[&](HWND dialog) {
    HWND button = Control(dialog, c.id);
    EXPECT_EQ(IsWindowEnabled(button) != 0, c.enabled);
    EXPECT_EQ(IsWindowVisible(button) != 0, c.visible);
    ClickCancel(dialog);
  }});
  EXPECT_FALSE(Run(c.mode, &block));
  EXPECT_EQ(script.stepsRun(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, ModeButtonTest,
    testing::Values(ModeButtonCase{"HelpDisabled", 4 | 16, 200, false, true},
                    ModeButtonCase{"HelpHidden", 4 | 64, 200, true, false},
                    ModeButtonCase{"OkDisabled", 4 | 256, IDOK, false, true},
                    ModeButtonCase{"AddBitsIgnored", 4 | 8 | 32, 200, true, true}),
    [](const testing::TestParamInfo<ModeButtonCase>& info) { return std::string(info.param.name); });

TEST_F(GridDialogTest, HelpOpensDialogContext) {
  GridParams block = {2, 2, 1, 0, 0, 0, 1, 1};
  StepAgent script({[](HWND dialog) { lv::Click(Control(dialog, 200)); }, ClickCancel});
  EXPECT_FALSE(Run(T32_MODE_DIALOG, &block));
  ASSERT_EQ(lv::HelpRequests().size(), 1u);
  const lv::HelpRecord& help = lv::HelpRequests()[0];
  ASSERT_GT(help.file.size(), 11u);
  EXPECT_EQ(help.file.substr(help.file.size() - 11), "\\TPI1.HLP>d");
  EXPECT_EQ(help.command, static_cast<UINT>(HELP_CONTEXT));
  EXPECT_EQ(help.data, 202u);
}

TEST_F(GridDialogTest, ColourBoxOpensColourDialogAndKeepsChoice) {
  GridParams block = {2, 2, 1, RGB(1, 1, 1), 0, 0, 1, 1};
  StepAgent script({[](HWND dialog) { lv::Click(Control(dialog, 221)); },
                    [](HWND colour) {
                      Type(colour, COLOR_RED, "200");
                      Type(colour, COLOR_GREEN, "150");
                      Type(colour, COLOR_BLUE, "100");
                      ClickOk(colour);
                    },
                    [](HWND dialog) {
                      EXPECT_EQ(static_cast<COLORREF>(GetWindowLongA(Control(dialog, 221), 0)),
                                RGB(200, 150, 100));
                      ClickOk(dialog);
                    }});
  EXPECT_TRUE(Run(T32_MODE_EDIT, &block));
  EXPECT_EQ(script.stepsRun(), 3u);
  EXPECT_EQ(block.lineColour, RGB(200, 150, 100));
}

TEST_F(GridDialogTest, CancelKeepsBlockAndClearsSlot) {
  GridParams block = {3, 4, 5, RGB(1, 2, 3), 1, 1, 5, 4};
  const GridParams kept = block;
  StepAgent script({[](HWND dialog) {
    Type(dialog, 71, "9");
    ClickCancel(dialog);
  }});
  c32SetDLLErrInfo(0, 3200, 0, 1, 2, 3);
  EXPECT_FALSE(Run(T32_MODE_DIALOG, &block));
  EXPECT_EQ(std::memcmp(&block, &kept, sizeof block), 0);
  EXPECT_EQ(lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(result_, 0u);
  EXPECT_EQ(host_.Find(T32_REQ_CELLS), nullptr);
}

}  // namespace
