// One run of the text-effects module on the host's objects.
#include "textrun.h"

#include <hostcommon.h>
#include <lvtext.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "bufconv.h"
#include "escape.h"
#include "exitcodes.h"
#include "plugin.h"
#include "textparams.h"

namespace lvhost {

namespace {

using texfx::ResultPosition;
using texfx::TargetDescription;
using texfx::TargetEntry;
using texfx::TargetRecord;

// Every buffer of one run; whatever is still alive at the end is freed.
struct RunBuffers {
  std::vector<HBUF> images, masks, resultImages, resultMasks;
  HBUF base = 0;
  RunBuffers() = default;
  RunBuffers(const RunBuffers&) = delete;
  RunBuffers& operator=(const RunBuffers&) = delete;
  ~RunBuffers() {
    for (auto* list : {&images, &masks, &resultImages, &resultMasks})
      for (HBUF b : *list) Free(b);
    Free(base);
  }
  static void Free(HBUF b) {
    if (b && buf32GetInfo(b, nullptr)) buf32Free(b);
  }
};

// What the notification procedure answers from, and what it receives.
struct NotifyState {
  LONG count = 1;
  HBUF base = 0;
  RunBuffers* buffers = nullptr;
  const std::vector<ObjectImage>* objects = nullptr;
  std::vector<ResultPosition> delivered;
  bool drawProgress = false;
  int lastPercent = -1;
};

NotifyState* g_state = nullptr;  // the run in progress (one at a time)

void DrawProgress(LONG percent) {
  if (!g_state->drawProgress) return;
  int p = percent < 0 ? 0 : percent > 100 ? 100 : static_cast<int>(percent);
  if (p == g_state->lastPercent) return;
  g_state->lastPercent = p;
  constexpr int kWidth = 40;
  char bar[kWidth + 1];
  for (int i = 0; i < kWidth; ++i) bar[i] = i < p * kWidth / 100 ? '#' : '.';
  bar[kWidth] = '\0';
  std::fprintf(stderr, "\r[%s] %3d%%", bar, p);
  std::fflush(stderr);
}

void ClearProgress() {
  if (g_state && g_state->drawProgress && g_state->lastPercent >= 0) {
    std::fprintf(stderr, "\r%60s\r", "");
    std::fflush(stderr);
  }
}

void AnswerTargets(TargetEntry* entries) {
  RunBuffers& b = *g_state->buffers;
  for (LONG i = 0; i < g_state->count; ++i)
    entries[i] = {b.images[i], b.masks[i], &b.resultImages[i], &b.resultMasks[i]};
}

void AnswerDescriptions(TargetDescription* descriptions) {
  for (LONG i = 0; i < g_state->count; ++i) {
    std::memset(&descriptions[i], 0, sizeof descriptions[i]);
    descriptions[i].x = (*g_state->objects)[static_cast<size_t>(i)].x;
    descriptions[i].y = (*g_state->objects)[static_cast<size_t>(i)].y;
  }
}

// The host's notification procedure (HostNotify).
LONG Notify(LONG code, LONG word2, LONG_PTR word3, LONG_PTR) {
  if (!g_state) return 0;
  switch (code) {
    case texfx::kNotifyStart:
    case texfx::kNotifyProgress:
    case texfx::kNotifyEnd: DrawProgress(word2); return 1;
    case texfx::kNotifyObjectCount:
      if (!word3) return 0;
      *reinterpret_cast<LONG*>(word3) = g_state->count;
      return 1;
    case texfx::kNotifyTargetRecord:
      if (!word3) return 0;
      reinterpret_cast<TargetRecord*>(word3)->baseImage = g_state->base;
      return 1;
    case texfx::kNotifyTargets:
      if (!word3) return 0;
      AnswerTargets(reinterpret_cast<TargetEntry*>(word3));
      return 1;
    case texfx::kNotifyDescriptions:
      if (!word3) return 0;
      AnswerDescriptions(reinterpret_cast<TargetDescription*>(word3));
      return 1;
    case texfx::kNotifyResults: {
      if (!word3) return 0;
      const auto* results = reinterpret_cast<const ResultPosition*>(word3);
      g_state->delivered.assign(results, results + g_state->count);
      return 1;
    }
    case texfx::kNotifyUndo:
    case texfx::kNotifyRedo: return 1;  // the program shows no image window
    default: return 0;
  }
}

bool MaskToBuffer(const ObjectImage& object, HBUF* buffer, std::string* error) {
  Image mask;
  mask.width = object.colour.width;
  mask.height = object.colour.height;
  mask.channels = 1;
  mask.pixels = object.mask;
  return ImageToBuffer(mask, buffer, error);
}

// The objects and the base as image buffers.
bool MakeBuffers(const TextRunInput& input, RunBuffers* b, std::string* error) {
  const size_t n = input.objects->size();
  b->images.assign(n, 0), b->masks.assign(n, 0), b->resultImages.assign(n, 0), b->resultMasks.assign(n, 0);
  for (size_t i = 0; i < n; ++i) {
    const ObjectImage& o = (*input.objects)[i];
    if (!ImageToBuffer(o.colour, &b->images[i], error) || !MaskToBuffer(o, &b->masks[i], error)) return false;
  }
  return !input.base || ImageToBuffer(*input.base, &b->base, error);
}

// The module's reason for failing, as the exit status and a text.
int Failure(std::string* error) {
  LONG unit = 0, category = 0, detail = 0;
  LONG code = lvGetDLLErrInfoRecord(&unit, &category, &detail);
  if (code == C32ERR_CANCELLED || EscapeRequested()) {
    *error = "cancelled";
    return kExitCancelled;
  }
  char text[512] = {0};
  if (code) c32GetDLLErrorInfo(text, sizeof text, 0, 0, 0, 0);
  std::string message = text[0] ? lv::AnsiToUtf8(text) : "no message for this error";
  *error = "the text-effects module failed: " + message + " (error " + std::to_string(code) + ", unit " +
           std::to_string(unit) + ", category " + std::to_string(category) + ", detail " + std::to_string(detail) +
           ")";
  return kExitFailed;
}

bool TakeResult(HBUF image, HBUF mask, ObjectImage* result, std::string* error) {
  Image m;
  if (!image || !mask || !BufferToImage(image, &result->colour, error) || !BufferToImage(mask, &m, error) ||
      result->colour.channels != 3 || m.channels != 1 || m.width != result->colour.width ||
      m.height != result->colour.height) {
    *error = "the text-effects module reported success but handed over no usable result";
    return false;
  }
  result->mask = std::move(m.pixels);
  return true;
}

texfx::PlugInRecord MakeRecord(const TextRunInput& input, RunBuffers& b, texfx::EffectBlock* block,
                               texfx::ProgressLink* link) {
  texfx::PlugInRecord record;
  std::memset(&record, 0, sizeof record);
  record.run.objectImage = b.images[0];
  record.run.objectMask = b.masks[0];
  record.run.resultImage = &b.resultImages[0];
  record.run.resultMask = &b.resultMasks[0];
  record.run.baseImage = b.base;
  record.run.x = (*input.objects)[0].x;
  record.run.y = (*input.objects)[0].y;
  record.run.block = block;
  const uint32_t bg = input.background;
  record.run.background = RGB((bg >> 16) & 0xff, (bg >> 8) & 0xff, bg & 0xff);
  record.run.progress = link;
  record.flags = texfx::kFlagApply;
  return record;
}

LONG CallAction(const TextEffectsModule& module, texfx::PlugInRecord* record, NotifyState* state) {
  g_state = state;
  state->drawProgress = isatty(STDERR_FILENO) != 0;
  c32ResetDLLErrInfo();
  StartEscapeWatch();
  LONG ok = module.Action(record);
  StopEscapeWatch();
  ClearProgress();
  g_state = nullptr;
  return ok;
}

}  // namespace

TextEffectsModule::~TextEffectsModule() {
  if (module_) FreeLibrary(module_);
}

bool TextEffectsModule::Load(std::string* error) {
  std::string path = (std::filesystem::path(ModulesFolder()) / "texteffects.tpi").string();
  module_ = LoadLibraryA(path.c_str());
  if (!module_) {
    *error = "cannot load the text-effects module '" + path + "' (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  getInfo_ = reinterpret_cast<texfx::TavikGetInfoProc>(GetProcAddress(module_, "TavikPlugInGetInfo"));
  action_ = reinterpret_cast<texfx::TavikActionProc>(GetProcAddress(module_, "TavikPlugInAction"));
  askStyler_ = reinterpret_cast<texfx::TavikAskStylerProc>(GetProcAddress(module_, "TavikPlugInAskStyler"));
  if (!getInfo_ || !action_ || !askStyler_) {
    *error = "'" + path + "' is not the text-effects module (its entry points are missing)";
    return false;
  }
  LONG blockSize = 0;
  getInfo_(nullptr, 0, &blockSize, nullptr);
  if (blockSize != static_cast<LONG>(kEffectBlockSize)) {
    *error = "the text-effects module announces a block of " + std::to_string(blockSize) + " bytes; the host expects " +
             std::to_string(kEffectBlockSize);
    return false;
  }
  return true;
}

bool TextEffectsModule::Variations(const std::vector<uint8_t>& block, std::vector<std::vector<uint8_t>>* variations,
                                   int* current, std::string* error) const {
  constexpr LONG kMaxVariations = 64;
  const auto* in = reinterpret_cast<const texfx::EffectBlock*>(block.data());
  const LONG count = askStyler_(in, nullptr);
  if (count <= 0 || count > kMaxVariations) {
    *error = "the text-effects module offers no variations of this effect";
    return false;
  }
  std::vector<texfx::EffectBlock> out(static_cast<size_t>(count));
  std::memset(out.data(), 0, out.size() * sizeof out[0]);
  const LONG index = askStyler_(in, out.data());
  if (index < 0 || index >= count) {
    *error = "the text-effects module named variation " + std::to_string(index) + " of " + std::to_string(count);
    return false;
  }
  variations->clear();
  for (const texfx::EffectBlock& b : out) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&b);
    variations->emplace_back(bytes, bytes + sizeof b);
  }
  *current = static_cast<int>(index);
  return true;
}

