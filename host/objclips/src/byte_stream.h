// Little-endian writing and bounds-checked reading of byte streams.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "objclips.h"

namespace objclips {

class ByteWriter {
 public:
  void U16(uint32_t v) { Put(v, 2); }
  void U32(uint32_t v) { Put(v, 4); }
  void Bytes(const void* p, size_t n) {
    const BYTE* b = static_cast<const BYTE*>(p);
    out_.insert(out_.end(), b, b + n);
  }
  std::vector<BYTE>& Result() { return out_; }

 private:
  void Put(uint32_t v, int n) {
    for (int i = 0; i < n; ++i) out_.push_back(static_cast<BYTE>(v >> (8 * i)));
  }
  std::vector<BYTE> out_;
};

// Every read checks the bytes left first; after a failed read ok() is false
// and every further read fails too.
class ByteReader {
 public:
  explicit ByteReader(const std::vector<BYTE>& in) : in_(in) {}
  bool U16(uint32_t* v) { return Get(v, 2); }
  bool U32(uint32_t* v) { return Get(v, 4); }
  // A view of the next n bytes, or nullptr when fewer are left.
  const BYTE* Take(size_t n) {
    if (!ok_ || n > Left()) {
      ok_ = false;
      return nullptr;
    }
    const BYTE* p = in_.data() + pos_;
    pos_ += n;
    return p;
  }
  size_t Left() const { return in_.size() - pos_; }
  bool ok() const { return ok_; }

 private:
  bool Get(uint32_t* v, int n) {
    const BYTE* p = Take(static_cast<size_t>(n));
    if (!p) return false;
    *v = 0;
    for (int i = 0; i < n; ++i) *v |= static_cast<uint32_t>(p[i]) << (8 * i);
    return true;
  }
  const std::vector<BYTE>& in_;
  size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace objclips
