// File-data records in movable global memory.
#pragma once

#include <filedata.h>

namespace tf {

// A new zero-filled record of size bytes (at least the common part); 0 when
// memory fails.
HGLOBAL NewRecord(SIZE_T size);
// Locks a record of at least the common size; nullptr when it is not one.
TFFILEDATA* LockRecord(HGLOBAL record);
// The usual host values of a record a built-in reader fills: host values
// 560/562/584, preview fields off, transparent index -1, flags 648/652.
void FillHostValues(TFFILEDATA* record);
// Sets the format tag and number.
void SetFormatTag(TFFILEDATA* record, const char tag[4], WORD number);
// Bits per pixel of the host buffer for a data type, 0 for an unknown one.
LONG HostBitsFor(LONG dataType);
// Resolution in the host's unit from pixels per metre (720000 when 0 or
// above 2,000,000), and back.
LONG ResolutionFromPerMetre(LONG perMetre);
LONG PerMetreFromResolution(LONG resolution);

}  // namespace tf
