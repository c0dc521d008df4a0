// Image reader: the full-size read, row by row, and the scaled read, all at
// once, of an opened TPI file.
#include <vector>

#include "convert.h"
#include "fileio.h"
#include "layout.h"
#include "module.h"
#include "operations.h"
#include "record.h"
#include "resources/resource.h"
#include "sampler.h"

namespace tpi {

namespace {

bool RectangleInside(const TFTRANSFER& t, const Layout& l) {
  return t.left >= 0 && t.width > 0 && t.left <= l.width - t.width && t.top >= 0 && t.rows > 0 &&
         t.top <= l.height - t.rows;
}

LONG RowFlags(LONG c, const TFTRANSFER& t) {
  LONG flags = TF_ROW_ANY;
  if (c == t.top) flags |= TF_ROW_FIRST;
  if (c == t.top + t.rows - 1) flags |= TF_ROW_LAST;
  return flags;
}

// Allocates the row buffers of the full-size read; reports and returns
// false on failure.
bool AllocateRowBuffers(const Layout& l, LockedBlock* row, LockedBlock* second) {
  LockedBlock::Result got = row->Allocate(l.stride + 2);
  if (got != LockedBlock::kOk) {
    ReportError(kFnRead, 2, got == LockedBlock::kNoMemory ? 1 : 2, IDS_NO_GLOBAL_MEMORY);
    return false;
  }
  if (l.fileBits != 4 && l.fileBits != 32) return true;
  got = second->Allocate(Stride(static_cast<uint64_t>(l.hostBits), static_cast<uint64_t>(l.width)) + 2);
  if (got != LockedBlock::kOk) {
    ReportError(kFnRead, 2, got == LockedBlock::kNoMemory ? 3 : 4, IDS_NO_GLOBAL_MEMORY);
    return false;
  }
  return true;
}

LONG ReadFullSize(HFILE file, const Layout& l, const TFTRANSFER* t, TFREADROWS callback) {
  LockedBlock row, second;
  if (!AllocateRowBuffers(l, &row, &second)) return 0;
  const LONG firstRow = l.height - t->top - t->rows;
  if (!SeekTo(file, l.pixelOffset + static_cast<uint64_t>(firstRow) * l.stride)) {
    ReportError(kFnRead, 2, 5, IDS_READ_ERROR);
    return 0;
  }
  const int bytesPerPixel = HostBytesPerPixel(l.type);
  BYTE* rowPointer[1] = {nullptr};
  for (LONG c = firstRow; c < firstRow + t->rows; ++c) {
    if (!ReadExact(file, row.data(), static_cast<DWORD>(l.stride))) {
      ReportError(kFnRead, 2, 5, IDS_READ_ERROR);
      return 0;
    }
    BYTE* host = ToHostRow(l, row.data(), second.data());
    rowPointer[0] = host + static_cast<size_t>(t->left) * bytesPerPixel;
    const LONG answer = callback(const_cast<TFTRANSFER*>(t), t->left, l.height - 1 - c, t->width,
                                 1, rowPointer, RowFlags(c, *t), -1, 7);
    if (answer <= 0) return answer;
  }
  return 1;
}

LONG ReadScaled(HFILE file, BYTE* record, const Layout& l, const TFTRANSFER* t,
                TFREADROWS callback) {
  const LONG sw = t->scaledWidth, sh = t->scaledHeight;
  if (sw <= 0 || sh <= 0 || sw > kMaxDimension || sh > kMaxDimension) {
    ReportError(kFnPreview, 1, 1, IDS_BAD_PARAMETER);
    DropPalette(record, TFD_PREVIEW_PALETTE);
    return 0;
  }
  const uint64_t outRow = RowBytes(static_cast<uint64_t>(SampleBits(l)), static_cast<uint64_t>(sw));
  LockedBlock image;
  if (image.Allocate(outRow * static_cast<uint64_t>(sh)) != LockedBlock::kOk) {
    ReportError(kFnPreview, 2, 1, IDS_NO_GLOBAL_MEMORY);
    return 0;
  }
  if (!SampleImage(file, l, sw, sh, image.data(), static_cast<size_t>(outRow))) {
    DropPalette(record, TFD_PREVIEW_PALETTE);
    return 0;
  }
  std::vector<BYTE*> rows;
  try {
    rows.resize(static_cast<size_t>(sh));
  } catch (...) {
    ReportError(kFnPreview, 2, 1, IDS_NO_GLOBAL_MEMORY);
    return 0;
  }
  for (LONG j = 0; j < sh; ++j) rows[static_cast<size_t>(j)] = image.data() + outRow * static_cast<uint64_t>(j);
  return callback(const_cast<TFTRANSFER*>(t), 0, 0, sw, sh, rows.data(), 0, 0, 0);
}

}  // namespace

LONG ReadImage(HFILE file, HGLOBAL recordHandle, const TFTRANSFER* t, TFREADROWS callback) {
  LockedRecord record(recordHandle);
  BYTE* r = record.data();
  if (!r || !HasFormatTag(r)) {
    ReportError(kFnRead, 1, 1, IDS_BAD_PARAMETER);
    return 0;
  }
  if (Get32(r, TFD_STORAGE_KIND) == 2) {
    ReportError(kFnRead, 1, 2, IDS_UNSUPPORTED);
    return 0;
  }
  Layout l;
  if (!t || !callback || !LayoutFromRecord(r, &l) || (!t->scaled && !RectangleInside(*t, l))) {
    ReportError(t && t->scaled ? kFnPreview : kFnRead, 1, t && t->scaled ? 4 : 3, IDS_BAD_PARAMETER);
    return 0;
  }
  const LONG result = t->scaled ? ReadScaled(file, r, l, t, callback) : ReadFullSize(file, l, t, callback);
  if (result <= 0) DropPalette(r, TFD_PALETTE);
  return result;
}

}  // namespace tpi
