// Module-wide pieces of tpiformat: the instance, the start-up strings, the
// host services bound from misclib and the error report.
#pragma once

#include <windows.h>

#include <misclib.h>

namespace tpi {

// Function codes of the error report.
constexpr LONG kFnModule = 810;   // format information, dialog table
constexpr LONG kFnHeader = 811;   // header reader, properties dialog
constexpr LONG kFnRead = 812;     // full-size read
constexpr LONG kFnWrite = 813;    // writer
constexpr LONG kFnPreview = 814;  // preview, scaled read, escape

// The host services of misclib, bound by ordinal when the module is attached.
struct MiscServices {
  MISREPORTERROR reportError = nullptr;
  MISCOPYPALETTE copyPalette = nullptr;
  MISDIALOGSETUP dialogSetup = nullptr;
  MISCOPYROW copyRow = nullptr;
  MISINVERTBITS invertBits = nullptr;
  MISEXPANDBITS expandBits = nullptr;
  MISGREENWORDSTORGB greenWordsToRgb = nullptr;
};

// Binds every service; FALSE (nothing bound) when misclib or one of its
// ordinals is missing.
BOOL BindMiscServices();
// Drops the reference on misclib taken by BindMiscServices.
void ReleaseMiscServices();
const MiscServices& Misc();

// Keeps the instance and loads the texts needed to report a lack of memory.
void Startup(HINSTANCE instance);
HINSTANCE Instance();
// The short format name "TPI" loaded at start (at most 3 characters).
const char* ShortFormatName();

// Reports a failure with its four numbers and the module's text for
// `message` to the host's error service (misclib ordinal 44). When the text
// cannot be loaded, reports (810, 5, 1, 7017) instead.
void ReportError(LONG function, LONG stage, LONG point, LONG message);

}  // namespace tpi
