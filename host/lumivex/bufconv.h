// Moving pixels between the program's images and the host's image buffers.
#pragma once

#include <imgcore.h>

#include <string>

#include "image.h"

namespace lvhost {

// The plug-in data type of an image: RGB (2) or grey (32).
LONG DataTypeOf(const Image& image);

// A new buffer (24 bits for RGB, 8 for grey) holding the image; the caller
// frees it with buf32Free. False with an error text when imgcore refuses.
bool ImageToBuffer(const Image& image, HBUF* buffer, std::string* error);

// The whole buffer (24 or 8 bits per pixel) as an image.
bool BufferToImage(HBUF buffer, Image* image, std::string* error);

// A rectangle of the buffer (inside it) as an image.
bool BufferRectToImage(HBUF buffer, const RECT& rect, Image* image, std::string* error);

}  // namespace lvhost
