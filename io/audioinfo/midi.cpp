// MIDI and RMI files through the platform's sequencer device.
#include "midi.h"

#include <mmsystem.h>

namespace audioinfo {

namespace {

// Asks the open device for one status item.
bool Status(MCIDEVICEID device, DWORD item, DWORD_PTR* value) {
  MCI_STATUS_PARMS status = {};
  status.dwItem = item;
  if (mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                      reinterpret_cast<DWORD_PTR>(&status)) != 0)
    return false;
  *value = status.dwReturn;
  return true;
}

bool QueryOpenDevice(MCIDEVICEID device, MidiFacts* facts) {
  DWORD_PTR tempo = 0;
  if (!Status(device, MCI_SEQ_STATUS_TEMPO, &tempo)) return false;
  MCI_SET_PARMS set = {};
  set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
  if (mciSendCommandA(device, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT,
                      reinterpret_cast<DWORD_PTR>(&set)) != 0)
    return false;
  DWORD_PTR milliseconds = 0;
  if (!Status(device, MCI_STATUS_LENGTH, &milliseconds)) return false;
  facts->tempo = static_cast<DWORD>(tempo);
  facts->lengthSeconds = static_cast<DWORD>(milliseconds / 1000);
  return true;
}

}  // namespace

bool ReadMidi(LPCSTR fileName, MidiFacts* facts) {
  *facts = MidiFacts{};
  MCI_OPEN_PARMSA open = {};
  open.lpstrDeviceType = "sequencer";
  open.lpstrElementName = fileName;
  if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT,
                      reinterpret_cast<DWORD_PTR>(&open)) != 0)
    return false;
  const bool answered = QueryOpenDevice(open.wDeviceID, facts);
  MCI_GENERIC_PARMS close = {};
  mciSendCommandA(open.wDeviceID, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
  return answered;
}

}  // namespace audioinfo
