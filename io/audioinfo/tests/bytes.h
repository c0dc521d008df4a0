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
