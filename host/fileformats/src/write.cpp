// Writing image buffers to files: the dispatcher creates the file under a
// temporary name, lets the format pull the rows through the write callback
// and renames the file when it is complete. Formats that write band by band
// (BMP, the .fio modules) get each band as it comes; the others collect the
// bands and encode once on close.
#include <fileformats.h>

#include <cstring>
#include <map>
#include <memory>

#include "errors.h"
#include "fileio.h"
#include "record.h"
#include "registry.h"
#include "storable.h"

namespace tf {

namespace {

// The write callback's context: the transfer record comes first.
struct SupplyContext {
  TFTRANSFER transfer;
  const BYTE* pixels;
  LONG rowBytes;
  LONG bytesPerPixel;  // 0 for 1-bit rows (always from the first pixel)
  LONG bandTop;
  LONG bandRows;
  BYTE* current;
  TFWRITECALLBACK user;
};
static_assert(offsetof(SupplyContext, transfer) == 0, "transfer first");

BYTE** WINAPI SupplyRow(TFTRANSFER* transfer, LONG left, LONG row, LONG width, LONG rows, LONG flags, LONG arg7,
                        LONG arg8) {
  SupplyContext* context = reinterpret_cast<SupplyContext*>(transfer);
  if (context->user) {
    BYTE** answer = context->user(transfer, left, row, width, rows, flags, arg7, arg8);
    if (answer == nullptr || answer == TF_WRITE_CANCELLED) return answer;
  }
  if (row < context->bandTop || row >= context->bandTop + context->bandRows || left < 0) return nullptr;
  context->current = const_cast<BYTE*>(context->pixels) +
                     static_cast<size_t>(row - context->bandTop) * static_cast<size_t>(context->rowBytes) +
                     static_cast<size_t>(left) * static_cast<size_t>(context->bytesPerPixel);
  return &context->current;
}

struct Writer {
  HGLOBAL record = 0;
  const FormatEntry* format = nullptr;
  std::string target;
  std::string temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  LONG width = 0, height = 0, dataType = 0;
  HBUF collected = 0;     // formats that encode once: the image so far
  HBUF source = 0;        // or the caller's whole image (tfFileWrite)
};

std::map<LONG, std::unique_ptr<Writer>> g_writers;
LONG g_nextWriter = 1;

Writer* FindWriter(LONG id) {
  auto found = g_writers.find(id);
  return found == g_writers.end() ? nullptr : found->second.get();
}

// Hands the rows top .. top + rows - 1 of pixels (row 0 = image row top) to
// the format's write.
LONG PassRows(Writer& writer, HBUF band, LONG top, LONG rows, TFWRITECALLBACK callback) {
  BUFINFO info;
  void* pixels = nullptr;
  if (!buf32GetInfo(band, &info) || !buf32Lock(band, 1, &pixels)) {
    Report(kErrCannotServe, TF_OP_WRITE, 10);
    return 0;
  }
  SupplyContext context = {};
  context.transfer.top = top;
  context.transfer.width = writer.width;
  context.transfer.rows = rows;
  context.pixels = static_cast<const BYTE*>(pixels);
  context.rowBytes = info.rowBytes;
  context.bytesPerPixel = info.bytesPerPixel;
  context.bandTop = top;
  context.bandRows = rows;
  context.user = callback;
  ClearError();
  LONG result = writer.format->fileWrite(static_cast<HFILE>(writer.file), writer.record, &context.transfer, SupplyRow);
  buf32Unlock(band);
  if (result == 0) ReportIfClear(kErrWrite, TF_OP_WRITE, 11);
  if (result < 0) ReportIfClear(kErrCancelled, TF_OP_WRITE, 12);
  return result;
}

// Checks that a band fits the image the writer writes.
bool BandFits(const Writer& writer, HBUF band, LONG top, LONG rows) {
  BUFINFO info;
  if (!buf32GetInfo(band, &info)) return false;
  return info.pixelFormat == HostBitsFor(writer.dataType) && info.width == writer.width && rows > 0 &&
         info.height >= rows && top >= 0 && top <= writer.height - rows;
}

// Progress calls of the caller's callback for rows a collecting format
// takes without asking: 0 or cancel stop.
LONG AskCallbackForRows(LONG top, LONG rows, LONG width, TFWRITECALLBACK callback) {
  if (!callback) return 1;
  TFTRANSFER transfer = {};
  transfer.top = top;
  transfer.width = width;
  transfer.rows = rows;
  for (LONG i = 0; i < rows; ++i) {
    LONG flags = TF_ROW_EVERY | (i == 0 ? TF_ROW_FIRST : 0) | (i == rows - 1 ? TF_ROW_LAST : 0);
    BYTE** answer = callback(&transfer, 0, top + i, width, 1, flags, -1, 7);
    if (answer == TF_WRITE_CANCELLED) return -1;
    if (!answer) return 0;
  }
  return 1;
}

bool OpenTemporary(Writer& writer) {
  writer.file = CreateForWriting(writer.temporary);
  if (writer.file == INVALID_HANDLE_VALUE) {
    Report(kErrWrite, TF_OP_WRITE, 13);
    return false;
  }
  return true;
}

void Discard(Writer& writer) {
  if (writer.file != INVALID_HANDLE_VALUE) {
    CloseHandle(writer.file);
    writer.file = INVALID_HANDLE_VALUE;
    DeleteFileA(writer.temporary.c_str());
  }
  if (writer.collected) buf32Free(writer.collected);
  writer.collected = 0;
}

// Encodes the collected (or the caller's) image in one pass, converted to a
// type the format stores when needed.
LONG EncodeWhole(Writer& writer) {
  HBUF image = writer.source ? writer.source : writer.collected;
  StorablePlan plan;
  if (!PlanStorable(writer.record, writer.format->info.dataTypes, image, &plan)) return 0;
  HBUF written = plan.converted ? plan.converted : image;
  LONG result = OpenTemporary(writer) ? PassRows(writer, written, 0, writer.height, nullptr) : 0;
  ReleasePlan(&plan);
  return result;
}

// Fills the record's facts of the written file.
void DescribeWritten(Writer& writer) {
  TFFILEDATA* record = LockRecord(writer.record);
  if (!record) return;
  HANDLE file = OpenForReading(writer.target);
  if (file != INVALID_HANDLE_VALUE) {
    record->fileSize = static_cast<LONG>(FileSizeOf(file));
    CloseHandle(file);
  }
  record->readable = 1;
  GlobalUnlock(writer.record);
}

}  // namespace

// Opens a writer; source is the caller's whole image for tfFileWrite, or 0.
LONG BeginWriter(HGLOBAL handle, HBUF source) {
  TFFILEDATA* record = LockRecord(handle);
  if (!record) {
    Report(kErrCannotServe, TF_OP_WRITE, 1);
    return 0;
  }
  auto writer = std::make_unique<Writer>();
  writer->record = handle;
  writer->format = FormatAt(record->formatIndex);
  writer->target = std::string(record->path, strnlen(record->path, TF_PATH_SIZE));
  writer->width = record->width;
  writer->height = record->height;
  writer->dataType = record->dataType;
  GlobalUnlock(handle);
  if (!writer->format || !writer->format->fileWrite || writer->target.empty()) {
    Report(kErrCannotServe, TF_OP_WRITE, 2);
    return 0;
  }
  if (writer->width <= 0 || writer->height <= 0 || HostBitsFor(writer->dataType) == 0) {
    Report(kErrCannotServe, TF_OP_WRITE, 3);
    return 0;
  }
  writer->temporary = TemporaryNameFor(writer->target);
  writer->source = source;
  if (writer->format->writesBands) {
    if (!OpenTemporary(*writer)) return 0;
  } else if (!source) {
    if (!buf32Alloc(&writer->collected, HostBitsFor(writer->dataType), writer->width, writer->height,
                    BUF_KIND_PLAIN, nullptr)) {
      Report(kErrMemory, TF_OP_WRITE, 4);
      return 0;
    }
  }
  LONG id = g_nextWriter++;
  g_writers[id] = std::move(writer);
  return id;
}

}  // namespace tf

