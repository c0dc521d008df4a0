// Colour mapping of the colour box and the box window with the colour dialog.
#include <gtest/gtest.h>

#include <colordlg.h>
#include <effect/colorbox.h>
#include <useragent.h>

#include <string>
#include <vector>

#include "step_agent.h"

namespace {

const PALETTEENTRY kPalette[] = {
    {0, 0, 0, 0}, {255, 255, 255, 0}, {200, 0, 0, 0}, {0, 0, 210, 0}, {100, 100, 100, 0}};

struct MappingCase {
  const char* name;
  COLORREF chosen;
  LONG dataType;
  int paletteCount;
  COLORREF expected;
  LONG expectedIndex;
};

class ColourMappingTest : public testing::TestWithParam<MappingCase> {};

TEST_P(ColourMappingTest, MapsToWhatTheImageCanShow) {
  const MappingCase& c = GetParam();
  LONG index = -1;
  COLORREF mapped =
      effect::MapColourToDataType(c.chosen, c.dataType, kPalette, c.paletteCount, &index);
  EXPECT_EQ(mapped, c.expected) << std::hex << mapped;
  EXPECT_EQ(index, c.expectedIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Effect, ColourMappingTest,
    testing::Values(
        MappingCase{"RgbKept", RGB(12, 34, 56), T32_DT_RGB, 5, RGB(12, 34, 56), 0},
        MappingCase{"WhiteStaysWhiteInGrey", RGB(255, 255, 255), T32_DT_GREY, 0, 0xFFFFFF, 0},
        MappingCase{"BlackStaysBlackInGrey", RGB(0, 0, 0), T32_DT_GREY, 0, 0, 0},
        MappingCase{"NearestRed", RGB(180, 20, 10), T32_DT_INDEXED256, 5, RGB(200, 0, 0), 2},
        MappingCase{"NearestBlue", RGB(0, 40, 160), T32_DT_INDEXED16, 5, RGB(0, 0, 210), 3},
        MappingCase{"NearestGrey", RGB(90, 110, 95), T32_DT_INDEXED256, 5, RGB(100, 100, 100),
                    4},
        MappingCase{"IndexedWithoutPaletteKept", RGB(1, 2, 3), T32_DT_INDEXED256, 0,
                    RGB(1, 2, 3), 0}),
    [](const testing::TestParamInfo<MappingCase>& info) { return std::string(info.param.name); });

TEST(ColourMappingTest, GreyIsOneValueInAllChannels) {
  for (COLORREF chosen : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(30, 140, 220)}) {
    COLORREF grey = effect::MapColourToDataType(chosen, T32_DT_GREY, nullptr, 0, nullptr);
    EXPECT_EQ(grey % 0x010101u, 0u) << std::hex << grey;
    EXPECT_LE(grey, 0xFFFFFFu);
  }
}

// Records the commands the box sends its parent.
std::vector<WPARAM> g_commands;

LRESULT ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) g_commands.push_back(wParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(ColorBoxWindowTest, ClickChoosesMapsStoresAndNotifiesParent) {
  WNDCLASSA parentClass = {};
  parentClass.lpfnWndProc = ParentProc;
  parentClass.lpszClassName = "BoxParent";
  ASSERT_NE(RegisterClassA(&parentClass), 0);
  COLORREF custom[16] = {};
  ASSERT_TRUE(effect::RegisterColorBox(0, {custom, T32_DT_GREY, nullptr}));
  HWND parent = CreateWindowExA(0, "BoxParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, 0, 0,
                                0, nullptr);
  HWND box = CreateWindowExA(0, "ClrBox", "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 20, parent,
                             static_cast<HMENU>(221), 0, nullptr);
  ASSERT_NE(box, 0u);
  effect::SetColorBox(box, RGB(1, 2, 3), 5);
  EXPECT_EQ(effect::ColorBoxColour(box), RGB(1, 2, 3));
  EXPECT_EQ(effect::ColorBoxIndex(box), 5);

  g_commands.clear();
  {
    lvtest::StepAgent agent({[](HWND dialog) {
      lv::ReplaceText(lv::FindControl(dialog, COLOR_RED), "250");
      lv::ReplaceText(lv::FindControl(dialog, COLOR_GREEN), "10");
      lv::ReplaceText(lv::FindControl(dialog, COLOR_BLUE), "20");
      lv::Click(lv::FindControl(dialog, IDOK));
    }});
    lv::Click(box);
  }

  COLORREF grey = effect::MapColourToDataType(RGB(250, 10, 20), T32_DT_GREY, nullptr, 0, nullptr);
  EXPECT_EQ(effect::ColorBoxColour(box), grey);
  EXPECT_EQ(effect::ColorBoxIndex(box), 0);
  ASSERT_EQ(g_commands.size(), 1u);
  EXPECT_EQ(LOWORD(g_commands[0]), 221);
  DestroyWindow(parent);
  effect::UnregisterColorBox(0);
}

}  // namespace
