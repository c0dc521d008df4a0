// Preview reader: fills a small image by taking every n-th row and column.
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

// Bytes per pixel of a preview row: 3 for hi-colour and true colour, else 1.
size_t PreviewBytes(const Layout& l) { return l.fileBits >= 16 ? 3 : 1; }

// Allocates the file row and, where the conversion needs one, the second
// buffer; reports and returns false on failure.
bool AllocatePreviewBuffers(const Layout& l, LockedBlock* row, LockedBlock* second) {
  if (row->Allocate(l.stride + 2) != LockedBlock::kOk) {
    ReportError(kFnPreview, 2, 1, IDS_NO_GLOBAL_MEMORY);
    return false;
  }
  uint64_t bytes = 0;
  LONG point = 0;
  switch (l.fileBits) {
    // A 16-colour row expands to one byte per pixel, up to twice its stride:
    // the buffer holds the whole expanded row.
    case 4: bytes = 2 * l.stride + 2; point = 2; break;
    case 32: bytes = l.stride + 2; point = 2; break;
    case 1: bytes = 8 * l.stride + 2; point = 3; break;
    case 16: bytes = (l.stride / 2) * 3 + 2; point = 4; break;
    default: return true;
  }
  if (second->Allocate(bytes) != LockedBlock::kOk) {
    ReportError(kFnPreview, 2, point, IDS_NO_GLOBAL_MEMORY);
    return false;
  }
  return true;
}

// Converts a taken file row for the preview; returns the converted row.
const BYTE* ConvertForPreview(const Layout& l, BYTE* fileRow, BYTE* second) {
  const size_t pixels = static_cast<size_t>(l.width);
  const LONG count = static_cast<LONG>(l.width);
  switch (l.fileBits) {
    case 24: SwapRedBlue(fileRow, pixels); return fileRow;
    case 32: DropFirstOfFour(second, fileRow, pixels); return second;
    case 4: ExpandNibbles(second, fileRow, pixels); return second;
    case 16:
      WordsToGreenWords(fileRow, pixels, l.is565);
      Misc().greenWordsToRgb(second, fileRow, count);
      return second;
    case 1:
      if (l.invert) Misc().invertBits(fileRow, fileRow, static_cast<LONG>(l.stride));
      Misc().expandBits(second, fileRow, count);
      return second;
    default: return fileRow;
  }
}

void SampleColumns(const BYTE* in, BYTE* out, LONG width, LONG step, size_t bytes) {
  if (step == 1) {
    Misc().copyRow(out, in, static_cast<LONG>(static_cast<size_t>(width) * bytes));
    return;
  }
  const size_t stride = static_cast<size_t>(step) * bytes;
  if (bytes == 1) {
    for (LONG i = 0; i < width; ++i) out[i] = in[static_cast<size_t>(i) * stride];
    return;
  }
  for (LONG i = 0; i < width; ++i, out += 3, in += stride) {
    out[0] = in[0];
    out[1] = in[1];
    out[2] = in[2];
  }
}

// Walks the file rows from the bottom, taking every row whose image row is
// a multiple of the row step. Reports and returns false on a short read.
bool WalkRows(HFILE file, const Layout& l, LONG width, LONG height, BYTE** rows, BYTE* fileRow,
              BYTE* second) {
  const LONG sy = l.height / height;
  const LONG sx = l.width / width;
  const size_t bytes = PreviewBytes(l);
  // Image row (image height - 1 - i) is a multiple of sy first for
  // i = (image height - 1) % sy,
  // then every sy-th file row: the rows between are skipped by seeking.
  LONG next = height - 1;
  for (LONG i = (l.height - 1) % sy; i < l.height && next >= 0; i += sy) {
    if (!SeekTo(file, l.pixelOffset + static_cast<uint64_t>(i) * l.stride) ||
        !ReadExact(file, fileRow, static_cast<DWORD>(l.stride))) {
      ReportError(kFnPreview, 2, 4, IDS_READ_ERROR);
      return false;
    }
    SampleColumns(ConvertForPreview(l, fileRow, second), rows[next--], width, sx, bytes);
  }
  return true;
}

}  // namespace

LONG ReadPreview(HFILE file, HGLOBAL recordHandle, LONG width, LONG height, BYTE** rows) {
  if (width == 0 || height == 0) {
    ReportError(kFnPreview, 1, 1, IDS_BAD_PARAMETER);
    return 0;
  }
  LockedRecord record(recordHandle);
  BYTE* r = record.data();
  if (!r || !HasFormatTag(r)) {
    ReportError(kFnPreview, 1, 2, IDS_BAD_PARAMETER);
    return 0;
  }
  if (Get32(r, TFD_STORAGE_KIND) == 2) {
    ReportError(kFnPreview, 1, 3, IDS_UNSUPPORTED);
    return 0;
  }
  Layout l;
  if (!rows || width < 0 || height < 0 || !LayoutFromRecord(r, &l) || width > l.width ||
      height > l.height) {
    ReportError(kFnPreview, 1, 4, IDS_BAD_PARAMETER);
    return 0;
  }
  LockedBlock row, second;
  if (!AllocatePreviewBuffers(l, &row, &second) ||
      !WalkRows(file, l, width, height, rows, row.data(), second.data())) {
    DropPalette(r, TFD_PALETTE);
    return 0;
  }
  return 1;
}

}  // namespace tpi
