// Shape images from BMP files and from the module's bitmap resources.
#include "shapes.h"

#include <effect/common.h>
#include <hostcommon.h>
#include <imgconvert.h>

#include <cstring>
#include <string>

#include <texteffects/params.h>

#include "frame.h"

namespace texfx {

namespace {

constexpr DWORD kFileHeaderSize = 14;
constexpr DWORD kInfoHeaderSize = 40;
constexpr DWORD kCoreHeaderSize = 12;

DWORD Little32(const BYTE* p) {
  return static_cast<DWORD>(p[0]) | static_cast<DWORD>(p[1]) << 8 |
         static_cast<DWORD>(p[2]) << 16 | static_cast<DWORD>(p[3]) << 24;
}

// An open file of the platform's file API, closed on destruction.
class FileSource : public ByteSource {
 public:
  explicit FileSource(const char* path)
      : file_(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, 0)) {}
  ~FileSource() override {
    if (open()) CloseHandle(file_);
  }
  bool open() const { return file_ != INVALID_HANDLE_VALUE; }
  DWORD Size() const override {
    DWORD high = 0;
    const DWORD low = GetFileSize(file_, &high);
    return high ? 0xFFFFFFFFu : low;
  }
  bool Read(void* to, DWORD count) override {
    DWORD read = 0;
    return ReadFile(file_, to, count, &read, nullptr) && read == count;
  }

 private:
  HANDLE file_;
};

// The bitmap's conversion to grey: the buffer itself when it is grey
// already, else a new grey buffer (the colour one freed).
LONG ToGrey(OwnedBuf* buffer, HPALETTE palette, LONG dataType) {
  if (dataType == CVT32_TYPE_GREY) return 0;
  OwnedBuf grey;
  if (!cvt32BufType(CVT32_MODE_CONVERT, 0, buffer->get(), CVT32_TYPE_GREY, palette, grey.out(),
                    nullptr, nullptr, 0, 0, 0))
    return kErrNotBmp;
  *buffer = std::move(grey);
  return 0;
}

// A converted bitmap: the buffer and its palette (deleted afterwards).
LONG FinishConversion(BOOL converted, HBUF buffer, HPALETTE palette, LONG dataType, HBUF* shape) {
  OwnedBuf owned(converted ? buffer : 0);
  if (!converted) return kErrNotBmp;
  const LONG code = ToGrey(&owned, palette, dataType);
  if (palette) DeleteObject(palette);
  if (code) return code;
  *shape = owned.Release();
  return 0;
}

// Folder of the module file, with its trailing backslash.
bool ModuleFolder(char folder[MAX_PATH]) {
  char module[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(effect::ModuleInstance(), module, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  return tfdSplitPathname(module, 0, folder) != 0;
}

// "<module folder>..\frmmask\<file name of path>", false when it does not fit.
bool FallbackPath(const char* path, char out[MAX_PATH]) {
  char folder[MAX_PATH] = {};
  if (!ModuleFolder(folder)) return false;
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
  const size_t needed = std::strlen(folder) + std::strlen("..\\frmmask\\") + std::strlen(name);
  if (needed >= MAX_PATH || !*name) return false;
  out[0] = '\0';
  std::strcat(out, folder);
  std::strcat(out, "..\\frmmask\\");
  std::strcat(out, name);
  return true;
}

// Puts 4003 into the host's error slot with the host's text 4003 ("the file
// %s could not be loaded") naming the path, so the user learns which file
// is missing. The path is put in place of the text's first "%s" by hand:
// the host's text is not trusted as a format.
void ReportMissingShape(const char* path, LONG detail) {
  char format[256] = {};
  if (c32GetString(kErrShapeMissing, format, sizeof format) <= 0) {
    Fail(kErrShapeMissing, detail);
    return;
  }
  std::string text(format);
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, path);
  c32SetDLLErrInfo(reinterpret_cast<LONG_PTR>(text.c_str()), kErrShapeMissing, 0, kUnit, 1,
                   detail);
}

}  // namespace

bool MemorySource::Read(void* to, DWORD count) {
  if (count > size_ - at_) return false;
  std::memcpy(to, bytes_ + at_, count);
  at_ += count;
  return true;
}

LONG ReadPackedBitmap(ByteSource* source, HGLOBAL* dib) {
  *dib = 0;
  BYTE header[kFileHeaderSize];
  if (!source->Read(header, sizeof header)) return kErrRead;
  if (header[0] != 'B' || header[1] != 'M') return kErrNotBmp;
  const DWORD fileSize = Little32(header + 2);
  if (fileSize < kFileHeaderSize + kCoreHeaderSize) return kErrNotBmp;
  const DWORD packedSize = fileSize - kFileHeaderSize;
  if (packedSize > kMaxPackedBitmap) return kErrNotBmp;
  if (packedSize > source->Size() - kFileHeaderSize) return kErrRead;

  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, packedSize);
  if (!block) return kErrMemory;
  BYTE* bytes = static_cast<BYTE*>(GlobalLock(block));
  const bool read = bytes && source->Read(bytes, packedSize);
  const DWORD infoSize = read ? Little32(bytes) : 0;
  if (bytes) GlobalUnlock(block);
  if (!read || (infoSize != kInfoHeaderSize && infoSize != kCoreHeaderSize)) {
    GlobalFree(block);
    return read ? kErrNotBmp : kErrRead;
  }
  *dib = block;
  return 0;
}