int RunTextEffect(const TextEffectsModule& module, const TextRunInput& input, std::vector<ObjectImage>* results,
                  std::string* error) {
  const size_t n = input.objects->size();
  if (n == 0 || n > kMaxRunObjects || input.block->size() != kEffectBlockSize) {
    *error = "a run takes 1 to " + std::to_string(kMaxRunObjects) + " objects";
    return kExitUsage;
  }
  RunBuffers buffers;
  if (!MakeBuffers(input, &buffers, error)) return kExitFailed;
  NotifyState state;
  state.count = static_cast<LONG>(n);
  state.base = buffers.base;
  state.buffers = &buffers;
  state.objects = input.objects;
  texfx::ProgressLink link = {1, Notify, 0, 0, 100};
  // The module writes the completed block back into the host's copy.
  texfx::EffectBlock block;
  std::memcpy(&block, input.block->data(), sizeof block);
  texfx::PlugInRecord record = MakeRecord(input, buffers, &block, &link);
  if (!CallAction(module, &record, &state)) return Failure(error);
  if (state.delivered.size() != n) {
    if (n > 1) {
      *error = "the text-effects module reported success but delivered no positions";
      return kExitFailed;
    }
    state.delivered = {{record.run.x, record.run.y}};
  }
  results->assign(n, ObjectImage());
  for (size_t i = 0; i < n; ++i) {
    if (!TakeResult(buffers.resultImages[i], buffers.resultMasks[i], &(*results)[i], error)) return kExitFailed;
    (*results)[i].x = state.delivered[i].x;
    (*results)[i].y = state.delivered[i].y;
  }
  return kExitOk;
}

}  // namespace lvhost
