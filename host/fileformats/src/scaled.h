// The scaled read of the built-in formats: the whole image read at full
// size, sampled to the requested size by nearest neighbour and handed over
// in one callback, as a file-I/O module's scaled read does.
#pragma once

#include <fioapi.h>

namespace tf {

// A format's full-size read (the transfer's scaled flag clear).
using FullSizeRead = LONG (*)(HFILE file, HGLOBAL record, TFTRANSFER* transfer, TFREADCALLBACK callback);

// Serves a transfer whose scaled flag is set: reads the whole image with
// read, samples it to scaledWidth x scaledHeight and calls callback once
// with (transfer, 0, 0, scaled width, scaled height, rows, 0, 0, 0). Rows
// are in host form, not padded. Returns the callback's result, 0 on failure.
LONG ScaledRead(HFILE file, HGLOBAL record, TFTRANSFER* transfer, TFREADCALLBACK callback, FullSizeRead read);

// Largest scaled image: each side at most 65535 pixels, at most 2^26 pixels.
constexpr LONG kMaxScaledSide = 65535;

}  // namespace tf
