// The properties boxes driven by a user agent: texts, values, placement
// over the parent, and closing with OK or Escape.
#include <gtest/gtest.h>

#include <hostcommon.h>
#include <useragent.h>

#include <functional>
#include <string>
#include <vector>

#include "../resources/resource.h"
#include "module.h"
#include "step_agent.h"

namespace {

using lvtest::ControlText;
using lvtest::StepAgent;
using lvtest::WindowText;
using miotest::Audio;

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::string SoxVoc() {
  static const std::string file = [] {
    miotest::RunSox("-n -r 16000 -c 2 -b 8 -e unsigned box.voc synth 0.5 sine 300");
    return miotest::WinPath(miotest::WorkDir() / "box.voc");
  }();
  return file;
}

class InfoBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Audio().module, 0u);
    c32ResetDLLErrInfo();
    lv::ClearRecords();
    parent_ = CreateWindowExA(0, "STATIC", "Album", WS_POPUP | WS_VISIBLE, 120, 80, 500, 400, 0, 0, 0,
                              nullptr);
  }
  void TearDown() override { DestroyWindow(parent_); }
  HWND parent_ = 0;
};

TEST_F(InfoBoxTest, WaveBoxShowsTheFactsCentredOverTheParent) {
  const std::string file = SoxVoc();
  StepAgent script({[&](HWND dialog) {
    EXPECT_EQ(WindowText(dialog), "Eigenschaften");
    EXPECT_NE(lv::FindControlByText(dialog, "Wave-Dateiname"), 0u);
    for (const char* label : {"Abtastrate:", "Bits pro Muster:", "Kan\xe4le:", "Muster:"})
      EXPECT_NE(lv::FindControlByText(dialog, label), 0u) << label;
    EXPECT_EQ(ControlText(dialog, IDC_WAVE_NAME), file);
    EXPECT_EQ(ControlText(dialog, IDC_WAVE_RATE), "16000");
    EXPECT_EQ(ControlText(dialog, IDC_WAVE_BITS), "8");
    EXPECT_EQ(ControlText(dialog, IDC_WAVE_CHANNELS), "2");
    EXPECT_EQ(ControlText(dialog, IDC_WAVE_SAMPLES), "8000");
    RECT box, area;
    GetWindowRect(dialog, &box);
    GetWindowRect(parent_, &area);
    // Dialog units of 136 x 140 in the base units 6 x 13 of the dialog font.
    EXPECT_NEAR(box.right - box.left, 136 * 6 / 4, 12);
    EXPECT_NEAR(box.bottom - box.top, 140 * 13 / 8, 30);
    EXPECT_NEAR(Centre(box).x, Centre(area).x, 1);
    EXPECT_NEAR(Centre(box).y, Centre(area).y, 1);
    lv::Click(lv::FindControl(dialog, IDOK));
  }});
  EXPECT_TRUE(Audio().showInfoBox(3, parent_, file.c_str()));
  EXPECT_EQ(script.stepsRun(), 1u);
  EXPECT_TRUE(lv::AbandonedDialogs().empty());
  EXPECT_EQ(miotest::ErrorSlot().error, 0);
}

TEST_F(InfoBoxTest, WaveBoxOfABrokenFileLeavesTheValuesEmpty) {
  const std::string file = miotest::WriteFile("broken.voc", {'C', 'r', 'e', 'a'});
  StepAgent script({[&](HWND dialog) {
    EXPECT_EQ(ControlText(dialog, IDC_WAVE_NAME), file);
    for (int id : {IDC_WAVE_RATE, IDC_WAVE_BITS, IDC_WAVE_CHANNELS, IDC_WAVE_SAMPLES})
      EXPECT_EQ(ControlText(dialog, id), "") << id;
    lv::PressKey(dialog, VK_ESCAPE);
  }});
  EXPECT_TRUE(Audio().showInfoBox(3, parent_, file.c_str()));
  EXPECT_EQ(script.stepsRun(), 1u);
  EXPECT_TRUE(lv::AbandonedDialogs().empty());
}

TEST_F(InfoBoxTest, MidiBoxOfAnUnreadableFileShowsOnlyTheName) {
  const std::string file = miotest::WriteFile("kaputt.mid", {'M', 'T', 'h', 'd', 0, 0});
  StepAgent script({[&](HWND dialog) {
    EXPECT_EQ(WindowText(dialog), "Eigenschaften");
    for (const char* label : {"MIDI Dateiname", "L\xe4nge:", "Tempo:"})
      EXPECT_NE(lv::FindControlByText(dialog, label), 0u) << label;
    EXPECT_EQ(ControlText(dialog, IDC_MIDI_NAME), file);
    EXPECT_EQ(ControlText(dialog, IDC_MIDI_LENGTH), "");
    EXPECT_EQ(ControlText(dialog, IDC_MIDI_TEMPO), "");
    RECT box;
    GetWindowRect(dialog, &box);
    EXPECT_NEAR(box.right - box.left, 128 * 6 / 4, 12);
    lv::Click(lv::FindControl(dialog, IDOK));
  }});
  EXPECT_TRUE(Audio().showInfoBox(1, parent_, file.c_str()));
  EXPECT_EQ(script.stepsRun(), 1u);
}

TEST_F(InfoBoxTest, WaveBoxOfAPcmFile) {
  ASSERT_TRUE(miotest::RunSox("-n -r 44100 -c 2 -b 16 -e signed box.wav synth 1 sine 300"));
  const std::string file = miotest::WinPath(miotest::WorkDir() / "box.wav");
  StepAgent script({[&](HWND dialog) {
    EXPECT_EQ(ControlText(dialog, IDC_WAVE_NAME), file);
    EXPECT_EQ(ControlText(dialog, IDC_WAVE_RATE), "44100");
    EXPECT_EQ(ControlText(dialog, IDC_WAVE_BITS), "16");
    EXPECT_EQ(ControlText(dialog, IDC_WAVE_CHANNELS), "2");
    EXPECT_EQ(ControlText(dialog, IDC_WAVE_SAMPLES), "44100");
    lv::Click(lv::FindControl(dialog, IDOK));
  }});
  EXPECT_TRUE(Audio().showInfoBox(0, parent_, file.c_str()));
  EXPECT_EQ(script.stepsRun(), 1u);
}

TEST_F(InfoBoxTest, WithoutParentTheBoxIsCentredOnTheScreen) {
  const std::string file = SoxVoc();
  StepAgent script({[&](HWND dialog) {
    RECT box;
    GetWindowRect(dialog, &box);
    EXPECT_NEAR(Centre(box).x, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR(Centre(box).y, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    lv::Click(lv::FindControl(dialog, IDOK));
  }});
  EXPECT_TRUE(Audio().showInfoBox(3, 0, file.c_str()));
}

}  // namespace
