// Format recognition and atomic image writing.
#include "imageio.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "atomicfile.h"
#include "bufconv.h"
#include "formatfiles.h"

namespace lvhost {

ImageFormat FormatFromExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == ".png") return ImageFormat::Png;
  if (ext == ".bmp") return ImageFormat::Bmp;
  return ImageFormat::Unknown;
}

namespace {

// True when every entry of the palette is a grey.
bool GreyPalette(HPALETTE palette) {
  PALETTEENTRY entries[256];
  UINT count = palette ? GetPaletteEntries(palette, 0, 256, entries) : 0;
  for (UINT i = 0; i < count; ++i) {
    if (entries[i].peRed != entries[i].peGreen || entries[i].peGreen != entries[i].peBlue) return false;
  }
  return count > 0;
}

}  // namespace

bool ReadThroughDispatcher(const std::string& path, Image* image, std::string* error) {
  FileRecord record;
  if (!DescribeFile(path, &record, error)) {
    *error = "'" + path + "' is not an image of a known format (" + *error + ")";
    return false;
  }
  TFFILEDATA facts = record.Facts();
  if (!ImageSizeAcceptable(facts.width, facts.height)) {
    *error = "'" + path + "': image size " + std::to_string(facts.width) + " x " + std::to_string(facts.height) +
             " is not supported";
    return false;
  }
  HostImage read;
  if (!ReadRecordImage(record, &read, error)) return false;
  bool grey = read.dataType == TF_DT_GREY || read.dataType == TF_DT_BW ||
              ((read.dataType == TF_DT_INDEXED256 || read.dataType == TF_DT_INDEXED16) && GreyPalette(read.palette));
  if (!ConvertImage(&read, grey ? TF_DT_GREY : TF_DT_RGB, error)) return false;
  return BufferToImage(read.buffer, image, error);
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
  return ReadThroughDispatcher(path, image, error);
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
