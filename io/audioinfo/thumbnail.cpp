// Thumbnails: the file's own picture or the format's built-in picture.
#include "thumbnail.h"

#include <cstring>
#include <vector>

#include "fileinfo.h"
#include "module.h"
#include "resources/resource.h"

namespace audioinfo {

namespace {

constexpr size_t kFileHeaderSize = 14;

int BuiltInPicture(LONG index) {
  switch (index) {
    case MIO_FORMAT_WAV: return IDB_THUMB_WAVE;
    case MIO_FORMAT_VOC: return IDB_THUMB_VOC;
    default: return IDB_THUMB_MIDI;
  }
}

// Movable memory holding a copy of the bytes; 0 when it cannot be had.
HGLOBAL CopyToGlobal(const BYTE* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return 0;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return 0;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(memory);
  return memory;
}

// The built-in bitmap file of the format, without its file header.
HGLOBAL BuiltInThumbnail(LONG index, MioError* error) {
  HMODULE module = ModuleInstance();
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(BuiltInPicture(index)), "DIB");
  HGLOBAL loaded = found ? LoadResource(module, found) : 0;
  const BYTE* file = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  const DWORD size = found ? SizeofResource(module, found) : 0;
  if (!file || size <= kFileHeaderSize) {
    *error = kNoThumbnailResource;
    return 0;
  }
  HGLOBAL copy = CopyToGlobal(file + kFileHeaderSize, size - kFileHeaderSize);
  if (!copy) *error = kNoThumbnailMemory;
  return copy;
}

}  // namespace

HGLOBAL MakeThumbnail(LONG index, LPCSTR fileName, MioError* error) {
  std::vector<BYTE> picture;
  if (ReadFilePicture(index, fileName, &picture)) {
    HGLOBAL copy = CopyToGlobal(picture.data(), picture.size());
    if (!copy) *error = kNoThumbnailMemory;
    return copy;
  }
  return BuiltInThumbnail(index, error);
}

}  // namespace audioinfo
