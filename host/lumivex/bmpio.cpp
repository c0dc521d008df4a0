// BMP files: uncompressed 1, 4, 8, 24 and 32 bits per pixel (and 32-bit
// bit fields with the usual masks) are read; RGB images are written with 24
// bits, grey images with 8 bits and a grey palette.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "atomicfile.h"
#include "imageio.h"

namespace lvhost {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kMaxBmpFileSize = size_t(1) << 31;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

uint16_t Get16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xff));
  out.push_back(static_cast<char>(v >> 8));
}
void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

// What the headers say, after checking.
struct BmpLayout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bitCount = 0;
  uint32_t pixelOffset = 0;
  size_t rowBytes = 0;
  std::vector<uint8_t> palette;  // 3 bytes (r, g, b) per entry
};

bool Fail(std::string* error, const std::string& text) {
  *error = text;
  return false;
}

bool ReadPalette(const unsigned char* data, size_t size, size_t at, size_t entrySize,
                 uint32_t used, BmpLayout* layout, std::string* error) {
  uint32_t maxEntries = 1u << layout->bitCount;
  uint32_t count = used == 0 ? maxEntries : used;
  if (count > maxEntries) return Fail(error, "BMP palette is larger than its bit depth allows");
  if (at + size_t(count) * entrySize > size) return Fail(error, "BMP palette is truncated");
  layout->palette.assign(size_t(maxEntries) * 3, 0);
  for (uint32_t i = 0; i < count; ++i) {
    const unsigned char* e = data + at + i * entrySize;
    layout->palette[i * 3 + 0] = e[2];
    layout->palette[i * 3 + 1] = e[1];
    layout->palette[i * 3 + 2] = e[0];
  }
  return true;
}

bool ParseHeaders(const unsigned char* data, size_t size, BmpLayout* layout, std::string* error) {
  if (size < kFileHeaderSize + 12 || data[0] != 'B' || data[1] != 'M')
    return Fail(error, "not a BMP file");
  layout->pixelOffset = Get32(data + 10);
  uint32_t headerSize = Get32(data + kFileHeaderSize);
  const unsigned char* h = data + kFileHeaderSize;
  int64_t width, height;
  uint32_t compression = kBiRgb, used = 0;
  size_t entrySize = 4;
  if (headerSize == 12) {  // core header: 16-bit sizes, 3-byte palette entries
    width = Get16(h + 4);
    height = static_cast<int16_t>(Get16(h + 6));
    layout->bitCount = Get16(h + 10);
    entrySize = 3;
  } else if (headerSize >= 40 && headerSize <= 124) {
    if (kFileHeaderSize + headerSize > size) return Fail(error, "BMP header is truncated");
    width = static_cast<int32_t>(Get32(h + 4));
    height = static_cast<int32_t>(Get32(h + 8));
    layout->bitCount = Get16(h + 14);
    compression = Get32(h + 16);
    used = Get32(h + 32);
  } else {
    return Fail(error, "unsupported BMP header");
  }
  layout->topDown = height < 0;
  if (height < 0) height = -height;
  if (!ImageSizeAcceptable(width, height))
    return Fail(error, "BMP image size " + std::to_string(width) + " x " + std::to_string(height) +
                           " is not supported");
  layout->width = static_cast<int>(width);
  layout->height = static_cast<int>(height);
  int bits = layout->bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    return Fail(error, "unsupported BMP bit depth " + std::to_string(bits));
  if (compression == kBiBitfields && bits == 32 && headerSize >= 52) {
    // Only the ordinary layout (blue in the low byte) is accepted.
    if (Get32(h + 40) != 0x00ff0000 || Get32(h + 44) != 0x0000ff00 || Get32(h + 48) != 0x000000ff)
      return Fail(error, "unsupported BMP colour masks");
  } else if (compression != kBiRgb) {
    return Fail(error, "compressed BMP files are not supported");
  }
  layout->rowBytes = ((static_cast<size_t>(layout->width) * bits + 31) / 32) * 4;
  if (layout->pixelOffset < kFileHeaderSize + headerSize || layout->pixelOffset > size ||
      (size - layout->pixelOffset) / layout->rowBytes < static_cast<size_t>(layout->height))
    return Fail(error, "BMP pixel data is truncated");
  if (bits <= 8)
    return ReadPalette(data, size, kFileHeaderSize + headerSize, entrySize, used, layout, error);
  return true;
}

