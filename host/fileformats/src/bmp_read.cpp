// Reading BMP files: the header reader and the full-size row read, for
// uncompressed (1, 4, 8, 16, 24, 32 bits, bitfields, top-down, core
// headers) and run-length encoded (RLE8, RLE4) files.
#include <fileformats.h>

#include <algorithm>
#include <vector>

#include "bmp.h"
#include "bmp_layout.h"
#include "bmp_rle.h"
#include "errors.h"
#include "fileio.h"
#include "palette.h"
#include "record.h"
#include "scaled.h"

namespace tf {

namespace {

constexpr char kBmpTag[4] = {'B', 'M', 'P', 'F'};

// Reads and parses the headers of an open file; 0 or a detail code.
int ReadLayout(HFILE file, BmpLayout* layout) {
  DWORD fileSize = FileSizeOf(file);
  std::vector<BYTE> head(kBmpHeadBytes);
  DWORD got = ReadAt(file, 0, head.data(), kBmpHeadBytes);
  return ParseBmpLayout(head.data(), got, fileSize, layout);
}

LONG CompressionCode(const BmpLayout& layout) {
  switch (layout.compression) {
    case kBmpRle8: return TF_COMPRESS_RLE8;
    case kBmpRle4: return TF_COMPRESS_RLE4;
    case kBmpBitfields:
    case kBmpAlphaBitfields: return TF_COMPRESS_BITFIELDS;
    default: return TF_COMPRESS_NONE;
  }
}

// Hands rows of the transfer rectangle to the callback with the flags of
// the protocol: 1 each, 4 on the first delivered, 2 on the last.
class RowDelivery {
 public:
  RowDelivery(const BmpLayout& layout, TFTRANSFER* transfer, TFREADCALLBACK callback)
      : layout_(layout), transfer_(transfer), callback_(callback), host_(static_cast<size_t>(layout.hostRowBytes) + 4) {}

  bool Wants(LONG imageRow) const {
    return imageRow >= transfer_->top && imageRow < transfer_->top + transfer_->rows;
  }

  BYTE* HostRow() { return host_.data(); }

  // Delivers the converted row; false when the callback stopped (result kept).
  bool Deliver(LONG imageRow) {
    ++delivered_;
    LONG flags = TF_ROW_EVERY;
    if (delivered_ == 1) flags |= TF_ROW_FIRST;
    if (delivered_ == transfer_->rows) flags |= TF_ROW_LAST;
    LONG offset = layout_.hostBits == 1 ? 0 : transfer_->left * (layout_.hostBits / 8);
    BYTE* rows[1] = {host_.data() + offset};
    result_ = callback_(transfer_, transfer_->left, imageRow, transfer_->width, 1, rows, flags, -1, 7);
    return result_ > 0;
  }

  LONG result() const { return result_; }

