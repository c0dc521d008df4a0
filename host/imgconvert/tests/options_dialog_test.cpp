// The options dialogs driven by a user agent: values in and out, range
// checks with their message, Cancel, and the fields that follow the choices.
#include <gtest/gtest.h>

#include <hostcommon.h>
#include <imgconvert.h>
#include <useragent.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "../resources/resource.h"
#include "step_agent.h"

namespace {

using lvtest::StepAgent;
using lvtest::WindowText;
HWND Control(HWND dialog, int id) { return lv::FindControl(dialog, id); }
StepAgent::Step TypeInto(int id, const std::string& text) {
  return [id, text](HWND d) { lv::ReplaceText(Control(d, id), text); };
}
StepAgent::Step ClickOn(int id) {
  return [id](HWND d) { lv::Click(Control(d, id)); };
}

CVT32OPTIONS Defaults(LONG target) {
  CVT32OPTIONS o{};
  cvt32GetDefOptionsEx(target, &o);
  return o;
}

BOOL ShowDialog(LONG target, CVT32OPTIONS* o) {
  return cvt32BufType(CVT32_MODE_DIALOG, 0, 0, target, 0, nullptr, nullptr, o, 0, 0, 0);
}

class OptionsDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    lv::ClearRecords();
    c32ResetDLLErrInfo();
  }
};

TEST_F(OptionsDialogTest, PaletteChoicesReachTheOptions) {
  CVT32OPTIONS o = Defaults(CVT32_TYPE_INDEXED16);
  std::string caption, range;
  StepAgent script({[&](HWND d) {
                      caption = WindowText(d);
                      range = WindowText(Control(d, IDC_COLOURS_RANGE));
                    },
                    TypeInto(IDC_COLOURS, "12"), ClickOn(IDC_METHOD_POPULARITY),
                    ClickOn(IDC_DITHER), ClickOn(IDOK)});
  ASSERT_TRUE(ShowDialog(CVT32_TYPE_INDEXED16, &o));
  EXPECT_EQ(caption, "Farbreduzierung");
  EXPECT_EQ(range, "(2..16)");
  EXPECT_EQ(o.colours, 12);
  EXPECT_EQ(o.method, CVT32_METHOD_POPULARITY);
  EXPECT_EQ(o.dither, CVT32_DITHER_FLOYD_STEINBERG);
  EXPECT_EQ(o.palette, CVT32_PALETTE_OPTIMISED);
  EXPECT_TRUE(lv::AbandonedDialogs().empty());
}

TEST_F(OptionsDialogTest, ColourCountOutOfRangeIsShownAndKeptOpen) {
  struct Case {
    LONG target;
    const char* typed;
    const char* message;
  };
  const Case cases[] = {
      {CVT32_TYPE_INDEXED16, "17", "Der Wert mu\xdf innerhalb des Bereiches (2..16) liegen."},
      {CVT32_TYPE_INDEXED256, "1", "Der Wert mu\xdf innerhalb des Bereiches (2..256) liegen."},
      {CVT32_TYPE_INDEXED256, "", "Der Wert mu\xdf innerhalb des Bereiches (2..256) liegen."},
  };
  for (const Case& c : cases) {
    lv::ClearRecords();
    CVT32OPTIONS o = Defaults(c.target);
    bool stillOpen = false;
    StepAgent script({TypeInto(IDC_COLOURS, c.typed), ClickOn(IDOK),
                      [&](HWND d) { stillOpen = IsWindow(d) && IsWindowVisible(d); },
                      TypeInto(IDC_COLOURS, "9"), ClickOn(IDOK)});
    ASSERT_TRUE(ShowDialog(c.target, &o)) << c.typed;
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(lv::MessageBoxesShown().size(), 1u) << c.typed;
    EXPECT_EQ(lv::MessageBoxesShown()[0].text, c.message);
    EXPECT_EQ(o.colours, 9);
  }
}

