// Option records: defaults, checks, and which conversions have options.
#include "convert.h"

namespace imgconvert {

bool DefaultOptions(LONG targetType, CVT32OPTIONS* options) {
  if (FormatOfType(targetType) == 0) return false;
  *options = CVT32OPTIONS{};
  options->size = sizeof(CVT32OPTIONS);
  options->palette = CVT32_PALETTE_OPTIMISED;
  options->method = CVT32_METHOD_MEDIANCUT;
  options->dither = CVT32_DITHER_NONE;
  options->colours = targetType == CVT32_TYPE_INDEXED16 ? 16 : 256;
  options->threshold = 128;
  return true;
}

Status CheckOptions(LONG targetType, const CVT32OPTIONS& o) {
  if (o.size != static_cast<LONG>(sizeof(CVT32OPTIONS))) return CannotServe(CVT32_DETAIL_ARGUMENT);
  if (o.palette != CVT32_PALETTE_FIXED && o.palette != CVT32_PALETTE_OPTIMISED) {
    return CannotServe(CVT32_DETAIL_ARGUMENT);
  }
  if (o.method != CVT32_METHOD_POPULARITY && o.method != CVT32_METHOD_MEDIANCUT) {
    return CannotServe(CVT32_DETAIL_ARGUMENT);
  }
  if (o.dither != CVT32_DITHER_NONE && o.dither != CVT32_DITHER_FLOYD_STEINBERG) {
    return CannotServe(CVT32_DETAIL_ARGUMENT);
  }
  if (o.threshold < 0 || o.threshold > 255) return CannotServe(CVT32_DETAIL_ARGUMENT);
  LONG most = targetType == CVT32_TYPE_INDEXED16 ? 16 : 256;
  bool indexed = targetType == CVT32_TYPE_INDEXED16 || targetType == CVT32_TYPE_INDEXED256;
  if (indexed && o.palette == CVT32_PALETTE_OPTIMISED && (o.colours < 2 || o.colours > most)) {
    return CannotServe(CVT32_DETAIL_ARGUMENT);
  }
  return Ok();
}

}  // namespace imgconvert

using imgconvert::DefaultOptions;

BOOL cvt32GetDefOptionsEx(LONG conversion, CVT32OPTIONS* options) {
  if (!options || !DefaultOptions(conversion, options)) {
    imgconvert::Report(CVT32_FN_GETDEFOPTIONS, imgconvert::CannotServe(CVT32_DETAIL_TYPE));
    return FALSE;
  }
  return TRUE;
}

BOOL cvt32IfHasDlgBox(LONG sourceType, LONG targetType) {
  if (imgconvert::FormatOfType(sourceType) == 0 || sourceType == targetType) return FALSE;
  switch (targetType) {
    case CVT32_TYPE_BW:
      return TRUE;
    case CVT32_TYPE_INDEXED16:
      return sourceType != CVT32_TYPE_BW;
    case CVT32_TYPE_INDEXED256:
      return sourceType == CVT32_TYPE_RGB || sourceType == CVT32_TYPE_HICOLOR;
    default:
      return FALSE;
  }
}
