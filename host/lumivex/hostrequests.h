// The host object handed to a plug-in's Action, and the host's answers to
// its requests (progress, object lists, palette, dialog notices, cells).
#pragma once

#include <effect/plugin.h>

#include <string>
#include <vector>

namespace lvhost {

// What the host knows about the one run in progress.
struct RunState {
  HBUF source = 0;            // the image handed to the plug-in
  HBUF* result = nullptr;     // Action's result slot
  HBUF resultMask = 0;        // mask slot of the extended object list (unused)
  bool drawProgress = false;  // stderr is a terminal
  LONG progressStart = 0;
  LONG progressEnd = 100;
  int lastPercent = -1;       // last percentage drawn
  bool cellsDelivered = false;
  bool hasCells = false;      // a list with count >= 0 arrived
  std::vector<RECT> cells;
  std::string cellError;      // a cell list that could not be taken
  std::vector<LONG> notices;  // request 78 values, in order (272, 273, ...)
};

// Prepares the host object for a run on `state` (progress range 0..100,
// cancel checks on) and makes `state` the target of the request function.
void BeginRun(RunState* state, T32HOSTOBJECT* host);
// Ends the run: clears the progress line, detaches the state.
void EndRun();

// The request function itself (exposed for tests).
LONG HostRequest(LONG code, LONG value1, LONG value2, LONG_PTR argument);

// Largest cell list the host accepts.
constexpr LONG kMaxCells = 100000;

}  // namespace lvhost
