// Message boxes, the Escape test, window placement and the colour picker,
// driven by a user agent.
#include <gtest/gtest.h>

#include <colordlg.h>
#include <hostcommon.h>
#include <useragent.h>

#include "step_agent.h"

namespace {

class AgentTest : public testing::Test {
 protected:
  void SetUp() override { lv::ClearRecords(); }
};

struct KindCase {
  LONG kind;
  UINT buttons;
  UINT icon;
};

class MessageBoxKindTest : public AgentTest, public testing::WithParamInterface<KindCase> {};

TEST_P(MessageBoxKindTest, KindChoosesButtonsAndIcon) {
  lvtest::StepAgent agent({}, IDOK);
  C32MBRECORD record = {};
  record.text = "Hallo";
  record.kind = GetParam().kind;
  c32ShowMb(&record);
  ASSERT_EQ(lv::MessageBoxesShown().size(), 1u);
  UINT type = lv::MessageBoxesShown()[0].type;
  EXPECT_EQ(static_cast<UINT>(type & MB_TYPEMASK), GetParam().buttons) << "type " << type;
  EXPECT_EQ(static_cast<UINT>(type & MB_ICONMASK), GetParam().icon) << "type " << type;
}

INSTANTIATE_TEST_SUITE_P(Host, MessageBoxKindTest,
                         testing::Values(KindCase{0, MB_OK, MB_ICONINFORMATION},
                                         KindCase{1, MB_OK, MB_ICONEXCLAMATION},
                                         KindCase{2, MB_OK, MB_ICONHAND},
                                         KindCase{4, MB_YESNO, MB_ICONQUESTION},
                                         KindCase{77, MB_OK, MB_ICONINFORMATION}));

TEST_F(AgentTest, MessageBoxCaptionTextAndAnswer) {
  lvtest::StepAgent agent({}, IDNO);
  C32MBRECORD record = {};
  record.text = "Weiter?";
  record.kind = 4;
  EXPECT_EQ(c32ShowMb(&record), IDNO);
  record.caption = "Farbstift";
  c32ShowMb(&record);
  record.text = nullptr;
  record.caption = nullptr;
  record.number = 16019;
  c32ShowMb(&record);
  const auto& shown = lv::MessageBoxesShown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].text, "Weiter?");
  EXPECT_EQ(shown[0].caption, "Lumivex");
  EXPECT_EQ(shown[1].caption, "Farbstift");
  EXPECT_EQ(shown[2].text, "Der Effekt konnte nicht angewendet werden.");
  EXPECT_EQ(c32ShowMb(nullptr), 0);
}

LONG g_probeAnswer = 0;
LONG Probe() { return g_probeAnswer; }

TEST_F(AgentTest, EscapeFromProbe) {
  t32IsEscPressed();  // forget earlier key presses
  EXPECT_EQ(t32IsEscPressed(), 0);
  t32SetEscapeProbe(Probe);
  EXPECT_EQ(t32IsEscPressed(), 0);
  g_probeAnswer = 1;
  EXPECT_NE(t32IsEscPressed(), 0);
  g_probeAnswer = 0;
  t32SetEscapeProbe(nullptr);

}

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

TEST_F(AgentTest, MoveWindowCentresOverReferenceOrScreen) {
  HWND reference = CreateWindowExA(0, "STATIC", "ref", WS_POPUP, 100, 50, 400, 300, 0, 0, 0,
                                   nullptr);
  HWND window = CreateWindowExA(0, "STATIC", "win", WS_POPUP, 0, 0, 100, 60, 0, 0, 0, nullptr);
  ASSERT_NE(reference, 0u);
  ASSERT_NE(window, 0u);

  EXPECT_TRUE(t32MoveWindow(window, reference, 1));
  RECT placed = WindowRect(window);
  EXPECT_EQ(placed.left, 100 + (400 - 100) / 2);
  EXPECT_EQ(placed.top, 50 + (300 - 60) / 2);
  EXPECT_EQ(placed.right - placed.left, 100);

  const LONG screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const LONG screenHeight = GetSystemMetrics(SM_CYSCREEN);
  for (LONG placement : {1, 5}) {
    HWND other = placement == 1 ? static_cast<HWND>(-1) : reference;
    EXPECT_TRUE(t32MoveWindow(window, other, placement));
    placed = WindowRect(window);
    EXPECT_EQ(placed.left, (screenWidth - 100) / 2) << "placement " << placement;
    EXPECT_EQ(placed.top, (screenHeight - 60) / 2) << "placement " << placement;
  }
  EXPECT_FALSE(t32MoveWindow(window, reference, 3));
  EXPECT_FALSE(t32MoveWindow(0, reference, 1));
  DestroyWindow(window);
  DestroyWindow(reference);
}

TEST_F(AgentTest, ColourPickerStoresChosenColourOnlyOnOk) {
  lvtest::StepAgent agent({
      [](HWND dialog) {
        lv::ReplaceText(lv::FindControl(dialog, COLOR_RED), "10");
        lv::ReplaceText(lv::FindControl(dialog, COLOR_GREEN), "20");
        lv::ReplaceText(lv::FindControl(dialog, COLOR_BLUE), "30");
        lv::Click(lv::FindControl(dialog, IDOK));
      },
      [](HWND dialog) { lv::Click(lv::FindControl(dialog, IDCANCEL)); },
  });

  COLORREF colour = RGB(1, 2, 3);
  EXPECT_NE(t32ChooseColorEx(0, &colour, 0, 0), 0);
  EXPECT_EQ(colour, RGB(10, 20, 30));
  EXPECT_EQ(t32ChooseColorEx(0, &colour, 0, 0), 0);
  EXPECT_EQ(colour, RGB(10, 20, 30));
  EXPECT_EQ(t32ChooseColorEx(0, nullptr, 0, 0), 0);
}

}  // namespace
