// The operations behind the module's exports, one source file each.
#pragma once

#include <windows.h>

#include <tpifio.h>

namespace tpi {

// Header reader: a new file-data record for the TPI file, 0 when it is not a
// readable TPI file, (HGLOBAL)-1 when memory or the palette fails.
HGLOBAL ReadFileData(HFILE file);
// Full-size or scaled read of the rectangle the transfer record names.
LONG ReadImage(HFILE file, HGLOBAL record, const TFTRANSFER* transfer, TFREADROWS callback);
// Writes the transfer record's rows of the image to the file.
LONG WriteImage(HFILE file, HGLOBAL record, const TFTRANSFER* transfer, TFWRITEROWS callback);
// Samples the file into `height` host rows of `width` pixels.
LONG ReadPreview(HFILE file, HGLOBAL record, LONG width, LONG height, BYTE** rows);
// The properties dialog: 1 for OK or Cancel, 2 previous, 3 next, 0 on failure.
LONG ShowProperties(LONG first, HWND parent, HGLOBAL record, LONG previousEnabled,
                    LONG nextEnabled);

}  // namespace tpi
