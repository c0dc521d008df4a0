// Entry points without dialog: query, information, failures and mode 2.
#include <gtest/gtest.h>

#include <hostcommon.h>
#include <imgcore.h>
#include <useragent.h>

#include <cstring>
#include <string>

#include "../params.h"
#include "module.h"

namespace {

using gridsplit::GridParams;
using gridtest::Grid;
using gridtest::RecordingHost;

class GridEntryTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Grid().module, 0u) << "gridsplit.tpi not loaded";
    c32ResetDLLErrInfo();
    lv::ClearRecords();
  }
  static void ExpectError(LONG error, LONG category, LONG detail) {
    LONG unit = 0, gotCategory = 0, gotDetail = 0;
    EXPECT_EQ(lvGetDLLErrInfoRecord(&unit, &gotCategory, &gotDetail), error);
    EXPECT_EQ(unit, 72201);
    EXPECT_EQ(gotCategory, category);
    EXPECT_EQ(gotDetail, detail);
  }
};

TEST_F(GridEntryTest, ExportsExactlyTheFiveEntryPoints) {
  EXPECT_NE(Grid().query, nullptr);
  EXPECT_NE(Grid().getInfo, nullptr);
  EXPECT_NE(Grid().action, nullptr);
  EXPECT_NE(Grid().askStyler, nullptr);
  EXPECT_NE(Grid().askVariation, nullptr);
  for (const char* hidden : {"ApplyGrid", "RunGridDialog", "_ZN9gridsplit3RunEv", "c32ShowMb"})
    EXPECT_EQ(GetProcAddress(Grid().module, hidden), nullptr) << hidden;
}

TEST_F(GridEntryTest, QueryFillsNewRecordWithOverlappingIdentifier) {
  T32QUERYRECORD* record = nullptr;
  ASSERT_TRUE(Grid().query(&record));
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(std::string(record->identifier, 16), "Gitter und Aufte");
  EXPECT_STREQ(record->identifier + 16, "&Gitter und Aufteilung...");
  EXPECT_STREQ(record->menuGroup, "");
  const LONG expected[] = {60, 32, 2, 2, 64, 0, 1, 65538, -1};
  const LONG* numbers = &record->hostValue1;
  for (int i = 0; i < 9; ++i) EXPECT_EQ(numbers[i], expected[i]) << "number " << i;
}

TEST_F(GridEntryTest, QueryReusesHostRecordWithoutZeroing) {
  T32QUERYRECORD existing;
  std::memset(&existing, 'z', sizeof existing);
  T32QUERYRECORD* slot = &existing;
  ASSERT_TRUE(Grid().query(&slot));
  EXPECT_EQ(slot, &existing);
  EXPECT_STREQ(existing.menuText, "&Gitter und Aufteilung...");
  EXPECT_EQ(existing.menuText[60], 'z');              // past the texts nothing is cleared
  EXPECT_EQ(existing.menuGroup[0], '\0');
  EXPECT_EQ(existing.paramSize, 32);
  EXPECT_EQ(existing.hostValue9, -1);
  EXPECT_FALSE(Grid().query(nullptr));
}

TEST_F(GridEntryTest, InformationRequests) {
  GridParams block = {0, 0, 0, RGB(1, 2, 3), 1, 1, 0, 0};
  ASSERT_TRUE(Grid().getInfo(nullptr, 0, 1, &block));
  const GridParams expected = {2, 2, 1, RGB(1, 2, 3), 1, 1, 1, 1};
  EXPECT_EQ(std::memcmp(&block, &expected, sizeof block), 0);

  GridParams untouched = block;
  EXPECT_TRUE(Grid().getInfo("anything", 0, 2, &block));
  EXPECT_EQ(std::memcmp(&block, &untouched, sizeof block), 0);

  T32HELPRECORD help = {};
  ASSERT_TRUE(Grid().getInfo(nullptr, 0, 4, &help));
  std::string path = help.path;
  ASSERT_GT(path.size(), 11u);
  EXPECT_EQ(path.substr(path.size() - 12), "\\TPI1.HLP >m");
  EXPECT_EQ(help.context, 201);

  for (LONG request : {0, 3, 5, 8, -1}) {
    EXPECT_FALSE(Grid().getInfo(nullptr, 0, request, &block)) << "request " << request;
  }
  EXPECT_FALSE(Grid().getInfo(nullptr, 0, 1, nullptr));
  EXPECT_EQ(lvGetDLLErrInfoRecord(nullptr, nullptr, nullptr), 0);
}

