// tpiformat.fio loaded as the host's format dispatcher loads it, TPI files
// built byte by byte, and recording row callbacks.
#pragma once

#include <windows.h>

#include <tpifio.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tpitest {

using Bytes = std::vector<BYTE>;

// The module's exports, bound by name.
struct TpiModule {
  HMODULE module = 0;
  TFDLLGETFILEFMTNUM getFileFmtNum = nullptr;
  TFBMPGETFORMATINFO getFormatInfo = nullptr;
  TFBMPGETFILEDATA getFileData = nullptr;
  TFBMPFILEREAD fileRead = nullptr;
  TFBMPFILEWRITE fileWrite = nullptr;
  TFBMPGETPREVIEW getPreview = nullptr;
  TFESCAPE escape = nullptr;
  TFBMPSHOWDLGFILEDATA showDlgFileData = nullptr;
  TFBMPSHOWDLGOPTION showDlgOpenOption = nullptr;
  TFBMPSHOWDLGOPTION showDlgSaveOption = nullptr;
  TFBMPFILEREADVECTOR fileReadVector = nullptr;
  TFBMPFILEWRITEVECTOR fileWriteVector = nullptr;
  TFBMPGETOFFSETTABLE getOffsetTable = nullptr;
  TFBMPGETPREVIEWIMAGE getPreviewImage = nullptr;
};

// Loads tpiformat.fio from the staged modules folder once per test program.
const TpiModule& Tpi();
// The module's path as the host names it.
std::string ModulePath();

// What the host error slot holds: (function, stage, point, message) and the
// text misclib kept with the report.
struct Report {
  LONG function, stage, point, message;
  std::string text;
  bool operator==(const Report&) const = default;
};
Report LastReport();
void ClearReport();

// A TPI file's description for building it byte by byte.
struct FilePlan {
  int bits = 24;
  LONG width = 1;
  LONG height = 1;
  bool shortHeader = false;
  uint32_t layoutTag = 0;
  LONG xPixelsPerMetre = 2835;
  LONG yPixelsPerMetre = 2835;
  uint32_t highOffsetBytes = 0;  // bytes 12 and 13 of the file header
  std::vector<RGBQUAD> table;    // blue, green, red as stored
  std::vector<Bytes> rows;       // file rows, bottom row first, unpadded
};
// The file's bytes: headers, table (3- or 4-byte entries), padded rows.
Bytes BuildFile(const FilePlan& plan);
uint64_t Stride(int bits, LONG width);

// A file in the prefix's temporary folder (C:\temp\name), written whole;
// returns its Windows path.
std::string PutFile(const std::string& name, const Bytes& bytes);
Bytes FileBytes(const std::string& winPath);
// The file opened for reading / created for writing; closed by the destructor.
class OpenFile {
 public:
  OpenFile(const std::string& winPath, bool forWriting);
  ~OpenFile();
  HFILE handle() const { return handle_; }

 private:
  HFILE handle_;
};

// Reads the header of a file of these bytes; the record (0 or -1 on failure).
HGLOBAL RecordOf(const Bytes& bytes, const std::string& name = "header.tpi");
// A 32-bit field of a record.
LONG Field(HGLOBAL record, size_t offset);
void SetField(HGLOBAL record, size_t offset, LONG value);
// Frees a record and its palettes.
void FreeRecord(HGLOBAL record);

// One call of the read callback, with copies of the rows delivered.
struct ReadCall {
  LONG left, row, width, rows, flags, minusOne, seven;
  std::vector<Bytes> data;  // `rows` rows of `rowBytes` bytes
};
// Reads through tfBmpFileRead with a recording callback that answers
// `answerAt` at the call of that index (counting from 0) and 1 otherwise.
// rowBytes is the number of bytes kept of each delivered row.
struct ReadResult {
  LONG result;
  std::vector<ReadCall> calls;
};
ReadResult ReadRows(HFILE file, HGLOBAL record, const TFTRANSFER& transfer, size_t rowBytes,
                    int answerAt = -1, LONG answer = 1);

// Writes through tfBmpFileWrite, serving host rows (top row first) and
// recording each request (row index, flags). `answerAt`/`answer` as above:
// answer 0 returns a null pointer, -1 the cancel value.
struct WriteResult {
  LONG result;
  std::vector<std::pair<LONG, LONG>> requests;
};
WriteResult WriteRows(HFILE file, HGLOBAL record, const TFTRANSFER& transfer,
                      const std::vector<Bytes>& hostRows, int answerAt = -1, LONG answer = 1);

// A new zero-filled record of `size` bytes describing an image as another
// format would: width, height, data type, host bits, resolution, palette.
HGLOBAL ForeignRecord(LONG width, LONG height, LONG type, LONG bits, size_t size = 736,
                      HPALETTE palette = 0, LONG resolution = 720000);
HPALETTE MakePalette(const std::vector<RGBQUAD>& entries);  // rgbRed.. as colours
TFTRANSFER Whole(LONG width, LONG height);

}  // namespace tpitest
