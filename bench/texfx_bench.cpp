// The fourteen text effects through TavikPlugInAction as the host runs them
// (flags 0x2, with a base image so the effects that grow their object pad
// it), on a 900 x 250 text-like mask and on a 4000 x 1000 object, beside a
// plain copy of the object's pixels in the same run.
//
//   texfx_bench [benchmark options]      run the benchmarks
//   texfx_bench --write FOLDER           write each effect's result image and
//                                        mask of the text-like object as BMP
//                                        files into FOLDER, for a look
#include <benchmark/benchmark.h>

#include <windows.h>

#include <imgconvert.h>
#include <imgcore.h>
#include <texteffects/records.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using texfx::EffectBlock;
using texfx::PlugInRecord;

// The effects with a renderer, and their names here.
const LONG kEffects[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
const char* const kNames[] = {"Gradient", "Hole",     "Glass", "Metal", "Relief",
                              "ReliefOutline", "ReliefTexture", "Concrete", "Sand", "Flash",
                              "Fire", "Snow", "Neon", "Seal"};
constexpr int kEffectCount = sizeof kEffects / sizeof kEffects[0];

texfx::TavikActionProc LoadAction() {
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
  std::string path =
      "Z:" + (exe.parent_path().parent_path() / "modules" / "texteffects.tpi").string();
  for (char& c : path)
    if (c == '/') c = '\\';
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) return nullptr;
  return reinterpret_cast<texfx::TavikActionProc>(GetProcAddress(module, "TavikPlugInAction"));
}

// Coverage of a pixel by a stroke of half-width r around segment a-b.
double Stroke(double x, double y, double ax, double ay, double bx, double by, double r) {
  const double dx = bx - ax, dy = by - ay;
  double t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy);
  t = t < 0 ? 0 : t > 1 ? 1 : t;
  const double d = std::hypot(x - ax - t * dx, y - ay - t * dy);
  const double c = r - d + 0.5;
  return c < 0 ? 0 : c > 1 ? 1 : c;
}

// A mask with letter-like strokes over the whole size, anti-aliased.
HBUF TextMask(LONG width, LONG height) {
  HBUF mask = 0;
  if (!buf32Alloc(&mask, 8, width, height, BUF_KIND_PLAIN, nullptr)) return 0;
  const double h = height * 0.7, top = height * 0.15, r = height * 0.07;
  const int letters = static_cast<int>(width / (h * 0.8));
  std::vector<BYTE> row(static_cast<size_t>(width));
  for (LONG y = 0; y < height; ++y) {
    for (LONG x = 0; x < width; ++x) {
      const int i = static_cast<int>(x / (h * 0.8));
      const double left = i * h * 0.8 + h * 0.1, right = left + h * 0.55;
      double c = 0;
      if (i < letters) {
        switch (i % 3) {
          case 0:  // an upright with a bar: "T"-like
            c = std::max(Stroke(x, y, left, top, right, top, r),
                         Stroke(x, y, (left + right) / 2, top, (left + right) / 2, top + h, r));
            break;
          case 1:  // a ring: "O"-like
            c = std::abs(std::hypot(x - (left + right) / 2, y - (top + h / 2)) - h * 0.35) < r ? 1 : 0;
            break;
          default:  // a diagonal pair: "V"-like
            c = std::max(Stroke(x, y, left, top, (left + right) / 2, top + h, r),
                         Stroke(x, y, right, top, (left + right) / 2, top + h, r));
            break;
        }
      }
      row[static_cast<size_t>(x)] = static_cast<BYTE>(c * 255 + 0.5);
    }
    buf32Line(mask, y, 2, row.data());
  }
  return mask;
}

HBUF Solid(LONG width, LONG height, COLORREF colour) {
  HBUF buffer = 0;
  buf32Alloc(&buffer, 24, width, height, BUF_KIND_FILLED, &colour);
  return buffer;
}

// The object and the image it lies on.
struct Scene {
  HBUF image, mask, base;
  LONG x, y;
  Scene(LONG width, LONG height)
      : image(Solid(width, height, RGB(200, 60, 40))),
        mask(TextMask(width, height)),
        base(Solid(width + 400, height + 400, RGB(70, 110, 160))),
        x(200),
        y(200) {}
  ~Scene() {
    for (HBUF b : {image, mask, base}) buf32Free(b);
  }
};