TEST_F(GridEntryTest, NoStylesNoVariations) {
  EXPECT_EQ(Grid().askStyler(), 0);
  GridParams block = {};
  GridParams out[9] = {};
  EXPECT_EQ(Grid().askVariation(nullptr, &block, 0, nullptr), 0);
  EXPECT_EQ(Grid().askVariation(nullptr, &block, 9, out), 0);
}

struct RefusedCall {
  const char* name;
  LONG mode;
  LONG dataType;
  LONG detail;
};

class RefusedActionTest : public GridEntryTest, public testing::WithParamInterface<RefusedCall> {};

TEST_P(RefusedActionTest, CannotServeBeforeAnyDialog) {
  HBUF source = lvtest::PatternImage(10, 10);
  HBUF result = 4711;
  GridParams block = {3, 3, 1, 0, 0, 0, 2, 2};
  RecordingHost host;
  EXPECT_FALSE(Grid().action(nullptr, 0, GetParam().mode, 0, &block, GetParam().dataType, source,
                             0, &result, host.object()));
  ExpectError(C32ERR_CANNOT_SERVE, 3, GetParam().detail);
  EXPECT_EQ(result, 4711u);
  EXPECT_TRUE(host.calls().empty());
  buf32Free(source);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, RefusedActionTest,
    testing::Values(RefusedCall{"NoModeBits", 0, T32_DT_RGB, 1},
                    RefusedCall{"OnlyButtonBits", 8 | 16 | 256, T32_DT_RGB, 1},
                    RefusedCall{"Grey", T32_MODE_APPLY, T32_DT_GREY, 4},
                    RefusedCall{"Indexed", T32_MODE_DIALOG, T32_DT_INDEXED256, 4},
                    RefusedCall{"BlackAndWhite", T32_MODE_EDIT, T32_DT_BW, 4}),
    [](const testing::TestParamInfo<RefusedCall>& info) { return std::string(info.param.name); });

TEST_F(GridEntryTest, ApplyWithoutDialogDrawsAndHandsNoCells) {
  HBUF source = lvtest::PatternImage(100, 20);
  std::vector<BYTE> before = gridtest::Pixels(source);
  GridParams block = {1, 3, 1, RGB(9, 8, 7), 0, 0, 2, 0};
  const GridParams kept = block;
  HBUF result = 0;
  RecordingHost host;
  host.cellsAnswer = 1;
  EXPECT_TRUE(Grid().action(nullptr, 0, T32_MODE_APPLY, 0, &block, T32_DT_RGB, source, 0, &result,
                            host.object()));
  ASSERT_NE(result, 0u);
  EXPECT_NE(result, source);
  EXPECT_EQ(gridtest::Pixels(source), before);
  EXPECT_EQ(std::memcmp(&block, &kept, sizeof block), 0);

  std::vector<BYTE> drawn = gridtest::Pixels(result);
  for (LONG x : {32, 33, 34, 66, 67, 68}) {
    const BYTE* p = &drawn[(5 * 100 + x) * 3];
    bool line = (x == 33 || x == 67);
    EXPECT_EQ(p[0] == 9 && p[1] == 8 && p[2] == 7, line) << "x " << x;
  }
  const gridtest::HostCall* cells = host.Find(T32_REQ_CELLS);
  ASSERT_NE(cells, nullptr);
  EXPECT_EQ(cells->cellCount, -1);
  EXPECT_EQ(host.Find(T32_REQ_DIALOG_NOTICE), nullptr);
  EXPECT_TRUE(lv::MessageBoxesShown().empty());
  buf32Free(result);
  buf32Free(source);
}

