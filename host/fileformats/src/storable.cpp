// Bringing an image into a form the target format can take: the record's
// data type is checked against the buffer, and types the format does not
// take are converted (hi-colour and indexed to true colour, true colour to
// 256 colours with an optimised palette).
#include "storable.h"

#include <fileformats.h>

#include <algorithm>
#include <vector>

#include "errors.h"
#include "palette.h"
#include "quantize.h"
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

// Pixels of an image as R, G, B rows, from any host type.
bool ToRgb(HBUF image, LONG dataType, HPALETTE palette, HBUF* out) {
  BUFINFO info;
  if (!buf32GetInfo(image, &info) || !buf32Alloc(out, 24, info.width, info.height, BUF_KIND_PLAIN, nullptr))
    return false;
  BYTE table[256][3];
  GreyRamp(table, 256);
  if (dataType == TF_DT_INDEXED256 || dataType == TF_DT_INDEXED16) ReadPalette(palette, table, 256);
  void* from = nullptr;
  void* to = nullptr;
  buf32Lock(image, 1, &from);
  buf32Lock(*out, 2, &to);
  BUFINFO outInfo;
  buf32GetInfo(*out, &outInfo);
  for (LONG y = 0; y < info.height; ++y) {
    const BYTE* src = static_cast<const BYTE*>(from) + static_cast<size_t>(y) * info.rowBytes;
    BYTE* dst = static_cast<BYTE*>(to) + static_cast<size_t>(y) * outInfo.rowBytes;
    for (LONG x = 0; x < info.width; ++x, dst += 3) {
      if (dataType == TF_DT_HICOLOR) {
        DWORD w = static_cast<DWORD>(src[2 * x] | (src[2 * x + 1] << 8));
        DWORD r = (w >> 10) & 31, g = (w >> 5) & 31, b = w & 31;
        dst[0] = static_cast<BYTE>((r << 3) | (r >> 2));
        dst[1] = static_cast<BYTE>((g << 3) | (g >> 2));
        dst[2] = static_cast<BYTE>((b << 3) | (b >> 2));
      } else if (dataType == TF_DT_BW) {
        BYTE v = (src[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0;
        dst[0] = dst[1] = dst[2] = v;
      } else if (dataType == TF_DT_RGB) {
        dst[0] = src[3 * x];
        dst[1] = src[3 * x + 1];
        dst[2] = src[3 * x + 2];
      } else {
        const BYTE* c = table[src[x]];
        dst[0] = c[0];
        dst[1] = c[1];
        dst[2] = c[2];
      }
    }
  }
  buf32Unlock(*out);
  buf32Unlock(image);
  return true;
}

// 256 colours with an optimised palette from an RGB image.
bool ToIndexed(HBUF rgbImage, HBUF* out, HPALETTE* palette) {
  BUFINFO info;
  void* from = nullptr;
  if (!buf32GetInfo(rgbImage, &info) || !buf32Lock(rgbImage, 1, &from)) return false;
  std::vector<BYTE> packed(static_cast<size_t>(info.width) * 3 * static_cast<size_t>(info.height));
  for (LONG y = 0; y < info.height; ++y)
    std::copy_n(static_cast<const BYTE*>(from) + static_cast<size_t>(y) * info.rowBytes,
                static_cast<size_t>(info.width) * 3, packed.data() + static_cast<size_t>(y) * info.width * 3);
  buf32Unlock(rgbImage);
  std::vector<std::array<BYTE, 3>> colours = ChoosePalette(packed.data(), packed.size() / 3, 256);
  if (!buf32Alloc(out, 8, info.width, info.height, BUF_KIND_PLAIN, nullptr)) return false;
  void* to = nullptr;
  BUFINFO outInfo;
  buf32GetInfo(*out, &outInfo);
  buf32Lock(*out, 2, &to);
  PaletteMapper mapper(colours);
  for (LONG y = 0; y < info.height; ++y) {
    BYTE* dst = static_cast<BYTE*>(to) + static_cast<size_t>(y) * outInfo.rowBytes;
    const BYTE* src = packed.data() + static_cast<size_t>(y) * info.width * 3;
    for (LONG x = 0; x < info.width; ++x) dst[x] = mapper.Map(src + 3 * x);
  }
  buf32Unlock(*out);
  BYTE table[256][3] = {};
  for (size_t i = 0; i < colours.size(); ++i)
    for (int c = 0; c < 3; ++c) table[i][c] = colours[i][static_cast<size_t>(c)];
  *palette = MakePalette(table, static_cast<int>(colours.size()));
  if (!*palette) {
    buf32Free(*out);
    *out = 0;
    return false;
  }
  return true;
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
    HBUF rgb = 0;
    ok = ToRgb(image, type, static_cast<HPALETTE>(record->palette), &rgb);
    HPALETTE palette = 0;
    if (ok && (feedTypes & TF_DT_RGB)) {
      plan->converted = rgb;
      type = TF_DT_RGB;
    } else if (ok) {
      ok = ToIndexed(rgb, &plan->converted, &palette);
      buf32Free(rgb);
      type = TF_DT_INDEXED256;
    }
    if (ok) {
      if (record->palette) DeleteObject(static_cast<HGDIOBJ>(record->palette));
      record->palette = palette;
      record->dataType = type;
      record->bitsPerPixel = HostBitsFor(type);
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
