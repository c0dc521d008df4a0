// The MCI sequencer on MIDI files built here: length and tempo under tempo
// maps spread over tracks, running status, system exclusive and meta events,
// SMPTE division, RMI files, and refusal of broken files.
#include <gtest/gtest.h>
#include <mmsystem.h>

#include <algorithm>

#include "mmfiles.h"

using namespace mmtest;

namespace {

// A tempo change for the reference computation.
struct Change {
  uint64_t tick;
  uint32_t tempo;
};

// Milliseconds of `ticks` under the tempo changes (sorted), rounded to the
// nearest: the sum of each stretch's ticks x microseconds per quarter / division.
uint64_t ExpectedMillis(std::vector<Change> changes, uint64_t ticks, uint32_t division) {
  long double micros = 0;
  uint64_t at = 0;
  uint32_t tempo = 500000;
  for (const Change& c : changes) {
    micros += static_cast<long double>(c.tick - at) * tempo / division;
    at = c.tick;
    tempo = c.tempo;
  }
  micros += static_cast<long double>(ticks - at) * tempo / division;
  return static_cast<uint64_t>(micros / 1000 + 0.5L);
}

struct Timing {
  MCIERROR openError = 0;
  DWORD_PTR length = 0;
  DWORD_PTR tempo = 0;
  DWORD_PTR divType = 0;
};

// Opens the file as the media module does (type "sequencer", element), asks
// for the tempo, sets milliseconds, asks for the length, closes.
Timing Measure(const std::string& name) {
  Timing t;
  MCI_OPEN_PARMSA open{};
  open.lpstrDeviceType = "sequencer";
  open.lpstrElementName = name.c_str();
  t.openError = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&open));
  if (t.openError) return t;
  MCI_STATUS_PARMS status{};
  status.dwItem = MCI_SEQ_STATUS_TEMPO;
  EXPECT_EQ(mciSendCommandA(open.wDeviceID, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)), 0u);
  t.tempo = status.dwReturn;
  MCI_SET_PARMS set{};
  set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
  EXPECT_EQ(mciSendCommandA(open.wDeviceID, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)), 0u);
  status.dwItem = MCI_STATUS_LENGTH;
  EXPECT_EQ(mciSendCommandA(open.wDeviceID, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)), 0u);
  t.length = status.dwReturn;
  status.dwItem = MCI_SEQ_STATUS_DIVTYPE;
  EXPECT_EQ(mciSendCommandA(open.wDeviceID, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)), 0u);
  t.divType = status.dwReturn;
  EXPECT_EQ(mciSendCommandA(open.wDeviceID, MCI_CLOSE, 0, 0), 0u);
  return t;
}

// Format 1 at 480 ticks per quarter: the conductor track changes the tempo at
// 960, a melody track at 2880 and ends last at 4800, a third track ends early.
Bytes TempoMapFile() {
  Track conductor, melody, bass;
  conductor.Tempo(0, 500000).Tempo(960, 400000).End(0);
  melody.Note(0, 60).Event(0, {0x90, 60, 0}).Tempo(2880, 1000000).Note(1920, 64).End(0);
  bass.Note(100, 40).End(200);
  return Smf(1, 480, {conductor, melody, bass});
}

struct LengthCase {
  const char* name;
  Bytes file;
  uint64_t millis;
  DWORD tempo;
};

