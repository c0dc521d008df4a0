// Decoding of run-length encoded BMP pixel data (RLE8 and RLE4), row by row.
#pragma once

#include <windows.h>

#include <functional>

namespace tf {

// Hands out the compressed bytes one at a time; false at the end of the data.
using ByteSource = std::function<bool(BYTE* byte)>;
// Receives each finished row in file order (row 0 is the bottom row): width
// indices, one byte each. Returns false to stop.
using RowSink = std::function<bool(LONG fileRow, const BYTE* indices)>;

// Decodes height rows of width pixels; rows the data leaves out (moves,
// end of bitmap, data ending early) are index 0. nibbles selects RLE4.
// Returns false when the sink stopped.
bool DecodeBmpRle(LONG width, LONG height, bool nibbles, const ByteSource& next, const RowSink& sink);

}  // namespace tf
