// Writing BMP files: 1, 4, 8 or 24 bits per pixel, uncompressed, bottom-up,
// with the 40-byte header. The headers are written on every call and each
// call writes the rows of its rectangle in their place, so an image may be
// written band by band.
#include <fileformats.h>

#include <cstring>
#include <vector>

#include "bmp.h"
#include "errors.h"
#include "fileio.h"
#include "palette.h"
#include "record.h"

namespace tf {

namespace {

constexpr char kBmpTag[4] = {'B', 'M', 'P', 'F'};

struct WriteShape {
  int bits = 24;        // stored bits per pixel
  int entries = 0;      // colour-table entries
  DWORD rowBytes = 0;   // stored row without padding
  DWORD stride = 0;
  DWORD pixelOffset = 0;
  uint64_t fileSize = 0;
};

WriteShape ShapeFor(LONG dataType, LONG width, LONG height) {
  WriteShape shape;
  switch (dataType) {
    case TF_DT_BW: shape.bits = 1; shape.entries = 2; break;
    case TF_DT_INDEXED16: shape.bits = 4; shape.entries = 16; break;
    case TF_DT_INDEXED256:
    case TF_DT_GREY: shape.bits = 8; shape.entries = 256; break;
    default: shape.bits = 24; break;
  }
  shape.rowBytes = static_cast<DWORD>((static_cast<uint64_t>(shape.bits) * static_cast<uint64_t>(width) + 7) / 8);
  shape.stride = (shape.rowBytes + 3) & ~3u;
  shape.pixelOffset = 54 + 4 * static_cast<DWORD>(shape.entries);
  shape.fileSize = shape.pixelOffset + static_cast<uint64_t>(shape.stride) * static_cast<uint64_t>(height);
  return shape;
}

void Put16(BYTE* p, DWORD v) { p[0] = static_cast<BYTE>(v); p[1] = static_cast<BYTE>(v >> 8); }
void Put32(BYTE* p, DWORD v) { Put16(p, v); Put16(p + 2, v >> 16); }

bool WriteHeaders(HFILE file, const TFFILEDATA& record, const WriteShape& shape) {
  std::vector<BYTE> head(shape.pixelOffset, 0);
  head[0] = 'B';
  head[1] = 'M';
  Put32(&head[2], static_cast<DWORD>(shape.fileSize));
  Put32(&head[10], shape.pixelOffset);
  Put32(&head[14], 40);
  Put32(&head[18], static_cast<DWORD>(record.width));
  Put32(&head[22], static_cast<DWORD>(record.height));
  Put16(&head[26], 1);
  Put16(&head[28], static_cast<DWORD>(shape.bits));
  Put32(&head[34], static_cast<DWORD>(shape.fileSize - shape.pixelOffset));
  Put32(&head[38], static_cast<DWORD>(PerMetreFromResolution(record.xResolution)));
  Put32(&head[42], static_cast<DWORD>(PerMetreFromResolution(record.yResolution)));
  Put32(&head[46], static_cast<DWORD>(shape.entries));
  if (shape.entries) {
    BYTE table[256][3] = {};
    bool fromPalette = record.dataType != TF_DT_GREY &&
                       ReadPalette(static_cast<HPALETTE>(record.palette), table, shape.entries) > 0;
    if (!fromPalette) GreyRamp(table, shape.entries);
    for (int i = 0; i < shape.entries; ++i) {
      BYTE* entry = &head[54 + 4 * i];
      entry[0] = table[i][2];
      entry[1] = table[i][1];
      entry[2] = table[i][0];
    }
  }
  return SeekTo(file, 0) && WriteAll(file, head.data(), static_cast<DWORD>(head.size()));
}

// Host row to stored row for the rectangle's pixels.
void StoreRow(LONG dataType, const BYTE* host, LONG width, BYTE* stored) {
  switch (dataType) {
    case TF_DT_BW:
      std::memcpy(stored, host, static_cast<size_t>((width + 7) / 8));
      break;
    case TF_DT_INDEXED16:
      for (LONG x = 0; x < width; ++x) {
        BYTE nibble = host[x] & 0x0F;
        stored[x / 2] = (x & 1) ? static_cast<BYTE>(stored[x / 2] | nibble) : static_cast<BYTE>(nibble << 4);
      }
      break;
    case TF_DT_INDEXED256:
    case TF_DT_GREY:
      std::memcpy(stored, host, static_cast<size_t>(width));
      break;
    case TF_DT_HICOLOR:
      for (LONG x = 0; x < width; ++x, stored += 3) {
        DWORD w = static_cast<DWORD>(host[2 * x] | (host[2 * x + 1] << 8));
        DWORD r = (w >> 10) & 31, g = (w >> 5) & 31, b = w & 31;
        stored[0] = static_cast<BYTE>((b << 3) | (b >> 2));
        stored[1] = static_cast<BYTE>((g << 3) | (g >> 2));
        stored[2] = static_cast<BYTE>((r << 3) | (r >> 2));
      }
      break;
    default:
      for (LONG x = 0; x < width; ++x, host += 3, stored += 3) {
        stored[0] = host[2];
        stored[1] = host[1];
        stored[2] = host[0];
      }
      break;
  }
}

// Whole-row types are always written from the row's first pixel.
bool WholeRows(LONG dataType) { return dataType == TF_DT_BW || dataType == TF_DT_INDEXED16; }

LONG WriteRows(HFILE file, const TFFILEDATA& record, const WriteShape& shape, TFTRANSFER* t,
               TFWRITECALLBACK callback) {
  bool whole = WholeRows(record.dataType);
  LONG left = whole ? 0 : t->left;
  LONG width = whole ? record.width : t->width;
  LONG storedBytesPerPixel = shape.bits / 8;
  std::vector<BYTE> stored(shape.stride, 0);
  for (LONG i = 0; i < t->rows; ++i) {
    LONG imageRow = t->top + t->rows - 1 - i;  // bottom row of the rectangle first: file order
    LONG flags = TF_ROW_EVERY | (i == 0 ? TF_ROW_FIRST : 0) | (i == t->rows - 1 ? TF_ROW_LAST : 0);
    BYTE** row = callback(t, t->left, imageRow, t->width, 1, flags, -1, 7);
    if (row == TF_WRITE_CANCELLED) return -1;
    if (!row || !*row) return 0;
    DWORD fileRow = static_cast<DWORD>(record.height - 1 - imageRow);
    DWORD offset = shape.pixelOffset + fileRow * shape.stride;
    if (whole) {
      std::memset(stored.data(), 0, stored.size());
      StoreRow(record.dataType, *row, width, stored.data());
      if (!SeekTo(file, offset) || !WriteAll(file, stored.data(), shape.stride)) return 0;
      continue;
    }
    StoreRow(record.dataType, *row, width, stored.data());
    DWORD skip = static_cast<DWORD>(left * storedBytesPerPixel);
    DWORD length = static_cast<DWORD>(width * storedBytesPerPixel);
    if (!SeekTo(file, offset + skip) || !WriteAll(file, stored.data(), length)) return 0;
    // The row's padding, so that the file reaches its full length.
    DWORD end = offset + shape.rowBytes;
    if (offset + skip + length == end && shape.stride > shape.rowBytes) {
      BYTE pad[4] = {};
      if (!WriteAll(file, pad, shape.stride - shape.rowBytes)) return 0;
    }
  }
  return 1;
}

}  // namespace

LONG WINAPI BmpFileWrite(HFILE file, HGLOBAL handle, TFTRANSFER* transfer, TFWRITECALLBACK callback) {
  TFFILEDATA* record = LockRecord(handle);
  if (!record) {
    Report(kErrCannotServe, TF_OP_WRITE, 1);
    return 0;
  }
  static const TFTRANSFER kNone = {};
  const TFTRANSFER& t = transfer ? *transfer : kNone;
  if (!transfer || !callback || record->width <= 0 || record->height <= 0 || t.left < 0 || t.top < 0 || t.width <= 0 ||
      t.rows <= 0 || t.left > record->width - t.width || t.top > record->height - t.rows) {
    GlobalUnlock(handle);
    Report(kErrCannotServe, TF_OP_WRITE, 2);
    return 0;
  }
  WriteShape shape = ShapeFor(record->dataType, record->width, record->height);
  if (shape.fileSize > 0x7FFFFFFFu) {
    GlobalUnlock(handle);
    Report(kErrCannotServe, TF_OP_WRITE, 3);
    return 0;
  }
  if (!WriteHeaders(file, *record, shape)) {
    GlobalUnlock(handle);
    Report(kErrWrite, TF_OP_WRITE, 4);
    return 0;
  }
  LONG result = WriteRows(file, *record, shape, transfer, callback);
  if (result == 0) ReportIfClear(kErrWrite, TF_OP_WRITE, 5);
  if (result == 1) {
    SetFormatTag(record, kBmpTag, TF_FORMAT_NUMBER_BMP);
    record->readable = 1;
    record->compression = TF_COMPRESS_NONE;
    record->bitsPerPixel = HostBitsFor(record->dataType);
  }
  GlobalUnlock(handle);
  return result;
}

}  // namespace tf
