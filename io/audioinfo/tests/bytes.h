// Little-endian byte building for hand-made test files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace miotest {

// Little-endian byte building.
void Put16(std::vector<BYTE>& out, uint32_t value);
void Put24(std::vector<BYTE>& out, uint32_t value);
void Put32(std::vector<BYTE>& out, uint32_t value);
void PutText(std::vector<BYTE>& out, const std::string& text);
// A RIFF chunk: id, size, data, a pad byte for odd sizes.
std::vector<BYTE> Chunk(const std::string& id, const std::vector<BYTE>& data);
// A RIFF or LIST: id, size, type, chunks.
std::vector<BYTE> Form(const std::string& id, const std::string& type,
                       const std::vector<std::vector<BYTE>>& chunks);

}  // namespace miotest

namespace miotest {

// Standard MIDI file building: a variable-length number, big-endian values,
// a track of (delta, event bytes) with its end event, a whole file.
void PutVarLen(std::vector<BYTE>& out, uint32_t value);
void PutBe(std::vector<BYTE>& out, uint32_t value, int bytes);
struct MidiEvent {
  uint32_t delta;
  std::vector<BYTE> bytes;
};
std::vector<BYTE> Track(const std::vector<MidiEvent>& events);
std::vector<BYTE> Smf(int format, int division, const std::vector<std::vector<BYTE>>& tracks);
// A tempo change to the given microseconds per quarter note.
std::vector<BYTE> Tempo(uint32_t microseconds);
// A packed 4-bit bitmap of the given size (colours 0..15, pixels filled
// with `fill`).
std::vector<BYTE> PackedDib(int width, int height, BYTE fill);

}  // namespace miotest
