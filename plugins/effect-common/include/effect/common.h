// Code the effect plug-ins share: module instance, query and help records,
// identifier check, host requests (progress, dialog notices, object lists),
// error reporting and module messages.
#pragma once

#include <windows.h>

#include <effect/plugin.h>

#include <functional>

namespace effect {

// Module instance -----------------------------------------------------------

// Stores the module's instance handle; call from DllMain on process attach.
void StoreModuleInstance(HINSTANCE instance);
// The module's instance handle (0 before DllMain ran).
HINSTANCE ModuleInstance();

// Query record ---------------------------------------------------------------

// The nine numbers of a query record, in record order from offset 144.
struct QueryValues {
  LONG hostValue1;
  LONG paramSize;
  LONG dataTypes;
  LONG hostValue4, hostValue5, hostValue6, hostValue7, hostValue8, hostValue9;
};

// String numbers of the three texts of a query record (0: no such text).
struct QueryTexts {
  UINT identifier;
  UINT menuText;
  UINT menuGroup;
};

// Makes sure *slot holds a record: allocates 180 zero-filled bytes of movable
// global memory when the slot is empty (the host owns them afterwards).
// Returns the record, or NULL when slot is NULL or the allocation failed.
T32QUERYRECORD* EnsureQueryRecord(T32QUERYRECORD** slot);

// Family A texts: each string of `instance` is loaded straight into its field
// with a 128-byte limit, identifier first, then menu text, then group, so a
// later text overwrites what an over-long earlier one wrote past its field.
// A text never runs past the end of the 180-byte record; it is cut there.
// A missing string leaves its field empty.
void LoadQueryTextsFamilyA(HINSTANCE instance, const QueryTexts& texts, T32QUERYRECORD* record);
// Family B texts: each string is loaded through a 64-byte scratch buffer and
// copied into its field.
void LoadQueryTextsFamilyB(HINSTANCE instance, const QueryTexts& texts, T32QUERYRECORD* record);
// Writes the nine numbers at offsets 144..179.
void WriteQueryValues(const QueryValues& values, T32QUERYRECORD* record);

// Help record ------------------------------------------------------------------

// Builds a help record in out: the folder of the module file of `instance`
// (with its trailing backslash), then fileAndSuffix (e.g. "TPI1.HLP >m"),
// then the context at offset 260. FALSE (out zeroed) when the module path is
// unknown or the text does not fit in 260 bytes.
BOOL BuildHelpRecord(HINSTANCE instance, LPCSTR fileAndSuffix, LONG context, T32HELPRECORD* out);
// The help file path of the module's folder for WinHelpA: folder, file name
// and window suffix into path (MAX_PATH bytes). FALSE when it does not fit.
BOOL HelpFilePath(HINSTANCE instance, LPCSTR fileAndSuffix, LPSTR path);

// Identifier -----------------------------------------------------------------

// TRUE when identifier equals the module's string `id` (loaded with a 16-byte
// limit) without regard to case. NULL never matches.
BOOL IdentifierMatches(HINSTANCE instance, UINT id, LPCSTR identifier);

// Errors and messages ---------------------------------------------------------

// Records an error in the host's error slot (0, error, 0, unit, category, detail).
void SetError(LONG error, LONG unit, LONG category, LONG detail);
// Loads message `id` of the module's string table (256 bytes), formats it
// printf-style with up to two integer arguments (256 bytes), shows it with
// the host's message box over owner (only the text field of the record
// filled) and clears the host's error slot afterwards. Returns the answer.
LONG ShowModuleMessage(HINSTANCE instance, HWND owner, UINT id, LONG arg1 = 0, LONG arg2 = 0);

// Host requests --------------------------------------------------------------

// Calls the host's request function; `fallback` when there is no host object
// or it has no request function.
LONG HostRequest(const T32HOSTOBJECT* host, LONG code, LONG value1, LONG value2,
                 LONG_PTR argument, LONG fallback);
// Request 78: the dialog has finished initialising (272, 0) or closes with
// OK (273, 1) or Cancel (273, 2).
void NotifyDialog(const T32HOSTOBJECT* host, LONG event, LONG value, HWND dialog);
constexpr LONG kDialogInitialised = 272;
constexpr LONG kDialogClosing = 273;
constexpr LONG kClosedWithOk = 1;
constexpr LONG kClosedWithCancel = 2;

// Progress reports over the host object's range: Begin sends request 1 with
// the start, Step request 2 with start + done / total x (end - start) when
// that value is larger than the last one sent, End request 4 with the end.
class Progress {
 public:
  explicit Progress(const T32HOSTOBJECT* host);
  void Begin();
  void Step(LONGLONG done, LONGLONG total);
  void End();
  // TRUE when the host asks for cancel checks and Escape was pressed.
  BOOL CancelRequested() const;

 private:
  const T32HOSTOBJECT* host_;
  LONG last_;
};

// Object loop of a run without dialog: asks the host for the object count
// (request 1005, starting from 1); with one object applies `effect` to
// source and *result; with more, lets the host fill the object list (request
// 1006) and applies `effect` to each object with its share of the progress
// range (the host object's start and end are restored afterwards). When an
// object fails, the result buffer of every object is freed (a handle that is
// not a live buffer is only cleared). Returns TRUE when every object
// succeeded. Sets error 1001 (unit, category 1, detail 1) when the list
// cannot be allocated.
using ObjectEffect = std::function<BOOL(HBUF source, HANDLE second, HBUF* result,
                                        T32HOSTOBJECT* host)>;
BOOL ForEachObject(T32HOSTOBJECT* host, HBUF source, HANDLE second, HBUF* result, LONG unit,
                   const ObjectEffect& effect);

// Cursor ---------------------------------------------------------------------

// Shows the wait cursor for the life of the object and restores the previous one.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace effect
