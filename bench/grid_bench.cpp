// The grid effect on an 8000 x 6000 RGB image, run through the plug-in's
// entry point as the host runs it, against a plain copy of the same pixel
// bytes in the same run. Prints the ratio; the goal is at most 3.
#include <benchmark/benchmark.h>

#include <windows.h>

#include <effect/plugin.h>
#include <imgcore.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr LONG kWidth = 8000;
constexpr LONG kHeight = 6000;
constexpr size_t kBytes = static_cast<size_t>(kWidth) * kHeight * 3;

// The grid plug-in's parameter block: 10 x 10 cells, 3-pixel lines, border.
struct GridBlock {
  LONG rows, columns, lineWidth;
  COLORREF colour;
  LONG border, cellsToObjects, vertical, horizontal;
};

T32PIACTION LoadGridAction() {
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
  std::string path = "Z:" + (exe.parent_path().parent_path() / "modules" / "gridsplit.tpi").string();
  for (char& c : path)
    if (c == '/') c = '\\';
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) return nullptr;
  return reinterpret_cast<T32PIACTION>(reinterpret_cast<void*>(GetProcAddress(module, "t32tPiAction")));
}

HBUF MakeSource() {
  COLORREF grey = RGB(90, 120, 150);
  HBUF source = 0;
  buf32Alloc(&source, 24, kWidth, kHeight, BUF_KIND_FILLED, &grey);
  return source;
}

// memcpy of the pixel bytes into memory that is already in use.
void BM_PlainCopy(benchmark::State& state) {
  std::vector<BYTE> from(kBytes, 0x5a);
  std::vector<BYTE> to(kBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), kBytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBytes);
}

// memcpy of the pixel bytes into newly allocated memory, as every effect
// that hands back a new image must do.
void BM_PlainCopyNewMemory(benchmark::State& state) {
  std::vector<BYTE> from(kBytes, 0x5a);
  for (auto _ : state) {
    std::unique_ptr<BYTE[]> to(new BYTE[kBytes]);
    std::memcpy(to.get(), from.data(), kBytes);
    benchmark::DoNotOptimize(to.get());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBytes);
}

void BM_Grid(benchmark::State& state) {
  T32PIACTION action = LoadGridAction();
  HBUF source = MakeSource();
  if (!action || !source) {
    state.SkipWithError("gridsplit.tpi or the source image is not available");
    return;
  }
  GridBlock block = {10, 10, 3, RGB(255, 0, 0), 1, 0, 11, 11};
  for (auto _ : state) {
    HBUF result = 0;
    if (!action(nullptr, 0, T32_MODE_APPLY, 0, &block, T32_DT_RGB, source, 0, &result, nullptr)) {
      state.SkipWithError("the grid failed");
      break;
    }
    buf32Free(result);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBytes);
  buf32Free(source);
}

BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainCopyNewMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Grid)->Unit(benchmark::kMillisecond)->UseRealTime();

// Console output plus the real time per iteration of each benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (!run.error_occurred && run.iterations > 0)
        seconds_[run.benchmark_name()] = run.real_accumulated_time / run.iterations;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double Seconds(const std::string& prefix) const {
    for (const auto& [name, value] : seconds_)
      if (name.rfind(prefix, 0) == 0) return value;
    return 0;
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  double copy = reporter.Seconds("BM_PlainCopy/");
  double copyNew = reporter.Seconds("BM_PlainCopyNewMemory");
  double grid = reporter.Seconds("BM_Grid");
  if (copy > 0 && grid > 0)
    std::printf("grid / plain copy: %.2f (goal: at most 3.00)\n", grid / copy);
  if (copyNew > 0 && grid > 0)
    std::printf("grid / plain copy into new memory: %.2f\n", grid / copyNew);
  benchmark::Shutdown();
  return 0;
}
