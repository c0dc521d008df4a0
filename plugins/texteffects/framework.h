// The run framework: runs the chosen renderer once for the record's own
// object or once per selected target, with private copies of the
// parameters, progress shares, result delivery and clean-up on failure.
#pragma once

#include <windows.h>

#include <texteffects/records.h>

namespace texfx {

// Runs the renderer of `effect` on one object. The parameters are copied
// (header and the data from the block's offset 20) into private memory;
// the renderer gets its own result slots and `progress`, or {0, 0, 0, 0,
// 100} when it is NULL. On success the caller's slots receive the results
// (replacing and freeing buffers they held) and *x, *y the new position.
// Returns 0 or the error code (already in the host's error slot); on
// failure the slots and position are unchanged.
LONG RunOneObject(const EffectRun& object, const EffectBlock& block, ProgressLink* progress,
                  LONG* x, LONG* y);

// The results array of the last run: count entries of new positions. It
// stays allocated after a run that did not deliver it (the dialog's
// preview) until FreeResults.
struct RunResults {
  ResultPosition* positions = nullptr;
  LONG count = 0;
};
RunResults& LastResults();
void FreeResults();

// Runs the effect of record->run.block (the working block, completed with
// its effect's defaults when its data word is 0) for the record's object,
// or for every target the host selects (requests 1005, 1008, 1009, 1011)
// unless the flags have bit 28. With flag 0x2 the results are delivered
// (request 8) and the array freed. Returns 1 on success, 0 on failure with
// the error in the host's error slot and every result this run made freed.
LONG RunEffect(PlugInRecord* record);

}  // namespace texfx
