// The cell list handed to the host with request 1018.
#include <cstring>

#include "render.h"

namespace gridsplit {

HGLOBAL MakeCellList(const std::vector<RECT>* cells) {
  size_t count = cells ? cells->size() : 0;
  size_t bytes = sizeof(LONG) + sizeof(RECT) * count;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(bytes));
  if (!memory) return 0;
  BYTE* list = static_cast<BYTE*>(GlobalLock(memory));
  if (!list) {
    GlobalFree(memory);
    return 0;
  }
  LONG counted = cells ? static_cast<LONG>(count) : -1;
  std::memcpy(list, &counted, sizeof counted);
  if (count) std::memcpy(list + sizeof(LONG), cells->data(), sizeof(RECT) * count);
  GlobalUnlock(memory);
  return memory;
}

}  // namespace gridsplit
