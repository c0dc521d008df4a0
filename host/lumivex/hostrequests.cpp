// The host's side of the plug-in requests.
#include "hostrequests.h"

#include <unistd.h>

#include <cstdio>

namespace lvhost {

namespace {

RunState* g_run = nullptr;  // the run in progress (one at a time, UI thread)

void DrawProgress(LONG value) {
  if (!g_run || !g_run->drawProgress) return;
  LONG span = g_run->progressEnd - g_run->progressStart;
  int percent = span > 0 ? static_cast<int>(100LL * (value - g_run->progressStart) / span) : 0;
  percent = percent < 0 ? 0 : percent > 100 ? 100 : percent;
  if (percent == g_run->lastPercent) return;
  g_run->lastPercent = percent;
  constexpr int kWidth = 40;
  char bar[kWidth + 1];
  int filled = percent * kWidth / 100;
  for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '.';
  bar[kWidth] = '\0';
  std::fprintf(stderr, "\r[%s] %3d%%", bar, percent);
  std::fflush(stderr);
}

void ClearProgress() {
  if (g_run && g_run->drawProgress && g_run->lastPercent >= 0) {
    std::fprintf(stderr, "\r%60s\r", "");
    std::fflush(stderr);
    g_run->lastPercent = -1;
  }
}

// Request 1018: takes the cell list (count -1: no cells).
LONG TakeCells(const T32CELLLIST* list) {
  g_run->cellsDelivered = true;
  if (!list) {
    g_run->cellError = "the plug-in handed over no cell list";
    return 0;
  }
  if (list->count < 0) return 1;
  if (list->count > kMaxCells) {
    g_run->cellError = "the plug-in handed over " + std::to_string(list->count) + " cells, more than " +
                       std::to_string(kMaxCells);
    return 0;
  }
  g_run->hasCells = true;
  g_run->cells.assign(list->cells, list->cells + list->count);
  return 1;
}

}  // namespace

void BeginRun(RunState* state, T32HOSTOBJECT* host) {
  g_run = state;
  state->drawProgress = isatty(STDERR_FILENO) != 0;
  host->cancelCheck = 1;
  host->request = HostRequest;
  host->userValue = 0;
  host->progressStart = state->progressStart = 0;
  host->progressEnd = state->progressEnd = 100;
}

void EndRun() {
  ClearProgress();
  g_run = nullptr;
}

LONG HostRequest(LONG code, LONG value1, LONG value2, LONG_PTR argument) {
  (void)value2;
  if (!g_run) return 0;
  switch (code) {
    case T32_REQ_PROGRESS_BEGIN:
      g_run->lastPercent = -1;
      DrawProgress(value1);
      return 1;
    case T32_REQ_PROGRESS_STEP:
      DrawProgress(value1);
      return 1;
    case T32_REQ_PROGRESS_END:
      DrawProgress(value1);
      ClearProgress();
      return 1;
    case T32_REQ_DIALOG_NOTICE:
      g_run->notices.push_back(value1);
      return 1;
    case T32_REQ_PREVIEW_CHANGED:
    case T32_REQ_UNDO:
    case T32_REQ_REDO:
      return 1;  // the program shows no image window
    case T32_REQ_OBJECT_COUNT:
      if (!argument) return 0;
      *reinterpret_cast<LONG*>(argument) = 1;  // one image, no objects
      return 1;
    case T32_REQ_OBJECT_LIST: {
      if (!argument) return 0;
      T32OBJECTENTRY* entry = reinterpret_cast<T32OBJECTENTRY*>(argument);
      *entry = {g_run->source, 0, g_run->result};
      return 1;
    }
    case T32_REQ_OBJECT_LIST_EX: {
      if (!argument) return 0;
      T32OBJECTENTRYEX* entry = reinterpret_cast<T32OBJECTENTRYEX*>(argument);
      *entry = {g_run->source, 0, g_run->result, &g_run->resultMask};
      return 1;
    }
    case T32_REQ_PALETTE:
      if (!argument) return 0;
      *reinterpret_cast<HPALETTE*>(argument) = 0;  // RGB and grey images have none
      return 1;
    case T32_REQ_CELLS:
      return TakeCells(reinterpret_cast<const T32CELLLIST*>(argument));
    default:
      return 0;
  }
}

}  // namespace lvhost
