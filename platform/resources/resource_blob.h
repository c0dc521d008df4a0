// The layout of a compiled resource blob: what the resource compiler (lvrc)
// writes into a module and what the resource lookup functions read.
//
// All values are little-endian; offsets count from the start of the blob.
//
//   offset 0   4 bytes   magic "LVR1"
//   offset 4   uint32    entry count N
//   offset 8   N entries of 20 bytes each:
//                uint32  type: an ordinal (below 0x10000), or kBlobNameFlag
//                        plus the offset of a NUL-terminated upper-case name
//                uint32  name: the same form as the type
//                uint32  language (a LANGID)
//                uint32  data offset (a multiple of 8)
//                uint32  data size in bytes
//   then the names, then each resource's data in the platform's binary form
//   (string table blocks, dialog templates, packed bitmaps, ...), each
//   starting on an 8-byte boundary.
//
// The compiler emits the blob as an 8-byte aligned array, so data that starts
// on an 8-byte boundary of the blob is aligned in memory too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace lvres {

inline constexpr char kBlobMagic[4] = {'L', 'V', 'R', '1'};
inline constexpr size_t kBlobHeaderSize = 8;
inline constexpr size_t kBlobEntrySize = 20;
inline constexpr uint32_t kBlobNameFlag = 0x80000000u;
inline constexpr uint32_t kBlobDataAlignment = 8;

inline uint32_t ReadLe32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// A resource type or name as stored in the blob: an ordinal, or a name.
struct BlobId {
  bool isName = false;
  uint16_t ordinal = 0;
  std::string_view name;  // upper case, points into the blob
};

// One directory entry, checked against the blob's bounds.
struct BlobEntry {
  BlobId type;
  BlobId name;
  uint16_t language = 0;
  const unsigned char* data = nullptr;
  uint32_t size = 0;
};

// A view of one blob; every accessor checks bounds, so a damaged blob yields
// no entries instead of reads outside it.
class BlobView {
 public:
  BlobView(const unsigned char* data, size_t size) : data_(data), size_(size) {}

  // The number of entries, or 0 when the header is not valid.
  size_t Count() const {
    if (!data_ || size_ < kBlobHeaderSize || std::memcmp(data_, kBlobMagic, 4) != 0) return 0;
    uint64_t n = ReadLe32(data_ + 4);
    if (n > (size_ - kBlobHeaderSize) / kBlobEntrySize) return 0;
    return static_cast<size_t>(n);
  }

  // Reads entry i; false when it is out of range or points outside the blob.
  bool Entry(size_t i, BlobEntry& e) const {
    if (i >= Count()) return false;
    const unsigned char* p = data_ + kBlobHeaderSize + i * kBlobEntrySize;
    uint32_t offset = ReadLe32(p + 12);
    uint32_t size = ReadLe32(p + 16);
    if (offset > size_ || size > size_ - offset) return false;
    if (!Id(ReadLe32(p), e.type) || !Id(ReadLe32(p + 4), e.name)) return false;
    e.language = static_cast<uint16_t>(ReadLe32(p + 8));
    e.data = data_ + offset;
    e.size = size;
    return true;
  }

 private:
  bool Id(uint32_t raw, BlobId& id) const {
    if (!(raw & kBlobNameFlag)) {
      if (raw > 0xFFFF) return false;
      id = {false, static_cast<uint16_t>(raw), {}};
      return true;
    }
    uint32_t offset = raw & ~kBlobNameFlag;
    if (offset >= size_) return false;
    const void* nul = std::memchr(data_ + offset, 0, size_ - offset);
    if (!nul) return false;
    const char* start = reinterpret_cast<const char*>(data_ + offset);
    id = {true, 0, std::string_view(start, static_cast<const char*>(nul) - start)};
    return true;
  }

  const unsigned char* data_;
  size_t size_;
};

}  // namespace lvres
