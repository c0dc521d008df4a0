// The exported conversion calls: argument checks, the steps in order, and
// the error slot filled once at the boundary.
#include <hostcommon.h>

#include "convert.h"
#include "dib_decode.h"
#include "dib_write.h"
#include "options_dialog.h"

using namespace imgconvert;

namespace {

// Hands a decoded image to the caller's out values.
void HandOver(DecodedImage& image, HBUF* buffer, HPALETTE* palette, LONG* dataType) {
  *buffer = image.buffer;
  if (dataType) *dataType = image.dataType;
  if (palette) *palette = image.palette.count > 0 ? MakePalette(image.palette) : 0;
}

Status DibToBuf(const BYTE* data, size_t size, HBUF* buffer, HPALETTE* palette, LONG* dataType) {
  if (!buffer) return CannotServe(CVT32_DETAIL_ARGUMENT);
  *buffer = 0;
  if (palette) *palette = 0;
  DibLayout layout;
  Status s = ParseDib(data, size, &layout);
  if (!s.ok()) return s;
  DecodedImage image;
  s = DecodeDib(layout, &image);
  if (!s.ok()) return s;
  HandOver(image, buffer, palette, dataType);
  return Ok();
}

// The options to use: the caller's (checked) or the target's defaults.
Status ResolveOptions(LONG targetType, const CVT32OPTIONS* given, CVT32OPTIONS* options) {
  if (!DefaultOptions(targetType, options)) return CannotServe(CVT32_DETAIL_TYPE);
  if (given) *options = *given;
  return CheckOptions(targetType, *options);
}

// The packed bitmap in `dib` decoded, converted and encoded again.
Status ConvertDib(HGLOBAL dib, LONG targetType, const CVT32OPTIONS& options, HGLOBAL* out) {
  GlobalLockGuard memory(dib);
  if (!memory.data()) return CannotServe(CVT32_DETAIL_ARGUMENT);
  DibLayout layout;
  Status s = ParseDib(memory.data(), memory.size(), &layout);
  if (!s.ok()) return s;
  DecodedImage image;
  s = DecodeDib(layout, &image);
  if (!s.ok()) return s;
  OwnedBuffer decoded;
  *decoded.Out() = image.buffer;
  bool indexed = image.dataType == CVT32_TYPE_INDEXED16 || image.dataType == CVT32_TYPE_INDEXED256 ||
                 image.dataType == CVT32_TYPE_BW;
  ConvertedImage converted;
  s = ConvertBuffer(decoded.get(), indexed ? &image.palette : nullptr, targetType, options,
                    &converted);
  if (!s.ok()) return s;
  OwnedBuffer result;
  *result.Out() = converted.buffer;
  LONG xPels = layout.xPelsPerMeter, yPels = layout.yPelsPerMeter;
  return EncodeDib(result.get(), targetType, converted.palette, xPels, yPels, out);
}

}  // namespace

BOOL cvt32DIBPtrToBuf(const void* dib, HBUF* buffer, HPALETTE* palette, LONG* dataType,
                      LONG /*reserved*/) {
  size_t size = kUnknownSize;
  HGLOBAL block = dib ? GlobalHandle(dib) : 0;
  if (block) size = GlobalSize(block);
  Status s = DibToBuf(static_cast<const BYTE*>(dib), size, buffer, palette, dataType);
  if (!s.ok()) Report(CVT32_FN_DIBPTRTOBUF, s);
  return s.ok();
}

BOOL cvt32DIBToBuf(HGLOBAL dib, HBUF* buffer, HPALETTE* palette, LONG* dataType,
                   LONG /*reserved*/) {
  GlobalLockGuard memory(dib);
  Status s = memory.data() ? DibToBuf(memory.data(), memory.size(), buffer, palette, dataType)
                           : CannotServe(CVT32_DETAIL_ARGUMENT);
  if (!s.ok()) Report(CVT32_FN_DIBTOBUF, s);
  return s.ok();
}