std::vector<LengthCase> LengthCases() {
  std::vector<LengthCase> cases;
  {
    Track t;
    t.Note(0, 60).Note(384, 62).End(0);
    cases.push_back({"format 0, default tempo", Smf(0, 96, {t}), ExpectedMillis({}, 384, 96), 120});
  }
  {
    // Running status: note-on 0x90 once, then data bytes only, across a
    // program change (one data byte) and its own running status.
    Track t;
    t.Tempo(0, 600000).Event(0, {0x90, 60, 100}).Event(240, {62, 100}).Event(240, {64, 100});
    t.Event(0, {0xC0, 5}).Event(240, {6}).Event(240, {0x80, 60, 0}).Event(0, {62, 0}).End(0);
    cases.push_back({"format 0, running status", Smf(0, 480, {t}), ExpectedMillis({{0, 600000}}, 960, 480), 100});
  }
  cases.push_back({"format 1, tempo map across tracks", TempoMapFile(),
                   ExpectedMillis({{0, 500000}, {960, 400000}, {2880, 1000000}}, 4800, 480), 120});
  {
    // System exclusive (F0 and F7 forms) and meta events with bodies are
    // skipped by their lengths; their bytes look like status bytes.
    Track t;
    t.Event(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7}).Event(10, {0xF7, 0x02, 0xFF, 0x2F});
    Bytes text{0xFF, 0x01, 0x81, 0x00};  // text event of 128 bytes
    text.resize(text.size() + 128, 0xFF);
    t.Event(10, text).Event(0, {0xFF, 0x58, 0x04, 4, 2, 24, 8}).Tempo(980, 250000).End(1000);
    cases.push_back({"sysex and meta events", Smf(0, 500, {t}),
                     ExpectedMillis({{1000, 250000}}, 2000, 500), 120});
  }
  {
    Track a, b;
    a.Tempo(0, 1000000).Note(960, 60).End(0);  // 2 quarters at 60 bpm: 2 s
    b.Note(480, 60).End(0);                     // 1 quarter at the default tempo: 0.5 s
    cases.push_back({"format 2, songs one after another", Smf(2, 480, {a, b}), 2500, 60});
  }
  {
    // 25 frames x 40 ticks: 1000 ticks a second; tempo changes do not count.
    Track t;
    t.Tempo(0, 250000).Note(2500, 60).End(0);
    cases.push_back({"SMPTE 25", Smf(0, 0xE728, {t}), 2500, 25});
  }
  {
    // Drop-frame: 30000/1001 frames a second, 100 ticks a frame.
    Track t;
    t.Note(3000, 60).End(0);
    cases.push_back({"SMPTE 30 drop frame", Smf(0, 0xE364, {t}), 1001, 30});
  }
  {
    // 150 quarters at 120 beats per minute: 75 seconds.
    Track t;
    for (int i = 0; i < 150; ++i) t.Note(480, 60);
    t.End(0);
    cases.push_back({"75 seconds", Smf(0, 480, {t}), 75000, 120});
  }
  {
    // No end-of-track event: the track ends with its chunk. An unknown chunk
    // between header and track is skipped.
    Track t;
    t.Tempo(0, 750000).Note(960, 60);
    Bytes file = Smf(0, 480, {});
    file[11] = 1;  // one track announced
    Append(file, Text("XFIH"));
    Append(file, Be32(3));
    Append(file, {1, 2, 3});
    Append(file, t.Chunk());
    cases.push_back({"no end of track, alien chunk", file, 1500, 80});
  }
  return cases;
}

TEST(Sequencer, LengthAndTempoFollowTheTempoMap) {
  for (const LengthCase& c : LengthCases()) {
    SCOPED_TRACE(c.name);
    Timing t = Measure(WriteFile("song.mid", c.file));
    ASSERT_EQ(t.openError, 0u);
    EXPECT_EQ(t.length, c.millis);
    EXPECT_EQ(t.tempo, c.tempo);
  }
}

TEST(Sequencer, TempoMapLengthIsTheHandComputedValue) {
  // 960 ticks at 0.5 s, 1920 at 0.4 s and 1920 at 1 s per quarter of 480 ticks.
  Timing t = Measure(WriteFile("map.mid", TempoMapFile()));
  EXPECT_EQ(t.length, 1000u + 1600u + 4000u);
  EXPECT_EQ(t.divType, static_cast<DWORD_PTR>(MCI_SEQ_DIV_PPQN));
}

TEST(Sequencer, RmiFilesOpenLikeTheirMidiData) {
  Bytes smf = TempoMapFile();
  Bytes rmi = Form("RIFF", "RMID",
                   {Form("LIST", "INFO", {Chunk("ISBJ", Text(std::string("Lied", 5)))}), Chunk("data", smf)});
  Timing t = Measure(WriteFile("song.rmi", rmi));
  ASSERT_EQ(t.openError, 0u);
  EXPECT_EQ(t.length, 6600u);
  EXPECT_EQ(t.tempo, 120u);
}

TEST(Sequencer, SmpteFilesReportFramesAndDivisionType) {
  struct Case {
    uint16_t division;
    DWORD frames;
    DWORD divType;
  } cases[] = {{0xE828, 24, MCI_SEQ_DIV_SMPTE_24},
               {0xE728, 25, MCI_SEQ_DIV_SMPTE_25},
               {0xE328, 30, MCI_SEQ_DIV_SMPTE_30DROP},
               {0xE228, 30, MCI_SEQ_DIV_SMPTE_30}};
  for (const Case& c : cases) {
    Track t;
    t.Note(40 * c.frames, 60).End(0);  // one second (drop frame: a little longer)
    Timing m = Measure(WriteFile("smpte.mid", Smf(0, c.division, {t})));
    ASSERT_EQ(m.openError, 0u) << c.division;
    EXPECT_EQ(m.tempo, c.frames);
    EXPECT_EQ(m.divType, c.divType);
    EXPECT_EQ(m.length, c.divType == MCI_SEQ_DIV_SMPTE_30DROP ? 1001u : 1000u);
  }
}

