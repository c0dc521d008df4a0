// Timing of the mask services on a 2000 x 600 mask: Maximum and Minimum
// with disks of radius 5 and 20, the soft edge and the blur. Prints one
// line per operation, "name milliseconds" (the best of several runs), and
// with an output folder also writes the input mask and each rank result as
// raw bytes there, so bench/mask_opencv.py can time the same work and check
// that the results are equal. Usage: mask_bench [output folder]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "imgcore.h"
#include "maskkit.h"
#include "rankfilter.h"
#include "softedge.h"

namespace {

constexpr LONG kWidth = 2000;
constexpr LONG kHeight = 600;
constexpr int kRuns = 15;

// Letter-like strokes with soft sides and a sprinkling of grey dots: the
// kind of mask the text effects work on.
std::vector<BYTE> TestMask() {
  std::vector<BYTE> m(static_cast<size_t>(kWidth) * kHeight, 0);
  for (LONG y = 0; y < kHeight; ++y) {
    for (LONG x = 0; x < kWidth; ++x) {
      LONG cx = x % 100, cy = y % 150;
      bool stroke = (cx >= 20 && cx < 38 && cy >= 15 && cy < 135) ||
                    (cy >= 65 && cy < 80 && cx >= 20 && cx < 85);
      BYTE v = stroke ? 255 : 0;
      if (stroke && (cx == 20 || cx == 37)) v = 128;
      if (!stroke && (x * 7 + y * 13) % 97 == 0) v = static_cast<BYTE>((x * 31 + y) % 256);
      m[static_cast<size_t>(y) * kWidth + x] = v;
    }
  }
  return m;
}

HBUF Upload(const std::vector<BYTE>& bytes) {
  HBUF h = 0;
  void* p = nullptr;
  if (!buf32Alloc(&h, 8, kWidth, kHeight, BUF_KIND_PLAIN, nullptr) || !buf32Lock(h, 2, &p))
    return 0;
  std::memcpy(p, bytes.data(), bytes.size());
  buf32Unlock(h);
  return h;
}

bool WriteRaw(const std::string& path, HBUF h) {
  void* p = nullptr;
  if (!buf32Lock(h, 1, &p)) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f && std::fwrite(p, 1, static_cast<size_t>(kWidth) * kHeight, f) ==
                     static_cast<size_t>(kWidth) * kHeight;
  if (f) std::fclose(f);
  buf32Unlock(h);
  return ok;
}

// Best wall time in milliseconds of `runs` calls of `op`, which returns a
// buffer to free (or 0).
double BestMs(const std::function<HBUF()>& op, HBUF* keep) {
  double best = 1e30;
  for (int i = 0; i < kRuns; ++i) {
    auto start = std::chrono::steady_clock::now();
    HBUF out = op();
    auto end = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
    if (keep && i == kRuns - 1) {
      *keep = out;
    } else if (out) {
      buf32Free(out);
    }
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : "";
  HBUF mask = Upload(TestMask());
  if (!mask) return 1;
  if (!folder.empty() && !WriteRaw(folder + "/input.raw", mask)) return 1;
  for (LONG radius : {5, 20}) {
    for (bool grow : {true, false}) {
      HBUF result = 0;
      double ms = BestMs(
          [&] {
            HBUF out = 0;
            (grow ? Maximum : Minimum)(mask, &out, radius, RANK_DISK, 0);
            return out;
          },
          &result);
      std::string name = std::string(grow ? "dilate" : "erode") + "_r" + std::to_string(radius);
      std::printf("%s %.3f\n", name.c_str(), ms);
      if (!folder.empty() && !WriteRaw(folder + "/" + name + ".raw", result)) return 1;
      buf32Free(result);
    }
  }
  double soft = BestMs(
      [&] {
        HBUF out = 0;
        CreateSoftEdgeMask(mask, 10, SOFTEDGE_CENTRED, SOFTEDGE_LINEAR, &out, 1);
        return out;
      },
      nullptr);
  std::printf("softedge_r10 %.3f\n", soft);
  double blur = BestMs(
      [&] {
        HBUF out = 0;
        MaskBlur(mask, 2, 2, &out, 1);
        return out;
      },
      nullptr);
  std::printf("blur_r2x2 %.3f\n", blur);
  buf32Free(mask);
  return 0;
}