BOOL cvt32GetDIBInfo(HGLOBAL dib, LONG* width, LONG* height, LONG* bitsPerPixel,
                     LONG* dataType) {
  GlobalLockGuard memory(dib);
  DibLayout layout;
  Status s = memory.data() ? ParseDib(memory.data(), memory.size(), &layout)
                           : CannotServe(CVT32_DETAIL_ARGUMENT);
  if (!s.ok()) {
    Report(CVT32_FN_GETDIBINFO, s);
    return FALSE;
  }
  if (width) *width = layout.width;
  if (height) *height = layout.height;
  if (bitsPerPixel) *bitsPerPixel = layout.bitCount;
  if (dataType) *dataType = DataTypeOf(layout);
  return TRUE;
}

BOOL cvt32BufType(LONG mode, HWND owner, HBUF source, LONG targetType, HPALETTE sourcePalette,
                  HBUF* target, HPALETTE* targetPalette, CVT32OPTIONS* options, LONG, LONG,
                  LONG) {
  if (mode == CVT32_MODE_DIALOG) return ShowOptionsDialog(owner, targetType, options);
  CVT32OPTIONS resolved;
  Status s = mode == CVT32_MODE_CONVERT && target ? ResolveOptions(targetType, options, &resolved)
                                                  : CannotServe(CVT32_DETAIL_ARGUMENT);
  Palette palette;
  if (s.ok() && sourcePalette && !ReadPalette(sourcePalette, &palette)) {
    s = CannotServe(CVT32_DETAIL_ARGUMENT);
  }
  ConvertedImage converted;
  if (s.ok()) s = ConvertBuffer(source, sourcePalette ? &palette : nullptr, targetType, resolved,
                                &converted);
  if (!s.ok()) {
    if (target) *target = 0;
    if (targetPalette) *targetPalette = 0;
    Report(CVT32_FN_BUFTYPE, s);
    return FALSE;
  }
  *target = converted.buffer;
  if (targetPalette) {
    *targetPalette = converted.palette.count > 0 ? MakePalette(converted.palette) : 0;
  }
  return TRUE;
}

HGLOBAL cvt32BufToDIB(HBUF buffer, LONG dataType, HPALETTE palette) {
  Palette colours;
  Status s;
  if (palette && !ReadPalette(palette, &colours)) s = CannotServe(CVT32_DETAIL_ARGUMENT);
  BUFINFO info;
  if (s.ok() && dataType == 0) {
    dataType = buf32GetInfo(buffer, &info) ? TypeOfFormat(info.pixelFormat, palette != 0) : 0;
    if (dataType == 0) s = CannotServe(CVT32_DETAIL_BUFFER);
  }
  HGLOBAL dib = 0;
  if (s.ok()) {
    s = EncodeDib(buffer, dataType, colours, kDefaultPelsPerMeter, kDefaultPelsPerMeter, &dib);
  }
  if (!s.ok()) Report(CVT32_FN_BUFTODIB, s);
  return dib;
}

HGLOBAL cvt32DIBToDIB(HGLOBAL dib, LONG targetType, const CVT32OPTIONS* options) {
  CVT32OPTIONS resolved;
  Status s = ResolveOptions(targetType, options, &resolved);
  HGLOBAL out = 0;
  if (s.ok()) s = ConvertDib(dib, targetType, resolved, &out);
  if (!s.ok()) Report(CVT32_FN_DIBTODIB, s);
  return out;
}

HGLOBAL cvt32DIBToDIBOpt(HGLOBAL dib, LONG targetType, const CVT32OPTIONS* options) {
  CVT32OPTIONS resolved;
  Status s = options ? ResolveOptions(targetType, options, &resolved)
                     : CannotServe(CVT32_DETAIL_ARGUMENT);
  resolved.palette = CVT32_PALETTE_OPTIMISED;
  if (s.ok()) s = CheckOptions(targetType, resolved);
  HGLOBAL out = 0;
  if (s.ok()) s = ConvertDib(dib, targetType, resolved, &out);
  if (!s.ok()) Report(CVT32_FN_DIBTODIBOPT, s);
  return out;
}