struct BrokenCase {
  const char* name;
  Bytes file;
};

std::vector<BrokenCase> BrokenCases() {
  Track good;
  good.Note(10, 60).End(0);
  std::vector<BrokenCase> cases;
  auto add = [&](const char* name, Bytes file) { cases.push_back({name, std::move(file)}); };
  {
    Bytes f = Smf(0, 480, {good});
    f[21] = 0x40;  // track length past the end
    add("track past end", f);
  }
  {
    Track t;
    t.Event(0, {60, 100}).End(0);
    add("running status with no status", Smf(0, 480, {t}));
  }
  {
    Track t;
    t.Note(0, 60).Event(0, {0x90, 60});
    add("truncated event", Smf(0, 480, {t}));
  }
  {
    Track t;
    t.Event(0, {0xF0, 0x7F, 1, 2});
    add("sysex past track", Smf(0, 480, {t}));
  }
  {
    Track t;
    t.Event(0, {0xFF, 0x01, 0x8F, 0xFF, 0xFF, 0x7F});
    add("meta length past track", Smf(0, 480, {t}));
  }
  {
    Track t;
    t.bytes = {0x81, 0x80, 0x80, 0x80, 0x00, 0x90, 60, 100};
    add("five-byte delta", Smf(0, 480, {t}));
  }
  {
    Track t;
    t.Event(0, {0xF2, 0x00, 0x00});
    add("song position in a file", Smf(0, 480, {t}));
  }
  {
    Bytes f = Smf(1, 480, {good});
    f[11] = 3;
    add("fewer tracks than announced", f);
  }
  add("zero division", Smf(0, 0, {good}));
  add("unknown SMPTE rate", Smf(0, 0xE928, {good}));
  add("zero ticks per frame", Smf(0, 0xE700, {good}));
  add("format 3", Smf(3, 480, {good}));
  add("no tracks", Smf(1, 480, {}));
  {
    Bytes f = Smf(0, 480, {good});
    f[4] = 0xFF, f[5] = 0xFF, f[6] = 0xFF, f[7] = 0xFF;
    add("header length past end", f);
  }
  add("not a MIDI file", Text("RIFF is not here, nor MThd"));
  add("empty file", {});
  add("RMI without data chunk", Form("RIFF", "RMID", {Chunk("LIST", Text("INFO"))}));
  add("RMI data past form", Form("RIFF", "RMID", {Chunk("data", Smf(0, 480, {good}), 4000)}));
  add("RIFF of another kind", Form("RIFF", "WAVE", {Chunk("data", Smf(0, 480, {good}))}));
  return cases;
}

TEST(Sequencer, BrokenFilesAreRefusedAsInvalid) {
  for (const BrokenCase& c : BrokenCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Measure(WriteFile("broken.mid", c.file)).openError, static_cast<MCIERROR>(MCIERR_INVALID_FILE));
  }
}

TEST(Sequencer, OpenChoosesTheDeviceByTypeOrExtension) {
  Track t;
  t.Note(480, 60).End(0);
  Bytes smf = Smf(0, 480, {t});
  std::string mid = WriteFile("a.mid", smf), dat = WriteFile("a.dat", smf);
  MCI_OPEN_PARMSA p{};
  p.lpstrElementName = mid.c_str();
  ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&p)), 0u);
  EXPECT_EQ(mciSendCommandA(p.wDeviceID, MCI_CLOSE, 0, 0), 0u);
  p.lpstrElementName = dat.c_str();
  EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&p)),
            static_cast<MCIERROR>(MCIERR_EXTENSION_NOT_FOUND));
  p.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_SEQUENCER));
  ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_OPEN_TYPE_ID, reinterpret_cast<DWORD_PTR>(&p)), 0u);
  EXPECT_EQ(mciSendCommandA(p.wDeviceID, MCI_CLOSE, 0, 0), 0u);
  p.lpstrDeviceType = "waveaudio";
  EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_OPEN_TYPE, reinterpret_cast<DWORD_PTR>(&p)),
            static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_NAME));
  p.lpstrDeviceType = "sequencer";
  p.lpstrElementName = "C:\\missing.mid";
  EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_OPEN_TYPE, reinterpret_cast<DWORD_PTR>(&p)),
            static_cast<MCIERROR>(MCIERR_FILE_NOT_FOUND));
  EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE, 0), static_cast<MCIERROR>(MCIERR_NULL_PARAMETER_BLOCK));
}

