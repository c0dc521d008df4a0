// libpng's error handling for the codecs: an error keeps its message and
// jumps back to the setjmp of the guard function that made the failing call
// (whose frame holds nothing that needs destruction); warnings are dropped.
#pragma once

#include <png.h>

namespace lvcodecs::detail {

// The last error message of one libpng object; given to libpng as its
// error pointer.
struct PngErrors {
  char message[160] = {};
};

// libpng's error callback: copies MESSAGE (cut to fit) into the PngErrors
// that is the error pointer of PNG, then jumps back; never returns.
void onPngError(png_structp png, png_const_charp message);

// libpng's warning callback: warnings change nothing and are not shown.
void onPngWarning(png_structp png, png_const_charp message);

}  // namespace lvcodecs::detail
