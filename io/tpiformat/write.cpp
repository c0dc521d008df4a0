// Writer: a TPI file with the long header from any file-data record, rows
// pulled from the host one at a time.
#include <cstring>

#include "convert.h"
#include "fileio.h"
#include "layout.h"
#include "module.h"
#include "operations.h"
#include "record.h"
#include "resources/resource.h"

namespace tpi {

namespace {

constexpr LONG kMaxWriteDimension = 65535;

// What the file gets for the record's data type.
struct WriteFormat {
  LONG type;
  int bits;          // file bits per pixel
  int entries;       // colour-table entries
  int bytesPerPixel; // host bytes per pixel of the rectangle; 0: whole rows
  uint64_t rowBytes; // unpadded file row
  uint64_t stride;
  uint64_t imageSize;
  DWORD pixelOffset;
};

WriteFormat FormatFor(LONG type, LONG width, LONG height) {
  WriteFormat f = {type, 24, 0, 3, 0, 0, 0, 0};
  switch (type) {
    case TFD_TYPE_256:
    case TFD_TYPE_GREY: f.bits = 8; f.entries = 256; f.bytesPerPixel = 1; break;
    case TFD_TYPE_HICOLOR: f.bits = 16; f.bytesPerPixel = 2; break;
    case TFD_TYPE_16: f.bits = 4; f.entries = 16; f.bytesPerPixel = 0; break;
    case TFD_TYPE_BW: f.bits = 1; f.entries = 2; f.bytesPerPixel = 0; break;
    default: f.type = TFD_TYPE_RGB; break;
  }
  f.rowBytes = RowBytes(static_cast<uint64_t>(f.bits), static_cast<uint64_t>(width));
  f.stride = Stride(static_cast<uint64_t>(f.bits), static_cast<uint64_t>(width));
  f.imageSize = f.stride * static_cast<uint64_t>(height);
  f.pixelOffset = 54 + 4 * static_cast<DWORD>(f.entries);
  return f;
}

void Put16At(BYTE* p, WORD v) { std::memcpy(p, &v, 2); }
void Put32At(BYTE* p, DWORD v) { std::memcpy(p, &v, 4); }

DWORD PixelsPerMetre(LONG resolution) { return (static_cast<DWORD>(resolution) + 127u) / 254u; }

// The 14-byte file header and the 40-byte long header.
bool WriteHeaders(HFILE file, const BYTE* r, const WriteFormat& f, LONG width, LONG height) {
  BYTE header[54] = {};
  header[0] = 'T';
  header[1] = 'A';
  Put32At(header + 2, static_cast<DWORD>(f.pixelOffset + f.imageSize));
  Put32At(header + 10, f.pixelOffset);
  if (!SeekTo(file, 0) || !WriteExact(file, header, 14)) {
    ReportError(kFnWrite, 3, 3, IDS_WRITE_ERROR);
    return false;
  }
  BYTE* info = header + 14;
  Put32At(info, 40);
  Put32At(info + 4, static_cast<DWORD>(width) & 0xFFFF);
  Put32At(info + 8, static_cast<DWORD>(height) & 0xFFFF);
  Put16At(info + 12, 1);
  Put16At(info + 14, static_cast<WORD>(f.bits));
  Put32At(info + 20, static_cast<DWORD>(f.imageSize));
  Put32At(info + 24, PixelsPerMetre(Get32(r, TFD_XRES)));
  Put32At(info + 28, PixelsPerMetre(Get32(r, TFD_YRES)));
  if (!WriteExact(file, info, 40)) {
    ReportError(kFnWrite, 3, 4, IDS_WRITE_ERROR);
    return false;
  }
  return true;
}

// The colour table: grey ramp for grey records, the palette's first entries
// when there is one, else black and white or the grey ramp.
bool WriteColourTable(HFILE file, const BYTE* r, const WriteFormat& f) {
  if (!f.entries) return true;
  BYTE table[256 * 4] = {};
  const HPALETTE palette = static_cast<HPALETTE>(Get32(r, TFD_PALETTE));
  PALETTEENTRY entries[256] = {};
  const bool fromPalette =
      f.type != TFD_TYPE_GREY && palette &&
      GetPaletteEntries(palette, 0, static_cast<UINT>(f.entries), entries) > 0;
  for (int i = 0; i < f.entries; ++i) {
    BYTE* e = table + 4 * i;
    if (fromPalette) {
      e[0] = entries[i].peBlue;
      e[1] = entries[i].peGreen;
      e[2] = entries[i].peRed;
    } else {
      const BYTE level = f.entries == 2 ? static_cast<BYTE>(i * 255) : static_cast<BYTE>(i);
      e[0] = e[1] = e[2] = level;
    }
  }
  if (!WriteExact(file, table, 4 * static_cast<DWORD>(f.entries))) {
    ReportError(kFnWrite, 3, 6, IDS_WRITE_ERROR);
    return false;
  }
  return true;
}

// Step 1: the record becomes a TPI record of at least 777 bytes.
bool MakeTpiRecord(HGLOBAL handle) {
  if (GlobalSize(handle) < TFD_RECORD_SIZE &&
      !GlobalReAlloc(handle, TFD_RECORD_SIZE, GMEM_MOVEABLE | GMEM_ZEROINIT)) {
    ReportError(kFnWrite, 2, 1, IDS_NO_GLOBAL_MEMORY);
    return false;
  }
  LockedRecord record(handle);
  BYTE* r = record.data();
  if (!r) {
    ReportError(kFnWrite, 2, 1, IDS_NO_GLOBAL_MEMORY);
    return false;
  }
  Put32(r, TFD_PRIVATE_LENGTH, kPrivateLength);
  std::memcpy(r + TFD_FORMAT_TAG, kFormatTag, sizeof kFormatTag);
  Put16(r, TFD_FORMAT_NUMBER, kFormatNumber);
  Put32(r, TFD_READABLE, 1);
  Put32(r, TFD_HOST_FLAG1, 0);
  Put32(r, TFD_HOST_FLAG2, 0);
  Put32(r, TFD_LONG_HEADER, 1);
  return true;
}

// Writes the rectangle's rows, bottom row first. Returns 1, 0 or -1.
LONG WriteRows(HFILE file, const WriteFormat& f, LONG height, const TFTRANSFER* t,
               TFWRITEROWS callback) {
  LockedBlock buffer;
  // Black-and-white rows go through the padded buffer too: the host's row is
  // only its unpadded bytes long, the file row a whole stride.
  if (f.type == TFD_TYPE_RGB || f.bytesPerPixel == 0) {
    const LockedBlock::Result got = buffer.Allocate(f.stride + 2);
    if (got != LockedBlock::kOk) {
      ReportError(kFnWrite, 5, got == LockedBlock::kNoMemory ? 1 : 2, IDS_NO_GLOBAL_MEMORY);
      return 0;
    }
  }
  const LONG firstRow = height - t->top - t->rows;
  if (!SeekTo(file, f.pixelOffset + static_cast<uint64_t>(firstRow) * f.stride)) {
    ReportError(kFnWrite, 5, 4, IDS_WRITE_ERROR);
    return 0;
  }
  const uint64_t pad = f.stride - f.rowBytes;
  const uint64_t skip = static_cast<uint64_t>(t->left) * static_cast<uint64_t>(f.bytesPerPixel);
  const uint64_t length = static_cast<uint64_t>(t->width) * static_cast<uint64_t>(f.bytesPerPixel);
  const uint64_t tail = f.rowBytes - length - skip;
  static const BYTE kZeros[4] = {};
  for (LONG c = firstRow; c < firstRow + t->rows; ++c) {
    LONG flags = TF_ROW_ANY;
    if (c == t->top) flags |= TF_ROW_FIRST;
    if (c == t->top + t->rows - 1) flags |= TF_ROW_LAST;
    BYTE** answer = callback(const_cast<TFTRANSFER*>(t), t->left, (height - 1 - c) & 0xFFFF,
                             t->width, 1, flags, -1, 7);
    if (!answer) return 0;
    if (answer == TF_WRITE_CANCELLED) return -1;
    const BYTE* host = *answer;
    bool ok;
    if (f.bytesPerPixel == 0) {
      if (f.type == TFD_TYPE_16)
        PackNibbles(buffer.data(), host, static_cast<size_t>(t->width));
      else
        std::memcpy(buffer.data(), host, static_cast<size_t>(f.rowBytes));
      ok = WriteExact(file, buffer.data(), static_cast<DWORD>(f.stride));
    } else {
      const BYTE* out = host;
      if (f.type == TFD_TYPE_RGB) {
        SwapRedBlueCopy(buffer.data(), host, static_cast<size_t>(t->width));
        out = buffer.data();
      }
      ok = SeekBy(file, static_cast<int64_t>(skip)) && WriteExact(file, out, static_cast<DWORD>(length));
      if (ok && c == height - 1)
        ok = SeekBy(file, static_cast<int64_t>(tail)) && WriteExact(file, kZeros, static_cast<DWORD>(pad));
      else if (ok)
        ok = SeekBy(file, static_cast<int64_t>(tail + pad));
    }
    if (!ok) {
      ReportError(kFnWrite, 5, 4, IDS_WRITE_ERROR);
      return 0;
    }
  }
  return 1;
}

// Step 11: the record describes the file just written.
void DescribeWrittenFile(BYTE* r, const WriteFormat& f) {
  const LONG flag = f.type == TFD_TYPE_BW || f.type == TFD_TYPE_16 ? 0 : 1;
  Put32(r, TFD_READABLE, 1);
  Put32(r, TFD_PREVIEW, 0);
  Put32(r, TFD_HOST_FLAG1, flag);
  Put32(r, TFD_HOST_FLAG2, flag);
  Put32(r, TFD_PRIVATE_LENGTH, kPrivateLength);
  Put32(r, TFD_STORAGE_KIND, 0);
  Put32(r, TFD_HOST_VALUE584, 1);
  Put32(r, TFD_TABLE_OFFSET, f.entries ? 54 : 0);
  Put32(r, TFD_PIXEL_OFFSET, static_cast<LONG>(f.pixelOffset));
  Put32(r, TFD_TABLE_ENTRIES, f.entries);
  Put32(r, TFD_RESERVED748, 0);
  Put32(r, TFD_LAYOUT16, f.type == TFD_TYPE_HICOLOR ? 15 : 0);
  Put32(r, TFD_STORES32, 0);
  Put32(r, TFD_INVERT_BITS, 0);
  Put32(r, TFD_GREY_RAMP, f.type == TFD_TYPE_GREY ? 1 : 0);
}

bool RectangleInside(const TFTRANSFER& t, LONG width, LONG height) {
  return t.left >= 0 && t.width > 0 && t.left <= width - t.width && t.top >= 0 && t.rows > 0 &&
         t.top <= height - t.rows;
}

}  // namespace

LONG WriteImage(HFILE file, HGLOBAL handle, const TFTRANSFER* t, TFWRITEROWS callback) {
  if (!handle || GlobalSize(handle) < TFD_COMMON_SIZE) {
    ReportError(kFnWrite, 1, 1, IDS_BAD_PARAMETER);
    return 0;
  }
  if (!MakeTpiRecord(handle)) return 0;
  WriteFormat f;
  LONG width = 0, height = 0;
  {
    LockedRecord record(handle);
    BYTE* r = record.data();
    width = Get32(r, TFD_WIDTH);
    height = Get32(r, TFD_HEIGHT);
    if (width < 1 || height < 1 || width > kMaxWriteDimension || height > kMaxWriteDimension) {
      ReportError(kFnWrite, 1, 1, IDS_BAD_PARAMETER);
      return 0;
    }
    if (!t || !callback || !RectangleInside(*t, width, height)) {
      ReportError(kFnWrite, 1, 2, IDS_BAD_PARAMETER);
      return 0;
    }
    f = FormatFor(Get32(r, TFD_DATA_TYPE), width, height);
    if (!WriteHeaders(file, r, f, width, height) || !WriteColourTable(file, r, f)) return 0;
  }
  const LONG result = WriteRows(file, f, height, t, callback);
  if (result != 1) return result;
  if (!GlobalReAlloc(handle, TFD_RECORD_SIZE, GMEM_MOVEABLE | GMEM_ZEROINIT)) {
    ReportError(kFnWrite, 3, 7, IDS_NO_GLOBAL_MEMORY);
    return 0;
  }
  LockedRecord record(handle);
  if (!record.data()) {
    ReportError(kFnWrite, 3, 7, IDS_NO_GLOBAL_MEMORY);
    return 0;
  }
  DescribeWrittenFile(record.data(), f);
  return 1;
}

}  // namespace tpi