using namespace tf;

LONG tfFileWriteBegin(HGLOBAL record) { return BeginWriter(record, 0); }

LONG tfFileWriteBand(LONG id, HBUF band, LONG top, LONG rows, TFWRITECALLBACK callback) {
  Writer* writer = FindWriter(id);
  if (!writer || writer->source || !BandFits(*writer, band, top, rows)) {
    Report(kErrCannotServe, TF_OP_WRITE, 20);
    return 0;
  }
  if (writer->format->writesBands) return PassRows(*writer, band, top, rows, callback);
  LONG asked = AskCallbackForRows(top, rows, writer->width, callback);
  if (asked != 1) {
    Report(asked < 0 ? kErrCancelled : kErrWrite, TF_OP_WRITE, 21);
    return asked;
  }
  if (!buf32MergeBuf(band, 0, 0, writer->width, rows, writer->collected, 0, top)) {
    Report(kErrMemory, TF_OP_WRITE, 22);
    return 0;
  }
  return 1;
}

LONG tfFileWriteEnd(LONG id, BOOL commit) {
  Writer* writer = FindWriter(id);
  if (!writer) {
    Report(kErrCannotServe, TF_OP_WRITE, 30);
    return 0;
  }
  LONG result = 1;
  if (commit && !writer->format->writesBands) result = EncodeWhole(*writer);
  if (commit && result == 1) {
    CloseHandle(writer->file);
    writer->file = INVALID_HANDLE_VALUE;
    if (!MoveIntoPlace(writer->temporary, writer->target)) {
      DeleteFileA(writer->temporary.c_str());
      Report(kErrWrite, TF_OP_WRITE, 31);
      result = 0;
    } else {
      DescribeWritten(*writer);
    }
  }
  Discard(*writer);
  g_writers.erase(id);
  return result;
}

LONG tfFileWrite(HGLOBAL record, HBUF buffer, TFWRITECALLBACK callback) {
  if (!AdoptBufferFacts(record, buffer)) return 0;
  const TFFILEDATA* facts = LockRecord(record);
  bool bands = facts && FormatAt(facts->formatIndex) && FormatAt(facts->formatIndex)->writesBands;
  LONG height = facts ? facts->height : 0;
  if (facts) GlobalUnlock(record);
  LONG id = BeginWriter(record, bands ? 0 : buffer);
  if (!id) return 0;
  Writer* writer = FindWriter(id);
  LONG result = 1;
  if (bands) {
    writer->source = 0;
    result = PassRows(*writer, buffer, 0, height, callback);
  } else {
    result = AskCallbackForRows(0, height, writer->width, callback);
    if (result != 1) Report(result < 0 ? kErrCancelled : kErrWrite, TF_OP_WRITE, 40);
  }
  if (result != 1) {
    tfFileWriteEnd(id, FALSE);
    return result;
  }
  return tfFileWriteEnd(id, TRUE);
}
