// tpiformat.fio loaded as the host's format dispatcher loads it, TPI files
// built byte by byte, and recording row callbacks.
#include "module.h"

#include <hostcommon.h>
#include <misclib.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "module_binding.h"
#include "testsupport.h"

namespace tpitest {

namespace {

using lvtest::Bind;

void Put16(Bytes& b, size_t at, uint32_t v) {
  b[at] = static_cast<BYTE>(v);
  b[at + 1] = static_cast<BYTE>(v >> 8);
}
void Put32(Bytes& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// State of the recording callbacks (plain functions, as the host's are).
struct ReadState {
  size_t rowBytes = 0;
  int answerAt = -1;
  LONG answer = 1;
  std::vector<ReadCall> calls;
} g_read;

LONG RecordRows(TFTRANSFER*, LONG left, LONG row, LONG width, LONG rows, BYTE** pointers,
                LONG flags, LONG minusOne, LONG seven) {
  ReadCall call = {left, row, width, rows, flags, minusOne, seven, {}};
  for (LONG i = 0; i < rows; ++i) call.data.emplace_back(pointers[i], pointers[i] + g_read.rowBytes);
  g_read.calls.push_back(std::move(call));
  return static_cast<int>(g_read.calls.size()) - 1 == g_read.answerAt ? g_read.answer : 1;
}

struct WriteState {
  const std::vector<Bytes>* rows = nullptr;
  int answerAt = -1;
  LONG answer = 1;
  BYTE* current = nullptr;
  size_t bytesPerPixel = 0;
  std::vector<std::pair<LONG, LONG>> requests;
} g_write;

BYTE** ServeRow(TFTRANSFER*, LONG left, LONG row, LONG, LONG, LONG flags, LONG, LONG) {
  g_write.requests.emplace_back(row, flags);
  if (static_cast<int>(g_write.requests.size()) - 1 == g_write.answerAt) {
    if (g_write.answer == 0) return nullptr;
    if (g_write.answer == -1) return TF_WRITE_CANCELLED;
  }
  const Bytes& host = (*g_write.rows)[static_cast<size_t>(row)];
  // Types with pixel-addressed rows get the rectangle's first pixel.
  g_write.current = const_cast<BYTE*>(host.data()) + static_cast<size_t>(left) * g_write.bytesPerPixel;
  return &g_write.current;
}

}  // namespace

std::string ModulePath() { return lvtest::StagedModulePath("tpiformat.fio"); }

const TpiModule& Tpi() {
  static TpiModule tpi = [] {
    TpiModule m;
    m.module = LoadLibraryA(ModulePath().c_str());
    if (!m.module) return m;
    m.getFileFmtNum = Bind<TFDLLGETFILEFMTNUM>(m.module, "tfDLLGetFileFmtNum");
    m.getFormatInfo = Bind<TFBMPGETFORMATINFO>(m.module, "tfBmpGetFormatInfo");
    m.getFileData = Bind<TFBMPGETFILEDATA>(m.module, "tfBmpGetFileData");
    m.fileRead = Bind<TFBMPFILEREAD>(m.module, "tfBmpFileRead");
    m.fileWrite = Bind<TFBMPFILEWRITE>(m.module, "tfBmpFileWrite");
    m.getPreview = Bind<TFBMPGETPREVIEW>(m.module, "tfBmpGetPreview");
    m.escape = Bind<TFESCAPE>(m.module, "tfEscape");
    m.showDlgFileData = Bind<TFBMPSHOWDLGFILEDATA>(m.module, "tfBmpShowDlgFileData");
    m.showDlgOpenOption = Bind<TFBMPSHOWDLGOPTION>(m.module, "tfBmpShowDlgOpenOption");
    m.showDlgSaveOption = Bind<TFBMPSHOWDLGOPTION>(m.module, "tfBmpShowDlgSaveOption");
    m.fileReadVector = Bind<TFBMPFILEREADVECTOR>(m.module, "tfBmpFileReadVector");
    m.fileWriteVector = Bind<TFBMPFILEWRITEVECTOR>(m.module, "tfBmpFileWriteVector");
    m.getOffsetTable = Bind<TFBMPGETOFFSETTABLE>(m.module, "tfBmpGetOffsetTable");
    m.getPreviewImage = Bind<TFBMPGETPREVIEWIMAGE>(m.module, "tfBmpGetPreviewImage");
    return m;
  }();
  return tpi;
}

Report LastReport() {
  Report r = {};
  r.message = lvGetDLLErrInfoRecord(&r.function, &r.stage, &r.point);
  char text[256];
  misGetLastErrorText(text, sizeof text);
  r.text = text;
  return r;
}

void ClearReport() { c32ResetDLLErrInfo(); }

uint64_t Stride(int bits, LONG width) {
  return ((static_cast<uint64_t>(bits) * static_cast<uint64_t>(width) + 7) / 8 + 3) & ~uint64_t{3};
}

Bytes BuildFile(const FilePlan& s) {
  const size_t headerEnd = s.shortHeader ? 26 : 54;
  const size_t entrySize = s.shortHeader ? 3 : 4;
  const size_t pixelOffset = headerEnd + entrySize * s.table.size();
  const size_t stride = static_cast<size_t>(Stride(s.bits, s.width));
  Bytes b(pixelOffset + stride * s.rows.size(), 0);
  b[0] = 'T';
  b[1] = 'A';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put16(b, 10, static_cast<uint32_t>(pixelOffset));
  Put16(b, 12, s.highOffsetBytes);
  if (s.shortHeader) {
    Put32(b, 14, 12);
    Put16(b, 18, static_cast<uint32_t>(s.width));
    Put16(b, 20, static_cast<uint32_t>(s.height));
    Put16(b, 22, 1);
    Put16(b, 24, static_cast<uint32_t>(s.bits));
  } else {
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(s.width));
    Put32(b, 22, static_cast<uint32_t>(s.height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<uint32_t>(s.bits));
    Put32(b, 30, s.layoutTag);
    Put32(b, 34, static_cast<uint32_t>(stride * s.rows.size()));
    Put32(b, 38, static_cast<uint32_t>(s.xPixelsPerMetre));
    Put32(b, 42, static_cast<uint32_t>(s.yPixelsPerMetre));
  }
  for (size_t i = 0; i < s.table.size(); ++i) {
    BYTE* e = b.data() + headerEnd + i * entrySize;
    e[0] = s.table[i].rgbBlue;
    e[1] = s.table[i].rgbGreen;
    e[2] = s.table[i].rgbRed;
  }
  for (size_t r = 0; r < s.rows.size(); ++r)
    std::memcpy(b.data() + pixelOffset + r * stride, s.rows[r].data(),
                std::min(s.rows[r].size(), stride));
  return b;
}

std::string PutFile(const std::string& name, const Bytes& bytes) {
  const std::filesystem::path folder = lvtest::Prefix() / "C" / "temp";
  std::filesystem::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return "C:\\temp\\" + name;
}

Bytes FileBytes(const std::string& winPath) {
  char unixPath[1024];
  lvWinPathToUnix(winPath.c_str(), unixPath, sizeof unixPath);
  std::ifstream in(unixPath, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

OpenFile::OpenFile(const std::string& winPath, bool forWriting)
    : handle_(CreateFileA(winPath.c_str(), forWriting ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
                          0, nullptr, forWriting ? CREATE_ALWAYS : OPEN_EXISTING, 0, 0)) {}

OpenFile::~OpenFile() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

HGLOBAL RecordOf(const Bytes& bytes, const std::string& name) {
  OpenFile file(PutFile(name, bytes), false);
  return Tpi().getFileData(file.handle(), 0, 0, 0);
}

LONG Field(HGLOBAL record, size_t offset) {
  const BYTE* r = static_cast<const BYTE*>(GlobalLock(record));
  LONG value = 0;
  std::memcpy(&value, r + offset, sizeof value);
  GlobalUnlock(record);
  return value;
}

void SetField(HGLOBAL record, size_t offset, LONG value) {
  BYTE* r = static_cast<BYTE*>(GlobalLock(record));
  std::memcpy(r + offset, &value, sizeof value);
  GlobalUnlock(record);
}

void FreeRecord(HGLOBAL record) {
  if (!record || record == static_cast<HGLOBAL>(-1)) return;
  for (size_t offset : {TFD_PALETTE, TFD_PREVIEW_PALETTE})
    if (HPALETTE palette = static_cast<HPALETTE>(Field(record, offset))) DeleteObject(palette);
  GlobalFree(record);
}

ReadResult ReadRows(HFILE file, HGLOBAL record, const TFTRANSFER& transfer, size_t rowBytes,
                    int answerAt, LONG answer) {
  g_read = ReadState{rowBytes, answerAt, answer, {}};
  TFTRANSFER t = transfer;
  const LONG result = Tpi().fileRead(file, 0, record, &t, RecordRows, 0);
  return {result, std::move(g_read.calls)};
}

WriteResult WriteRows(HFILE file, HGLOBAL record, const TFTRANSFER& transfer,
                      const std::vector<Bytes>& hostRows, int answerAt, LONG answer) {
  const LONG type = Field(record, TFD_DATA_TYPE);
  const size_t bytesPerPixel = type == TFD_TYPE_HICOLOR ? 2 : type == TFD_TYPE_256 || type == TFD_TYPE_GREY ? 1
              : type == TFD_TYPE_16 || type == TFD_TYPE_BW ? 0 : 3;
  g_write = WriteState{&hostRows, answerAt, answer, nullptr, bytesPerPixel, {}};
  TFTRANSFER t = transfer;
  const LONG result = Tpi().fileWrite(file, record, &t, ServeRow);
  return {result, std::move(g_write.requests)};
}

HPALETTE MakePalette(const std::vector<RGBQUAD>& entries) {
  Bytes block(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(entries.size());
  for (size_t i = 0; i < entries.size(); ++i)
    logical->palPalEntry[i] = {entries[i].rgbRed, entries[i].rgbGreen, entries[i].rgbBlue, 0};
  return CreatePalette(logical);
}

HGLOBAL ForeignRecord(LONG width, LONG height, LONG type, LONG bits, size_t size,
                      HPALETTE palette, LONG resolution) {
  HGLOBAL record = GlobalAlloc(GHND, size);
  SetField(record, TFD_WIDTH, width);
  SetField(record, TFD_HEIGHT, height);
  SetField(record, TFD_DATA_TYPE, type);
  SetField(record, TFD_BITS, bits);
  SetField(record, TFD_XRES, resolution);
  SetField(record, TFD_YRES, resolution);
  SetField(record, TFD_PALETTE, static_cast<LONG>(palette));
  return record;
}

TFTRANSFER Whole(LONG width, LONG height) {
  TFTRANSFER t = {};
  t.width = width;
  t.rows = height;
  return t;
}

}  // namespace tpitest