 private:
  const BmpLayout& layout_;
  TFTRANSFER* transfer_;
  TFREADCALLBACK callback_;
  std::vector<BYTE> host_;
  LONG delivered_ = 0;
  LONG result_ = 1;
};

LONG ReadUncompressed(HFILE file, const BmpLayout& layout, RowDelivery& delivery, const TFTRANSFER& t) {
  std::vector<BYTE> stored(layout.stride);
  // Walk the rectangle's rows in file order, so the file is read forwards.
  for (LONG i = 0; i < t.rows; ++i) {
    LONG imageRow = layout.topDown ? t.top + i : t.top + t.rows - 1 - i;
    LONG fileRow = layout.topDown ? imageRow : layout.height - 1 - imageRow;
    DWORD offset = layout.pixelOffset + static_cast<DWORD>(fileRow) * layout.stride;
    if (ReadAt(file, offset, stored.data(), layout.stride) != layout.stride) {
      Report(kErrRead, TF_OP_READ, 2);
      return 0;
    }
    BmpRowToHost(layout, stored.data(), delivery.HostRow());
    if (!delivery.Deliver(imageRow)) return delivery.result();
  }
  return 1;
}

LONG ReadRle(HFILE file, const BmpLayout& layout, RowDelivery& delivery) {
  DWORD fileSize = FileSizeOf(file);
  if (!SeekTo(file, layout.pixelOffset)) {
    Report(kErrRead, TF_OP_READ, 3);
    return 0;
  }
  std::vector<BYTE> chunk(65536);
  DWORD have = 0, at = 0, left = fileSize - layout.pixelOffset;
  ByteSource next = [&](BYTE* byte) {
    if (at == have) {
      if (left == 0) return false;
      DWORD want = left < chunk.size() ? left : static_cast<DWORD>(chunk.size());
      DWORD got = 0;
      if (!ReadFile(file, chunk.data(), want, &got, nullptr) || got == 0) return false;
      have = got;
      at = 0;
      left -= got;
    }
    *byte = chunk[at++];
    return true;
  };
  RowSink sink = [&](LONG fileRow, const BYTE* indices) {
    LONG imageRow = layout.height - 1 - fileRow;
    if (!delivery.Wants(imageRow)) return true;
    std::copy(indices, indices + layout.width, delivery.HostRow());
    return delivery.Deliver(imageRow);
  };
  if (!DecodeBmpRle(layout.width, layout.height, layout.compression == kBmpRle4, next, sink))
    return delivery.result();
  return 1;
}

}  // namespace

HGLOBAL WINAPI BmpGetFileData(HFILE file, LONG, LONG, LONG) {
  BmpLayout layout;
  if (int detail = ReadLayout(file, &layout)) {
    Report(kErrNotImage, TF_OP_GETFILEDATA, detail);
    return 0;
  }
  HGLOBAL handle = NewRecord(TF_FILEDATA_SIZE);
  TFFILEDATA* record = handle ? LockRecord(handle) : nullptr;
  if (!record) {
    if (handle) GlobalFree(handle);
    Report(kErrMemory, TF_OP_GETFILEDATA, 10);
    return static_cast<HGLOBAL>(-1);
  }
  record->width = layout.width;
  record->height = layout.height;
  record->bitsPerPixel = layout.hostBits;
  record->dataType = layout.dataType;
  record->xResolution = ResolutionFromPerMetre(layout.xPerMetre);
  record->yResolution = ResolutionFromPerMetre(layout.yPerMetre);
  record->compression = CompressionCode(layout);
  FillHostValues(record);
  SetFormatTag(record, kBmpTag, TF_FORMAT_NUMBER_BMP);
  if (layout.bits <= 8 && layout.dataType != TF_DT_GREY) {
    record->palette = MakePalette(layout.palette, layout.entries);
    if (!record->palette) {
      GlobalUnlock(handle);
      GlobalFree(handle);
      Report(kErrMemory, TF_OP_GETFILEDATA, 11);
      return static_cast<HGLOBAL>(-1);
    }
  }
  GlobalUnlock(handle);
  return handle;
}

// True when the file still has the size and type the record describes (the
// rows then fit the host's buffer).
static bool MatchesRecord(const BmpLayout& layout, HGLOBAL handle) {
  TFFILEDATA* record = LockRecord(handle);
  if (!record) return false;
  bool same = record->width == layout.width && record->height == layout.height && record->dataType == layout.dataType;
  GlobalUnlock(handle);
  return same;
}

static LONG FullSizeBmpRead(HFILE file, HGLOBAL record, TFTRANSFER* transfer, TFREADCALLBACK callback) {
  BmpLayout layout;
  if (int detail = ReadLayout(file, &layout)) {
    Report(kErrNotImage, TF_OP_READ, detail);
    return 0;
  }
  if (!MatchesRecord(layout, record)) {
    Report(kErrRead, TF_OP_READ, 9);
    return 0;
  }
  if (!transfer || !callback || transfer->scaled || transfer->left < 0 || transfer->top < 0 ||
      transfer->width <= 0 || transfer->rows <= 0 || transfer->left > layout.width - transfer->width ||
      transfer->top > layout.height - transfer->rows) {
    Report(kErrCannotServe, TF_OP_READ, 1);
    return 0;
  }
  RowDelivery delivery(layout, transfer, callback);
  if (layout.compression == kBmpRle8 || layout.compression == kBmpRle4) return ReadRle(file, layout, delivery);
  return ReadUncompressed(file, layout, delivery, *transfer);
}

LONG WINAPI BmpFileRead(HFILE file, LONG, HGLOBAL record, TFTRANSFER* transfer, TFREADCALLBACK callback, LONG) {
  if (transfer && transfer->scaled) return ScaledRead(file, record, transfer, callback, FullSizeBmpRead);
  return FullSizeBmpRead(file, record, transfer, callback);
}

}  // namespace tf
