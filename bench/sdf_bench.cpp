// Timing of the text effects' signed distance map on a 2000 x 600
// text-like mask. Prints "sdf_signed milliseconds" (the best of several
// runs) and, with an output folder, writes the input mask (raw bytes) and
// the map (raw doubles, row after row) there, so bench/sdf_opencv.py can
// time OpenCV's distance transform on the same mask and compare the
// distances. Usage: sdf_bench [output folder]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "distancemap.h"

namespace {

constexpr LONG kWidth = 2000;
constexpr LONG kHeight = 600;
constexpr int kRuns = 15;

// Letter-like strokes and a sprinkling of single dots around them.
std::vector<BYTE> TestMask() {
  std::vector<BYTE> m(static_cast<size_t>(kWidth) * kHeight, 0);
  for (LONG y = 0; y < kHeight; ++y) {
    for (LONG x = 0; x < kWidth; ++x) {
      const LONG cx = x % 100, cy = y % 150;
      const bool stroke = (cx >= 20 && cx < 38 && cy >= 15 && cy < 135) ||
                          (cy >= 65 && cy < 80 && cx >= 20 && cx < 85);
      BYTE v = stroke ? 255 : 0;
      if (!stroke && (x * 7 + y * 13) % 97 == 0) v = static_cast<BYTE>((x * 31 + y) % 256);
      m[static_cast<size_t>(y) * kWidth + x] = v;
    }
  }
  return m;
}

bool WriteFile(const std::string& path, const void* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  const bool ok = f && std::fwrite(data, 1, size, f) == size;
  if (f) std::fclose(f);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<BYTE> mask = TestMask();
  std::vector<double> map(mask.size());
  const texfx::ProgressLink quiet = {0, nullptr, 0, 0, 100};
  double best = 1e30;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (texfx::SignedDistances(mask.data(), kWidth, kHeight, kWidth, map.data(), quiet) != 0) {
      std::fprintf(stderr, "signed distance map failed\n");
      return 1;
    }
    const auto end = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::printf("sdf_signed %.3f\n", best);
  if (argc > 1) {
    const std::string folder = argv[1];
    if (!WriteFile(folder + "/input.raw", mask.data(), mask.size()) ||
        !WriteFile(folder + "/sdf.raw", map.data(), map.size() * sizeof(double))) {
      std::fprintf(stderr, "cannot write into %s\n", folder.c_str());
      return 1;
    }
  }
  return 0;
}