TEST_F(OptionsDialogTest, FixedPaletteDisablesTheCountAndIgnoresIt) {
  CVT32OPTIONS o = Defaults(CVT32_TYPE_INDEXED256);
  BOOL countEnabled = TRUE;
  StepAgent script({TypeInto(IDC_COLOURS, "999"), ClickOn(IDC_PALETTE_FIXED),
                    [&](HWND d) { countEnabled = IsWindowEnabled(Control(d, IDC_COLOURS)); },
                    ClickOn(IDOK)});
  ASSERT_TRUE(ShowDialog(CVT32_TYPE_INDEXED256, &o));
  EXPECT_FALSE(countEnabled);
  EXPECT_EQ(o.palette, CVT32_PALETTE_FIXED);
  EXPECT_EQ(o.colours, 256);
  EXPECT_TRUE(lv::MessageBoxesShown().empty());
}

TEST_F(OptionsDialogTest, CancelKeepsTheOptionsAndClearsTheSlot) {
  CVT32OPTIONS o = Defaults(CVT32_TYPE_INDEXED256);
  const CVT32OPTIONS before = o;
  c32SetDLLErrInfo(0, 1001, 0, 1, 0, 0);
  StepAgent script({TypeInto(IDC_COLOURS, "5"), ClickOn(IDC_DITHER), ClickOn(IDCANCEL)});
  EXPECT_FALSE(ShowDialog(CVT32_TYPE_INDEXED256, &o));
  EXPECT_EQ(std::memcmp(&o, &before, sizeof o), 0);
  EXPECT_EQ(c32GetDLLErrorInfo(nullptr, 0, 0, 0, 0, 0), 0);
}

TEST_F(OptionsDialogTest, BlackAndWhiteThresholdOrDithering) {
  CVT32OPTIONS o = Defaults(CVT32_TYPE_BW);
  std::string caption, shown;
  StepAgent script({[&](HWND d) {
                      caption = WindowText(d);
                      shown = WindowText(Control(d, IDC_THRESHOLD));
                    },
                    TypeInto(IDC_THRESHOLD, "0"), ClickOn(IDOK), TypeInto(IDC_THRESHOLD, "200"),
                    ClickOn(IDOK)});
  ASSERT_TRUE(ShowDialog(CVT32_TYPE_BW, &o));
  EXPECT_EQ(caption, "Schwarz-Wei\xdf-Umwandlung");
  EXPECT_EQ(shown, "128");
  ASSERT_EQ(lv::MessageBoxesShown().size(), 1u);
  EXPECT_EQ(lv::MessageBoxesShown()[0].text,
            "Der Wert mu\xdf innerhalb des Bereiches (1..255) liegen.");
  EXPECT_EQ(o.threshold, 200);
  EXPECT_EQ(o.dither, CVT32_DITHER_NONE);

  BOOL thresholdEnabled = TRUE;
  StepAgent dither({ClickOn(IDC_BW_DITHER),
                    [&](HWND d) { thresholdEnabled = IsWindowEnabled(Control(d, IDC_THRESHOLD)); },
                    ClickOn(IDOK)});
  ASSERT_TRUE(ShowDialog(CVT32_TYPE_BW, &o));
  EXPECT_FALSE(thresholdEnabled);
  EXPECT_EQ(o.dither, CVT32_DITHER_FLOYD_STEINBERG);
  EXPECT_EQ(o.threshold, 200);
}

TEST_F(OptionsDialogTest, NoDialogWithoutOptionsOrForTypesWithoutOptions) {
  CVT32OPTIONS o = Defaults(CVT32_TYPE_RGB);
  EXPECT_FALSE(ShowDialog(CVT32_TYPE_RGB, &o));
  EXPECT_EQ(c32GetDLLErrorInfo(nullptr, 0, 0, 0, 0, 0), 3200);
  EXPECT_FALSE(ShowDialog(CVT32_TYPE_BW, nullptr));
  CVT32OPTIONS broken = Defaults(CVT32_TYPE_INDEXED16);
  broken.colours = 300;
  EXPECT_FALSE(ShowDialog(CVT32_TYPE_INDEXED16, &broken));
  EXPECT_TRUE(lv::AbandonedDialogs().empty());
}

}  // namespace
