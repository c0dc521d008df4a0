// The JPEG library's error handling for the codecs: fatal errors jump back
// to the setjmp of the guard function that made the failing call (whose frame
// holds nothing that needs destruction); warnings are counted, not printed.
#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace lvcodecs::detail {

// The error manager; the library's record comes first, so the library's
// pointer to it is a pointer to the whole.
struct JpegErrors {
  jpeg_error_mgr library;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool truncated;  // the data ended before the image did
};

// Installs ERRORS as the error manager of the object that INFO heads.
void installJpegErrors(jpeg_common_struct* info, JpegErrors* errors);

}  // namespace lvcodecs::detail
