// Describing and reading image files: the dispatcher opens the file, finds
// the format that reads it and lets the format deliver rows through the row
// callback into a new image buffer.
#include <fileformats.h>
#include <hostcommon.h>

#include <cstring>
#include <vector>

#include "errors.h"
#include "fileio.h"
#include "palette.h"
#include "record.h"
#include "registry.h"

namespace tf {

namespace {

constexpr DWORD kSniffBytes = 64;

// The slot's content, with the module's own message, kept while other
// formats are tried.
struct SavedError {
  LONG error = 0, unit = 0, category = 0, detail = 0, message = 0;
  char text[256] = "";
  void Save() {
    error = lvGetDLLErrInfoRecord(&unit, &category, &detail);
    message = lvGetDLLErrInfoMessage(text, sizeof text);
  }
  void Restore() const {
    c32SetDLLErrInfo(text[0] ? reinterpret_cast<LONG_PTR>(text) : 0, error, message, unit, category,
                     detail);
  }
};

// Formats in the order they are tried: the hinted one, the one of the
// extension, then all others.
std::vector<LONG> CandidateOrder(const std::string& path, const char* hint, std::vector<bool>* preferred) {
  std::vector<LONG> order;
  LONG count = static_cast<LONG>(Formats().size());
  preferred->assign(static_cast<size_t>(count), false);
  for (LONG index : {hint ? FindFormatByName(hint) : -1, FindFormatByName(ExtensionOf(path))}) {
    if (index >= 0 && !(*preferred)[static_cast<size_t>(index)]) {
      order.push_back(index);
      (*preferred)[static_cast<size_t>(index)] = true;
    }
  }
  for (LONG i = 0; i < count; ++i)
    if (!(*preferred)[static_cast<size_t>(i)]) order.push_back(i);
  return order;
}

HANDLE OpenOrReport(const std::string& path, LONG operation) {
  HANDLE file = OpenForReading(path);
  if (file == INVALID_HANDLE_VALUE) {
    bool missing = GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    Report(missing ? kErrMissing : kErrOpen, operation, 1);
  }
  return file;
}

// Completes a record a format returned: the dispatcher's fields.
bool CompleteRecord(HGLOBAL handle, LONG index, const std::string& path, DWORD fileSize) {
  TFFILEDATA* record = LockRecord(handle);
  if (!record) return false;
  record->formatIndex = index;
  std::strncpy(record->path, path.c_str(), TF_PATH_SIZE - 1);
  record->path[TF_PATH_SIZE - 1] = '\0';
  record->fileSize = static_cast<LONG>(fileSize);
  if (FormatAt(index)->module) record->transparentIndex = -1;
  GlobalUnlock(handle);
  return true;
}

HGLOBAL Describe(HANDLE file, const std::string& path, const char* hint) {
  BYTE head[kSniffBytes] = {};
  DWORD headSize = ReadAt(file, 0, head, kSniffBytes);
  DWORD fileSize = FileSizeOf(file);
  std::vector<bool> preferred;
  SavedError kept;
  for (LONG index : CandidateOrder(path, hint, &preferred)) {
    const FormatEntry* entry = FormatAt(index);
    if (entry->sniff && !entry->sniff(head, headSize)) continue;
    ClearError();
    SeekTo(file, 0);
    HGLOBAL record = entry->getFileData(file, 0, 0, 0);
    if (record == static_cast<HGLOBAL>(-1)) {
      ReportIfClear(kErrMemory, TF_OP_GETFILEDATA, 2);
      return 0;
    }
    if (record) {
      if (CompleteRecord(record, index, path, fileSize)) return record;
      GlobalFree(record);
      Report(kErrCannotServe, TF_OP_GETFILEDATA, 3);
      return 0;
    }
    // A built-in format recognised its signature: its error stands.
    if (entry->sniff) {
      ReportIfClear(kErrNotImage, TF_OP_GETFILEDATA, 4);
      return 0;
    }
    if (preferred[static_cast<size_t>(index)] && kept.error == 0) kept.Save();
  }
  if (kept.error) {
    kept.Restore();
  } else {
    Report(kErrNotImage, TF_OP_GETFILEDATA, 5);
  }
  return 0;
}

// The read into a buffer: the transfer record comes first, so the callback
// finds its context from the transfer pointer.
struct ReadContext {
  TFTRANSFER transfer;
  BYTE* pixels;
  LONG rowBytes;
  LONG width;   // of the buffer: every delivered row must be this wide
  LONG height;
  LONG rowsSeen;
  TFREADCALLBACK user;
};
static_assert(offsetof(ReadContext, transfer) == 0, "transfer first");

LONG WINAPI ReceiveRows(TFTRANSFER* transfer, LONG left, LONG row, LONG width, LONG rows, BYTE** rowPointers,
                        LONG flags, LONG arg8, LONG arg9) {
  ReadContext* context = reinterpret_cast<ReadContext*>(transfer);
  if (!rowPointers || rows < 1 || row < 0 || row > context->height - rows || left != 0 || width != context->width) {
    Report(kErrRead, TF_OP_READ, 20);
    return 0;
  }
  for (LONG i = 0; i < rows; ++i) {
    if (!rowPointers[i]) {
      Report(kErrRead, TF_OP_READ, 21);
      return 0;
    }
    std::memcpy(context->pixels + static_cast<size_t>(row + i) * static_cast<size_t>(context->rowBytes),
                rowPointers[i], static_cast<size_t>(context->rowBytes));
  }
  context->rowsSeen += rows;
  if (context->user) return context->user(transfer, left, row, width, rows, rowPointers, flags, arg8, arg9);
  return 1;
}

struct RecordFacts {
  LONG formatIndex, width, height, dataType;
  std::string path;
};

bool FactsOf(HGLOBAL handle, RecordFacts* facts) {
  TFFILEDATA* record = LockRecord(handle);
  if (!record) return false;
  facts->formatIndex = record->formatIndex;
  facts->width = record->width;
  facts->height = record->height;
  facts->dataType = record->dataType;
  facts->path.assign(record->path, strnlen(record->path, TF_PATH_SIZE));
  GlobalUnlock(handle);
  return true;
}

// Reads into buffer; scaled asks for the whole image at the buffer's size.
LONG ReadInto(HGLOBAL record, const RecordFacts& facts, HBUF buffer, TFREADCALLBACK callback, bool scaled) {
  const FormatEntry* entry = FormatAt(facts.formatIndex);
  BUFINFO info;
  void* pixels = nullptr;
  if (!buf32GetInfo(buffer, &info) || !buf32Lock(buffer, 2, &pixels)) {
    Report(kErrMemory, TF_OP_READ, 4);
    return 0;
  }
  HANDLE file = OpenOrReport(facts.path, TF_OP_READ);
  LONG result = 0;
  if (file != INVALID_HANDLE_VALUE) {
    ReadContext context = {};
    context.transfer.width = facts.width;
    context.transfer.rows = facts.height;
    context.transfer.scaled = scaled ? 1 : 0;
    context.transfer.scaledWidth = info.width;
    context.transfer.scaledHeight = info.height;
    context.pixels = static_cast<BYTE*>(pixels);
    context.rowBytes = info.rowBytes;
    context.width = info.width;
    context.height = info.height;
    context.user = callback;
    ClearError();
    result = entry->fileRead(file, 0, record, &context.transfer, ReceiveRows, 0);
    CloseHandle(file);
    if (result == 1 && context.rowsSeen < info.height) {
      Report(kErrRead, TF_OP_READ, 5);
      result = 0;
    }
  }
  buf32Unlock(buffer);
  return result;
}

}  // namespace

}  // namespace tf

