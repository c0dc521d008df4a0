// The properties boxes: the file name and the facts of the information call,
// centred over the parent and closed with OK or Cancel.
#include "infobox.h"

#include <hostcommon.h>

#include <memory>
#include <string>

#include "fileinfo.h"
#include "module.h"
#include "resources/resource.h"

namespace audioinfo {

namespace {

// The open box: its file, format and parent.
struct OpenBox {
  std::string fileName;
  LONG index = 0;
  HWND parent = 0;
};

OpenBox g_box;

const HWND kScreen = static_cast<HWND>(-1);

// The record of the open box's file; false when the information call fails.
bool CollectOpenBoxInfo(MIOFILEINFO* info) {
  MioError ignored = {};
  return CollectFileInfo(g_box.index, g_box.fileName.c_str(), info, &ignored);
}

void PlaceBox(HWND dialog) { t32MoveWindow(dialog, g_box.parent ? g_box.parent : kScreen, 1); }

void InitWaveBox(HWND dialog) {
  SetDlgItemTextA(dialog, IDC_WAVE_NAME, g_box.fileName.c_str());
  auto info = std::make_unique<MIOFILEINFO>();
  if (CollectOpenBoxInfo(info.get())) {
    const WaveTexts texts = FormatWaveTexts(*info);
    SetDlgItemTextA(dialog, IDC_WAVE_RATE, texts.rate);
    SetDlgItemTextA(dialog, IDC_WAVE_BITS, texts.bits);
    SetDlgItemTextA(dialog, IDC_WAVE_CHANNELS, texts.channels);
    SetDlgItemTextA(dialog, IDC_WAVE_SAMPLES, texts.samples);
  }
  PlaceBox(dialog);
}

void InitMidiBox(HWND dialog) {
  SetDlgItemTextA(dialog, IDC_MIDI_NAME, g_box.fileName.c_str());
  auto info = std::make_unique<MIOFILEINFO>();
  if (CollectOpenBoxInfo(info.get())) {
    const MidiTexts texts = FormatMidiTexts(*info);
    SetDlgItemTextA(dialog, IDC_MIDI_LENGTH, texts.length);
    SetDlgItemTextA(dialog, IDC_MIDI_TEMPO, texts.tempo);
  }
  PlaceBox(dialog);
}

// OK and Cancel close the box; true when the message was one of them.
bool CloseOnCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  if (id != IDOK && id != IDCANCEL) return false;
  EndDialog(dialog, id);
  return true;
}

bool IsMidi(LONG index) { return index == MIO_FORMAT_MIDI || index == MIO_FORMAT_RMI; }

}  // namespace

void RunInfoBox(LONG index, HWND parent, LPCSTR fileName) {
  g_box.fileName = fileName ? fileName : "";
  g_box.index = index;
  g_box.parent = parent;
  if (IsMidi(index)) {
    DialogBoxParamA(ModuleInstance(), MAKEINTRESOURCEA(IDD_INFO_MIDI), parent, InfoDlgProc2, 0);
  } else {
    DialogBoxParamA(ModuleInstance(), MAKEINTRESOURCEA(IDD_INFO_WAVE), parent, InfoDlgProc1, 0);
  }
  g_box = OpenBox{};
}

}  // namespace audioinfo

using namespace audioinfo;

// Dialog procedure of the waveform box (dialog 2): fills it on WM_INITDIALOG,
// closes it on OK or Cancel.
LV_EXTERN_C LVEXPORT INT_PTR InfoDlgProc1(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      InitWaveBox(dialog);
      return TRUE;
    case WM_COMMAND:
      return CloseOnCommand(dialog, wParam) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

// Dialog procedure of the MIDI box (dialog 3): fills it on WM_INITDIALOG,
// closes it on OK or Cancel.
LV_EXTERN_C LVEXPORT INT_PTR InfoDlgProc2(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      InitMidiBox(dialog);
      return TRUE;
    case WM_COMMAND:
      return CloseOnCommand(dialog, wParam) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}
