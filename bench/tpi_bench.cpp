// TPI module benchmark: reading and writing a 4000 x 3000 true-colour file
// through the module's exports, beside a plain copy of the same bytes (the
// file read into memory and written out again). bench/tpi_bench.sh runs it
// beside ImageMagick on the same image as BMP and reports the ratios.
#include <benchmark/benchmark.h>

#include <windows.h>

#include <tpifio.h>

#include <cstring>
#include <vector>

namespace {

constexpr LONG kWidth = 4000;
constexpr LONG kHeight = 3000;
const char kTpiPath[] = "C:\\temp\\tpi_bench.tpi";
const char kCopyPath[] = "C:\\temp\\tpi_bench_copy.tpi";

struct Module {
  TFBMPGETFILEDATA getFileData = nullptr;
  TFBMPFILEREAD fileRead = nullptr;
  TFBMPFILEWRITE fileWrite = nullptr;
};

template <typename Function>
Function Bind(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(GetProcAddress(module, name));
}

const Module& Tpi() {
  static Module m = [] {
    Module loaded;
    HMODULE module = LoadLibraryA("tpiformat.fio");
    if (!module) return loaded;
    loaded.getFileData = Bind<TFBMPGETFILEDATA>(module, "tfBmpGetFileData");
    loaded.fileRead = Bind<TFBMPFILEREAD>(module, "tfBmpFileRead");
    loaded.fileWrite = Bind<TFBMPFILEWRITE>(module, "tfBmpFileWrite");
    return loaded;
  }();
  return m;
}

// The host image, red-green-blue rows top first, as one block.
std::vector<BYTE>& HostImage() {
  static std::vector<BYTE> image = [] {
    std::vector<BYTE> pixels(static_cast<size_t>(kWidth) * kHeight * 3);
    for (LONG y = 0; y < kHeight; ++y) {
      BYTE* row = pixels.data() + static_cast<size_t>(y) * kWidth * 3;
      for (LONG x = 0; x < kWidth; ++x) {
        row[3 * x] = static_cast<BYTE>(x);
        row[3 * x + 1] = static_cast<BYTE>(y);
        row[3 * x + 2] = static_cast<BYTE>(x ^ y);
      }
    }
    return pixels;
  }();
  return image;
}

BYTE* g_row = nullptr;

BYTE** ServeRow(TFTRANSFER*, LONG, LONG row, LONG, LONG, LONG, LONG, LONG) {
  g_row = HostImage().data() + static_cast<size_t>(row) * kWidth * 3;
  return &g_row;
}

// The host copies each delivered row into its own image.
LONG TakeRow(TFTRANSFER*, LONG, LONG row, LONG width, LONG, BYTE** rows, LONG, LONG, LONG) {
  std::memcpy(HostImage().data() + static_cast<size_t>(row) * kWidth * 3, rows[0],
              static_cast<size_t>(width) * 3);
  return 1;
}

HGLOBAL NewRecord() {
  HGLOBAL record = GlobalAlloc(GHND, TFD_RECORD_SIZE);
  BYTE* r = static_cast<BYTE*>(GlobalLock(record));
  const LONG values[][2] = {{TFD_WIDTH, kWidth}, {TFD_HEIGHT, kHeight}, {TFD_DATA_TYPE, 2},
                            {TFD_BITS, 24},      {TFD_XRES, 720000},   {TFD_YRES, 720000}};
  for (const auto& v : values) std::memcpy(r + v[0], &v[1], 4);
  GlobalUnlock(record);
  return record;
}

bool WriteTpi() {
  HANDLE file = CreateFileA(kTpiPath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0);
  if (file == INVALID_HANDLE_VALUE) return false;
  HGLOBAL record = NewRecord();
  TFTRANSFER t = {};
  t.width = kWidth;
  t.rows = kHeight;
  const LONG result = Tpi().fileWrite(file, record, &t, ServeRow);
  GlobalFree(record);
  CloseHandle(file);
  return result == 1;
}

void BM_TpiWrite(benchmark::State& state) {
  if (!Tpi().fileWrite) return state.SkipWithError("tpiformat.fio not loaded");
  HostImage();
  for (auto _ : state)
    if (!WriteTpi()) return state.SkipWithError("write failed");
  state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 3);
}

void BM_TpiRead(benchmark::State& state) {
  if (!Tpi().fileRead || !WriteTpi()) return state.SkipWithError("no TPI file");
  for (auto _ : state) {
    HANDLE file = CreateFileA(kTpiPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
    HGLOBAL record = Tpi().getFileData(file, 0, 0, 0);
    TFTRANSFER t = {};
    t.width = kWidth;
    t.rows = kHeight;
    const LONG result = Tpi().fileRead(file, 0, record, &t, TakeRow, 0);
    GlobalFree(record);
    CloseHandle(file);
    if (result != 1) return state.SkipWithError("read failed");
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 3);
}

// The same bytes read whole into memory and written out whole.
void BM_PlainCopy(benchmark::State& state) {
  if (!WriteTpi()) return state.SkipWithError("no TPI file");
  for (auto _ : state) {
    HANDLE in = CreateFileA(kTpiPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
    std::vector<BYTE> bytes(GetFileSize(in, nullptr));
    DWORD read = 0;
    ReadFile(in, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(in);
    HANDLE out = CreateFileA(kCopyPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0);
    DWORD written = 0;
    WriteFile(out, bytes.data(), read, &written, nullptr);
    CloseHandle(out);
    benchmark::DoNotOptimize(written);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 3);
}

BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TpiRead)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TpiWrite)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
