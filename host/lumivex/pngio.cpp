// PNG files through libpng's simplified interface.
#include <png.h>

#include <cstring>

#include "imageio.h"

namespace lvhost {

bool ReadPngFile(const std::string& path, Image* image, std::string* error) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    *error = "'" + path + "' is not a readable PNG image (" + png.message + ")";
    return false;
  }
  if (!ImageSizeAcceptable(png.width, png.height)) {
    png_image_free(&png);
    *error = "'" + path + "': image size " + std::to_string(png.width) + " x " +
             std::to_string(png.height) + " is not supported";
    return false;
  }
  bool colour = (png.format & PNG_FORMAT_FLAG_COLOR) != 0;
  png.format = colour ? PNG_FORMAT_RGB : PNG_FORMAT_GRAY;
  if (!MakeImage(static_cast<int>(png.width), static_cast<int>(png.height), colour ? 3 : 1, image,
                 error)) {
    png_image_free(&png);
    return false;
  }
  // Transparent parts are shown on white, as a viewer would show them.
  png_color white = {255, 255, 255};
  if (!png_image_finish_read(&png, &white, image->pixels.data(), 0, nullptr)) {
    *error = "'" + path + "' is a broken PNG image (" + png.message + ")";
    png_image_free(&png);
    image->pixels.clear();
    return false;
  }
  return true;
}

bool WritePngFile(const std::string& path, const Image& image, std::string* error) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = image.channels == 3 ? PNG_FORMAT_RGB : PNG_FORMAT_GRAY;
  if (!png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(), 0, nullptr)) {
    *error = "cannot write PNG '" + path + "' (" + png.message + ")";
    return false;
  }
  return true;
}

}  // namespace lvhost
