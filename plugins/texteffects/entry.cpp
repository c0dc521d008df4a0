// Exported entry points of the text-effects module.
#include <windows.h>

#include <effect/common.h>
#include <hostcommon.h>
#include <texteffects/effects.h>
#include <texteffects/records.h>

#include <cstring>
#include <memory>
#include <new>

#include "frame.h"
#include "framework.h"
#include "messages.h"
#include "resources/resource.h"
#include "variations.h"

namespace texfx {

namespace {

constexpr char kKey[] = "TPIF-TypeEff";
constexpr LONG kInfoHelp = 0x4;
constexpr LONG kHelpContext = 11007;

// Fills the record's texts and numbers the host reads back after the call.
void PrepareRecord(PlugInRecord* record) {
  record->styleFormat[0] = '\0';
  LoadStringA(effect::ModuleInstance(), IDS_STYLE_NAME_FORMAT, record->styleFormat,
              kStyleFormatSize);
  record->blockSize = kBlockSize;
  record->previewState = kPreviewNone;
  std::memcpy(record->key, kKey, sizeof kKey);
}

// The working block of one call: the host's block, or the default header's
// first 16 bytes (no data).
std::unique_ptr<EffectBlock> MakeWorkingBlock(const EffectBlock* host) {
  std::unique_ptr<EffectBlock> block(new (std::nothrow) EffectBlock);
  if (!block) return block;
  if (host) {
    std::memcpy(block.get(), host, sizeof *block);
  } else {
    MakeDefaultBlock(block.get());
    block->header.data = 0;
    block->header.pageProc = 0;
  }
  return block;
}

LONG Act(PlugInRecord* record) {
  if (record->flags & (kFlagEdit | kFlagDialogApply)) {
    // The main dialog is not part of this module yet.
    Fail(kErrCannotServe, 5);
    return 0;
  }
  if (record->flags & kFlagApply) return RunEffect(record);
  return 0;
}

}  // namespace

}  // namespace texfx

using namespace texfx;

// Stores the module instance and registers the module's three window
// messages ("TPIF-TypeEff-1" .. "-3"); always succeeds.
LV_EXTERN_C LVEXPORT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    effect::StoreModuleInstance(instance);
    RegisterModuleMessages(kKey);
  }
  return TRUE;
}

// info: with `what` bit 0x4 receives the 264-byte help record (folder of
// the module, "tpi.hlp>m", context 11007) and nothing else is touched;
// otherwise its first 36 bytes receive the default header (rest of the 36
// zero). *blockSize receives 1024, key (at least 13 bytes) "TPIF-TypeEff".
// Returns 1.
LV_EXTERN_C LVEXPORT LONG TavikPlugInGetInfo(void* info, LONG what, LONG* blockSize, char* key) {
  if (info && (what & kInfoHelp)) {
    effect::BuildHelpRecord(effect::ModuleInstance(), "tpi.hlp>m", kHelpContext,
                            static_cast<T32HELPRECORD*>(info));
    return 1;
  }
  if (info) {
    EffectBlock defaults;
    MakeDefaultBlock(&defaults);
    const size_t cleared = sizeof(EffectHeader) + static_cast<size_t>(defaults.header.dataSize);
    std::memset(info, 0, cleared);
    std::memcpy(info, &defaults.header, sizeof defaults.header);
  }
  if (blockSize) *blockSize = kBlockSize;
  if (key) std::memcpy(key, kKey, sizeof kKey);
  return 1;
}

// Applies the block's effect to the record's object (flags 0x2), or to
// every selected target. The record (owned by the host) receives the key,
// the style name format, the block size and, on success, the new position
// and results; the host's block (offset 28, may be NULL) receives the
// completed working block on success. Returns 1 on success, 0 on failure
// (error in the host's error slot: 5201 without an object mask) or for
// flags the module does not serve.
LV_EXTERN_C LVEXPORT LONG TavikPlugInAction(HWND, PlugInRecord* record) {
  if (!record) return 0;
  if (!record->run.objectMask) {
    Fail(kErrNoMask, 1);
    return 0;
  }
  EffectBlock* host = record->run.block;
  std::unique_ptr<EffectBlock> working = MakeWorkingBlock(host);
  if (!working) {
    Fail(kErrMemory, 4);
    return 0;
  }
  record->run.block = working.get();
  PrepareRecord(record);
  const LONG result = Act(record);
  if (result && host) std::memcpy(host, working.get(), sizeof *host);
  record->run.block = host;
  return result;
}

// With block NULL: -1. With out NULL: the number of variations of the
// block's effect (3 or 9, 0 for an unknown effect). Otherwise writes that
// many blocks into out (the caller's array) and returns the index of the
// one equal to block (0 with nothing written for an unknown effect).
LV_EXTERN_C LVEXPORT LONG TavikPlugInAskStyler(const EffectBlock* block, EffectBlock* out) {
  if (!block) return -1;
  if (!out) return VariationCount(block->header.effect);
  return MakeVariations(*block, out);
}
