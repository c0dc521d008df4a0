// The state of the current Action call, kept for the length of one call.
#pragma once

#include <windows.h>

#include <effect/plugin.h>

#include "params.h"

namespace gridsplit {

// Unit code under which this module records its errors.
constexpr LONG kUnit = 72201;

struct RunState {
  LONG mode;            // Action's mode bits
  LONG dataType;        // data type of the source image
  HBUF source;          // the image the grid is drawn over (never changed)
  T32HOSTOBJECT* host;  // host object, or NULL
  HWND parent;          // owner of the dialog
  GridParams settings;  // the settings being edited and applied
};

// The module's one run state.
RunState& Run();

// Runs dialog 202 over the run's parent: 1 after OK (settings updated),
// 0 after Cancel, -1 when the dialog could not be opened.
INT_PTR RunGridDialog();

}  // namespace gridsplit
