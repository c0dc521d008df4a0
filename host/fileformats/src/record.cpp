// File-data records in movable global memory.
#include "record.h"

#include <cstring>

namespace tf {

HGLOBAL NewRecord(SIZE_T size) {
  if (size < TF_FILEDATA_SIZE) size = TF_FILEDATA_SIZE;
  return GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
}

TFFILEDATA* LockRecord(HGLOBAL record) {
  if (!record || GlobalSize(record) < TF_FILEDATA_SIZE) return nullptr;
  return static_cast<TFFILEDATA*>(GlobalLock(record));
}

void FillHostValues(TFFILEDATA* record) {
  record->hostValue560 = 1;
  record->hostValue562 = 1;
  record->hostValue584 = 1;
  record->readable = 1;
  record->transparentIndex = -1;
  record->hostValue692 = -1;
  LONG flag = (record->dataType == TF_DT_BW || record->dataType == TF_DT_INDEXED16) ? 0 : 1;
  record->hostFlag648 = flag;
  record->hostFlag652 = flag;
}

void SetFormatTag(TFFILEDATA* record, const char tag[4], WORD number) {
  std::memcpy(record->formatTag, tag, 4);
  record->formatNumber = number;
}

LONG HostBitsFor(LONG dataType) {
  switch (dataType) {
    case TF_DT_RGB: return 24;
    case TF_DT_INDEXED256:
    case TF_DT_INDEXED16:
    case TF_DT_GREY: return 8;
    case TF_DT_HICOLOR: return 16;
    case TF_DT_BW: return 1;
    default: return 0;
  }
}

LONG ResolutionFromPerMetre(LONG perMetre) {
  if (perMetre <= 0 || perMetre > 2000000) return 720000;
  return perMetre * 254;
}

LONG PerMetreFromResolution(LONG resolution) {
  if (resolution <= 0) resolution = 720000;
  return static_cast<LONG>((static_cast<DWORD>(resolution) + 127u) / 254u);
}

}  // namespace tf
