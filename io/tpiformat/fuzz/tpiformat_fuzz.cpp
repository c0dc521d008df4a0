// Fuzz target: any bytes, read as a TPI file through the header reader, the
// full-size read (whole image and a rectangle), the scaled read and the
// preview. Nothing may crash, hang or touch memory outside the rows that
// the module hands over.
#include <fuzzsupport.h>

#include <windows.h>

#include <tpifio.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "../layout.h"
#include "../module.h"
#include "../operations.h"
#include "../record.h"
#include "../sampler.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;

// Bytes of every delivered row, so that reading them checks the module's
// row pointers.
size_t g_rowBytes = 0;
volatile unsigned g_sink = 0;

void Touch(const BYTE* row, size_t bytes) {
  unsigned sum = 0;
  for (size_t i = 0; i < bytes; ++i) sum += row[i];
  g_sink = g_sink + sum;
}

LONG TouchRows(TFTRANSFER*, LONG, LONG, LONG, LONG rows, BYTE** pointers, LONG, LONG, LONG) {
  for (LONG i = 0; i < rows; ++i) Touch(pointers[i], g_rowBytes);
  return 1;
}

void SetUp() {
  static bool done = false;
  if (done) return;
  done = true;
  lvfuzz::Prefix();
  tpi::Startup(GetModuleHandleA(nullptr));
  if (!tpi::BindMiscServices()) std::abort();
}

void FreeRecord(HGLOBAL record) {
  BYTE* r = static_cast<BYTE*>(GlobalLock(record));
  tpi::DropPalette(r, TFD_PALETTE);
  tpi::DropPalette(r, TFD_PREVIEW_PALETTE);
  GlobalUnlock(record);
  GlobalFree(record);
}

void ReadFull(HFILE file, HGLOBAL record, const tpi::Layout& l, TFTRANSFER t) {
  const size_t hostBytes = l.fileBits == 1 ? (static_cast<size_t>(l.width) + 7) / 8
                                           : static_cast<size_t>(l.hostBits / 8);
  g_rowBytes = l.fileBits == 1 ? hostBytes : hostBytes * static_cast<size_t>(t.width);
  tpi::ReadImage(file, record, &t, TouchRows);
}

void ReadScaled(HFILE file, HGLOBAL record, const tpi::Layout& l, LONG width, LONG height) {
  TFTRANSFER t = {};
  t.scaled = 1;
  t.scaledWidth = width;
  t.scaledHeight = height;
  g_rowBytes = static_cast<size_t>(tpi::RowBytes(static_cast<uint64_t>(tpi::SampleBits(l)),
                                                 static_cast<uint64_t>(width > 0 ? width : 0)));
  tpi::ReadImage(file, record, &t, TouchRows);
}

void Preview(HFILE file, HGLOBAL record, const tpi::Layout& l, LONG width, LONG height) {
  const size_t bytes = static_cast<size_t>(l.fileBits >= 16 ? 3 : 1) * static_cast<size_t>(width);
  std::vector<std::vector<BYTE>> rows(static_cast<size_t>(height), std::vector<BYTE>(bytes));
  std::vector<BYTE*> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  tpi::ReadPreview(file, record, width, height, pointers.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  SetUp();
  const std::string path = lvfuzz::WriteInput(data, size);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
  if (file == INVALID_HANDLE_VALUE) return 0;
  HGLOBAL record = tpi::ReadFileData(file);
  if (record && record != static_cast<HGLOBAL>(-1)) {
    tpi::Layout l;
    const BYTE* r = static_cast<const BYTE*>(GlobalLock(record));
    const bool known = tpi::LayoutFromRecord(r, &l);
    GlobalUnlock(record);
    if (!known) std::abort();  // the header reader accepted what the readers refuse
    TFTRANSFER whole = {};
    whole.width = l.width;
    whole.rows = l.height;
    ReadFull(file, record, l, whole);
    const BYTE pick = size > 20 ? data[size - 1] : 0;
    TFTRANSFER part = whole;
    part.left = pick % l.width;
    part.width = l.width - part.left;
    part.top = (pick / 3) % l.height;
    part.rows = l.height - part.top;
    ReadFull(file, record, l, part);
    ReadScaled(file, record, l, 1 + pick % 9, 1 + pick % 5);
    ReadScaled(file, record, l, l.width > 128 ? 64 : (l.width + 1) / 2, l.height < 61 ? l.height + 3 : 64);
    Preview(file, record, l, l.width < 16 ? l.width : 16, l.height < 12 ? l.height : 12);
    Preview(file, record, l, 1, 1);
    FreeRecord(record);
  }
  CloseHandle(file);
  return 0;
}
