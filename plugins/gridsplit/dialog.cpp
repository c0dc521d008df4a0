// Dialog 202: moves the settings between the controls and the run state.
#include <windows.h>

#include <commctrl.h>
#include <effect/colorbox.h>
#include <effect/common.h>
#include <hostcommon.h>

#include "params.h"
#include "resources/resource.h"
#include "state.h"

namespace gridsplit {

namespace {

// Custom colours of the system colour dialog, kept for the life of the module.
COLORREF g_customColours[16] = {};

const HWND kScreen = static_cast<HWND>(-1);

// Digits of the larger magnitude of the range, one more for a negative minimum.
int TextLimitFor(LONG minimum, LONG maximum) {
  LONG magnitude = maximum > -minimum ? maximum : -minimum;
  int digits = 1;
  while (magnitude >= 10) {
    magnitude /= 10;
    ++digits;
  }
  return minimum < 0 ? digits + 1 : digits;
}

void SetUpNumber(HWND dialog, int editId, int spinId, LONG value) {
  SetDlgItemInt(dialog, editId, static_cast<UINT>(value), FALSE);
  SendDlgItemMessageA(dialog, editId, EM_LIMITTEXT, TextLimitFor(kMinValue, kMaxValue), 0);
  SendDlgItemMessageA(dialog, spinId, UDM_SETRANGE, 0, MAKELPARAM(kMaxValue, kMinValue));
  SendDlgItemMessageA(dialog, spinId, UDM_SETPOS, 0, MAKELPARAM(value, 0));
}

// Mode bit 4 disables "&Hilfe", bit 6 hides it, bit 8 disables OK.
void ApplyModeToButtons(HWND dialog, LONG mode) {
  HWND help = GetDlgItem(dialog, IDC_HELP_BUTTON);
  if (mode & T32_MODE_HELP_OFF) EnableWindow(help, FALSE);
  if (mode & T32_MODE_HELP_HIDDEN) ShowWindow(help, SW_HIDE);
  if (mode & T32_MODE_OK_OFF) EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
}

void OnInitDialog(HWND dialog) {
  const RunState& run = Run();
  const GridParams& settings = run.settings;
  SetUpNumber(dialog, IDC_ROWS, IDC_ROWS_SPIN, settings.rows);
  SetUpNumber(dialog, IDC_COLUMNS, IDC_COLUMNS_SPIN, settings.columns);
  SetUpNumber(dialog, IDC_LINE_WIDTH, IDC_LINE_WIDTH_SPIN, settings.lineWidth);
  CheckDlgButton(dialog, IDC_BORDER, settings.drawBorder ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_CELLS_TO_OBJECTS,
                 settings.cellsToObjects ? BST_CHECKED : BST_UNCHECKED);
  HWND box = GetDlgItem(dialog, IDC_COLOUR_BOX);
  effect::SetColorBox(box, settings.lineColour, 0);
  ShowWindow(box, SW_SHOW);
  ApplyModeToButtons(dialog, run.mode);
  t32MoveWindow(dialog, run.parent ? run.parent : kScreen, 1);
  effect::NotifyDialog(run.host, effect::kDialogInitialised, 0, dialog);
}

// Puts the focus into the field with its whole text selected.
void SelectField(HWND dialog, int id) {
  HWND field = GetDlgItem(dialog, id);
  SetFocus(field);
  SendMessageA(field, EM_SETSEL, 0, -1);
}

// Reads a field as an unsigned number (empty or not a number: 0); outside
// 1..99 shows message 100 and selects the field.
bool ReadInRange(HWND dialog, int id, LONG* value) {
  BOOL translated = FALSE;
  UINT number = GetDlgItemInt(dialog, id, &translated, FALSE);
  if (!translated) number = 0;
  if (number < static_cast<UINT>(kMinValue) || number > static_cast<UINT>(kMaxValue)) {
    effect::ShowModuleMessage(effect::ModuleInstance(), 0, IDS_RANGE, kMinValue, kMaxValue);
    SelectField(dialog, id);
    return false;
  }
  *value = static_cast<LONG>(number);
  return true;
}

// TRUE when the cells of the source image keep at least one pixel each.
bool CellsFitSource(const GridParams& candidate) {
  LONG width = 0;
  LONG height = 0;
  // Without a live source (editing only) there is nothing to fit.
  if (!buf32GetWHU(Run().source, &width, &height, nullptr)) return true;
  LONGLONG roomX = static_cast<LONGLONG>(width) -
                   static_cast<LONGLONG>(candidate.verticalLines) * candidate.lineWidth;
  LONGLONG roomY = static_cast<LONGLONG>(height) -
                   static_cast<LONGLONG>(candidate.horizontalLines) * candidate.lineWidth;
  return roomX / candidate.columns >= 1 && roomY / candidate.rows >= 1;
}

// Checks the fields in order and stores them as the settings; false (with
// the message shown and the dialog left open) on the first failure.
bool ValidateAndStore(HWND dialog) {
  GridParams candidate = Run().settings;
  if (!ReadInRange(dialog, IDC_ROWS, &candidate.rows) ||
      !ReadInRange(dialog, IDC_COLUMNS, &candidate.columns) ||
      !ReadInRange(dialog, IDC_LINE_WIDTH, &candidate.lineWidth))
    return false;
  candidate.drawBorder = IsDlgButtonChecked(dialog, IDC_BORDER) == BST_CHECKED ? 1 : 0;
  candidate.cellsToObjects =
      IsDlgButtonChecked(dialog, IDC_CELLS_TO_OBJECTS) == BST_CHECKED ? 1 : 0;
  if (candidate.cellsToObjects && candidate.rows * candidate.columns > kMaxObjects) {
    effect::ShowModuleMessage(effect::ModuleInstance(), 0, IDS_TOO_MANY_OBJECTS, kMaxObjects);
    return false;
  }
  candidate.verticalLines = VerticalLineCount(candidate.columns, candidate.drawBorder);
  candidate.horizontalLines = HorizontalLineCount(candidate.rows, candidate.drawBorder);
  if (!CellsFitSource(candidate)) {
    effect::ShowModuleMessage(effect::ModuleInstance(), 0, IDS_CELLS_TOO_SMALL);
    return false;
  }
  candidate.lineColour = effect::ColorBoxColour(GetDlgItem(dialog, IDC_COLOUR_BOX));
  Run().settings = candidate;
  return true;
}

void OpenHelp(HWND dialog) {
  char path[MAX_PATH];
  if (effect::HelpFilePath(effect::ModuleInstance(), "TPI1.HLP>d", path))
    WinHelpA(dialog, path, HELP_CONTEXT, IDD_GRID);
}

void OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK:
      if (!ValidateAndStore(dialog)) return;
      effect::NotifyDialog(Run().host, effect::kDialogClosing, effect::kClosedWithOk, dialog);
      EndDialog(dialog, 1);
      return;
    case IDCANCEL:
      effect::NotifyDialog(Run().host, effect::kDialogClosing, effect::kClosedWithCancel, dialog);
      EndDialog(dialog, 0);
      return;
    case IDC_HELP_BUTTON:
      OpenHelp(dialog);
      return;
    default:
      return;
  }
}

INT_PTR GridDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR RunGridDialog() {
  const RunState& run = Run();
  HINSTANCE instance = effect::ModuleInstance();
  const effect::ColorBoxSettings boxes = {g_customColours, run.dataType, run.host};
  if (!effect::RegisterColorBox(instance, boxes)) return -1;
  INT_PTR answer = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_GRID), run.parent,
                                   GridDialogProc, 0);
  effect::UnregisterColorBox(instance);
  return answer;
}

}  // namespace gridsplit
