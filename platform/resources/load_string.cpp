// LoadStringA: strings from the module's string tables, which keep them in
// blocks of sixteen counted UTF-16 strings; block n holds ids 16(n-1) to 16n-1.
#include <win/kernel.h>
#include <win/rsrc.h>

#include "resource_search.h"

namespace {

// Code points of the Windows-1252 bytes 0x80..0x9F.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char AnsiOf(uint16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == unit) return static_cast<char>(0x80 + i);
  return '?';
}

uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// Finds string `index` (0..15) in a block; false when the block is damaged.
bool StringInBlock(const lvres::BlobEntry& block, unsigned index, const unsigned char*& text, size_t& length) {
  size_t at = 0;
  for (unsigned i = 0;; ++i) {
    if (at + 2 > block.size) return false;
    length = Le16(block.data + at);
    at += 2;
    if (length > (block.size - at) / 2) return false;
    if (i == index) {
      text = block.data + at;
      return true;
    }
    at += length * 2;
  }
}

}  // namespace

int WINAPI LoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int bufferMax) {
  if (!buffer || bufferMax <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  buffer[0] = '\0';
  if (id > 0xFFFF) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  lvres::WantedId type{false, 6, nullptr};
  lvres::WantedId name{false, static_cast<uint16_t>(id / 16 + 1), nullptr};
  lvres::BlobEntry block;
  if (lvres::FindInModule(module, type, name, 0, block) != lvres::SearchResult::Found) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  const unsigned char* text = nullptr;
  size_t length = 0;
  if (!StringInBlock(block, id % 16, text, length)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  const size_t room = static_cast<size_t>(bufferMax - 1);
  size_t n = 0;
  for (size_t i = 0; i < length && n < room; ++i) {
    uint16_t unit = Le16(text + 2 * i);
    // A surrogate pair is one character, with no Windows-1252 form.
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < length) {
      uint16_t low = Le16(text + 2 * (i + 1));
      if (low >= 0xDC00 && low < 0xE000) ++i;
    }
    buffer[n++] = AnsiOf(unit);
  }
  buffer[n] = '\0';
  return static_cast<int>(n);
}
