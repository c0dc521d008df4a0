// MIDI and RMI files through the platform's sequencer device.
#pragma once

#include <windows.h>

namespace audioinfo {

// Length and tempo of a MIDI or RMI file as the sequencer reports them.
struct MidiFacts {
  DWORD lengthSeconds = 0;  // whole seconds (milliseconds / 1000)
  DWORD tempo = 0;          // the sequencer's tempo
};

// Opens the file as a sequencer element, asks for the tempo and the length
// in milliseconds, and closes the device. False when any step fails.
bool ReadMidi(LPCSTR fileName, MidiFacts* facts);

}  // namespace audioinfo
