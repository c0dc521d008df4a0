// The host's error slot: one pending error for the whole process, written by
// a failing module and read by the host after the failed entry point.
#include <hostcommon.h>

#include <cstdio>
#include <cstring>

#include "strings_internal.h"

namespace {

struct ErrorSlot {
  LONG error;     // error number, 0 when clear
  LONG unit;      // unit code of the module that failed
  LONG category;  // where in the module
  LONG detail;
};

ErrorSlot g_slot = {0, 0, 0, 0};

// Removes a "%s" placeholder (and the blank before it) from a text that is
// shown without its file name.
void DropNamePlaceholder(char* text) {
  char* mark = std::strstr(text, "%s");
  if (!mark) return;
  char* from = mark + 2;
  if (mark > text && mark[-1] == ' ') --mark;
  std::memmove(mark, from, std::strlen(from) + 1);
}

}  // namespace

void c32SetDLLErrInfo(LONG /*reserved0*/, LONG error, LONG /*reserved2*/, LONG unit, LONG category,
                      LONG detail) {
  g_slot = {error, unit, category, detail};
}

void c32ResetDLLErrInfo(void) { g_slot = {0, 0, 0, 0}; }

LONG c32GetDLLErrorInfo(LPSTR text, LONG size, LONG, LONG, LONG, LONG) {
  if (text && size > 0) {
    text[0] = '\0';
    if (g_slot.error != 0) {
      char message[512];
      if (hostcommon::LoadHostString(g_slot.error, message, sizeof message) > 0) {
        DropNamePlaceholder(message);
      } else {
        char pattern[256];
        hostcommon::LoadHostString(hostcommon::kUnknownErrorId, pattern, sizeof pattern);
        std::snprintf(message, sizeof message, pattern[0] ? pattern : "%ld",
                      static_cast<long>(g_slot.error));
      }
      std::snprintf(text, static_cast<size_t>(size), "%s", message);
    }
  }
  return g_slot.error;
}

LONG lvGetDLLErrInfoRecord(LONG* unit, LONG* category, LONG* detail) {
  if (unit) *unit = g_slot.unit;
  if (category) *category = g_slot.category;
  if (detail) *detail = g_slot.detail;
  return g_slot.error;
}
