// File information and thumbnails of WAV files: files written by sox in
// several encodings, and hand-built RIFF files with display chunks, INFO
// subjects, chunks in any order and broken chunks.
#include <gtest/gtest.h>

#include <hostcommon.h>

#include <filesystem>
#include <string>
#include <vector>

#include "module.h"

namespace {

using miotest::Audio;
using miotest::Chunk;
using miotest::Form;
using miotest::Info;
using miotest::Put16;
using miotest::Put32;
using miotest::RawRecord;

class WavFileTest : public miotest::ModuleTest {};

struct SoxWave {
  const char* name;
  const char* arguments;  // sox output options
  uint32_t rate, bits, channels;
};

// One second of tone in each encoding: every file holds `rate` sample frames.
TEST_F(WavFileTest, FilesWrittenBySox) {
  const SoxWave cases[] = {
      {"pcm16_stereo_44100.wav", "-r 44100 -c 2 -b 16 -e signed", 44100, 16, 2},
      {"pcm16_mono_22050.wav", "-r 22050 -c 1 -b 16 -e signed", 22050, 16, 1},
      {"pcm8_mono_8000.wav", "-r 8000 -c 1 -b 8 -e unsigned", 8000, 8, 1},
      {"pcm8_stereo_11025.wav", "-r 11025 -c 2 -b 8 -e unsigned", 11025, 8, 2},
      {"pcm24_mono_48000.wav", "-r 48000 -c 1 -b 24 -e signed", 48000, 24, 1},
      {"msadpcm_stereo_22050.wav", "-r 22050 -c 2 -e ms-adpcm", 22050, 4, 2},
      {"msadpcm_mono_8000.wav", "-r 8000 -c 1 -e ms-adpcm", 8000, 4, 1},
      {"imaadpcm_mono_11025.wav", "-r 11025 -c 1 -e ima-adpcm", 11025, 4, 1},
      {"alaw_stereo_8000.wav", "-r 8000 -c 2 -e a-law", 8000, 8, 2},
      {"ulaw_mono_16000.wav", "-r 16000 -c 1 -e u-law", 16000, 8, 1},
  };
  for (const SoxWave& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(miotest::RunSox(std::string("-n ") + c.arguments + " " + c.name + " synth 1 sine 440"))
        << "sox is needed for these tests";
    RawRecord raw;
    ASSERT_TRUE(Info(0, miotest::WinPath(miotest::WorkDir() / c.name), &raw));
    EXPECT_EQ(raw.U16(5134), c.rate);
    EXPECT_EQ(raw.bytes[5136], c.bits);
    EXPECT_EQ(raw.bytes[5137], c.channels);
    EXPECT_EQ(raw.U32(5138), c.rate);
    EXPECT_EQ(raw.U16(8), 48);
    EXPECT_EQ(raw.U16(5142), 48);
    EXPECT_EQ(raw.U16(12), 3);
    EXPECT_EQ(raw.Text(14), "");
    EXPECT_EQ(raw.Text(4110), "");
  }
}

std::vector<BYTE> PcmFormat(uint16_t channels, uint32_t rate, uint16_t align, uint16_t bits) {
  std::vector<BYTE> out;
  Put16(out, 1);
  Put16(out, channels);
  Put32(out, rate);
  Put32(out, rate * align);
  Put16(out, align);
  Put16(out, bits);
  return out;
}

std::vector<BYTE> Display(uint32_t type, const std::vector<BYTE>& data) {
  std::vector<BYTE> out;
  Put32(out, type);
  out.insert(out.end(), data.begin(), data.end());
  return Chunk("DISP", out);
}

std::vector<BYTE> TextBytes(const std::string& text) {
  std::vector<BYTE> out(text.begin(), text.end());
  out.push_back(0);
  return out;
}

std::vector<BYTE> InfoSubject(const std::string& subject) {
  return Form("LIST", "INFO", {Chunk("INAM", TextBytes("Name")), Chunk("ISBJ", TextBytes(subject))});
}

// The PCM edge case: 2 channels, 16 bits, 44,100 per second, 176,400 bytes.
TEST_F(WavFileTest, DisplayChunksAndSubjectWhereverTheyLie) {
  const std::vector<BYTE> picture = miotest::PackedDib(30, 20, 3);
  const std::vector<BYTE> file =
      Form("RIFF", "WAVE",
           {Display(1, TextBytes("Anzeige des Klangs")), InfoSubject("Betreff: Gl\xfc" "ckwunsch"),
            Chunk("data", std::vector<BYTE>(176400, 0)), Display(8, picture),
            Chunk("fmt ", PcmFormat(2, 44100, 4, 16))});
  const std::string name = miotest::WriteFile("extras.wav", file);
  RawRecord raw;
  ASSERT_TRUE(Info(0, name, &raw));
  EXPECT_EQ(raw.U32(0), file.size());
  EXPECT_EQ(raw.Text(14), "Betreff: Gl\xfc" "ckwunsch");
  EXPECT_EQ(raw.Text(4110), "Anzeige des Klangs");
  EXPECT_EQ(raw.Text(4622), "");
  EXPECT_EQ(raw.U16(8), 30);
  EXPECT_EQ(raw.U16(10), 20);
  EXPECT_EQ(raw.U16(5142), 30);
  EXPECT_EQ(raw.U16(5144), 20);
  EXPECT_EQ(raw.U16(5134), 44100);
  EXPECT_EQ(raw.bytes[5136], 16);
  EXPECT_EQ(raw.bytes[5137], 2);
  EXPECT_EQ(raw.U32(5138), 44100u);
  HGLOBAL thumbnail = Audio().readThumbnail(0, name.c_str(), 0, 0);
  ASSERT_NE(thumbnail, 0u);
  EXPECT_EQ(miotest::TakeGlobal(thumbnail), picture);
  // Read as a VOC file, the same name gets the built-in speaker.
  HGLOBAL speaker = Audio().readThumbnail(3, name.c_str(), 0, 0);
  ASSERT_NE(speaker, 0u);
  EXPECT_EQ(miotest::TakeGlobal(speaker).size(), 40u + 64 + 24 * 48);
}

// Names longer than MAX_PATH reach the RIFF reader whole: the facts and the
// picture are those of the named file.
TEST_F(WavFileTest, NamesLongerThanMaxPath) {
  const std::string folder = std::string(120, 'l') + "/" + std::string(120, 'm');
  std::filesystem::create_directories(miotest::WorkDir() / folder);
  const std::vector<BYTE> picture = miotest::PackedDib(12, 10, 3);
  const std::vector<BYTE> file =
      Form("RIFF", "WAVE", {Chunk("fmt ", PcmFormat(2, 22050, 4, 16)), Display(8, picture),
                            Chunk("data", std::vector<BYTE>(400, 0))});
  const std::string name = miotest::WriteFile(folder + "/klang.wav", file);
  ASSERT_GT(name.size(), static_cast<size_t>(MAX_PATH));
  RawRecord raw;
  ASSERT_TRUE(Info(0, name, &raw));
  EXPECT_EQ(raw.U16(5134), 22050);
  EXPECT_EQ(raw.U32(5138), 100u);
  EXPECT_EQ(raw.U16(8), 12);
  EXPECT_EQ(raw.U16(10), 10);
  HGLOBAL thumbnail = Audio().readThumbnail(0, name.c_str(), 0, 0);
  ASSERT_NE(thumbnail, 0u);
  EXPECT_EQ(miotest::TakeGlobal(thumbnail), picture);
}

TEST_F(WavFileTest, LongTextsAreCut) {
  const std::vector<BYTE> file = Form(
      "RIFF", "WAVE",
      {Chunk("fmt ", PcmFormat(1, 8000, 1, 8)), Display(1, TextBytes(std::string(700, 'd'))),
       InfoSubject(std::string(5000, 's')), Chunk("data", std::vector<BYTE>(10, 0))});
  RawRecord raw;
  ASSERT_TRUE(Info(0, miotest::WriteFile("long.wav", file), &raw));
  EXPECT_EQ(raw.Text(4110), std::string(511, 'd'));
  EXPECT_EQ(raw.Text(14), std::string(4095, 's'));
}

TEST_F(WavFileTest, BrokenDisplayBitmapIsIgnored) {
  std::vector<BYTE> picture = miotest::PackedDib(30, 20, 3);
  picture.resize(picture.size() - 1);
  const std::vector<BYTE> file = Form("RIFF", "WAVE",
                                      {Chunk("fmt ", PcmFormat(1, 8000, 1, 8)), Display(8, picture),
                                       Chunk("data", std::vector<BYTE>(10, 0))});
  const std::string name = miotest::WriteFile("badpicture.wav", file);
  RawRecord raw;
  ASSERT_TRUE(Info(0, name, &raw));
  EXPECT_EQ(raw.U16(8), 48);
  EXPECT_EQ(raw.U16(5144), 48);
  HGLOBAL thumbnail = Audio().readThumbnail(0, name.c_str(), 0, 0);
  ASSERT_NE(thumbnail, 0u);
  const std::vector<BYTE> builtIn = miotest::TakeGlobal(thumbnail);
  ASSERT_GE(builtIn.size(), 40u);
  EXPECT_EQ(builtIn[4], 48);  // width of the built-in waveform
}

struct BrokenWave {
  const char* name;
  std::vector<BYTE> file;
};

std::vector<BrokenWave> BrokenWaves() {
  // A data chunk announcing 4096 bytes where the form and the file hold 4.
  std::vector<BYTE> lyingData;
  miotest::PutText(lyingData, "data");
  Put32(lyingData, 4096);
  for (BYTE b : {1, 2, 3, 4}) lyingData.push_back(b);
  std::vector<BYTE> dataPastEnd = Form("RIFF", "WAVE", {Chunk("fmt ", PcmFormat(2, 8000, 4, 16)), lyingData});
  return {
      {"zero_align.wav", Form("RIFF", "WAVE", {Chunk("fmt ", PcmFormat(2, 8000, 0, 16)),
                                               Chunk("data", std::vector<BYTE>(16, 0))})},
      {"zero_channels.wav", Form("RIFF", "WAVE", {Chunk("fmt ", PcmFormat(0, 8000, 4, 16)),
                                                  Chunk("data", std::vector<BYTE>(16, 0))})},
      {"huge_channels.wav", Form("RIFF", "WAVE", {Chunk("fmt ", PcmFormat(4000, 8000, 8000, 16)),
                                                  Chunk("data", std::vector<BYTE>(16, 0))})},
      {"no_format.wav", Form("RIFF", "WAVE", {Chunk("data", std::vector<BYTE>(16, 0))})},
      {"no_data.wav", Form("RIFF", "WAVE", {Chunk("fmt ", PcmFormat(1, 8000, 1, 8))})},
      {"data_past_end.wav", dataPastEnd},
      {"other_form.wav", Form("RIFF", "AVI ", {Chunk("fmt ", PcmFormat(1, 8000, 1, 8))})},
      {"not_riff.wav", miotest::Smf(0, 96, {miotest::Track({})})},
      {"empty.wav", {}},
  };
}

TEST_F(WavFileTest, BrokenFilesCannotBeRead) {
  for (const BrokenWave& c : BrokenWaves()) {
    SCOPED_TRACE(c.name);
    c32ResetDLLErrInfo();
    RawRecord raw;
    EXPECT_FALSE(Info(0, miotest::WriteFile(c.name, c.file), &raw));
    miotest::ExpectError(2, 4);
  }
}

}  // namespace
