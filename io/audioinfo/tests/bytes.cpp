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
