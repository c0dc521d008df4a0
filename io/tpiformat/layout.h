// How an opened TPI file is laid out, as the readers need it, derived from
// the file-data record.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tpi {

// Row stride of a TPI file: the row's bytes padded to a multiple of four.
inline uint64_t Stride(uint64_t bits, uint64_t width) { return ((bits * width + 7) / 8 + 3) & ~uint64_t{3}; }
// Bytes of an unpadded row.
inline uint64_t RowBytes(uint64_t bits, uint64_t width) { return (bits * width + 7) / 8; }

struct Layout {
  LONG type = 0;           // host data-type code
  LONG width = 0;
  LONG height = 0;
  int fileBits = 0;        // bits per pixel in the file
  int hostBits = 0;        // bits per pixel delivered to the host
  uint64_t stride = 0;     // bytes of one file row
  uint64_t pixelOffset = 0;
  bool stores32 = false;   // true-colour file with 32 bits per pixel
  bool is565 = false;      // 16-bit file in 5-6-5
  bool invert = false;     // 1-bit rows are inverted on reading
};

// Fills *layout from a record that carries the format tag. False when the
// record's type is not one the module writes or reads, or its size is not
// within SizeWithinLimits.
bool LayoutFromRecord(const BYTE* record, Layout* layout);

// Largest width or height accepted from a file.
constexpr LONG kMaxDimension = 1000000;
// Largest image accepted from a file: as much pixel data as one host image
// buffer holds (unpadded rows), and at most 4 GiB of padded file rows. Every
// image the writer can be handed is within these, so each file the module
// writes reads back.
constexpr uint64_t kMaxHostImageBytes = 0x7FFFFFFF;
constexpr uint64_t kMaxFileImageBytes = uint64_t{1} << 32;

// True when width and height are 1..kMaxDimension and the image's file rows
// (fileBits per pixel) and host rows (hostBits per pixel) are within the
// limits above.
bool SizeWithinLimits(uint64_t fileBits, uint64_t hostBits, LONG width, LONG height);

// Bytes per pixel of a delivered row for types whose rows can start at a
// column (true colour 3, hi-colour 2, 256 colours and grey 1); 0 otherwise.
int HostBytesPerPixel(LONG type);

}  // namespace tpi
