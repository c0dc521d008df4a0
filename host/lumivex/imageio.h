// Reading and writing image files: PNG (libpng) and BMP.
#pragma once

#include <string>

#include "image.h"

namespace lvhost {

enum class ImageFormat { Unknown, Png, Bmp };

// The format named by a file name's extension (.png, .bmp; any case).
ImageFormat FormatFromExtension(const std::string& path);

// Reads an image file, recognised by its first bytes (PNG or BMP; any other
// through ReadThroughDispatcher). 8-bit RGB,
// RGBA (composited on white), grey, grey with alpha and palette PNGs, and 1,
// 4, 8, 24 and 32-bit uncompressed BMPs are read; palette images whose
// palette is all grey become grey images, the others RGB. False with an
// error text for a missing, unreadable, broken or unsupported file.
bool ReadImageFile(const std::string& path, Image* image, std::string* error);

// Reads any other image file through the host's format dispatcher (JPEG,
// GIF, the formats of the file-I/O modules such as TPI): true-colour,
// hi-colour and colour palette images become RGB images, grey, black and
// white and grey palette images grey. False with an error text.
bool ReadThroughDispatcher(const std::string& path, Image* image, std::string* error);

// Writes the image in the format named by the path's extension, through a
// temporary file in the same folder renamed into place, so a failure never
// leaves a partial file under the final name. False with an error text.
bool WriteImageFile(const std::string& path, const Image& image, std::string* error);

// The individual formats; Write* write to `path` directly (callers wanting
// atomic replacement go through WriteImageFile).
bool ReadPngFile(const std::string& path, Image* image, std::string* error);
bool WritePngFile(const std::string& path, const Image& image, std::string* error);
bool DecodeBmp(const unsigned char* data, size_t size, Image* image, std::string* error);
bool ReadBmpFile(const std::string& path, Image* image, std::string* error);
bool WriteBmpFile(const std::string& path, const Image& image, std::string* error);

}  // namespace lvhost
