// Little-endian byte building for hand-made test files.
#include "bytes.h"

namespace miotest {

void Put16(std::vector<BYTE>& out, uint32_t value) {
  out.push_back(static_cast<BYTE>(value));
  out.push_back(static_cast<BYTE>(value >> 8));
}

void Put24(std::vector<BYTE>& out, uint32_t value) {
  Put16(out, value);
  out.push_back(static_cast<BYTE>(value >> 16));
}

void Put32(std::vector<BYTE>& out, uint32_t value) {
  Put16(out, value);
  Put16(out, value >> 16);
}

void PutText(std::vector<BYTE>& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

std::vector<BYTE> Chunk(const std::string& id, const std::vector<BYTE>& data) {
  std::vector<BYTE> out;
  PutText(out, id);
  Put32(out, static_cast<uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() % 2) out.push_back(0);
  return out;
}

std::vector<BYTE> Form(const std::string& id, const std::string& type,
                       const std::vector<std::vector<BYTE>>& chunks) {
  std::vector<BYTE> body;
  PutText(body, type);
  for (const auto& chunk : chunks) body.insert(body.end(), chunk.begin(), chunk.end());
  std::vector<BYTE> out;
  PutText(out, id);
  Put32(out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace miotest

namespace miotest {

void PutVarLen(std::vector<BYTE>& out, uint32_t value) {
  BYTE groups[5];
  int count = 0;
  do {
    groups[count++] = value & 0x7F;
    value >>= 7;
  } while (value);
  while (count > 1) out.push_back(groups[--count] | 0x80);
  out.push_back(groups[0]);
}

void PutBe(std::vector<BYTE>& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<BYTE>(value >> (8 * i)));
}

std::vector<BYTE> Track(const std::vector<MidiEvent>& events) {
  std::vector<BYTE> data;
  for (const MidiEvent& event : events) {
    PutVarLen(data, event.delta);
    data.insert(data.end(), event.bytes.begin(), event.bytes.end());
  }
  for (BYTE b : {0x00, 0xFF, 0x2F, 0x00}) data.push_back(b);
  std::vector<BYTE> out;
  PutText(out, "MTrk");
  PutBe(out, static_cast<uint32_t>(data.size()), 4);
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

std::vector<BYTE> Smf(int format, int division, const std::vector<std::vector<BYTE>>& tracks) {
  std::vector<BYTE> out;
  PutText(out, "MThd");
  PutBe(out, 6, 4);
  PutBe(out, static_cast<uint32_t>(format), 2);
  PutBe(out, static_cast<uint32_t>(tracks.size()), 2);
  PutBe(out, static_cast<uint32_t>(division) & 0xFFFF, 2);
  for (const auto& track : tracks) out.insert(out.end(), track.begin(), track.end());
  return out;
}

std::vector<BYTE> Tempo(uint32_t microseconds) {
  std::vector<BYTE> out = {0xFF, 0x51, 0x03};
  PutBe(out, microseconds, 3);
  return out;
}

std::vector<BYTE> PackedDib(int width, int height, BYTE fill) {
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 4 + 31) / 32 * 4;
  std::vector<BYTE> out;
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  Put16(out, 1);
  Put16(out, 4);
  Put32(out, 0);
  Put32(out, rowBytes * static_cast<uint32_t>(height));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 16);
  Put32(out, 0);
  for (int i = 0; i < 16; ++i) Put32(out, static_cast<uint32_t>(i * 0x101010));
  out.resize(out.size() + rowBytes * static_cast<uint32_t>(height), static_cast<BYTE>(fill << 4 | fill));
  return out;
}

}  // namespace miotest