// Runs effect on the scene; the results land in *image and *mask.
bool Apply(texfx::TavikActionProc action, const Scene& scene, LONG effect, HBUF* image, HBUF* mask) {
  EffectBlock block = {};
  block.header.effect = effect;
  PlugInRecord record;
  std::memset(&record, 0, sizeof record);
  record.run = {scene.image, scene.mask, image, mask, scene.base, scene.x, scene.y, &block,
                {0, 0}, RGB(255, 255, 255), nullptr};
  record.flags = texfx::kFlagApply | texfx::kFlagSingleObject;
  return action(0, &record) == 1;
}

void BM_Effect(benchmark::State& state, LONG effect, LONG width, LONG height) {
  static texfx::TavikActionProc action = LoadAction();
  if (!action) {
    state.SkipWithError("texteffects.tpi not loaded");
    return;
  }
  Scene scene(width, height);
  for (auto _ : state) {
    HBUF image = 0, mask = 0;
    if (!Apply(action, scene, effect, &image, &mask)) {
      state.SkipWithError("effect failed");
      break;
    }
    buf32Free(image);
    buf32Free(mask);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * width * height);
}

void BM_PlainCopy(benchmark::State& state, LONG width, LONG height) {
  Scene scene(width, height);
  for (auto _ : state) {
    HBUF copy = 0;
    buf32DupBuf(scene.image, &copy);
    buf32Free(copy);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * width * height);
}

void Register() {
  const LONG sizes[2][2] = {{900, 250}, {4000, 1000}};
  for (const auto& size : sizes) {
    const std::string suffix = "/" + std::to_string(size[0]) + "x" + std::to_string(size[1]);
    benchmark::RegisterBenchmark(("PlainCopy" + suffix).c_str(), BM_PlainCopy, size[0], size[1])
        ->Unit(benchmark::kMillisecond);
    for (int i = 0; i < kEffectCount; ++i)
      benchmark::RegisterBenchmark((std::string(kNames[i]) + suffix).c_str(), BM_Effect,
                                   kEffects[i], size[0], size[1])
          ->Unit(benchmark::kMillisecond);
  }
}

// Writes a buffer as a BMP file (file header and the packed bitmap).
bool WriteBmp(HBUF buffer, const std::filesystem::path& path) {
  HGLOBAL dib = cvt32BufToDIB(buffer, 0, 0);
  if (!dib) return false;
  const SIZE_T size = GlobalSize(dib);
  const BYTE* bits = static_cast<const BYTE*>(GlobalLock(dib));
  DWORD infoSize = 0, used = 0;
  std::memcpy(&infoSize, bits, 4);
  std::memcpy(&used, bits + 32, 4);
  const DWORD depth = bits[14];
  const DWORD colours = depth <= 8 ? (used ? used : 1u << depth) : 0;
  BYTE header[14] = {'B', 'M'};
  const DWORD fileSize = static_cast<DWORD>(14 + size), offset = 14 + infoSize + colours * 4;
  std::memcpy(header + 2, &fileSize, 4);
  std::memcpy(header + 10, &offset, 4);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(header), 14);
  out.write(reinterpret_cast<const char*>(bits), static_cast<std::streamsize>(size));
  GlobalUnlock(dib);
  GlobalFree(dib);
  return static_cast<bool>(out);
}

int WriteResults(const char* folder) {
  texfx::TavikActionProc action = LoadAction();
  if (!action) {
    std::fprintf(stderr, "texteffects.tpi not loaded\n");
    return 1;
  }
  std::filesystem::create_directories(folder);
  Scene scene(900, 250);
  for (int i = 0; i < kEffectCount; ++i) {
    HBUF image = 0, mask = 0;
    if (!Apply(action, scene, kEffects[i], &image, &mask)) {
      std::fprintf(stderr, "%s failed\n", kNames[i]);
      return 1;
    }
    const std::filesystem::path base = std::filesystem::path(folder) / kNames[i];
    WriteBmp(image, base.string() + "-image.bmp");
    WriteBmp(mask, base.string() + "-mask.bmp");
    buf32Free(image);
    buf32Free(mask);
  }
  WriteBmp(scene.mask, std::filesystem::path(folder) / "object-mask.bmp");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write") == 0) return WriteResults(argv[2]);
  Register();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
