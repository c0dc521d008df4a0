// Texts of the properties boxes: lengths as minutes and seconds, the hour
// mark, the limit past which nothing is shown, and the waveform numbers.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "../infobox.h"

namespace {

using audioinfo::FormatMidiTexts;
using audioinfo::FormatWaveTexts;

TEST(InfoTextsTest, MidiLengthAndTempo) {
  struct Case {
    DWORD seconds, tempo;
    const char* length;
    const char* tempoText;
  };
  const Case cases[] = {{75, 120, "01:15", "120"},   {0, 0, "00:00", "0"},
                        {3599, 60, "59:59", "60"},   {3600, 90, "**:**", "90"},
                        {65534, 7, "**:**", "7"},    {65535, 120, "", ""},
                        {4000000000u, 120, "", ""}};
  auto info = std::make_unique<MIOFILEINFO>();
  for (const Case& c : cases) {
    info->u.lengthSeconds = c.seconds;
    info->samplesOrTempo = c.tempo;
    const audioinfo::MidiTexts texts = FormatMidiTexts(*info);
    EXPECT_STREQ(texts.length, c.length) << c.seconds;
    EXPECT_STREQ(texts.tempo, c.tempoText) << c.seconds;
  }
}

TEST(InfoTextsTest, WaveNumbers) {
  auto info = std::make_unique<MIOFILEINFO>();
  info->u.wave.sampleRate = 44100;
  info->u.wave.bits = 16;
  info->u.wave.channels = 2;
  info->samplesOrTempo = 3000000000u;
  const audioinfo::WaveTexts texts = FormatWaveTexts(*info);
  EXPECT_STREQ(texts.rate, "44100");
  EXPECT_STREQ(texts.bits, "16");
  EXPECT_STREQ(texts.channels, "2");
  EXPECT_STREQ(texts.samples, "3000000000");
}

}  // namespace