TEST_F(GridEntryTest, CellsToObjectsListsEveryCellRowByRow) {
  HBUF source = lvtest::PatternImage(100, 21);
  GridParams block = {2, 3, 1, 0, 0, 1, 2, 1};
  HBUF result = 0;
  RecordingHost host;
  EXPECT_TRUE(Grid().action(nullptr, 0, T32_MODE_APPLY, 0, &block, T32_DT_RGB, source, 0, &result,
                            host.object()));
  const gridtest::HostCall* cells = host.Find(T32_REQ_CELLS);
  ASSERT_NE(cells, nullptr);
  ASSERT_EQ(cells->cellCount, 6);
  const RECT expected[] = {{0, 0, 33, 10},  {34, 0, 67, 10},  {68, 0, 100, 10},
                           {0, 11, 33, 21}, {34, 11, 67, 21}, {68, 11, 100, 21}};
  for (int i = 0; i < 6; ++i) {
    const RECT& r = cells->cells[i];
    EXPECT_TRUE(r.left == expected[i].left && r.top == expected[i].top &&
                r.right == expected[i].right && r.bottom == expected[i].bottom)
        << "cell " << i << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
  buf32Free(result);
  buf32Free(source);
}

TEST_F(GridEntryTest, BorderWithOneCellFramesTheImage) {
  HBUF source = lvtest::PatternImage(12, 10);
  GridParams block = {1, 1, 2, RGB(255, 255, 255), 1, 1, 2, 2};
  HBUF result = 0;
  RecordingHost host;
  ASSERT_TRUE(Grid().action(nullptr, 0, T32_MODE_APPLY, 0, &block, T32_DT_RGB, source, 0,
                            &result, host.object()));
  std::vector<BYTE> drawn = gridtest::Pixels(result);
  for (LONG y = 0; y < 10; ++y) {
    for (LONG x = 0; x < 12; ++x) {
      bool frame = x < 2 || x >= 10 || y < 2 || y >= 8;
      const BYTE* p = &drawn[(y * 12 + x) * 3];
      EXPECT_EQ(p[0] == 255 && p[1] == 255 && p[2] == 255, frame) << x << "," << y;
    }
  }
  const gridtest::HostCall* cells = host.Find(T32_REQ_CELLS);
  ASSERT_NE(cells, nullptr);
  ASSERT_EQ(cells->cellCount, 1);
  EXPECT_EQ(cells->cells[0].left, 2);
  EXPECT_EQ(cells->cells[0].top, 2);
  EXPECT_EQ(cells->cells[0].right, 10);
  EXPECT_EQ(cells->cells[0].bottom, 8);
  buf32Free(result);
  buf32Free(source);
}

TEST_F(GridEntryTest, HostAnswerToCellsIsTheResult) {
  HBUF source = lvtest::PatternImage(30, 30);
  GridParams block = {2, 2, 1, 0, 0, 1, 1, 1};
  HBUF result = 0;
  RecordingHost host;
  host.cellsAnswer = 0;
  EXPECT_FALSE(Grid().action(nullptr, 0, T32_MODE_APPLY, 0, &block, T32_DT_RGB, source, 0,
                             &result, host.object()));
  EXPECT_NE(result, 0u);  // handed over before the host answered
  buf32Free(result);

  result = 0;
  EXPECT_TRUE(Grid().action(nullptr, 0, T32_MODE_APPLY, 0, &block, T32_DT_RGB, source, 0,
                            &result, nullptr));
  EXPECT_NE(result, 0u);
  buf32Free(result);
  buf32Free(source);
}

struct FailingBlock {
  const char* name;
  LONG width, height;
  GridParams block;
};

class FailingApplyTest : public GridEntryTest, public testing::WithParamInterface<FailingBlock> {};

TEST_P(FailingApplyTest, OutOfMemoryErrorAndResultUntouched) {
  HBUF source = lvtest::PatternImage(GetParam().width, GetParam().height);
  GridParams block = GetParam().block;
  HBUF result = 4711;
  RecordingHost host;
  EXPECT_FALSE(Grid().action(nullptr, 0, T32_MODE_APPLY, 0, &block, T32_DT_RGB, source, 0,
                             &result, host.object()));
  ExpectError(C32ERR_OUT_OF_MEMORY, 1, 1);
  EXPECT_EQ(result, 4711u);
  EXPECT_EQ(host.Find(T32_REQ_CELLS), nullptr);
  buf32Free(source);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, FailingApplyTest,
    testing::Values(FailingBlock{"ImageTooSmall", 5, 5, {3, 3, 2, 0, 1, 0, 4, 4}},
                    FailingBlock{"ZeroColumns", 50, 50, {2, 0, 1, 0, 0, 0, 0, 1}},
                    FailingBlock{"ZeroRows", 50, 50, {0, 2, 1, 0, 0, 0, 1, 0}},
                    FailingBlock{"HugeLineWidth", 50, 50, {2, 2, 0x40000000, 0, 0, 0, 1, 1}},
                    FailingBlock{"NegativeColumns", 50, 50, {2, -3, 1, 0, 0, 0, -4, 1}}),
    [](const testing::TestParamInfo<FailingBlock>& info) { return std::string(info.param.name); });

TEST_F(GridEntryTest, DeadSourceFailsCleanly) {
  GridParams block = {2, 2, 1, 0, 0, 0, 1, 1};
  HBUF result = 4711;
  EXPECT_FALSE(Grid().action(nullptr, 0, T32_MODE_APPLY, 0, &block, T32_DT_RGB, 0, 0, &result,
                             nullptr));
  ExpectError(C32ERR_OUT_OF_MEMORY, 1, 1);
  EXPECT_EQ(result, 4711u);
}

TEST_F(GridEntryTest, MissingBlockStartsFromDefaults) {
  HBUF source = lvtest::PatternImage(11, 11);
  HBUF result = 0;
  RecordingHost host;
  ASSERT_TRUE(Grid().action(nullptr, 0, T32_MODE_APPLY, 0, nullptr, T32_DT_RGB, source, 0,
                            &result, host.object()));
  std::vector<BYTE> drawn = gridtest::Pixels(result);
  // Two by two cells of 5 pixels: black lines at x = 5 and y = 5.
  const BYTE* line = &drawn[(2 * 11 + 5) * 3];
  EXPECT_TRUE(line[0] == 0 && line[1] == 0 && line[2] == 0);
  const BYTE* cell = &drawn[(2 * 11 + 4) * 3];
  EXPECT_EQ(cell[0], 4);
  buf32Free(result);
  buf32Free(source);
}

TEST_F(GridEntryTest, MissingResultSlotIsRefused) {
  HBUF source = lvtest::PatternImage(11, 11);
  GridParams block = {2, 2, 1, 0, 0, 0, 1, 1};
  EXPECT_FALSE(Grid().action(nullptr, 0, T32_MODE_APPLY, 0, &block, T32_DT_RGB, source, 0,
                             nullptr, nullptr));
  ExpectError(C32ERR_CANNOT_SERVE, 3, 3);
  buf32Free(source);
}

TEST_F(GridEntryTest, WaitCursorShownAndRestored) {
  HCURSOR arrow = LoadCursorA(0, IDC_ARROW);
  SetCursor(arrow);
  lv::ClearRecords();
  HBUF source = lvtest::PatternImage(20, 20);
  GridParams block = {2, 2, 1, 0, 0, 0, 1, 1};
  HBUF result = 0;
  ASSERT_TRUE(Grid().action(nullptr, 0, T32_MODE_APPLY, 0, &block, T32_DT_RGB, source, 0,
                            &result, nullptr));
  const std::vector<HCURSOR>& cursors = lv::CursorHistory();
  ASSERT_GE(cursors.size(), 2u);
  EXPECT_EQ(cursors[cursors.size() - 2], LoadCursorA(0, IDC_WAIT));
  EXPECT_EQ(cursors.back(), arrow);
  EXPECT_EQ(GetCursor(), arrow);
  buf32Free(result);
  buf32Free(source);
}

}  // namespace
