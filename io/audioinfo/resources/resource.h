// Resource numbers shared by audioinfo.rc and the code.
#pragma once

// Built-in thumbnails (type "DIB", complete bitmap files).
#define IDB_THUMB_MIDI 1
#define IDB_THUMB_WAVE 2
#define IDB_THUMB_VOC 3

// Properties boxes: 1 (a text and OK, unused), waveform files, MIDI files.
#define IDD_INFO_TEXT 1
#define IDD_INFO_WAVE 2
#define IDD_INFO_MIDI 3

// Values of the waveform box.
#define IDC_WAVE_RATE 101
#define IDC_WAVE_BITS 102
#define IDC_WAVE_CHANNELS 103
#define IDC_WAVE_SAMPLES 104
#define IDC_WAVE_NAME 105

// Values of the MIDI box.
#define IDC_MIDI_LENGTH 204
#define IDC_MIDI_NAME 205
#define IDC_MIDI_TEMPO 208

// Text of the unused box.
#define IDC_INFO_TEXT 1001

// Messages 10000..10007 are numbered as the error slot reports them.
#define IDS_BAD_INDEX 10000
#define IDS_FORMAT_DISABLED 10001
#define IDS_CANNOT_OPEN 10002
#define IDS_NO_PRIVATE_ATTRIBUTES 10003
#define IDS_NO_THUMBNAIL 10004
#define IDS_NO_MEMORY 10005
#define IDS_CANNOT_READ 10006
#define IDS_UNKNOWN_FORMAT 10007
