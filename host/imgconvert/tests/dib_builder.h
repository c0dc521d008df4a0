// Builds packed bitmaps byte by byte for the tests, and hands them over as
// global memory blocks.
#pragma once

#include <imgconvert.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace cvttest {

struct DibPlan {
  uint32_t headerSize;
  int32_t width;
  int32_t height;  // negative: top-down
  uint16_t bitCount;
  uint32_t compression;
  uint32_t sizeImage;
  uint32_t clrUsed;
  std::vector<uint32_t> masks;    // written after a 40-byte header, or inside a larger one
  std::vector<uint32_t> colours;  // 0x00RRGGBB, written as RGBQUAD (RGBTRIPLE for core headers)
  std::vector<uint8_t> bits;      // exactly as stored

  DibPlan(uint32_t headerSize_ = 40, int32_t width_ = 1, int32_t height_ = 1,
          uint16_t bitCount_ = 24, uint32_t compression_ = BI_RGB, uint32_t sizeImage_ = 0,
          uint32_t clrUsed_ = 0, std::vector<uint32_t> masks_ = {},
          std::vector<uint32_t> colours_ = {}, std::vector<uint8_t> bits_ = {})
      : headerSize(headerSize_), width(width_), height(height_), bitCount(bitCount_),
        compression(compression_), sizeImage(sizeImage_), clrUsed(clrUsed_),
        masks(std::move(masks_)), colours(std::move(colours_)), bits(std::move(bits_)) {}
};

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
inline void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

inline std::vector<uint8_t> BuildDib(const DibPlan& s) {
  std::vector<uint8_t> out;
  if (s.headerSize == 12) {
    Put32(out, 12);
    Put16(out, static_cast<uint16_t>(s.width));
    Put16(out, static_cast<uint16_t>(s.height));
    Put16(out, 1);
    Put16(out, s.bitCount);
    for (uint32_t c : s.colours) {
      out.push_back(static_cast<uint8_t>(c));
      out.push_back(static_cast<uint8_t>(c >> 8));
      out.push_back(static_cast<uint8_t>(c >> 16));
    }
  } else {
    Put32(out, s.headerSize);
    Put32(out, static_cast<uint32_t>(s.width));
    Put32(out, static_cast<uint32_t>(s.height));
    Put16(out, 1);
    Put16(out, s.bitCount);
    Put32(out, s.compression);
    Put32(out, s.sizeImage);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, s.clrUsed);
    Put32(out, 0);
    for (uint32_t m : s.masks) Put32(out, m);
    while (out.size() < s.headerSize) out.push_back(0);
    for (uint32_t c : s.colours) Put32(out, c & 0xFFFFFF);
  }
  out.insert(out.end(), s.bits.begin(), s.bits.end());
  return out;
}

// A global block holding the bytes; the caller frees it.
inline HGLOBAL ToGlobal(const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!block) return 0;
  void* p = GlobalLock(block);
  if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

// Frees a global block at the end of a scope.
struct GlobalBlock {
  HGLOBAL handle;
  explicit GlobalBlock(HGLOBAL h) : handle(h) {}
  explicit GlobalBlock(const std::vector<uint8_t>& bytes) : handle(ToGlobal(bytes)) {}
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  ~GlobalBlock() {
    if (handle) GlobalFree(handle);
  }
};

// Frees a buffer and deletes a palette at the end of a scope.
struct Image {
  HBUF buffer = 0;
  HPALETTE palette = 0;
  LONG type = 0;
  Image() = default;
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  ~Image() {
    if (buffer) buf32Free(buffer);
    if (palette) DeleteObject(palette);
  }
};

// Pixels of a buffer, row after row (rowBytes each).
inline std::vector<uint8_t> Pixels(HBUF buffer) {
  BUFINFO info{};
  if (!buf32GetInfo(buffer, &info)) return {};
  std::vector<uint8_t> out(static_cast<size_t>(info.dataSize));
  for (LONG y = 0; y < info.height; ++y) buf32Line(buffer, y, 1, out.data() + y * info.rowBytes);
  return out;
}

// Colours of a palette as 0x00RRGGBB.
inline std::vector<uint32_t> Colours(HPALETTE palette) {
  UINT n = GetPaletteEntries(palette, 0, 0, nullptr);
  std::vector<PALETTEENTRY> e(n);
  if (n) GetPaletteEntries(palette, 0, n, e.data());
  std::vector<uint32_t> out;
  for (const PALETTEENTRY& p : e) {
    out.push_back(static_cast<uint32_t>(p.peRed) << 16 | p.peGreen << 8 | p.peBlue);
  }
  return out;
}

// A new buffer of the format with the given pixel rows.
inline HBUF MakeBuffer(LONG format, LONG width, LONG height, const std::vector<uint8_t>& rows) {
  HBUF b = 0;
  if (!buf32Alloc(&b, format, width, height, 0, nullptr)) return 0;
  BUFINFO info{};
  buf32GetInfo(b, &info);
  for (LONG y = 0; y < height; ++y) {
    buf32Line(b, y, 2, const_cast<uint8_t*>(rows.data()) + y * info.rowBytes);
  }
  return b;
}

// A palette of the colours (0x00RRGGBB); the caller deletes it.
inline HPALETTE MakePalette(const std::vector<uint32_t>& colours) {
  std::vector<uint8_t> mem(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * colours.size());
  auto* log = reinterpret_cast<LOGPALETTE*>(mem.data());
  log->palVersion = 0x300;
  log->palNumEntries = static_cast<WORD>(colours.size());
  for (size_t i = 0; i < colours.size(); ++i) {
    uint32_t c = colours[i];
    log->palPalEntry[i] = {static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8),
                           static_cast<BYTE>(c), 0};
  }
  return CreatePalette(log);
}

}  // namespace cvttest
