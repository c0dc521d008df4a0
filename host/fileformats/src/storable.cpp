// Bringing an image into a form the target format can take: the record's
// data type is checked against the buffer, and types the format does not
// take are converted (hi-colour and indexed to true colour, true colour to
// 256 colours with an optimised palette).
#include "storable.h"

#include <fileformats.h>
#include <imgconvert.h>

#include <algorithm>
#include <vector>

#include "errors.h"
#include "palette.h"
#include "record.h"

namespace tf {

namespace {

LONG TypeFromBuffer(LONG pixelFormat, bool hasPalette) {
  switch (pixelFormat) {
    case 24: return TF_DT_RGB;
    case 16: return TF_DT_HICOLOR;
    case 8: return hasPalette ? TF_DT_INDEXED256 : TF_DT_GREY;
    case 1: return TF_DT_BW;
    default: return 0;
  }
}

}  // namespace

bool AdoptBufferFacts(HGLOBAL handle, HBUF buffer) {
  BUFINFO info;
  TFFILEDATA* record = LockRecord(handle);
  if (!record || !buf32GetInfo(buffer, &info)) {
    if (record) GlobalUnlock(handle);
    Report(kErrCannotServe, TF_OP_WRITE, 70);
    return false;
  }
  if (record->dataType == 0) record->dataType = TypeFromBuffer(info.pixelFormat, record->palette != 0);
  bool fits = HostBitsFor(record->dataType) == info.pixelFormat;
  if (fits) {
    record->width = info.width;
    record->height = info.height;
    record->bitsPerPixel = info.pixelFormat;
  }
  GlobalUnlock(handle);
  if (!fits) Report(kErrCannotServe, TF_OP_WRITE, 71);
  return fits;
}

bool PlanStorable(HGLOBAL handle, LONG feedTypes, HBUF image, StorablePlan* plan) {
  TFFILEDATA* record = LockRecord(handle);
  if (!record) {
    Report(kErrCannotServe, TF_OP_WRITE, 72);
    return false;
  }
  LONG type = record->dataType;
  bool ok = true;
  if (!(feedTypes & type)) {
    // Black and white becomes grey where the format takes grey; otherwise
    // true colour where the format takes it, else 256 colours with an
    // optimised palette (the converter's defaults).
    LONG target = type == TF_DT_BW && (feedTypes & TF_DT_GREY) ? TF_DT_GREY
                  : (feedTypes & TF_DT_RGB)                    ? TF_DT_RGB
                                                               : TF_DT_INDEXED256;
    bool indexed = type == TF_DT_INDEXED256 || type == TF_DT_INDEXED16 || type == TF_DT_BW;
    HPALETTE source = indexed ? static_cast<HPALETTE>(record->palette) : 0;
    HPALETTE palette = 0;
    ok = cvt32BufType(CVT32_MODE_CONVERT, 0, image, target, source, &plan->converted,
                      target == TF_DT_INDEXED256 ? &palette : nullptr, nullptr, 0, 0, 0) != 0;
    if (ok) {
      if (record->palette) DeleteObject(static_cast<HGDIOBJ>(record->palette));
      record->palette = palette;
      record->dataType = target;
      record->bitsPerPixel = HostBitsFor(target);
    }
  }
  GlobalUnlock(handle);
  if (!ok) Report(kErrMemory, TF_OP_WRITE, 73);
  return ok;
}

void ReleasePlan(StorablePlan* plan) {
  if (plan->converted) buf32Free(plan->converted);
  plan->converted = 0;
}

}  // namespace tf
