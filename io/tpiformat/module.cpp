// Module-wide pieces of tpiformat: instance, start-up strings, the misclib
// services and the error report.
#include "module.h"

#include "resources/resource.h"

namespace tpi {

namespace {

HINSTANCE g_instance = 0;
HMODULE g_misclib = 0;
MiscServices g_misc;

// Texts loaded at start, so that a lack of memory can still be reported.
char g_noString[30] = "";
char g_noGlobalMemory[50] = "";
char g_noLocalMemory[50] = "";
char g_shortName[4] = "";

template <typename Function>
bool BindOrdinal(HMODULE library, int ordinal, Function* function) {
  *function = reinterpret_cast<Function>(GetProcAddress(library, MAKEINTRESOURCE(ordinal)));
  return *function != nullptr;
}

// The module's text for `message` into text; false when it cannot be had.
bool MessageText(LONG message, char* text, int size) {
  const char* kept = message == IDS_NO_GLOBAL_MEMORY  ? g_noGlobalMemory
                     : message == IDS_NO_LOCAL_MEMORY ? g_noLocalMemory
                                                      : nullptr;
  if (kept) {
    if (!kept[0]) return false;
    lstrcpynA(text, kept, size);
    return true;
  }
  return LoadStringA(g_instance, static_cast<UINT>(message), text, size) > 0;
}

}  // namespace

BOOL BindMiscServices() {
  HMODULE library = LoadLibraryA("misclib.dll");
  if (!library) return FALSE;
  MiscServices s;
  if (!BindOrdinal(library, MISC_ORD_REPORT_ERROR, &s.reportError) ||
      !BindOrdinal(library, MISC_ORD_COPY_PALETTE, &s.copyPalette) ||
      !BindOrdinal(library, MISC_ORD_DIALOG_SETUP, &s.dialogSetup) ||
      !BindOrdinal(library, MISC_ORD_COPY_ROW, &s.copyRow) ||
      !BindOrdinal(library, MISC_ORD_INVERT_BITS, &s.invertBits) ||
      !BindOrdinal(library, MISC_ORD_EXPAND_BITS, &s.expandBits) ||
      !BindOrdinal(library, MISC_ORD_GREEN_WORDS_TO_RGB, &s.greenWordsToRgb)) {
    FreeLibrary(library);
    return FALSE;
  }
  g_misclib = library;
  g_misc = s;
  return TRUE;
}

void ReleaseMiscServices() {
  if (g_misclib) FreeLibrary(g_misclib);
  g_misclib = 0;
  g_misc = MiscServices();
}

const MiscServices& Misc() { return g_misc; }

void Startup(HINSTANCE instance) {
  g_instance = instance;
  LoadStringA(instance, IDS_NO_STRING, g_noString, sizeof g_noString);
  LoadStringA(instance, IDS_NO_GLOBAL_MEMORY, g_noGlobalMemory, sizeof g_noGlobalMemory);
  LoadStringA(instance, IDS_NO_LOCAL_MEMORY, g_noLocalMemory, sizeof g_noLocalMemory);
  LoadStringA(instance, IDS_SHORT_NAME, g_shortName, sizeof g_shortName);
}

HINSTANCE Instance() { return g_instance; }

const char* ShortFormatName() { return g_shortName; }

void ReportError(LONG function, LONG stage, LONG point, LONG message) {
  if (!g_misc.reportError) return;
  char text[256];
  if (MessageText(message, text, sizeof text)) {
    g_misc.reportError(function, stage, point, message, text);
  } else {
    g_misc.reportError(kFnModule, 5, 1, IDS_NO_STRING, g_noString);
  }
}

}  // namespace tpi
