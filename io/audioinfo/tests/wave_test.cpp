// WAV facts from the format, "fact" and "data" chunks: PCM, the standard
// ADPCM coefficients, other coefficients, other tags, and refused formats.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../wavefacts.h"
#include "bytes.h"

namespace {

using audioinfo::InterpretWave;
using audioinfo::IsStandardAdpcm;
using audioinfo::WaveChunks;
using audioinfo::WaveFacts;
using miotest::Put16;
using miotest::Put32;

std::vector<BYTE> Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t blockAlign,
                         uint16_t bits) {
  std::vector<BYTE> out;
  Put16(out, tag);
  Put16(out, channels);
  Put32(out, rate);
  Put32(out, rate * blockAlign);
  Put16(out, blockAlign);
  Put16(out, bits);
  return out;
}

const int16_t kStandard[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64},
                                 {240, 0}, {460, -208}, {392, -232}};

// An ADPCM format with the standard coefficients, or with the second
// coefficient of the last pair changed when `standard` is false.
std::vector<BYTE> AdpcmFormat(uint16_t channels, uint16_t blockAlign, uint16_t perBlock,
                              bool standard = true) {
  std::vector<BYTE> out = Format(2, channels, 22050, blockAlign, 4);
  Put16(out, 32);
  Put16(out, perBlock);
  Put16(out, 7);
  for (int i = 0; i < 7; ++i) {
    Put16(out, static_cast<uint16_t>(kStandard[i][0]));
    Put16(out, static_cast<uint16_t>(standard || i < 6 ? kStandard[i][1] : -231));
  }
  return out;
}

WaveChunks Chunks(std::vector<BYTE> format, int fact, int data) {
  WaveChunks chunks;
  chunks.format = std::move(format);
  chunks.hasFact = fact >= 0;
  chunks.factSamples = fact >= 0 ? static_cast<uint32_t>(fact) : 0;
  chunks.hasData = data >= 0;
  chunks.dataSize = data >= 0 ? static_cast<uint32_t>(data) : 0;
  return chunks;
}

struct WaveCase {
  const char* name;
  WaveChunks chunks;
  uint32_t rate, bits, channels, samples;
};

std::vector<WaveCase> GoodCases() {
  return {
      {"Pcm16Stereo", Chunks(Format(1, 2, 44100, 4, 16), -1, 176400), 44100, 16, 2, 44100},
      {"Pcm8Mono", Chunks(Format(1, 1, 11025, 1, 8), -1, 5000), 11025, 8, 1, 5000},
      {"PcmBitsFromBlockAlign", Chunks(Format(1, 2, 8000, 6, 16), -1, 600), 8000, 24, 2, 100},
      {"PcmIgnoresFact", Chunks(Format(1, 1, 8000, 2, 16), 7, 400), 8000, 16, 1, 200},
      {"AdpcmStandardFact", Chunks(AdpcmFormat(2, 2048, 2036), 44100, 45056), 22050, 4, 2, 44100},
      {"AdpcmStandardWithoutFact", Chunks(AdpcmFormat(1, 1024, 2036), -1, 2048 + 7 + 10), 22050, 4,
       1, 2 * 2036 + 2 + 20},
      {"AdpcmOtherCoefficients", Chunks(AdpcmFormat(2, 2048, 2036, false), 44100, 4096), 22050, 4,
       2, 2},
      {"AdpcmOtherSmallBlocks", Chunks(AdpcmFormat(1, 16, 2036, false), 5, 160), 22050, 128, 1, 10},
      {"PcmBitsBeyondAByte", Chunks(Format(1, 1, 8000, 64, 16), -1, 128), 8000, 16, 1, 2},
      {"ALawWithFact", Chunks(Format(6, 2, 44100, 2, 8), 44100, 88200), 44100, 8, 2, 44100},
      {"MuLawWithoutFact", Chunks(Format(7, 1, 8000, 1, 8), -1, 8000), 8000, 8, 1, 8000},
      {"ImaWithoutFact", Chunks(Format(0x11, 2, 22050, 1024, 4), -1, 1000), 22050, 4, 2, 1000},
      {"HighRateKeptWhole", Chunks(Format(1, 1, 96000, 2, 16), -1, 20), 96000, 16, 1, 10},
  };
}

class WaveGoodTest : public testing::TestWithParam<WaveCase> {};

TEST_P(WaveGoodTest, Facts) {
  const WaveCase& c = GetParam();
  WaveFacts facts;
  ASSERT_TRUE(InterpretWave(c.chunks, &facts));
  EXPECT_EQ(facts.sampleRate, c.rate);
  EXPECT_EQ(facts.bits, c.bits);
  EXPECT_EQ(facts.channels, c.channels);
  EXPECT_EQ(facts.samples, c.samples);
}

INSTANTIATE_TEST_SUITE_P(Formats, WaveGoodTest, testing::ValuesIn(GoodCases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
  const char* name;
  WaveChunks chunks;
};

std::vector<BadCase> BadCases() {
  std::vector<BYTE> shortFormat = Format(1, 1, 8000, 1, 8);
  shortFormat.resize(12);
  std::vector<BYTE> noBits = Format(6, 1, 8000, 1, 8);
  noBits.resize(14);
  return {
      {"ZeroChannels", Chunks(Format(1, 0, 8000, 2, 16), -1, 100)},
      {"HugeChannelCount", Chunks(Format(6, 300, 8000, 600, 8), 5, 100)},
      {"ZeroBlockAlign", Chunks(Format(1, 2, 8000, 0, 16), -1, 100)},
      {"PcmWithoutData", Chunks(Format(1, 2, 8000, 4, 16), -1, -1)},
      {"BlockBitsAndFormatBitsBeyondAByte", Chunks(Format(1, 1, 8000, 64, 300), -1, 128)},
      {"OtherWithZeroBits", Chunks(Format(6, 1, 8000, 1, 0), -1, 100)},
      {"OtherWithoutFactOrData", Chunks(Format(6, 1, 8000, 1, 8), -1, -1)},
      {"FormatTooShort", Chunks(shortFormat, -1, 100)},
      {"OtherFormatWithoutBits", Chunks(noBits, 5, 100)},
      {"AdpcmWithoutFactOrData", Chunks(AdpcmFormat(1, 256, 500), -1, -1)},
  };
}

class WaveBadTest : public testing::TestWithParam<BadCase> {};

TEST_P(WaveBadTest, Refused) {
  WaveFacts facts;
  EXPECT_FALSE(InterpretWave(GetParam().chunks, &facts));
}

INSTANTIATE_TEST_SUITE_P(Broken, WaveBadTest, testing::ValuesIn(BadCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AdpcmCoefficientsTest, OnlyTheWholeStandardSetCounts) {
  EXPECT_TRUE(IsStandardAdpcm(AdpcmFormat(1, 256, 500)));
  EXPECT_TRUE(IsStandardAdpcm(AdpcmFormat(2, 512, 500)));
  EXPECT_FALSE(IsStandardAdpcm(AdpcmFormat(1, 256, 500, false)));
  EXPECT_FALSE(IsStandardAdpcm(AdpcmFormat(3, 768, 500)));
  std::vector<BYTE> eightBits = AdpcmFormat(1, 256, 500);
  eightBits[14] = 8;
  EXPECT_FALSE(IsStandardAdpcm(eightBits));
  std::vector<BYTE> cut = AdpcmFormat(1, 256, 500);
  cut.resize(cut.size() - 1);
  EXPECT_FALSE(IsStandardAdpcm(cut));
}

}  // namespace
