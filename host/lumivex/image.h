// An image as the host program holds it between the file and the plug-in:
// 8-bit RGB (three bytes red, green, blue per pixel) or 8-bit grey, rows top
// to bottom without padding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lvhost {

struct Image {
  int width = 0;
  int height = 0;
  int channels = 3;             // 3: RGB, 1: grey
  std::vector<uint8_t> pixels;  // width * height * channels bytes
};

// Largest width or height the host accepts, and the largest pixel count;
// sizes from file headers are checked against them before any allocation.
constexpr int kMaxImageSide = 32768;
constexpr uint64_t kMaxImagePixels = 256ull * 1024 * 1024;

// True when width x height with `channels` bytes per pixel may be allocated.
bool ImageSizeAcceptable(int64_t width, int64_t height);

// Allocates a zeroed image; false (and an error text) when the size is refused.
bool MakeImage(int width, int height, int channels, Image* image, std::string* error);

}  // namespace lvhost