bool PaletteIsGrey(const std::vector<uint8_t>& palette) {
  for (size_t i = 0; i + 2 < palette.size(); i += 3)
    if (palette[i] != palette[i + 1] || palette[i] != palette[i + 2]) return false;
  return true;
}

// Palette index of pixel x in a row of 1, 4 or 8 bits per pixel.
unsigned IndexAt(const unsigned char* row, int x, int bits) {
  if (bits == 8) return row[x];
  if (bits == 4) return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0f;
  return (row[x / 8] >> (7 - x % 8)) & 1;
}

void DecodeRow(const BmpLayout& layout, const unsigned char* row, bool grey, uint8_t* out) {
  int bits = layout.bitCount;
  for (int x = 0; x < layout.width; ++x) {
    if (bits <= 8) {
      const uint8_t* e = &layout.palette[IndexAt(row, x, bits) * 3];
      if (grey) {
        out[x] = e[0];
      } else {
        std::memcpy(out + x * 3, e, 3);
      }
    } else {
      const unsigned char* p = row + x * (bits / 8);
      out[x * 3 + 0] = p[2];
      out[x * 3 + 1] = p[1];
      out[x * 3 + 2] = p[0];
    }
  }
}

}  // namespace

bool DecodeBmp(const unsigned char* data, size_t size, Image* image, std::string* error) {
  BmpLayout layout;
  if (!ParseHeaders(data, size, &layout, error)) return false;
  bool grey = layout.bitCount <= 8 && PaletteIsGrey(layout.palette);
  if (!MakeImage(layout.width, layout.height, grey ? 1 : 3, image, error)) return false;
  size_t outRow = static_cast<size_t>(layout.width) * image->channels;
  for (int y = 0; y < layout.height; ++y) {
    int fileRow = layout.topDown ? y : layout.height - 1 - y;
    const unsigned char* row = data + layout.pixelOffset + fileRow * layout.rowBytes;
    DecodeRow(layout, row, grey, image->pixels.data() + y * outRow);
  }
  return true;
}

bool ReadBmpFile(const std::string& path, Image* image, std::string* error) {
  std::string bytes;
  if (!ReadWholeFile(path, kMaxBmpFileSize, &bytes, error)) return false;
  std::string why;
  if (!DecodeBmp(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), image, &why)) {
    *error = "'" + path + "': " + why;
    return false;
  }
  return true;
}

bool WriteBmpFile(const std::string& path, const Image& image, std::string* error) {
  bool grey = image.channels == 1;
  int bits = grey ? 8 : 24;
  size_t rowBytes = ((static_cast<size_t>(image.width) * bits + 31) / 32) * 4;
  uint32_t paletteBytes = grey ? 256 * 4 : 0;
  uint32_t offset = static_cast<uint32_t>(kFileHeaderSize + 40 + paletteBytes);
  uint64_t fileSize = offset + rowBytes * static_cast<uint64_t>(image.height);
  if (fileSize > 0xffffffffu) return Fail(error, "image too large for a BMP file");
  std::string out;
  out.reserve(fileSize);
  out += "BM";
  Put32(out, static_cast<uint32_t>(fileSize));
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(image.width));
  Put32(out, static_cast<uint32_t>(image.height));  // bottom-up
  Put16(out, 1);
  Put16(out, static_cast<uint16_t>(bits));
  Put32(out, kBiRgb);
  Put32(out, static_cast<uint32_t>(rowBytes * image.height));
  Put32(out, 2835);  // 72 pixels per inch
  Put32(out, 2835);
  Put32(out, grey ? 256 : 0);
  Put32(out, 0);
  for (uint32_t i = 0; grey && i < 256; ++i) Put32(out, i * 0x010101u);
  size_t inRow = static_cast<size_t>(image.width) * image.channels;
  std::string row(rowBytes, '\0');
  for (int y = image.height - 1; y >= 0; --y) {
    const uint8_t* in = image.pixels.data() + y * inRow;
    for (int x = 0; x < image.width; ++x) {
      if (grey) {
        row[x] = static_cast<char>(in[x]);
      } else {
        row[x * 3 + 0] = static_cast<char>(in[x * 3 + 2]);
        row[x * 3 + 1] = static_cast<char>(in[x * 3 + 1]);
        row[x * 3 + 2] = static_cast<char>(in[x * 3 + 0]);
      }
    }
    out += row;
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return Fail(error, "cannot write BMP '" + path + "'");
  bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  ok = (std::fclose(f) == 0) && ok;
  if (!ok) return Fail(error, "cannot write BMP '" + path + "'");
  return true;
}

}  // namespace lvhost
