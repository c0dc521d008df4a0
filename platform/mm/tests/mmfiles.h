// Building RIFF and Standard MIDI Files byte by byte for the tests, and
// storing them as files the platform can open.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "module_binding.h"
#include "testsupport.h"

namespace mmtest {

using Bytes = std::vector<uint8_t>;

inline void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

inline Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

inline Bytes Le32(uint32_t v) {
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
          static_cast<uint8_t>(v >> 24)};
}

inline Bytes Be32(uint32_t v) {
  return {static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
          static_cast<uint8_t>(v)};
}

inline Bytes Be16(uint16_t v) { return {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)}; }

// A RIFF chunk: id, little-endian size, data and a pad byte for odd sizes.
// `declared` overrides the size field (for chunks that lie about their size).
inline Bytes Chunk(const std::string& id, const Bytes& data, int64_t declared = -1) {
  Bytes out = Text(id);
  Append(out, Le32(declared >= 0 ? static_cast<uint32_t>(declared) : static_cast<uint32_t>(data.size())));
  Append(out, data);
  if (data.size() & 1) out.push_back(0);
  return out;
}

// A RIFF or LIST chunk of `type` holding `children` (already built chunks).
inline Bytes Form(const std::string& id, const std::string& type, const std::vector<Bytes>& children,
                  int64_t declared = -1) {
  Bytes data = Text(type);
  for (const Bytes& c : children) Append(data, c);
  return Chunk(id, data, declared);
}

// A MIDI variable-length number.
inline Bytes Vlq(uint32_t v) {
  Bytes out{static_cast<uint8_t>(v & 0x7F)};
  while (v >>= 7) out.insert(out.begin(), static_cast<uint8_t>((v & 0x7F) | 0x80));
  return out;
}

// Events of a track, each a delta time and its bytes.
struct Track {
  Bytes bytes;
  Track& Event(uint32_t delta, const Bytes& event) {
    Append(bytes, Vlq(delta));
    Append(bytes, event);
    return *this;
  }
  Track& Tempo(uint32_t delta, uint32_t microsPerQuarter) {
    return Event(delta, {0xFF, 0x51, 0x03, static_cast<uint8_t>(microsPerQuarter >> 16),
                         static_cast<uint8_t>(microsPerQuarter >> 8), static_cast<uint8_t>(microsPerQuarter)});
  }
  Track& Note(uint32_t delta, uint8_t key) { return Event(delta, {0x90, key, 100}); }
  Track& End(uint32_t delta) { return Event(delta, {0xFF, 0x2F, 0x00}); }
  Bytes Chunk() const {
    Bytes out = Text("MTrk");
    Append(out, Be32(static_cast<uint32_t>(bytes.size())));
    Append(out, bytes);
    return out;
  }
};

// A Standard MIDI File of the given format and division with its tracks.
inline Bytes Smf(uint16_t format, uint16_t division, const std::vector<Track>& tracks) {
  Bytes out = Text("MThd");
  Append(out, Be32(6));
  Append(out, Be16(format));
  Append(out, Be16(static_cast<uint16_t>(tracks.size())));
  Append(out, Be16(division));
  for (const Track& t : tracks) Append(out, t.Chunk());
  return out;
}

// The same MIDI data wrapped in a RIFF "RMID" form.
inline Bytes Rmi(const Bytes& smf) { return Form("RIFF", "RMID", {Chunk("data", smf)}); }

// Writes `bytes` under the test's prefix and returns the file's Windows name.
inline std::string WriteFile(const std::string& name, const Bytes& bytes) {
  std::filesystem::path path = lvtest::Prefix() / name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return lvtest::WinPath(path);
}

}  // namespace mmtest
