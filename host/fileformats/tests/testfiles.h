// Files and images for the dispatcher's tests.
#pragma once

#include <fileformats.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tftest {

using Bytes = std::vector<std::uint8_t>;

// Writes bytes to a file on drive C: of the test prefix; returns its
// Windows path ("C:\\name").
std::string PutFile(const std::string& name, const Bytes& bytes);
// The bytes of a file given by its Windows path.
Bytes GetFile(const std::string& winPath);

// A BMP file built byte by byte.
struct BmpPlan {
  std::uint32_t headerSize = 40;  // 12 core, 40, 108, 124
  std::int32_t width = 0;
  std::int32_t height = 0;        // negative: top-down
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::int32_t xPerMetre = 2835, yPerMetre = 2835;
  std::vector<std::uint32_t> masks;   // bitfields (written after a 40-byte header or inside a larger one)
  std::vector<std::uint8_t> table;    // colour table bytes as stored
  Bytes pixels;                       // pixel data as stored
};
Bytes MakeBmp(const BmpPlan& plan);

// Little-endian helpers.
void Put16(Bytes& b, size_t at, std::uint32_t v);
void Put32(Bytes& b, size_t at, std::uint32_t v);

// A buffer of the pixel format, with pixel bytes from fill(x, y, byteIndex).
HBUF MakeImage(LONG bits, LONG width, LONG height, std::uint8_t (*fill)(LONG x, LONG y, LONG byte));
// The pixel rows of a buffer (rowBytes each).
Bytes Pixels(HBUF buffer);

// Reads a file through the dispatcher; the record (owned by the caller) in
// *record. Returns the buffer or 0.
HBUF ReadImage(const std::string& path, HGLOBAL* record);

// A logical palette of the colours (0x00BBGGRR).
HPALETTE MakeTestPalette(const std::vector<COLORREF>& colours);

// The error slot's number and detail.
struct Slot {
  LONG error, unit, category, detail;
};
Slot ErrorSlot();

}  // namespace tftest
