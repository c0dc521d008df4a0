// Helpers of the text-effects tests.
#include "support.h"

#include <hostcommon.h>

#include <cstring>
#include <string>

#include "module_binding.h"

namespace texfxtest {

HBUF MakeMask(LONG width, LONG height, const std::vector<BYTE>& values) {
  HBUF buffer = 0;
  if (!buf32Alloc(&buffer, 8, width, height, BUF_KIND_PLAIN, nullptr)) return 0;
  std::vector<BYTE> row(static_cast<size_t>(width));
  for (LONG y = 0; y < height; ++y) {
    for (LONG x = 0; x < width; ++x) {
      const size_t i = static_cast<size_t>(y) * width + x;
      row[x] = i < values.size() ? values[i] : 0;
    }
    buf32Line(buffer, y, 2, row.data());
  }
  return buffer;
}

HBUF FlatMask(LONG width, LONG height, BYTE value) {
  return MakeMask(width, height, std::vector<BYTE>(static_cast<size_t>(width) * height, value));
}

HBUF SolidImage(LONG width, LONG height, COLORREF colour) {
  HBUF buffer = 0;
  buf32Alloc(&buffer, 24, width, height, BUF_KIND_FILLED, &colour);
  return buffer;
}

std::vector<BYTE> Bytes(HBUF buffer) {
  BUFINFO info = {};
  if (!buf32GetInfo(buffer, &info)) return {};
  std::vector<BYTE> bytes(static_cast<size_t>(info.dataSize));
  if (!bytes.empty()) buf32GetMem(buffer, 0, 0, info.width, info.height, bytes.data());
  return bytes;
}

SIZE SizeOf(HBUF buffer) {
  LONG width = 0, height = 0;
  if (!buf32GetWHU(buffer, &width, &height, nullptr)) return SIZE{0, 0};
  return SIZE{width, height};
}

namespace {

HBUF NextHandle() {
  HBUF probe = 0;
  buf32Alloc(&probe, 8, 1, 1, BUF_KIND_PLAIN, nullptr);
  buf32Free(probe);
  return probe;
}

RecordingHost* g_host = nullptr;

}  // namespace

LeakProbe::LeakProbe() : first_(NextHandle()), live_(buf32LiveCount()) {}

std::vector<HBUF> LeakProbe::Leaked(std::initializer_list<HBUF> kept) const {
  const HBUF last = NextHandle();
  std::vector<HBUF> leaked;
  for (HBUF handle = first_ + 1; handle < last; ++handle) {
    bool isKept = false;
    for (HBUF k : kept) isKept = isKept || k == handle;
    if (!isKept && buf32GetInfo(handle, nullptr)) leaked.push_back(handle);
  }
  // The live count must agree: a buffer freed that was not made here (or a
  // count off for another reason) shows as handle 0.
  const LONG expected = live_ + static_cast<LONG>(kept.size() + leaked.size());
  if (buf32LiveCount() != expected) leaked.push_back(0);
  return leaked;
}

RecordingHost::RecordingHost() : link_{0, Notify, 77, 0, 100} { g_host = this; }

RecordingHost::~RecordingHost() { g_host = nullptr; }

std::vector<Notice> RecordingHost::Codes(LONG code) const {
  std::vector<Notice> found;
  for (const Notice& notice : notices_)
    if (notice.code == code) found.push_back(notice);
  return found;
}

std::vector<LONG> RecordingHost::Progress() const {
  std::vector<LONG> values;
  for (const Notice& notice : notices_)
    if (notice.code == 1 || notice.code == 2 || notice.code == 4) values.push_back(notice.word2);
  return values;
}

LONG RecordingHost::Notify(LONG code, LONG word2, LONG_PTR word3, LONG_PTR word4) {
  RecordingHost* host = g_host;
  if (!host) return 0;
  host->notices_.push_back({code, word2, word3, word4});
  switch (code) {
    case texfx::kNotifyObjectCount:
      *reinterpret_cast<LONG*>(word3) = host->objectCount;
      host->answeredCount_ = host->objectCount > 1 ? host->objectCount : 1;
      break;
    case texfx::kNotifyTargetRecord:
      reinterpret_cast<texfx::TargetRecord*>(word3)->baseImage = host->baseImage;
      break;
    case texfx::kNotifyTargets: {
      auto* entries = reinterpret_cast<texfx::TargetEntry*>(word3);
      for (size_t i = 0; i < host->targets.size() && static_cast<LONG>(i) < host->objectCount; ++i)
        entries[i] = host->targets[i];
      break;
    }
    case texfx::kNotifyDescriptions: {
      auto* descriptions = reinterpret_cast<texfx::TargetDescription*>(word3);
      for (size_t i = 0; i < host->positions.size() && static_cast<LONG>(i) < host->objectCount;
           ++i) {
        descriptions[i].x = host->positions[i].x;
        descriptions[i].y = host->positions[i].y;
      }
      break;
    }
    case texfx::kNotifyResults: {
      const auto* results = reinterpret_cast<const texfx::ResultPosition*>(word3);
      host->delivered.assign(results, results + host->answeredCount_);
      break;
    }
    default:
      break;
  }
  return 1;
}

texfx::PlugInRecord MakeRecord(HBUF image, HBUF mask, HBUF* resultImage, HBUF* resultMask,
                               texfx::EffectBlock* block, texfx::ProgressLink* progress,
                               LONG flags) {
  texfx::PlugInRecord record;
  std::memset(&record, 0, sizeof record);
  record.run.objectImage = image;
  record.run.objectMask = mask;
  record.run.resultImage = resultImage;
  record.run.resultMask = resultMask;
  record.run.block = block;
  record.run.progress = progress;
  record.run.background = RGB(10, 20, 30);
  record.flags = flags;
  return record;
}

namespace {
LONG AlwaysPressed() { return 1; }
}  // namespace

EscapePressed::EscapePressed() { t32SetEscapeProbe(AlwaysPressed); }
EscapePressed::~EscapePressed() { t32SetEscapeProbe(nullptr); }

const Module& TextEffects() {
  static Module loaded = [] {
    Module m;
    m.module = LoadLibraryA(lvtest::StagedModulePath("texteffects.tpi").c_str());
    if (!m.module) return m;
    m.getInfo = lvtest::Bind<texfx::TavikGetInfoProc>(m.module, "TavikPlugInGetInfo");
    m.action = lvtest::Bind<texfx::TavikActionProc>(m.module, "TavikPlugInAction");
    m.askStyler = lvtest::Bind<texfx::TavikAskStylerProc>(m.module, "TavikPlugInAskStyler");
    return m;
  }();
  return loaded;
}

}  // namespace texfxtest
