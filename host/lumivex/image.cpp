// Image size limits and allocation.
#include "image.h"

namespace lvhost {

bool ImageSizeAcceptable(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= kMaxImagePixels;
}

bool MakeImage(int width, int height, int channels, Image* image, std::string* error) {
  if (!ImageSizeAcceptable(width, height) || (channels != 1 && channels != 3)) {
    *error = "image size " + std::to_string(width) + " x " + std::to_string(height) +
             " is not supported";
    return false;
  }
  image->width = width;
  image->height = height;
  image->channels = channels;
  image->pixels.assign(static_cast<size_t>(width) * height * channels, 0);
  return true;
}

}  // namespace lvhost
