// Header reader: builds the file-data record of an open TPI file.
#include <cstring>
#include <vector>

#include "fileio.h"
#include "layout.h"
#include "module.h"
#include "operations.h"
#include "record.h"
#include "resources/resource.h"

namespace tpi {

namespace {

constexpr DWORD kHeaderRead = 58;
constexpr LONG kLayoutR565 = 0x35363552;  // the four bytes "R565"
constexpr LONG kMaxPixelsPerMetre = 2000000;
constexpr uint64_t kPreviewLimit = 1536000;
const HGLOBAL kFailedHard = static_cast<HGLOBAL>(-1);

// The image header in its long form, whatever form the file has.
struct ImageHeader {
  DWORD headerSize;
  LONG width;
  LONG height;
  WORD bits;
  LONG layoutTag;
  LONG xPixelsPerMetre;
  LONG yPixelsPerMetre;
  bool shortForm;
  DWORD pixelOffset;  // bytes 10 and 11 of the file
};

WORD Word(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
LONG Long(const BYTE* p) {
  return static_cast<LONG>(static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
                           (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24));
}

ImageHeader Unpack(const BYTE* b) {
  ImageHeader h = {};
  h.pixelOffset = Word(b + 10);
  h.headerSize = static_cast<DWORD>(Long(b + 14));
  h.shortForm = h.headerSize == 12;
  if (h.shortForm) {
    h.width = Word(b + 18);
    h.height = Word(b + 20);
    h.bits = Word(b + 24);
    return h;
  }
  h.width = Long(b + 18);
  h.height = Long(b + 22);
  h.bits = Word(b + 28);
  h.layoutTag = Long(b + 30);
  h.xPixelsPerMetre = Long(b + 38);
  h.yPixelsPerMetre = Long(b + 42);
  return h;
}

// The screen's logical pixels per inch on one axis, or 72 without a screen.
LONG ScreenPixelsPerInch(int index) {
  HDC screen = GetDC(0);
  if (!screen) return 72;
  const int perInch = GetDeviceCaps(screen, index);
  ReleaseDC(0, screen);
  return perInch > 0 ? perInch : 72;
}

LONG Resolution(LONG pixelsPerMetre, int axis) {
  if (pixelsPerMetre > 0 && pixelsPerMetre <= kMaxPixelsPerMetre) return pixelsPerMetre * 254;
  return ScreenPixelsPerInch(axis) * 10000;
}

// Data type, host bits and table entries of a file bit count; false when
// the module cannot read it.
bool MapBits(WORD bits, LONG* type, LONG* hostBits, LONG* entries) {
  switch (bits) {
    case 1: *type = TFD_TYPE_BW; *hostBits = 1; *entries = 2; return true;
    case 4: *type = TFD_TYPE_16; *hostBits = 8; *entries = 16; return true;
    case 8: *type = TFD_TYPE_256; *hostBits = 8; *entries = 256; return true;
    case 16: *type = TFD_TYPE_HICOLOR; *hostBits = 16; *entries = 0; return true;
    case 24:
    case 32: *type = TFD_TYPE_RGB; *hostBits = 24; *entries = 0; return true;
    default: return false;
  }
}

// Sizes within the module's limits (SizeWithinLimits).
bool SizeAcceptable(const ImageHeader& h, LONG hostBits) {
  return SizeWithinLimits(h.bits, static_cast<uint64_t>(hostBits), h.width, h.height);
}

unsigned Luminance(const PALETTEENTRY& e) {
  return ((299u * e.peRed + 587u * e.peGreen + 114u * e.peBlue) / 1000u) & 0xFF;
}

// Reads the colour table into a new palette; false on a short read or when
// the palette cannot be made. *greyRamp tells whether a 256-entry table is
// the grey ramp, *inverted whether a 2-entry table was turned to black, white.
bool ReadColourTable(HFILE file, DWORD offset, LONG entries, bool shortForm, HPALETTE* palette,
                     bool* greyRamp, bool* inverted) {
  const DWORD entrySize = shortForm ? 3 : 4;
  std::vector<BYTE> raw;
  std::vector<BYTE> block;
  try {
    raw.resize(entrySize * static_cast<DWORD>(entries));
    block.resize(sizeof(LOGPALETTE) + static_cast<size_t>(entries) * sizeof(PALETTEENTRY));
  } catch (...) {
    return false;
  }
  if (!SeekTo(file, offset) || !ReadExact(file, raw.data(), static_cast<DWORD>(raw.size())))
    return false;
  LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(block.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(entries);
  PALETTEENTRY* e = logical->palPalEntry;
  bool ramp = entries == 256;
  for (LONG i = 0; i < entries; ++i) {
    const BYTE* p = raw.data() + i * entrySize;
    e[i] = {p[2], p[1], p[0], 0};
    if (p[0] != i || p[1] != i || p[2] != i) ramp = false;
  }
  *greyRamp = ramp;
  *inverted = entries == 2 && Luminance(e[1]) < Luminance(e[0]);
  if (*inverted) {
    e[0] = {0, 0, 0, 0};
    e[1] = {255, 255, 255, 0};
  }
  *palette = CreatePalette(logical);
  return *palette != 0;
}

// True when the running host program's file name begins with "Album" or "QV".
bool HostWantsAllPreviews() {
  char path[MAX_PATH] = "";
  if (!GetModuleFileNameA(0, path, sizeof path)) return false;
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\') name = p + 1;
  char head[6];
  lstrcpynA(head, name, 6);
  if (lstrcmpiA(head, "Album") == 0) return true;
  lstrcpynA(head, name, 3);
  return lstrcmpiA(head, "QV") == 0;
}

void FillFixedValues(BYTE* r, const ImageHeader& h) {
  Put16(r, TFD_HOST_WORD1, 1);
  Put16(r, TFD_HOST_WORD2, 1);
  Put32(r, TFD_HOST_VALUE584, 1);
  Put32(r, TFD_PRIVATE_LENGTH, kPrivateLength);
  Put32(r, TFD_HOST_VALUE692, -1);
  std::memcpy(r + TFD_FORMAT_TAG, kFormatTag, sizeof kFormatTag);
  Put16(r, TFD_FORMAT_NUMBER, kFormatNumber);
  Put32(r, TFD_WIDTH, h.width);
  Put32(r, TFD_HEIGHT, h.height);
  Put32(r, TFD_XRES, Resolution(h.xPixelsPerMetre, LOGPIXELSX));
  Put32(r, TFD_YRES, Resolution(h.yPixelsPerMetre, LOGPIXELSY));
  Put32(r, TFD_READABLE, 1);
  Put32(r, TFD_PIXEL_OFFSET, static_cast<LONG>(h.pixelOffset));
  Put32(r, TFD_LONG_HEADER, h.shortForm ? 0 : 1);
}

void FillPreview(BYTE* r, LONG type) {
  Put32(r, TFD_PREVIEW, 1);
  Put32(r, TFD_PREVIEW_BITS, Get32(r, TFD_BITS));
  Put32(r, TFD_PREVIEW_WIDTH, -1);
  Put32(r, TFD_PREVIEW_HEIGHT, -1);
  Put32(r, TFD_PREVIEW_XRES, Get32(r, TFD_XRES));
  Put32(r, TFD_PREVIEW_YRES, Get32(r, TFD_YRES));
  Put32(r, TFD_PREVIEW_TYPE, type);
  const HPALETTE palette = static_cast<HPALETTE>(Get32(r, TFD_PALETTE));
  if (type != TFD_TYPE_BW && palette)
    Put32(r, TFD_PREVIEW_PALETTE, static_cast<LONG>(Misc().copyPalette(palette)));
}

// Checks the header; reports and returns false when the file is refused.
bool CheckHeader(HFILE file, const BYTE* bytes, DWORD got, ImageHeader* header) {
  if (got <= 26) {
    ReportError(kFnHeader, 1, 1, IDS_UNKNOWN_FORMAT);
    return false;
  }
  if (bytes[0] != 'T' || bytes[1] != 'A') {
    ReportError(kFnHeader, 1, 2, IDS_UNKNOWN_FORMAT);
    return false;
  }
  *header = Unpack(bytes);
  if (header->layoutTag != 0 && header->layoutTag != kLayoutR565) {
    ReportError(kFnHeader, 1, 3, IDS_UNKNOWN_FORMAT);
    return false;
  }
  LONG type = 0, hostBits = 0, entries = 0;
  if (!MapBits(header->bits, &type, &hostBits, &entries)) {
    ReportError(kFnHeader, 1, 5, IDS_UNSUPPORTED);
    return false;
  }
  if (!SizeAcceptable(*header, hostBits)) {
    ReportError(kFnHeader, 1, 6, IDS_UNSUPPORTED);
    return false;
  }
  uint64_t size = 0;
  if (!FileSize(file, &size) || header->pixelOffset >= size) {
    ReportError(kFnHeader, 1, 7, IDS_UNSUPPORTED);
    return false;
  }
  // A colour table cut short by the end of the file is found when the table
  // is read: it fails like a palette that cannot be made (result -1).
  return true;
}

// Maps the bit count into the record and reads the colour table. Returns
// false after reporting when the table cannot be read.
bool FillImageDescription(HFILE file, BYTE* r, const ImageHeader& h) {
  LONG type = 0, hostBits = 0, entries = 0;
  MapBits(h.bits, &type, &hostBits, &entries);
  Put32(r, TFD_BITS, hostBits);
  Put32(r, TFD_DATA_TYPE, type);
  if (h.bits == 16) Put32(r, TFD_LAYOUT16, h.layoutTag == kLayoutR565 ? 16 : 15);
  if (h.bits == 32) Put32(r, TFD_STORES32, 1);
  const LONG flag = type == TFD_TYPE_BW || type == TFD_TYPE_16 ? 0 : 1;
  Put32(r, TFD_HOST_FLAG1, flag);
  Put32(r, TFD_HOST_FLAG2, flag);
  if (!entries) return true;
  const DWORD tableOffset = h.shortForm ? 26 : 54;
  Put32(r, TFD_TABLE_OFFSET, static_cast<LONG>(tableOffset));
  Put32(r, TFD_TABLE_ENTRIES, entries);
  HPALETTE palette = 0;
  bool greyRamp = false, inverted = false;
  if (!ReadColourTable(file, tableOffset, entries, h.shortForm, &palette, &greyRamp, &inverted)) {
    ReportError(kFnHeader, 1, 8, IDS_NO_PALETTE);
    return false;
  }
  Put32(r, TFD_INVERT_BITS, inverted ? 1 : 0);
  if (greyRamp) {
    Put32(r, TFD_GREY_RAMP, 1);
    Put32(r, TFD_DATA_TYPE, TFD_TYPE_GREY);
    DeleteObject(palette);
  } else {
    Put32(r, TFD_PALETTE, static_cast<LONG>(palette));
  }
  return true;
}

}  // namespace

HGLOBAL ReadFileData(HFILE file) {
  BYTE bytes[kHeaderRead] = {};
  const DWORD got = SeekTo(file, 0) ? ReadSome(file, bytes, kHeaderRead) : 0;
  ImageHeader header;
  if (!CheckHeader(file, bytes, got, &header)) return 0;
  HGLOBAL handle = GlobalAlloc(GHND, TFD_RECORD_SIZE);
  BYTE* r = handle ? static_cast<BYTE*>(GlobalLock(handle)) : nullptr;
  if (!r) {
    if (handle) GlobalFree(handle);
    ReportError(kFnHeader, 1, 4, IDS_NO_GLOBAL_MEMORY);
    return kFailedHard;
  }
  FillFixedValues(r, header);
  if (!FillImageDescription(file, r, header)) {
    GlobalUnlock(handle);
    GlobalFree(handle);
    return kFailedHard;
  }
  const LONG type = Get32(r, TFD_DATA_TYPE);
  const uint64_t unpadded = RowBytes(static_cast<uint64_t>(Get32(r, TFD_BITS)),
                                     static_cast<uint64_t>(header.width)) *
                            static_cast<uint64_t>(header.height);
  if (unpadded < kPreviewLimit || HostWantsAllPreviews()) FillPreview(r, type);
  GlobalUnlock(handle);
  return handle;
}

}  // namespace tpi
