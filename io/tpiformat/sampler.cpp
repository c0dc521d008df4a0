// Nearest-neighbour sampling of a whole TPI image to another size.
#include "sampler.h"

#include <cstring>
#include <vector>

#include "convert.h"
#include "fileio.h"
#include "module.h"
#include "record.h"
#include "resources/resource.h"

namespace tpi {

namespace {

// Source column of every output column: the integer part of position + 0.5,
// the position growing by width / scaled width per column.
std::vector<LONG> ColumnTable(LONG width, LONG scaledWidth) {
  std::vector<LONG> columns(static_cast<size_t>(scaledWidth));
  const double step = static_cast<double>(width) / scaledWidth;
  double position = 0;
  for (LONG& column : columns) {
    column = static_cast<LONG>(position + 0.5);
    position += step;
  }
  return columns;
}

void CopyColumns(const Layout& l, const std::vector<LONG>& columns, const BYTE* in, BYTE* out) {
  const LONG last = l.width - 1;
  const size_t count = columns.size();
  const int bits = SampleBits(l);
  if (bits == 1) {
    for (size_t i = 0; i < count && columns[i] <= last; ++i) {
      const LONG x = columns[i];
      const BYTE mask = static_cast<BYTE>(0x80 >> (i & 7));
      if ((in[x >> 3] >> (7 - (x & 7))) & 1)
        out[i >> 3] |= mask;
      else
        out[i >> 3] &= static_cast<BYTE>(~mask);
    }
    return;
  }
  const size_t bytes = static_cast<size_t>(bits / 8);
  for (size_t i = 0; i < count && columns[i] <= last; ++i)
    std::memcpy(out + i * bytes, in + static_cast<size_t>(columns[i]) * bytes, bytes);
}

}  // namespace

BYTE* ToHostRow(const Layout& l, BYTE* fileRow, BYTE* second) {
  const size_t pixels = static_cast<size_t>(l.width);
  switch (l.fileBits) {
    case 24: SwapRedBlue(fileRow, pixels); return fileRow;
    case 32: DropFirstOfFour(second, fileRow, pixels); return second;
    case 4: ExpandNibbles(second, fileRow, pixels); return second;
    case 16:
      if (l.is565) Words565To555(fileRow, pixels);
      return fileRow;
    case 1:
      if (l.invert) Misc().invertBits(fileRow, fileRow, static_cast<LONG>(l.stride));
      return fileRow;
    default: return fileRow;
  }
}

int SampleBits(const Layout& l) {
  if (l.fileBits == 4) return 8;
  if (l.fileBits == 32) return 24;
  return l.hostBits;
}

bool SampleImage(HFILE file, const Layout& l, LONG width, LONG height, BYTE* out, size_t outRow) {
  const size_t converted = static_cast<size_t>(l.width) * 3 + l.stride;
  LockedBlock buffer;
  std::vector<LONG> columns;
  try {
    columns = ColumnTable(l.width, width);
  } catch (...) {
    ReportError(kFnPreview, 2, 1, IDS_NO_GLOBAL_MEMORY);
    return false;
  }
  if (buffer.Allocate(l.stride + converted + 2) != LockedBlock::kOk) {
    ReportError(kFnPreview, 2, 1, IDS_NO_GLOBAL_MEMORY);
    return false;
  }
  BYTE* fileRow = buffer.data();
  BYTE* second = buffer.data() + l.stride;
  const double step = static_cast<double>(l.height) / height;
  double position = 0;
  LONG loaded = -1;
  const BYTE* row = nullptr;
  for (LONG j = 0; j < height; ++j, position += step) {
    LONG source = static_cast<LONG>(position);
    if (source > l.height - 1) source = l.height - 1;
    if (source != loaded) {
      if (!SeekTo(file, l.pixelOffset + static_cast<uint64_t>(source) * l.stride) ||
          !ReadExact(file, fileRow, static_cast<DWORD>(l.stride))) {
        ReportError(kFnPreview, 2, 4, IDS_READ_ERROR);
        return false;
      }
      row = ToHostRow(l, fileRow, second);
      loaded = source;
    }
    CopyColumns(l, columns, row, out + outRow * static_cast<size_t>(height - 1 - j));
  }
  return true;
}

}  // namespace tpi
