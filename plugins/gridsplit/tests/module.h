// The grid plug-in loaded as the host loads it, and a recording host.
#pragma once

#include <windows.h>

#include <effect/plugin.h>

#include <vector>

#include "mask_buffers.h"

namespace gridtest {

// The module's entry points, bound by name.
struct GridModule {
  HMODULE module = 0;
  T32PIQUERYITEMS query = nullptr;
  T32PIGETINFO getInfo = nullptr;
  T32PIACTION action = nullptr;
  T32PIASKSTYLER askStyler = nullptr;
  T32PIASKVARIATION askVariation = nullptr;
};

// Loads gridsplit.tpi from the staged modules folder once per test program.
const GridModule& Grid();

// One call of the host request function, with a copy of the cell list of
// request 1018 (rectangles as left, top, right, bottom).
struct HostCall {
  LONG code, value1, value2;
  LONG_PTR argument;
  LONG cellCount;
  std::vector<RECT> cells;
};

// A host object whose request function records every call; request 1018
// answers with `cellsAnswer`, request 1008 gives `palette`.
class RecordingHost {
 public:
  RecordingHost();
  ~RecordingHost();
  T32HOSTOBJECT* object() { return &object_; }
  const std::vector<HostCall>& calls() const;
  const HostCall* Find(LONG code, LONG value1 = -1) const;
  LONG cellsAnswer = 1;
  HPALETTE palette = 0;

 private:
  T32HOSTOBJECT object_;
};

// All pixels of an RGB buffer, row after row.
std::vector<BYTE> Pixels(HBUF buffer);

}  // namespace gridtest