LONG ShapeFromPackedBitmap(HGLOBAL dib, HBUF* shape) {
  HBUF buffer = 0;
  HPALETTE palette = 0;
  LONG dataType = 0;
  const BOOL converted = cvt32DIBToBuf(dib, &buffer, &palette, &dataType, 0);
  return FinishConversion(converted, buffer, palette, dataType, shape);
}

LONG LoadShapeFile(const char* path, HBUF* shape) {
  FileSource file(path);
  if (!file.open()) return kErrOpen;
  HGLOBAL dib = 0;
  if (LONG code = ReadPackedBitmap(&file, &dib)) return code;
  const LONG code = ShapeFromPackedBitmap(dib, shape);
  GlobalFree(dib);
  return code;
}

LONG LoadShapeResource(UINT id, HBUF* shape) {
  const HINSTANCE instance = effect::ModuleInstance();
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), RT_BITMAP);
  HGLOBAL loaded = found ? LoadResource(instance, found) : 0;
  const void* bits = loaded ? LockResource(loaded) : nullptr;
  if (!bits) return kErrNotBmp;
  HBUF buffer = 0;
  HPALETTE palette = 0;
  LONG dataType = 0;
  const BOOL converted = cvt32DIBPtrToBuf(bits, &buffer, &palette, &dataType, 0);
  return FinishConversion(converted, buffer, palette, dataType, shape);
}

LONG LoadRendererShape(const char* pathField, UINT resourceId, HBUF* shape) {
  *shape = 0;
  // A stored path field need not hold its terminator.
  char path[kPathSize + 1] = {};
  if (pathField) {
    const void* end = std::memchr(pathField, 0, kPathSize);
    const size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - pathField)
                              : static_cast<size_t>(kPathSize);
    std::memcpy(path, pathField, length);
  }
  if (!*path) return Fail(LoadShapeResource(resourceId, shape), 10);
  LONG code = LoadShapeFile(path, shape);
  // A file that is missing or cannot be read at its path may still lie in
  // the shapes folder beside the module. When that copy is missing too,
  // the failure of the named file is the one reported.
  char fallback[MAX_PATH];
  if (code && FallbackPath(path, fallback)) {
    const LONG fallbackCode = LoadShapeFile(fallback, shape);
    if (fallbackCode != kErrOpen) code = fallbackCode;
  }
  if (code == kErrOpen || code == kErrShapeMissing) {
    ReportMissingShape(path, 11);
    return kErrShapeMissing;
  }
  return Fail(code, 11);
}

}  // namespace texfx
