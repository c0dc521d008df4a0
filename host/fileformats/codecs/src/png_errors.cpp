// libpng's error and warning callbacks, shared by the decoder and encoder.
#include "png_errors.h"

#include <cstring>

namespace lvcodecs::detail {

void onPngError(png_structp png, png_const_charp message) {
  auto* errors = static_cast<PngErrors*>(png_get_error_ptr(png));
  std::strncpy(errors->message, message, sizeof errors->message - 1);
  png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

}  // namespace lvcodecs::detail
