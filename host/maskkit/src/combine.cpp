// MaskKit: combining one mask into another, pixel by pixel.
#include <algorithm>

#include "locked.h"

using maskkit::Locked;

namespace {

// Applies `f(a, b)` to every pixel pair, writing into b.
template <typename F>
void Combine(const BYTE* a, BYTE* b, size_t n, F f) {
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<BYTE>(f(a[i], b[i]));
}

bool KnownOperation(LONG op) {
  return op == MASKKIT_ADD || op == MASKKIT_BAND || op == MASKKIT_INTERSECT ||
         op == MASKKIT_SCREEN || op == MASKKIT_UNION || op == MASKKIT_CLIP;
}

void Apply(LONG op, const BYTE* a, BYTE* b, size_t n) {
  switch (op) {
    case MASKKIT_ADD:
      Combine(a, b, n, [](int x, int y) { return std::min(x + y, 255); });
      break;
    case MASKKIT_BAND:
      Combine(a, b, n, [](int x, int y) { return std::max(x - y, 0); });
      break;
    case MASKKIT_INTERSECT:
      Combine(a, b, n, [](int x, int y) { return std::min(x, y); });
      break;
    case MASKKIT_SCREEN:
      Combine(a, b, n, [](int x, int y) { return x + y - (x * y + 127) / 255; });
      break;
    case MASKKIT_UNION:
      Combine(a, b, n, [](int x, int y) { return std::max(x, y); });
      break;
    default:  // MASKKIT_CLIP
      Combine(a, b, n, [](int x, int y) { return x != 0 ? y : 0; });
      break;
  }
}

}  // namespace

LVEXPORT LONG MaskKit(HBUF a, HBUF b, LONG op) {
  if (!KnownOperation(op)) return MASK_ERR_ARGUMENT;
  Locked first(a), second(b);
  LONG status = maskkit::CheckPair(first, second);
  if (status != MASK_OK) return status;
  // 8-bit rows are unpadded, so each mask is one run of pixels.
  Apply(op, first.pixels(), second.pixels(), first.count());
  return MASK_OK;
}
