// The host's error slot: one pending error for the whole process, written by
// a failing module and read by the host after the failed entry point.
#include <hostcommon.h>

#include <cstdio>
#include <cstring>

#include "strings_internal.h"

namespace {

struct ErrorSlot {
  LONG error;       // error number, 0 when clear
  LONG unit;        // unit code of the module that failed
  LONG category;    // where in the module
  LONG detail;
  LONG message;     // identifier of the module's own message, 0 when none
  char text[256];   // the module's own message text, empty when none
};

ErrorSlot g_slot = {};

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

void c32SetDLLErrInfo(LONG_PTR text, LONG error, LONG message, LONG unit, LONG category,
                      LONG detail) {
  g_slot = {error, unit, category, detail, message, {}};
  if (text) lstrcpynA(g_slot.text, reinterpret_cast<LPCSTR>(text), sizeof g_slot.text);
}

void c32ResetDLLErrInfo(void) { g_slot = {}; }

LONG c32GetDLLErrorInfo(LPSTR text, LONG size, LONG, LONG, LONG, LONG) {
  if (text && size > 0) {
    text[0] = '\0';
    if (g_slot.error != 0) {
      char message[512];
      if (g_slot.text[0]) {
        lstrcpynA(message, g_slot.text, sizeof message);
      } else if (hostcommon::LoadHostString(g_slot.error, message, sizeof message) > 0) {
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

LONG lvGetDLLErrInfoMessage(LPSTR text, LONG size) {
  if (text && size > 0) lstrcpynA(text, g_slot.text, size);
  return g_slot.message;
}

LONG lvGetDLLErrInfoRecord(LONG* unit, LONG* category, LONG* detail) {
  if (unit) *unit = g_slot.unit;
  if (category) *category = g_slot.category;
  if (detail) *detail = g_slot.detail;
  return g_slot.error;
}
