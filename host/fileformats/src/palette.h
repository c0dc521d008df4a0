// Logical palettes from colour tables and back.
#pragma once

#include <windows.h>

namespace tf {

// A palette of count entries (red, green, blue triples); 0 on failure.
HPALETTE MakePalette(const BYTE (*rgb)[3], int count);
// Up to count entries of a palette into rgb (red, green, blue); the number
// read (0 for no palette). Entries past it are left unchanged.
int ReadPalette(HPALETTE palette, BYTE (*rgb)[3], int count);
// The grey ramp of count entries spread over 0..255 (count 2, 16 or 256).
void GreyRamp(BYTE (*rgb)[3], int count);
// Copy of a palette (0 for none or on failure).
HPALETTE CopyPalette(HPALETTE palette);

}  // namespace tf
