// File information for 1,000 mixed audio files (WAV, VOC, MIDI and RMI, 250
// of each, made in a temporary folder), read through the media module's
// export as the host's album reads them. Reports the time per file overall
// and per format; the goal is under 1 ms per file.
#include <benchmark/benchmark.h>

#include <windows.h>

#include <audioinfo.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kFilesPerFormat = 250;

using Bytes = std::vector<uint8_t>;

void Le(Bytes& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void Be(Bytes& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void Text(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

Bytes Chunk(const std::string& id, const Bytes& data) {
  Bytes out;
  Text(out, id);
  Le(out, static_cast<uint32_t>(data.size()), 4);
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() % 2) out.push_back(0);
  return out;
}

Bytes Form(const std::string& id, const std::string& type, const std::vector<Bytes>& chunks) {
  Bytes body;
  Text(body, type);
  for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
  Bytes out;
  Text(out, id);
  Le(out, static_cast<uint32_t>(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes InfoList(int n) {
  Bytes subject;
  Text(subject, "Aufnahme " + std::to_string(n));
  subject.push_back(0);
  return Form("LIST", "INFO", {Chunk("ISBJ", subject)});
}

// A PCM WAV file of a tenth of a second with an INFO list.
Bytes Wave(int n) {
  const uint32_t rates[] = {8000, 11025, 22050, 44100};
  const uint32_t rate = rates[n % 4];
  const uint16_t channels = 1 + n % 2;
  const uint16_t align = channels * 2;
  Bytes format;
  Le(format, 1, 2);
  Le(format, channels, 2);
  Le(format, rate, 4);
  Le(format, rate * align, 4);
  Le(format, align, 2);
  Le(format, 16, 2);
  Bytes data(rate / 10 * align, 0x10);
  return Form("RIFF", "WAVE", {Chunk("fmt ", format), InfoList(n), Chunk("data", data)});
}

// An 8-bit mono VOC file with a text block and a tenth of a second of sound.
Bytes Voc(int n) {
  Bytes out;
  Text(out, "Creative Voice File");
  out.push_back(0x1A);
  Le(out, 26, 2);
  Le(out, 0x010A, 2);
  Le(out, 0x1129, 2);
  const std::string text = "Stimme " + std::to_string(n);
  out.push_back(5);
  Le(out, static_cast<uint32_t>(text.size() + 1), 3);
  Text(out, text);
  out.push_back(0);
  out.push_back(1);
  Le(out, 2 + 800, 3);
  out.push_back(131);
  out.push_back(0);
  out.insert(out.end(), 800, 0x80);
  out.push_back(0);
  return out;
}

void VarLen(Bytes& out, uint32_t value) {
  uint8_t bytes[5];
  int count = 0;
  do {
    bytes[count++] = value & 0x7F;
    value >>= 7;
  } while (value);
  while (count > 1) out.push_back(bytes[--count] | 0x80);
  out.push_back(bytes[0]);
}

// A two-track MIDI file: a tempo map and 200 notes in running status.
Bytes Midi(int n) {
  Bytes tempoTrack;
  for (int i = 0; i < 4; ++i) {
    VarLen(tempoTrack, i == 0 ? 0 : 480 * 8);
    Text(tempoTrack, "\xFF\x51\x03");
    Be(tempoTrack, 400000 + 50000 * ((n + i) % 4), 3);
  }
  Text(tempoTrack, std::string("\x00\xFF\x2F\x00", 4));
  Bytes notes;
  VarLen(notes, 0);
  notes.push_back(0x90);
  notes.push_back(60);
  notes.push_back(64);
  for (int i = 0; i < 200; ++i) {
    VarLen(notes, 120);
    notes.push_back(60 + i % 12);
    notes.push_back(i % 2 ? 0 : 64);
  }
  Text(notes, std::string("\x00\xFF\x2F\x00", 4));
  Bytes out;
  Text(out, "MThd");
  Be(out, 6, 4);
  Be(out, 1, 2);
  Be(out, 2, 2);
  Be(out, 480, 2);
  for (const Bytes* track : {&tempoTrack, &notes}) {
    Text(out, "MTrk");
    Be(out, static_cast<uint32_t>(track->size()), 4);
    out.insert(out.end(), track->begin(), track->end());
  }
  return out;
}

// The MIDI file inside an RMID form with a display text and an INFO list.
Bytes Rmi(int n) {
  Bytes display;
  Le(display, 1, 4);
  Text(display, "Lied " + std::to_string(n));
  display.push_back(0);
  return Form("RIFF", "RMID", {Chunk("data", Midi(n)), Chunk("DISP", display), InfoList(n)});
}

struct BenchFile {
  LONG index;
  std::string winPath;
};

std::string WinPath(const std::filesystem::path& path) {
  char win[MAX_PATH * 2] = {};
  lvUnixPathToWin(path.string().c_str(), win, sizeof win);
  return win;
}

// The 1,000 files, written once into a temporary folder removed at exit.
const std::vector<BenchFile>& Files() {
  static std::filesystem::path folder;
  static std::vector<BenchFile> files = [] {
    folder = std::filesystem::temp_directory_path() / ("audio_bench_" + std::to_string(GetTickCount()));
    std::filesystem::create_directories(folder);
    std::atexit([] { std::filesystem::remove_all(folder); });
    std::vector<BenchFile> made;
    const struct {
      LONG index;
      const char* extension;
      Bytes (*make)(int);
    } kinds[] = {{MIO_FORMAT_WAV, "wav", Wave}, {MIO_FORMAT_VOC, "voc", Voc},
                 {MIO_FORMAT_MIDI, "mid", Midi}, {MIO_FORMAT_RMI, "rmi", Rmi}};
    for (int n = 0; n < kFilesPerFormat; ++n) {
      for (const auto& kind : kinds) {
        const std::filesystem::path path = folder / ("f" + std::to_string(n) + "." + kind.extension);
        const Bytes bytes = kind.make(n);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        made.push_back({kind.index, WinPath(path)});
      }
    }
    return made;
  }();
  return files;
}

MIOGETFILEINFO LoadGetFileInfo() {
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
  const std::string path = WinPath(exe.parent_path().parent_path() / "modules" / "audioinfo.mio");
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) return nullptr;
  return reinterpret_cast<MIOGETFILEINFO>(GetProcAddress(module, "mioGetFileInfo"));
}

// Runs the information call on every file of the given format (or all with -1).
void RunFiles(benchmark::State& state, LONG only) {
  static MIOGETFILEINFO getFileInfo = LoadGetFileInfo();
  if (!getFileInfo) {
    state.SkipWithError("audioinfo.mio not loaded");
    return;
  }
  Files();  // made before the clock runs
  auto info = std::make_unique<MIOFILEINFO>();
  int64_t files = 0;
  for (auto _ : state) {
    for (const BenchFile& file : Files()) {
      if (only >= 0 && file.index != only) continue;
      if (!getFileInfo(file.index, file.winPath.c_str(), 0, info.get())) {
        state.SkipWithError(("information call failed: " + file.winPath).c_str());
        return;
      }
      ++files;
    }
  }
  state.counters["files"] = benchmark::Counter(static_cast<double>(files));
  state.counters["per_file"] =
      benchmark::Counter(static_cast<double>(files), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_MixedFiles(benchmark::State& state) { RunFiles(state, -1); }
void BM_WavFiles(benchmark::State& state) { RunFiles(state, MIO_FORMAT_WAV); }
void BM_VocFiles(benchmark::State& state) { RunFiles(state, MIO_FORMAT_VOC); }
void BM_MidiFiles(benchmark::State& state) { RunFiles(state, MIO_FORMAT_MIDI); }
void BM_RmiFiles(benchmark::State& state) { RunFiles(state, MIO_FORMAT_RMI); }

BENCHMARK(BM_MixedFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WavFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VocFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MidiFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RmiFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
