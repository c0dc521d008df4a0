// The error report of the file-I/O modules: four numbers into the host error
// slot, the text kept beside it.
#include <hostcommon.h>
#include <misclib.h>

#include <cstring>

namespace {

// The last report made through misReportError.
struct LastReport {
  LONG function;
  LONG stage;
  LONG point;
  LONG message;
  char text[256];
};

LastReport g_last = {0, 0, 0, 0, {}};

// True while the host slot still holds exactly the last report.
bool SlotHoldsLastReport() {
  LONG unit = 0, category = 0, detail = 0;
  LONG error = lvGetDLLErrInfoRecord(&unit, &category, &detail);
  return error != 0 && error == g_last.message && unit == g_last.function &&
         category == g_last.stage && detail == g_last.point;
}

}  // namespace

LONG misReportError(LONG function, LONG stage, LONG point, LONG message, LPCSTR text) {
  g_last.function = function;
  g_last.stage = stage;
  g_last.point = point;
  g_last.message = message;
  g_last.text[0] = '\0';
  if (text) lstrcpynA(g_last.text, text, sizeof g_last.text);
  c32SetDLLErrInfo(reinterpret_cast<LONG_PTR>(g_last.text), message, message, function, stage, point);
  return message;
}

LONG misGetLastErrorText(LPSTR text, LONG size) {
  if (!text || size <= 0) return 0;
  text[0] = '\0';
  if (!SlotHoldsLastReport()) return 0;
  lstrcpynA(text, g_last.text, size);
  return lstrlenA(text);
}
