// What a resource script compiles to: resources identified by type, name and
// language, each holding its data in the platform's binary form.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "diagnostics.h"

namespace lvrc {

// Standard resource type numbers.
enum ResourceType : uint16_t {
  kRtCursor = 1, kRtBitmap = 2, kRtIcon = 3, kRtMenu = 4, kRtDialog = 5, kRtString = 6,
  kRtFontDir = 7, kRtFont = 8, kRtAccelerator = 9, kRtRcData = 10, kRtMessageTable = 11,
  kRtGroupCursor = 12, kRtGroupIcon = 14, kRtVersion = 16, kRtDlgInclude = 17,
  kRtPlugPlay = 19, kRtVxd = 20, kRtAniCursor = 21, kRtAniIcon = 22, kRtHtml = 23, kRtManifest = 24,
};

// A resource type or name: an ordinal or an upper-case name.
struct ResId {
  bool isName = false;
  uint16_t ordinal = 0;
  std::string name;

  static ResId Ordinal(uint16_t n) { return {false, n, {}}; }
  static ResId Named(std::string n) { return {true, 0, std::move(n)}; }
  bool operator==(const ResId& o) const {
    return isName == o.isName && (isName ? name == o.name : ordinal == o.ordinal);
  }
  std::string Describe() const { return isName ? "\"" + name + "\"" : std::to_string(ordinal); }
};

struct Resource {
  ResId type;
  ResId name;
  uint16_t language = 0;
  std::vector<uint8_t> data;
  Location where;  // the statement that made it
};

// Appends little-endian values and UTF-16 text to a byte vector.
class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}
  void U8(uint8_t v) { out_.push_back(v); }
  void U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  // UTF-16 text followed by a terminating zero.
  void Utf16z(const std::u16string& s) {
    for (char16_t c : s) U16(c);
    U16(0);
  }
  void Bytes(const uint8_t* p, size_t n) { out_.insert(out_.end(), p, p + n); }
  void AlignTo(size_t n) {
    while (out_.size() % n) out_.push_back(0);
  }
  size_t Size() const { return out_.size(); }

 private:
  std::vector<uint8_t>& out_;
};

}  // namespace lvrc
