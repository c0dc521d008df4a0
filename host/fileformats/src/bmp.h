// The built-in BMP format, served through the file-I/O module entry types.
#pragma once

#include <fioapi.h>

namespace tf {

// Header reader: a new record (caller owns) for a BMP file, 0 when the file
// is not a readable BMP file (error in the slot), (HGLOBAL)-1 on memory.
HGLOBAL WINAPI BmpGetFileData(HFILE file, LONG, LONG, LONG);
// Full-size read of the transfer rectangle, row by row through callback.
LONG WINAPI BmpFileRead(HFILE file, LONG, HGLOBAL record, TFTRANSFER* transfer,
                        TFREADCALLBACK callback, LONG);
// Writes the rectangle's rows (1, 4, 8 or 24 bits uncompressed, bottom-up);
// may be called once per band. 1, 0 on failure, -1 when cancelled.
LONG WINAPI BmpFileWrite(HFILE file, HGLOBAL record, TFTRANSFER* transfer, TFWRITECALLBACK callback);

}  // namespace tf
