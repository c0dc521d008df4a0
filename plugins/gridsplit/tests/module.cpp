// The grid plug-in loaded as the host loads it, and a recording host.
#include "module.h"

#include <imgcore.h>

#include <string>

#include "module_binding.h"
#include "testsupport.h"

namespace gridtest {

namespace {

using lvtest::Bind;

RecordingHost* g_current = nullptr;
std::vector<HostCall> g_calls;

LONG Request(LONG code, LONG value1, LONG value2, LONG_PTR argument) {
  HostCall call = {code, value1, value2, argument, 0, {}};
  LONG answer = 1;
  if (code == T32_REQ_CELLS) {
    const LONG* list = reinterpret_cast<const LONG*>(argument);
    call.cellCount = list[0];
    const RECT* cells = reinterpret_cast<const RECT*>(list + 1);
    for (LONG i = 0; i < list[0]; ++i) call.cells.push_back(cells[i]);
    answer = g_current ? g_current->cellsAnswer : 1;
  } else if (code == T32_REQ_PALETTE && g_current) {
    *reinterpret_cast<HPALETTE*>(argument) = g_current->palette;
  } else if (code == T32_REQ_OBJECT_COUNT) {
    *reinterpret_cast<LONG*>(argument) = 1;
  }
  g_calls.push_back(std::move(call));
  return answer;
}

}  // namespace

const GridModule& Grid() {
  static GridModule grid = [] {
    GridModule loaded;
    const std::string path = lvtest::StagedModulePath("gridsplit.tpi");
    loaded.module = LoadLibraryA(path.c_str());
    if (!loaded.module) return loaded;
    loaded.query = Bind<T32PIQUERYITEMS>(loaded.module, "t32tPiQueryItems");
    loaded.getInfo = Bind<T32PIGETINFO>(loaded.module, "t32tPiGetInfo");
    loaded.action = Bind<T32PIACTION>(loaded.module, "t32tPiAction");
    loaded.askStyler =
        Bind<T32PIASKSTYLER>(loaded.module, "t32tPiAskStyler");
    loaded.askVariation =
        Bind<T32PIASKVARIATION>(loaded.module, "t32tPiAskVariation");
    return loaded;
  }();
  return grid;
}

RecordingHost::RecordingHost() : object_{0, Request, 55, 0, 100} {
  g_current = this;
  g_calls.clear();
}

RecordingHost::~RecordingHost() { g_current = nullptr; }

const std::vector<HostCall>& RecordingHost::calls() const { return g_calls; }

const HostCall* RecordingHost::Find(LONG code, LONG value1) const {
  for (const HostCall& call : g_calls)
    if (call.code == code && (value1 < 0 || call.value1 == value1)) return &call;
  return nullptr;
}

std::vector<BYTE> Pixels(HBUF buffer) {
  LONG width = 0, height = 0;
  buf32GetWHU(buffer, &width, &height, nullptr);
  std::vector<BYTE> pixels(static_cast<size_t>(width) * height * 3);
  if (!pixels.empty()) buf32GetMem(buffer, 0, 0, width, height, pixels.data());
  return pixels;
}

}  // namespace gridtest
