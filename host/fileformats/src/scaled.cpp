// The scaled read of the built-in formats.
#include "scaled.h"

#include <fileformats.h>

#include <cstring>
#include <vector>

#include "errors.h"
#include "record.h"

namespace tf {

namespace {

constexpr uint64_t kMaxScaledPixels = uint64_t{1} << 26;

struct Collector {
  TFTRANSFER transfer;  // first: the callback finds the collector through it
  std::vector<BYTE>* pixels;
  size_t rowBytes;
  LONG height;
};

LONG WINAPI CollectRow(TFTRANSFER* transfer, LONG, LONG row, LONG, LONG rows, BYTE** rowPointers, LONG, LONG, LONG) {
  Collector* collector = reinterpret_cast<Collector*>(transfer);
  if (!rowPointers || rows < 1 || row < 0 || row > collector->height - rows) return 0;
  for (LONG i = 0; i < rows; ++i)
    std::memcpy(collector->pixels->data() + static_cast<size_t>(row + i) * collector->rowBytes, rowPointers[i],
                collector->rowBytes);
  return 1;
}

void SampleRow(const BYTE* source, LONG bits, LONG width, LONG scaledWidth, BYTE* out) {
  LONG bytes = bits / 8;
  for (LONG x = 0; x < scaledWidth; ++x) {
    LONG from = static_cast<LONG>(static_cast<int64_t>(x) * width / scaledWidth);
    if (bits == 1) {
      BYTE bit = (source[from / 8] >> (7 - from % 8)) & 1;
      if (bit) out[x / 8] = static_cast<BYTE>(out[x / 8] | (0x80 >> (x % 8)));
    } else {
      std::memcpy(out + static_cast<size_t>(x) * bytes, source + static_cast<size_t>(from) * bytes,
                  static_cast<size_t>(bytes));
    }
  }
}

}  // namespace

LONG ScaledRead(HFILE file, HGLOBAL handle, TFTRANSFER* transfer, TFREADCALLBACK callback, FullSizeRead read) {
  TFFILEDATA* record = LockRecord(handle);
  if (!record) {
    Report(kErrCannotServe, TF_OP_READ, 80);
    return 0;
  }
  LONG width = record->width, height = record->height, bits = HostBitsFor(record->dataType);
  GlobalUnlock(handle);
  LONG sw = transfer->scaledWidth, sh = transfer->scaledHeight;
  if (!callback || bits == 0 || width <= 0 || height <= 0 || sw <= 0 || sh <= 0 || sw > kMaxScaledSide ||
      sh > kMaxScaledSide || static_cast<uint64_t>(sw) * static_cast<uint64_t>(sh) > kMaxScaledPixels) {
    Report(kErrCannotServe, TF_OP_READ, 81);
    return 0;
  }
  size_t rowBytes = bits == 1 ? static_cast<size_t>(width + 7) / 8 : static_cast<size_t>(width) * (bits / 8);
  std::vector<BYTE> pixels(rowBytes * static_cast<size_t>(height));
  Collector collector = {};
  collector.transfer.width = width;
  collector.transfer.rows = height;
  collector.pixels = &pixels;
  collector.rowBytes = rowBytes;
  collector.height = height;
  LONG result = read(file, handle, &collector.transfer, CollectRow);
  if (result != 1) {
    ReportIfClear(kErrRead, TF_OP_READ, 82);
    return result > 0 ? 0 : result;
  }
  size_t outRowBytes = bits == 1 ? static_cast<size_t>(sw + 7) / 8 : static_cast<size_t>(sw) * (bits / 8);
  std::vector<BYTE> scaled(outRowBytes * static_cast<size_t>(sh), 0);
  std::vector<BYTE*> rows(static_cast<size_t>(sh));
  for (LONG y = 0; y < sh; ++y) {
    LONG from = static_cast<LONG>(static_cast<int64_t>(y) * height / sh);
    rows[static_cast<size_t>(y)] = scaled.data() + static_cast<size_t>(y) * outRowBytes;
    SampleRow(pixels.data() + static_cast<size_t>(from) * rowBytes, bits, width, sw, rows[static_cast<size_t>(y)]);
  }
  return callback(transfer, 0, 0, sw, sh, rows.data(), 0, 0, 0);
}

}  // namespace tf
