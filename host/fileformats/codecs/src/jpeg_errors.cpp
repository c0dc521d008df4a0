// Error and warning callbacks of the JPEG library.
#include "jpeg_errors.h"

#include <jerror.h>

namespace lvcodecs::detail {
namespace {

void onJpegError(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

// Level -1 is a warning about damaged data; the one that matters is the end
// of the data coming before the image's end.
void onJpegMessage(j_common_ptr info, int level) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  if (level < 0) {
    ++info->err->num_warnings;
    if (info->err->msg_code == JWRN_JPEG_EOF) errors->truncated = true;
  }
}

}  // namespace

void installJpegErrors(jpeg_common_struct* info, JpegErrors* errors) {
  info->err = jpeg_std_error(&errors->library);
  errors->library.error_exit = onJpegError;
  errors->library.emit_message = onJpegMessage;
  errors->message[0] = '\0';
  errors->truncated = false;
}

}  // namespace lvcodecs::detail