using namespace tf;

HGLOBAL tfFileGetFileData(LPCSTR path, LPCSTR hint) {
  std::string winPath = WinPath(path);
  if (winPath.empty() || winPath.size() >= TF_PATH_SIZE) {
    Report(kErrCannotServe, TF_OP_GETFILEDATA, 1);
    return 0;
  }
  HANDLE file = OpenOrReport(winPath, TF_OP_GETFILEDATA);
  if (file == INVALID_HANDLE_VALUE) return 0;
  HGLOBAL record = Describe(file, winPath, hint);
  CloseHandle(file);
  return record;
}

HGLOBAL tfFileNewFileData(LPCSTR path, LONG formatIndex) {
  const FormatEntry* entry = FormatAt(formatIndex);
  std::string winPath = WinPath(path);
  if (!entry || winPath.size() >= TF_PATH_SIZE) {
    Report(kErrCannotServe, TF_OP_WRITE, 30);
    return 0;
  }
  HGLOBAL handle = NewRecord(TF_FILEDATA_SIZE);
  TFFILEDATA* record = handle ? LockRecord(handle) : nullptr;
  if (!record) {
    if (handle) GlobalFree(handle);
    Report(kErrMemory, TF_OP_WRITE, 31);
    return 0;
  }
  record->formatIndex = formatIndex;
  std::strncpy(record->path, winPath.c_str(), TF_PATH_SIZE - 1);
  record->xResolution = 720000;
  record->yResolution = 720000;
  record->transparentIndex = -1;
  if (entry->defaults) entry->defaults(record);
  GlobalUnlock(handle);
  return handle;
}

