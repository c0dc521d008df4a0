// End-to-end: "lumivex audio" run as a user would, with the staged audio
// media module, on sound files built here.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imageio.h"
#include "run_program.h"
#include "testsupport.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

using Result = lvhosttest::ProgramResult;
using lvhosttest::Slurp;

void Put(Bytes& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A VOC file: a text block and one sound block of `samples` 8-bit samples at
// 1,000,000 / (256 - timeConstant) samples per second. `check` is the value
// that must add up with the version 0x010A to 0x1233.
Bytes Voc(const std::string& text, uint32_t samples, uint8_t timeConstant, uint16_t check = 0x1129) {
  std::string magic = "Creative Voice File\x1A";
  Bytes b(magic.begin(), magic.end());
  Put(b, 26, 2);
  Put(b, 0x010A, 2);
  Put(b, check, 2);
  b.push_back(5);
  Put(b, static_cast<uint32_t>(text.size() + 1), 3);
  b.insert(b.end(), text.begin(), text.end());
  b.push_back(0);
  b.push_back(1);
  Put(b, samples + 2, 3);
  b.push_back(timeConstant);
  b.push_back(0);
  b.resize(b.size() + samples, 0x80);
  b.push_back(0);
  return b;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A RIFF chunk with its pad byte.
Bytes Chunk(const std::string& id, const Bytes& data) {
  Bytes b = Text(id);
  Put(b, static_cast<uint32_t>(data.size()), 4);
  b.insert(b.end(), data.begin(), data.end());
  if (data.size() & 1) b.push_back(0);
  return b;
}

Bytes Form(const std::string& id, const std::string& type, const std::vector<Bytes>& children) {
  Bytes data = Text(type);
  for (const Bytes& c : children) data.insert(data.end(), c.begin(), c.end());
  return Chunk(id, data);
}

// PCM WAV: 2 channels, 16 bits, 44,100 samples per second, 176,400 data
// bytes, an INFO subject and a text display chunk; `extra` is added to the form.
Bytes Wave(const std::vector<Bytes>& extra = {}) {
  Bytes fmt;
  Put(fmt, 1, 2);
  Put(fmt, 2, 2);
  Put(fmt, 44100, 4);
  Put(fmt, 176400, 4);
  Put(fmt, 4, 2);
  Put(fmt, 16, 2);
  Bytes disp;
  Put(disp, 1, 4);
  Bytes text = Text("Anzeige");
  disp.insert(disp.end(), text.begin(), text.end());
  disp.push_back(0);
  std::vector<Bytes> children = {Chunk("fmt ", fmt), Form("LIST", "INFO", {Chunk("ISBJ", Text(std::string("Betreff", 8)))}),
                                 Chunk("DISP", disp)};
  children.insert(children.end(), extra.begin(), extra.end());
  children.push_back(Chunk("data", Bytes(176400)));
  return Form("RIFF", "WAVE", children);
}

// A bitmap display chunk: an 8 x 6 24-bit packed bitmap, all red.
Bytes BitmapDisplay() {
  Bytes d;
  Put(d, 8, 4);  // clipboard type: bitmap
  Put(d, 40, 4);
  Put(d, 8, 4);
  Put(d, 6, 4);
  Put(d, 1, 2);
  Put(d, 24, 2);
  for (int i = 0; i < 6; ++i) Put(d, 0, 4);
  for (int i = 0; i < 8 * 6; ++i) d.insert(d.end(), {0, 0, 255});
  return Chunk("DISP", d);
}

Bytes Be(uint32_t v, int bytes) {
  Bytes b;
  for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return b;
}

// Format 0, 480 ticks per quarter, 150 quarters at 120 beats per minute: 75 s.
Bytes Midi75() {
  Bytes track;
  for (int i = 0; i < 150; ++i) track.insert(track.end(), {0x83, 0x60, 0x90, 60, 100});  // delta 480
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  Bytes b = Text("MThd");
  for (const Bytes& part : {Be(6, 4), Be(0, 2), Be(1, 2), Be(480, 2), Text("MTrk"),
                            Be(static_cast<uint32_t>(track.size()), 4), track})
    b.insert(b.end(), part.begin(), part.end());
  return b;
}

class AudioCommand : public testing::Test {
 protected:
  void SetUp() override {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    dir_ = lvtest::Prefix() / "audio-e2e" / info->name();
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "prefix");
  }

  Result Run(const std::string& args, const std::string& env = "") {
    return lvhosttest::RunLumivex(dir_, dir_ / "prefix", "audio " + args, env);
  }

  void Write(const std::string& name, const Bytes& bytes) {
    std::ofstream(dir_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  lvhost::Image ReadImage(const std::string& name) {
    lvhost::Image image;
    std::string error;
    EXPECT_TRUE(lvhost::ReadImageFile((dir_ / name).string(), &image, &error)) << error;
    return image;
  }

  // Names in the test's folder other than the prefix and the given inputs.
  std::vector<std::string> Leftovers(const std::vector<std::string>& inputs) {
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(dir_)) {
      std::string n = e.path().filename().string();
      if (n != "prefix" && std::find(inputs.begin(), inputs.end(), n) == inputs.end()) names.push_back(n);
    }
    return names;
  }

  fs::path dir_;
};

TEST_F(AudioCommand, ReportsFormatsAndVocFacts) {
  Write("klang.voc", Voc("Hallo Welt", 1000, 156));
  Result r = Run("klang.voc");
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* line : {"  0  wav   MIO, Waveform   kind 4, capabilities 0x0049",
                           "  1  mid   MIO, Midi       kind 5", "  2  rmi   MIO, Midi", "  3  voc   MIO, Waveform",
                           "klang.voc\n", "  size:       1048 bytes", "  rate:       10000 samples per second",
                           "  bits:       8", "  channels:   1", "  samples:    1000", "  subject:    Hallo Welt",
                           "  thumbnail:  48 x 48"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
  }
  EXPECT_EQ(r.err, "");
}

TEST_F(AudioCommand, JsonHoldsFormatsAndFiles) {
  Write("klang.voc", Voc("Gr\xFC\xDF" "e", 500, 56));  // Windows-1252 in the file
  Write("other.voc", Voc("", 10, 156, 0x1128));
  Result r = Run("--json klang.voc other.voc");
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_EQ(r.out.front(), '{');
  EXPECT_EQ(r.out.substr(r.out.size() - 2), "}\n");
  for (const char* part : {"\"formats\": [", "{\"index\": 3, \"kind\": 4, \"extension\": \"voc\"",
                           "\"file\": \"klang.voc\", \"format\": \"voc\", \"size\": ", "\"sampleRate\": 5000",
                           "\"samples\": 500", "\"subject\": \"Grüße\"", "\"thumbnailWidth\": 48",
                           "{\"file\": \"other.voc\", \"error\": \"the audio module failed: "}) {
    EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
  }
}

TEST_F(AudioCommand, ProblemsGiveTheirExitStatus) {
  Write("klang.voc", Voc("", 100, 156));
  Write("bad.voc", Voc("", 100, 156, 0x1128));
  struct Case {
    const char* args;
    int status;
    const char* message;
  } cases[] = {
      {"bad.voc", 3, "bad.voc: the audio module failed: "},
      {"missing.voc", 4, "missing.voc: no such file"},
      {"notes.txt", 4, "notes.txt: not a sound file the audio module serves"},
      {"klang.voc missing.voc bad.voc", 4, "missing.voc: no such file"},
      {"", 2, "audio needs at least one FILE"},
      {"klang.voc --colour", 2, "unknown option '--colour' for audio"},
      {"klang.voc bad.voc --thumbnail t.png", 2, "take exactly one FILE"},
      {"klang.voc --thumbnail t.gif", 2, "must end in .png or .bmp"},
      {"klang.voc --screenshot s.bmp", 2, "a screenshot is a .png file"},
      {"klang.voc --thumbnail", 2, "option --thumbnail needs a value"},
  };
  for (const Case& c : cases) {
    Result r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << "\n" << r.err;
  }
  EXPECT_NE(Run("bad.voc").err.find("(error 20001, unit 8100, category 2, detail 6)"), std::string::npos);
  Result noModule = Run("klang.voc", "LUMIVEX_MODULES=" + lvhosttest::ShellQuote((dir_ / "none").string()));
  EXPECT_EQ(noModule.status, 3);
  EXPECT_NE(noModule.err.find("cannot load the audio module"), std::string::npos) << noModule.err;
  EXPECT_TRUE(Leftovers({"klang.voc", "bad.voc"}).empty());
}

// Output options take one value, given once, after a space or an '='.
TEST_F(AudioCommand, OutputOptionsTakeOneValueInEitherSpelling) {
  Write("klang.voc", Voc("", 100, 156));
  fs::create_directories(dir_ / "folder.wav");
  struct Case {
    const char* args;
    int status;
    const char* message;
  } cases[] = {
      {"klang.voc --thumbnail a.png --thumbnail b.png", 2, "option --thumbnail given twice"},
      {"klang.voc --screenshot=a.png --screenshot b.png", 2, "option --screenshot given twice"},
      {"klang.voc --thumbnail=", 2, "option --thumbnail needs a value"},
      {"klang.voc --thumbnail=t.gif", 2, "must end in .png or .bmp"},
      {"folder.wav", 4, "folder.wav: it is a folder, not a file"},
  };
  for (const Case& c : cases) {
    Result r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << "\n" << r.err;
  }
  EXPECT_TRUE(Leftovers({"klang.voc", "folder.wav"}).empty());
  // A file the module cannot read gets no pictures.
  Write("bad.voc", Voc("", 100, 156, 0x1128));
  for (const char* args : {"bad.voc --thumbnail t.png", "bad.voc --screenshot s.png"}) {
    Result r = Run(args);
    EXPECT_EQ(r.status, 3) << args << "\n" << r.err;
    EXPECT_NE(r.err.find("bad.voc: the audio module failed"), std::string::npos) << args << "\n" << r.err;
    EXPECT_TRUE(Leftovers({"klang.voc", "bad.voc", "folder.wav"}).empty()) << args;
  }
  Result r = Run("klang.voc --thumbnail=thumb.png");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Leftovers({"klang.voc", "bad.voc", "folder.wav"}), std::vector<std::string>{"thumb.png"});
}

TEST_F(AudioCommand, ThumbnailIsTheBuiltInPictureForVoc) {
  Write("klang.voc", Voc("", 100, 156));
  Result r = Run("klang.voc --thumbnail thumb.png");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("wrote thumb.png (48 x 48)"), std::string::npos) << r.out;
  lvhost::Image image = ReadImage("thumb.png");
  EXPECT_EQ(image.width, 48);
  EXPECT_EQ(image.height, 48);
  EXPECT_EQ(Leftovers({"klang.voc"}), std::vector<std::string>{"thumb.png"});
}

