// Image <-> buffer copies, a row at a time.
#include "bufconv.h"

#include <effect/plugin.h>

namespace lvhost {

namespace {

// Channels of a buffer's pixel format, 0 for formats the program cannot write.
int ChannelsOf(HBUF buffer, BUFINFO* info) {
  if (!buf32GetInfo(buffer, info)) return 0;
  if (info->pixelFormat == 24) return 3;
  if (info->pixelFormat == 8) return 1;
  return 0;
}

}  // namespace

LONG DataTypeOf(const Image& image) { return image.channels == 3 ? T32_DT_RGB : T32_DT_GREY; }

bool ImageToBuffer(const Image& image, HBUF* buffer, std::string* error) {
  HBUF made = 0;
  if (!buf32Alloc(&made, image.channels == 3 ? 24 : 8, image.width, image.height, BUF_KIND_PLAIN, nullptr)) {
    *error = "out of memory for a " + std::to_string(image.width) + " x " + std::to_string(image.height) + " image";
    return false;
  }
  size_t rowBytes = static_cast<size_t>(image.width) * image.channels;
  for (int y = 0; y < image.height; ++y) {
    void* row = const_cast<uint8_t*>(image.pixels.data() + y * rowBytes);
    if (!buf32Line(made, y, 2, row)) {
      buf32Free(made);
      *error = "cannot fill the image buffer";
      return false;
    }
  }
  *buffer = made;
  return true;
}

bool BufferRectToImage(HBUF buffer, const RECT& rect, Image* image, std::string* error) {
  BUFINFO info = {};
  int channels = ChannelsOf(buffer, &info);
  if (channels == 0) {
    *error = "the plug-in gave a result the program cannot write (pixel format " +
             std::to_string(info.pixelFormat) + ")";
    return false;
  }
  if (rect.left < 0 || rect.top < 0 || rect.right > info.width || rect.bottom > info.height ||
      rect.left >= rect.right || rect.top >= rect.bottom) {
    *error = "rectangle outside the image";
    return false;
  }
  if (!MakeImage(rect.right - rect.left, rect.bottom - rect.top, channels, image, error)) return false;
  if (!buf32GetMem(buffer, rect.left, rect.top, image->width, image->height, image->pixels.data())) {
    *error = "cannot read the image buffer";
    return false;
  }
  return true;
}

bool BufferToImage(HBUF buffer, Image* image, std::string* error) {
  BUFINFO info = {};
  if (!buf32GetInfo(buffer, &info)) {
    *error = "the plug-in gave no valid result image";
    return false;
  }
  RECT all = {0, 0, info.width, info.height};
  return BufferRectToImage(buffer, all, image, error);
}

}  // namespace lvhost
