// Random access to the bytes of a file, or of memory in tests and fuzzing,
// so the parsers never see where the bytes come from.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace audioinfo {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Total size in bytes.
  virtual uint64_t Size() const = 0;
  // Copies exactly `count` bytes starting at `offset` into out; false (out
  // undefined) when they are not all there.
  virtual bool ReadAt(uint64_t offset, void* out, size_t count) = 0;
};

// Bytes held in memory (not owned; they must outlive the source).
class MemorySource : public ByteSource {
 public:
  MemorySource(const BYTE* data, size_t size) : data_(data), size_(size) {}
  uint64_t Size() const override { return size_; }
  bool ReadAt(uint64_t offset, void* out, size_t count) override;

 private:
  const BYTE* data_;
  size_t size_;
};

// A file opened for reading through the platform's file API, read through a
// small window buffer so that walking many short blocks costs few calls.
class FileSource : public ByteSource {
 public:
  FileSource() = default;
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  // Opens the named file (a Windows path); false when it cannot be opened.
  bool Open(LPCSTR fileName);
  HANDLE handle() const { return file_; }
  uint64_t Size() const override { return size_; }
  bool ReadAt(uint64_t offset, void* out, size_t count) override;

 private:
  bool Fill(uint64_t offset);

  HANDLE file_ = INVALID_HANDLE_VALUE;
  uint64_t size_ = 0;
  std::vector<BYTE> window_;  // bytes of the file from windowStart_
  uint64_t windowStart_ = 0;
};

// Little-endian values out of a byte array.
inline uint16_t Le16(const BYTE* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t Le24(const BYTE* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16);
}
inline uint32_t Le32(const BYTE* p) { return Le24(p) | (static_cast<uint32_t>(p[3]) << 24); }

}  // namespace audioinfo
