// Reading a Standard MIDI File for the sequencer device: its division, the
// tempo at the start and its length, computed from the events and the tempo
// map. Plain C++ on a byte range, so it can be exercised on its own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lvmm {

// The timing facts of a MIDI file.
struct SmfFacts {
  int format = 0;                // 0, 1 or 2
  int tracks = 0;                // number of track chunks read
  int division = 0;              // ticks per quarter note (PPQN files), else 0
  int smpteFrames = 0;           // 24, 25, 29 (30 drop frame) or 30 for SMPTE files, else 0
  int ticksPerFrame = 0;         // SMPTE files
  uint32_t firstTempo = 500000;  // microseconds per quarter note in force at the start
  uint64_t lengthTicks = 0;      // the longest track (format 2: all tracks added up)
  uint64_t lengthMicros = 0;     // playing time in microseconds, rounded to the nearest
  uint64_t lengthMillis = 0;     // playing time in milliseconds, rounded to the nearest
};

// Why a file was refused.
enum class SmfError {
  kNone,
  kNotMidi,          // no "MThd" header chunk
  kBadHeader,        // header too short, unknown format, no tracks, zero or unknown division
  kTruncated,        // a chunk or event runs past the end of the data
  kBadEvent,         // running status with no status, a status byte a file may not hold, an over-long number
  kMissingTracks,    // fewer track chunks than the header announces
};

// Parses `size` bytes of a Standard MIDI File. Formats 0 and 1 share one
// time line: tempo changes of every track form one tempo map, and the
// length is the end of the longest track. Format 2 tracks are independent
// songs played one after the other, each with its own tempo changes; the
// length is their sum and the first tempo is that of the first track. SMPTE
// division counts absolute time (frames per second x ticks per frame; 29
// means 30000/1001 frames per second) and ignores tempo changes. Running
// status carries across meta and system exclusive events. The work is linear
// in `size`. Returns kNone and fills `facts`, or the reason of a refusal.
SmfError ParseSmf(const uint8_t* data, size_t size, SmfFacts& facts);

}  // namespace lvmm