void tfFileFreeFileData(HGLOBAL handle) {
  TFFILEDATA* record = LockRecord(handle);
  if (record) {
    if (record->palette) DeleteObject(static_cast<HGDIOBJ>(record->palette));
    if (record->previewPalette) DeleteObject(static_cast<HGDIOBJ>(record->previewPalette));
    GlobalUnlock(handle);
  }
  if (handle) GlobalFree(handle);
}

namespace tf {
namespace {

// Reads the record's image at width x height (its own size: a full read)
// into a new buffer.
LONG ReadRecord(HGLOBAL record, HBUF* buffer, TFREADCALLBACK callback, LONG width, LONG height) {
  RecordFacts facts;
  if (buffer) *buffer = 0;
  if (!buffer || !FactsOf(record, &facts) || !FormatAt(facts.formatIndex)) {
    Report(kErrCannotServe, TF_OP_READ, 1);
    return 0;
  }
  LONG bits = HostBitsFor(facts.dataType);
  bool scaled = width > 0;
  if (!scaled) {
    width = facts.width;
    height = facts.height;
  }
  if (bits == 0 || facts.width <= 0 || facts.height <= 0 || width <= 0 || height <= 0) {
    Report(kErrCannotServe, TF_OP_READ, 2);
    return 0;
  }
  HBUF image = 0;
  if (!buf32Alloc(&image, bits, width, height, BUF_KIND_PLAIN, nullptr)) {
    Report(kErrMemory, TF_OP_READ, 3);
    return 0;
  }
  LONG result = ReadInto(record, facts, image, callback, scaled);
  if (result != 1) {
    buf32Free(image);
    if (result == 0) ReportIfClear(kErrRead, TF_OP_READ, 6);
    if (result < 0) ReportIfClear(kErrCancelled, TF_OP_READ, 7);
    return result;
  }
  *buffer = image;
  return 1;
}

}  // namespace
}  // namespace tf

LONG tfFileRead(HGLOBAL record, HBUF* buffer, TFREADCALLBACK callback) {
  return tf::ReadRecord(record, buffer, callback, 0, 0);
}

LONG tfFileReadScaled(HGLOBAL record, LONG width, LONG height, HBUF* buffer) {
  if (width <= 0 || height <= 0) {
    if (buffer) *buffer = 0;
    Report(kErrCannotServe, TF_OP_READ, 8);
    return 0;
  }
  return tf::ReadRecord(record, buffer, nullptr, width, height);
}
