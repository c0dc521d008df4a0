// Shared pieces of the media control interface: the table of open devices
// and the reading of MIDI files for the sequencer.
#pragma once

#include <mmsystem.h>

#include <string>
#include <vector>

#include "smf.h"

namespace lvmm {

// Largest MIDI or RMI file the sequencer reads (bounds the memory and the work).
constexpr DWORD kMaxMidiFileSize = 64u << 20;

// Reads a MIDI file (Standard MIDI File, or RIFF "RMID" with its "data"
// chunk) and parses it. Returns 0 or MCIERR_FILE_NOT_FOUND,
// MCIERR_FILE_READ, MCIERR_INVALID_FILE.
MCIERROR LoadMidiFile(LPCSTR fileName, SmfFacts& facts);

// The id of the open device whose alias or element name is `name`
// (case-insensitive), or 0.
MCIDEVICEID DeviceIdByName(const std::string& name);

}  // namespace lvmm