TEST(Sequencer, TimeFormatsAndStatusErrors) {
  std::string name = WriteFile("fmt.mid", TempoMapFile());
  MCI_OPEN_PARMSA p{};
  p.lpstrElementName = name.c_str();
  ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&p)), 0u);
  MCIDEVICEID id = p.wDeviceID;
  MCI_SET_PARMS set{};
  MCI_STATUS_PARMS status{};
  auto ask = [&](DWORD item) {
    status.dwItem = item;
    return mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status));
  };
  set.dwTimeFormat = MCI_SEQ_FORMAT_SONGPTR;
  ASSERT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)), 0u);
  ASSERT_EQ(ask(MCI_STATUS_LENGTH), 0u);
  EXPECT_EQ(status.dwReturn, 4800u * 4 / 480) << "sixteenth notes";
  ASSERT_EQ(ask(MCI_STATUS_TIME_FORMAT), 0u);
  EXPECT_EQ(status.dwReturn, static_cast<DWORD_PTR>(MCI_SEQ_FORMAT_SONGPTR));
  set.dwTimeFormat = MCI_FORMAT_SMPTE_25;
  EXPECT_EQ(mciSendCommandA(id, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)),
            static_cast<MCIERROR>(MCIERR_BAD_TIME_FORMAT));
  ASSERT_EQ(ask(MCI_STATUS_MODE), 0u);
  EXPECT_EQ(status.dwReturn, static_cast<DWORD_PTR>(MCI_MODE_STOP));
  EXPECT_EQ(ask(0x7777), static_cast<MCIERROR>(MCIERR_UNSUPPORTED_FUNCTION));
  EXPECT_EQ(mciSendCommandA(id, MCI_STATUS, 0, reinterpret_cast<DWORD_PTR>(&status)),
            static_cast<MCIERROR>(MCIERR_MISSING_PARAMETER));
  EXPECT_EQ(mciSendCommandA(id, MCI_PLAY, 0, 0), static_cast<MCIERROR>(MCIERR_UNSUPPORTED_FUNCTION));
  EXPECT_EQ(mciSendCommandA(id, MCI_CLOSE, 0, 0), 0u);
  EXPECT_EQ(mciSendCommandA(id, MCI_CLOSE, 0, 0), static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID));
  EXPECT_EQ(ask(MCI_STATUS_LENGTH), static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID));

  Track t;
  t.Note(25, 60).End(0);
  std::string smpte = WriteFile("smpte.mid", Smf(0, 0xE701, {t}));
  p.lpstrElementName = smpte.c_str();
  ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT, reinterpret_cast<DWORD_PTR>(&p)), 0u);
  set.dwTimeFormat = MCI_SEQ_FORMAT_SONGPTR;
  EXPECT_EQ(mciSendCommandA(p.wDeviceID, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&set)),
            static_cast<MCIERROR>(MCIERR_SEQ_DIV_INCOMPATIBLE));
  EXPECT_EQ(mciSendCommandA(MCI_ALL_DEVICE_ID, MCI_CLOSE, 0, 0), 0u);
  EXPECT_EQ(mciSendCommandA(p.wDeviceID, MCI_CLOSE, 0, 0), static_cast<MCIERROR>(MCIERR_INVALID_DEVICE_ID));
}

}  // namespace

namespace {

TEST(Sequencer, NotifyPostsTheResultToTheCallbackWindow) {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, 0, 0, 0, nullptr);
  ASSERT_NE(window, 0u);
  Track t;
  t.Note(480, 60).End(0);
  std::string name = WriteFile("notify.mid", Smf(0, 480, {t}));
  MCI_OPEN_PARMSA p{};
  p.dwCallback = window;
  p.lpstrElementName = name.c_str();
  ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&p)), 0u);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, window, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
  EXPECT_EQ(msg.lParam, static_cast<LPARAM>(p.wDeviceID));
  MCI_STATUS_PARMS status{};
  status.dwItem = MCI_STATUS_LENGTH;
  EXPECT_EQ(mciSendCommandA(p.wDeviceID, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)), 0u);
  EXPECT_FALSE(PeekMessageA(&msg, window, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE)) << "only when asked for";
  EXPECT_EQ(mciSendCommandA(p.wDeviceID, MCI_CLOSE, 0, 0), 0u);
  DestroyWindow(window);
}

}  // namespace