TEST_F(AudioCommand, ScreenshotShowsThePropertiesBox) {
  Write("klang.voc", Voc("", 100, 156));
  Result r = Run("klang.voc --screenshot box.png");
  ASSERT_EQ(r.status, 0) << r.err;
  lvhost::Image image = ReadImage("box.png");
  EXPECT_GT(image.width, 150);   // a 136 x 140 dialog-unit box
  EXPECT_GT(image.height, 150);
  EXPECT_EQ(Leftovers({"klang.voc"}), std::vector<std::string>{"box.png"});
  Result missingFolder = Run("klang.voc --screenshot nowhere/box.png");
  EXPECT_EQ(missingFolder.status, 4) << missingFolder.err;
}

TEST_F(AudioCommand, WaveFactsTextsAndStoredPicture) {
  Write("plain.wav", Wave());
  Write("picture.wav", Wave({BitmapDisplay()}));
  Result r = Run("plain.wav picture.wav");
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* line : {"plain.wav\n", "  rate:       44100 samples per second", "  bits:       16",
                           "  channels:   2", "  samples:    44100", "  subject:    Betreff", "  display:    Anzeige",
                           "  thumbnail:  48 x 48", "picture.wav\n", "  thumbnail:  8 x 6"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
  }
  r = Run("picture.wav --thumbnail stored.bmp");
  ASSERT_EQ(r.status, 0) << r.err;
  lvhost::Image image = ReadImage("stored.bmp");
  ASSERT_EQ(image.width, 8);
  ASSERT_EQ(image.height, 6);
  EXPECT_EQ(image.channels, 3);
  EXPECT_EQ(image.pixels[0], 255);  // red
  EXPECT_EQ(image.pixels[1], 0);
}

TEST_F(AudioCommand, MidiAndRmiLengthAndTempo) {
  Bytes midi = Midi75();
  Write("song.mid", midi);
  Write("song.rmi", Form("RIFF", "RMID", {Chunk("data", midi)}));
  Bytes broken = midi;
  broken[21] = 0x7F;  // track length past the end
  Write("broken.mid", broken);
  Result r = Run("song.mid song.rmi");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("song.mid\n  format:     MIO, Midi (mid)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("song.rmi\n  format:     MIO, Midi (rmi)"), std::string::npos) << r.out;
  size_t first = r.out.find("  length:     01:15 (75 s)\n  tempo:      120\n");
  ASSERT_NE(first, std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  length:     01:15 (75 s)", first + 1), std::string::npos) << "RMI too";
  Result bad = Run("broken.mid");
  EXPECT_EQ(bad.status, 3);
  EXPECT_NE(bad.err.find("category 2, detail 5"), std::string::npos) << bad.err;
  Result box = Run("song.mid --screenshot midi.png");
  ASSERT_EQ(box.status, 0) << box.err;
  EXPECT_GT(ReadImage("midi.png").width, 150);
}

}  // namespace
