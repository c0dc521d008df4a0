// The streak filter, line by line: each line is gathered whole in cutting
// order, streaked, and put back into the destination.
#include "streak.h"

#include <algorithm>
#include <new>
#include <vector>

#include "frame.h"

namespace texfx {

namespace {

constexpr DWORD kStreakSeed = 12345;
constexpr LONG kDrawRange = 32768;

// Draws the streak of one segment [0, count) in place. The weight of the
// peak at pixel k is k / peak, taken as an exact fraction of integers, so a
// value that falls on a whole number is not cut one short by a weight
// summed up step by step in floating point.
void StreakSegment(BYTE* segment, LONG count) {
  LONG peak = 0;
  for (LONG i = 1; i < count; ++i)
    if (segment[i] > segment[peak]) peak = i;
  if (peak == 0) return;
  const LONG first = segment[0], top = segment[peak];
  for (LONG k = 1; k < peak; ++k) {
    const LONG v = (k * top + (peak - k) * first) / peak;
    if (v > segment[k]) segment[k] = static_cast<BYTE>(v);
  }
}

// A line of a locked buffer: the offset of its pixel at the cutting end
// and the step between its pixels, walked from that end.
struct LineWalk {
  ptrdiff_t first;
  ptrdiff_t step;
  LONG count;
};

LineWalk LineOf(const BUFINFO& info, LONG mode, LONG index) {
  const ptrdiff_t rowBytes = info.rowBytes;
  if (mode == kStreakLeft) return {index * rowBytes, 1, info.width};
  if (mode == kStreakRight) return {index * rowBytes + (info.width - 1), -1, info.width};
  if (mode == kStreakUp) return {index, rowBytes, info.height};
  return {(info.height - 1) * rowBytes + index, -rowBytes, info.height};
}

void Gather(const BYTE* pixels, const LineWalk& walk, BYTE* line) {
  for (LONG i = 0; i < walk.count; ++i) line[i] = pixels[walk.first + i * walk.step];
}

void Scatter(const BYTE* line, const LineWalk& walk, BYTE* pixels) {
  for (LONG i = 0; i < walk.count; ++i) pixels[walk.first + i * walk.step] = line[i];
}

bool FitTogether(const BUFINFO& in, const BUFINFO& out) {
  return in.pixelFormat == 8 && out.pixelFormat == 8 && in.width == out.width &&
         in.height == out.height && in.rowBytes == out.rowBytes;
}

// Every line of the locked buffers, in order.
LONG StreakLines(const BUFINFO& info, LONG mode, LONG length, const BYTE* in, BYTE* out,
                 std::vector<BYTE>* line, const ProgressLink& progress) {
  const bool rows = mode == kStreakLeft || mode == kStreakRight;
  const LONG lines = rows ? info.height : info.width;
  Random random(kStreakSeed);
  RenderProgress report(&progress);
  for (LONG index = 0; index < lines; ++index) {
    if (report.Cancelled()) return kErrCancelled;
    const LineWalk walk = LineOf(info, mode, index);
    Gather(in, walk, line->data());
    StreakLine(line->data(), walk.count, length, &random);
    Scatter(line->data(), walk, out);
    report.Step(index + 1, lines);
  }
  return 0;
}

}  // namespace

void StreakLine(BYTE* line, LONG count, LONG length, Random* random) {
  if (length < 2) return;
  LONG start = 0;
  while (start < count) {
    const LONG n = static_cast<LONG>(static_cast<LONGLONG>(random->Next()) * length / kDrawRange);
    if (n == 0) continue;
    const LONG end = static_cast<LONG>(std::min<LONGLONG>(static_cast<LONGLONG>(start) + n, count));
    StreakSegment(line + start, end - start);
    start = end;
  }
}

LONG StreakFilter(HBUF source, HBUF destination, LONG mode, LONG length,
                  const ProgressLink& progress) {
  BUFINFO in, out;
  if (ReadInfo(source, &in) || ReadInfo(destination, &out) || !FitTogether(in, out))
    return kErrMemory;
  if (mode < kStreakLeft || mode > kStreakUp || length < 0 || length >= kDrawRange)
    return kErrMemory;
  std::vector<BYTE> line;
  try {
    line.resize(static_cast<size_t>(std::max(in.width, in.height)));
  } catch (const std::bad_alloc&) {
    return kErrMemory;
  }
  void* sourcePixels = nullptr;
  void* targetPixels = nullptr;
  if (!buf32Lock(source, 1, &sourcePixels)) return kErrMemory;
  if (!buf32Lock(destination, 3, &targetPixels)) {
    buf32Unlock(source);
    return kErrMemory;
  }
  const LONG code = StreakLines(in, mode, length, static_cast<const BYTE*>(sourcePixels),
                                static_cast<BYTE*>(targetPixels), &line, progress);
  buf32Unlock(destination);
  buf32Unlock(source);
  return code;
}

}  // namespace texfx
