// File information of MIDI and RMI files whose exact length is worked out
// here from their tempo maps; the length box; thumbnails of RMI files; and
// broken MIDI files.
#include <gtest/gtest.h>

#include <hostcommon.h>
#include <useragent.h>

#include <string>
#include <vector>

#include "../resources/resource.h"
#include "module.h"
#include "step_agent.h"

namespace {

using miotest::Audio;
using miotest::Chunk;
using miotest::Form;
using miotest::Info;
using miotest::MidiEvent;
using miotest::RawRecord;
using miotest::Smf;
using miotest::Tempo;
using miotest::Track;

class MidiFileTest : public miotest::ModuleTest {};

const std::vector<BYTE> kNoteOn = {0x90, 60, 100};
const std::vector<BYTE> kNoteOff = {0x80, 60, 0};

// A format 0 file at 120 beats per minute whose last event comes after
// `seconds` seconds (480 ticks a quarter note of half a second).
std::vector<BYTE> PlainSong(uint32_t seconds) {
  return Smf(0, 480, {Track({{0, Tempo(500000)}, {0, kNoteOn}, {seconds * 960, kNoteOff}})});
}

struct LengthCase {
  const char* name;
  std::vector<BYTE> file;
  uint32_t milliseconds;  // worked out from the tempo map
  uint32_t tempo;
};

std::vector<LengthCase> LengthCases() {
  std::vector<LengthCase> cases;
  cases.push_back({"seventy_five.mid", PlainSong(75), 75000, 120});
  // Format 1: the tempo map lives in track 0, the notes in track 1, and a
  // third track changes the tempo once more. 96 ticks a quarter note:
  //   0..192 at 600,000 us:   2 quarters = 1.2 s
  //   192..480 at 400,000 us: 3 quarters = 1.2 s
  //   480..9600 at 1,000,000 us: 95 quarters = 95 s   -> 97.4 s in all.
  cases.push_back({"tempo_map.mid",
                   Smf(1, 96,
                       {Track({{0, Tempo(600000)}, {192, Tempo(400000)}}),
                        Track({{0, {0xC0, 5}}, {0, kNoteOn}, {9600, {60, 0}}}),
                        Track({{480, Tempo(1000000)}})}),
                   97400, 100});
  // Running status across many notes: 200 notes of 240 ticks at 120 bpm.
  std::vector<MidiEvent> notes = {{0, {0x90, 60, 90}}};
  for (int i = 0; i < 200; ++i) notes.push_back({240, {static_cast<BYTE>(60 + i % 12), static_cast<BYTE>(i % 2 ? 0 : 90)}});
  cases.push_back({"running_status.mid", Smf(0, 480, {Track(notes)}), 200 * 250, 120});
  // SMPTE: 25 frames of 40 ticks, 1000 ticks a second; tempo changes do not count.
  cases.push_back({"smpte.mid",
                   Smf(0, ((256 - 25) << 8) | 40,
                       {Track({{0, Tempo(250000)}, {0, kNoteOn}, {61500, kNoteOff}})}),
                   61500, 25});
  // Over an hour.
  cases.push_back({"long.mid", PlainSong(3725), 3725000, 120});
  return cases;
}

TEST_F(MidiFileTest, LengthInSecondsAndTempo) {
  for (const LengthCase& c : LengthCases()) {
    SCOPED_TRACE(c.name);
    RawRecord raw;
    const std::string name = miotest::WriteFile(c.name, c.file);
    ASSERT_TRUE(Info(1, name, &raw));
    EXPECT_EQ(raw.U32(0), c.file.size());
    EXPECT_EQ(raw.U32(5134), c.milliseconds / 1000);
    EXPECT_EQ(raw.U32(5138), c.tempo);
    EXPECT_EQ(raw.U16(8), 48);
    EXPECT_EQ(raw.U16(5144), 48);
    EXPECT_EQ(raw.U16(12), 3);
    EXPECT_EQ(raw.Text(14), "");
  }
}

// Runs the MIDI box on the file and returns its length and tempo texts.
std::pair<std::string, std::string> MidiBoxTexts(LONG index, const std::string& name) {
  std::pair<std::string, std::string> texts;
  lvtest::StepAgent reader({[&texts](HWND dialog) {
    texts = {lvtest::ControlText(dialog, IDC_MIDI_LENGTH),
             lvtest::ControlText(dialog, IDC_MIDI_TEMPO)};
    lv::Click(lv::FindControl(dialog, IDOK));
  }});
  Audio().showInfoBox(index, 0, name.c_str());
  return texts;
}

TEST_F(MidiFileTest, LengthBoxShowsMinutesAndSeconds) {
  EXPECT_EQ(MidiBoxTexts(1, miotest::WriteFile("box75.mid", PlainSong(75))),
            std::make_pair(std::string("01:15"), std::string("120")));
  EXPECT_EQ(MidiBoxTexts(1, miotest::WriteFile("box3725.mid", PlainSong(3725))),
            std::make_pair(std::string("**:**"), std::string("120")));
  EXPECT_EQ(MidiBoxTexts(1, miotest::WriteFile("box65535.mid", PlainSong(65535))),
            std::make_pair(std::string(""), std::string("")));
}

TEST_F(MidiFileTest, RmiFileWithPictureTextsAndSong) {
  const std::vector<BYTE> picture = miotest::PackedDib(64, 40, 9);
  std::vector<BYTE> display;
  miotest::Put32(display, 8);
  display.insert(display.end(), picture.begin(), picture.end());
  std::vector<BYTE> text;
  miotest::Put32(text, 1);
  miotest::PutText(text, "Lied zum Geburtstag");
  text.push_back(0);
  const std::vector<BYTE> file =
      Form("RIFF", "RMID",
           {Chunk("data", PlainSong(75)), Chunk("DISP", text), Chunk("DISP", display),
            Form("LIST", "INFO", {Chunk("ISBJ", {'F', 'e', 's', 't', 0})})});
  const std::string name = miotest::WriteFile("song.rmi", file);
  RawRecord raw;
  ASSERT_TRUE(Info(2, name, &raw));
  EXPECT_EQ(raw.U32(5134), 75u);
  EXPECT_EQ(raw.U32(5138), 120u);
  EXPECT_EQ(raw.Text(14), "Fest");
  EXPECT_EQ(raw.Text(4110), "Lied zum Geburtstag");
  EXPECT_EQ(raw.U16(8), 64);
  EXPECT_EQ(raw.U16(10), 40);
  EXPECT_EQ(raw.U16(5142), 64);
  EXPECT_EQ(raw.U16(5144), 40);
  HGLOBAL thumbnail = Audio().readThumbnail(2, name.c_str(), 0, 0);
  ASSERT_NE(thumbnail, 0u);
  EXPECT_EQ(miotest::TakeGlobal(thumbnail), picture);
  // As a plain MIDI file the same name has no picture of its own.
  HGLOBAL keyboard = Audio().readThumbnail(1, name.c_str(), 0, 0);
  ASSERT_NE(keyboard, 0u);
  const std::vector<BYTE> builtIn = miotest::TakeGlobal(keyboard);
  ASSERT_GE(builtIn.size(), 40u);
  EXPECT_EQ(builtIn[4], 48);
}

TEST_F(MidiFileTest, BrokenFilesCannotBeOpened) {
  std::vector<BYTE> trackPastEnd = PlainSong(3);
  trackPastEnd[21] = 0x7F;  // the track's length, far past the end
  std::vector<BYTE> cut = PlainSong(3);
  cut.resize(cut.size() - 3);
  const std::pair<const char*, std::vector<BYTE>> cases[] = {
      {"running_without_status.mid", Smf(0, 96, {Track({{0, {60, 100}}})})},
      {"track_past_end.mid", trackPastEnd},
      {"cut.mid", cut},
      {"zero_division.mid", Smf(0, 0, {Track({{10, kNoteOn}})})},
      {"no_header.mid", {'R', 'I', 'F', 'F'}},
      {"rmi_without_data.rmi", Form("RIFF", "RMID", {Chunk("DISP", {1, 0, 0, 0, 'x', 0})})},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    c32ResetDLLErrInfo();
    RawRecord raw;
    EXPECT_FALSE(Info(std::string(name).ends_with(".rmi") ? 2 : 1, miotest::WriteFile(name, bytes), &raw));
    miotest::ExpectError(2, 5);
  }
}

}  // namespace
