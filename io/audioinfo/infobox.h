// The properties boxes of a waveform file (dialog 2) and a MIDI file (dialog 3).
#pragma once

#include <windows.h>

#include <audioinfo.h>

namespace audioinfo {

// Shows the box of the file of format `index` (0..3) over parent until OK
// or Cancel.
void RunInfoBox(LONG index, HWND parent, LPCSTR fileName);

// Texts the boxes show for the record of a successful information call.
// Waveform: rate, bits, channels, samples. MIDI: length as minutes and
// seconds ("**:**" from an hour on; empty from 65,535 seconds on, with the
// tempo empty as well) and tempo.
struct WaveTexts {
  char rate[16], bits[16], channels[16], samples[16];
};
struct MidiTexts {
  char length[16], tempo[16];
};
WaveTexts FormatWaveTexts(const MIOFILEINFO& info);
MidiTexts FormatMidiTexts(const MIOFILEINFO& info);

}  // namespace audioinfo
