// The run framework: one object or several targets, progress shares,
// results array, clean-up on failure.
#include "framework.h"

#include <effect/common.h>
#include <texteffects/effects.h>

#include <cstring>
#include <memory>
#include <new>

#include "frame.h"
#include "renderers.h"

namespace texfx {

namespace {

RunResults g_results;

// Most targets one run accepts from the host; beyond this the count is
// taken as a host fault (out of memory).
constexpr LONG kMaxTargets = 1 << 20;

LONG Notify(const ProgressLink* link, LONG code, LONG word2, LONG_PTR word3) {
  if (!link || !link->proc) return 0;
  return link->proc(code, word2, word3, link->user);
}

// Frees a buffer a slot holds (when it is live) and clears the slot.
void FreeSlot(HBUF* slot) {
  if (!slot || !*slot) return;
  if (buf32GetInfo(*slot, nullptr)) buf32Free(*slot);
  *slot = 0;
}

// Stores a new result in a caller's slot, freeing the buffer it replaces
// unless that is one of the object's own buffers.
void Replace(HBUF* slot, HBUF result, const EffectRun& object) {
  const HBUF old = *slot;
  *slot = result;
  if (old && old != result && old != object.objectImage && old != object.objectMask &&
      old != object.baseImage && buf32GetInfo(old, nullptr))
    buf32Free(old);
}

// Allocates the results array for count entries (zeroed).
bool AllocateResults(LONG count) {
  FreeResults();
  g_results.positions = new (std::nothrow) ResultPosition[static_cast<size_t>(count)]();
  if (!g_results.positions) return false;
  g_results.count = count;
  return true;
}

// The targets of a run over several objects, as the host lists them.
struct Targets {
  std::unique_ptr<TargetEntry[]> entries;
  std::unique_ptr<TargetDescription[]> descriptions;
  HBUF baseImage = 0;
};

LONG FetchTargets(const ProgressLink* link, LONG count, Targets* targets) {
  TargetRecord shared = {};
  Notify(link, kNotifyTargetRecord, 0, reinterpret_cast<LONG_PTR>(&shared));
  targets->baseImage = shared.baseImage;
  targets->entries.reset(new (std::nothrow) TargetEntry[static_cast<size_t>(count)]());
  targets->descriptions.reset(new (std::nothrow) TargetDescription[static_cast<size_t>(count)]());
  if (!targets->entries || !targets->descriptions) return Fail(kErrMemory, 2);
  Notify(link, kNotifyTargets, 0, reinterpret_cast<LONG_PTR>(targets->entries.get()));
  Notify(link, kNotifyDescriptions, 0, reinterpret_cast<LONG_PTR>(targets->descriptions.get()));
  return 0;
}

// Runs every target with its share of the progress range. When one fails,
// the results of the targets done before it are freed and their slots
// cleared.
LONG RunTargets(const PlugInRecord& record, const EffectBlock& block, LONG count) {
  const ProgressLink* link = record.run.progress;
  Targets targets;
  if (LONG code = FetchTargets(link, count, &targets)) return code;
  const ProgressLink whole = link ? *link : ProgressLink{0, nullptr, 0, 0, 100};
  const LONGLONG step = (static_cast<LONGLONG>(whole.endPercent) - whole.startPercent) / count;
  for (LONG i = 0; i < count; ++i) {
    const TargetEntry& target = targets.entries[i];
    ProgressLink share = whole;
    share.startPercent = static_cast<LONG>(whole.startPercent + i * step);
    share.endPercent =
        i + 1 == count ? whole.endPercent : static_cast<LONG>(share.startPercent + step);
    EffectRun object = record.run;
    object.objectImage = target.image;
    object.objectMask = target.mask;
    object.resultImage = target.resultImage;
    object.resultMask = target.resultMask;
    object.baseImage = targets.baseImage;
    object.x = targets.descriptions[i].x;
    object.y = targets.descriptions[i].y;
    ResultPosition& position = g_results.positions[i];
    LONG code = RunOneObject(object, block, &share, &position.x, &position.y);
    if (code) {
      for (LONG done = 0; done < i; ++done) {
        FreeSlot(targets.entries[done].resultImage);
        FreeSlot(targets.entries[done].resultMask);
      }
      return code;
    }
  }
  return 0;
}

// The number of targets: 1 with bit 28 or without a host answer; a count
// below 1 means the record's own object.
LONG TargetCount(const PlugInRecord& record) {
  LONG count = 1;
  if (!(record.flags & kFlagSingleObject))
    Notify(record.run.progress, kNotifyObjectCount, 0, reinterpret_cast<LONG_PTR>(&count));
  return count < 1 ? 1 : count;
}

LONG RunAll(PlugInRecord* record) {
  const LONG count = TargetCount(*record);
  if (count > kMaxTargets || !AllocateResults(count)) return Fail(kErrMemory, 1);
  EffectBlock* block = record->run.block;
  if (!CompleteBlock(block)) return Fail(kErrCannotServe, 1);

  if (count == 1) {
    ResultPosition& position = g_results.positions[0];
    LONG code = RunOneObject(record->run, *block, record->run.progress, &position.x, &position.y);
    if (code) return code;
    record->run.x = position.x;
    record->run.y = position.y;
    return 0;
  }
  if (record->previewState == kPreviewShown) {
    Notify(record->run.progress, kNotifyUndo, 0, 0);
    record->previewState = kPreviewUndone;
  }
  return RunTargets(*record, *block, count);
}

}  // namespace

RunResults& LastResults() { return g_results; }

void FreeResults() {
  delete[] g_results.positions;
  g_results = RunResults{};
}

LONG RunOneObject(const EffectRun& object, const EffectBlock& block, ProgressLink* progress,
                  LONG* x, LONG* y) {
  if (!object.objectMask) return Fail(kErrNoMask, 3);
  if (!object.resultImage || !object.resultMask) return Fail(kErrCannotServe, 3);
  const Renderer renderer = FindRenderer(block.header.effect);
  if (!renderer) return Fail(kErrCannotServe, 4);

  std::unique_ptr<EffectBlock> copy(new (std::nothrow) EffectBlock(block));
  if (!copy) return Fail(kErrMemory, 3);
  copy->header.data = kDataPresent;
  ClampToRanges(copy->header.effect, copy->data);
  ProgressLink link = progress ? *progress : ProgressLink{0, nullptr, 0, 0, 100};
  HBUF image = 0, mask = 0;
  EffectRun run = object;
  run.block = copy.get();
  run.progress = &link;
  run.resultImage = &image;
  run.resultMask = &mask;

  if (LONG code = renderer(&run)) {
    FreeSlot(&image);
    FreeSlot(&mask);
    return code;
  }
  Replace(object.resultImage, image, object);
  Replace(object.resultMask, mask, object);
  *x = run.x;
  *y = run.y;
  return 0;
}

LONG RunEffect(PlugInRecord* record) {
  effect::WaitCursor wait;
  LONG code = RunAll(record);
  if (!code && (record->flags & kFlagApply))
    Notify(record->run.progress, kNotifyResults, 0, reinterpret_cast<LONG_PTR>(g_results.positions));
  if (code || (record->flags & kFlagApply)) FreeResults();
  return code ? 0 : 1;
}

}  // namespace texfx
