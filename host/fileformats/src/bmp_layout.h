// The layout of a BMP file as its headers describe it, checked against the
// file's size before anything is allocated or read.
#pragma once

#include <windows.h>

namespace tf {

// Largest image the BMP reader accepts: each side at most 65535 pixels and
// at most 2^28 pixels in all.
constexpr LONG kBmpMaxSide = 65535;
constexpr uint64_t kBmpMaxPixels = uint64_t{1} << 28;
// Bytes of the file the header parser looks at (headers, masks, colour table).
constexpr DWORD kBmpHeadBytes = 14 + 124 + 16 + 4 * 256;

enum BmpCompression : int { kBmpRgb = 0, kBmpRle8 = 1, kBmpRle4 = 2, kBmpBitfields = 3, kBmpAlphaBitfields = 6 };

struct BmpChannel {
  DWORD mask = 0;
  int shift = 0;    // position of the mask's lowest bit
  DWORD max = 0;    // mask >> shift
};

struct BmpLayout {
  LONG width = 0;
  LONG height = 0;           // always positive
  bool topDown = false;      // rows stored from the top
  bool core = false;         // 12-byte header, 3-byte colour entries
  int bits = 0;              // 1, 4, 8, 16, 24, 32
  int compression = kBmpRgb;
  DWORD pixelOffset = 0;
  DWORD stride = 0;          // bytes per stored row (uncompressed)
  LONG xPerMetre = 0;
  LONG yPerMetre = 0;
  int entries = 0;           // colour-table entries read (1 .. 256), 0 without table
  BYTE palette[256][3] = {}; // red, green, blue; entries past the table are black
  BmpChannel red, green, blue;  // 16 and 32 bits
  bool defaultMasks = true;  // 16 bits 5-5-5 / 32 bits B,G,R,X without bitfields
  bool invertBits = false;   // 1 bit: table was light-then-dark, turned into black, white
  LONG dataType = 0;         // host data type
  LONG hostBits = 0;         // host bits per pixel
  LONG hostRowBytes = 0;     // bytes of one host row
};

// Parses the headers in head (the first headSize bytes of a file of
// fileSize bytes). Returns 0 on success, else a detail code: 1 not a BMP
// file (signature or header size), 2 unsupported bits or compression, 3 bad
// size, 4 colour table or masks outside the file, 5 pixel data outside the
// file.
int ParseBmpLayout(const BYTE* head, DWORD headSize, DWORD fileSize, BmpLayout* layout);

// True when head starts with the BMP signature.
bool SniffBmp(const BYTE* head, DWORD size);

// Converts one stored uncompressed row into host form (hostRowBytes bytes).
void BmpRowToHost(const BmpLayout& layout, const BYTE* stored, BYTE* host);

}  // namespace tf
