// Exported entry points of the grid and partition plug-in.
#include <windows.h>

#include <effect/common.h>
#include <effect/plugin.h>
#include <hostcommon.h>

#include <cstring>
#include <new>
#include <vector>

#include "params.h"
#include "render.h"
#include "resources/resource.h"
#include "state.h"

namespace gridsplit {

namespace {

RunState g_run = {};

constexpr LONG kInfoDefaults = 1;
constexpr LONG kInfoNothing = 2;
constexpr LONG kInfoHelp = 4;
constexpr LONG kHelpContext = 201;

const effect::QueryValues kQueryValues = {60, sizeof(GridParams), T32_DT_RGB, 2, 64, 0, 1,
                                          65538, -1};

// Draws the grid over a duplicate of the source, stores it in *result and
// hands the cells (or none) to the host with request 1018, whose answer goes
// to *answer. FALSE, with nothing allocated and *result untouched, when the
// settings do not fit the image or memory ran out.
BOOL ApplyGrid(const RunState& run, HBUF* result, LONG* answer) {
  effect::WaitCursor wait;
  LONG width = 0;
  LONG height = 0;
  if (!buf32GetWHU(run.source, &width, &height, nullptr)) return FALSE;
  CellSizes sizes;
  if (!ComputeCellSizes(width, height, run.settings, &sizes)) return FALSE;
  HBUF drawn = 0;
  if (!DrawGrid(run.source, run.settings, sizes, &drawn)) return FALSE;
  const bool toObjects = run.settings.cellsToObjects != 0;
  HGLOBAL list = 0;
  try {
    std::vector<RECT> cells;
    if (toObjects) cells = CellRectangles(sizes, run.settings.lineWidth, run.settings.drawBorder);
    list = MakeCellList(toObjects ? &cells : nullptr);
  } catch (const std::bad_alloc&) {
    list = 0;
  }
  if (!list) {
    buf32Free(drawn);
    return FALSE;
  }
  *result = drawn;
  void* cellList = GlobalLock(list);
  *answer = effect::HostRequest(run.host, T32_REQ_CELLS, 0, 0,
                                reinterpret_cast<LONG_PTR>(cellList), 1);
  GlobalUnlock(list);
  GlobalFree(list);
  return TRUE;
}

}  // namespace

RunState& Run() { return g_run; }

}  // namespace gridsplit

using namespace gridsplit;

// Stores the module instance for loading resources; always succeeds.
LV_EXTERN_C LVEXPORT BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) effect::StoreModuleInstance(instance);
  return TRUE;
}

// Fills the query record in *slot, allocating it (owned by the host) when the
// slot is empty. 0 with error 1001 when it cannot be allocated.
LV_EXTERN_C LVEXPORT BOOL t32tPiQueryItems(T32QUERYRECORD** slot) {
  T32QUERYRECORD* record = effect::EnsureQueryRecord(slot);
  if (!record) {
    effect::SetError(C32ERR_OUT_OF_MEMORY, kUnit, 1, 1);
    return FALSE;
  }
  const effect::QueryTexts texts = {IDS_IDENTIFIER, IDS_MENU_TEXT, IDS_MENU_GROUP};
  effect::LoadQueryTextsFamilyA(effect::ModuleInstance(), texts, record);
  effect::WriteQueryValues(kQueryValues, record);
  return TRUE;
}

// Request 1 writes the defaults into the 32-byte block at out (colour and
// flags left as they are), 2 answers without writing, 4 writes the help
// record; anything else returns 0 without an error.
LV_EXTERN_C LVEXPORT BOOL t32tPiGetInfo(LPCSTR, LONG, LONG request, void* out) {
  switch (request) {
    case kInfoDefaults:
      if (!out) return FALSE;
      ApplyDefaults(static_cast<GridParams*>(out));
      return TRUE;
    case kInfoNothing:
      return TRUE;
    case kInfoHelp:
      if (!out) return FALSE;
      return effect::BuildHelpRecord(effect::ModuleInstance(), "TPI1.HLP >m", kHelpContext,
                                     static_cast<T32HELPRECORD*>(out));
    default:
      return FALSE;
  }
}

// Runs the dialog (unless mode is exactly 2) and draws the grid over a new
// buffer stored in *result, handing the cells to the host (request 1018).
// Returns 1 (or the host's answer to 1018) on success, 0 on cancel or failure
// with the error slot set (cleared on cancel).
LV_EXTERN_C LVEXPORT BOOL t32tPiAction(LPCSTR, HWND parent, LONG mode, LONG, void* params,
                                       LONG dataType, HBUF source, HANDLE, HBUF* result,
                                       T32HOSTOBJECT* host) {
  if (!(mode & (T32_MODE_EDIT | T32_MODE_APPLY | T32_MODE_DIALOG))) {
    effect::SetError(C32ERR_CANNOT_SERVE, kUnit, 3, 1);
    return FALSE;
  }
  RunState& run = Run();
  run = RunState{mode, dataType, source, host, parent, {}};
  if (dataType != T32_DT_RGB) {
    effect::SetError(C32ERR_CANNOT_SERVE, kUnit, 3, 4);
    return FALSE;
  }
  // Without a block from the host the run starts from the defaults.
  if (params) {
    std::memcpy(&run.settings, params, sizeof run.settings);
  } else {
    ApplyDefaults(&run.settings);
  }

  if (mode != T32_MODE_APPLY) {
    const GridParams kept = run.settings;
    INT_PTR answer = RunGridDialog();
    if (answer != 1) {
      run.settings = kept;
      if (answer == 0) {
        c32ResetDLLErrInfo();
      } else {
        effect::SetError(C32ERR_OUT_OF_MEMORY, kUnit, 1, 2);
      }
      return FALSE;
    }
    if (params) std::memcpy(params, &run.settings, sizeof run.settings);
    if (mode & T32_MODE_EDIT) return TRUE;
  }

  if (!result) {
    effect::SetError(C32ERR_CANNOT_SERVE, kUnit, 3, 3);
    return FALSE;
  }
  LONG answer = 1;
  if (!ApplyGrid(run, result, &answer)) {
    effect::SetError(C32ERR_OUT_OF_MEMORY, kUnit, 1, 1);
    return FALSE;
  }
  return answer;
}

// No styles.
LV_EXTERN_C LVEXPORT LONG t32tPiAskStyler(void) { return 0; }

// No variations.
LV_EXTERN_C LVEXPORT LONG t32tPiAskVariation(LPCSTR, void*, LONG, void*) { return 0; }
