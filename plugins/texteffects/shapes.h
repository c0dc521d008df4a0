// Shape images (the hole shape, the relief texture, the bump map): 8-bit
// grey buffers made from a BMP file or from one of the module's bitmap
// resources.
#pragma once

#include <windows.h>

#include <imgcore.h>

namespace texfx {

// A source of bytes read front to back: a file, or memory in tests.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Total size in bytes.
  virtual DWORD Size() const = 0;
  // Reads exactly `count` bytes into `to`; false when fewer are left.
  virtual bool Read(void* to, DWORD count) = 0;
};

// Bytes in memory as a source (the memory stays the caller's and must
// outlive the source).
class MemorySource : public ByteSource {
 public:
  MemorySource(const BYTE* bytes, DWORD size) : bytes_(bytes), size_(size) {}
  DWORD Size() const override { return size_; }
  bool Read(void* to, DWORD count) override;

 private:
  const BYTE* bytes_;
  DWORD size_;
  DWORD at_ = 0;
};

// Largest packed bitmap a shape file may hold (bytes after the file header).
constexpr DWORD kMaxPackedBitmap = 64u << 20;

// Reads a BMP file's contents from source: the 14-byte file header (fewer
// bytes: 4020) must start with "BM" (else 4005); its size field minus 14
// bytes (checked against the bytes present before anything is allocated:
// 4020 when they are missing, 4005 for sizes below a core header or above
// kMaxPackedBitmap) are read into a new global block (1001 when it cannot
// be allocated) whose first word, the info-header size, must be 40 or 12
// (else 4005). On success *dib owns the block (GlobalFree) and 0 is
// returned; on failure the code, *dib 0, nothing in the error slot.
LONG ReadPackedBitmap(ByteSource* source, HGLOBAL* dib);

// Converts a packed bitmap (global block, stays the caller's) into an 8-bit
// grey buffer *shape (owned by the caller): cvt32DIBToBuf, then
// cvt32BufType to grey when the bitmap is not grey already. 0 or 4005
// (the bitmap cannot be converted; the converter's error stays in the slot).
LONG ShapeFromPackedBitmap(HGLOBAL dib, HBUF* shape);

// The shape in the file at `path` (a Windows path): 0 with *shape owned by
// the caller, or 4004 (cannot be opened), 4020, 4005 or 1001, nothing in
// the error slot.
LONG LoadShapeFile(const char* path, HBUF* shape);

// The module's bitmap resource `id` as an 8-bit grey buffer. 0 or 4005.
LONG LoadShapeResource(UINT id, HBUF* shape);

// The shape of a renderer: `pathField` is a parameter record's path field
// of kPathSize bytes (its terminator may be missing; NULL counts as empty).
// Resource `resourceId` when the path is empty, else the file at path,
// else (whatever kept that file from loading) the file of that name in the
// folder "..\frmmask\" beside the module's folder. When neither file
// loads, the code is the second file's, or the first file's when the
// second is missing; a missing file gives 4003, with the host's text 4003 naming
// the path in the error slot; otherwise the loader's code. The code is put
// into the host's error slot on failure.
LONG LoadRendererShape(const char* pathField, UINT resourceId, HBUF* shape);

}  // namespace texfx
