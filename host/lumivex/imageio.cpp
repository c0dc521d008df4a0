// Format recognition and atomic image writing.
#include "imageio.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "atomicfile.h"

namespace lvhost {

ImageFormat FormatFromExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == ".png") return ImageFormat::Png;
  if (ext == ".bmp") return ImageFormat::Bmp;
  return ImageFormat::Unknown;
}

bool ReadImageFile(const std::string& path, Image* image, std::string* error) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    *error = "cannot read '" + path + "': no such file or not readable";
    return false;
  }
  unsigned char magic[8] = {0};
  size_t n = std::fread(magic, 1, sizeof magic, f);
  std::fclose(f);
  static const unsigned char kPngMagic[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  if (n == 8 && std::equal(magic, magic + 8, kPngMagic)) return ReadPngFile(path, image, error);
  if (n >= 2 && magic[0] == 'B' && magic[1] == 'M') return ReadBmpFile(path, image, error);
  *error = "'" + path + "' is not a PNG or BMP image";
  return false;
}

bool WriteImageFile(const std::string& path, const Image& image, std::string* error) {
  ImageFormat format = FormatFromExtension(path);
  if (format == ImageFormat::Unknown) {
    *error = "cannot write '" + path + "': the name must end in .png or .bmp";
    return false;
  }
  if (image.pixels.size() != static_cast<size_t>(image.width) * image.height * image.channels ||
      image.pixels.empty()) {
    *error = "cannot write '" + path + "': empty image";
    return false;
  }
  return WriteFileAtomically(
      path,
      [&](const std::string& temp, std::string* why) {
        std::string detail;
        bool ok = format == ImageFormat::Png ? WritePngFile(temp, image, &detail)
                                             : WriteBmpFile(temp, image, &detail);
        if (!ok) *why = "cannot write '" + path + "'";
        return ok;
      },
      error);
}

}  // namespace lvhost
